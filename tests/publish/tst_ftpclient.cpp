// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/tftpclient.h"

#include "pyftpserver.h"
#include "scriptedftpserver.h"
#include "support/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Tarnwick;

namespace {

// What the client reported through its signals.
struct Log
{
    QStringList display;
    QList<std::pair<TFtpRequest, int>> done;
    QList<qint64> progress;

    void attach(TFtpClient &client)
    {
        QObject::connect(&client, &TFtpClient::OnDisplay, &client,
                         [this](const QString &line) { display.append(line); });
        QObject::connect(&client, &TFtpClient::OnRequestDone, &client,
                         [this](TFtpRequest request, int error) {
                             done.append({ request, error });
                         });
        QObject::connect(&client, &TFtpClient::OnProgress, &client,
                         [this](qint64 count, bool &) { progress.append(count); });
    }
    bool displayed(const QString &line) const { return display.contains(line); }
};

QByteArray randomBytes(qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    auto *words = reinterpret_cast<quint32 *>(bytes.data());
    QRandomGenerator generator(size);
    generator.fillRange(words, size / 4);
    for (qint64 i = size / 4 * 4; i < size; ++i)
        bytes[i] = char(i);
    return bytes;
}

quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

} // namespace

class TestFtpClient final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loginAndMissingDirectory();
    void userAnsweredWith230GetsNoPass();
    void multiLineGreeting();
    void upload_data();
    void upload();
    void abortFromProgress_data();
    void abortFromProgress();
    void putFailure_data();
    void putFailure();
    void connectionRefused();
    void refusals_data();
    void refusals();
    void tlsUpload_data();
    void tlsUpload();
    void tlsUntrustedCertificateSendsNoPassword();
    void certificateQuestion_data();
    void certificateQuestion();
    void dataCertificateHoldsToThePin_data();
    void dataCertificateHoldsToThePin();
    void passiveGoesToControlAddress();
    void overlongReply();
    void replySplitAcrossPackets();
    void silentServer_data();
    void silentServer();
    void serverClosesConnection();
    void timeoutZeroWaitsForASlowReply();

private:
    std::unique_ptr<TFtpClient> newClient(quint16 port) const;
    QString localFile(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_local;
    QTemporaryDir m_root;
    PyFtpServer m_server;
    PyFtpServer::Options m_options;
};

void TestFtpClient::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_local.isValid() && m_root.isValid());
    QVERIFY2(m_server.start(m_root.path(), m_options), qPrintable(m_server.error()));
}

std::unique_ptr<TFtpClient> TestFtpClient::newClient(quint16 port) const
{
    auto client = std::make_unique<TFtpClient>();
    client->SetHostName(QStringLiteral("127.0.0.1"));
    client->SetPort(QString::number(port));
    client->SetUserName(m_options.user);
    client->SetPassWord(m_options.password);
    client->SetTimeout(20);
    client->SetPassive(true);
    return client;
}

QString TestFtpClient::localFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_local.filePath(name);
    TestEnvironment::writeFile(path, bytes);
    return path;
}

// The publishing dialog's way of making a missing directory: CWD answered
// 550 leads to PWD, MKD and CWD again, each started from OnRequestDone of
// the one before while the first operation still waits.
void TestFtpClient::loginAndMissingDirectory()
{
    auto client = newClient(m_server.port());
    Log log;
    log.attach(*client);
    QVERIFY2(client->Connect(), qPrintable(client->ErrorMessage()));
    QVERIFY(log.displayed(QStringLiteral("> USER tester")));
    QVERIFY(log.displayed(QStringLiteral("> PASS ****")));
    QVERIFY(!log.display.join(QLatin1Char('\n')).contains(m_options.password));

    QList<bool> nested;
    connect(client.get(), &TFtpClient::OnRequestDone, client.get(),
            [&](TFtpRequest request, int error) {
                if (request == TFtpRequest::Cwd && error == 550) {
                    client->SetHostFileName(client->HostDirName());
                    nested.append(client->Pwd());
                } else if (request == TFtpRequest::Pwd) {
                    nested.append(client->Mkd());
                } else if (request == TFtpRequest::Mkd && error == 0) {
                    nested.append(client->Cwd());
                }
            });
    client->SetHostDirName(QStringLiteral("site dir"));
    QVERIFY(!client->Cwd());
    QCOMPARE(nested, (QList<bool> { true, true, true }));
    QVERIFY(QFileInfo(m_root.filePath(QStringLiteral("site dir"))).isDir());

    QList<std::pair<TFtpRequest, int>> expected { { TFtpRequest::Connect, 0 },
                                                  { TFtpRequest::Cwd, 550 },
                                                  { TFtpRequest::Pwd, 0 },
                                                  { TFtpRequest::Mkd, 0 },
                                                  { TFtpRequest::Cwd, 0 } };
    QCOMPARE(log.done, expected);
    const QStringList commands = m_server.commands().mid(m_server.commands().size() - 4);
    QCOMPARE(commands, (QStringList { "CWD site dir", "PWD", "MKD site dir", "CWD site dir" }));
    QVERIFY(client->Quit());
    QVERIFY(!client->Connected());
}

void TestFtpClient::userAnsweredWith230GetsNoPass()
{
    QTemporaryDir root;
    PyFtpServer server;
    PyFtpServer::Options options;
    options.noPasswordUser = QStringLiteral("guest");
    QVERIFY2(server.start(root.path(), options), qPrintable(server.error()));
    auto client = newClient(server.port());
    client->SetUserName(QStringLiteral("guest"));
    QVERIFY2(client->Connect(), qPrintable(client->ErrorMessage()));
    QVERIFY(client->Pwd());
    QCOMPARE(server.commands(), (QStringList { "USER guest", "PWD" }));
}

void TestFtpClient::multiLineGreeting()
{
    QTemporaryDir root;
    PyFtpServer server;
    PyFtpServer::Options options;
    options.banner
        = QStringLiteral("Welcome to the publishing test server, whose greeting is long\\n"
                         "220-and spread over\\nseveral lines");
    QVERIFY2(server.start(root.path(), options), qPrintable(server.error()));
    auto client = newClient(server.port());
    Log log;
    log.attach(*client);
    QVERIFY2(client->Connect(), qPrintable(client->ErrorMessage()));
    QVERIFY(log.displayed(QStringLiteral("< 220-and spread over")));
    QVERIFY(log.displayed(QStringLiteral("< 220 ")));
    QCOMPARE(log.done, (QList<std::pair<TFtpRequest, int>> { { TFtpRequest::Connect, 0 } }));
}

void TestFtpClient::upload_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("binary");
    QTest::addColumn<bool>("passive");

    QTest::addRow("empty file") << qint64(0) << true << true;
    QTest::addRow("small file") << qint64(1000) << true << true;
    QTest::addRow("whole number of blocks") << qint64(1514 * 3) << true << true;
    QTest::addRow("one byte over a chunk") << qint64(1514 * 173 + 1) << true << true;
    QTest::addRow("50 MB") << qint64(50 * 1024 * 1024) << true << true;
    QTest::addRow("active data connection") << qint64(300000) << true << false;
    QTest::addRow("ASCII type") << qint64(5000) << false << true;
}

void TestFtpClient::upload()
{
    QFETCH(qint64, size);
    QFETCH(bool, binary);
    QFETCH(bool, passive);

    QByteArray bytes = randomBytes(size);
    if (!binary) {
        // Text without CR: the server turns CR LF into its own line end.
        bytes = QByteArray(size, 'a');
        for (qint64 i = 40; i < size; i += 41)
            bytes[i] = '\n';
    }
    const QString name
        = QStringLiteral("upload-%1.bin").arg(QTest::currentDataTag()).replace(' ', '-');
    auto client = newClient(m_server.port());
    Log log;
    log.attach(*client);
    QVERIFY2(client->Connect(), qPrintable(client->ErrorMessage()));
    client->SetBinary(binary);
    QVERIFY(client->TypeSet());
    QVERIFY(log.displayed(binary ? QStringLiteral("> TYPE I") : QStringLiteral("> TYPE A")));
    client->SetPassive(passive);
    client->SetLocalFileName(localFile(name, bytes));
    client->SetHostFileName(name);
    log.progress.clear();
    QVERIFY2(client->Put(), qPrintable(client->ErrorMessage()));

    QCOMPARE(TestEnvironment::readFile(m_root.filePath(name)), bytes);
    const qint64 blocks = (size + 1513) / 1514;
    QCOMPARE(log.progress.size(), blocks);
    for (qint64 i = 0; i < blocks; ++i) {
        if (log.progress[i] != qMin((i + 1) * 1514, size))
            QFAIL(qPrintable(QStringLiteral("progress %1 is %2").arg(i).arg(log.progress[i])));
    }
    const QString note = QStringLiteral("! %1 bytes received/sent in ").arg(size);
    QVERIFY(std::any_of(log.display.begin(), log.display.end(),
                        [&](const QString &line) { return line.startsWith(note); }));
    const QString setup = passive ? QStringLiteral("> PASV") : QStringLiteral("> PORT 127,0,0,1,");
    QVERIFY(std::any_of(log.display.begin(), log.display.end(),
                        [&](const QString &line) { return line.startsWith(setup); }));
    QVERIFY(client->Quit());
}

void TestFtpClient::abortFromProgress_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("abortAt");
    QTest::addRow("after three blocks") << qint64(4 * 1024 * 1024) << qint64(1514 * 3);
    // A full gauge means every byte has left this computer: stopping then
    // loses nothing of the file.
    QTest::addRow("when the gauge is full, less than a chunk") << qint64(5000) << qint64(5000);
}

void TestFtpClient::abortFromProgress()
{
    QFETCH(qint64, size);
    QFETCH(qint64, abortAt);
    const QByteArray bytes = randomBytes(size);
    auto client = newClient(m_server.port());
    Log log;
    log.attach(*client);
    QVERIFY(client->Connect());
    connect(client.get(), &TFtpClient::OnProgress, client.get(),
            [abortAt](qint64 count, bool &abort) { abort = count >= abortAt; });
    const QString name = QStringLiteral("abort-%1.bin").arg(size);
    client->SetLocalFileName(localFile(name, bytes));
    client->SetHostFileName(name);
    QVERIFY(!client->Put());
    QCOMPARE(client->ErrorMessage(), QStringLiteral("426 Operation aborted."));
    QCOMPARE(log.progress.size(), (abortAt + 1513) / 1514);
    QCOMPARE(log.progress.last(), abortAt);
    QVERIFY(log.displayed(QStringLiteral("! Abort requested")));
    QCOMPARE(log.done.last(), (std::pair { TFtpRequest::Put, 426 }));
    if (abortAt < size)
        QVERIFY(QFileInfo(m_root.filePath(name)).size() < bytes.size());
    else
        QCOMPARE(TestEnvironment::readFile(m_root.filePath(name)), bytes);

    // The connection is still good for the next file.
    disconnect(client.get(), &TFtpClient::OnProgress, nullptr, nullptr);
    client->SetLocalFileName(localFile(QStringLiteral("after.bin"), "after abort"));
    client->SetHostFileName(QStringLiteral("after.bin"));
    QVERIFY2(client->Put(), qPrintable(client->ErrorMessage()));
    QCOMPARE(TestEnvironment::readFile(m_root.filePath(QStringLiteral("after.bin"))),
             QByteArray("after abort"));
}

void TestFtpClient::putFailure_data()
{
    QTest::addColumn<QString>("localName");
    QTest::addColumn<QString>("remoteName");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("message");

    QTest::addRow("local file missing")
        << "missing.htm"
        << "missing.htm" << 426 << "426 Unable to open local file %1";
    QTest::addRow("server refuses STOR")
        << "page.htm"
        << "no/such/dir/page.htm" << 550 << "550 No such file or directory.";
}

// A failed upload leaves the session usable: the next upload goes through.
void TestFtpClient::putFailure()
{
    QFETCH(QString, localName);
    QFETCH(QString, remoteName);
    QFETCH(int, error);
    QFETCH(QString, message);

    const QString page = localFile(QStringLiteral("page.htm"), "<p>page</p>");
    const QString local = m_local.filePath(localName);
    if (message.contains(QLatin1String("%1")))
        message = message.arg(local);
    auto client = newClient(m_server.port());
    Log log;
    log.attach(*client);
    QVERIFY(client->Connect());
    client->SetLocalFileName(local);
    client->SetHostFileName(remoteName);
    QVERIFY(!client->Put());
    QCOMPARE(client->ErrorMessage(), message);
    QCOMPARE(log.done.last(), (std::pair { TFtpRequest::Put, error }));

    client->SetLocalFileName(page);
    client->SetHostFileName(QStringLiteral("after-failure.htm"));
    QVERIFY2(client->Put(), qPrintable(client->ErrorMessage()));
    QCOMPARE(TestEnvironment::readFile(m_root.filePath(QStringLiteral("after-failure.htm"))),
             QByteArray("<p>page</p>"));
}

void TestFtpClient::connectionRefused()
{
    auto client = newClient(closedPort());
    Log log;
    log.attach(*client);
    QVERIFY(!client->Connect());
    QCOMPARE(client->ErrorMessage(),
             QStringLiteral("500 Connection refused (Winsock error #10061)"));
    QCOMPARE(log.done, (QList<std::pair<TFtpRequest, int>> { { TFtpRequest::Connect, 500 } }));
    QVERIFY(!client->Connected());
}

void TestFtpClient::refusals_data()
{
    QTest::addColumn<bool>("connect");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("error");

    QTest::addRow("CWD without directory") << true << "Cwd"
                                           << "HostDirName"
                                           << ""
                                           << "HostDirName emtpy";
    QTest::addRow("USER without name") << true << "User"
                                       << "UserName"
                                       << ""
                                       << "UserName emtpy";
    QTest::addRow("PASS without password") << true << "Pass"
                                           << "PassWord"
                                           << ""
                                           << "Password emtpy";
    QTest::addRow("Put without local file") << true << "Put"
                                            << "LocalFileName"
                                            << ""
                                            << "LocalFileName empty";
    QTest::addRow("Put unconnected") << false << "Put"
                                     << ""
                                     << ""
                                     << "STOR/APPE: not connected";
    QTest::addRow("Connect twice") << true << "Connect"
                                   << ""
                                   << ""
                                   << "FTP component already connected";
    QTest::addRow("PWD unconnected") << false << "Pwd"
                                     << ""
                                     << ""
                                     << "FTP component not connected";
    QTest::addRow("QUIT unconnected") << false << "Quit"
                                      << ""
                                      << ""
                                      << "FTP component not connected";
    QTest::addRow("CR LF in file name") << true << "Put"
                                        << "HostFileName"
                                        << "a.htm\r\nDELE index.htm"
                                        << "HostFileName contains CR or LF";
    QTest::addRow("LF in directory") << true << "Cwd"
                                     << "HostDirName"
                                     << "www\nRMD www"
                                     << "HostDirName contains CR or LF";
    QTest::addRow("CR in directory to make") << true << "Mkd"
                                             << "HostFileName"
                                             << "new\rRMD x"
                                             << "HostFileName contains CR or LF";
}

void TestFtpClient::refusals()
{
    QFETCH(bool, connect);
    QFETCH(QString, operation);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, error);

    ScriptedFtpServer server;
    server.answer = [](const QString &command) -> QByteArray {
        if (command.startsWith(QLatin1String("USER")))
            return "331 Password please\r\n";
        return "230 Welcome\r\n";
    };
    auto client = newClient(server.port());
    client->SetLocalFileName(localFile(QStringLiteral("page.htm"), "<p>"));
    client->SetHostFileName(QStringLiteral("page.htm"));
    client->SetHostDirName(QStringLiteral("www"));
    if (connect)
        QVERIFY2(client->Connect(), qPrintable(client->ErrorMessage()));
    if (field == QLatin1String("HostDirName"))
        client->SetHostDirName(value);
    else if (field == QLatin1String("HostFileName"))
        client->SetHostFileName(value);
    else if (field == QLatin1String("UserName"))
        client->SetUserName(value);
    else if (field == QLatin1String("PassWord"))
        client->SetPassWord(value);
    else if (field == QLatin1String("LocalFileName"))
        client->SetLocalFileName(value);
    Log log;
    log.attach(*client);
    const QStringList before = server.commands;

    bool result = true;
    if (operation == QLatin1String("Cwd"))
        result = client->Cwd();
    else if (operation == QLatin1String("User"))
        result = client->User();
    else if (operation == QLatin1String("Pass"))
        result = client->Pass();
    else if (operation == QLatin1String("Put"))
        result = client->Put();
    else if (operation == QLatin1String("Connect"))
        result = client->Connect();
    else if (operation == QLatin1String("Pwd"))
        result = client->Pwd();
    else if (operation == QLatin1String("Quit"))
        result = client->Quit();
    else if (operation == QLatin1String("Mkd"))
        result = client->Mkd();
    QVERIFY(!result);
    QCOMPARE(client->ErrorMessage(), error);
    QCoreApplication::processEvents(); // anything the refusal posted
    QVERIFY(log.done.isEmpty());
    QVERIFY(log.display.isEmpty());
    if (client->Connected()) {
        // The connection keeps its order: the next command is the first the server sees.
        client->Pwd();
        QCOMPARE(server.commands, before + QStringList { QStringLiteral("PWD") });
    } else {
        QCOMPARE(server.commands, before);
    }
}

void TestFtpClient::tlsUpload_data()
{
    QTest::addColumn<bool>("passive");
    QTest::addRow("passive") << true;
    QTest::addRow("active") << false;
}

// The strict server refuses an upload whose data connection does not resume
// the control connection's TLS session or ends without a TLS close.
void TestFtpClient::tlsUpload()
{
    QFETCH(bool, passive);

    QTemporaryDir root;
    PyFtpServer server;
    PyFtpServer::Options options;
    options.tls = true;
    options.strictTls = true;
    QVERIFY2(server.start(root.path(), options), qPrintable(server.error()));
    auto client = newClient(server.port());
    client->SetTls(true);
    client->SetIgnoreCertificateErrors(true);
    client->SetPassive(passive);
    Log log;
    log.attach(*client);
    QVERIFY2(client->Connect(), qPrintable(client->ErrorMessage()));
    QCOMPARE(server.commands(),
             (QStringList { "AUTH TLS", "USER tester", "PASS", "PBSZ 0", "PROT P" }));
    QVERIFY(client->TypeSet());

    // One chunk exactly: the file ends while the socket still holds the
    // encrypted chunk, which once cut the file short.
    for (qint64 size : { qint64(0), qint64(700), qint64(1514 * 173), qint64(3 * 1024 * 1024) }) {
        const QByteArray bytes = randomBytes(size);
        const QString name = QStringLiteral("tls-%1.bin").arg(size);
        client->SetLocalFileName(localFile(name, bytes));
        client->SetHostFileName(name);
        QVERIFY2(client->Put(), qPrintable(client->ErrorMessage()));
        QCOMPARE(TestEnvironment::readFile(root.filePath(name)).size(), bytes.size());
        QCOMPARE(TestEnvironment::readFile(root.filePath(name)), bytes);
    }
    QVERIFY(log.displayed(QStringLiteral("> PASS ****")));
    QVERIFY(client->Quit());
}

void TestFtpClient::tlsUntrustedCertificateSendsNoPassword()
{
    QTemporaryDir root;
    PyFtpServer server;
    PyFtpServer::Options options;
    options.tls = true;
    QVERIFY2(server.start(root.path(), options), qPrintable(server.error()));
    auto client = newClient(server.port());
    client->SetTls(true);
    QVERIFY(!client->Connect());
    QVERIFY2(client->ErrorMessage().startsWith(QLatin1String("500 TLS error")),
             qPrintable(client->ErrorMessage()));
    QVERIFY(!client->Connected());
    // A command of another connection, answered after the first one closed,
    // shows that the server has seen everything the client sent.
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, server.port());
    QVERIFY(probe.waitForConnected(TestEnvironment::signalBound));
    QVERIFY(probe.waitForReadyRead(TestEnvironment::signalBound)); // the greeting
    probe.readAll();
    probe.write("NOOP\r\n");
    QVERIFY(probe.waitForReadyRead(TestEnvironment::signalBound));
    QCOMPARE(server.commands(), (QStringList { "AUTH TLS", "NOOP" }));
}

void TestFtpClient::certificateQuestion_data()
{
    QTest::addColumn<QString>("trusted"); // "right", "wrong" or none
    QTest::addColumn<int>("answerAfterMs"); // -1: no handler
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("connects");
    QTest::addRow("trusted ahead") << "right" << -1 << false << 0 << true;
    QTest::addRow("another certificate trusted") << "wrong" << 0 << true << 0 << false;
    QTest::addRow("no one to ask") << "" << -1 << false << 0 << false;
    QTest::addRow("refused") << "" << 0 << false << 1 << false;
    // The user takes longer than the time-out: the wait is not cut short.
    QTest::addRow("accepted slowly") << "" << 2500 << true << 1 << true;
}

// An untrusted certificate is taken only when trusted ahead or accepted by
// the question; the data connections then take that certificate.
void TestFtpClient::certificateQuestion()
{
    QFETCH(QString, trusted);
    QFETCH(int, answerAfterMs);
    QFETCH(bool, accept);
    QFETCH(int, questions);
    QFETCH(bool, connects);
    QTemporaryDir root;
    PyFtpServer server;
    PyFtpServer::Options options;
    options.tls = true;
    options.strictTls = true;
    QVERIFY2(server.start(root.path(), options), qPrintable(server.error()));
    const QList<QSslCertificate> certificates = QSslCertificate::fromPath(server.certificatePath());
    QVERIFY(!certificates.isEmpty());
    const QByteArray digest = certificates.first().digest(QCryptographicHash::Sha256);
    auto client = newClient(server.port());
    client->SetTls(true);
    client->SetTimeout(1);
    if (trusted == QLatin1String("right"))
        client->SetTrustedCertificateSha256(digest);
    else if (trusted == QLatin1String("wrong"))
        client->SetTrustedCertificateSha256(QByteArray(32, 'x'));
    int asked = 0;
    if (answerAfterMs >= 0) {
        connect(
            client.get(), &TCustomFtpCli::OnCertificateQuestion, this,
            [&](const QString &host, const QByteArray &sha256, const QStringList &errors,
                bool &answer) {
                ++asked;
                QCOMPARE(host, QStringLiteral("127.0.0.1"));
                QCOMPARE(sha256, digest);
                QVERIFY(!errors.isEmpty());
                if (answerAfterMs > 0)
                    QTest::qWait(answerAfterMs); // the user reading the question
                answer = accept;
            },
            Qt::DirectConnection);
    }
    QCOMPARE(client->Connect(), connects);
    QCOMPARE(asked, questions);
    if (!connects) {
        QVERIFY(!server.commands().contains(QStringLiteral("USER tester")));
        return;
    }
    QCOMPARE(client->AcceptedCertificateSha256(), digest);
    client->SetTimeout(20);
    client->SetLocalFileName(localFile(QStringLiteral("pinned.bin"), "pinned"));
    client->SetHostFileName(QStringLiteral("pinned.bin"));
    QVERIFY2(client->Put(), qPrintable(client->ErrorMessage()));
    QCOMPARE(TestEnvironment::readFile(root.filePath(QStringLiteral("pinned.bin"))),
             QByteArray("pinned"));
}

void TestFtpClient::dataCertificateHoldsToThePin_data()
{
    QTest::addColumn<bool>("askUser"); // else trusted ahead
    QTest::addColumn<bool>("passive");
    QTest::addRow("trusted ahead, passive") << false << true;
    QTest::addRow("trusted ahead, active") << false << false;
    QTest::addRow("accepted when asked") << true << true;
}

// The control connection's certificate is the pinned one; the data
// connection presents another that the system trusts. The file must not go.
void TestFtpClient::dataCertificateHoldsToThePin()
{
    QFETCH(bool, askUser);
    QFETCH(bool, passive);
    QTemporaryDir root;
    PyFtpServer server;
    PyFtpServer::Options options;
    options.tls = true;
    options.otherDataCertificate = true;
    QVERIFY2(server.start(root.path(), options), qPrintable(server.error()));
    const QList<QSslCertificate> control = QSslCertificate::fromPath(server.certificatePath());
    const QList<QSslCertificate> authority = QSslCertificate::fromPath(server.caCertificatePath());
    QVERIFY(!control.isEmpty() && !authority.isEmpty());
    const QByteArray digest = control.first().digest(QCryptographicHash::Sha256);

    const QSslConfiguration before = QSslConfiguration::defaultConfiguration();
    const auto restore
        = qScopeGuard([&before] { QSslConfiguration::setDefaultConfiguration(before); });
    QSslConfiguration trusting = before;
    trusting.addCaCertificates(authority);
    QSslConfiguration::setDefaultConfiguration(trusting);

    auto client = newClient(server.port());
    client->SetTls(true);
    client->SetPassive(passive);
    if (askUser) {
        connect(
            client.get(), &TCustomFtpCli::OnCertificateQuestion, this,
            [](const QString &, const QByteArray &, const QStringList &, bool &accept) {
                accept = true;
            },
            Qt::DirectConnection);
    } else {
        client->SetTrustedCertificateSha256(digest);
    }
    Log log;
    log.attach(*client);
    QVERIFY2(client->Connect(), qPrintable(client->ErrorMessage()));
    QCOMPARE(client->AcceptedCertificateSha256(), digest);
    const QByteArray bytes = randomBytes(20000);
    client->SetLocalFileName(localFile(QStringLiteral("pin.bin"), bytes));
    client->SetHostFileName(QStringLiteral("pin.bin"));
    QVERIFY(!client->Put());
    QVERIFY2(client->ErrorMessage().contains(QStringLiteral("differs from the accepted")),
             qPrintable(client->ErrorMessage()));
    QVERIFY(std::any_of(log.display.begin(), log.display.end(), [](const QString &line) {
        return line.startsWith(QStringLiteral("! TLS error on data connection: certificate "));
    }));
    QVERIFY(TestEnvironment::readFile(root.filePath(QStringLiteral("pin.bin"))).isEmpty());
    QVERIFY(log.progress.isEmpty());
}

void TestFtpClient::passiveGoesToControlAddress()
{
    QTcpServer data;
    QVERIFY(data.listen(QHostAddress::LocalHost, 0));
    QByteArray received;
    ScriptedFtpServer server;
    server.answer = [&](const QString &command) -> QByteArray {
        if (command.startsWith(QLatin1String("USER")))
            return "331 Password please\r\n";
        if (command.startsWith(QLatin1String("PASS")))
            return "230 Welcome\r\n";
        if (command == QLatin1String("PASV")) {
            const quint16 port = data.serverPort();
            return QStringLiteral("227 Entering Passive Mode (10,250,3,4,%1,%2)\r\n")
                .arg(port >> 8)
                .arg(port & 0xff)
                .toLatin1();
        }
        if (command.startsWith(QLatin1String("STOR")))
            return "150 Send it\r\n";
        return "500 What?\r\n";
    };
    connect(&data, &QTcpServer::newConnection, this, [&] {
        QTcpSocket *socket = data.nextPendingConnection();
        connect(socket, &QIODevice::readyRead, socket,
                [&, socket] { received += socket->readAll(); });
        connect(socket, &QAbstractSocket::disconnected, socket, [&, socket] {
            received += socket->readAll();
            server.send("226 Stored\r\n");
        });
    });
    auto client = newClient(server.port());
    client->SetTimeout(5);
    QVERIFY(client->Connect());
    client->SetLocalFileName(localFile(QStringLiteral("pasv.htm"), "<p>to the control host</p>"));
    client->SetHostFileName(QStringLiteral("pasv.htm"));
    QVERIFY2(client->Put(), qPrintable(client->ErrorMessage()));
    QCOMPARE(received, QByteArray("<p>to the control host</p>"));
}

void TestFtpClient::overlongReply()
{
    ScriptedFtpServer server;
    server.greeting
        = "220-" + QByteArray(10000, 'g') + "\r\n220 " + QByteArray(20000, 'h') + "\r\n";
    server.answer = [](const QString &command) -> QByteArray {
        if (command.startsWith(QLatin1String("USER")))
            return "331 " + QByteArray(50000, 'p') + "\r\n";
        if (command.startsWith(QLatin1String("PASS")))
            return "230 Welcome\r\n";
        return "257 \"/\" is the directory\r\n";
    };
    auto client = newClient(server.port());
    Log log;
    log.attach(*client);
    QVERIFY2(client->Connect(), qPrintable(client->ErrorMessage()));
    QVERIFY(client->Pwd());
    QCOMPARE(server.commands, (QStringList { "USER tester", "PASS " + m_options.password, "PWD" }));
    for (const QString &line : std::as_const(log.display))
        QVERIFY(line.size() <= 2 + 4096);
}

void TestFtpClient::replySplitAcrossPackets()
{
    ScriptedFtpServer server;
    server.pieceSize = 3;
    server.greeting = "220-Split\r\n220 greeting\r\n";
    server.answer = [](const QString &command) -> QByteArray {
        if (command.startsWith(QLatin1String("USER")))
            return "331 Send password\r\n";
        if (command.startsWith(QLatin1String("PASS")))
            return "230 In\r\n";
        return "250 Done\r\n";
    };
    auto client = newClient(server.port());
    Log log;
    log.attach(*client);
    QVERIFY2(client->Connect(), qPrintable(client->ErrorMessage()));
    client->SetHostDirName(QStringLiteral("www"));
    QVERIFY(client->Cwd());
    QCOMPARE(server.commands.size(), 3);
    QVERIFY(log.displayed(QStringLiteral("< 331 Send password")));
}

void TestFtpClient::silentServer_data()
{
    QTest::addColumn<QByteArray>("greeting");
    QTest::addRow("no greeting") << QByteArray();
    QTest::addRow("no reply to USER") << QByteArray("220 Hello\r\n");
}

void TestFtpClient::silentServer()
{
    QFETCH(QByteArray, greeting);

    ScriptedFtpServer server;
    server.greeting = greeting;
    auto client = newClient(server.port());
    client->SetTimeout(1);
    Log log;
    log.attach(*client);
    QVERIFY(!client->Connect());
    QCOMPARE(client->ErrorMessage(), QStringLiteral("426 Timeout"));
    QVERIFY(!client->Connected());
    QTRY_COMPARE_WITH_TIMEOUT(
        log.done, (QList<std::pair<TFtpRequest, int>> { { TFtpRequest::Connect, 426 } }),
        TestEnvironment::signalBound);
    // Ready for a new attempt.
    QCOMPARE(client->State(), TFtpState::Ready);
}

void TestFtpClient::serverClosesConnection()
{
    ScriptedFtpServer server;
    auto client = newClient(server.port());
    client->SetTimeout(0); // the closed connection alone must end the wait
    server.answer = [&](const QString &) -> QByteArray {
        QMetaObject::invokeMethod(
            &server, [&] { server.closeClient(); }, Qt::QueuedConnection);
        return {};
    };
    QVERIFY(!client->Connect());
    QCOMPARE(client->ErrorMessage(),
             QStringLiteral("500 Connection reset by peer (Winsock error #10054)"));
    QVERIFY(!client->Connected());
    QVERIFY(!client->Pwd());
    QCOMPARE(client->ErrorMessage(), QStringLiteral("FTP component not connected"));
}

void TestFtpClient::timeoutZeroWaitsForASlowReply()
{
    ScriptedFtpServer server;
    server.answer = [&](const QString &) -> QByteArray {
        QTimer::singleShot(1200, &server, [&] { server.send("230 Late but in\r\n"); });
        return {};
    };
    auto client = newClient(server.port());
    client->SetTimeout(0);
    QVERIFY2(client->Connect(), qPrintable(client->ErrorMessage()));
    QVERIFY(client->Connected());
}

QTEST_GUILESS_MAIN(TestFtpClient)
#include "tst_ftpclient.moc"
