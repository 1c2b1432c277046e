// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace Tarnwick {

// Dictionary files keep their letters as single bytes of code page 437; the
// rest of the program works in Unicode. These helpers convert at that border.
// Bytes 0x00-0x7F are ASCII; 0x80-0xFF follow the code page's table.
class CodePage437 final
{
public:
    CodePage437() = delete;

    static QChar toUnicode(quint8 byte);
    static QString toUnicode(QByteArrayView bytes);

    // The byte for a character, or -1 when the code page has none for it.
    static int fromUnicode(QChar ch);
    // The whole text in bytes, or nullopt when any character has no byte.
    static std::optional<QByteArray> fromUnicode(QStringView text);

    static bool isRepresentable(QChar ch) { return fromUnicode(ch) >= 0; }
    static bool isRepresentable(QStringView text);
};

} // namespace Tarnwick
