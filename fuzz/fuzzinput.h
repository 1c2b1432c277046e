// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

namespace Tarnwick {

// Cuts a fuzzer's input into the pieces a harness needs, front to back. Every
// take gives a value however short the input is (missing bytes count as 0).
class FuzzInput final
{
public:
    FuzzInput(const uint8_t *data, size_t size);

    bool atEnd() const { return m_pos >= m_data.size(); }
    quint8 takeByte();
    // Four bytes, little-endian.
    qint32 takeInt();
    // The bytes up to the next LF, which is dropped; the rest when there is none.
    QByteArray takeLine();
    QByteArray takeRest();

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

} // namespace Tarnwick
