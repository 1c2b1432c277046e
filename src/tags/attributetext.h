// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QStringView>

#include <optional>

namespace Tarnwick {

// The attribute under a place in the page source, read the way browsers read
// tags: a value may be double-, single- or unquoted, and a tag may span lines.
class AttributeText final
{
public:
    AttributeText() = delete;

    enum class Part { None, TagName, Attribute };

    struct Hit
    {
        Part part = Part::None;
        QString tagName; // as written, without "<" or "/"
        bool closingTag = false;
        qsizetype start = 0; // the part's text: [start, end) of the text given
        qsizetype end = 0;
        QString name; // attribute name as written
        QString value; // attribute value without its quotes
        bool hasValue = false;
    };

    // What lies at offset (the character under the mouse): the name of a tag,
    // a whole attribute of it (name, "=", value with its quotes), or neither.
    static Hit at(QStringView text, qsizetype offset);

    // What a double click on an attribute does with it.
    enum class Kind {
        Other,
        Color, // a colour attribute with "#" and hexadecimal digits
        BadColor, // a colour attribute whose "#" value is not a colour
        Image, // BACKGROUND, SRC, LOWSRC
        Align,
        VAlign,
        Size,
    };
    static Kind kindOf(const Hit &hit);

    // "#" followed by three or six hexadecimal digits; three stand for six
    // as in "#F00" = "#FF0000".
    static std::optional<QColor> colorValue(const QString &value);
    // TEXT, LINK, VLINK, ALINK and every name holding COLOR.
    static bool isColorAttribute(const QString &name);

    // The attribute written again with a new colour: name, "=", and the colour
    // in double quotes.
    static QString withColor(const QString &attribute, const QColor &color);
};

} // namespace Tarnwick
