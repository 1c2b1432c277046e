// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// Turns the targets of tree entries into paths. Relative project directories
// live below the program directory, whatever the current directory is.
class ProjectPaths final
{
public:
    ProjectPaths() = delete;

    // An absolute target (or one with a drive colon) as it is; a relative one
    // below programDir, its backslashes read as separators. No trailing "/".
    static QString projectDirectory(const QString &programDir, const QString &projectTarget);
    static QString pagePath(const QString &programDir, const QString &projectTarget,
                            const QString &pageTarget);
    // The page entry that stands for the project's settings file.
    static bool isSettingsEntry(const QString &pageTarget);

    static inline const QString SettingsFileName = QStringLiteral("PROJECT.INI");
};

} // namespace Tarnwick
