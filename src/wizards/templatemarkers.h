// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace Tarnwick {

// The marker comments of a page template: "<!--##" + kind + "-->" on a line
// of its own, governing the line (or three lines) below it.
class TemplateMarkers final
{
public:
    TemplateMarkers() = delete;

    // In the order a marker line is tested: the first kind whose text the
    // line holds wins ("<!--##MailLink" is tested after "<!--##Link", which
    // it does not contain).
    enum class Kind { None, Heading, Defaults, Text, Image, Link, MailLink, Body, Invalid };

    static QString prefix(); // "<!--##"
    // None when the line holds no marker, Invalid for a marker of no known kind.
    static Kind kindOf(const QString &line);
    // The number of slot lines below a marker of that kind.
    static int slotLines(Kind kind);

    // A page's line by number, from 1.
    using LineSource = std::function<QString(int line)>;
    // The first marker line after `current`, searching up to the
    // second-to-last line (a marker needs a slot line below it); 0 when none.
    static int next(const LineSource &line, int current, int lineCount);
    // The last marker line before `current`; 0 when none.
    static int previous(const LineSource &line, int current);
};

} // namespace Tarnwick
