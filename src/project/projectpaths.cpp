// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/projectpaths.h"

#include <QDir>

namespace Tarnwick {

namespace {

QString withoutTrailingSeparators(QString path)
{
    while (path.size() > 1
           && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')))) {
        // Keep the root of a drive ("C:\") whole.
        if (path.size() == 3 && path.at(1) == QLatin1Char(':'))
            break;
        path.chop(1);
    }
    return path;
}

} // namespace

QString ProjectPaths::projectDirectory(const QString &programDir, const QString &projectTarget)
{
    if (QDir::isAbsolutePath(projectTarget) || projectTarget.contains(QLatin1Char(':')))
        return withoutTrailingSeparators(projectTarget);
    QString relative = projectTarget;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (programDir.isEmpty())
        return QDir::cleanPath(relative);
    return QDir::cleanPath(programDir + QLatin1Char('/') + relative);
}

QString ProjectPaths::pagePath(const QString &programDir, const QString &projectTarget,
                               const QString &pageTarget)
{
    QString dir = projectDirectory(programDir, projectTarget);
    if (!dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1Char('\\')))
        dir += QLatin1Char('/');
    return dir + pageTarget;
}

bool ProjectPaths::isSettingsEntry(const QString &pageTarget)
{
    return pageTarget == SettingsFileName;
}

} // namespace Tarnwick
