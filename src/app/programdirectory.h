// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>

namespace Tarnwick {

// The program directory: the user's Tarnwick home, which holds the files the
// user changes (project.dat, newpage.htm, menus, relative project folders).
// It is filled from the installed data directory at start, never overwriting
// what the user already has.
class ProgramDirectory
{
public:
    // --home DIR, else $TARNWICK_HOME, else $XDG_DATA_HOME/tarnwick
    // (~/.local/share/tarnwick). Always absolute, always ending in "/".
    static QString resolve(const QString &homeOption);

    // Where the shipped data lives: $TARNWICK_DATA_DIR when set, else
    // <prefix>/share/tarnwick beside the executable's bin/ directory (the
    // build tree stages its data the same way).
    static QString installedDataDirectory();

    // Creates home when missing and copies every shipped file that is not
    // there yet. Help pages, icons and the desktop entry stay in the data
    // directory.
    static Result prepare(const QString &home, const QString &dataDirectory);

    static QString withSlash(const QString &path);
};

} // namespace Tarnwick
