// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing by SFTP as the user does it, in the FTP Vaza Ded and with
// tarnwick-publish, against a real OpenSSH server: the host-key question,
// every file byte for byte, and a second send that carries only what changed.

#include "app/publishcommands.h"
#include "project/projectsettings.h"
#include "publish/sftpclient.h"
#include "publish/sftptransport.h"
#include "publish/tqftpform.h"

#include "opensshserver.h"
#include "support/scriptedprompter.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray allBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 3 * 256; ++i)
        bytes.append(char(i % 256));
    return bytes;
}

// Files opened for writing by the server's SFTP sessions.
qsizetype writesIn(const QString &log)
{
    return log.count(QStringLiteral("flags WRITE"));
}

} // namespace

class TestSftpPublish final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void dialogSendsThenOnlyWhatChanged();
    void commandLine_data();
    void commandLine();
    void remoteSize_data();
    void remoteSize();

private:
    TQFTPForm::Request request(const QStringList &pages) const;
    // Connect, all pages, references ticked, Send: the dialog's own steps.
    void sendAll(TQFTPForm &form);

    QTemporaryDir m_home; // HOME: no real ~/.ssh is read or written
    QTemporaryDir m_tarnwickHome;
    QTemporaryDir m_root; // the server's files
    QTemporaryDir m_project;
    OpenSshServer m_server;
    QString m_key;
};

void TestSftpPublish::initTestCase()
{
    TestEnvironment::isolate();
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv("SSH_AUTH_SOCK");
    QVERIFY2(m_server.start(m_root.path()), qPrintable(m_server.error()));
    m_key = m_server.makeKey(QStringLiteral("site"));
    QVERIFY2(!m_key.isEmpty() && m_server.authorize(m_key), qPrintable(m_server.error()));
    const QString dir = m_project.path();
    TestEnvironment::writeFile(dir + QStringLiteral("/index.htm"),
                               "<img src=\"img/logo.gif\"> <a href=\"my page.htm\">me</a>\r\n");
    TestEnvironment::writeFile(dir + QStringLiteral("/my page.htm"), "<p>Grüße</p>\n");
    TestEnvironment::writeFile(dir + QStringLiteral("/img/logo.gif"), allBytes());
}

void TestSftpPublish::cleanupTestCase()
{
    m_server.stop();
}

TQFTPForm::Request TestSftpPublish::request(const QStringList &pages) const
{
    TQFTPForm::Request r;
    r.projectDir = m_project.path();
    r.programDir = m_tarnwickHome.path();
    r.pages = pages;
    r.site.address = QStringLiteral("sftp://127.0.0.1:%1").arg(m_server.port());
    r.site.directory = QStringLiteral("www");
    r.site.user = m_server.user();
    r.site.keyFile = m_key;
    r.timeOutMs = 120000;
    r.extensions = QStringLiteral("html,htm");
    r.scanner = PublishCommands::scanner(nullptr);
    return r;
}

void TestSftpPublish::sendAll(TQFTPForm &form)
{
    form.ConnectBtnClick();
    auto *notebook = form.findChild<QStackedWidget *>(QStringLiteral("FTPNotebook"));
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("Pages"));
    form.findChild<QPushButton *>(QStringLiteral("NextPageBtn"))->click();
    form.findChild<QCheckBox *>(QStringLiteral("SendImages"))->setChecked(true);
    form.findChild<QPushButton *>(QStringLiteral("SendFileBtn"))->click();
}

void TestSftpPublish::dialogSendsThenOnlyWhatChanged()
{
    const QStringList pages { QStringLiteral("index.htm"), QStringLiteral("my page.htm") };
    ScriptedPrompter prompter;
    prompter.answer(Prompter::Answer::Yes); // the host key
    prompter.answer(Prompter::Answer::Yes); // make the folder
    {
        TQFTPForm form(request(pages), &prompter);
        form.show();
        QVERIFY(form.findChild<QCheckBox *>(QStringLiteral("UseSFTP"))->isChecked());
        QVERIFY(!form.findChild<QCheckBox *>(QStringLiteral("UseFTPS"))->isChecked());
        sendAll(form);
        QVERIFY2(form.result() == QDialog::Accepted, qPrintable(form.summary()));
    }
    QCOMPARE(prompter.texts(),
             QStringList({ SftpTransport::hostKeyQuestion(QStringLiteral("127.0.0.1"),
                                                          m_server.port(),
                                                          QStringLiteral("ssh-ed25519"),
                                                          m_server.hostKeySha256()),
                           PublishConnector::createQuestion(QStringLiteral("www")) }));
    QCOMPARE(filesBelow(m_root.path()),
             QStringList({ "www/img/logo.gif", "www/index.htm", "www/my page.htm" }));
    for (const QString &name : filesBelow(m_project.path())) {
        QCOMPARE(TestEnvironment::readFile(m_root.filePath(QStringLiteral("www/") + name)),
                 TestEnvironment::readFile(m_project.filePath(name)));
    }
    QVERIFY(QFileInfo::exists(SftpTransport::ownHostsFile(m_tarnwickHome.path())));

    // One page changed: one write, no question, and the summary says what
    // was left out.
    TestEnvironment::writeFile(m_project.filePath(QStringLiteral("my page.htm")), "<p>Hallo</p>\n");
    const qsizetype writesBefore = writesIn(m_server.log());
    prompter.clear();
    TQFTPForm form(request(pages), &prompter);
    form.show();
    sendAll(form);
    QVERIFY2(form.result() == QDialog::Accepted, qPrintable(form.summary()));
    QVERIFY(prompter.texts().isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(writesIn(m_server.log()), writesBefore + 1,
                              TestEnvironment::signalBound);
    QCOMPARE(TestEnvironment::readFile(m_root.filePath(QStringLiteral("www/my page.htm"))),
             QByteArray("<p>Hallo</p>\n"));
    QCOMPARE(form.results().size(), 1);
    QVERIFY(form.summary().contains(TQFTPForm::unchangedText(2)));
}

void TestSftpPublish::commandLine_data()
{
    QTest::addColumn<QString>("trust"); // --trust-sha256; empty: none
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    const QString digest = QString::fromLatin1(
        m_server.hostKeySha256().toBase64(QByteArray::OmitTrailingEquals));
    QTest::addRow("unknown host key stops the send") << QString() << 2 << "not trusted";
    QTest::addRow("host key named as ssh-keygen shows it")
        << QStringLiteral("SHA256:") + digest << 0 << "3 of 3 files sent.";
    QTest::addRow("another key named") << QStringLiteral("SHA256:") + QString(43, QLatin1Char('A'))
                                       << 2 << "not trusted";
}

void TestSftpPublish::commandLine()
{
    QFETCH(QString, trust);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QTemporaryDir root, home;
    // The folder the session starts in is the server's root: a folder of
    // its own below it for each row.
    ProjectSettings settings;
    settings.webURL = QStringLiteral("sftp://127.0.0.1:%1").arg(m_server.port());
    settings.ftpDirectory = QStringLiteral("cli-%1")
                                .arg(QLatin1String(QTest::currentDataTag()))
                                .replace(QLatin1Char(' '), QLatin1Char('-'));
    settings.loginID = m_server.user();
    settings.useSftp = true;
    settings.sshKeyFile = m_key;
    QVERIFY(settings.write(m_project.path()));
    QStringList arguments { m_project.path(), QStringLiteral("--home"), home.path() };
    if (!trust.isEmpty())
        arguments << QStringLiteral("--trust-sha256") << trust;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home.path());
    env.remove(QStringLiteral("TARNWICK_FTP_PASSWORD"));
    env.remove(QStringLiteral("SSH_AUTH_SOCK"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TARNWICK_PUBLISH_TOOL), arguments);
    QVERIFY(process.waitForFinished(TestEnvironment::signalBound * 4));
    const QString output = QString::fromUtf8(process.readAllStandardOutput())
        + QString::fromUtf8(process.readAllStandardError());
    QVERIFY(QFile::remove(ProjectSettings::settingsFilePath(m_project.path())));
    QVERIFY2(process.exitCode() == exitCode, qPrintable(output));
    QVERIFY2(output.contains(said), qPrintable(output));
    const QString folder = m_root.filePath(settings.ftpDirectory);
    if (exitCode == 0)
        QCOMPARE(filesBelow(folder), QStringList({ "img/logo.gif", "index.htm", "my page.htm" }));
    else
        QVERIFY(!QFileInfo::exists(folder));
}

void TestSftpPublish::remoteSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("expected"); // -2: nothing told
    QTest::addRow("file in the folder entered") << "top.htm" << qint64(5);
    QTest::addRow("file in a folder below") << "deep/er/pic.gif" << qint64(3);
    QTest::addRow("not in a listed folder") << "deep/er/gone.gif" << qint64(-1);
    QTest::addRow("folder not there") << "nowhere/x.htm" << qint64(-1);
    QTest::addRow("a folder, not a file") << "deep/er" << qint64(-1);
}

// What the server holds, as the choice of changed files asks for it.
void TestSftpPublish::remoteSize()
{
    QFETCH(QString, name);
    QFETCH(qint64, expected);
    const QString site = m_root.filePath(QStringLiteral("sizes"));
    TestEnvironment::writeFile(site + QStringLiteral("/top.htm"), "<p/>\n");
    TestEnvironment::writeFile(site + QStringLiteral("/deep/er/pic.gif"), "GIF");
    SftpTransport transport(nullptr, QString(), QString());
    transport.client()->setTrustedKeySha256(m_server.hostKeySha256());
    PublishConnector::Site where;
    where.address = QStringLiteral("sftp://127.0.0.1:%1").arg(m_server.port());
    where.directory = site;
    where.user = m_server.user();
    where.keyFile = m_key;
    QCOMPARE(transport.open(where).status, PublishConnector::Status::Ready);
    PublishFile file;
    file.remoteName = name;
    file.binary = true;
    QCOMPARE(transport.remoteSize(file).value_or(-2), expected);
    // Asked again from the listing kept.
    QCOMPARE(transport.remoteSize(file).value_or(-2), expected);
    transport.close();
}

QTEST_MAIN(TestSftpPublish)
#include "tst_sftppublish.moc"
