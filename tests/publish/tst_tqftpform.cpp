// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/tqftpform.h"

#include "app/publishcommands.h"
#include "publish/tftpclient.h"

#include "pyftpserver.h"
#include "support/scriptedprompter.h"
#include "support/testenvironment.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSslCertificate>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Tarnwick;
using Answer = Prompter::Answer;

namespace {

// Bytes that a text transfer would change: CR LF pairs, a lone CR, a NUL.
QByteArray binaryBytes(int seed, int size)
{
    QByteArray bytes("GIF89a\r\n\x00\r\x1a\n", 12);
    for (int i = 0; bytes.size() < size; ++i)
        bytes.append(char((i * 131 + seed) % 256));
    return bytes;
}

// Every file below root, as "relative path" -> bytes.
QMap<QString, QByteArray> filesBelow(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path), TestEnvironment::readFile(path));
    }
    return files;
}

QString fingerprint(const PyFtpServer &server)
{
    const QList<QSslCertificate> certificates = QSslCertificate::fromPath(server.certificatePath());
    if (certificates.isEmpty())
        return QStringLiteral("<no certificate>");
    return QString::fromLatin1(
        certificates.first().digest(QCryptographicHash::Sha256).toHex(':').toUpper());
}

} // namespace

class TestTQFTPForm final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void publishesAProject_data();
    void publishesAProject();
    void onePageGoesStraightToReferences();
    void pageCheckBeforeSending_data();
    void pageCheckBeforeSending();
    void cancelDuringSecondOfThreePages();
    void closingDuringTransferActsAsCancel();
    void connectFailures_data();
    void connectFailures();
    void declinedDirectoryStaysOnDefault();
    void refusedCertificateSendsNothing();
    void schemeOfTheAddress_data();
    void schemeOfTheAddress();
    void viewLogToggles();

private:
    struct Site
    {
        std::unique_ptr<QTemporaryDir> local;
        std::unique_ptr<QTemporaryDir> root;
        std::unique_ptr<PyFtpServer> server;
    };
    Site startSite(const PyFtpServer::Options &options);
    TQFTPForm::Request request(const Site &site, const QStringList &pages,
                               const QString &directory) const;
    static void makeProject(const QString &dir);

    PyFtpServer::Options m_options;
};

void TestTQFTPForm::initTestCase()
{
    TestEnvironment::isolate();
}

TestTQFTPForm::Site TestTQFTPForm::startSite(const PyFtpServer::Options &options)
{
    Site site;
    site.local = std::make_unique<QTemporaryDir>();
    site.root = std::make_unique<QTemporaryDir>();
    site.server = std::make_unique<PyFtpServer>();
    if (!site.server->start(site.root->path(), options))
        qWarning("%s", qPrintable(site.server->error()));
    return site;
}

TQFTPForm::Request TestTQFTPForm::request(const Site &site, const QStringList &pages,
                                          const QString &directory) const
{
    TQFTPForm::Request r;
    r.projectDir = site.local->filePath(QStringLiteral("project"));
    r.pages = pages;
    r.site.address = QStringLiteral("ftp://127.0.0.1:%1/").arg(site.server->port());
    r.site.directory = directory;
    r.site.user = m_options.user;
    r.site.password = m_options.password;
    r.timeOutMs = 60000;
    r.smartAscii = QStringLiteral("txt");
    r.extensions = QStringLiteral("html,htm");
    r.scanner = PublishCommands::scanner(nullptr);
    return r;
}

// Pages linking each other, images and a style sheet in nested folders, a
// missing image, references that must stay home.
void TestTQFTPForm::makeProject(const QString &dir)
{
    TestEnvironment::writeFile(
        dir + QStringLiteral("/index.htm"),
        "<html><head><title>Home</title>\n"
        "<link rel=\"stylesheet\" href=\"css/site.css\"></head><body>\n"
        "<img src=\"img/logo.gif\"> <img src=\"img/missing.gif\">\n"
        "<a href=\"about.htm\">About</a> <a href=\"notes.txt\">Notes</a>\n"
        "<a href=\"http://example.com/\">Out</a> <a href=\"PROJECT.INI\">ini</a>\n"
        "<a href=\"../outside.htm\">up</a> <img src=\"/abs.gif\"> <a href=\"img/\">folder</a>\n"
        "</body></html>\n");
    TestEnvironment::writeFile(dir + QStringLiteral("/about.htm"),
                               "<html>\r\n<body>\r\n<img src=\"img/icons/dot.png\">\r\n"
                               "<a href=\"index.htm\">Home</a>\r\n</body>\r\n</html>\r\n");
    TestEnvironment::writeFile(dir + QStringLiteral("/img/logo.gif"), binaryBytes(1, 5000));
    TestEnvironment::writeFile(dir + QStringLiteral("/img/icons/dot.png"), binaryBytes(2, 700));
    TestEnvironment::writeFile(dir + QStringLiteral("/css/site.css"), "body { color: red }\r\n");
    TestEnvironment::writeFile(dir + QStringLiteral("/notes.txt"), "plain\nnotes\n");
    TestEnvironment::writeFile(dir + QStringLiteral("/PROJECT.INI"), "[PROJECT]\r\nWebURL=x\r\n");
    TestEnvironment::writeFile(dir + QStringLiteral("/../outside.htm"), "<html></html>");
}

void TestTQFTPForm::publishesAProject_data()
{
    QTest::addColumn<bool>("tls");
    QTest::addColumn<bool>("strict");
    QTest::addRow("plain") << false << false;
    QTest::addRow("TLS") << true << false;
    QTest::addRow("strict TLS") << true << true;
}

// The whole road: the missing remote directory made on Yes, pages in ASCII,
// references in their own modes below their folders, and a summary of what
// did not arrive; the dry run names exactly what the send stored.
void TestTQFTPForm::publishesAProject()
{
    QFETCH(bool, tls);
    QFETCH(bool, strict);
    PyFtpServer::Options options = m_options;
    options.tls = tls;
    options.strictTls = strict;
    options.refuse = { QStringLiteral("notes.txt") };
    Site site = startSite(options);
    QVERIFY(site.server->port() != 0);
    makeProject(site.local->filePath(QStringLiteral("project")));
    ScriptedPrompter prompter;
    if (tls)
        prompter.answer(Answer::Yes); // take the self-signed certificate
    prompter.answer(Answer::Yes); // create the directory

    TQFTPForm::Request r = request(site,
                                   { QStringLiteral("PROJECT.INI"), QStringLiteral("index.htm"),
                                     QStringLiteral("about.htm"), QStringLiteral("gone.htm") },
                                   QStringLiteral("site"));
    r.site.tls = tls;
    TQFTPForm form(r, &prompter);
    form.show();
    auto *notebook = form.findChild<QStackedWidget *>(QStringLiteral("FTPNotebook"));
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("Default"));
    auto *files = form.findChild<QListWidget *>(QStringLiteral("FilesToSend"));
    QCOMPARE(files->count(), 3); // the settings entry is no page
    QCOMPARE(files->item(0)->text(), QStringLiteral("about.htm"));

    QCOMPARE(form.findChild<QCheckBox *>(QStringLiteral("UseFTPS"))->isChecked(), tls);
    form.findChild<QPushButton *>(QStringLiteral("ConnectBtn"))->click();
    QStringList texts = prompter.texts();
    if (tls) {
        QVERIFY(texts.size() > 1);
        QVERIFY2(texts.takeFirst().contains(fingerprint(*site.server)),
                 qPrintable(prompter.texts().join(QLatin1Char('\n'))));
    }
    QCOMPARE(texts,
             QStringList {
                 QStringLiteral("Directory site does not exist.  Would you like to create it?") });
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("Pages"));
    form.findChild<QPushButton *>(QStringLiteral("NextPageBtn"))->click();
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("images"));
    form.findChild<QCheckBox *>(QStringLiteral("SendImages"))->setChecked(true);
    auto *images = form.findChild<QListWidget *>(QStringLiteral("ImagesToSend"));
    QStringList listed;
    for (int i = 0; i < images->count(); ++i)
        listed << images->item(i)->text();
    // about.htm is linked, but goes as a selected page.
    QCOMPARE(listed,
             QStringList({ "css/site.css", "img/icons/dot.png", "img/logo.gif", "notes.txt" }));
    const QString dryRun = form.dryRunText();

    form.findChild<QPushButton *>(QStringLiteral("SendFileBtn"))->click();
    QVERIFY(!form.isVisible() || form.result() != QDialog::Accepted);

    const QMap<QString, QByteArray> stored = filesBelow(site.root->path());
    QCOMPARE(stored.keys(),
             QStringList({ "site/about.htm", "site/css/site.css", "site/img/icons/dot.png",
                           "site/img/logo.gif", "site/index.htm" }));
    const QString local = site.local->filePath(QStringLiteral("project/"));
    QByteArray about = TestEnvironment::readFile(local + QStringLiteral("about.htm"));
    about.replace("\r\n", "\n"); // ASCII mode: the server's line ends
    QCOMPARE(stored.value(QStringLiteral("site/about.htm")), about);
    for (const char *name : { "img/logo.gif", "img/icons/dot.png", "css/site.css" })
        QCOMPARE(stored.value(QStringLiteral("site/") + QLatin1String(name)),
                 TestEnvironment::readFile(local + QLatin1String(name)));

    // What the dry run promised is what landed, plus the refused file.
    static const QRegularExpression arrow(QStringLiteral("-> (\\S+)$"),
                                          QRegularExpression::MultilineOption);
    QStringList promised;
    for (auto it = arrow.globalMatch(dryRun); it.hasNext();)
        promised << it.next().captured(1);
    promised.sort();
    QCOMPARE(promised,
             QStringList({ "site/about.htm", "site/css/site.css", "site/gone.htm",
                           "site/img/icons/dot.png", "site/img/logo.gif", "site/index.htm",
                           "site/notes.txt" }));
    QVERIFY(dryRun.contains(QStringLiteral("img/missing.gif (in index.htm): not found")));
    QVERIFY(dryRun.contains(QStringLiteral("http://example.com/ (in index.htm): address "
                                           "outside the site")));
    QVERIFY(dryRun.contains(QStringLiteral("../outside.htm (in index.htm): outside the project")));
    QVERIFY(dryRun.contains(QStringLiteral("/abs.gif (in index.htm): absolute path")));
    QVERIFY(dryRun.contains(QStringLiteral("img/ (in index.htm): folder, not a file")));
    QVERIFY(dryRun.contains(QStringLiteral("PROJECT.INI (in index.htm): project settings")));

    // The dialog stays with the summary of what did not arrive.
    QVERIFY(form.isVisible());
    QVERIFY(form.findChild<QPlainTextEdit *>(QStringLiteral("SendSummary"))->isVisible());
    const QString summary = form.summary();
    QVERIFY2(summary.startsWith(QStringLiteral("5 of 7 files sent.")), qPrintable(summary));
    QVERIFY(summary.contains(QStringLiteral("gone.htm: missing on this computer")));
    QVERIFY(summary.contains(QStringLiteral("notes.txt: 550 Refused by the test server.")));
    QVERIFY(summary.contains(QStringLiteral("img/missing.gif (in index.htm): not found")));
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("TotBytes"))->text(),
             QStringLiteral("Total bytes: ")
                 + QLocale(QLocale::English).toString(PublishPlan::bytes(form.filesToSend())));

    // The order on the wire.
    QStringList commands = site.server->commands();
    QCOMPARE(commands.count(QStringLiteral("PASS")), 1);
    QCOMPARE(commands.filter(QRegularExpression(QStringLiteral("^USER "))).size(), 1);
    commands.removeIf([](const QString &c) {
        return c == QStringLiteral("PASV") || c.startsWith(QStringLiteral("AUTH"))
            || c.startsWith(QStringLiteral("PBSZ")) || c.startsWith(QStringLiteral("PROT"));
    });
    QCOMPARE(commands, QStringList({ "USER tester",    "PASS",
                                     "CWD site",       "PWD",
                                     "MKD site",       "CWD site",
                                     "TYPE A",         "STOR about.htm",
                                     "STOR index.htm", "TYPE I",
                                     "MKD css",        "STOR css/site.css",
                                     "TYPE I",         "MKD img",
                                     "MKD img/icons",  "STOR img/icons/dot.png",
                                     "TYPE I",         "STOR img/logo.gif",
                                     "TYPE A",         "STOR notes.txt" }));
    const QString log
        = form.findChild<QPlainTextEdit *>(QStringLiteral("FTPLogMemo"))->toPlainText();
    QVERIFY(log.contains(QStringLiteral("> PASS ****")));
    QVERIFY(!log.contains(m_options.password));

    // Closing says QUIT.
    form.findChild<QPushButton *>(QStringLiteral("CancelSend"))->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(site.server->commands().last(), QStringLiteral("QUIT"));
}

// A single page skips the "Pages" page; with nothing left undelivered the
// dialog closes with OK.
void TestTQFTPForm::onePageGoesStraightToReferences()
{
    Site site = startSite(m_options);
    QVERIFY(site.server->port() != 0);
    TestEnvironment::writeFile(site.local->filePath(QStringLiteral("project/only.htm")),
                               "<p><a href=\"other.htm\">x</a></p>\n");
    TestEnvironment::writeFile(site.local->filePath(QStringLiteral("project/other.htm")),
                               "<p>o</p>\n");
    QDir(site.root->path()).mkdir(QStringLiteral("pub"));
    ScriptedPrompter prompter;
    TQFTPForm form(request(site, { QStringLiteral("PROJECT.INI"), QStringLiteral("only.htm") },
                           QStringLiteral("pub")),
                   &prompter);
    form.show();
    form.ConnectBtnClick();
    auto *notebook = form.findChild<QStackedWidget *>(QStringLiteral("FTPNotebook"));
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("images"));
    QVERIFY(form.findChild<QPushButton *>(QStringLiteral("SendFileBtn"))->isVisible());
    QVERIFY(!form.findChild<QPushButton *>(QStringLiteral("NextPageBtn"))->isVisible());
    // A linked page that is not sent as a page goes as a reference, in ASCII.
    form.findChild<QCheckBox *>(QStringLiteral("SendImages"))->setChecked(true);
    form.SendFileBtnClick();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(prompter.texts().isEmpty());
    QCOMPARE(filesBelow(site.root->path()).keys(),
             QStringList({ "pub/only.htm", "pub/other.htm" }));
    QVERIFY(site.server->commands().contains(QStringLiteral("TYPE A")));
    QVERIFY(!site.server->commands().contains(QStringLiteral("TYPE I")));
}

// The check of the pages about to go sees their local paths, and a check that
// says no closes the dialog with nothing sent.
void TestTQFTPForm::pageCheckBeforeSending_data()
{
    QTest::addColumn<bool>("send");
    QTest::addRow("send") << true;
    QTest::addRow("review first") << false;
}

void TestTQFTPForm::pageCheckBeforeSending()
{
    QFETCH(bool, send);
    Site site = startSite(m_options);
    QVERIFY(site.server->port() != 0);
    const QString project = site.local->filePath(QStringLiteral("project"));
    TestEnvironment::writeFile(project + QStringLiteral("/only.htm"),
                               "<p><img src=\"a.gif\"></p>\n");
    TestEnvironment::writeFile(project + QStringLiteral("/a.gif"), "GIF89a");
    QDir(site.root->path()).mkdir(QStringLiteral("pub"));
    ScriptedPrompter prompter;
    TQFTPForm::Request r = request(site, {QStringLiteral("only.htm")}, QStringLiteral("pub"));
    QList<QStringList> asked;
    r.checkPages = [&](const QStringList &pages) {
        asked << pages;
        return send;
    };
    TQFTPForm form(r, &prompter);
    form.show();
    form.ConnectBtnClick();
    form.findChild<QCheckBox *>(QStringLiteral("SendImages"))->setChecked(true);
    form.SendFileBtnClick();
    QCOMPARE(asked, QList<QStringList>{{project + QStringLiteral("/only.htm")}});
    QCOMPARE(form.result(), int(send ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(filesBelow(site.root->path()).keys(),
             send ? QStringList({"pub/a.gif", "pub/only.htm"}) : QStringList());
    QVERIFY(prompter.texts().isEmpty());
}

void TestTQFTPForm::cancelDuringSecondOfThreePages()
{
    Site site = startSite(m_options);
    QVERIFY(site.server->port() != 0);
    QDir(site.root->path()).mkdir(QStringLiteral("pub"));
    const QByteArray big = QByteArray("<p>") + QByteArray(400000, 'x') + "</p>\n";
    for (const char *name : { "a.htm", "b.htm", "c.htm" })
        TestEnvironment::writeFile(
            site.local->filePath(QStringLiteral("project/") + QLatin1String(name)), big);
    ScriptedPrompter prompter;
    TQFTPForm form(request(site, { "a.htm", "b.htm", "c.htm" }, QStringLiteral("pub")), &prompter);
    form.show();
    form.ConnectBtnClick();
    form.NextPageBtnClick();
    auto *cancel = form.findChild<QPushButton *>(QStringLiteral("CancelSend"));
    bool clicked = false;
    connect(
        form.FtpClient1(), &TCustomFtpCli::OnProgress, this,
        [&](qint64, bool &) {
            if (!clicked
                && form.findChild<QLabel *>(QStringLiteral("SendingFile"))->text()
                    == QStringLiteral("b.htm")) {
                clicked = true;
                cancel->click();
            }
        },
        Qt::DirectConnection);
    form.SendFileBtnClick();
    QVERIFY(clicked);
    const QMap<QString, QByteArray> stored = filesBelow(site.root->path());
    QCOMPARE(stored.keys(), QStringList({ "pub/a.htm", "pub/b.htm" }));
    QCOMPARE(stored.value(QStringLiteral("pub/b.htm")), big);
    QVERIFY(form.isVisible());
    QVERIFY(form.result() != QDialog::Accepted);
    QVERIFY(form.summary().contains(QStringLiteral("c.htm: cancelled, not sent")));
    QVERIFY(form.summary().startsWith(QStringLiteral("2 of 3 files sent.")));
}

// The window's close during a transfer is Cancel: the dialog stays until the
// file in transfer is done.
void TestTQFTPForm::closingDuringTransferActsAsCancel()
{
    Site site = startSite(m_options);
    QVERIFY(site.server->port() != 0);
    QDir(site.root->path()).mkdir(QStringLiteral("pub"));
    const QByteArray big = QByteArray(300000, 'y');
    for (const char *name : { "a.htm", "b.htm" })
        TestEnvironment::writeFile(
            site.local->filePath(QStringLiteral("project/") + QLatin1String(name)), big);
    ScriptedPrompter prompter;
    TQFTPForm form(request(site, { "a.htm", "b.htm" }, QStringLiteral("pub")), &prompter);
    form.show();
    form.ConnectBtnClick();
    form.NextPageBtnClick();
    bool closed = false;
    connect(form.publishSender(), &PublishSender::fileStarted, this, [&](int index) {
        if (index == 0)
            QTimer::singleShot(0, &form, [&] { closed = form.close(); });
    });
    form.SendFileBtnClick();
    QVERIFY(!closed);
    QVERIFY(!form.isVisible());
    QCOMPARE(filesBelow(site.root->path()).keys(), QStringList({ "pub/a.htm" }));
    QVERIFY(form.summary().contains(QStringLiteral("b.htm: cancelled, not sent")));
}

void TestTQFTPForm::connectFailures_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("commands");
    QTest::addRow("empty password")
        << QString() << QString() << QStringLiteral("Not enough data to connect to your FTP site.")
        << QStringList();
    QTest::addRow("wrong password") << QStringLiteral("wrong") << QStringLiteral("pub")
                                    << QStringLiteral("530 Authentication failed.")
                                    << QStringList({ "USER tester", "PASS", "QUIT" });
    QTest::addRow("directory cannot be made")
        << m_options.password << QStringLiteral("no/such")
        << QStringLiteral("Cannot create directory.")
        << QStringList({ "USER tester", "PASS", "CWD no/such", "PWD", "MKD no/such", "QUIT" });
}

// A failed connect, log-in or directory stays on "Default" with the reason;
// nothing is stored.
void TestTQFTPForm::connectFailures()
{
    QFETCH(QString, password);
    QFETCH(QString, directory);
    QFETCH(QString, message);
    QFETCH(QStringList, commands);
    Site site = startSite(m_options);
    QVERIFY(site.server->port() != 0);
    TestEnvironment::writeFile(site.local->filePath(QStringLiteral("project/a.htm")), "<p>a</p>");
    ScriptedPrompter prompter;
    prompter.answer(Answer::Yes);
    TQFTPForm::Request r = request(site, { QStringLiteral("a.htm") }, directory);
    r.site.password = password;
    TQFTPForm form(r, &prompter);
    form.show();
    form.ConnectBtnClick();
    QCOMPARE(prompter.texts().last(), message);
    QCOMPARE(form.findChild<QStackedWidget *>(QStringLiteral("FTPNotebook"))
                 ->currentWidget()
                 ->objectName(),
             QStringLiteral("Default"));
    QVERIFY(!form.findChild<QPushButton *>(QStringLiteral("SendFileBtn"))->isVisible());
    // Each command waited for its reply: the server's log is complete.
    QCOMPARE(site.server->commands(), commands);
    QVERIFY(filesBelow(site.root->path()).isEmpty());
}

void TestTQFTPForm::declinedDirectoryStaysOnDefault()
{
    Site site = startSite(m_options);
    QVERIFY(site.server->port() != 0);
    TestEnvironment::writeFile(site.local->filePath(QStringLiteral("project/a.htm")), "<p>a</p>");
    ScriptedPrompter prompter;
    prompter.answer(Answer::No);
    TQFTPForm form(request(site, { QStringLiteral("a.htm") }, QStringLiteral("pub")), &prompter);
    form.show();
    form.ConnectBtnClick();
    QCOMPARE(prompter.texts().size(), 1); // the question only
    QCOMPARE(form.findChild<QStackedWidget *>(QStringLiteral("FTPNotebook"))
                 ->currentWidget()
                 ->objectName(),
             QStringLiteral("Default"));
    QCOMPARE(site.server->commands(), QStringList({ "USER tester", "PASS", "CWD pub", "QUIT" }));
}

// No: the log-in never goes out, and the dialog stays on "Default" with why.
void TestTQFTPForm::refusedCertificateSendsNothing()
{
    PyFtpServer::Options options = m_options;
    options.tls = true;
    Site site = startSite(options);
    QVERIFY(site.server->port() != 0);
    TestEnvironment::writeFile(site.local->filePath(QStringLiteral("project/a.htm")), "<p>a</p>");
    ScriptedPrompter prompter;
    prompter.answer(Answer::No);
    TQFTPForm::Request r = request(site, { QStringLiteral("a.htm") }, QString());
    r.site.tls = true;
    TQFTPForm form(r, &prompter);
    form.show();
    form.ConnectBtnClick();
    QCOMPARE(prompter.texts().size(), 2);
    QVERIFY(prompter.texts().first().startsWith(
        QStringLiteral("The certificate of 127.0.0.1 is not trusted:")));
    QVERIFY(prompter.texts().first().contains(fingerprint(*site.server)));
    QVERIFY2(prompter.texts().last().startsWith(
                 QStringLiteral("500 TLS error: certificate not trusted")),
             qPrintable(prompter.texts().last()));
    QCOMPARE(form.findChild<QStackedWidget *>(QStringLiteral("FTPNotebook"))
                 ->currentWidget()
                 ->objectName(),
             QStringLiteral("Default"));
    QCOMPARE(site.server->commands(), QStringList { QStringLiteral("AUTH TLS") });
}

void TestTQFTPForm::schemeOfTheAddress_data()
{
    QTest::addColumn<QString>("address"); // %1: the port
    QTest::addColumn<bool>("tlsServer");
    QTest::addColumn<bool>("ticked"); // the FTPS box once shown
    QTest::addColumn<QStringList>("commands"); // up to the log-in
    QTest::addColumn<bool>("typed"); // into the dialog, after the project's plain address
    QTest::addRow("ftps:// turns TLS on") << "ftps://127.0.0.1:%1/" << true << true
                                          << QStringList { "AUTH TLS", "USER tester" } << false;
    QTest::addRow("FTPS with upper case") << "FTPS://127.0.0.1:%1" << true << true
                                          << QStringList { "AUTH TLS", "USER tester" } << false;
    QTest::addRow("ftps:// typed in the dialog")
        << "ftps://127.0.0.1:%1/" << true << true << QStringList { "AUTH TLS", "USER tester" }
        << true;
    QTest::addRow("no scheme") << "127.0.0.1:%1" << false << false
                               << QStringList { "USER tester", "PASS" } << false;
    QTest::addRow("scp:// is refused")
        << "scp://127.0.0.1:%1" << false << false << QStringList() << false;
    QTest::addRow("http:// is refused")
        << "http://127.0.0.1:%1" << false << false << QStringList() << false;
}

// The address's scheme asks for TLS even with the box unticked; a scheme
// Tarnwick cannot serve is refused before anything goes to the server.
void TestTQFTPForm::schemeOfTheAddress()
{
    QFETCH(QString, address);
    QFETCH(bool, tlsServer);
    QFETCH(bool, ticked);
    QFETCH(QStringList, commands);
    QFETCH(bool, typed);
    PyFtpServer::Options options = m_options;
    options.tls = tlsServer;
    Site site = startSite(options);
    QVERIFY(site.server->port() != 0);
    TestEnvironment::writeFile(site.local->filePath(QStringLiteral("project/a.htm")), "<p>a</p>");
    ScriptedPrompter prompter;
    prompter.answer(Answer::Yes); // the self-signed certificate
    TQFTPForm::Request r = request(site, { QStringLiteral("a.htm") }, QString());
    const QString url = address.arg(site.server->port());
    r.site.address = typed ? QStringLiteral("127.0.0.1:%1").arg(site.server->port()) : url;
    r.site.tls = false;
    TQFTPForm form(r, &prompter);
    form.show();
    auto *box = form.findChild<QCheckBox *>(QStringLiteral("UseFTPS"));
    QCOMPARE(box->isChecked(), ticked && !typed);
    form.findChild<QLineEdit *>(QStringLiteral("AHost"))->setText(url);
    form.ConnectBtnClick();
    const QString page = form.findChild<QStackedWidget *>(QStringLiteral("FTPNotebook"))
                             ->currentWidget()
                             ->objectName();
    if (commands.isEmpty()) {
        QCOMPARE(prompter.texts(),
                 QStringList { PublishConnector::unservedScheme(url, url.section(':', 0, 0)) });
        QCOMPARE(page, QStringLiteral("Default"));
        QVERIFY(site.server->commands().isEmpty());
        return;
    }
    QCOMPARE(page, QStringLiteral("images"));
    QCOMPARE(site.server->commands().mid(0, commands.size()), commands);
    QCOMPARE(box->isChecked(), ticked);
}

void TestTQFTPForm::viewLogToggles()
{
    Site site = startSite(m_options);
    QVERIFY(site.server->port() != 0);
    TestEnvironment::writeFile(site.local->filePath(QStringLiteral("project/a.htm")), "<p>a</p>");
    ScriptedPrompter prompter;
    TQFTPForm form(request(site, { QStringLiteral("a.htm"), QStringLiteral("b.htm") }, QString()),
                   &prompter);
    form.show();
    auto *viewLog = form.findChild<QPushButton *>(QStringLiteral("ViewLog"));
    QVERIFY(!viewLog->isEnabled());
    form.ConnectBtnClick();
    QVERIFY(viewLog->isEnabled());
    auto *notebook = form.findChild<QStackedWidget *>(QStringLiteral("FTPNotebook"));
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("Pages"));
    viewLog->click();
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("LogFile"));
    QCOMPARE(viewLog->text(), QStringLiteral("&Hide Log"));
    viewLog->click();
    QCOMPARE(notebook->currentWidget()->objectName(), QStringLiteral("Pages"));
    QCOMPARE(viewLog->text(), QStringLiteral("&View Log"));
}

QTEST_MAIN(TestTQFTPForm)
#include "tst_tqftpform.moc"
