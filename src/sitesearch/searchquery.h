// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QRegularExpression>
#include <QString>

namespace Tarnwick {

// What Find and Replace in Project look for: plain text or a regular
// expression, with or without letter case, whole words or anywhere, and for
// Replace what goes in its place.
struct SearchQuery
{
    QString text;
    bool regularExpression = false;
    bool matchCase = false;
    bool wholeWords = false;
    // In a regular expression's replacement, \0 to \9 stand for the match and
    // its groups and "\\" for a backslash; plain text is put in as it stands.
    QString replacement;

    // The expression to run, or why there is none: an empty search, or a
    // regular expression that does not compile (with the place of the fault).
    Expected<QRegularExpression> compile() const;
    // Whether the expression finds an empty match, which Replace refuses:
    // it would put the replacement between every two characters.
    static bool matchesEmpty(const QRegularExpression &expression);
    // The text that takes the match's place.
    QString replacementFor(const QRegularExpressionMatch &match) const;
};

} // namespace Tarnwick
