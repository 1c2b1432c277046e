// SPDX-License-Identifier: GPL-3.0-or-later
// The SFTP client against a real OpenSSH server on 127.0.0.1: uploads byte
// for byte, host keys, the ways of signing in, and servers that die or hang.
#include "opensshserver.h"
#include "publish/sftpclient.h"
#include "publish/sshhostlist.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList partFiles(const QString &root)
{
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QStringLiteral(".tarnwick-part")))
            found << path;
    }
    return found;
}

} // namespace

class TestSftpClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void upload_data();
    void upload();
    void replaceExisting();
    void hostKeyQuestion_data();
    void hostKeyQuestion();
    void knownHostsEntryAccepted();
    void changedHostKeyRefused_data();
    void changedHostKeyRefused();
    void signIn_data();
    void signIn();
    void keyWithPassphrase_data();
    void keyWithPassphrase();
    void remoteFolderIsAFile();
    void localFileVanished();
    void remoteSizeAndPathKind();
    void enterDirectory();
    void killedServerMidSend();
    void hangingServerTimesOut();
    void silentHostTimesOut();

private:
    SftpClient::Login login() const;
    // Connects with the host-key question answered by trust; counts the questions.
    bool connectClient(SftpClient &client, const SftpClient::Login &login, bool trust = true);

    QTemporaryDir m_home;
    QTemporaryDir m_root;
    std::unique_ptr<SftpClient> m_uploader;
    QString m_keys;
    OpenSshServer m_server;
    QString m_clientKey;
    QString m_ownList;
    QString m_userList;
    int m_questions = 0;
};

void TestSftpClient::initTestCase()
{
    QVERIFY(m_home.isValid() && m_root.isValid());
    // Nothing reads or writes the real ~/.ssh, nor uses the real agent.
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv("SSH_AUTH_SOCK");
    QVERIFY2(m_server.start(m_root.path()), qPrintable(m_server.error()));
    m_clientKey = m_server.makeKey(QStringLiteral("client"));
    QVERIFY2(!m_clientKey.isEmpty() && m_server.authorize(m_clientKey),
             qPrintable(m_server.error()));
}

void TestSftpClient::init()
{
    static int round = 0;
    ++round;
    m_ownList = m_home.filePath(QStringLiteral("sshhosts-%1.txt").arg(round));
    m_userList = m_home.filePath(QStringLiteral("known_hosts-%1").arg(round));
    m_questions = 0;
}

void TestSftpClient::cleanup()
{
    qunsetenv("SSH_AUTH_SOCK");
    QDir(m_home.filePath(QStringLiteral(".ssh"))).removeRecursively();
}

SftpClient::Login TestSftpClient::login() const
{
    SftpClient::Login login;
    login.host = QStringLiteral("127.0.0.1");
    login.port = m_server.port();
    login.user = m_server.user();
    login.keyFile = m_clientKey;
    return login;
}

bool TestSftpClient::connectClient(SftpClient &client, const SftpClient::Login &login, bool trust)
{
    client.setTimeout(120);
    client.setKnownHosts(m_userList, m_ownList);
    connect(
        &client, &SftpClient::hostKeyQuestion, this,
        [this, trust](const QString &, quint16, const QString &, const QByteArray &, bool &answer) {
            ++m_questions;
            answer = trust;
        });
    return client.connectToHost(login);
}

void TestSftpClient::upload_data()
{
    QTest::addColumn<QString>("remoteName");
    QTest::addColumn<QByteArray>("content");

    QByteArray everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte += char(i);
    QByteArray large;
    for (int i = 0; i < 3000; ++i)
        large += everyByte;

    QTest::addRow("text") << "index.htm" << QByteArray("<html>\r\n<p>Hello</p>\n</html>\n");
    QTest::addRow("every byte value") << "bytes.bin" << everyByte;
    QTest::addRow("several chunks") << "large.bin" << large;
    QTest::addRow("empty") << "empty.htm" << QByteArray();
    QTest::addRow("spaces") << "my page with spaces.htm" << QByteArray("spaces");
    QTest::addRow("non-ASCII") << QStringLiteral("Übersicht-żółw-日本.htm")
                               << QByteArray("letters");
    QTest::addRow("leading dash") << "-rf.htm" << QByteArray("dash");
    QTest::addRow("nested folders made") << "site/images/small/logo.gif" << QByteArray("GIF89a");
}

void TestSftpClient::upload()
{
    QFETCH(QString, remoteName);
    QFETCH(QByteArray, content);
    // One connection serves every row.
    if (!m_uploader || !m_uploader->connected()) {
        m_uploader = std::make_unique<SftpClient>();
        QVERIFY2(connectClient(*m_uploader, login()), qPrintable(m_uploader->errorMessage()));
    }
    SftpClient &client = *m_uploader;
    QTemporaryDir local;
    const QString localPath = local.filePath(QStringLiteral("source"));
    QVERIFY(writeAll(localPath, content));
    QSignalSpy progress(&client, &SftpClient::progress);

    QVERIFY2(client.put(localPath, remoteName), qPrintable(client.errorMessage()));

    QCOMPARE(readAll(m_root.filePath(remoteName)), content);
    QCOMPARE(partFiles(m_root.path()), QStringList());
    if (!content.isEmpty())
        QCOMPARE(progress.last().at(0).toLongLong(), qint64(content.size()));
    QCOMPARE(client.remoteSize(remoteName), std::optional<qint64>(content.size()));
}

void TestSftpClient::replaceExisting()
{
    m_uploader.reset();
    const QString target = m_root.filePath(QStringLiteral("replace/page.htm"));
    QVERIFY(writeAll(target, QByteArray(100000, 'o')));
    QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    SftpClient client;
    QVERIFY2(connectClient(client, login()), qPrintable(client.errorMessage()));
    QTemporaryDir local;
    const QString localPath = local.filePath(QStringLiteral("page.htm"));
    QVERIFY(writeAll(localPath, "new and shorter"));

    QVERIFY2(client.put(localPath, QStringLiteral("replace/page.htm")),
             qPrintable(client.errorMessage()));

    QCOMPARE(readAll(target), QByteArray("new and shorter"));
    QCOMPARE(partFiles(m_root.path()), QStringList());
    // Written beside the target, then renamed over it; the old file's
    // permissions stay.
    const QString partPath
        = QFileInfo(m_root.filePath(QStringLiteral("replace/.page.htm.tarnwick-part")))
              .absoluteFilePath();
    const QString written = QStringLiteral("open \"%1\" flags WRITE").arg(partPath);
    QTRY_VERIFY2_WITH_TIMEOUT(m_server.log().contains(written),
                              qPrintable(written + QLatin1Char('\n') + m_server.log().right(3000)),
                              30000);
    QCOMPARE(QFile::permissions(target) & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestSftpClient::hostKeyQuestion_data()
{
    QTest::addColumn<bool>("trust");
    QTest::addRow("trusted") << true;
    QTest::addRow("declined") << false;
}

void TestSftpClient::hostKeyQuestion()
{
    QFETCH(bool, trust);
    const qsizetype signedInBefore = m_server.log().count(QStringLiteral("Accepted publickey"));
    QString askedType;
    QByteArray askedDigest;
    {
        SftpClient client;
        connect(&client, &SftpClient::hostKeyQuestion, this,
                [&](const QString &host, quint16 port, const QString &type,
                    const QByteArray &digest, bool &) {
                    QCOMPARE(host, QStringLiteral("127.0.0.1"));
                    QCOMPARE(port, m_server.port());
                    askedType = type;
                    askedDigest = digest;
                });
        QCOMPARE(connectClient(client, login(), trust), trust);
        QCOMPARE(m_questions, 1);
        QCOMPARE(askedType, QStringLiteral("ssh-ed25519"));
        QCOMPARE(askedDigest, m_server.hostKeySha256());
        QCOMPARE(client.connected(), trust);
        if (!trust) {
            QVERIFY(client.errorMessage().contains(QStringLiteral("127.0.0.1")));
            QVERIFY(client.errorMessage().contains(QStringLiteral("not trusted")));
            QVERIFY(!QFile::exists(m_ownList));
            QCOMPARE(m_server.log().count(QStringLiteral("Accepted publickey")), signedInBefore);
            return;
        }
        QCOMPARE(client.acceptedKeySha256(), m_server.hostKeySha256());
    }
    SshHostList list;
    QVERIFY(list.load(m_ownList));
    QCOMPARE(list.entries().size(), 1);
    QCOMPARE(list.entries().first(),
             (SshHostList::Entry { "127.0.0.1", m_server.port(), "ssh-ed25519",
                                   m_server.hostKeySha256() }));
    QVERIFY(!QFile::exists(m_userList));

    SftpClient again;
    QVERIFY2(connectClient(again, login()), qPrintable(again.errorMessage()));
    QCOMPARE(m_questions, 1);
}

void TestSftpClient::knownHostsEntryAccepted()
{
    // OpenSSH writes a host on another port than 22 as "[host]:port".
    QVERIFY(writeAll(m_userList,
                     QStringLiteral("[127.0.0.1]:%1 %2\n")
                         .arg(m_server.port())
                         .arg(m_server.hostKeyLine())
                         .toUtf8()));
    SftpClient client;
    QVERIFY2(connectClient(client, login()), qPrintable(client.errorMessage()));
    QCOMPARE(m_questions, 0);
    QVERIFY(!QFile::exists(m_ownList));

    // A key trusted ahead by its digest is taken without a question too.
    init();
    SftpClient ahead;
    ahead.setTrustedKeySha256(m_server.hostKeySha256());
    QVERIFY2(connectClient(ahead, login()), qPrintable(ahead.errorMessage()));
    QCOMPARE(m_questions, 0);
    QCOMPARE(ahead.acceptedKeySha256(), m_server.hostKeySha256());
}

void TestSftpClient::changedHostKeyRefused_data()
{
    QTest::addColumn<bool>("inUserList");
    QTest::addRow("user's known_hosts") << true;
    QTest::addRow("own list") << false;
}

void TestSftpClient::changedHostKeyRefused()
{
    QFETCH(bool, inUserList);
    if (inUserList) {
        QVERIFY(writeAll(m_userList,
                         QStringLiteral("[127.0.0.1]:%1 %2\n")
                             .arg(m_server.port())
                             .arg(m_server.hostKeyLine())
                             .toUtf8()));
    } else {
        SftpClient first;
        QVERIFY2(connectClient(first, login()), qPrintable(first.errorMessage()));
        QCOMPARE(m_questions, 1);
    }
    const QByteArray ownBefore = readAll(m_ownList);
    QVERIFY2(m_server.restart(true), qPrintable(m_server.error()));
    const qsizetype signedInBefore = m_server.log().count(QStringLiteral("Accepted publickey"));
    m_questions = 0;

    SftpClient client;
    QVERIFY(!connectClient(client, login()));
    QCOMPARE(m_questions, 0);
    QVERIFY(!client.connected());
    const QString message = client.errorMessage();
    QVERIFY2(message.contains(QStringLiteral("127.0.0.1")), qPrintable(message));
    QVERIFY2(message.contains(inUserList ? m_userList : m_ownList), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("remove the old entry")), qPrintable(message));
    QCOMPARE(readAll(m_ownList), ownBefore);
    QCOMPARE(m_server.log().count(QStringLiteral("Accepted publickey")), signedInBefore);

    // The new key named ahead by its digest is taken, and no list changes.
    SftpClient named;
    named.setTrustedKeySha256(m_server.hostKeySha256());
    QVERIFY2(connectClient(named, login()), qPrintable(named.errorMessage()));
    QCOMPARE(m_questions, 0);
    QCOMPARE(readAll(m_ownList), ownBefore);
}

void TestSftpClient::signIn_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("message");
    QTest::addRow("key file") << "key file" << true << "";
    QTest::addRow("default key in ~/.ssh") << "default key" << true << "";
    QTest::addRow("SSH agent") << "agent" << true << "";
    QTest::addRow("key the server does not know")
        << "unknown key" << false << "refused the sign-in as";
    QTest::addRow("password the server refuses") << "password" << false << "refused the sign-in as";
    QTest::addRow("nothing to sign in with") << "nothing" << false << "none was given";
}

void TestSftpClient::signIn()
{
    QFETCH(QString, way);
    QFETCH(bool, succeeds);
    QFETCH(QString, message);
    SftpClient::Login account = login();
    account.keyFile.clear();
    QProcess agent;
    QTemporaryDir agentDir;
    if (way == QLatin1String("key file")) {
        account.keyFile = m_clientKey;
    } else if (way == QLatin1String("default key")) {
        QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral(".ssh"))));
        QVERIFY(QFile::copy(m_clientKey, m_home.filePath(QStringLiteral(".ssh/id_ed25519"))));
    } else if (way == QLatin1String("agent")) {
        const QString socket = agentDir.filePath(QStringLiteral("agent"));
        agent.start(QStringLiteral("ssh-agent"),
                    { QStringLiteral("-D"), QStringLiteral("-a"), socket });
        QVERIFY(agent.waitForStarted(60000));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 60000);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("SSH_AUTH_SOCK"), socket);
        QString error;
        QVERIFY2(
            OpenSshServer::run(QStringLiteral("ssh-add"), { m_clientKey }, &error, environment),
            qPrintable(error));
        qputenv("SSH_AUTH_SOCK", QFile::encodeName(socket));
    } else if (way == QLatin1String("unknown key")) {
        account.keyFile = m_server.makeKey(QStringLiteral("stranger"));
        QVERIFY(!account.keyFile.isEmpty());
        message += QStringLiteral(" %1 (tried the key file %2)").arg(account.user, account.keyFile);
    } else if (way == QLatin1String("password")) {
        account.password = QStringLiteral("not this one");
        message += QStringLiteral(" %1 (tried the password)").arg(account.user);
    }

    SftpClient client;
    QSignalSpy lines(&client, &SftpClient::display);
    const bool connected = connectClient(client, account);
    if (agent.state() != QProcess::NotRunning) {
        agent.kill();
        agent.waitForFinished(30000);
    }
    QCOMPARE(connected, succeeds);
    QCOMPARE(client.connected(), succeeds);
    if (succeeds) {
        QVERIFY(client.errorMessage().isEmpty());
        if (way == QLatin1String("agent")) {
            bool byAgent = false;
            for (const QList<QVariant> &line : lines)
                byAgent = byAgent || line.at(0).toString().contains(QStringLiteral("SSH agent"));
            QVERIFY(byAgent);
        }
    } else {
        QVERIFY2(client.errorMessage().contains(message), qPrintable(client.errorMessage()));
        QVERIFY(client.errorMessage().contains(QStringLiteral("127.0.0.1")));
    }
}

void TestSftpClient::keyWithPassphrase_data()
{
    QTest::addColumn<bool>("given");
    QTest::addColumn<QString>("passphrase");
    QTest::addColumn<QString>("message");
    QTest::addRow("right passphrase") << true << "open sesame"
                                      << "";
    QTest::addRow("wrong passphrase") << true << "open barley"
                                      << "is wrong";
    QTest::addRow("question cancelled") << false << ""
                                        << "without its passphrase";
}

void TestSftpClient::keyWithPassphrase()
{
    QFETCH(bool, given);
    QFETCH(QString, passphrase);
    QFETCH(QString, message);
    static QString keyFile;
    if (keyFile.isEmpty()) {
        keyFile = m_server.makeKey(QStringLiteral("locked key"), QStringLiteral("open sesame"));
        QVERIFY(!keyFile.isEmpty() && m_server.authorize(keyFile));
    }
    SftpClient::Login account = login();
    account.keyFile = keyFile;
    SftpClient client;
    QStringList asked;
    connect(&client, &SftpClient::passphraseNeeded, this,
            [&](const QString &file, QString &answer, bool &answered) {
                asked << file;
                answer = passphrase;
                answered = given;
            });
    QCOMPARE(connectClient(client, account), message.isEmpty());
    QCOMPARE(asked, QStringList { keyFile });
    if (!message.isEmpty()) {
        QVERIFY2(client.errorMessage().contains(message), qPrintable(client.errorMessage()));
        QVERIFY(!client.connected());
    }
}

void TestSftpClient::remoteFolderIsAFile()
{
    QVERIFY(writeAll(m_root.filePath(QStringLiteral("blocker")), "a file"));
    SftpClient client;
    QVERIFY2(connectClient(client, login()), qPrintable(client.errorMessage()));
    QTemporaryDir local;
    const QString localPath = local.filePath(QStringLiteral("page.htm"));
    QVERIFY(writeAll(localPath, "page"));

    QVERIFY(!client.put(localPath, QStringLiteral("blocker/sub/page.htm")));
    QVERIFY2(client.errorMessage().contains(QStringLiteral("blocker is a file")),
             qPrintable(client.errorMessage()));
    QVERIFY(!client.makeDirectory(QStringLiteral("blocker/sub")));
    QVERIFY(client.errorMessage().contains(QStringLiteral("blocker is a file")));
    // A folder where the file should go is not replaced either.
    QVERIFY(QDir().mkpath(m_root.filePath(QStringLiteral("folder.htm"))));
    QVERIFY(!client.put(localPath, QStringLiteral("folder.htm")));
    QVERIFY2(client.errorMessage().contains(QStringLiteral("it is a folder")),
             qPrintable(client.errorMessage()));
    QVERIFY(client.connected());
    QCOMPARE(readAll(m_root.filePath(QStringLiteral("blocker"))), QByteArray("a file"));
    QCOMPARE(partFiles(m_root.path()), QStringList());
}

void TestSftpClient::localFileVanished()
{
    SftpClient client;
    QVERIFY2(connectClient(client, login()), qPrintable(client.errorMessage()));
    QTemporaryDir local;
    const QString localPath = local.filePath(QStringLiteral("gone.htm"));
    const int before = m_server.log().count(QStringLiteral("flags WRITE"));

    QVERIFY(!client.put(localPath, QStringLiteral("vanished/gone.htm")));

    QVERIFY2(client.errorMessage().contains(localPath), qPrintable(client.errorMessage()));
    QVERIFY(!QFileInfo::exists(m_root.filePath(QStringLiteral("vanished"))));
    QCOMPARE(m_server.log().count(QStringLiteral("flags WRITE")), before);
    QVERIFY(client.connected());
}

void TestSftpClient::remoteSizeAndPathKind()
{
    QVERIFY(QDir().mkpath(m_root.filePath(QStringLiteral("kinds/folder"))));
    QVERIFY(writeAll(m_root.filePath(QStringLiteral("kinds/file.htm")), "12345"));
    // Beyond 4 GB, sparse: sizes are 64 bits all the way.
    QFile huge(m_root.filePath(QStringLiteral("kinds/huge.bin")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(5LL << 30));
    huge.close();
    SftpClient client;
    QVERIFY2(connectClient(client, login()), qPrintable(client.errorMessage()));

    QCOMPARE(client.pathKind(QStringLiteral("kinds/folder")), SftpClient::PathKind::Folder);
    QCOMPARE(client.pathKind(QStringLiteral("kinds/file.htm")), SftpClient::PathKind::File);
    QCOMPARE(client.pathKind(QStringLiteral("kinds/none")), SftpClient::PathKind::Missing);
    QCOMPARE(client.pathKind(QStringLiteral("kinds/none/deeper")), SftpClient::PathKind::Missing);
    QCOMPARE(client.remoteSize(QStringLiteral("kinds/file.htm")), std::optional<qint64>(5));
    QCOMPARE(client.remoteSize(QStringLiteral("kinds/huge.bin")), std::optional<qint64>(5LL << 30));
    QCOMPARE(client.remoteSize(QStringLiteral("kinds/none")), std::nullopt);
    QCOMPARE(client.remoteSize(QStringLiteral("kinds/folder")), std::nullopt);
    QVERIFY(client.connected());
}

void TestSftpClient::enterDirectory()
{
    SftpClient client;
    QVERIFY2(connectClient(client, login()), qPrintable(client.errorMessage()));
    QVERIFY2(client.makeDirectory(QStringLiteral("entered/deeper")),
             qPrintable(client.errorMessage()));
    QVERIFY(client.makeDirectory(QStringLiteral("entered/deeper")));
    QVERIFY(client.enterDirectory(QStringLiteral("entered")));
    QTemporaryDir local;
    const QString localPath = local.filePath(QStringLiteral("page.htm"));
    QVERIFY(writeAll(localPath, "inside"));
    QVERIFY2(client.put(localPath, QStringLiteral("deeper/page.htm")),
             qPrintable(client.errorMessage()));
    QCOMPARE(readAll(m_root.filePath(QStringLiteral("entered/deeper/page.htm"))),
             QByteArray("inside"));

    QVERIFY(!client.enterDirectory(QStringLiteral("not-there")));
    QVERIFY(client.errorMessage().contains(QStringLiteral("not-there")));
    // The current folder stays where it was.
    QCOMPARE(client.pathKind(QStringLiteral("deeper")), SftpClient::PathKind::Folder);
}

void TestSftpClient::killedServerMidSend()
{
    QTemporaryDir root;
    OpenSshServer server;
    QVERIFY2(server.start(root.path()), qPrintable(server.error()));
    QVERIFY(server.authorize(m_clientKey));
    SftpClient::Login account = login();
    account.port = server.port();
    SftpClient client;
    QVERIFY2(connectClient(client, account), qPrintable(client.errorMessage()));
    QTemporaryDir local;
    const QString localPath = local.filePath(QStringLiteral("big.bin"));
    QVERIFY(writeAll(localPath, QByteArray(64 << 20, 'x')));
    connect(&client, &SftpClient::progress, this, [&server](qint64) { server.kill(); });

    QVERIFY(!client.put(localPath, QStringLiteral("big.bin")));

    QVERIFY(!client.connected());
    QVERIFY2(client.errorMessage().contains(QStringLiteral("connection to 127.0.0.1 was lost")),
             qPrintable(client.errorMessage()));
    QVERIFY(!client.put(localPath, QStringLiteral("again.bin")));
    QVERIFY(!client.connected());
}

void TestSftpClient::hangingServerTimesOut()
{
    QTemporaryDir root;
    OpenSshServer server;
    QVERIFY2(server.start(root.path()), qPrintable(server.error()));
    QVERIFY(server.authorize(m_clientKey));
    SftpClient::Login account = login();
    account.port = server.port();
    SftpClient client;
    QVERIFY2(connectClient(client, account), qPrintable(client.errorMessage()));
    client.setTimeout(3);
    QTemporaryDir local;
    const QString localPath = local.filePath(QStringLiteral("big.bin"));
    QVERIFY(writeAll(localPath, QByteArray(64 << 20, 'x')));
    bool frozen = false;
    connect(&client, &SftpClient::progress, this, [&](qint64) {
        if (!frozen)
            server.freeze(true);
        frozen = true;
    });

    QVERIFY(!client.put(localPath, QStringLiteral("big.bin")));
    server.freeze(false);

    QVERIFY(!client.connected());
    QVERIFY2(client.errorMessage().contains(QStringLiteral("did not answer for 3 seconds")),
             qPrintable(client.errorMessage()));
}

void TestSftpClient::silentHostTimesOut()
{
    // Takes the connection and never says a word.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    SftpClient::Login account = login();
    account.port = silent.serverPort();
    SftpClient client;
    client.setTimeout(2);
    client.setKnownHosts(m_userList, m_ownList);
    QVERIFY(!client.connectToHost(account));
    QVERIFY(!client.connected());
    QVERIFY2(client.errorMessage().contains(QStringLiteral("127.0.0.1")),
             qPrintable(client.errorMessage()));
}

QTEST_GUILESS_MAIN(TestSftpClient)
#include "tst_sftpclient.moc"
