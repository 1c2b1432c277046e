// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/ftpaddress.h"
#include "publish/winsockerror.h"

#include <QTest>

using namespace Tarnwick;

class TestFtpAddress final : public QObject
{
    Q_OBJECT

private slots:
    void passivePort_data();
    void passivePort();
    void portArgument_data();
    void portArgument();
    void winsockReplyText_data();
    void winsockReplyText();
    void siteAddress_data();
    void siteAddress();
    void schemes_data();
    void schemes();
};

void TestFtpAddress::passivePort_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("port"); // -1: no port

    QTest::addRow("usual reply") << "227 Entering Passive Mode (127,0,0,1,195,80)." << 50000;
    QTest::addRow("19 and 137") << "227 Entering Passive Mode (10,1,2,3,19,137)" << 19 * 256 + 137;
    QTest::addRow("address numbers are never read") << "227 Passive (a,b,c,d,4,1)" << 1025;
    QTest::addRow("blanks after commas") << "227 Passive (1, 2, 3, 4, 0, 21)" << 21;
    QTest::addRow("no parenthesis") << "227 Passive 1,2,3,4,5,6" << -1;
    QTest::addRow("too few numbers") << "227 Passive (1,2,3,4,5)" << -1;
    QTest::addRow("number above 255") << "227 Passive (1,2,3,4,256,1)" << -1;
    QTest::addRow("port zero") << "227 Passive (1,2,3,4,0,0)" << -1;
    QTest::addRow("200 reply without numbers") << "200 PASV ok" << -1;
    QTest::addRow("digits of another script")
        << QString::fromUtf8("227 (1,2,3,4,5,\xd9\xa6)") << -1;
    QTest::addRow("fullwidth digits") << QString::fromUtf8("227 (1,2,3,4,\xef\xbc\x95,6)") << -1;
    QTest::addRow("ASCII digit then another script's")
        << QString::fromUtf8("227 (1,2,3,4,5,1\xd9\xa6)") << -1;
    QTest::addRow("ASCII digit then a digit beyond the BMP")
        << QString::fromUtf8("227 (1,2,3,4,5,1\xf0\x9d\x9f\x8e)") << -1;
    QTest::addRow("leading zeros") << "227 (1,2,3,4,0004,00001)" << 4 * 256 + 1;
}

void TestFtpAddress::passivePort()
{
    QFETCH(QString, reply);
    QFETCH(int, port);

    const auto found = FtpAddress::passivePort(reply);
    QCOMPARE(found ? int(*found) : -1, port);
}

void TestFtpAddress::portArgument_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("argument");

    QTest::addRow("ordinary address") << "192.168.10.7" << 50000 << "192,168,10,7,195,80";
    QTest::addRow("loopback") << "127.0.0.1" << 1025 << "127,0,0,1,4,1";
    QTest::addRow("other loopback address") << "127.0.0.2" << 21 << "127,0,0,1,0,21";
    QTest::addRow("IPv4 mapped into IPv6") << "::ffff:10.0.0.1" << 256 << "10,0,0,1,1,0";
    QTest::addRow("IPv6 has no PORT form") << "2001:db8::1" << 21 << "";
}

void TestFtpAddress::portArgument()
{
    QFETCH(QString, address);
    QFETCH(int, port);
    QFETCH(QString, argument);

    QCOMPARE(FtpAddress::portArgument(QHostAddress(address), quint16(port)), argument);
}

void TestFtpAddress::winsockReplyText_data()
{
    QTest::addColumn<int>("socketError");
    QTest::addColumn<QString>("text");

    QTest::addRow("refused") << int(QAbstractSocket::ConnectionRefusedError)
                             << "500 Connection refused (Winsock error #10061)";
    QTest::addRow("host not found")
        << int(QAbstractSocket::HostNotFoundError) << "500 Host not found (Winsock error #11001)";
    QTest::addRow("timed out") << int(QAbstractSocket::SocketTimeoutError)
                               << "500 Connection timed out (Winsock error #10060)";
    QTest::addRow("unknown") << int(QAbstractSocket::UnknownSocketError)
                             << "500 Not a WinSock error (Winsock error #-1)";
}

void TestFtpAddress::winsockReplyText()
{
    QFETCH(int, socketError);
    QFETCH(QString, text);

    QCOMPARE(WinsockError::replyText(WinsockError::fromSocketError(
                 static_cast<QAbstractSocket::SocketError>(socketError))),
             text);
}

void TestFtpAddress::siteAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host"); // empty: refused
    QTest::addColumn<QString>("port");
    QTest::addRow("bare host") << "ftp.example.com"
                               << "ftp.example.com"
                               << "ftp";
    QTest::addRow("host and port") << "example.com:2121"
                                   << "example.com"
                                   << "2121";
    QTest::addRow("scheme, port and slash") << "ftp://127.0.0.1:2121/"
                                            << "127.0.0.1"
                                            << "2121";
    QTest::addRow("scheme and path") << " ftp://host/public/x "
                                     << "host"
                                     << "ftp";
    QTest::addRow("user part dropped") << "ftp://me@host:21"
                                       << "host"
                                       << "21";
    QTest::addRow("bracketed IPv6 with port") << "[::1]:2100"
                                              << "::1"
                                              << "2100";
    QTest::addRow("bare IPv6") << "::1"
                               << "::1"
                               << "ftp";
    QTest::addRow("leading zeros") << "host:00021"
                                   << "host"
                                   << "21";
    QTest::addRow("port zero") << "host:0"
                               << ""
                               << "";
    QTest::addRow("port too big") << "host:65536"
                                  << ""
                                  << "";
    QTest::addRow("port not a number") << "host:ftp"
                                       << ""
                                       << "";
    QTest::addRow("empty port") << "host:"
                                << "host"
                                << "ftp";
    QTest::addRow("no host") << "ftp://:21/"
                             << ""
                             << "";
    QTest::addRow("empty") << "  "
                           << ""
                           << "";
    QTest::addRow("line break in host") << "ho\r\nst"
                                        << ""
                                        << "";
    QTest::addRow("form feed after the user part") << "F@\ftt"
                                                   << ""
                                                   << "";
    QTest::addRow("tab in host") << "ftp\t.example.com" << "" << "";
    QTest::addRow("control character in host") << QStringLiteral("ftp\x01x.org") << "" << "";
}

void TestFtpAddress::siteAddress()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(QString, port);
    const std::optional<FtpAddress::Site> site = FtpAddress::siteAddress(text);
    if (host.isEmpty()) {
        QVERIFY(!site);
        return;
    }
    QVERIFY(site);
    QCOMPARE(site->host, host);
    QCOMPARE(site->port, port);
}

void TestFtpAddress::schemes_data()
{
    using Use = FtpAddress::SchemeUse;
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<Use>("use");
    QTest::addRow("none") << "host:21"
                          << "" << Use::Plain;
    QTest::addRow("ftp") << "ftp://host"
                         << "ftp" << Use::Plain;
    QTest::addRow("ftps") << "ftps://host:2121/www"
                          << "ftps" << Use::Tls;
    QTest::addRow("FTPS in capitals") << " FTPS://me@host "
                                      << "ftps" << Use::Tls;
    QTest::addRow("ftpes") << "ftpes://host"
                           << "ftpes" << Use::Tls;
    QTest::addRow("sftp") << "sftp://host:22"
                          << "sftp" << Use::Sftp;
    QTest::addRow("web address") << "http://host/"
                                 << "http" << Use::Unserved;
    QTest::addRow("secure web address") << "https://host"
                                        << "https" << Use::Unserved;
    QTest::addRow("ftp with a suffix") << "ftpx://host"
                                       << "ftpx" << Use::Unserved;
}

void TestFtpAddress::schemes()
{
    QFETCH(QString, text);
    QFETCH(QString, scheme);
    QFETCH(FtpAddress::SchemeUse, use);
    const std::optional<FtpAddress::Site> site = FtpAddress::siteAddress(text);
    QVERIFY(site);
    QCOMPARE(site->host, QStringLiteral("host"));
    QCOMPARE(site->scheme, scheme);
    QCOMPARE(FtpAddress::schemeUse(site->scheme), use);
}

QTEST_GUILESS_MAIN(TestFtpAddress)
#include "tst_ftpaddress.moc"
