// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// A tree entry's text is description + " - " + target, split at the first
// hyphen, so a target may hold hyphens and a description may not.
class EntryText final
{
public:
    EntryText() = delete;

    // The characters before the " - " separator.
    static QString EntryDescription(const QString &text);
    // The characters after the " - " separator; without any hyphen, the text
    // without its first character.
    static QString EntryTarget(const QString &text);
    static QString compose(const QString &description, const QString &target);
};

} // namespace Tarnwick
