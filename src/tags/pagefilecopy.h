// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

class Prompter;

// Puts a file the page is about to refer to beside the page, before the page
// refers to it.
class PageFileCopy final
{
public:
    PageFileCopy() = delete;

    // Copies file into directory under its own name. A different file of that
    // name already there is kept and the user told; that still counts as
    // done. False, after telling the user, when the directory is missing or
    // the copy failed: the page must not change then.
    static bool copyBeside(Prompter &prompter, const QString &file, const QString &directory);
    // Whether two files hold the same bytes; unreadable files count as different.
    static bool sameContent(const QString &a, const QString &b);
};

} // namespace Tarnwick
