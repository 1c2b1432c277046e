// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filefilter.h"

#include <QRegularExpression>

namespace Tarnwick {

namespace {

QString patternsOf(const QString &setting, const QString &fallback)
{
    const QStringList extensions = FileFilter::extensionList(setting);
    if (extensions.isEmpty())
        return fallback;
    QString result;
    for (const QString &ext : extensions)
        result += QStringLiteral("*.") + ext + QLatin1Char(';');
    return result;
}

} // namespace

QStringList FileFilter::extensionList(const QString &setting)
{
    QStringList result;
    for (QString ext : setting.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        ext = ext.trimmed();
        while (ext.startsWith(QLatin1Char('.')))
            ext.remove(0, 1);
        if (!ext.isEmpty())
            result.append(ext);
    }
    return result;
}

QStringList FileFilter::listEntries(const QString &list)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    return list.split(separators, Qt::SkipEmptyParts);
}

QStringList FileFilter::looseExtensionList(const QString &list)
{
    QStringList result;
    for (QString entry : listEntries(list)) {
        // "*.txt" and ".txt" name the same extension as "txt".
        while (entry.startsWith(QLatin1Char('*')) || entry.startsWith(QLatin1Char('.')))
            entry.remove(0, 1);
        if (!entry.isEmpty())
            result.append(entry);
    }
    return result;
}

QString FileFilter::build(const QString &extensions, const QString &graphicExtensions)
{
    return QStringLiteral("Web Documents|") + patternsOf(extensions, QStringLiteral("*.htm;*.html"))
        + QStringLiteral("|HTMLFiles|*.html|Graphics|")
        + patternsOf(graphicExtensions, QStringLiteral("*.gif;*.jpg"))
        + QStringLiteral("|Executable|*.exe|FrameSettings|*.set|JavaClass|*.class|All files|*.*");
}

QList<FileFilter::Entry> FileFilter::parse(const QString &filter)
{
    QList<Entry> result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        Entry entry;
        entry.label = parts.at(i);
        entry.patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        result.append(entry);
    }
    return result;
}

} // namespace Tarnwick
