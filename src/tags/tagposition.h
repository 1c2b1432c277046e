// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/textlines.h"

#include <QStringView>

#include <optional>

namespace Tarnwick {

// Where a place in the page source stands: inside a tag, inside the body.
// Searches ignore case and match tag names whole ("<bodyx" is no body).
class TagPosition final
{
public:
    TagPosition() = delete;

    // The caret between two characters of one line is inside a tag when a
    // ">" comes after it before any "<", or a "<" before it before any ">".
    // Only this line counts: a tag that spans lines counts as outside.
    static bool InATag(QStringView lineText, int column);
    // The same on part of a line: window holds the line's text from some
    // column on, column counts within the window, and atStart and atEnd say
    // whether it begins at the line's start and ends at its end. Empty when
    // the answer lies outside the window.
    static std::optional<bool> InATagWithin(QStringView window, int column, bool atStart,
                                            bool atEnd);

    struct Body
    {
        bool openFound = false; // a "<body" tag
        LineColumn openEnd; // just behind its ">" (the text's end when it has none)
        bool closeFound = false; // a "</body" after it
        LineColumn closeStart; // the second closing tag when there are two
        int closings = 0; // closing tags after the opening one, counted up to 2
    };
    static Body findBody(QStringView text);

    // At or behind the end of the opening tag and at or before the start of
    // the closing one; with no closing tag the body runs to the end. No
    // opening tag: outside.
    static bool insideBody(const Body &body, LineColumn caret);
};

} // namespace Tarnwick
