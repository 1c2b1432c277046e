// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace Tarnwick {

class Prompter;

// Where a file an inserted tag names (an image, an applet's class file) has
// to be for the page to find it, and the name the tag gives it.
class EffectsFilePlacement final
{
public:
    EffectsFilePlacement() = delete;

    // A name without a directory, or a file in the page's directory, stays as
    // it is named there. A file elsewhere is copied beside the page when copy
    // is on and then named without its path; left where it is, it is named
    // by its path relative to the page. Nothing (after telling the user) when
    // the copy failed or a different file of that name is already beside the
    // page: that file is kept and the tag must not go in.
    static std::optional<QString> place(Prompter &prompter, const QString &file,
                                        const QString &pageDirectory, bool copy);

    static QString keptMessage(const QString &fileName, const QString &source);
};

} // namespace Tarnwick
