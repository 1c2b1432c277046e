// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace Tarnwick {

// How far a dictionary word is from a misspelling, as the edits a typist
// makes: each insertion, deletion, substitution or swap of two neighbouring
// letters costs one, and the slips people make most cost less:
//   - a doubled letter typed once, or a single one typed twice;
//   - two neighbouring letters swapped;
//   - a letter for the same letter with another accent (e for é);
//   - a vowel for a vowel, or a consonant for one that sounds alike
//     (the groups of the phonetic code: b f p v, c g j k q s x z, d t, m n);
//   - a letter for its neighbour on the keyboard;
//   - a silent h or a vowel left out or added.
// Changing the first letter costs extra: people seldom get it wrong.
// Words are lower-case code page 437 bytes.
class SpellingCost final
{
public:
    SpellingCost() = delete;

    // Cost units are hundredths of one plain edit.
    static constexpr int Edit = 100;

    static int between(QByteArrayView misspelling, QByteArrayView word);

    // The number of plain edits (optimal string alignment distance).
    static int edits(QByteArrayView a, QByteArrayView b);

    // The cost of writing typed where intended stands (one letter for another).
    static int substitution(quint8 typed, quint8 intended);
};

} // namespace Tarnwick
