// SPDX-License-Identifier: GPL-3.0-or-later
#include "spellingcost.h"

#include "phoneticcode.h"

#include <algorithm>
#include <array>
#include <vector>

namespace Tarnwick {

namespace {

constexpr int Doubling = 40; // "comming", "begining"
constexpr int Swap = 60; // "teh", "thier"
constexpr int Accent = 30; // "cafe" for café
constexpr int SoundAlike = 60; // a vowel for a vowel, "c" for "s"
constexpr int KeyNeighbour = 75; // "w" for "e"
constexpr int QuietLetter = 80; // a vowel or an "h" left out or added
constexpr int FirstLetter = 50; // added to any edit of the first letter

// The letter without its accent, for the accented lower-case letters of
// code page 437; other bytes stay as they are.
constexpr std::array<quint8, 256> makeBase()
{
    std::array<quint8, 256> base {};
    for (int b = 0; b < 256; ++b)
        base[size_t(b)] = quint8(b);
    const auto set = [&base](std::initializer_list<int> bytes, char letter) {
        for (int b : bytes)
            base[size_t(b)] = quint8(letter);
    };
    set({ 0x83, 0x84, 0x85, 0x86, 0xA0 }, 'a');
    set({ 0x87 }, 'c');
    set({ 0x82, 0x88, 0x89, 0x8A }, 'e');
    set({ 0x8B, 0x8C, 0x8D, 0xA1 }, 'i');
    set({ 0xA4 }, 'n');
    set({ 0x93, 0x94, 0x95, 0xA2 }, 'o');
    set({ 0xE1 }, 's');
    set({ 0x81, 0x96, 0x97, 0xA3 }, 'u');
    set({ 0x98 }, 'y');
    return base;
}

constexpr std::array<quint8, 256> Base = makeBase();

// Letters next to each other on the keyboard most people type on.
constexpr std::array<const char *, 3> KeyRows = { "qwertyuiop", "asdfghjkl", "zxcvbnm" };

bool computeKeyNeighbours(quint8 a, quint8 b)
{
    int rowA = -1, colA = -1, rowB = -1, colB = -1;
    for (int row = 0; row < int(KeyRows.size()); ++row) {
        for (int col = 0; KeyRows[size_t(row)][col]; ++col) {
            if (quint8(KeyRows[size_t(row)][col]) == a) {
                rowA = row;
                colA = col;
            }
            if (quint8(KeyRows[size_t(row)][col]) == b) {
                rowB = row;
                colB = col;
            }
        }
    }
    if (rowA < 0 || rowB < 0 || std::abs(rowA - rowB) > 1)
        return false;
    // Each row sits about half a key to the right of the one above.
    const int shift = rowB - rowA; // +1: b is on the row below
    const int dc = colB - colA;
    if (shift == 0)
        return std::abs(dc) == 1;
    return shift > 0 ? (dc == 0 || dc == -1) : (dc == 0 || dc == 1);
}

bool keyNeighbours(quint8 a, quint8 b)
{
    constexpr int Letters = 26;
    static const std::array<bool, Letters *Letters> table = [] {
        std::array<bool, Letters * Letters> t {};
        for (int i = 0; i < Letters; ++i) {
            for (int j = 0; j < Letters; ++j)
                t[size_t(i * Letters + j)] = computeKeyNeighbours(quint8('a' + i), quint8('a' + j));
        }
        return t;
    }();
    if (a < 'a' || a > 'z' || b < 'a' || b > 'z')
        return false;
    return table[size_t((a - 'a') * Letters + (b - 'a'))];
}

bool isVowel(quint8 b)
{
    return PhoneticCode::digitOf(Base[b]) == '0' && Base[b] != 'w' && Base[b] != 'h';
}

// A letter one may leave out or add without changing the sound much.
int insertOrDelete(QByteArrayView word, qsizetype at, quint8 letter)
{
    const bool doubled = (at > 0 && quint8(word[at - 1]) == letter)
        || (at + 1 < word.size() && quint8(word[at + 1]) == letter);
    if (doubled)
        return Doubling;
    if (PhoneticCode::digitOf(Base[letter]) == '0' || Base[letter] == 'h')
        return QuietLetter;
    return SpellingCost::Edit;
}

} // namespace

int SpellingCost::substitution(quint8 typed, quint8 intended)
{
    if (typed == intended)
        return 0;
    if (Base[typed] == Base[intended])
        return Accent;
    if (isVowel(typed) && isVowel(intended))
        return SoundAlike;
    const char digit = PhoneticCode::digitOf(Base[typed]);
    // H shares its group with the hissing letters but sounds like none of them.
    if (digit != 0 && digit != '0' && digit != '4' && digit != '6' && Base[typed] != 'h'
        && Base[intended] != 'h' && digit == PhoneticCode::digitOf(Base[intended]))
        return SoundAlike;
    if (keyNeighbours(Base[typed], Base[intended]))
        return KeyNeighbour;
    return Edit;
}

int SpellingCost::between(QByteArrayView w, QByteArrayView c)
{
    const qsizetype m = w.size();
    const qsizetype n = c.size();
    // d[i][j]: cost of turning the first i letters of w into the first j of c.
    std::vector<int> d(size_t((m + 1) * (n + 1)));
    const auto at = [&](qsizetype i, qsizetype j) -> int & { return d[size_t(i * (n + 1) + j)]; };
    const auto first = [](qsizetype i) { return i == 1 ? FirstLetter : 0; };
    at(0, 0) = 0;
    for (qsizetype i = 1; i <= m; ++i)
        at(i, 0) = at(i - 1, 0) + insertOrDelete(w, i - 1, quint8(w[i - 1])) + first(i);
    for (qsizetype j = 1; j <= n; ++j)
        at(0, j) = at(0, j - 1) + insertOrDelete(c, j - 1, quint8(c[j - 1])) + first(j);
    for (qsizetype i = 1; i <= m; ++i) {
        for (qsizetype j = 1; j <= n; ++j) {
            const quint8 a = quint8(w[i - 1]);
            const quint8 b = quint8(c[j - 1]);
            // Only an edit that changes, drops or comes before the first letter
            // pays for it.
            int best = at(i - 1, j - 1) + (a == b ? 0 : substitution(a, b) + first(std::min(i, j)));
            best = std::min(best, at(i - 1, j) + insertOrDelete(w, i - 1, a) + first(i));
            best = std::min(best, at(i, j - 1) + insertOrDelete(c, j - 1, b) + first(j));
            if (i > 1 && j > 1 && a == quint8(c[j - 2]) && quint8(w[i - 2]) == b && a != b)
                best = std::min(best, at(i - 2, j - 2) + Swap + (i == 2 ? FirstLetter : 0));
            at(i, j) = best;
        }
    }
    return at(m, n);
}

int SpellingCost::edits(QByteArrayView a, QByteArrayView b)
{
    const qsizetype m = a.size();
    const qsizetype n = b.size();
    std::vector<int> d(size_t((m + 1) * (n + 1)));
    const auto at = [&](qsizetype i, qsizetype j) -> int & { return d[size_t(i * (n + 1) + j)]; };
    for (qsizetype i = 0; i <= m; ++i)
        at(i, 0) = int(i);
    for (qsizetype j = 0; j <= n; ++j)
        at(0, j) = int(j);
    for (qsizetype i = 1; i <= m; ++i) {
        for (qsizetype j = 1; j <= n; ++j) {
            int best = std::min({ at(i - 1, j) + 1, at(i, j - 1) + 1,
                                  at(i - 1, j - 1) + (a[i - 1] == b[j - 1] ? 0 : 1) });
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                best = std::min(best, at(i - 2, j - 2) + 1);
            at(i, j) = best;
        }
    }
    return at(m, n);
}

} // namespace Tarnwick
