// SPDX-License-Identifier: GPL-3.0-or-later
#include "spellpaths.h"

#include <QDir>
#include <QFileInfo>

namespace Tarnwick {

QString SpellPaths::resolveCase(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || info.exists())
        return path;
    const QDir dir = info.absoluteDir();
    const QString name = info.fileName();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return path;
}

} // namespace Tarnwick
