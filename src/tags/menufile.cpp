// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/menufile.h"

namespace Tarnwick {

QList<MenuFile::Entry> MenuFile::entries(const QStringList &lines)
{
    QList<Entry> result;
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        result.append({ line, caption(line) });
    }
    return result;
}

QString MenuFile::caption(const QString &line)
{
    if (line.size() <= maxCaption)
        return line;
    return line.left(maxCaption) + QChar(0x2026);
}

QString MenuFile::fileName(int index)
{
    static const char *const names[menuCount] = { "blkhlght.mnu", "textattr.mnu", "usercode.mnu" };
    return QLatin1String(names[index]);
}

QString MenuFile::menuCaption(int index)
{
    static const char *const captions[menuCount]
        = { "&Block Tags", "&Text Attributes", "&Additional Tags" };
    return QLatin1String(captions[index]);
}

QString MenuFile::pageCaption(int index)
{
    static const char *const captions[menuCount]
        = { "Block Tags", "Text Attributes", "Additional Tags" };
    return QLatin1String(captions[index]);
}

} // namespace Tarnwick
