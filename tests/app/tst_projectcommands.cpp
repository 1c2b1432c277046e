// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/openpages.h"
#include "app/projectcommands.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "project/projectoutline.h"
#include "project/projectsettings.h"
#include "projectcommandsfixture.h"
#include "publish/passwordcodec.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Tarnwick;

namespace {

using Fixture = ProjectCommandsFixture;

} // namespace

class TestProjectCommands final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void newProjectWritesTheList();
    void unreadableListRefusesChanges();
    void settingsEntryOpensSettings_data();
    void settingsEntryOpensSettings();
};

void TestProjectCommands::newProjectWritesTheList()
{
    Fixture f;
    f.commands.loadTree(); // no project.dat: the Welcome project
    const QString caption = withDialog(
        &f.outline, [&] { f.commands.NewProjectClick(); },
        [](QWidget *dialog) {
            dialog->findChild<QLineEdit *>("PrjName")->setText("shop");
            dialog->findChild<QLineEdit *>("PrjDesc")->setText("Shop");
            dialog->findChild<QLineEdit *>("FTPLoginPassword")->setText("pw");
            dialog->findChild<QPushButton *>("OkBtn")->click();
        });
    QCOMPARE(caption, QStringLiteral("Create Project"));
    QVERIFY(f.prompter.texts().isEmpty());
    const Expected<ProjectTree> written = ProjectTree::load(f.home + "project.dat");
    QVERIFY(written);
    const QList<ProjectTreeEntry> &entries = written->entries();
    QCOMPARE(entries.mid(entries.size() - 2),
             QList<ProjectTreeEntry>(
                 { { 1, "Shop - shop" }, { 2, "#Default Project Settings - PROJECT.INI" } }));
    QCOMPARE(PasswordCodec::DecodeStr(ProjectSettings::read(f.home + "shop").loginPassword),
             QStringLiteral("pw"));
}

void TestProjectCommands::unreadableListRefusesChanges()
{
    Fixture f;
    const QByteArray broken = "Shop - shop\r\n\t\tToo deep - deep.htm\r\n";
    QVERIFY(TestEnvironment::writeFile(f.home + "project.dat", broken));
    f.commands.loadTree();
    const QString why = "File load error in " + f.home
        + "project.dat at line 2: indented more than one level below the line before it";
    QCOMPARE(f.prompter.texts(), QStringList { why });
    f.prompter.clear();
    const QString caption = withDialog(
        &f.outline, [&] { f.commands.NewProjectClick(); },
        [](QWidget *dialog) { dialog->close(); });
    QCOMPARE(caption, QString()); // no dialog
    QCOMPARE(f.prompter.texts(),
             QStringList { "The project list could not be read (" + why
                           + "). It is kept as it is, and projects cannot be changed until it is "
                             "repaired and Tarnwick started again." });
    f.commands.saveTree();
    QCOMPARE(TestEnvironment::readFile(f.home + "project.dat"), broken);
}

void TestProjectCommands::settingsEntryOpensSettings_data()
{
    QTest::addColumn<bool>("enter"); // Enter, else a double click

    QTest::addRow("double click") << false;
    QTest::addRow("Enter") << true;
}

void TestProjectCommands::settingsEntryOpensSettings()
{
    QFETCH(bool, enter);
    Fixture f;
    QVERIFY(TestEnvironment::writeFile(f.home + "shop/PROJECT.INI",
                                       "[PROJECT]\r\nWebURL=shop.example\r\n"));
    f.outline.setTree(
        ProjectTree({ { 1, "Shop - shop" }, { 2, "#Default Project Settings - PROJECT.INI" } }));
    f.outline.expandAll();
    f.outline.setCurrentRow(1);
    f.outline.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.outline));
    QString url;
    const QString caption = withDialog(
        &f.outline,
        [&] {
            QTreeWidgetItem *entry = f.outline.topLevelItem(0)->child(0);
            if (enter)
                QTest::keyClick(&f.outline, Qt::Key_Return);
            else
                emit f.outline.itemDoubleClicked(entry, 0);
        },
        [&url](QWidget *dialog) {
            url = dialog->findChild<QLineEdit *>("WebsiteURL")->text();
            dialog->close();
        });
    QCOMPARE(caption, QStringLiteral("Modify Project Settings"));
    QCOMPARE(url, QStringLiteral("shop.example"));
    QCOMPARE(f.pages.count(), 0); // the settings file is no page to edit
}

QTEST_MAIN(TestProjectCommands)
#include "tst_projectcommands.moc"
