// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzinput.h"

namespace Tarnwick {

FuzzInput::FuzzInput(const uint8_t *data, size_t size)
    : m_data(reinterpret_cast<const char *>(data), qsizetype(size))
{
}

quint8 FuzzInput::takeByte()
{
    return atEnd() ? 0 : quint8(m_data[m_pos++]);
}

qint32 FuzzInput::takeInt()
{
    quint32 value = 0;
    for (int shift = 0; shift < 32; shift += 8)
        value |= quint32(takeByte()) << shift;
    return qint32(value);
}

QByteArray FuzzInput::takeLine()
{
    if (atEnd())
        return {};
    const QByteArrayView rest = m_data.sliced(m_pos);
    const qsizetype end = rest.indexOf('\n');
    if (end < 0) {
        m_pos = m_data.size();
        return rest.toByteArray();
    }
    m_pos += end + 1;
    return rest.first(end).toByteArray();
}

QByteArray FuzzInput::takeRest()
{
    const QByteArray rest = atEnd() ? QByteArray() : m_data.sliced(m_pos).toByteArray();
    m_pos = m_data.size();
    return rest;
}

} // namespace Tarnwick
