// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/ftpreplyreader.h"

namespace Tarnwick {

namespace {

qsizetype leadingDigits(const QByteArray &line)
{
    qsizetype n = 0;
    while (n < line.size() && line.at(n) >= '0' && line.at(n) <= '9')
        ++n;
    return n;
}

} // namespace

QList<FtpReplyReader::Line> FtpReplyReader::feed(QByteArrayView bytes)
{
    QList<Line> lines;
    while (!bytes.isEmpty()) {
        const qsizetype end = bytes.indexOf('\n');
        const QByteArrayView part = end < 0 ? bytes : bytes.first(end);
        const qsizetype room = BufferSize - m_pending.size();
        if (part.size() > room)
            m_overlong = true;
        m_pending.append(part.first(qMin(room, part.size())));
        if (end < 0)
            break;
        if (m_pending.endsWith('\r'))
            m_pending.chop(1);
        lines.append(classify(m_pending));
        m_pending.clear();
        m_overlong = false;
        bytes = bytes.sliced(end + 1);
    }
    return lines;
}

void FtpReplyReader::reset()
{
    m_pending.clear();
    m_overlong = false;
    m_multiLineCode.clear();
}

FtpReplyReader::Line FtpReplyReader::classify(const QByteArray &raw)
{
    Line line;
    line.text = QString::fromUtf8(raw);
    const qsizetype digits = leadingDigits(raw);
    const char next = digits < raw.size() ? raw.at(digits) : ' ';
    if (!m_multiLineCode.isEmpty()) {
        // Inside a multi-line reply only "ddd " with the opening code ends
        // it; text lines may well begin with other numbers.
        if (digits == m_multiLineCode.size() && raw.startsWith(m_multiLineCode) && next == ' ') {
            line.endsReply = true;
            line.code = m_multiLineCode.toInt();
            m_multiLineCode.clear();
        }
        return line;
    }
    if (digits == 0)
        return line;
    if (next == '-') {
        m_multiLineCode = raw.first(qMin<qsizetype>(digits, 9));
        return line;
    }
    line.endsReply = true;
    line.code = raw.first(qMin<qsizetype>(digits, 9)).toInt();
    return line;
}

} // namespace Tarnwick
