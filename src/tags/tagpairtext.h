// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/tagpair.h"

#include <QString>

namespace Tarnwick {

// Turns the texts that name tags into opening and closing texts: a bare tag,
// a caption that holds both halves, and the tag pair texts of the
// user's menu entries and buttons ("B../B - Bold").
class TagPairText final
{
public:
    TagPairText() = delete;

    // The closing tag of an opening tag, named after the tag alone:
    // "<FONT SIZE=2>" closes with "</FONT>".
    static QString closingTag(const QString &tag);

    // Split after the first ">": "<P ALIGN="left"></P>" gives "<P ALIGN="left">"
    // and "</P>"; a caption with no ">" is all opening text.
    static TagPair captionAsTag(const QString &caption);

    // A tag pair text "{open}..{close} - {words}". The close ends at
    // the first " - " after ".."; a half with neither "<" nor ">" gets angle
    // brackets, an empty half stays empty. A text without ".." wraps in the
    // tag named by its first word, as the tag menus' plain entries do.
    static TagPair unevenTags(const QString &pairText);

    // "H1 - Size 1" wraps in "<H1>" and "</H1>": the first word names the tag.
    static TagPair firstWordTags(const QString &text);
};

} // namespace Tarnwick
