// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/profilefile.h"
#include "project/projectoutline.h"
#include "project/projectsettings.h"
#include "project/tcrtprjform.h"
#include "project/themenames.h"
#include "publish/ftpaddress.h"
#include "publish/passwordcodec.h"
#include "publish/passwordstore.h"

#include "privatekeyring.h"

#include "support/lockeddirectory.h"
#include "support/scriptedprompter.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Tarnwick;

namespace {

QString encode(const QString &password)
{
    return PasswordCodec::EncodeStr(password);
}

// The eleven keys, then the publishing choice of TLS.
const QStringList elevenKeys
    = { "mailto",     "WebURL",  "FTPDirectory", "TextColor", "LinkColor",     "aLinkColor",
        "vLinkColor", "bgColor", "ThemeStyle",   "LoginID",   "LoginPassword", "UseFTPS" };

// The key names of a PROJECT.INI in file order, and the sections.
QStringList fileLines(const QString &path)
{
    QStringList lines;
    for (const QByteArray &line : TestEnvironment::readFile(path).split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines.append(QString::fromUtf8(trimmed));
    }
    return lines;
}

QStringList keysOf(const QString &path)
{
    QStringList keys;
    for (const QString &line : fileLines(path)) {
        if (!line.startsWith(QLatin1Char('[')))
            keys.append(line.section(QLatin1Char('='), 0, 0));
    }
    return keys;
}

} // namespace

class TestProjectDialog final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_keyring.reset(); }
    void init();
    void cleanup();

    void createShop();
    void newProjectColours_data();
    void newProjectColours();
    void backgroundCaptionCanBeRead_data();
    void backgroundCaptionCanBeRead();
    void existingSettingsKept();
    void settingsMode();
    void settingsModeKeepsUninstalledTheme();
    void sftpChoiceKept();
    void refusedOnOk_data();
    void refusedOnOk();
    void coloursOnOk_data();
    void coloursOnOk();
    void dashOnLeaving_data();
    void dashOnLeaving();
    void directories_data();
    void directories();
    void unwritableParent();
    void failedWriteKeepsDialogOpen();
    void colorButtons();
    void directoryButton();
    void themeNames();
    void passwordPlace_data();
    void passwordPlace();
    void okKeepsThePassword_data();
    void okKeepsThePassword();
    void okWithASilentKeyring();
    void movePassword();
    void moveFailure_data();
    void moveFailure();

private:
    std::unique_ptr<TCrtPrjForm> dialog(TCrtPrjForm::Mode mode, PasswordStore *passwords = nullptr)
    {
        return std::make_unique<TCrtPrjForm>(mode, m_outline.get(), &m_prompter, m_home, encode,
                                             &PasswordCodec::DecodeStr, passwords);
    }
    // A project "shop" whose PROJECT.INI names the site and holds password
    // (none when empty), selected in the tree for its settings.
    void makeShop(const QString &site, const QString &password)
    {
        ProjectSettings settings;
        settings.webURL = site;
        settings.ftpDirectory = QStringLiteral("www");
        settings.loginID = QStringLiteral("ann");
        settings.loginPassword = PasswordCodec::EncodeStr(password);
        QVERIFY(QDir().mkpath(m_home + "shop"));
        QVERIFY(settings.write(m_home + "shop"));
        m_outline->setTree(
            ProjectTree({ { 1, "Shop - shop" }, { 2, TCrtPrjForm::settingsEntry() } }));
        m_outline->setCurrentRow(1);
    }
    static QString keyringHolds(const QString &site)
    {
        return PasswordStore().read(*FtpAddress::siteKey(site, QStringLiteral("ann"))).value();
    }
    template<typename T> static T *child(QWidget *w, const char *name)
    {
        T *found = w->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no child %s", name);
        return found;
    }
    static void fill(TCrtPrjForm *form, const QString &directory, const QString &description)
    {
        child<QLineEdit>(form, "PrjName")->setText(directory);
        child<QLineEdit>(form, "PrjDesc")->setText(description);
    }
    QStringList settingsFilesBelow(const QString &root) const
    {
        QStringList found;
        QDirIterator it(root, { "PROJECT.INI" }, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(it.next());
        return found;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_home;
    ScriptedPrompter m_prompter;
    std::unique_ptr<ProjectOutline> m_outline;
    std::unique_ptr<PrivateKeyring> m_keyring;
};

// Points the process at a session bus where nothing answers while it lives.
class NoKeyring final
{
public:
    NoKeyring()
        : m_address(qgetenv("DBUS_SESSION_BUS_ADDRESS"))
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tarnwick-bus");
    }
    ~NoKeyring() { qputenv("DBUS_SESSION_BUS_ADDRESS", m_address); }

private:
    QByteArray m_address;
};

void TestProjectDialog::initTestCase()
{
    TestEnvironment::isolate();
    m_keyring = std::make_unique<PrivateKeyring>();
    QVERIFY2(m_keyring->start(), qPrintable(m_keyring->error()));
    m_keyring->enter();
}

void TestProjectDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_home = m_dir->filePath("home/");
    QDir().mkpath(m_home);
    m_prompter.clear();
    m_outline = std::make_unique<ProjectOutline>();
    m_outline->setProgramDirectory(m_home);
    m_outline->setTree(
        ProjectTree({ { 1, "Welcome - Welcome" }, { 2, "Readme File - readme.htm" } }));
}

void TestProjectDialog::cleanup()
{
    m_outline.reset();
    m_dir.reset();
}

void TestProjectDialog::createShop()
{
    auto form = dialog(TCrtPrjForm::Mode::Create);
    QCOMPARE(form->windowTitle(), QStringLiteral("Create Project"));
    QCOMPARE(child<QLineEdit>(form.get(), "PrjName")->maxLength(), 180);
    QCOMPARE(child<QLineEdit>(form.get(), "PrjDesc")->maxLength(), 35);
    QCOMPARE(
        child<QLineEdit>(form.get(), "PrjName")->toolTip(),
        QStringLiteral("Creates a subdirectory for a project.  Do not enter drive information."));
    QCOMPARE(child<QLineEdit>(form.get(), "PrjDesc")->toolTip(),
             QStringLiteral("Enter the description of the Project"));
    QCOMPARE(child<QLineEdit>(form.get(), "FTPLoginPassword")->echoMode(), QLineEdit::Password);
    QCOMPARE(child<QToolButton>(form.get(), "bgButton")->toolTip(),
             QStringLiteral("Click to select a color"));

    fill(form.get(), "  shop  ", " Shop ");
    child<QLineEdit>(form.get(), "WebsiteURL")->setText("ftp.shop.example");
    child<QLineEdit>(form.get(), "FTPDirectory")->setText("public");
    child<QLineEdit>(form.get(), "FTPLoginID")->setText("ann");
    child<QLineEdit>(form.get(), "FTPLoginPassword")->setText("s3cret pass");
    child<QCheckBox>(form.get(), "UseFTPS")->setChecked(true);
    child<QLineEdit>(form.get(), "Email")->setText("ann@shop.example");
    child<QLineEdit>(form.get(), "bgColorText")->setText("FFFFFF");
    form->OkBtnClick();

    QCOMPARE(form->result(), int(QDialog::Accepted));
    QVERIFY(m_prompter.texts().isEmpty());
    QCOMPARE(child<QLineEdit>(form.get(), "PrjName")->text(), QStringLiteral("shop"));
    const QList<ProjectTreeEntry> entries = m_outline->tree().entries();
    QCOMPARE(
        entries.mid(2),
        QList<ProjectTreeEntry>({ { 1, "Shop - shop" }, { 2, TCrtPrjForm::settingsEntry() } }));
    QCOMPARE(m_outline->selectedText(), QStringLiteral("#Default Project Settings - PROJECT.INI"));
    QVERIFY(QFileInfo(m_home + "shop").isDir());
    const QString ini = m_home + "shop/PROJECT.INI";
    QCOMPARE(keysOf(ini), elevenKeys);
    QCOMPARE(fileLines(ini).constFirst(), QStringLiteral("[PROJECT]"));
    const ProjectSettings stored = ProjectSettings::read(m_home + "shop");
    QCOMPARE(stored.webURL, QStringLiteral("ftp.shop.example"));
    QVERIFY(stored.useFtps);
    QCOMPARE(stored.mailto, QStringLiteral("ann@shop.example"));
    QCOMPARE(stored.bgColor, QStringLiteral("FFFFFF"));
    QCOMPARE(stored.textColor, QStringLiteral("000000"));
    QCOMPARE(stored.themeStyle, QString());
    QVERIFY(!stored.loginPassword.contains("s3cret"));
    QCOMPARE(PasswordCodec::DecodeStr(stored.loginPassword), QStringLiteral("s3cret pass"));
}

void TestProjectDialog::newProjectColours_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("color");

    // What a page of a folder without PROJECT.INI gets: never black on black.
    QTest::addRow("text") << "TextColorText"
                          << "TextColor"
                          << "000000";
    QTest::addRow("link") << "LinkColorText"
                          << "LinkColor"
                          << "FF0000";
    QTest::addRow("visited link") << "vLinkColorText"
                                  << "vLinkColor"
                                  << "800080";
    QTest::addRow("active link") << "ALinkColorText"
                                 << "aLinkColor"
                                 << "000000";
    QTest::addRow("background") << "bgColorText"
                                << "bgColor"
                                << "C0C0C0";
}

void TestProjectDialog::newProjectColours()
{
    QFETCH(QString, field);
    QFETCH(QString, key);
    QFETCH(QString, color);

    auto form = dialog(TCrtPrjForm::Mode::Create);
    QCOMPARE(child<QLineEdit>(form.get(), qPrintable(field))->text(), color);
    fill(form.get(), "club", "Club");
    form->OkBtnClick();
    QCOMPARE(form->result(), int(QDialog::Accepted));
    ProfileFile ini(m_home + "club/PROJECT.INI");
    QCOMPARE(ini.readString("PROJECT", key, "unset"), color);
}

void TestProjectDialog::backgroundCaptionCanBeRead_data()
{
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("caption");

    QTest::addRow("grey") << "C0C0C0"
                          << "#000000";
    QTest::addRow("dark blue") << "000080"
                               << "#ffffff";
    QTest::addRow("yellow") << "#FFFF00"
                            << "#000000";
}

// The Background caption stands on its colour, in black or white.
void TestProjectDialog::backgroundCaptionCanBeRead()
{
    QFETCH(QString, background);
    QFETCH(QString, caption);
    auto form = dialog(TCrtPrjForm::Mode::Create);
    child<QLineEdit>(form.get(), "bgColorText")->setText(background);
    const auto *label = child<QLabel>(form.get(), "bgColorLabel");
    QVERIFY(label->autoFillBackground());
    QCOMPARE(label->palette().color(QPalette::Window),
             QColor("#" + QString(background).remove('#')));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(caption));
}

void TestProjectDialog::existingSettingsKept()
{
    const QByteArray old = "[PROJECT]\r\nWebURL=old.example\r\n";
    QVERIFY(TestEnvironment::writeFile(m_home + "shop/PROJECT.INI", old));
    auto form = dialog(TCrtPrjForm::Mode::Create);
    fill(form.get(), "shop", "Shop");
    child<QLineEdit>(form.get(), "WebsiteURL")->setText("new.example");
    form->OkBtnClick();
    QCOMPARE(m_prompter.texts(),
             QStringList { "Project already exists, using previously defined defaults." });
    QCOMPARE(m_prompter.messages().constFirst().kind, Prompter::Kind::Information);
    QCOMPARE(TestEnvironment::readFile(m_home + "shop/PROJECT.INI"), old);
    QCOMPARE(m_outline->tree().entries().at(2).text, QStringLiteral("Shop - shop"));
    QCOMPARE(form->result(), int(QDialog::Accepted));
}

// SFTP and FTPS exclude each other; the choice and the key file are stored
// and shown again.
void TestProjectDialog::sftpChoiceKept()
{
    QVERIFY(TestEnvironment::writeFile(m_home + "shop/PROJECT.INI",
                                       "[PROJECT]\r\nWebURL=shop.example\r\nLoginID=ann\r\n"
                                       "UseFTPS=1\r\n"));
    m_outline->setTree(ProjectTree({ { 1, "Shop - shop" }, { 2, TCrtPrjForm::settingsEntry() } }));
    m_outline->setCurrentRow(1);
    {
        auto form = dialog(TCrtPrjForm::Mode::Settings);
        auto *ftps = child<QCheckBox>(form.get(), "UseFTPS");
        auto *sftp = child<QCheckBox>(form.get(), "UseSFTP");
        auto *key = child<QLineEdit>(form.get(), "SSHKeyFile");
        QVERIFY(ftps->isChecked());
        QVERIFY(!key->isEnabled());
        sftp->setChecked(true);
        QVERIFY(!ftps->isChecked());
        QVERIFY(key->isEnabled());
        key->setText(QStringLiteral(" /home/ann/.ssh/id_shop "));
        form->OkBtnClick();
        QCOMPARE(form->result(), int(QDialog::Accepted));
    }
    const ProjectSettings stored = ProjectSettings::read(m_home + "shop");
    QVERIFY(stored.useSftp);
    QVERIFY(!stored.useFtps);
    QCOMPARE(stored.sshKeyFile, QStringLiteral("/home/ann/.ssh/id_shop"));
    auto again = dialog(TCrtPrjForm::Mode::Settings);
    QVERIFY(child<QCheckBox>(again.get(), "UseSFTP")->isChecked());
    QCOMPARE(child<QLineEdit>(again.get(), "SSHKeyFile")->text(),
             QStringLiteral("/home/ann/.ssh/id_shop"));
}

void TestProjectDialog::settingsMode()
{
    const QString encoded = PasswordCodec::EncodeStr("pw");
    QVERIFY(TestEnvironment::writeFile(
        m_home + "shop/PROJECT.INI",
        "[OTHER]\r\nkeep=1\r\n[PROJECT]\r\nWebURL=shop.example\r\nFTPDirectory=www\r\n"
        "LinkColor=FF0000\r\nThemeStyle=Ocean\r\nLoginID=ann\r\nLoginPassword="
            + encoded.toUtf8() + "\r\n"));
    QVERIFY(TestEnvironment::writeFile(m_home + "themes/t_Ocean.gif", "GIF89a"));
    m_outline->setTree(ProjectTree({ { 1, "Shop - shop" }, { 2, TCrtPrjForm::settingsEntry() } }));
    m_outline->setCurrentRow(1);

    auto form = dialog(TCrtPrjForm::Mode::Settings);
    QCOMPARE(form->windowTitle(), QStringLiteral("Modify Project Settings"));
    QLineEdit *name = child<QLineEdit>(form.get(), "PrjName");
    QLineEdit *description = child<QLineEdit>(form.get(), "PrjDesc");
    QCOMPARE(name->text(), QDir::cleanPath(m_home + "shop"));
    QCOMPARE(description->text(), QStringLiteral("Shop"));
    QVERIFY(!name->isEnabled());
    QVERIFY(!description->isEnabled());
    QVERIFY(!child<QToolButton>(form.get(), "SpeedButton1")->isEnabled());
    QCOMPARE(child<QLineEdit>(form.get(), "WebsiteURL")->text(), QStringLiteral("shop.example"));
    QCOMPARE(child<QLineEdit>(form.get(), "FTPDirectory")->text(), QStringLiteral("www"));
    QCOMPARE(child<QLineEdit>(form.get(), "FTPLoginPassword")->text(), QStringLiteral("pw"));
    // An older file without the key: no TLS.
    QVERIFY(!child<QCheckBox>(form.get(), "UseFTPS")->isChecked());
    QCOMPARE(child<QLineEdit>(form.get(), "LinkColorText")->text(), QStringLiteral("FF0000"));
    QCOMPARE(child<QLabel>(form.get(), "LinkColorLabel")->palette().color(QPalette::WindowText),
             QColor(255, 0, 0));
    QCOMPARE(child<QComboBox>(form.get(), "ThemeChoices")->currentText(), QStringLiteral("Ocean"));

    child<QLineEdit>(form.get(), "Email")->setText("ann@shop.example");
    const ProjectTree before = m_outline->tree();
    form->OkBtnClick();
    QCOMPARE(form->result(), int(QDialog::Accepted));
    QVERIFY(m_prompter.texts().isEmpty());
    QCOMPARE(m_outline->tree(), before);
    const QString ini = m_home + "shop/PROJECT.INI";
    QCOMPARE(fileLines(ini).mid(0, 3), QStringList({ "[OTHER]", "keep=1", "[PROJECT]" }));
    // Keys already there keep their places, as the profile functions keep them.
    QStringList written = keysOf(ini).mid(1), expected = elevenKeys;
    written.sort();
    expected.sort();
    QCOMPARE(written, expected);
    const ProjectSettings stored = ProjectSettings::read(m_home + "shop");
    QCOMPARE(stored.mailto, QStringLiteral("ann@shop.example"));
    QCOMPARE(stored.linkColor, QStringLiteral("FF0000"));
    QCOMPARE(stored.themeStyle, QStringLiteral("Ocean"));
    QCOMPARE(PasswordCodec::DecodeStr(stored.loginPassword), QStringLiteral("pw"));
}

void TestProjectDialog::settingsModeKeepsUninstalledTheme()
{
    QVERIFY(TestEnvironment::writeFile(m_home + "shop/PROJECT.INI",
                                       "[PROJECT]\r\nThemeStyle=Gone\r\n"));
    QVERIFY(TestEnvironment::writeFile(m_home + "themes/t_sea.gif", "GIF89a"));
    m_outline->setTree(ProjectTree({ { 1, "Shop - shop" }, { 2, TCrtPrjForm::settingsEntry() } }));
    m_outline->setCurrentRow(0);
    auto form = dialog(TCrtPrjForm::Mode::Settings);
    QCOMPARE(child<QComboBox>(form.get(), "ThemeChoices")->currentText(), QStringLiteral("Gone"));
    form->OkBtnClick();
    QCOMPARE(ProjectSettings::read(m_home + "shop").themeStyle, QStringLiteral("Gone"));
}

void TestProjectDialog::refusedOnOk_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    const int information = int(Prompter::Kind::Information);
    const int warning = int(Prompter::Kind::Warning);
    QTest::addRow("empty directory") << ""
                                     << "Shop" << information << "Required field missing!"
                                     << "PrjName";
    QTest::addRow("blank description") << "shop"
                                       << "   " << information << "Required field missing!"
                                       << "PrjDesc";
    QTest::addRow("dash in the description (Enter skips the field's exit)")
        << "shop"
        << "Shop - old" << warning
        << "The dash character, '-', is not allowed in a project description.  Please remove it "
           "before continuing."
        << "PrjDesc";
    QTest::addRow("tab in the description")
        << "shop"
        << "Sh\top" << warning
        << "The project description holds a control character (such as a tab or a line break), "
           "which the project list cannot keep.  Please remove it before continuing."
        << "PrjDesc";
    QTest::addRow("line break in the directory")
        << "sh\nop"
        << "Shop" << warning
        << "The project directory holds a control character (such as a tab or a line break), "
           "which the project list cannot keep.  Please remove it before continuing."
        << "PrjName";
    QTest::addRow("directory of another project") << "Welcome"
                                                  << "Shop" << warning << "@Welcome"
                                                  << "PrjName";
    QTest::addRow("same directory spelt with a trailing separator and dot")
        << "./Welcome/"
        << "Shop" << warning << "@Welcome"
        << "PrjName";
}

void TestProjectDialog::refusedOnOk()
{
    QFETCH(QString, directory);
    QFETCH(QString, description);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QDir().mkpath(m_home + "Welcome");
    if (message.startsWith('@'))
        message = QStringLiteral("The directory ") + QDir::cleanPath(m_home + message.mid(1))
            + QStringLiteral(" already belongs to the project \"Welcome\".  Please choose another "
                             "directory.");
    auto form = dialog(TCrtPrjForm::Mode::Create);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    fill(form.get(), directory, description);
    const ProjectTree before = m_outline->tree();
    form->OkBtnClick();
    QCOMPARE(m_prompter.texts(), QStringList { message });
    QCOMPARE(int(m_prompter.messages().constFirst().kind), kind);
    QVERIFY(form->isVisible());
    QCOMPARE(m_outline->tree(), before);
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(form.get(), qPrintable(focus)));
    QCOMPARE(QDir(m_home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList { "Welcome" });
}

void TestProjectDialog::coloursOnOk_data()
{
    QTest::addColumn<bool>("settingsMode");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // "-": refused
    QTest::addRow("six digits") << false << "bgColorText"
                                << "C0C0C0"
                                << "C0C0C0";
    QTest::addRow("with its hash, lower case") << false << "LinkColorText"
                                               << "#ff8000"
                                               << "ff8000";
    QTest::addRow("empty is no colour") << false << "TextColorText"
                                        << ""
                                        << "";
    QTest::addRow("markup") << false << "TextColorText"
                            << "zz<>\"q"
                            << "-";
    QTest::addRow("five digits after the hash") << false << "vLinkColorText"
                                                << "#FF000"
                                                << "-";
    QTest::addRow("three digits") << false << "ALinkColorText"
                                  << "F00"
                                  << "-";
    QTest::addRow("colour name, settings mode") << true << "bgColorText"
                                                << "white"
                                                << "-";
    QTest::addRow("with its hash, settings mode") << true << "bgColorText"
                                                  << "#FFFFFF"
                                                  << "FFFFFF";
}

// New pages put these colours into their BODY tags: only RRGGBB and #RRGGBB pass.
void TestProjectDialog::coloursOnOk()
{
    QFETCH(bool, settingsMode);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    if (settingsMode) {
        QVERIFY(TestEnvironment::writeFile(m_home + "shop/PROJECT.INI", "[PROJECT]\r\n"));
        m_outline->setTree(
            ProjectTree({ { 1, "Shop - shop" }, { 2, TCrtPrjForm::settingsEntry() } }));
        m_outline->setCurrentRow(1);
    }
    auto form = dialog(settingsMode ? TCrtPrjForm::Mode::Settings : TCrtPrjForm::Mode::Create);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    if (!settingsMode)
        fill(form.get(), "shop", "Shop");
    auto *text = child<QLineEdit>(form.get(), qPrintable(field));
    text->setText(typed);
    QCOMPARE(text->text(), typed);
    const QByteArray before = TestEnvironment::readFile(m_home + "shop/PROJECT.INI");
    form->OkBtnClick();
    if (stored == "-") {
        const QString caption
            = child<QLabel>(form.get(), qPrintable(field.chopped(4) + "Label"))->text();
        QCOMPARE(m_prompter.texts(),
                 QStringList { caption + ": \"" + typed
                               + "\" is not a colour. Give six hexadecimal digits, RRGGBB or "
                                 "#RRGGBB." });
        QVERIFY(form->isVisible());
        QCOMPARE(QApplication::focusWidget(), text);
        QCOMPARE(TestEnvironment::readFile(m_home + "shop/PROJECT.INI"), before);
        return;
    }
    QCOMPARE(form->result(), int(QDialog::Accepted));
    QVERIFY(m_prompter.texts().isEmpty());
    // Key names are matched ignoring case: "ALinkColor" is "aLinkColor".
    const ProfileFile ini(m_home + "shop/PROJECT.INI");
    QCOMPARE(ini.readString("PROJECT", field.chopped(4), "(none)"), stored);
}

void TestProjectDialog::dashOnLeaving_data()
{
    QTest::addColumn<QString>("next"); // the control the focus goes to
    QTest::addColumn<bool>("warned");

    QTest::addRow("to the next field") << "WebsiteURL" << true;
    QTest::addRow("to Cancel") << "Cancel" << false;
    QTest::addRow("to Ok, which checks it itself") << "OkBtn" << false;
}

void TestProjectDialog::dashOnLeaving()
{
    QFETCH(QString, next);
    QFETCH(bool, warned);
    auto form = dialog(TCrtPrjForm::Mode::Create);
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QLineEdit *description = child<QLineEdit>(form.get(), "PrjDesc");
    description->setFocus();
    QTest::keyClicks(description, "Shop-2");
    form->findChild<QWidget *>(next)->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(m_prompter.texts(),
             warned ? QStringList { ProjectSetup::dashNotAllowed() } : QStringList());
    if (warned)
        QCOMPARE(QApplication::focusWidget(), description);
}

void TestProjectDialog::directories_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("made"); // the directory made, "" for none
    QTest::addColumn<QString>("message");

    QTest::addRow("nested below the program directory") << "sites/2024/shop"
                                                        << "Shop - sites/2024/shop"
                                                        << "home/sites/2024/shop"
                                                        << "";
    QTest::addRow("one trailing backslash dropped") << "shop\\"
                                                    << "Shop - shop"
                                                    << "home/shop"
                                                    << "";
    QTest::addRow("absolute") << "@/elsewhere/shop"
                              << "Shop - @/elsewhere/shop"
                              << "elsewhere/shop"
                              << "";
    QTest::addRow("drive this system has not") << "C:\\Sites\\shop"
                                               << "Shop - C:\\Sites\\shop"
                                               << ""
                                               << "Error changing to specified project drive!";
}

void TestProjectDialog::directories()
{
    QFETCH(QString, typed);
    QFETCH(QString, entry);
    QFETCH(QString, made);
    QFETCH(QString, message);
    typed.replace("@", m_dir->path());
    entry.replace("@", m_dir->path());
    auto form = dialog(TCrtPrjForm::Mode::Create);
    fill(form.get(), typed, "Shop");
    const QString cwd = QDir::currentPath();
    const QStringList cwdBefore = QDir(cwd).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    form->OkBtnClick();
    QCOMPARE(m_prompter.texts(), message.isEmpty() ? QStringList() : QStringList { message });
    QCOMPARE(form->result(), int(QDialog::Accepted));
    QCOMPARE(m_outline->tree().entries().at(2).text, entry);
    QCOMPARE(m_outline->tree().entries().at(3).text, TCrtPrjForm::settingsEntry());
    if (!made.isEmpty()) {
        QVERIFY(QFileInfo(m_dir->filePath(made)).isDir());
        QCOMPARE(keysOf(m_dir->filePath(made + "/PROJECT.INI")), elevenKeys);
    } else {
        QCOMPARE(settingsFilesBelow(m_dir->path()), QStringList());
    }
    // Nothing lands wherever the process happens to be.
    QCOMPARE(QDir(cwd).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), cwdBefore);
}

void TestProjectDialog::unwritableParent()
{
    const QString parent = m_dir->filePath("locked");
    QDir().mkpath(parent);
    LockedDirectory lock(parent);
    if (!lock.locked())
        QSKIP("this system lets every directory be written");
    auto form = dialog(TCrtPrjForm::Mode::Create);
    fill(form.get(), parent + "/shop", "Shop");
    form->OkBtnClick();
    QCOMPARE(m_prompter.texts(), QStringList { "Error processing new project directory!" });
    QCOMPARE(m_prompter.messages().constFirst().kind, Prompter::Kind::Warning);
    // The entry is added as the user asked; no settings file goes anywhere.
    QCOMPARE(m_outline->tree().entries().at(2).text, "Shop - " + parent + "/shop");
    QCOMPARE(settingsFilesBelow(m_dir->path()), QStringList());
    QCOMPARE(form->result(), int(QDialog::Accepted));
}

void TestProjectDialog::failedWriteKeepsDialogOpen()
{
    const QString directory = m_home + "shop";
    QDir().mkpath(directory);
    ProjectTree before;
    {
        LockedDirectory lock(directory);
        if (!lock.locked())
            QSKIP("this system lets every directory be written");
        auto form = dialog(TCrtPrjForm::Mode::Create);
        form->show();
        fill(form.get(), "shop", "Shop");
        before = m_outline->tree();
        form->OkBtnClick();
        QCOMPARE(m_prompter.texts(),
                 QStringList { "Unable to write to " + directory + "/PROJECT.INI" });
        QCOMPARE(m_prompter.messages().constFirst().kind, Prompter::Kind::Error);
        QVERIFY(form->isVisible());
        QCOMPARE(child<QLineEdit>(form.get(), "PrjName")->text(), QStringLiteral("shop"));
        QCOMPARE(m_outline->tree(), before);
    }
    // Once the directory takes files, Ok goes through without a second entry.
    m_prompter.clear();
    auto form = dialog(TCrtPrjForm::Mode::Create);
    fill(form.get(), "shop", "Shop");
    form->OkBtnClick();
    QVERIFY(m_prompter.texts().isEmpty());
    QCOMPARE(m_outline->tree().size(), before.size() + 2);
}

void TestProjectDialog::colorButtons()
{
    auto form = dialog(TCrtPrjForm::Mode::Create);
    m_prompter.answerColor(QColor(255, 128, 0));
    child<QToolButton>(form.get(), "vLinkButton")->click();
    QCOMPARE(child<QLineEdit>(form.get(), "vLinkColorText")->text(), QStringLiteral("FF8000"));
    QCOMPARE(child<QLabel>(form.get(), "vLinkColorLabel")->palette().color(QPalette::WindowText),
             QColor(255, 128, 0));
    // Cancelled: the colour stays.
    child<QToolButton>(form.get(), "vLinkButton")->click();
    QCOMPARE(child<QLineEdit>(form.get(), "vLinkColorText")->text(), QStringLiteral("FF8000"));
    // Room for a colour typed with its "#".
    QCOMPARE(child<QLineEdit>(form.get(), "TextColorText")->maxLength(), 7);
}

void TestProjectDialog::directoryButton()
{
    auto form = dialog(TCrtPrjForm::Mode::Create);
    m_prompter.answerFile(m_dir->filePath("sites/shop/"));
    child<QToolButton>(form.get(), "SpeedButton1")->click();
    QCOMPARE(child<QLineEdit>(form.get(), "PrjName")->text(), m_dir->filePath("sites/shop"));
    QCOMPARE(m_prompter.fileRequests().constFirst().directory, m_home);
}

void TestProjectDialog::themeNames()
{
    for (const char *file :
         { "t_Ocean.gif", "T_sky.GIF", "t_.gif", "t_rose.tar.gif", "l_Ocean.gif", "t_note.txt" })
        QVERIFY(TestEnvironment::writeFile(m_home + "themes/" + file, "GIF89a"));
    QCOMPARE(ThemeNames::list(m_home), QStringList({ "Ocean", "rose", "sky" }));
    auto form = dialog(TCrtPrjForm::Mode::Create);
    QComboBox *themes = child<QComboBox>(form.get(), "ThemeChoices");
    QCOMPARE(themes->count(), 3);
    QCOMPARE(themes->currentIndex(), -1); // no "[None]", and nothing chosen
}

void TestProjectDialog::passwordPlace_data()
{
    QTest::addColumn<QString>("keyring"); // "running", "none" or "not given"
    QTest::addColumn<QString>("inFile");
    QTest::addColumn<QString>("inKeyring");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("place");
    QTest::addColumn<bool>("movable");
    const QString noKeyring = ProjectSetup::keptInProjectFile(false);
    QTest::addRow("no keyring running") << "none"
                                        << "pw"
                                        << ""
                                        << "pw" << noKeyring << false;
    QTest::addRow("no keyring given") << "not given"
                                      << "pw"
                                      << ""
                                      << "pw" << noKeyring << false;
    QTest::addRow("keyring, password still in PROJECT.INI")
        << "running"
        << "pw"
        << "kpw"
        << "pw"
        << "Kept in PROJECT.INI (encoded, not encrypted)." << true;
    QTest::addRow("keyring holds it") << "running"
                                      << ""
                                      << "kpw"
                                      << "kpw"
                                      << "Kept in the desktop keyring." << false;
    QTest::addRow("keyring holds none") << "running"
                                        << ""
                                        << ""
                                        << ""
                                        << "Kept in the desktop keyring." << false;
}

void TestProjectDialog::passwordPlace()
{
    QFETCH(QString, keyring);
    QFETCH(QString, inFile);
    QFETCH(QString, inKeyring);
    QFETCH(QString, shown);
    QFETCH(QString, place);
    QFETCH(bool, movable);
    const QString site = QStringLiteral("place.example:2121");
    makeShop(site, inFile);
    PasswordStore store;
    const QString key = *FtpAddress::siteKey(site, QStringLiteral("ann"));
    QVERIFY(store.write(key, inKeyring));
    std::optional<NoKeyring> none;
    if (keyring == QLatin1String("none"))
        none.emplace();
    PasswordStore passwords; // looks for the keyring as the dialog opens
    auto form = dialog(TCrtPrjForm::Mode::Settings,
                       keyring == QLatin1String("not given") ? nullptr : &passwords);
    form->show();
    QCOMPARE(child<QLineEdit>(form.get(), "FTPLoginPassword")->text(), shown);
    QCOMPARE(child<QLabel>(form.get(), "PasswordPlace")->text(), place);
    QCOMPARE(child<QPushButton>(form.get(), "MovePassword")->isVisible(), movable);
    QCOMPARE(child<QPushButton>(form.get(), "MovePassword")->text(),
             QStringLiteral("Move password to keyring"));
    QVERIFY(m_prompter.texts().isEmpty());
    none.reset();
    QVERIFY(store.remove(key));
}

void TestProjectDialog::okKeepsThePassword_data()
{
    QTest::addColumn<bool>("create");
    QTest::addColumn<bool>("keyring");
    QTest::addColumn<QString>("typed");
    QTest::addRow("new project, keyring") << true << true << "s3cret pass";
    QTest::addRow("settings, keyring") << false << true << "s3cret pass";
    QTest::addRow("settings, keyring, password cleared") << false << true << "";
    QTest::addRow("new project, no keyring") << true << false << "s3cret pass";
    QTest::addRow("settings, no keyring") << false << false << "s3cret pass";
}

// Ok puts the password where the label says; the reopened dialog shows it.
void TestProjectDialog::okKeepsThePassword()
{
    QFETCH(bool, create);
    QFETCH(bool, keyring);
    QFETCH(QString, typed);
    const QString site = QStringLiteral("ok.example");
    const QString key = *FtpAddress::siteKey(site, QStringLiteral("ann"));
    PasswordStore store;
    QVERIFY(store.write(key, QStringLiteral("before")));
    std::optional<NoKeyring> none;
    if (!keyring)
        none.emplace();
    if (!create)
        makeShop(site, QStringLiteral("old"));
    PasswordStore passwords; // looks for the keyring as the dialog opens
    {
        auto form
            = dialog(create ? TCrtPrjForm::Mode::Create : TCrtPrjForm::Mode::Settings, &passwords);
        if (create) {
            fill(form.get(), "shop", "Shop");
            child<QLineEdit>(form.get(), "WebsiteURL")->setText(site);
            child<QLineEdit>(form.get(), "FTPLoginID")->setText("ann");
        }
        child<QLineEdit>(form.get(), "FTPLoginPassword")->setText(typed);
        form->OkBtnClick();
        QCOMPARE(form->result(), int(QDialog::Accepted));
    }
    QVERIFY(m_prompter.texts().isEmpty());
    const QString ini = m_home + "shop/PROJECT.INI";
    QCOMPARE(keysOf(ini), elevenKeys);
    const ProjectSettings stored = ProjectSettings::read(m_home + "shop");
    if (keyring) {
        QCOMPARE(stored.loginPassword, QString());
        QCOMPARE(keyringHolds(site), typed);
    } else {
        QCOMPARE(PasswordCodec::DecodeStr(stored.loginPassword), typed);
    }
    m_outline->setCurrentRow(m_outline->tree().size() - 1);
    auto reopened = dialog(TCrtPrjForm::Mode::Settings, &passwords);
    QCOMPARE(child<QLineEdit>(reopened.get(), "FTPLoginPassword")->text(), typed);
    none.reset();
    if (!keyring)
        QCOMPARE(keyringHolds(site), QStringLiteral("before"));
    QVERIFY(store.remove(key));
}

// A keyring that stops answering loses nothing: the password stays in PROJECT.INI.
void TestProjectDialog::okWithASilentKeyring()
{
    const QString site = QStringLiteral("silent-ok.example");
    makeShop(site, QStringLiteral("old"));
    PasswordStore store(3000, 1500);
    auto form = dialog(TCrtPrjForm::Mode::Settings, &store);
    child<QLineEdit>(form.get(), "FTPLoginPassword")->setText("new");
    m_keyring->freeze();
    form->OkBtnClick();
    m_keyring->resume();
    QCOMPARE(form->result(), int(QDialog::Accepted));
    QCOMPARE(m_prompter.texts(),
             QStringList { ProjectSetup::keyringRefused(
                 QStringLiteral("The desktop keyring did not answer.")) });
    QCOMPARE(m_prompter.messages().constFirst().kind, Prompter::Kind::Warning);
    QCOMPARE(PasswordCodec::DecodeStr(ProjectSettings::read(m_home + "shop").loginPassword),
             QStringLiteral("new"));
    PasswordStore().remove(*FtpAddress::siteKey(site, QStringLiteral("ann")));
}

void TestProjectDialog::movePassword()
{
    const QString site = QStringLiteral("move.example");
    makeShop(site, QStringLiteral("old pw"));
    const QString ini = m_home + "shop/PROJECT.INI";
    QVERIFY(ProfileFile(ini).writeString("OTHER", "keep", "1"));
    PasswordStore store;
    auto form = dialog(TCrtPrjForm::Mode::Settings, &store);
    form->show();
    QPushButton *move = child<QPushButton>(form.get(), "MovePassword");
    QVERIFY(move->isVisible());
    QTest::mouseClick(move, Qt::LeftButton);
    QVERIFY(m_prompter.texts().isEmpty());
    QCOMPARE(keyringHolds(site), QStringLiteral("old pw"));
    ProjectSettings expected = ProjectSettings::read(m_home + "shop");
    QCOMPARE(expected.loginPassword, QString());
    QCOMPARE(ProfileFile(ini).readString("OTHER", "keep", QString()), QStringLiteral("1"));
    QCOMPARE(child<QLabel>(form.get(), "PasswordPlace")->text(), ProjectSetup::keptInKeyring());
    QVERIFY(!move->isVisible());
    // The publishing side finds it where the dialog put it.
    QCOMPARE(child<QLineEdit>(form.get(), "FTPLoginPassword")->text(), QStringLiteral("old pw"));
    QVERIFY(store.remove(*FtpAddress::siteKey(site, QStringLiteral("ann"))));
}

void TestProjectDialog::moveFailure_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("reason");
    QTest::addRow("keyring does not answer")
        << "silent-move.example" << true << "The desktop keyring did not answer.";
    QTest::addRow("no site to keep it under") << "" << false << ProjectSetup::noSiteForKeyring();
}

// A move that fails leaves PROJECT.INI as it was, and says so.
void TestProjectDialog::moveFailure()
{
    QFETCH(QString, site);
    QFETCH(bool, silent);
    QFETCH(QString, reason);
    makeShop(site, QStringLiteral("old pw"));
    const QByteArray before = TestEnvironment::readFile(m_home + "shop/PROJECT.INI");
    PasswordStore store(3000, 1500);
    auto form = dialog(TCrtPrjForm::Mode::Settings, &store);
    form->show();
    if (silent)
        m_keyring->freeze();
    form->MovePasswordClick();
    m_keyring->resume();
    QCOMPARE(m_prompter.texts(), QStringList { ProjectSetup::moveFailed(reason) });
    QCOMPARE(m_prompter.messages().constFirst().kind, Prompter::Kind::Error);
    QCOMPARE(TestEnvironment::readFile(m_home + "shop/PROJECT.INI"), before);
    QCOMPARE(child<QLabel>(form.get(), "PasswordPlace")->text(),
             ProjectSetup::keptInProjectFile(!silent));
    QCOMPARE(child<QLineEdit>(form.get(), "FTPLoginPassword")->text(), QStringLiteral("old pw"));
}

QTEST_MAIN(TestProjectDialog)
#include "tst_tcrtprjform.moc"
