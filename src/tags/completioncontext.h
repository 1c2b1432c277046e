// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace Tarnwick {

// What completion offers at a place of the page.
struct Completion
{
    enum class Kind {
        None, // nothing to offer
        ElementName, // after "<"
        AttributeName, // after a blank inside a start tag
        AttributeValue, // after `="` or `='` of an attribute with a closed set of values
        ClosingTag, // after "</": the innermost element still open
    };

    Kind kind = Kind::None;
    // Where the part already typed starts; the choice replaces the text from
    // there to the caret (the end of the text handed in).
    qsizetype start = 0;
    QString prefix; // that part
    QString element; // the tag's element (attributes, values)
    QString attribute; // the value's attribute
    QChar quote; // the quote that opened the value
    // What to offer, as it is to be written, sorted; never empty unless the
    // kind is None.
    QStringList entries;
    bool upperCase = false; // the page's tags are mostly upper case
};

// Reads the text before the caret and tells what to offer there. The text
// may be only the end of the page before the caret (the editor hands in at
// most `reach` characters): tags are read from its start on.
class CompletionContext final
{
public:
    CompletionContext() = delete;

    static constexpr int reach = 65536;

    static Completion at(QStringView before);
};

} // namespace Tarnwick
