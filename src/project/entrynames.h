// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// What the project commands accept as the names and descriptions of entries.
// A page's target is a file name in the project directory, never a path: a
// name that could reach another directory is refused, and a target read from
// the project list that is no plain name is never used to touch a file.
class EntryNames final
{
public:
    EntryNames() = delete;

    // Not empty, not "." or "..", without "/", "\", ":" or control characters.
    static bool isPlainFileName(const QString &name);
    // The name typed into "Create Page", whose extension is chosen apart:
    // a plain file name without any ".".
    static bool isNewPageName(const QString &name);
    static bool hasControlCharacters(const QString &text);

    // A description read from an imported page's title or typed for it: "-"
    // and control characters become blanks, an empty one the first 25
    // characters of the title, or "New Page".
    static QString importDescription(const QString &typed, const QString &title);

    static constexpr int ImportTitleLength = 25;

    static QString badPageName();
    static QString badFileName(const QString &name);
    static QString controlCharacters();
};

} // namespace Tarnwick
