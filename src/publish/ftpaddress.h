// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QString>

#include <optional>

// The address arguments of the data connection commands.
namespace Tarnwick::FtpAddress {

// Port named by a 227 reply: after "(" four numbers are skipped (the address
// is never used) and the next two give p1 * 256 + p2. Nothing when the reply
// does not hold two numbers 0..255 there, written in ASCII digits, or names
// port 0.
std::optional<quint16> passivePort(QStringView reply);

// "h1,h2,h3,h4,p1,p2" for PORT; empty for an address that is not IPv4.
QString portArgument(const QHostAddress &address, quint16 port);

struct Site
{
    QString host;
    QString port; // a number, or "ftp" when the address names none
    QString scheme; // in lower case, without "://"; empty when the address names none
    friend bool operator==(const Site &, const Site &) = default;
};

// The host and port of a website URL as the user types it: "host",
// "host:2121", "ftp://host:2121/", "[::1]:21"; a user part and a path are
// dropped, the scheme is kept apart. Nothing when no host is left or the
// port is no number from 1 to 65535.
std::optional<Site> siteAddress(const QString &text);

// The name of a site's password in the desktop keyring: "<user>@<host>:<port>",
// the host in lower case and the port a number (21 when the address names
// none), so that every way of typing one site's address finds one entry.
// Nothing when siteAddress() finds no site.
std::optional<QString> siteKey(const QString &webURL, const QString &user);

// How a scheme of the website URL is served: no scheme and "ftp" in plain
// FTP (unless TLS or SFTP is asked for otherwise), "ftps" and "ftpes" only
// with explicit TLS, "sftp" by SFTP; any other scheme (a web address) is not
// served.
enum class SchemeUse { Plain, Tls, Sftp, Unserved };
SchemeUse schemeUse(const QString &scheme);

} // namespace Tarnwick::FtpAddress
