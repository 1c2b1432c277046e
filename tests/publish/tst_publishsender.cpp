// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/publishsender.h"

#include "publish/tftpclient.h"

#include "scriptedftpserver.h"
#include "support/testenvironment.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestPublishSender final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void lostConnectionStopsTheSend();
    void summaryListsWhatDidNotArrive();
};

// The server drops the connection at the first transfer: that file fails
// with the reason, the others are not tried, and a file missing here costs
// the server nothing.
void TestPublishSender::lostConnectionStopsTheSend()
{
    QTemporaryDir dir;
    for (const char *name : { "a.htm", "b.htm" })
        TestEnvironment::writeFile(dir.filePath(QLatin1String(name)), "<p>x</p>");
    ScriptedFtpServer server;
    server.answer = [&](const QString &command) -> QByteArray {
        if (command.startsWith(QStringLiteral("USER")))
            return "331 Password please.\r\n";
        if (command.startsWith(QStringLiteral("PASS")))
            return "230 Welcome.\r\n";
        if (command.startsWith(QStringLiteral("TYPE")))
            return "200 Type set.\r\n";
        QMetaObject::invokeMethod(
            &server, [&] { server.closeClient(); }, Qt::QueuedConnection);
        return {};
    };
    TFtpClient client;
    client.SetHostName(QStringLiteral("127.0.0.1"));
    client.SetPort(QString::number(server.port()));
    client.SetUserName(QStringLiteral("ann"));
    client.SetPassWord(QStringLiteral("pw"));
    client.SetTimeout(0); // the closed connection alone must end the wait
    QVERIFY(client.Connect());

    const auto page = [&](const char *name) {
        PublishFile f;
        f.remoteName = QLatin1String(name);
        f.localPath = dir.filePath(f.remoteName);
        f.size = 8;
        return f;
    };
    PublishSender sender(&client);
    QList<int> started;
    connect(&sender, &PublishSender::fileStarted, this, [&](int index) { started.append(index); });
    const QList<PublishSender::FileResult> results
        = sender.send({ page("gone.htm"), page("a.htm"), page("b.htm") });
    QCOMPARE(results.size(), 3);
    QCOMPARE(results.at(0).reason, PublishSender::missingHere());
    QCOMPARE(results.at(1).reason,
             QStringLiteral("500 Connection reset by peer (Winsock error #10054)"));
    QCOMPARE(results.at(2).reason, PublishSender::connectionLost());
    QVERIFY(!PublishSender::allSent(results));
    QCOMPARE(started, QList<int>({ 0, 1 }));
    QCOMPARE(server.commands, QStringList({ "USER ann", "PASS pw", "TYPE A", "PASV" }));
}

void TestPublishSender::summaryListsWhatDidNotArrive()
{
    PublishFile sent, refused;
    sent.remoteName = QStringLiteral("a.htm");
    refused.remoteName = QStringLiteral("img/b.gif");
    const QString text = PublishSender::summaryText(
        { { sent, true, {} }, { refused, false, QStringLiteral("550 No.") } },
        { { QStringLiteral("http://x/"), QStringLiteral("a.htm"), PublishPlan::outsideSite() } },
        { { QStringLiteral("c.gif"), QStringLiteral("a.htm"), PublishPlan::notFound() } });
    QCOMPARE(text,
             QStringLiteral("1 of 2 files sent.\n\nNot sent:\n  img/b.gif: 550 No.\n\n"
                            "Skipped references:\n  http://x/ (in a.htm): address outside "
                            "the site\n\nMissing references:\n  c.gif (in a.htm): not "
                            "found"));
}

QTEST_GUILESS_MAIN(TestPublishSender)
#include "tst_publishsender.moc"
