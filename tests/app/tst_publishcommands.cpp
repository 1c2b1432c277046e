// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/publishcommands.h"

#include "platform/profilefile.h"
#include "privatekeyring.h"
#include "project/projectsettings.h"
#include "projectcommandsfixture.h"
#include "publish/ftpaddress.h"
#include "publish/passwordcodec.h"
#include "publish/passwordstore.h"
#include "publish/tqftpform.h"
#include "testenvironment.h"

#include <QCheckBox>
#include <QTest>

using namespace Tarnwick;

class TestPublishCommands final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void cleanupTestCase() { m_keyring.reset(); }
    void sendCaption_data();
    void sendCaption();
    void requestFromProjectSettings_data();
    void requestFromProjectSettings();
    void pageCheckFollowsTheSetting_data();
    void pageCheckFollowsTheSetting();
    void wholeSiteWithAPageOpenIsRefused();
    void nothingToSend_data();
    void nothingToSend();
    void openPageIsReadFromItsTab();
    void sendReferencesRemembered();
    void passwordFromKeyring_data();
    void passwordFromKeyring();

private:
    static void makeShop(ProjectCommandsFixture &f);

    std::unique_ptr<PrivateKeyring> m_keyring;
};

void TestPublishCommands::makeShop(ProjectCommandsFixture &f)
{
    ProjectSettings settings;
    settings.webURL = QStringLiteral("mysite");
    settings.ftpDirectory = QStringLiteral("public");
    settings.loginID = QStringLiteral("ann");
    settings.loginPassword = PasswordCodec::EncodeStr(QStringLiteral("pw"));
    settings.useFtps = true;
    TestEnvironment::writeFile(f.home + QStringLiteral("shop/a.htm"), "<img src=\"x.gif\">");
    TestEnvironment::writeFile(f.home + QStringLiteral("shop/b.htm"), "<p>b</p>");
    QVERIFY(settings.write(f.home + QStringLiteral("shop")));
    f.outline.setTree(ProjectTree({ { 1, "Shop - shop" },
                                    { 2, "#Default Project Settings - PROJECT.INI" },
                                    { 2, "Ay - a.htm" },
                                    { 2, "Bee - b.htm" } }));
}

void TestPublishCommands::sendCaption_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("caption");
    QTest::addRow("nothing selected") << -1 << false << "Send to website...";
    QTest::addRow("project") << 0 << false << "Send entire site to mysite/public";
    QTest::addRow("page") << 2 << false << "Send to mysite/public";
    QTest::addRow("open page") << 2 << true << "(OPEN)Send to mysite/public";
}

void TestPublishCommands::sendCaption()
{
    QFETCH(int, row);
    QFETCH(bool, open);
    QFETCH(QString, caption);
    ProjectCommandsFixture f;
    makeShop(f);
    PublishCommands commands(nullptr, &f.outline, &f.pages, &f.prompter, &f.settings);
    if (open)
        QVERIFY(f.pages.LoadFile(f.home + QStringLiteral("shop/a.htm"), true));
    f.outline.setCurrentRow(row);
    QCOMPARE(commands.sendCaption(), caption);
}

void TestPublishCommands::requestFromProjectSettings_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("pages");
    QTest::addRow("project: its pages") << 0 << QStringList({ "a.htm", "b.htm" });
    QTest::addRow("page: that page") << 3 << QStringList({ "b.htm" });
}

// The dialog gets the project's site, log-in, clear password and TLS choice,
// and the program's transfer settings.
void TestPublishCommands::requestFromProjectSettings()
{
    QFETCH(int, row);
    QFETCH(QStringList, pages);
    ProjectCommandsFixture f;
    makeShop(f);
    f.settings.FTP.TimeOut = 5000;
    f.settings.FTP.SmartASCII = QStringLiteral("txt");
    PublishCommands commands(nullptr, &f.outline, &f.pages, &f.prompter, &f.settings);
    f.outline.setCurrentRow(row);
    const std::optional<TQFTPForm::Request> r = commands.request();
    QVERIFY(r);
    QCOMPARE(r->pages, pages);
    QCOMPARE(QDir::cleanPath(r->projectDir), QDir::cleanPath(f.home + QStringLiteral("shop")));
    QCOMPARE(r->site.address, QStringLiteral("mysite"));
    QCOMPARE(r->site.directory, QStringLiteral("public"));
    QCOMPARE(r->site.user, QStringLiteral("ann"));
    QCOMPARE(r->site.password, QStringLiteral("pw"));
    QVERIFY(r->site.tls);
    QCOMPARE(r->timeOutMs, 5000);
    QCOMPARE(r->smartAscii, QStringLiteral("txt"));
    QCOMPARE(r->extensions, f.settings.Defaults.Extension);
}

void TestPublishCommands::pageCheckFollowsTheSetting_data()
{
    QTest::addColumn<bool>("setting");
    QTest::addRow("on") << true;
    QTest::addRow("off") << false;
}

// The dialog is given the check of the pages, with the project's folder, only
// while the settings ask for it.
void TestPublishCommands::pageCheckFollowsTheSetting()
{
    QFETCH(bool, setting);
    ProjectCommandsFixture f;
    makeShop(f);
    f.settings.FTP.CheckSite = setting;
    PublishCommands commands(nullptr, &f.outline, &f.pages, &f.prompter, &f.settings);
    QString checkedIn;
    commands.setPageCheck([&](const QString &projectDir, const QStringList &) {
        checkedIn = projectDir;
        return false;
    });
    f.outline.setCurrentRow(0);
    const std::optional<TQFTPForm::Request> r = commands.request();
    QVERIFY(r);
    QCOMPARE(bool(r->checkPages), setting);
    if (setting) {
        QVERIFY(!r->checkPages({QStringLiteral("x.htm")}));
        QCOMPARE(checkedIn, r->projectDir);
    }
}

void TestPublishCommands::wholeSiteWithAPageOpenIsRefused()
{
    ProjectCommandsFixture f;
    makeShop(f);
    PublishCommands commands(nullptr, &f.outline, &f.pages, &f.prompter, &f.settings);
    QVERIFY(f.pages.LoadFile(f.home + QStringLiteral("shop/b.htm"), true));
    f.outline.setCurrentRow(0);
    const QString caption = withDialog(
        &f.outline, [&] { commands.FTPSendClick(commands.sendCaption()); },
        [](QWidget *dialog) { dialog->close(); });
    QCOMPARE(caption, QString()); // no dialog
    QCOMPARE(f.prompter.texts(), QStringList { PublishCommands::closeProjectFiles() });
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Warning);
}

void TestPublishCommands::nothingToSend_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("message");
    QTest::addRow("settings entry alone") << 1 << PublishCommands::settingsNotSent();
    QTest::addRow("nothing selected") << -1 << PublishCommands::nothingSelected();
}

// No dialog opens without a page to send; the user is told why.
void TestPublishCommands::nothingToSend()
{
    QFETCH(int, row);
    QFETCH(QString, message);
    ProjectCommandsFixture f;
    makeShop(f);
    PublishCommands commands(nullptr, &f.outline, &f.pages, &f.prompter, &f.settings);
    f.outline.setCurrentRow(row);
    const QString caption = withDialog(
        &f.outline, [&] { commands.FTPSendClick(commands.sendCaption()); },
        [](QWidget *dialog) { dialog->close(); });
    QCOMPARE(caption, QString());
    QCOMPARE(f.prompter.texts(), QStringList { message });
}

// What the user sees in the tab is what the page refers to, saved or not.
void TestPublishCommands::openPageIsReadFromItsTab()
{
    ProjectCommandsFixture f;
    makeShop(f);
    TestEnvironment::writeFile(f.home + QStringLiteral("shop/new.gif"), "GIF");
    TestEnvironment::writeFile(f.home + QStringLiteral("shop/x.gif"), "GIF");
    const QString page = f.home + QStringLiteral("shop/a.htm");
    QVERIFY(f.pages.LoadFile(page, true));
    f.editor.SetText(QStringLiteral("<img src=\"new.gif\">"));
    const Expected<QList<ScannedReference>> scanned = PublishCommands::scanner(&f.pages)(page);
    QVERIFY(scanned);
    QCOMPARE(scanned->size(), 1);
    QCOMPARE(scanned->first().value, QStringLiteral("new.gif"));
    QVERIFY(scanned->first().located);
    const Expected<QList<ScannedReference>> fromFile = PublishCommands::scanner(nullptr)(page);
    QCOMPARE(fromFile->first().value, QStringLiteral("x.gif"));
}

// "Send SRC & HREF references?" starts as the project's last send left it;
// saving the project settings keeps the choice.
void TestPublishCommands::sendReferencesRemembered()
{
    ProjectCommandsFixture f;
    makeShop(f);
    const QString shop = f.home + QStringLiteral("shop");
    PublishCommands commands(nullptr, &f.outline, &f.pages, &f.prompter, &f.settings);
    f.outline.setCurrentRow(2);
    const auto ticked = [&](bool tick) {
        TQFTPForm dialog(*commands.request(), &f.prompter);
        dialog.show();
        auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("SendImages"));
        const bool was = box->isChecked();
        box->setChecked(tick);
        return was;
    };
    QVERIFY(!ticked(true)); // a first send starts unticked
    QCOMPARE(ProfileFile(shop + QStringLiteral("/PROJECT.INI"))
                 .readString(QStringLiteral("PROJECT"), QStringLiteral("SendReferences")),
             QStringLiteral("1"));
    QVERIFY(ProjectSettings::read(shop).write(shop));
    QVERIFY(ticked(false)); // the next starts ticked
    QVERIFY(!ticked(false));
    QVERIFY(f.prompter.texts().isEmpty());

    // A project without settings file gets none from this.
    QVERIFY(QFile::remove(shop + QStringLiteral("/PROJECT.INI")));
    QVERIFY(ProjectSettings::setSendReferences(shop, true));
    QVERIFY(!ProjectSettings::exists(shop));
}

void TestPublishCommands::passwordFromKeyring_data()
{
    QTest::addColumn<QString>("inFile");
    QTest::addColumn<QString>("inKeyring");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("password");
    QTest::addRow("PROJECT.INI's first") << "pw"
                                         << "kpw" << true << "pw";
    QTest::addRow("the keyring's when PROJECT.INI holds none") << ""
                                                               << "kpw" << true << "kpw";
    QTest::addRow("none in either") << ""
                                    << "" << true << "";
    QTest::addRow("no keyring running") << ""
                                        << "kpw" << false << "";
}

void TestPublishCommands::passwordFromKeyring()
{
    QFETCH(QString, inFile);
    QFETCH(QString, inKeyring);
    QFETCH(bool, running);
    QFETCH(QString, password);
    if (!m_keyring) {
        m_keyring = std::make_unique<PrivateKeyring>();
        QVERIFY2(m_keyring->start(), qPrintable(m_keyring->error()));
        m_keyring->enter();
    }
    ProjectCommandsFixture f;
    makeShop(f);
    const QString shop = f.home + QStringLiteral("shop");
    QVERIFY(ProjectSettings::setLoginPassword(shop, PasswordCodec::EncodeStr(inFile)));
    const QString key = *FtpAddress::siteKey(QStringLiteral("mysite"), QStringLiteral("ann"));
    PasswordStore store;
    QVERIFY(store.write(key, inKeyring));
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (!running)
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tarnwick-bus");
    PasswordStore passwords; // looks for the keyring when asked
    PublishCommands commands(nullptr, &f.outline, &f.pages, &f.prompter, &f.settings, &passwords);
    f.outline.setCurrentRow(2);
    const std::optional<TQFTPForm::Request> r = commands.request();
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
    QVERIFY(r);
    QCOMPARE(r->site.password, password);
    QVERIFY(f.prompter.texts().isEmpty());
    QVERIFY(store.remove(key));
}

QTEST_MAIN(TestPublishCommands)
#include "tst_publishcommands.moc"
