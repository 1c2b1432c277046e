// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QStringView>

namespace Tarnwick {

// The HTML elements, their attributes and the closed sets of attribute
// values that completion offers: HTML 4 (with its presentational
// attributes, which the generators still write) and HTML5. Names are lower
// case; every look-up ignores case.
class HtmlVocabulary final
{
public:
    HtmlVocabulary() = delete;

    // Every element, sorted.
    static const QStringList &elements();
    static bool isElement(QStringView name);
    // Elements without content or end tag (BR, IMG, ...).
    static bool isVoid(QStringView name);
    // Elements whose content is text up to their own end tag: no tag inside
    // them is a tag (SCRIPT, STYLE, TEXTAREA, TITLE).
    static bool isRawText(QStringView name);
    // Whether a start tag of `starting` ends an open `open` whose end tag was
    // left out (a new LI ends the open LI, a TABLE the open P).
    static bool endsImplicitly(QStringView open, QStringView starting);

    // The element's own attributes and the global ones, sorted; an unknown
    // element has the global ones.
    static QStringList attributes(QStringView element);

    struct Values
    {
        QStringList names; // sorted; empty when the value is free
        bool keepCase = false; // the values are written as listed (MIME types, "a" and "A")
    };
    // The closed set of values of the element's attribute, if it has one.
    static Values values(QStringView element, QStringView attribute);
};

} // namespace Tarnwick
