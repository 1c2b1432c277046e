// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/ftpaddress.h"

namespace Tarnwick::FtpAddress {

namespace {

// Whether a digit of any script, ASCII included, starts at pos.
bool digitAt(QStringView text, qsizetype pos)
{
    if (pos >= text.size())
        return false;
    char32_t c = text.at(pos).unicode();
    if (QChar::isHighSurrogate(c) && pos + 1 < text.size() && text.at(pos + 1).isLowSurrogate())
        c = QChar::surrogateToUcs4(text.at(pos), text.at(pos + 1));
    return QChar::isDigit(c);
}

std::optional<int> number(QStringView text, qsizetype &pos)
{
    while (pos < text.size() && text.at(pos) == QLatin1Char(' '))
        ++pos;
    // Only ASCII digits count: QChar::isDigit() also takes other scripts'
    // digits, which toInt() then reads as nothing. A number running on into
    // such a digit is no number at all.
    int value = 0;
    const qsizetype start = pos;
    while (pos < text.size() && text.at(pos) >= QLatin1Char('0')
           && text.at(pos) <= QLatin1Char('9')) {
        value = qMin(value * 10 + (text.at(pos).unicode() - '0'), 256); // 256: too big
        ++pos;
    }
    if (pos == start || value > 255 || digitAt(text, pos))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<quint16> passivePort(QStringView reply)
{
    qsizetype pos = reply.indexOf(QLatin1Char('('));
    if (pos < 0)
        return std::nullopt;
    ++pos;
    for (int commas = 0; commas < 4; ++commas) {
        pos = reply.indexOf(QLatin1Char(','), pos);
        if (pos < 0)
            return std::nullopt;
        ++pos;
    }
    const auto high = number(reply, pos);
    if (!high || pos >= reply.size() || reply.at(pos) != QLatin1Char(','))
        return std::nullopt;
    ++pos;
    const auto low = number(reply, pos);
    if (!low || (*high == 0 && *low == 0))
        return std::nullopt;
    return static_cast<quint16>(*high * 256 + *low);
}

QString portArgument(const QHostAddress &address, quint16 port)
{
    bool isV4 = false;
    quint32 ip = address.toIPv4Address(&isV4);
    if (!isV4)
        return QString();
    if (address.isLoopback())
        ip = 0x7f000001;
    return QStringLiteral("%1,%2,%3,%4,%5,%6")
        .arg(ip >> 24)
        .arg((ip >> 16) & 0xff)
        .arg((ip >> 8) & 0xff)
        .arg(ip & 0xff)
        .arg(port >> 8)
        .arg(port & 0xff);
}

} // namespace Tarnwick::FtpAddress
