// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace Tarnwick {

// How alike a candidate looks to a misspelling, 0 to 100: twice the letters
// of the common runs found by repeatedly taking the longest run and
// matching what lies on either side of it, over the two lengths.
class Similarity final
{
public:
    Similarity() = delete;

    // Both words lower case, code page 437.
    static int score(QByteArrayView word, QByteArrayView candidate);
};

} // namespace Tarnwick
