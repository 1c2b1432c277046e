// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/winsockerror.h"

#include <utility>

namespace Tarnwick::WinsockError {

int fromSocketError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::ProxyConnectionRefusedError:
        return 10061;
    case QAbstractSocket::RemoteHostClosedError:
        return 10054;
    case QAbstractSocket::ProxyConnectionClosedError:
        return 10053;
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::ProxyNotFoundError:
        return 11001;
    case QAbstractSocket::SocketAccessError:
    case QAbstractSocket::ProxyAuthenticationRequiredError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::ProxyConnectionTimeoutError:
        return 10060;
    case QAbstractSocket::DatagramTooLargeError:
        return 10040;
    case QAbstractSocket::NetworkError:
        return 10051;
    case QAbstractSocket::AddressInUseError:
        return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10045;
    case QAbstractSocket::UnfinishedSocketOperationError:
        return 10037;
    case QAbstractSocket::TemporaryError:
        return 10035;
    case QAbstractSocket::OperationError:
    case QAbstractSocket::ProxyProtocolError:
        return 10022;
    default:
        return -1;
    }
}

int fromLookupError(QHostInfo::HostInfoError error)
{
    switch (error) {
    case QHostInfo::NoError:
        return 0;
    case QHostInfo::HostNotFound:
        return 11001;
    default:
        return 11003;
    }
}

QString text(int number)
{
    static const std::pair<int, const char *> texts[] = {
        { 0, "No Error" },
        { 10004, "Interrupted system call" },
        { 10009, "Bad file number" },
        { 10013, "Permission denied" },
        { 10014, "Bad address" },
        { 10022, "Invalid argument" },
        { 10024, "Too many open files" },
        { 10035, "Operation would block" },
        { 10036, "Operation now in progress" },
        { 10037, "Operation already in progress" },
        { 10038, "Socket operation on non-socket" },
        { 10039, "Destination address required" },
        { 10040, "Message too long" },
        { 10041, "Protocol wrong type for socket" },
        { 10042, "Protocol not available" },
        { 10043, "Protocol not supported" },
        { 10044, "Socket type not supported" },
        { 10045, "Operation not supported on socket" },
        { 10046, "Protocol family not supported" },
        { 10047, "Address family not supported by protocol family" },
        { 10048, "Address already in use" },
        { 10049, "Address not available" },
        { 10050, "Network is down" },
        { 10051, "Network is unreachable" },
        { 10052, "Network dropped connection on reset" },
        { 10053, "Connection aborted" },
        { 10054, "Connection reset by peer" },
        { 10055, "No buffer space available" },
        { 10056, "Socket is already connected" },
        { 10057, "Socket is not connected" },
        { 10058, "Can't send after socket shutdown" },
        { 10059, "Too many references: can't splice" },
        { 10060, "Connection timed out" },
        { 10061, "Connection refused" },
        { 10062, "Too many levels of symbolic links" },
        { 10063, "File name too long" },
        { 10064, "Host is down" },
        { 10065, "No route to host" },
        { 10066, "Directory not empty" },
        { 10067, "Too many processes" },
        { 10068, "Too many users" },
        { 10069, "Disc quota exceeded" },
        { 10070, "Stale NFS file handle" },
        { 10071, "Too many levels of remote in path" },
        { 10091, "Network sub-system is unusable" },
        { 10092, "WinSock DLL cannot support this application" },
        { 10093, "WinSock not initialized" },
        { 11001, "Host not found" },
        { 11002, "Non-authoritative host not found" },
        { 11003, "Non-recoverable error" },
        { 11004, "No Data" },
    };
    for (const auto &[n, t] : texts) {
        if (n == number)
            return QString::fromLatin1(t);
    }
    return QStringLiteral("Not a WinSock error");
}

QString replyText(int number)
{
    return QLatin1String("500 ") + text(number) + QLatin1String(" (Winsock error #")
        + QString::number(number) + QLatin1Char(')');
}

} // namespace Tarnwick::WinsockError
