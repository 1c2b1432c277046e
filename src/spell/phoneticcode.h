// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace Tarnwick {

// A sound-alike code of up to four bytes: the word's first letter, then
// digits for its consonants. Unlike the classic scheme H codes as 2, and a
// character the table does not know codes as the byte 0, which is kept like
// any digit other than '0'.
class PhoneticCode final
{
public:
    PhoneticCode() = delete;

    static constexpr int Length = 4;

    // word is in code page 437. filled pads a short code with '0' to four.
    static QByteArray of(QByteArrayView word, bool filled);

    // Whether code equals the beginning of the filled code full of the same length.
    static bool matchesBeginning(QByteArrayView code, QByteArrayView full)
    {
        return code.size() <= full.size() && full.first(code.size()) == code;
    }

    // The digit of one code page 437 byte (upper-cased A-Z), or 0 when the
    // table has none.
    static char digitOf(quint8 byte);
};

} // namespace Tarnwick
