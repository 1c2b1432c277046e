// SPDX-License-Identifier: GPL-3.0-or-later
// tarnwick-publish run as the user runs it, against a real server.

#include "project/projectsettings.h"
#include "publish/ftpaddress.h"
#include "publish/passwordcodec.h"
#include "publish/passwordstore.h"

#include "privatekeyring.h"

#include "pyftpserver.h"
#include "support/testenvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

class TestTarnwickPublish final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitStatus_data();
    void exitStatus();
    void dryRunSendsNothing();
    void onlyChangedFilesGoAgain_data();
    void onlyChangedFilesGoAgain();
    void projectListChoosesThePages_data();
    void projectListChoosesThePages();
    void certificate_data();
    void certificate();
    void schemeOfTheAddress_data();
    void schemeOfTheAddress();
    void help_data();
    void help();
    void wrongCommandLine();
    void passwordFromKeyring_data();
    void passwordFromKeyring();
    void cleanupTestCase() { m_keyring.reset(); }

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Run run(const QStringList &arguments, const QString &password = QString(),
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment());
    void makeProject(const QString &dir, quint16 port, const QString &password, bool tls = false);

    QTemporaryDir m_home;
    QTemporaryDir m_config;
    PyFtpServer::Options m_options;
    std::unique_ptr<PrivateKeyring> m_keyring;
};

void TestTarnwickPublish::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(QFileInfo(QStringLiteral(TARNWICK_PUBLISH_TOOL)).isExecutable());
}

TestTarnwickPublish::Run TestTarnwickPublish::run(const QStringList &arguments,
                                                  const QString &password, QProcessEnvironment env)
{
    QProcess process;
    env.insert(QStringLiteral("TARNWICK_HOME"), m_home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    env.remove(QStringLiteral("TARNWICK_FTP_PASSWORD"));
    if (!password.isEmpty())
        env.insert(QStringLiteral("TARNWICK_FTP_PASSWORD"), password);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TARNWICK_PUBLISH_TOOL), arguments);
    Run r;
    if (!process.waitForFinished(TestEnvironment::signalBound))
        return r;
    r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

void TestTarnwickPublish::makeProject(const QString &dir, quint16 port, const QString &password,
                                      bool tls)
{
    TestEnvironment::writeFile(dir + QStringLiteral("/index.htm"),
                               "<img src=\"img/a.gif\"><a href=\"b.html\">b</a>\n");
    TestEnvironment::writeFile(dir + QStringLiteral("/b.html"), "<p>b</p>\r\n");
    TestEnvironment::writeFile(dir + QStringLiteral("/img/a.gif"), QByteArray("GIF\r\n\0x", 7));
    TestEnvironment::writeFile(dir + QStringLiteral("/notes.txt"), "not a page\n");
    ProjectSettings settings;
    settings.webURL = QStringLiteral("127.0.0.1:%1").arg(port);
    settings.ftpDirectory = QStringLiteral("www");
    settings.loginID = m_options.user;
    settings.loginPassword = PasswordCodec::EncodeStr(password);
    settings.useFtps = tls;
    QVERIFY(settings.write(dir));
}

void TestTarnwickPublish::exitStatus_data()
{
    QTest::addColumn<QStringList>("refuse");
    QTest::addColumn<QString>("storedPassword");
    QTest::addColumn<QString>("environmentPassword");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("stored");
    const QString right = m_options.password;
    QTest::addRow("every file arrives")
        << QStringList() << right << QString() << 0
        << QStringList({ "www/b.html", "www/img/a.gif", "www/index.htm" });
    QTest::addRow("password from the environment")
        << QStringList() << QString() << right << 0
        << QStringList({ "www/b.html", "www/img/a.gif", "www/index.htm" });
    QTest::addRow("one file refused") << QStringList({ "a.gif" }) << right << QString() << 1
                                      << QStringList({ "www/b.html", "www/index.htm" });
    QTest::addRow("log-in fails") << QStringList() << QStringLiteral("wrong") << QString() << 2
                                  << QStringList();
}

// No project list entry: the directory's pages by extension; the missing
// remote directory is made.
void TestTarnwickPublish::exitStatus()
{
    QFETCH(QStringList, refuse);
    QFETCH(QString, storedPassword);
    QFETCH(QString, environmentPassword);
    QFETCH(int, exitCode);
    QFETCH(QStringList, stored);
    QTemporaryDir root, project;
    PyFtpServer server;
    PyFtpServer::Options options = m_options;
    options.refuse = refuse;
    QVERIFY2(server.start(root.path(), options), qPrintable(server.error()));
    makeProject(project.path(), server.port(), storedPassword);
    const Run r = run({ project.path() }, environmentPassword);
    QVERIFY2(r.exitCode == exitCode, qPrintable(r.out + r.err));
    QCOMPARE(filesBelow(root.path()), stored);
    QVERIFY(!r.out.contains(m_options.password));
    if (exitCode == 0)
        QVERIFY(server.commands().contains(QStringLiteral("MKD www")));
}

void TestTarnwickPublish::dryRunSendsNothing()
{
    QTemporaryDir root, project;
    PyFtpServer server;
    QVERIFY2(server.start(root.path(), m_options), qPrintable(server.error()));
    makeProject(project.path(), server.port(), m_options.password);
    const Run r = run({ project.path(), QStringLiteral("--dry-run") });
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains(QStringLiteral("-> www/img/a.gif")));
    QVERIFY(r.out.contains(QStringLiteral("binary  -> www/img/a.gif")));
    QVERIFY(r.out.contains(QStringLiteral("ASCII  -> www/index.htm")));
    QVERIFY(!r.out.contains(QStringLiteral("notes.txt")));
    QVERIFY(!r.out.contains(QStringLiteral("PROJECT.INI")));
    QVERIFY(server.commands().isEmpty());
    QVERIFY(filesBelow(root.path()).isEmpty());
}

void TestTarnwickPublish::onlyChangedFilesGoAgain_data()
{
    QTest::addColumn<QString>("change"); // what happens between the two sends
    QTest::addColumn<QStringList>("arguments"); // of the second send
    QTest::addColumn<QStringList>("stored"); // STOR commands of the second send
    QTest::addColumn<QString>("dryRun"); // a line the dry run before it shows
    // Pages first, then what they refer to.
    const QStringList all { "STOR b.html", "STOR index.htm", "STOR img/a.gif" };
    QTest::addRow("one page changed") << "page" << QStringList() << QStringList { "STOR b.html" }
                                      << "-> www/b.html  (changed)";
    QTest::addRow("nothing changed") << "" << QStringList() << QStringList()
                                     << "Unchanged, not sent (3 files):";
    QTest::addRow("--all sends everything") << "" << QStringList { "--all" } << all
                                            << "-> www/b.html  (send all files)";
    QTest::addRow("a picture gone from the server")
        << "server" << QStringList() << QStringList { "STOR img/a.gif" }
        << "Unchanged, not sent (3 files):"; // the dry run does not ask the server
    QTest::addRow("damaged record") << "record" << QStringList() << all
                                    << "-> www/b.html  (new)";
}

// The second send of a project sends what changed since the first, and the
// dry run says why each file would go.
void TestTarnwickPublish::onlyChangedFilesGoAgain()
{
    QFETCH(QString, change);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, stored);
    QFETCH(QString, dryRun);
    QTemporaryDir root, project, home;
    PyFtpServer server;
    QVERIFY2(server.start(root.path(), m_options), qPrintable(server.error()));
    makeProject(project.path(), server.port(), m_options.password);
    const QStringList homeArgument { QStringLiteral("--home"), home.path() };
    Run r = run(QStringList { project.path() } + homeArgument);
    QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
    QVERIFY(QFileInfo::exists(home.filePath(QStringLiteral("published.json"))));
    QVERIFY(!QFileInfo::exists(project.filePath(QStringLiteral("published.json"))));
    if (change == QStringLiteral("page"))
        TestEnvironment::writeFile(project.filePath(QStringLiteral("b.html")), "<p>bee</p>\r\n");
    else if (change == QStringLiteral("server"))
        QVERIFY(QFile::remove(root.filePath(QStringLiteral("www/img/a.gif"))));
    else if (change == QStringLiteral("record"))
        TestEnvironment::writeFile(home.filePath(QStringLiteral("published.json")), "{\"versi");

    r = run(QStringList { project.path(), QStringLiteral("--dry-run") } + arguments
            + homeArgument);
    QVERIFY2(r.out.contains(dryRun), qPrintable(r.out + r.err));
    const qsizetype before = server.commands().size();
    r = run(QStringList { project.path() } + arguments + homeArgument);
    QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
    QCOMPARE(server.commands().mid(before).filter(QRegularExpression(QStringLiteral("^STOR "))),
             stored);
    QCOMPARE(filesBelow(root.path()),
             QStringList({ "www/b.html", "www/img/a.gif", "www/index.htm" }));
    if (stored.size() < 3)
        QVERIFY2(r.out.contains(QStringLiteral("%1 files unchanged since the last send")
                                    .arg(3 - stored.size())),
                 qPrintable(r.out));
}

void TestTarnwickPublish::projectListChoosesThePages_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("skipped");
    // index.htm is a page of the folder, but not one of the project's entries.
    QTest::addRow("its entries only") << "\tBee - b.html\r\n" << 0 << QString();
    QTest::addRow("an entry outside the folder is skipped and said")
        << "\tBee - b.html\r\n\tUp - ../up.htm\r\n"
        << 1 << "Page skipped: ../up.htm: outside the project directory";
}

// A project in the project list sends its entries, not every page file.
void TestTarnwickPublish::projectListChoosesThePages()
{
    QFETCH(QString, entries);
    QFETCH(int, exitCode);
    QFETCH(QString, skipped);
    QTemporaryDir root;
    PyFtpServer server;
    QVERIFY2(server.start(root.path(), m_options), qPrintable(server.error()));
    const QString project = m_home.filePath(QStringLiteral("shop"));
    makeProject(project, server.port(), m_options.password);
    TestEnvironment::writeFile(m_home.filePath(QStringLiteral("up.htm")), "<p>up</p>\n");
    TestEnvironment::writeFile(m_home.filePath(QStringLiteral("project.dat")),
                               QByteArray("Shop - shop\r\n\t#Default Project Settings - "
                                          "PROJECT.INI\r\n")
                                   .append(entries.toUtf8()));
    const Run r = run({ project });
    QFile::remove(m_home.filePath(QStringLiteral("project.dat")));
    QVERIFY2(r.exitCode == exitCode, qPrintable(r.out + r.err));
    QCOMPARE(filesBelow(root.path()), QStringList { QStringLiteral("www/b.html") });
    if (!skipped.isEmpty())
        QVERIFY2(r.err.contains(skipped), qPrintable(r.err));
}

void TestTarnwickPublish::certificate_data()
{
    QTest::addColumn<bool>("trust");
    QTest::addColumn<int>("exitCode");
    QTest::addRow("pinned") << true << 0;
    QTest::addRow("untrusted") << false << 2;
}

void TestTarnwickPublish::certificate()
{
    QFETCH(bool, trust);
    QFETCH(int, exitCode);
    QTemporaryDir root, project;
    PyFtpServer server;
    PyFtpServer::Options options = m_options;
    options.tls = true;
    options.strictTls = true;
    QVERIFY2(server.start(root.path(), options), qPrintable(server.error()));
    makeProject(project.path(), server.port(), m_options.password, true);
    QStringList arguments { project.path() };
    if (trust) {
        const QList<QSslCertificate> certificates
            = QSslCertificate::fromPath(server.certificatePath());
        QVERIFY(!certificates.isEmpty());
        arguments << QStringLiteral("--trust-sha256")
                  << QString::fromLatin1(
                         certificates.first().digest(QCryptographicHash::Sha256).toHex(':'));
    }
    const Run r = run(arguments);
    QVERIFY2(r.exitCode == exitCode, qPrintable(r.out + r.err));
    if (trust) {
        QCOMPARE(filesBelow(root.path()),
                 QStringList({ "www/b.html", "www/img/a.gif", "www/index.htm" }));
    } else {
        QVERIFY(r.err.contains(QStringLiteral("certificate not trusted")));
        QCOMPARE(server.commands(), QStringList { QStringLiteral("AUTH TLS") });
    }
}

void TestTarnwickPublish::schemeOfTheAddress_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<bool>("tlsServer");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("firstCommand"); // empty: nothing reaches the server
    QTest::addRow("ftps:// without the FTPS setting") << "ftps" << true << 0 << "AUTH TLS";
    QTest::addRow("FTPES:// without the FTPS setting") << "FTPES" << true << 0 << "AUTH TLS";
    QTest::addRow("ftp://") << "ftp" << false << 0 << "USER tester";
    QTest::addRow("scp:// cannot be served") << "scp" << false << 2 << "";
    QTest::addRow("https:// cannot be served") << "https" << false << 2 << "";
}

// The scheme of the website URL says how to connect; what Tarnwick cannot
// serve is refused before anything is sent.
void TestTarnwickPublish::schemeOfTheAddress()
{
    QFETCH(QString, scheme);
    QFETCH(bool, tlsServer);
    QFETCH(int, exitCode);
    QFETCH(QString, firstCommand);
    QTemporaryDir root, project;
    PyFtpServer server;
    PyFtpServer::Options options = m_options;
    options.tls = tlsServer;
    QVERIFY2(server.start(root.path(), options), qPrintable(server.error()));
    makeProject(project.path(), server.port(), m_options.password, false);
    ProjectSettings settings = ProjectSettings::read(project.path());
    settings.webURL = scheme + QStringLiteral("://127.0.0.1:%1/").arg(server.port());
    QVERIFY(settings.write(project.path()));
    QStringList arguments { project.path() };
    if (tlsServer) {
        const QList<QSslCertificate> certificates
            = QSslCertificate::fromPath(server.certificatePath());
        QVERIFY(!certificates.isEmpty());
        arguments << QStringLiteral("--trust-sha256")
                  << QString::fromLatin1(
                         certificates.first().digest(QCryptographicHash::Sha256).toHex());
    }
    const Run r = run(arguments);
    QVERIFY2(r.exitCode == exitCode, qPrintable(r.out + r.err));
    if (firstCommand.isEmpty()) {
        QVERIFY(server.commands().isEmpty());
        QVERIFY2(r.err.contains(scheme + QStringLiteral("://, which Tarnwick cannot publish by")),
                 qPrintable(r.err));
        QVERIFY(filesBelow(root.path()).isEmpty());
    } else {
        QCOMPARE(server.commands().value(0), firstCommand);
        QCOMPARE(filesBelow(root.path()),
                 QStringList({ "www/b.html", "www/img/a.gif", "www/index.htm" }));
    }
}

void TestTarnwickPublish::help_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addRow("--help") << QStringList { "--help" };
    QTest::addRow("-h") << QStringList { "-h" };
    QTest::addRow("--help after a directory") << QStringList { "somewhere", "--help" };
}

void TestTarnwickPublish::help()
{
    QFETCH(QStringList, arguments);
    const Run r = run(arguments);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.startsWith(QStringLiteral("Usage: tarnwick-publish PROJECT_DIR")),
             qPrintable(r.out));
    QCOMPARE(r.err, QString());
}

void TestTarnwickPublish::wrongCommandLine()
{
    for (const QStringList &arguments :
         { QStringList(), QStringList { "a", "b" }, QStringList { "a", "--trust-sha256", "12" },
           QStringList { "--frobnicate" },
           QStringList { m_home.filePath(QStringLiteral("does-not-exist")) } }) {
        const Run r = run(arguments);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!r.err.isEmpty());
    }
}

void TestTarnwickPublish::passwordFromKeyring_data()
{
    QTest::addColumn<QString>("inKeyring");
    QTest::addColumn<QString>("inEnvironment");
    QTest::addColumn<QString>("inFile");
    QTest::addColumn<int>("exitCode");
    const QString right = m_options.password;
    QTest::addRow("keyring alone") << right << QString() << QString() << 0;
    QTest::addRow("keyring before the environment and PROJECT.INI")
        << right << QStringLiteral("wrong") << QStringLiteral("wrong") << 0;
    QTest::addRow("environment when the keyring has no entry")
        << QString() << right << QStringLiteral("wrong") << 0;
    QTest::addRow("PROJECT.INI when neither has one") << QString() << QString() << right << 0;
    QTest::addRow("a wrong keyring entry is what is tried")
        << QStringLiteral("wrong") << right << right << 2;
}

// The password the desktop keyring keeps for the site logs in, ahead of the
// environment's and PROJECT.INI's.
void TestTarnwickPublish::passwordFromKeyring()
{
    QFETCH(QString, inKeyring);
    QFETCH(QString, inEnvironment);
    QFETCH(QString, inFile);
    QFETCH(int, exitCode);
    if (!m_keyring) {
        m_keyring = std::make_unique<PrivateKeyring>();
        QVERIFY2(m_keyring->start(), qPrintable(m_keyring->error()));
        m_keyring->enter();
    }
    QTemporaryDir root, project;
    PyFtpServer server;
    QVERIFY2(server.start(root.path(), m_options), qPrintable(server.error()));
    makeProject(project.path(), server.port(), inFile);
    const QString key
        = *FtpAddress::siteKey(QStringLiteral("127.0.0.1:%1").arg(server.port()), m_options.user);
    PasswordStore store;
    QVERIFY(store.write(key, inKeyring));
    const Run r = run({ project.path() }, inEnvironment, m_keyring->environment());
    QVERIFY(store.remove(key));
    QVERIFY2(r.exitCode == exitCode, qPrintable(r.out + r.err));
    const QStringList commands = server.commands();
    QCOMPARE(commands.count(QStringLiteral("PASS")), 1);
    if (exitCode == 0) {
        QCOMPARE(filesBelow(root.path()),
                 QStringList({ "www/b.html", "www/img/a.gif", "www/index.htm" }));
    } else {
        QVERIFY(filesBelow(root.path()).isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestTarnwickPublish)
#include "tst_tarnwickpublish.moc"
