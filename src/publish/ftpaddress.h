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

} // namespace Tarnwick::FtpAddress
