// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace Tarnwick {

// The value of an attribute as it is written in a tag: after the name come
// optional blanks or line breaks, "=", optional blanks again, then a value in
// double quotes, in single quotes or without quotes. A quoted value ends at
// its closing quote on the same line. An unquoted value ends at white space
// or ">"; so does one whose quote is not closed on its line, which also ends
// at a quote (a lone quote is an empty value).
struct AttributeValue
{
    QString value; // without its quotes; empty for a lone quote or a missing value
    bool hasValue = false; // an "=" follows the name
    qsizetype start = -1; // index of the value's first character, -1 without "="
    qsizetype end = 0; // index just past the value and its closing quote

    // afterName: the index just past the attribute's name.
    static AttributeValue read(QStringView text, qsizetype afterName);

    // The value of the attribute named name in a tag, matched whole and ignoring
    // case; a name without "=" does not count. The tag is read attribute by
    // attribute, so a name inside another attribute's value is never taken.
    static std::optional<QString> find(QStringView tag, QStringView name);
};

} // namespace Tarnwick
