// SPDX-License-Identifier: GPL-3.0-or-later
#include "phoneticcode.h"

#include <array>

namespace Tarnwick {

namespace {

constexpr std::array<char, 256> makeDigits()
{
    std::array<char, 256> digits{};
    const auto set = [&digits](const char *chars, char digit) {
        for (; *chars; ++chars)
            digits[quint8(*chars)] = digit;
    };
    const auto range = [&digits](int from, int to, char digit) {
        for (int b = from; b <= to; ++b)
            digits[size_t(b)] = digit;
    };
    set("AEIOUWY", '0');
    range(0x81, 0x86, '0');
    range(0x88, 0x9A, '0');
    range(0xA0, 0xA3, '0');
    set("BFPV", '1');
    range(0x9F, 0x9F, '1');
    set("CGHJKQSXZ", '2');
    range(0x80, 0x80, '2');
    range(0x87, 0x87, '2');
    set("DT", '3');
    set("L", '4');
    set("MN", '5');
    range(0xA4, 0xA5, '5');
    set("R", '6');
    return digits;
}

constexpr std::array<char, 256> Digits = makeDigits();

constexpr quint8 upperAscii(quint8 byte)
{
    return byte >= 'a' && byte <= 'z' ? quint8(byte - 'a' + 'A') : byte;
}

} // namespace

char PhoneticCode::digitOf(quint8 byte)
{
    return Digits[upperAscii(byte)];
}

QByteArray PhoneticCode::of(QByteArrayView word, bool filled)
{
    QByteArray code;
    code.reserve(Length);
    if (!word.isEmpty()) {
        code += char(upperAscii(quint8(word[0])));
        bool haveKept = false;
        char lastKept = 0;
        for (qsizetype i = 1; i < word.size() && code.size() < Length; ++i) {
            const char digit = digitOf(quint8(word[i]));
            if (digit == '0')
                continue;
            if (i != 1 && haveKept && digit == lastKept)
                continue;
            code += digit;
            lastKept = digit;
            haveKept = true;
        }
    }
    if (filled)
        while (code.size() < Length)
            code += '0';
    return code;
}

} // namespace Tarnwick
