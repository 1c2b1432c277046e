// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/themenames.h"

#include <QDir>

namespace Tarnwick {

QString ThemeNames::themesDirectory(const QString &programDirectory)
{
    return QDir(programDirectory).filePath(QStringLiteral("themes"));
}

QStringList ThemeNames::list(const QString &programDirectory)
{
    QDir themes(themesDirectory(programDirectory));
    // Name filters ignore case, as masks do.
    const QStringList files = themes.entryList({ QStringLiteral("t_*.gif") }, QDir::Files);
    QStringList names;
    for (const QString &file : files) {
        const QString name = file.mid(2).section(QLatin1Char('.'), 0, 0);
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

} // namespace Tarnwick
