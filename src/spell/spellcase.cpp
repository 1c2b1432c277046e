// SPDX-License-Identifier: GPL-3.0-or-later
#include "spellcase.h"

#include "codepage437.h"

namespace Tarnwick {

quint8 SpellCase::upper(quint8 byte)
{
    if (byte >= 'a' && byte <= 'z')
        return quint8(byte - 'a' + 'A');
    switch (byte) {
    case 0x81: return 0x9A;
    case 0x82: return 0x90;
    case 0x84: return 0x8E;
    case 0x86: return 0x8F;
    case 0x87: return 0x80;
    case 0x91: return 0x92;
    case 0x94: return 0x99;
    case 0xA4: return 0xA5;
    case 0x83: case 0x85: case 0xA0: return 'A';
    case 0x88: case 0x89: case 0x8A: return 'E';
    case 0x8B: case 0x8C: case 0x8D: case 0xA1: return 'I';
    case 0x93: case 0x95: case 0xA2: return 'O';
    case 0x96: case 0xA3: return 'U';
    case 0x98: return 'Y';
    default: return byte;
    }
}

bool SpellCase::isUpperForm(QChar ch)
{
    const int byte = CodePage437::fromUnicode(ch);
    if (byte < 0)
        return ch.toUpper() == ch;
    return upper(quint8(byte)) == byte;
}

namespace {

QChar upperChar(QChar ch)
{
    const int byte = CodePage437::fromUnicode(ch);
    return byte < 0 ? ch.toUpper() : CodePage437::toUnicode(SpellCase::upper(quint8(byte)));
}

} // namespace

QString SpellCase::recase(const QString &entry, const QString &typed)
{
    QString result = entry;
    if (typed.isEmpty())
        return result;
    const QChar t = typed.size() > 1 ? typed.at(1) : typed.at(0);
    if (isUpperForm(t)) {
        for (QChar &ch : result)
            ch = upperChar(ch);
        return result;
    }
    for (QChar &ch : result)
        ch = ch.toLower();
    if (!result.isEmpty() && isUpperForm(typed.at(0)))
        result[0] = upperChar(result.at(0));
    return result;
}

} // namespace Tarnwick
