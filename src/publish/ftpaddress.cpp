// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/ftpaddress.h"

#include <algorithm>

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

std::optional<Site> siteAddress(const QString &text)
{
    QString rest = text.trimmed();
    QString schemeName;
    const qsizetype scheme = rest.indexOf(QStringLiteral("://"));
    if (scheme >= 0) {
        schemeName = rest.left(scheme).toLower();
        rest = rest.mid(scheme + 3);
    }
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    if (slash >= 0)
        rest.truncate(slash);
    const qsizetype at = rest.lastIndexOf(QLatin1Char('@'));
    if (at >= 0)
        rest = rest.mid(at + 1);
    Site site;
    site.scheme = schemeName;
    QString port;
    if (rest.startsWith(QLatin1Char('['))) {
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (close < 0)
            return std::nullopt;
        site.host = rest.mid(1, close - 1);
        const QString after = rest.mid(close + 1);
        if (!after.isEmpty()) {
            if (!after.startsWith(QLatin1Char(':')))
                return std::nullopt;
            port = after.mid(1);
        }
    } else if (rest.count(QLatin1Char(':')) == 1) {
        site.host = rest.section(QLatin1Char(':'), 0, 0);
        port = rest.section(QLatin1Char(':'), 1);
    } else {
        site.host = rest; // a bare IPv6 address has several colons and no port
    }
    // No host name holds a blank or a control character; a form feed or a
    // tab would also be lost when the address is written and read again.
    if (site.host.isEmpty()
        || std::any_of(site.host.cbegin(), site.host.cend(),
                       [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; }))
        return std::nullopt;
    if (port.isEmpty()) {
        site.port = QStringLiteral("ftp");
        return site;
    }
    for (const QChar c : std::as_const(port)) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const uint number = port.size() > 5 ? 0 : port.toUInt();
    if (number == 0 || number > 65535)
        return std::nullopt;
    site.port = QString::number(number);
    return site;
}

std::optional<QString> siteKey(const QString &webURL, const QString &user)
{
    const std::optional<Site> site = siteAddress(webURL);
    if (!site)
        return std::nullopt;
    const QString host = site->host.toLower();
    const QString port = site->port == QLatin1String("ftp") ? QStringLiteral("21") : site->port;
    // An IPv6 address keeps its brackets, so the port stays apart from it.
    const bool bracketed = host.contains(QLatin1Char(':'));
    return user + QLatin1Char('@') + (bracketed ? QLatin1Char('[') + host + QLatin1Char(']') : host)
        + QLatin1Char(':') + port;
}

SchemeUse schemeUse(const QString &scheme)
{
    if (scheme.isEmpty() || scheme == QLatin1String("ftp"))
        return SchemeUse::Plain;
    if (scheme == QLatin1String("ftps") || scheme == QLatin1String("ftpes"))
        return SchemeUse::Tls;
    if (scheme == QLatin1String("sftp"))
        return SchemeUse::Sftp;
    return SchemeUse::Unserved;
}

} // namespace Tarnwick::FtpAddress
