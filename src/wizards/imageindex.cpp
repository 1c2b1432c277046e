// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/imageindex.h"

#include "platform/fileops.h"

#include <QDir>
#include <QFileInfo>

namespace Tarnwick {

QString ImageIndex::pagePath(const QString &programDirectory)
{
    return directoryPrefix(programDirectory) + QStringLiteral("images.htm");
}

QString ImageIndex::headingLine()
{
    return QStringLiteral("<CENTER><H2>Image Index</H2></CENTER>");
}

Result ImageIndex::createPage(const QString &path)
{
    if (QFileInfo::exists(path))
        return Result::success();
    // Ends in a line break, so the first appended entry starts a line of its own.
    return FileOps::writeFileAtomic(path, (headingLine() + QLatin1Char('\n')).toUtf8());
}

QString ImageIndex::directoryPrefix(const QString &directory)
{
    if (directory.isEmpty() || directory.endsWith(QLatin1Char('/')))
        return directory;
    return directory + QLatin1Char('/');
}

QStringList ImageIndex::masks(const QString &maskText)
{
    QStringList result;
    for (const QString &mask : maskText.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = mask.trimmed();
        if (!trimmed.isEmpty())
            result << trimmed;
    }
    return result;
}

QStringList ImageIndex::imageFiles(const QString &directory, const QString &maskText)
{
    const QStringList nameFilters = masks(maskText);
    if (directory.isEmpty() || nameFilters.isEmpty())
        return {};
    // Name filters of QDir ignore case unless told otherwise.
    return QDir(directory).entryList(nameFilters, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QString ImageIndex::sourceAddress(const QString &path)
{
    QString result;
    result.reserve(path.size());
    for (const QChar c : path) {
        switch (c.unicode()) {
        case '%':
            result += QStringLiteral("%25");
            break;
        case '#':
            result += QStringLiteral("%23");
            break;
        case '?':
            result += QStringLiteral("%3F");
            break;
        case '"':
            result += QStringLiteral("%22");
            break;
        default:
            result += c;
        }
    }
    return result;
}

QString ImageIndex::entryText(const QString &directoryPrefix, const QStringList &fileNames)
{
    QString text;
    for (const QString &name : fileNames) {
        const QString path = directoryPrefix + name;
        text += QStringLiteral("File location: ") + path + QStringLiteral("><br>\r");
        text += QStringLiteral("<img src=\"") + sourceAddress(path) + QStringLiteral("\"><br>\r");
    }
    return text + QLatin1Char('\r');
}

} // namespace Tarnwick
