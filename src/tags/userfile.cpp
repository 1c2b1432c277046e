// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/userfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Tarnwick {

QStringList UserFile::splitLines(const QString &text)
{
    const QString normal = TextFile::normaliseLineEnds(text);
    if (normal.isEmpty())
        return {};
    QStringList lines = normal.split(QLatin1Char('\n'));
    if (normal.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines;
}

Expected<UserFileContent> UserFile::decode(const QByteArray &bytes)
{
    // NUL bytes, not a share of control characters, mark a file that is not
    // text: whatever lines the dialogs write must read back.
    if (bytes.contains('\0'))
        return Expected<UserFileContent>::failure(QStringLiteral("it is not a text file"));
    const TextFileContent content = TextFile::decode(bytes);
    UserFileContent result;
    result.exists = true;
    result.lines = splitLines(content.text);
    result.format = content.format;
    return result;
}

Expected<UserFileContent> UserFile::read(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return UserFileContent();
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.isFile())
        return Expected<UserFileContent>::failure(
            QStringLiteral("Could not read \"%1\": it is not a file.").arg(shown));
    if (info.size() > maxSize)
        return Expected<UserFileContent>::failure(
            QStringLiteral("Could not read \"%1\": it is too large.").arg(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Expected<UserFileContent>::failure(
            QStringLiteral("Could not read \"%1\": %2").arg(shown, file.errorString()));
    // The size may have changed since it was looked at.
    const QByteArray bytes = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError)
        return Expected<UserFileContent>::failure(
            QStringLiteral("Could not read \"%1\": %2").arg(shown, file.errorString()));
    if (bytes.size() > maxSize)
        return Expected<UserFileContent>::failure(
            QStringLiteral("Could not read \"%1\": it is too large.").arg(shown));
    Expected<UserFileContent> content = decode(bytes);
    if (!content)
        return Expected<UserFileContent>::failure(
            QStringLiteral("Could not read \"%1\": %2.").arg(shown, content.error()));
    return content;
}

Result UserFile::write(const QString &path, const QStringList &lines, TextFileFormat format)
{
    format.setUniformLineEnd(LineEnd::CRLF);
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1Char('\n');
    return TextFile::write(path, text, format);
}

} // namespace Tarnwick
