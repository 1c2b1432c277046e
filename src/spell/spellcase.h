// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// Gives a suggestion the capitals of the word the user typed: all capitals
// when the typed word's second character is not lower case, else lower case
// with a capital first letter when the typed word starts with one.
class SpellCase final
{
public:
    SpellCase() = delete;

    // Capital of a code page 437 byte. Letters whose capital the code page
    // lacks become the unaccented capital.
    static quint8 upper(quint8 byte);
    // Whether ch is unchanged by upper-casing (capitals, digits, apostrophe).
    static bool isUpperForm(QChar ch);

    static QString recase(const QString &entry, const QString &typed);
};

} // namespace Tarnwick
