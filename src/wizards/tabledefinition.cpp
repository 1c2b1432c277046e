// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/tabledefinition.h"

#include "platform/fileops.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>

namespace Tarnwick {

namespace {

QString lineError(const QString &fileName, qsizetype line, const QString &what)
{
    return QStringLiteral("%1, line %2: %3")
        .arg(QFileInfo(fileName).fileName())
        .arg(line)
        .arg(what);
}

} // namespace

Expected<QStringList> TableDefinition::parse(const QByteArray &bytes, const QString &fileName)
{
    QStringList lines = TextFile::decode(bytes).text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the last line's own end
    if (!lines.value(0).startsWith(QLatin1String("<TABLE"), Qt::CaseInsensitive))
        return Expected<QStringList>::failure(lineError(
            fileName, 1, QStringLiteral("this is not a table definition (no TABLE tag).")));
    if (!lines.value(1).startsWith(QLatin1String("<CAPTION"), Qt::CaseInsensitive))
        return Expected<QStringList>::failure(
            lineError(fileName, 2, QStringLiteral("the CAPTION line is missing.")));
    if (lines.size() < 3
        || lines.constLast().trimmed().compare(QLatin1String("</TABLE>"), Qt::CaseInsensitive) != 0)
        return Expected<QStringList>::failure(
            lineError(fileName, qMax<qsizetype>(3, lines.size()),
                      QStringLiteral("the table does not end with \"</TABLE>\".")));
    return lines;
}

Expected<QStringList> TableDefinition::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Expected<QStringList>::failure(
            QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    return parse(file.readAll(), path);
}

Result TableDefinition::write(const QString &path, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    return FileOps::writeFileAtomic(path, text.toUtf8());
}

QString TableDefinition::withExtension(const QString &path)
{
    const QFileInfo info(path);
    if (info.suffix().compare(QLatin1String("tbl"), Qt::CaseInsensitive) == 0)
        return path;
    const QString base
        = info.suffix().isEmpty() ? path : path.left(path.size() - info.suffix().size() - 1);
    return base + QLatin1String(".tbl");
}

} // namespace Tarnwick
