// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

namespace Tarnwick {

// Turns an FTP password into the printable form stored in PROJECT.INI and
// back. The form only keeps the password from a casual reader of the file:
// every installation uses the same built-in key.
//
// Stored form: a random initial vector, then the password's UTF-8 bytes in
// 8-byte blocks (zero padded) enciphered in CBC mode. Every 32-bit word of
// that output is written as six characters between "?" and "~", so a value
// is 12 characters for the vector plus 12 per block and never holds blanks,
// quotes, "=" or line breaks.
class PasswordCodec final
{
public:
    // Empty or blank text gives an empty result.
    static QString EncodeStr(const QString &text);
    // The inverse of EncodeStr; the text ends at its first zero byte. A value
    // whose length is not a multiple of 12 is decoded as far as whole groups go.
    static QString DecodeStr(const QString &encoded);

    using Block = std::array<quint32, 2>;
    using Key = std::array<quint32, 4>;

    // EncodeStr with a given initial vector, so that a value can be reproduced.
    static QString EncodeStr(const QString &text, Block initialVector);
    // The block cipher (XTEA, 32 cycles) on its own.
    static Block Encipher(Block block, const Key &key);
    static Block Decipher(Block block, const Key &key);
    // The key string's bytes, zero padded to 128 bits, as four big-endian words.
    static Key KeyFromString(const char *text);

    // The built-in key, fixed for every installation.
    static constexpr char KeyString[] = "plover";
};

} // namespace Tarnwick
