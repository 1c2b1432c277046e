// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace Tarnwick {

// UTF-16 code units (QString's columns) of UTF-8 text, counted quickly. Only
// characters the editor control would count the same way are counted: the
// count stops in front of bytes that are not strict UTF-8 and of the
// noncharacters around U+FDD0 and U+xFFFE, which the control counts its own
// way, byte by byte. An unfinished count says where it stopped.
class CodeUnitCount final
{
public:
    CodeUnitCount() = delete;

    struct Step
    {
        qsizetype bytes = 0; // counted, from the start
        qsizetype units = 0; // in those bytes
        bool finished = true; // false: stopped in front of a character left to the control
    };

    // All the units of text.
    static Step count(QByteArrayView text);
    // As many whole characters as make up units code units: fewer at the
    // end of the text and in front of a surrogate pair that units would
    // split (both finished).
    static Step advance(QByteArrayView text, qsizetype units);
};

} // namespace Tarnwick
