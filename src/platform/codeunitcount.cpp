// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/codeunitcount.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>

namespace Tarnwick {

namespace {

struct Character
{
    int bytes = 0; // 0: left to the control
    int units = 0;
};

Character characterAt(const unsigned char *s, const unsigned char *end)
{
    const unsigned char lead = s[0];
    if (lead < 0x80)
        return { 1, 1 };
    const auto follows = [&](int n) {
        if (end - s < n)
            return false;
        for (int i = 1; i < n; ++i) {
            if ((s[i] & 0xC0) != 0x80)
                return false;
        }
        return true;
    };
    if (lead >= 0xC2 && lead <= 0xDF && follows(2))
        return { 2, 1 };
    if (lead >= 0xE0 && lead <= 0xEF && follows(3)) {
        const unsigned char second = s[1];
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0))
            return {}; // overlong, or a surrogate
        if (lead == 0xEF && (second == 0xB7 || second == 0xBF))
            return {}; // U+FDC0..U+FDFF and U+FFC0..U+FFFF hold noncharacters
        return { 3, 1 };
    }
    if (lead >= 0xF0 && lead <= 0xF4 && follows(4)) {
        const unsigned char second = s[1];
        if ((lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
            return {}; // overlong, or beyond U+10FFFF
        if ((second & 0x0F) == 0x0F && s[2] == 0xBF)
            return {}; // U+xFFC0..U+xFFFF hold noncharacters
        return { 4, 2 };
    }
    return {};
}

// Past the ASCII bytes from s on, eight at a time.
const unsigned char *skipAscii(const unsigned char *s, const unsigned char *end)
{
    while (end - s >= 8) {
        quint64 word;
        std::memcpy(&word, s, sizeof word);
        if (word & 0x8080808080808080ULL)
            break;
        s += 8;
    }
    while (s < end && *s < 0x80)
        ++s;
    return s;
}

const unsigned char *bytesOf(QByteArrayView text)
{
    return reinterpret_cast<const unsigned char *>(text.data());
}

} // namespace

CodeUnitCount::Step CodeUnitCount::count(QByteArrayView text)
{
    const unsigned char *const begin = bytesOf(text);
    const unsigned char *const end = begin + text.size();
    Step step;
    for (const unsigned char *s = begin; s < end;) {
        const unsigned char *const ascii = skipAscii(s, end);
        step.units += ascii - s;
        s = ascii;
        if (s == end)
            break;
        const Character character = characterAt(s, end);
        if (character.bytes == 0) {
            step.bytes = s - begin;
            step.finished = false;
            return step;
        }
        step.units += character.units;
        s += character.bytes;
    }
    step.bytes = text.size();
    return step;
}

CodeUnitCount::Step CodeUnitCount::advance(QByteArrayView text, qsizetype units)
{
    const unsigned char *const begin = bytesOf(text);
    const unsigned char *const end = begin + text.size();
    Step step;
    const unsigned char *s = begin;
    while (s < end && step.units < units) {
        const unsigned char *const ascii
            = skipAscii(s, s + std::min<qsizetype>(end - s, units - step.units));
        step.units += ascii - s;
        s = ascii;
        if (s == end || step.units == units)
            break;
        const Character character = characterAt(s, end);
        if (character.bytes == 0) {
            step.finished = false;
            break;
        }
        if (step.units + character.units > units)
            break; // inside a surrogate pair
        step.units += character.units;
        s += character.bytes;
    }
    step.bytes = s - begin;
    return step;
}

} // namespace Tarnwick
