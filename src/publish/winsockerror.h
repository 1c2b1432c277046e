// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractSocket>
#include <QHostInfo>
#include <QString>

// Socket failures are reported with the Windows Sockets numbers and texts the
// FTP log has always shown, whatever system the program runs on.
namespace Tarnwick::WinsockError {

int fromSocketError(QAbstractSocket::SocketError error);
int fromLookupError(QHostInfo::HostInfoError error);
// "Connection refused" for 10061; "Not a WinSock error" for unknown numbers.
QString text(int number);
// "500 Connection refused (Winsock error #10061)"
QString replyText(int number);

} // namespace Tarnwick::WinsockError
