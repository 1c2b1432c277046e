// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/ftptransport.h"

#include "publish/tftpclient.h"

#include "pyftpserver.h"
#include "support/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

// The FTP transport against a real server: what SIZE tells about files sent
// in either mode, and pages in folders of their own.
class TestFtpTransport final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void remoteSize_data();
    void remoteSize();
    void pageInAFolderMakesTheFolder();

private:
    static PublishFile file(const QString &dir, const QString &name, bool binary,
                            PublishFile::Kind kind = PublishFile::Kind::Reference)
    {
        PublishFile f;
        f.kind = kind;
        f.localPath = QDir(dir).filePath(name);
        f.remoteName = name;
        f.size = QFileInfo(f.localPath).size();
        f.binary = binary;
        return f;
    }
};

void TestFtpTransport::remoteSize_data()
{
    QTest::addColumn<bool>("binary");
    QTest::addColumn<bool>("upload");
    QTest::addColumn<qint64>("expected"); // -2: nothing told
    // CRLF text: an ASCII transfer stores it with LF on this server, so its
    // size there says nothing about the local file.
    QTest::newRow("binary file on the server") << true << true << qint64(7);
    QTest::newRow("binary file not there") << true << false << qint64(-1);
    QTest::newRow("ASCII file there: size says nothing") << false << true << qint64(-2);
    QTest::newRow("ASCII file not there") << false << false << qint64(-1);
}

void TestFtpTransport::remoteSize()
{
    QFETCH(bool, binary);
    QFETCH(bool, upload);
    QFETCH(qint64, expected);
    QTemporaryDir local, root;
    TestEnvironment::writeFile(local.filePath(QStringLiteral("f.txt")), "a\r\nb\r\n\r");
    PyFtpServer server;
    QVERIFY2(server.start(root.path(), {}), qPrintable(server.error()));
    TFtpClient client;
    FtpTransport transport(&client, nullptr);
    PublishConnector::Site site;
    site.address = QStringLiteral("127.0.0.1:%1").arg(server.port());
    site.user = PyFtpServer::Options().user;
    site.password = PyFtpServer::Options().password;
    QCOMPARE(transport.open(site).status, PublishConnector::Status::Ready);
    transport.beginSend();
    const PublishFile f = file(local.path(), QStringLiteral("f.txt"), binary);
    if (upload)
        QCOMPARE(transport.put(f), QString());
    const std::optional<qint64> size = transport.remoteSize(f);
    QCOMPARE(size.value_or(-2), expected);
    QVERIFY(transport.connected());
    transport.close();
}

// A page below a folder goes there even when the folder is new on the server.
void TestFtpTransport::pageInAFolderMakesTheFolder()
{
    QTemporaryDir local, root;
    QDir(local.path()).mkpath(QStringLiteral("news/2026"));
    TestEnvironment::writeFile(local.filePath(QStringLiteral("news/2026/dec.htm")), "<p>x</p>");
    PyFtpServer server;
    QVERIFY2(server.start(root.path(), {}), qPrintable(server.error()));
    TFtpClient client;
    FtpTransport transport(&client, nullptr);
    PublishConnector::Site site;
    site.address = QStringLiteral("127.0.0.1:%1").arg(server.port());
    site.user = PyFtpServer::Options().user;
    site.password = PyFtpServer::Options().password;
    QCOMPARE(transport.open(site).status, PublishConnector::Status::Ready);
    transport.beginSend();
    QCOMPARE(transport.put(file(local.path(), QStringLiteral("news/2026/dec.htm"), false,
                                PublishFile::Kind::Page)),
             QString());
    transport.close();
    QFile sent(root.filePath(QStringLiteral("news/2026/dec.htm")));
    QVERIFY(sent.open(QIODevice::ReadOnly));
    QCOMPARE(sent.readAll(), QByteArray("<p>x</p>"));
}

QTEST_GUILESS_MAIN(TestFtpTransport)
#include "tst_ftptransport.moc"
