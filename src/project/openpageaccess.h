// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// What the project commands need of the open pages: whether a page is open
// in a tab, and opening one.
class OpenPageAccess
{
public:
    virtual ~OpenPageAccess() = default;

    // Whether the page at path is open in a tab, its path compared in its
    // cleaned absolute form. When it is open and warn is set, the user is told
    // that the operation cannot be done on an open file.
    virtual bool IsSelectedFileOpen(const QString &path, bool warn) = 0;
    // Opens the page in a new tab; false when it could not be read.
    virtual bool LoadFile(const QString &path, bool inProject) = 0;
};

} // namespace Tarnwick
