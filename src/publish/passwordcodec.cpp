// SPDX-License-Identifier: GPL-3.0-or-later
#include "passwordcodec.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <algorithm>
#include <cstring>

namespace Tarnwick {

namespace {

using Block = PasswordCodec::Block;
using Key = PasswordCodec::Key;

constexpr quint32 Delta = 0x9E3779B9;
constexpr int Cycles = 32;
constexpr int BlockBytes = 8;
constexpr int WordChars = 6;
constexpr int GroupChars = 2 * WordChars;
constexpr int FirstChar = 63; // '?'

const Key &builtInKey()
{
    static const Key key = PasswordCodec::KeyFromString(PasswordCodec::KeyString);
    return key;
}

// Six characters: bits 31-26, 25-20, 19-14, 13-8, 7-2, then bits 1-0 times 16.
void appendWord(QString &out, quint32 word)
{
    for (int shift = 26; shift >= 2; shift -= 6)
        out += QChar(FirstChar + int((word >> shift) & 0x3F));
    out += QChar(FirstChar + int(word & 0x3) * 16);
}

// Characters outside the alphabet cannot come from EncodeStr; they are masked
// so that a damaged value decodes to garbage rather than to undefined bits.
quint32 readWord(QStringView chars)
{
    quint32 word = 0;
    for (int i = 0; i < WordChars - 1; ++i)
        word = word << 6 | (quint32(chars[i].unicode() - FirstChar) & 0x3F);
    return word << 2 | ((quint32(chars[WordChars - 1].unicode() - FirstChar) / 16) & 0x3);
}

Block readBlock(const QByteArray &bytes, qsizetype offset)
{
    Block block {};
    for (int w = 0; w < 2; ++w)
        for (int i = 0; i < 4; ++i)
            block[w] = block[w] << 8 | quint8(bytes[offset + 4 * w + i]);
    return block;
}

void appendBytes(QByteArray &out, const Block &block)
{
    for (quint32 word : block)
        for (int shift = 24; shift >= 0; shift -= 8)
            out += char((word >> shift) & 0xFF);
}

} // namespace

PasswordCodec::Key PasswordCodec::KeyFromString(const char *text)
{
    std::array<unsigned char, 16> bytes {};
    std::memcpy(bytes.data(), text, std::min(std::strlen(text), bytes.size()));
    Key key {};
    for (int i = 0; i < 4; ++i)
        key[i] = quint32(bytes[4 * i]) << 24 | quint32(bytes[4 * i + 1]) << 16
            | quint32(bytes[4 * i + 2]) << 8 | quint32(bytes[4 * i + 3]);
    return key;
}

PasswordCodec::Block PasswordCodec::Encipher(Block v, const Key &k)
{
    quint32 sum = 0;
    for (int i = 0; i < Cycles; ++i) {
        v[0] += (((v[1] << 4) ^ (v[1] >> 5)) + v[1]) ^ (sum + k[sum & 3]);
        sum += Delta;
        v[1] += (((v[0] << 4) ^ (v[0] >> 5)) + v[0]) ^ (sum + k[(sum >> 11) & 3]);
    }
    return v;
}

PasswordCodec::Block PasswordCodec::Decipher(Block v, const Key &k)
{
    quint32 sum = Delta * Cycles;
    for (int i = 0; i < Cycles; ++i) {
        v[1] -= (((v[0] << 4) ^ (v[0] >> 5)) + v[0]) ^ (sum + k[(sum >> 11) & 3]);
        sum -= Delta;
        v[0] -= (((v[1] << 4) ^ (v[1] >> 5)) + v[1]) ^ (sum + k[sum & 3]);
    }
    return v;
}

QString PasswordCodec::EncodeStr(const QString &text)
{
    // Full 32-bit random words: the vector only needs to be unpredictable.
    QRandomGenerator *random = QRandomGenerator::system();
    return EncodeStr(text, Block { random->generate(), random->generate() });
}

QString PasswordCodec::EncodeStr(const QString &text, Block initialVector)
{
    if (text.trimmed().isEmpty())
        return QString();

    QByteArray bytes = text.toUtf8();
    bytes.append((BlockBytes - bytes.size() % BlockBytes) % BlockBytes, '\0');

    QString out;
    out.reserve(GroupChars * (1 + bytes.size() / BlockBytes));
    Block previous = initialVector;
    appendWord(out, previous[0]);
    appendWord(out, previous[1]);
    for (qsizetype offset = 0; offset < bytes.size(); offset += BlockBytes) {
        Block block = readBlock(bytes, offset);
        block[0] ^= previous[0];
        block[1] ^= previous[1];
        previous = Encipher(block, builtInKey());
        appendWord(out, previous[0]);
        appendWord(out, previous[1]);
    }
    return out;
}

QString PasswordCodec::DecodeStr(const QString &encoded)
{
    const qsizetype groups = encoded.size() / GroupChars;
    if (groups < 2)
        return QString();

    const QStringView view(encoded);
    Block previous { readWord(view.mid(0, WordChars)), readWord(view.mid(WordChars, WordChars)) };
    QByteArray bytes;
    bytes.reserve((groups - 1) * BlockBytes);
    for (qsizetype g = 1; g < groups; ++g) {
        const QStringView group = view.mid(g * GroupChars, GroupChars);
        const Block cipher { readWord(group.mid(0, WordChars)), readWord(group.mid(WordChars)) };
        Block plain = Decipher(cipher, builtInKey());
        plain[0] ^= previous[0];
        plain[1] ^= previous[1];
        appendBytes(bytes, plain);
        previous = cipher;
    }
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QString::fromUtf8(bytes);
}

} // namespace Tarnwick
