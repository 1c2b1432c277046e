// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editcommands.h"
#include "app/mainwindow.h"
#include "app/openpages.h"
#include "app/programdirectory.h"
#include "app/projectcommands.h"
#include "app/settings.h"
#include "app/tips.h"
#include "app/tipsession.h"
#include "platform/editorcontrol.h"
#include "platform/filelistpane.h"
#include "platform/renderer.h"
#include "preview/previewcontroller.h"
#include "project/projectoutline.h"
#include "project/projecttree.h"
#include "scriptedprompter.h"
#include "tags/tagcommands.h"
#include "wizards/tframeform.h"
#include "wizards/tinitialvaluesform.h"
#include "wizards/topenhtmlform.h"

#include <QMenuBar>

#include "testenvironment.h"
#include <QMenu>
#include <QRandomGenerator>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace Tarnwick;
using Tarnwick::TestEnvironment::waitForLoad;

namespace {

// A program directory and a settings store of their own for each test.
struct Session
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    QString home() const { return dir.path() + "/home/"; }
    QString settingsFile() const { return dir.filePath("Tarnwick.conf"); }

    std::unique_ptr<Settings> settings;
    std::unique_ptr<MainWindow> window;
    int tipsShown = 0;

    Session() { QDir().mkpath(home()); }

    MainWindow &start()
    {
        settings = std::make_unique<Settings>(
            std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat));
        window = std::make_unique<MainWindow>(home(), settings.get(), &prompter);
        window->tips().setPresenter([this](TipSession &) { ++tipsShown; });
        window->show();
        return *window;
    }
    // Closes the window as the user would; true when it really closed.
    bool exit() { return window->close(); }
    QString file(const QString &name, const QByteArray &bytes)
    {
        TestEnvironment::writeFile(home() + name, bytes);
        return home() + name;
    }
};

QMenu *menuNamed(MainWindow &w, const QString &caption)
{
    for (QAction *a : w.menuBar()->actions())
        if (a->text() == caption)
            return a->menu();
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void firstStart();
    void firstStartShowsTheWelcomeSite();
    void exitAsksForEachModifiedPage();
    void everySettingStoredAtExit();
    void settingsComeBack();
    void doubleClickOpensProjectPage();
    void openProjectPageTwiceIsRefused();
    void unreadableProjectListIsKept_data();
    void unreadableProjectListIsKept();
    void garbageSettingsStillStart();
    void autoLoadOfDeletedFileIsSilent();
    void commandLineFilesOpen();
    void statusPanelsFollowTheEditor();
    void lineEndStyleFromStart_data();
    void lineEndStyleFromStart();
    void browserItemsFollowTheSettings_data();
    void browserItemsFollowTheSettings();
    void inlineImagesToggle();
    void fullScreenView();
    void previewsGoWhileTheWindowIsWhole();
    void historyMenuButtonsAndCaption();
    void previewDefaultsFromTheSettings();
    void internalClipboardLooksLikeTheEditor();
    void browserButtonFollowsGeneralSettings();
    void storedAutoIndentHolds_data();
    void storedAutoIndentHolds();
    void completionAndFoldingFollowTheSettings_data();
    void completionAndFoldingFollowTheSettings();
    void tipOfTheDayOnActivation_data();
    void tipOfTheDayOnActivation();
    void helpersOnNewAndSavingTheDefaultPage();
    void tipOfTheDayWaitsForAnOpenQuestion();
    void pageDetailsFromMenuAndKey();
    void projectMenuAndPopup();
    void projectSearchWithoutAPage();
    void deleteKeyInTree_data();
    void deleteKeyInTree();
    void initialValuesForAnEmptyPage();
    void newFramePageStartsTheFrameCreator();
    void frameItemsNeedAPage();
    void previewPaneComesBackAfterAFrameSet();
    void openCommandOpensTheChosenPage();
};

void TestMainWindow::firstStart()
{
    Session s;
    MainWindow &w = s.start();
    QCOMPARE(w.projectTree()->tree(), ProjectTree::defaultTree());
    QCOMPARE(w.projectTree()->topLevelItemCount(), 1);
    QCOMPARE(w.projectTree()->topLevelItem(0)->childCount(), 4);
    QCOMPARE(w.openPages()->count(), 0);
    QVERIFY(!w.editor()->isEnabled());
    QCOMPARE(w.windowTitle(), QStringLiteral("Tarnwick - "));
    // The project tree with the Welcome site in front, its menu ready.
    auto *fileTabs = w.findChild<QTabWidget *>("FileTabs");
    QCOMPARE(fileTabs->tabText(fileTabs->currentIndex()), QStringLiteral("Projects"));
    QVERIFY(menuNamed(w, "P&rojects")->isEnabled());
    QVERIFY(!w.findChild<QToolButton *>("CloseBtn")->isEnabled());
    for (const char *name : { "SaveAsBtn", "PrintBtn", "CutBtn", "CopyBtn", "PasteBtn" })
        QVERIFY2(!w.findChild<QToolButton *>(name)->isEnabled(), name);
    QVERIFY(w.findChild<QToolButton *>("SpeedButton35")->isEnabled());
    QCOMPARE(w.statusPanel(0), QString());
    QCOMPARE(w.statusPanel(1), QStringLiteral("Insert"));
    QVERIFY(s.prompter.messages().isEmpty());
    // Later starts show the page the user left in front.
    fileTabs->setCurrentIndex(1);
    QVERIFY(s.exit());
    MainWindow &again = s.start();
    auto *tabsAgain = again.findChild<QTabWidget *>("FileTabs");
    QCOMPARE(tabsAgain->tabText(tabsAgain->currentIndex()), QStringLiteral("File List"));
    QVERIFY(!menuNamed(again, "P&rojects")->isEnabled());
    QVERIFY(s.exit());
}

void TestMainWindow::firstStartShowsTheWelcomeSite()
{
    Session s;
    QVERIFY(ProgramDirectory::prepare(s.home(), TestEnvironment::dataDirectory()));
    const QString readme = s.home() + "Welcome/readme.htm";
    QVERIFY(QFileInfo(readme).isFile());
    {
        MainWindow &w = s.start();
        auto *preview = w.findChild<Renderer *>("HTMLSplit");
        QVERIFY_LOADS(preview, [&] { w.openFiles({}); });
        QCOMPARE(w.openPages()->count(), 1);
        QCOMPARE(w.openPages()->currentFileName(), readme);
        QVERIFY(w.openPages()->page(0).inProject);
        QVERIFY(!preview->DocumentTitle().isEmpty());
        QCOMPARE(w.windowTitle(), "Tarnwick - " + readme.toUpper());
        auto *fileTabs = w.findChild<QTabWidget *>("FileTabs");
        QCOMPARE(fileTabs->tabText(fileTabs->currentIndex()), QStringLiteral("Projects"));
        // Whatever the process's working directory, the list shows the home.
        QCOMPARE(QDir(w.fileList()->directory()), QDir(s.home()));
        QVERIFY(s.prompter.messages().isEmpty());
        QVERIFY(s.exit());
    }
    // Later starts follow what was stored: nothing opens by itself.
    MainWindow &w = s.start();
    w.openFiles({});
    QCOMPARE(w.openPages()->count(), 0);
    QCOMPARE(QDir(w.fileList()->directory()), QDir(s.home()));
    QVERIFY(s.exit());
}

void TestMainWindow::exitAsksForEachModifiedPage()
{
    Session s;
    const QString a = s.file("a.htm", "a");
    const QString b = s.file("b.htm", "b");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(a, false));
    w.editor()->AppendText("1");
    QVERIFY(w.openPages()->LoadFile(b, false));
    w.editor()->AppendText("2");

    s.prompter.answer(Prompter::Answer::No); // b: closed without saving
    s.prompter.answer(Prompter::Answer::Cancel); // a: stay
    QVERIFY(!s.exit());
    QCOMPARE(s.prompter.texts(),
             (QStringList { "Save " + b + " before closing?", "Save " + a + " before closing?" }));
    QVERIFY(w.isVisible());
    QCOMPARE(w.openPages()->count(), 1);
    QCOMPARE(w.openPages()->currentFileName(), a);
    QVERIFY(w.editor()->Modified());
    QVERIFY(!QFile::exists(s.dir.filePath("home/project.dat"))); // nothing written yet

    s.prompter.answer(Prompter::Answer::No);
    QVERIFY(s.exit());
    QVERIFY(QFile::exists(s.home() + "project.dat"));
}

void TestMainWindow::everySettingStoredAtExit()
{
    Session s;
    s.start();
    QVERIFY(s.exit());
    QSettings stored(s.settingsFile(), QSettings::IniFormat);
    for (const Settings::Key &key : Settings::keys()) {
        const QString path = key.path();
        QVERIFY2(stored.contains(path), qPrintable(path));
        const QString text = stored.value(path).toString();
        bool isNumber = false;
        text.toInt(&isNumber);
        if (key.type != Settings::Key::Type::String)
            QVERIFY2(isNumber, qPrintable(path + " = " + text));
    }
    QCOMPARE(stored.value("Defaults/Extension").toString(), QStringLiteral("html,htm,shtm,shtml"));
    // The first start has the Projects page in front, and so it is stored.
    QCOMPARE(stored.value("Defaults/FileTabs").toString(), QStringLiteral("Projects"));
    QVERIFY(stored.value("WindowAttributes/Width").toInt() > 0);
}

void TestMainWindow::settingsComeBack()
{
    Session s;
    const QString page = s.file("keep.htm", "<p>kept</p>");
    {
        MainWindow &w = s.start();
        QVERIFY(w.openPages()->LoadFile(page, false));
        w.findChild<QToolButton *>("SpeedButton20")->click(); // hide the project pane
        w.findChild<QTabWidget *>("FileTabs")->setCurrentIndex(0);
        QVERIFY(s.exit());
    }
    QCOMPARE(s.settings->LastFiles.File1, page);
    QCOMPARE(s.settings->Defaults.ShowProjectPanel, false);
    QCOMPARE(s.settings->Defaults.FileTabPage, 0);
    QCOMPARE(s.settings->Defaults.FileTabs, QStringLiteral("Projects"));

    MainWindow &again = s.start();
    auto *fileTabs = again.findChild<QTabWidget *>("FileTabs");
    QCOMPARE(fileTabs->tabText(fileTabs->currentIndex()), QStringLiteral("Projects"));
    QCOMPARE(s.settings->LastFiles.File1, page);
    QVERIFY(s.exit());
}

void TestMainWindow::doubleClickOpensProjectPage()
{
    Session s;
    const QString readme = s.file("Welcome/readme.htm", "<p>Welcome</p>");
    MainWindow &w = s.start();
    ProjectOutline *tree = w.projectTree();
    w.findChild<QTabWidget *>("FileTabs")->setCurrentIndex(0);
    QTreeWidgetItem *item = tree->topLevelItem(0)->child(1); // "Readme File - readme.htm"
    tree->expandAll();
    tree->setCurrentItem(item);
    const QRect rect = tree->visualItemRect(item);
    // A real double click: the item view wants the press before the double click.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(w.openPages()->count(), 1);
    QCOMPARE(w.openPages()->currentFileName(), readme);
    QVERIFY(w.openPages()->page(0).inProject);
    QCOMPARE(w.editor()->Text(), QStringLiteral("<p>Welcome</p>"));
    QVERIFY(w.editor()->isEnabled());
    QVERIFY(w.findChild<QToolButton *>("CloseBtn")->isEnabled());
    QVERIFY(s.exit());
}

void TestMainWindow::openProjectPageTwiceIsRefused()
{
    Session s;
    const QString readme = s.file("Welcome/readme.htm", "x");
    MainWindow &w = s.start();
    Q_EMIT w.projectTree()->pageOpenRequested(readme, false);
    Q_EMIT w.projectTree()->pageOpenRequested(readme, false);
    QCOMPARE(w.openPages()->count(), 1);
    QCOMPARE(s.prompter.texts(),
             QStringList { "Selected operation may not be performed on an open "
                           "file.  Please close the file and try again." });
    // F3 opens directly, without that check.
    Q_EMIT w.projectTree()->pageOpenRequested(readme, true);
    QCOMPARE(w.openPages()->count(), 2);
    QVERIFY(s.exit());
}

void TestMainWindow::unreadableProjectListIsKept_data()
{
    QTest::addColumn<QByteArray>("broken");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("why"); // after the file name; "" for any line and reason

    QTest::addRow("line too long") << "Site - site\r\n\t" + QByteArray(10000, 'x') + "\r\n"
                                   << "Line too long"
                                   << " at line 2: longer than 4095 bytes";
    // 600 random bytes with no indentation, so that no line is indented too
    // deep: the damage shows only in what the lines hold.
    QByteArray random;
    QRandomGenerator generator(27);
    while (random.size() < 600) {
        const char byte = char(generator.bounded(256));
        if (byte != '\t' && byte != ' ' && byte != ProjectTree::EndOfData)
            random += byte;
    }
    QTest::addRow("random bytes") << random << "File load error" << QString();
}

void TestMainWindow::unreadableProjectListIsKept()
{
    QFETCH(QByteArray, broken);
    QFETCH(QString, message);
    QFETCH(QString, why);

    Session s;
    const QString list = s.file("project.dat", broken);
    const QByteArray good = "Club - club\r\n\t#Default Project Settings - PROJECT.INI\r\n";
    const QString backup = s.file("project.dat.bak", good);
    MainWindow &w = s.start();
    QCOMPARE(s.prompter.texts().size(), 1);
    const QString told = s.prompter.texts().constFirst();
    // Says which file, which line and why.
    QVERIFY2(told.startsWith(message + " in " + list + " at line "), qPrintable(told));
    if (!why.isEmpty())
        QCOMPARE(told, QString(message + " in " + list + why));
    QCOMPARE(w.projectTree()->topLevelItemCount(), 0);
    QVERIFY(s.exit());
    QCOMPARE(TestEnvironment::readFile(list), broken);
    // The guide's remedy still works: the backup is the last good list.
    QCOMPARE(TestEnvironment::readFile(backup), good);
}

void TestMainWindow::garbageSettingsStillStart()
{
    Session s;
    TestEnvironment::writeFile(s.settingsFile(),
                               "[LastFiles]\nFile1=/some/file.htm\nAutoLoad=perhaps\n"
                               "[Defaults]\nTabSize=\xff\xfe garbage\n");
    MainWindow &w = s.start();
    QCOMPARE(s.prompter.texts(), QStringList { "Exception occured during ReadINI!" });
    QCOMPARE(s.settings->LastFiles.File1,
             QStringLiteral("/some/file.htm")); // read before the fault
    QCOMPARE(s.settings->Defaults.Extension, QStringLiteral("html,htm,shtm,shtml"));
    QVERIFY(w.isVisible());
    QVERIFY(s.exit());
}

void TestMainWindow::autoLoadOfDeletedFileIsSilent()
{
    Session s;
    TestEnvironment::writeFile(
        s.settingsFile(), "[LastFiles]\nFile1=" + s.home().toUtf8() + "gone.htm\nAutoLoad=1\n");
    MainWindow &w = s.start();
    QCOMPARE(w.openPages()->count(), 0);
    QVERIFY(s.prompter.messages().isEmpty());
    QVERIFY(s.exit());

    const QString page = s.file("there.htm", "here");
    TestEnvironment::writeFile(s.settingsFile(),
                               "[LastFiles]\nFile1=" + page.toUtf8() + "\nAutoLoad=1\n");
    MainWindow &again = s.start();
    QCOMPARE(again.openPages()->count(), 1);
    QCOMPARE(again.openPages()->currentFileName(), page);
    QVERIFY(s.exit());
}

void TestMainWindow::commandLineFilesOpen()
{
    Session s;
    const QString a = s.file("one.htm", "1");
    const QString b = s.file("two & three.htm", "2");
    MainWindow &w = s.start();
    w.openFiles({ a, b });
    QCOMPARE(w.openPages()->count(), 2);
    QVERIFY(!w.openPages()->page(0).inProject);
    QCOMPARE(w.windowTitle(), "Tarnwick - " + b.toUpper());
    // The recent files carry their access keys; an "&" of a name is shown as it is.
    auto *last1 = w.findChild<QAction *>("Last1");
    auto *last2 = w.findChild<QAction *>("Last2");
    QVERIFY(last1 && last2);
    QCOMPARE(last1->text(), "&1 " + QString(b).replace("&", "&&"));
    QCOMPARE(last2->text(), "&2 " + a);
    QVERIFY(!w.findChild<QAction *>("Last3")->isVisible());
    QVERIFY(s.exit());
}

void TestMainWindow::browserItemsFollowTheSettings_data()
{
    QTest::addColumn<QString>("browser1");
    QTest::addColumn<QString>("browser2");
    QTest::addColumn<QStringList>("items");
    QTest::addRow("none configured") << ""
                                     << "" << QStringList {};
    QTest::addRow("first only") << "/usr/bin/firefox"
                                << "" << QStringList { "View page in firefox" };
    QTest::addRow("second only") << ""
                                 << "chromium" << QStringList { "View page in chromium" };
    QTest::addRow("both") << "/opt/a/browse"
                          << "/usr/bin/other"
                          << QStringList { "View page in browse", "View page in other" };
}

void TestMainWindow::browserItemsFollowTheSettings()
{
    QFETCH(QString, browser1);
    QFETCH(QString, browser2);
    QFETCH(QStringList, items);
    Session s;
    const QString page = s.file("page.htm", "<p>x</p>");
    MainWindow &w = s.start();
    s.settings->Defaults.Browser1 = browser1;
    s.settings->Defaults.Browser2 = browser2;
    QVERIFY(w.openPages()->LoadFile(page, false));

    auto *button = w.findChild<QToolButton *>(QStringLiteral("BrowserBtn"));
    QVERIFY(button);
    QCOMPARE(button->isEnabled(), !browser1.isEmpty());

    QMenu *pageMenu = nullptr;
    for (QAction *a : w.menuBar()->actions())
        if (a->text() == QLatin1String("&Page"))
            pageMenu = a->menu();
    QVERIFY(pageMenu);
    Q_EMIT pageMenu->aboutToShow();
    QStringList shown;
    for (QAction *a : pageMenu->actions())
        if (a->isVisible() && a->text().startsWith(QLatin1String("View page in"))) {
            QVERIFY(a->isEnabled());
            shown << a->text();
        }
    QCOMPARE(shown, items);
    w.openPages()->CloseAllPages();
    QVERIFY(!button->isEnabled());
}

void TestMainWindow::inlineImagesToggle()
{
    Session s;
    const QString page = s.file("page.htm", "<p><img src=\"a.gif\"></p>");
    MainWindow &w = s.start();
    QMenu *options = menuNamed(w, QStringLiteral("&Options"));
    QVERIFY(options);
    QAction *images = options->actions().value(0);
    QCOMPARE(images->text(), QStringLiteral("&View inline images"));
    QVERIFY(images->isChecked());
    Q_EMIT options->aboutToShow();
    QVERIFY(!images->isEnabled());

    QVERIFY(w.openPages()->LoadFile(page, false));
    Q_EMIT options->aboutToShow();
    QVERIFY(images->isEnabled());
    const int tipsBefore = s.tipsShown;
    images->trigger();
    QVERIFY(!images->isChecked());
    QVERIFY(!s.settings->Defaults.ShowImages);
    QVERIFY(!w.findChild<Renderer *>(QStringLiteral("HTMLSplit"))->ViewImages());
    QCOMPARE(s.tipsShown, tipsBefore + 1); // "Toggling Image View" while its flag is set
    images->trigger();
    QVERIFY(s.settings->Defaults.ShowImages);
    QVERIFY(w.findChild<Renderer *>(QStringLiteral("HTMLSplit"))->ViewImages());
    w.openPages()->CloseAllPages();
}

void TestMainWindow::fullScreenView()
{
    Session s;
    const QString page = s.file("page.htm", "<html><title>Shown in full</title></html>");
    MainWindow &w = s.start();
    auto *button = w.findChild<QToolButton *>("FullViewbtn");
    QAction *command = nullptr;
    for (QAction *a : w.menuBar()->actions())
        if (a->shortcut() == QKeySequence(Qt::Key_F6))
            command = a;
    QVERIFY(button && command);
    QCOMPARE(command->text(), QStringLiteral("&View Full Screen!"));
    QCOMPARE(button->toolTip(), QStringLiteral("View HTML document in full screen"));
    QVERIFY(!button->isEnabled()); // no page yet
    QVERIFY(!command->isEnabled());

    QVERIFY(w.openPages()->LoadFile(page, false));
    QVERIFY(button->isEnabled());
    auto *full = w.findChild<Renderer *>(QStringLiteral("HTMLFull"));
    auto *panes = w.findChild<QWidget *>(QStringLiteral("MainSplitter"));
    auto *tools = w.findChild<QWidget *>(QStringLiteral("ToolsPanel"));
    QVERIFY(!full->isVisible());
    const int tipsBefore = s.tipsShown;
    QVERIFY_LOADS(full, [&] { QTest::mouseClick(button, Qt::LeftButton); });
    QCOMPARE(full->DocumentTitle(), QStringLiteral("Shown in full"));
    QVERIFY(full->isVisible());
    QVERIFY(!panes->isVisible());
    QVERIFY(!tools->isVisible());
    QCOMPARE(command->text(), QStringLiteral("&View Split Screen!"));
    QCOMPARE(button->toolTip(), QStringLiteral("View HTML document in split screen"));
    QCOMPARE(s.tipsShown, tipsBefore + 1); // "Full Screen" while its flag is set

    // Opening the Options menu brings the split view back.
    Q_EMIT menuNamed(w, QStringLiteral("&Options"))->aboutToShow();
    QVERIFY(!full->isVisible());
    QVERIFY(panes->isVisible());
    QVERIFY(tools->isVisible());
    QCOMPARE(command->text(), QStringLiteral("&View Full Screen!"));
    QCOMPARE(button->toolTip(), QStringLiteral("View HTML document in full screen"));

    // Closing the last page leaves full-screen view, which needs a page.
    command->trigger();
    QVERIFY(full->isVisible());
    w.openPages()->CloseAllPages();
    QVERIFY(!full->isVisible());
    QVERIFY(panes->isVisible());
    QVERIFY(!command->isEnabled());
}

void TestMainWindow::previewsGoWhileTheWindowIsWhole()
{
    // Letting one preview go runs the engine's pending work, and that work may give another
    // preview a new child widget. Do the same here: each preview that goes gives the others a
    // child. That crashes when the window around them is already half torn down.
    Session s;
    MainWindow &w = s.start();
    const QList<Renderer *> previews = w.findChildren<Renderer *>();
    QCOMPARE(previews.size(), 3);
    QList<QPointer<QWidget>> alive(previews.begin(), previews.end());
    int children = 0;
    for (Renderer *preview : previews) {
        QObject::connect(preview, &QObject::destroyed, preview, [&, preview] {
            for (const QPointer<QWidget> &other : std::as_const(alive)) {
                if (other && other != preview) {
                    new QWidget(other);
                    ++children;
                }
            }
        });
    }
    QVERIFY(s.exit());
    s.window.reset();
    QCOMPARE(children, 3); // 2 + 1 + 0
}

void TestMainWindow::historyMenuButtonsAndCaption()
{
    Session s;
    const QString page = s.file("page.htm", "<html><title>Under edit</title></html>");
    const QString other = s.file("other.htm", "<html><title>Other &amp; more</title></html>");
    MainWindow &w = s.start();
    QMenu *history = menuNamed(w, QStringLiteral("His&tory"));
    QVERIFY(history);
    QVERIFY(!history->menuAction()->isVisible());
    auto *back = w.findChild<QToolButton *>("BackButton");
    auto *forward = w.findChild<QToolButton *>("FWDButton");
    QCOMPARE(back->toolTip(), QStringLiteral("Move viewer back one page"));
    QCOMPARE(forward->toolTip(), QStringLiteral("Move viewer forward one page"));
    QVERIFY(!back->isEnabled());
    QVERIFY(!forward->isEnabled());

    auto *split = w.findChild<Renderer *>(QStringLiteral("HTMLSplit"));
    QVERIFY_LOADS(split, [&] { QVERIFY(w.openPages()->LoadFile(page, false)); });
    QVERIFY(!history->menuAction()->isVisible()); // the editor's text is no entry
    bool handled = false;
    QVERIFY(waitForLoad(split, [&] {
        Q_EMIT split->hotSpotClicked(QUrl::fromLocalFile(other).toString(), &handled);
    }));
    QVERIFY(history->menuAction()->isVisible());
    const QList<QAction *> items = history->actions();
    QCOMPARE(items.size(), 10);
    QVERIFY(items.at(0)->isVisible());
    QVERIFY(items.at(0)->isChecked());
    QCOMPARE(items.at(0)->text(), QUrl::fromLocalFile(other).toString());
    QVERIFY(!items.at(1)->isVisible());
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());
    QCOMPARE(w.windowTitle(), QStringLiteral("Other & more"));

    // Back from the only entry shows the page under edit again, with its
    // caption and no entry checked; so does a refresh (F5) after a followed link.
    const QString pageCaption = "Tarnwick - " + page.toUpper();
    QVERIFY_LOADS(split, [&] { QTest::mouseClick(back, Qt::LeftButton); });
    QCOMPARE(split->DocumentTitle(), QStringLiteral("Under edit"));
    QCOMPARE(w.windowTitle(), pageCaption);
    QVERIFY(!items.at(0)->isChecked());
    QVERIFY_LOADS(split, [&] { items.at(0)->trigger(); });
    QVERIFY(items.at(0)->isChecked());
    QCOMPARE(w.windowTitle(), QStringLiteral("Other & more"));
    QVERIFY_LOADS(split, [&] { QTest::keyClick(&w, Qt::Key_F5); });
    QCOMPARE(split->DocumentTitle(), QStringLiteral("Under edit"));
    QCOMPARE(w.windowTitle(), pageCaption);
    QVERIFY(!items.at(0)->isChecked());
    w.openPages()->CloseAllPages();
}

void TestMainWindow::previewDefaultsFromTheSettings()
{
    Session s;
    {
        QSettings stored(s.settingsFile(), QSettings::IniFormat);
        stored.setValue("Defaults/HTMLBackgroundColor", QString::number(0x00FFFF)); // yellow
        stored.setValue("Defaults/HTMLFontColor", QString::number(0x0000FF)); // red
    }
    const QString page = s.file("page.htm", "<p>plain text</p>");
    MainWindow &w = s.start();
    auto *split = w.findChild<Renderer *>(QStringLiteral("HTMLSplit"));
    QVERIFY_LOADS(split, [&] { QVERIFY(w.openPages()->LoadFile(page, false)); });
    auto *view = split->findChild<QWebEngineView *>();
    QEventLoop loop;
    QString textColor;
    view->page()->runJavaScript(QStringLiteral("getComputedStyle(document.body).color"),
                                [&](const QVariant &value) {
                                    textColor = value.toString();
                                    loop.quit();
                                });
    loop.exec();
    QCOMPARE(textColor, QStringLiteral("rgb(255, 0, 0)"));
    QCOMPARE(view->page()->backgroundColor(), QColor(Qt::yellow));
    // The other previews start their engine only when first used, and take
    // the settings given before then.
    for (const char *name : { "HTMLFull", "HTMLFrames" }) {
        auto *other = w.findChild<Renderer *>(QLatin1String(name));
        QVERIFY2(!other->findChild<QWebEngineView *>(), name);
        QVERIFY_LOADS(other, [&] { other->Clear(); });
        QCOMPARE(other->findChild<QWebEngineView *>()->page()->backgroundColor(),
                 QColor(Qt::yellow));
    }
    w.openPages()->CloseAllPages();
}

void TestMainWindow::internalClipboardLooksLikeTheEditor()
{
    Session s;
    {
        QSettings stored(s.settingsFile(), QSettings::IniFormat);
        stored.setValue("Defaults/Wordwrap", true);
        stored.setValue("Defaults/FontSize", "15");
        stored.setValue("Defaults/BackgroundColor", QString::number(0xE0FFFF)); // light yellow
    }
    MainWindow &w = s.start();
    EditorControl *spare = w.spareEditor();
    QVERIFY(spare->WordWrap());
    QCOMPARE(spare->ScrollBars(), EditorControl::ScrollBarStyle::Vertical);
    QCOMPARE(spare->Font().pointSize(), 15);
    QCOMPARE(spare->Color(), QColor(0xFF, 0xFF, 0xE0));
    QCOMPARE(spare->Font(), w.editor()->Font());
}

void TestMainWindow::browserButtonFollowsGeneralSettings()
{
    Session s;
    const QString page = s.file("page.htm", "<p>text</p>");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(page, false));
    auto *button = w.findChild<QToolButton *>("BrowserBtn");
    QVERIFY(!button->isEnabled()); // no browser chosen yet

    bool filled = false;
    QTimer::singleShot(0, &w, [&filled] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        dialog->findChild<QLineEdit *>(QStringLiteral("Browser1"))->setText("/usr/bin/true");
        dialog->findChild<QCheckBox *>(QStringLiteral("AutoUpdate"))->setChecked(true);
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        for (QAbstractButton *b : buttons->buttons())
            if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole)
                b->click();
        filled = true;
    });
    QAction *preferences = nullptr;
    for (QAction *a : menuNamed(w, QStringLiteral("&Options"))->actions())
        if (a->text() == QLatin1String("&General Preferences..."))
            preferences = a;
    QVERIFY(preferences);
    preferences->trigger();
    QVERIFY(filled);
    QCOMPARE(s.settings->Defaults.Browser1, QStringLiteral("/usr/bin/true"));
    QVERIFY(button->isEnabled());

    // Auto update holds at once: typing a letter refreshes the preview.
    QVERIFY(s.settings->Defaults.AutoUpdate);
    auto *split = w.findChild<Renderer *>(QStringLiteral("HTMLSplit"));
    QVERIFY_LOADS(split, [&] { QTest::keyClick(w.editor()->focusProxy(), Qt::Key_X); });
    s.prompter.answer(Prompter::Answer::No); // the page was changed: close without saving
    w.openPages()->CloseAllPages();
}

void TestMainWindow::storedAutoIndentHolds_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("autoIndent");
    QTest::addRow("nothing stored yet: the editor's own setting") << QVariant() << true;
    QTest::addRow("stored off") << QVariant(false) << false;
    QTest::addRow("stored on") << QVariant(true) << true;
}

void TestMainWindow::storedAutoIndentHolds()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, autoIndent);
    Session s;
    if (stored.isValid()) {
        QSettings file(s.settingsFile(), QSettings::IniFormat);
        file.setValue("Defaults/AutoIndent", stored);
    }
    MainWindow &w = s.start();
    QCOMPARE(w.editor()->AutoIndent(), autoIndent);
    QCOMPARE(s.settings->Defaults.AutoIndent, autoIndent);
    QVERIFY(s.exit());
    QCOMPARE(
        QSettings(s.settingsFile(), QSettings::IniFormat).value("Defaults/AutoIndent").toBool(),
        autoIndent);
}

void TestMainWindow::completionAndFoldingFollowTheSettings_data()
{
    QTest::addColumn<QVariant>("completion"); // stored AutoComplete, if any
    QTest::addColumn<QVariant>("folding"); // stored ShowFoldMargin, if any
    QTest::addRow("nothing stored: both on") << QVariant() << QVariant();
    QTest::addRow("completion stored off") << QVariant(0) << QVariant();
    QTest::addRow("folding stored off") << QVariant() << QVariant(0);
    QTest::addRow("both stored on") << QVariant(1) << QVariant(1);
}

void TestMainWindow::completionAndFoldingFollowTheSettings()
{
    QFETCH(QVariant, completion);
    QFETCH(QVariant, folding);
    const bool completionOn = !completion.isValid() || completion.toBool();
    const bool foldingOn = !folding.isValid() || folding.toBool();
    Session s;
    {
        QSettings file(s.settingsFile(), QSettings::IniFormat);
        if (completion.isValid())
            file.setValue("Defaults/AutoComplete", completion);
        if (folding.isValid())
            file.setValue("Defaults/ShowFoldMargin", folding);
    }
    const QString page = s.file("page.htm", "<html>\n<body>\n</body>\n</html>\n");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(page, false));
    EditorControl *editor = w.editor();
    QCOMPARE(editor->Folding(), foldingOn);
    const auto typeLessThan = [&] {
        QTest::sendKeyEvent(QTest::Click, editor->focusProxy(), Qt::Key_Less, QStringLiteral("<"),
                            Qt::NoModifier);
    };
    typeLessThan();
    QCOMPARE(editor->ListActive(), completionOn);

    // The editor options turn both the other way, at once.
    bool filled = false;
    QTimer::singleShot(0, &w, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        dialog->findChild<QCheckBox *>(QStringLiteral("AutoComplete"))->setChecked(!completionOn);
        dialog->findChild<QCheckBox *>(QStringLiteral("ShowFoldMargin"))->setChecked(!foldingOn);
        dialog->findChild<QPushButton *>(QStringLiteral("OkBtn"))->click();
        filled = true;
    });
    QAction *options = nullptr;
    for (QAction *a : menuNamed(w, QStringLiteral("&Options"))->actions())
        if (a->text() == QLatin1String("&Editor Options..."))
            options = a;
    QVERIFY(options);
    options->trigger();
    QVERIFY(filled);
    QCOMPARE(editor->Folding(), !foldingOn);
    QCOMPARE(s.settings->Defaults.AutoComplete, !completionOn);
    QCOMPARE(s.settings->Defaults.ShowFoldMargin, !foldingOn);
    editor->CancelList();
    typeLessThan();
    QCOMPARE(editor->ListActive(), !completionOn);
    editor->CancelList();

    s.prompter.answer(Prompter::Answer::No); // the page was changed: close without saving
    QVERIFY(s.exit());
    QSettings file(s.settingsFile(), QSettings::IniFormat);
    QCOMPARE(file.value("Defaults/AutoComplete").toBool(), !completionOn);
    QCOMPARE(file.value("Defaults/ShowFoldMargin").toBool(), !foldingOn);
}

void TestMainWindow::statusPanelsFollowTheEditor()
{
    Session s;
    const QString page = s.file("page.htm", "one\ntwo\n");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(page, false));
    QCOMPARE(w.statusPanel(2), page);
    QCOMPARE(w.statusPanel(0), QStringLiteral("1:0"));
    QWidget *keys = w.editor()->focusProxy();
    QVERIFY(keys);
    QTest::keyClick(keys, Qt::Key_Down);
    QTest::keyClick(keys, Qt::Key_End);
    QCOMPARE(w.statusPanel(0), QStringLiteral("2:3"));
    QCOMPARE(w.statusPanel(1), QStringLiteral("Insert 35")); // End
    QTest::keyClick(keys, Qt::Key_Insert);
    QCOMPARE(w.statusPanel(1), QStringLiteral("Overwrite 45"));
    QTest::keyClick(keys, Qt::Key_Home);
    QTest::keyClick(keys, Qt::Key_X);
    QCOMPARE(w.editor()->GetLineText(2), QStringLiteral("xwo")); // typed over
    QCOMPARE(w.statusPanel(1), QStringLiteral("Overwrite 88"));
    s.prompter.answer(Prompter::Answer::No);
    QVERIFY(s.exit());
}

void TestMainWindow::lineEndStyleFromStart_data()
{
    QTest::addColumn<int>("fileFormat");
    QTest::addColumn<QByteArray>("saved");
    QTest::addRow("default keeps the file's") << 0 << QByteArray("a\r\nb\r\n");
    QTest::addRow("mac style") << 1 << QByteArray("a\rb\r");
    QTest::addRow("unix style") << 2 << QByteArray("a\nb\n");
}

void TestMainWindow::lineEndStyleFromStart()
{
    QFETCH(int, fileFormat);
    QFETCH(QByteArray, saved);
    Session s;
    const QString page = s.file("crlf.htm", "a\r\nb\r\n");
    TestEnvironment::writeFile(s.settingsFile(),
                               "[Defaults]\nFileFormat=" + QByteArray::number(fileFormat) + "\n");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(page, false));
    QVERIFY(w.openPages()->Save1Click());
    QCOMPARE(TestEnvironment::readFile(page), saved);
    QVERIFY(s.exit());
}

void TestMainWindow::tipOfTheDayOnActivation_data()
{
    QTest::addColumn<bool>("showTips");
    QTest::addColumn<bool>("pageOpen");
    QTest::addColumn<int>("expected");
    QTest::addRow("no page, tips on: once") << true << false << 1;
    QTest::addRow("tips switched off") << false << false << 0;
    QTest::addRow("a page is open") << true << true << 0;
}

void TestMainWindow::tipOfTheDayOnActivation()
{
    QFETCH(bool, showTips);
    QFETCH(bool, pageOpen);
    QFETCH(int, expected);

    Session s;
    {
        QSettings stored(s.settingsFile(), QSettings::IniFormat);
        stored.setValue("Helpers/ShowTipOfTheDay", showTips);
        if (pageOpen) {
            stored.setValue("LastFiles/File1", s.file("page.htm", "<P>x</P>"));
            stored.setValue("LastFiles/AutoLoad", true);
        }
    }
    MainWindow &w = s.start();
    QCOMPARE(w.openPages()->count(), pageOpen ? 1 : 0);
    // Activations again and again, as when the user comes back to the window.
    for (int i = 0; i < 3; ++i) {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&w, &activate);
        QCoreApplication::processEvents();
    }
    QCOMPARE(s.tipsShown, expected);
}

void TestMainWindow::helpersOnNewAndSavingTheDefaultPage()
{
    Session s;
    {
        QSettings stored(s.settingsFile(), QSettings::IniFormat);
        stored.setValue("Helpers/NewFile", 1);
        stored.setValue("Helpers/SavingToDefault", 1);
        stored.setValue("Helpers/ShowTipOfTheDay", false);
    }
    MainWindow &w = s.start();
    QStringList captions;
    w.tips().setPresenter([&](TipSession &session) { captions << session.caption(); });
    QMenu *file = menuNamed(w, "&File");
    QVERIFY(file);
    auto item = [&](const QString &text) {
        for (QAction *a : file->actions())
            if (a->text() == text)
                return a;
        return static_cast<QAction *>(nullptr);
    };
    s.prompter.answer(Prompter::Answer::No); // no new-page builder for the empty page
    item("&New")->trigger();
    QCOMPARE(w.openPages()->currentFileName(), s.home() + "newpage.htm");
    w.editor()->AppendText("<p>x</p>");
    item("&Save")->trigger();
    QCOMPARE(captions, (QStringList { "Orphan Pages", "Saving To Default" }));
    QCOMPARE(TestEnvironment::readFile(s.home() + "newpage.htm"), QByteArray("<p>x</p>"));
}

void TestMainWindow::tipOfTheDayWaitsForAnOpenQuestion()
{
    Session s;
    MainWindow &w = s.start();
    const auto activate = [&w] {
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&w, &activation);
        QCoreApplication::processEvents();
    };
    QDialog question;
    question.setModal(true);
    question.show();
    activate();
    QCOMPARE(s.tipsShown, 0);
    question.close();
    activate();
    QCOMPARE(s.tipsShown, 1);
}

// "&Evaluate..." (Ctrl+E) and the editor's "Evaluate" check the page in
// front, only while one is open; the status bar follows a double click.
void TestMainWindow::pageDetailsFromMenuAndKey()
{
    Session s;
    const QString page
        = s.file("site/index.htm", "<title>Home</title>\n<img src=\"logo.gif\">\n<p>x</p>");
    MainWindow &w = s.start();
    QMenu *pageMenu = menuNamed(w, QStringLiteral("&Page"));
    QAction *evaluate = pageMenu->actions().value(0);
    QCOMPARE(evaluate->text(), QStringLiteral("&Evaluate..."));
    QCOMPARE(evaluate->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    QMenu *popup = w.editCommands()->editorPopup();
    QCOMPARE(popup->actions().value(0)->text(), QStringLiteral("Refresh View"));
    QAction *popupEvaluate = popup->actions().value(1);
    QCOMPARE(popupEvaluate->text(), QStringLiteral("Evaluate"));
    QVERIFY(!evaluate->isEnabled());
    QVERIFY(!popupEvaluate->isEnabled());

    QVERIFY(w.openPages()->LoadFile(page, false));
    QVERIFY(evaluate->isEnabled());
    QVERIFY(popupEvaluate->isEnabled());
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QString caption;
    QStringList missing;
    QTimer::singleShot(0, &w, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        caption = dialog->windowTitle();
        auto *list = dialog->findChild<QListWidget *>("FilesMissing");
        for (int i = 0; i < list->count(); ++i)
            missing.append(list->item(i)->text());
        auto *details = dialog->findChild<QListWidget *>("WebDetails");
        const auto found = details->findItems("2:5: logo.gif", Qt::MatchStartsWith);
        if (!found.isEmpty()) {
            details->setCurrentItem(found.constFirst());
            emit details->itemDoubleClicked(found.constFirst());
        }
    });
    QTest::keyClick(w.editor()->focusProxy(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(caption, QStringLiteral("Web details for: <Home>"));
    QCOMPARE(missing, QStringList { "logo.gif" });
    QCOMPARE(w.statusPanel(0), QStringLiteral("2:5"));

    QVERIFY(w.openPages()->CloseActivePage());
    QVERIFY(!evaluate->isEnabled());
    QVERIFY(s.exit());
}

// The project commands sit on the Projects menu and the tree's pop-up menu,
// enabled by what is selected.
void TestMainWindow::projectMenuAndPopup()
{
    Session s;
    MainWindow &w = s.start();
    QMenu *projects = menuNamed(w, QStringLiteral("P&rojects"));
    const auto captionsOf = [](const QMenu *menu) {
        QStringList captions;
        for (QAction *a : menu->actions())
            captions.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        return captions;
    };
    QCOMPARE(captionsOf(projects),
             QStringList({ "&New Project...", "&Pages", "&Delete Project...",
                           "&Edit Project Description...", "Find Project Orphans...",
                           "Check &Site", "-", "Di&splay Projects" }));
    auto *pages = projects->findChild<QMenu *>("Pages1");
    QVERIFY(pages);
    QCOMPARE(captionsOf(pages),
             QStringList({ "&New page...", "&Import Page...", "Remove && &Delete Page...",
                           "&Copy/Move page...", "&Edit Page Description...", "&Rename File...",
                           "Remove file from project...", "Send to website..." }));
    ProjectOutline *tree = w.projectTree();
    tree->setCurrentRow(1); // a page of the Welcome project
    Q_EMIT projects->aboutToShow();
    // The Welcome project has no settings file: no site, and the page is not open.
    QCOMPARE(pages->actions().value(7)->text(), QStringLiteral("Send to /"));
    QVERIFY(pages->actions().value(7)->isEnabled());
    QVERIFY(projects->actions().value(0)->isEnabled());
    QVERIFY(!projects->actions().value(2)->isEnabled()); // Delete Project
    QVERIFY(!projects->actions().value(4)->isEnabled()); // Find Project Orphans
    QVERIFY(projects->actions().value(5)->isEnabled()); // Check Site: the page's project
    QVERIFY(pages->actions().value(2)->isEnabled()); // Remove && Delete Page
    tree->setCurrentRow(0);
    Q_EMIT projects->aboutToShow();
    QVERIFY(projects->actions().value(2)->isEnabled());
    QVERIFY(projects->actions().value(4)->isEnabled());
    QVERIFY(!pages->actions().value(2)->isEnabled());
    QCOMPARE(pages->actions().value(7)->text(), QStringLiteral("Send entire site to /"));

    auto *popup = tree->findChild<QMenu *>("ProjectPopup");
    QVERIFY(popup);
    QCOMPARE(
        captionsOf(popup),
        QStringList({ "View Page", "-", "New Page...", "Import page...", "Remove && Delete Page...",
                      "Copy/Move Page...", "Change Description...", "Rename Page...",
                      "Send entire site to /", "Remove file from project...",
                      "Find Project Orphans...", "Check Site", "Find in Project...", "-",
                      "New Project...", "Delete Project..." }));
    // Right-clicking an entry selects it and enables the items for it.
    tree->expandAll();
    const QTreeWidgetItem *pageEntry = tree->topLevelItem(0)->child(0);
    Q_EMIT tree->customContextMenuRequested(tree->visualItemRect(pageEntry).center());
    QCOMPARE(tree->currentRow(), 1);
    QVERIFY(popup->actions().value(0)->isEnabled());
    QVERIFY(!popup->actions().value(10)->isEnabled());
    QVERIFY(popup->actions().value(11)->isEnabled()); // Check Site
    QVERIFY(popup->actions().value(12)->isEnabled()); // Find in Project
    QVERIFY(popup->actions().value(14)->isEnabled());
    QCOMPARE(popup->actions().value(8)->text(), QStringLiteral("Send to /"));
    popup->close();
    Q_EMIT tree->customContextMenuRequested(tree->visualItemRect(tree->topLevelItem(0)).center());
    QVERIFY(!popup->actions().value(0)->isEnabled());
    QVERIFY(popup->actions().value(10)->isEnabled());
    popup->close();
    QVERIFY(s.exit());
}

// Find and Replace in Project search files, not the page: they work with no page open.
void TestMainWindow::projectSearchWithoutAPage()
{
    Session s;
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->CloseAllPages());
    QCOMPARE(w.openPages()->count(), 0);
    QMenu *search = menuNamed(w, QStringLiteral("&Search"));
    Q_EMIT search->aboutToShow();
    QStringList found;
    for (QAction *a : search->actions()) {
        if (a->text().contains(QStringLiteral("Project")) || a->text().contains(QStringLiteral("Pro&ject")))
            found << a->text() + QLatin1Char(' ') + a->shortcut().toString()
                    + (a->isEnabled() ? QString() : QStringLiteral(" (off)"));
    }
    QCOMPARE(found, QStringList({"Find in &Project... Ctrl+Shift+F", "Replace in Pro&ject... Ctrl+Shift+H"}));
    QVERIFY(s.exit());
}

void TestMainWindow::deleteKeyInTree_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("cancellable");
    QTest::addRow("project with an open page")
        << 0 << "Close all project files before deleting project!" << false;
    QTest::addRow("page") << 2 << "Delete selected file?" << true;
}

// Delete in the tree deletes the selected project or page, after asking.
void TestMainWindow::deleteKeyInTree()
{
    QFETCH(int, row);
    QFETCH(QString, question);
    QFETCH(bool, cancellable);
    Session s;
    const QString page = s.file("Welcome/readme.htm", "<HTML></HTML>\n");
    s.file("Welcome/internat.htm", "<HTML></HTML>\n");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(s.home() + "Welcome/internat.htm", true));
    ProjectOutline *tree = w.projectTree();
    const ProjectTree before = tree->tree();
    tree->setCurrentRow(row);
    s.prompter.clear();
    if (cancellable)
        s.prompter.answer(Prompter::Answer::Cancel);
    QTest::keyClick(tree, Qt::Key_Delete);
    QVERIFY(s.prompter.scriptUsedUp());
    QCOMPARE(s.prompter.texts(), QStringList { question });
    QCOMPARE(tree->tree(), before);
    QVERIFY(QFileInfo::exists(page));
    QVERIFY(s.exit());
}

// An empty page offers Initial Values; Finish fills the page, keeps the
// author's name and leaves its colours for the body commands.
void TestMainWindow::initialValuesForAnEmptyPage()
{
    Session s;
    const QString page = s.file("site/empty.htm", QByteArray());
    s.file("site/PROJECT.INI", "[PROJECT]\r\nLinkColor=00FF00\r\n");
    MainWindow &w = s.start();
    s.prompter.clear();
    s.prompter.answer(Prompter::Answer::Yes);
    bool shown = false;
    QTimer::singleShot(0, &w, [&] {
        auto *form = qobject_cast<TInitialValuesForm *>(QApplication::activeModalWidget());
        if (!form)
            return;
        shown = true;
        form->findChild<QLineEdit *>("AuthorName")->setText("Ann Smith");
        form->FinishBtnClick();
    });
    QVERIFY(w.openPages()->LoadFile(page, false));
    QVERIFY(shown);
    QCOMPARE(s.prompter.texts(), QStringList { "Empty file, start creation of new page?" });
    QVERIFY(w.editor()->Text().startsWith("<HTML>"));
    QVERIFY(w.editor()->Text().contains("<META NAME=\"Author\" CONTENT=\"Ann Smith\">"));
    QCOMPARE(s.settings->Defaults.AuthorName, QStringLiteral("Ann Smith"));
    QCOMPARE(w.tagCommands()->bodySettings().link, QColor(0x00, 0xFF, 0x00));
    QCOMPARE(w.tagCommands()->bodySettings().background, QColor(0xC0, 0xC0, 0xC0));
    s.prompter.answer(Prompter::Answer::No); // do not save the new page
    QVERIFY(s.exit());
}

void TestMainWindow::newFramePageStartsTheFrameCreator()
{
    Session s;
    const QString page = s.file("site/frames.htm", " \r\n");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(page, false));
    auto *commands = w.findChild<ProjectCommands *>();
    QVERIFY(commands);
    bool shown = false;
    QTimer::singleShot(0, &w, [&] {
        auto *form = qobject_cast<TFrameForm *>(QApplication::activeModalWidget());
        if (!form)
            return;
        shown = true;
        form->GenerateClick();
    });
    emit commands->framePageOpened();
    QVERIFY(shown);
    QVERIFY(w.editor()->Text().startsWith("<HTML>"));
    QVERIFY(w.editor()->Text().contains("<FRAMESET ROWS=\"33%,*,34%\">"));
    s.prompter.answer(Prompter::Answer::No); // do not save the page
    QVERIFY(s.exit());
}

// A frame set shows in its own renderer, in the preview's place and width;
// the next ordinary page has the preview back as it was.
void TestMainWindow::previewPaneComesBackAfterAFrameSet()
{
    Session s;
    const QString plain = s.file("site/plain.htm", "<p>plain</p>\n");
    const QString frames = s.file(
        "site/frames.htm", "<frameset rows=\"50%,*\">\n<frame src=\"plain.htm\">\n</frameset>\n");
    MainWindow &w = s.start();
    auto *split = w.findChild<QSplitter *>(QStringLiteral("SplitScreen"));
    auto *normal = w.findChild<Renderer *>(QStringLiteral("HTMLSplit"));
    auto *frameView = w.findChild<Renderer *>(QStringLiteral("HTMLFrames"));
    auto *tabs = w.findChild<QTabBar *>(QStringLiteral("WebPageTabBar"));
    auto *preview = w.findChild<PreviewController *>();
    QSignalSpy switched(preview, &PreviewController::framesVisibilityChanged);
    // A refresh asked for while the preview loads comes when the load ends.
    const auto framesShown = [&](bool shown) {
        while (preview->framesShown() != shown) {
            if (!switched.wait(TestEnvironment::signalBound))
                return false;
        }
        return true;
    };
    QVERIFY(w.openPages()->LoadFile(plain, false));
    const QList<int> before = split->sizes();
    QVERIFY(before.at(1) > 0);

    QVERIFY(w.openPages()->LoadFile(frames, false));
    QVERIFY(framesShown(true));
    QVERIFY(frameView->isVisible());
    QVERIFY(!normal->isVisible());
    QCOMPARE(split->sizes().at(0), before.at(0));
    QCOMPARE(split->sizes().at(2), before.at(1));

    tabs->setCurrentIndex(0);
    QVERIFY(framesShown(false));
    QVERIFY(normal->isVisible());
    QVERIFY(!frameView->isVisible());
    QCOMPARE(split->sizes(), before);
    // And once more: the second time round is no different.
    tabs->setCurrentIndex(1);
    QVERIFY(framesShown(true));
    tabs->setCurrentIndex(0);
    QVERIFY(framesShown(false));
    QCOMPARE(split->sizes(), before);
    QVERIFY(s.exit());
}

// The frame set replaces a page's text: with no page open its items are off.
void TestMainWindow::frameItemsNeedAPage()
{
    Session s;
    const QString page = s.file("site/page.htm", "<p>x</p>");
    MainWindow &w = s.start();
    QList<QAction *> items;
    for (QAction *a : menuNamed(w, "&File")->actions())
        if (a->text() == QLatin1String("&Frame Creator...")
            || a->text() == QLatin1String("Frame Vaza Ded"))
            items.append(a);
    QCOMPARE(items.size(), 2);
    for (QAction *item : std::as_const(items)) {
        QVERIFY(!item->isEnabled());
        item->trigger();
    }
    QVERIFY(s.prompter.messages().isEmpty());
    QVERIFY(w.openPages()->LoadFile(page, false));
    for (QAction *item : std::as_const(items))
        QVERIFY(item->isEnabled());
    w.openPages()->CloseActivePage();
    QCOMPARE(w.openPages()->count(), 0);
    for (QAction *item : std::as_const(items))
        QVERIFY(!item->isEnabled());
    QVERIFY(s.prompter.messages().isEmpty());
    QVERIFY(s.exit());
}

void TestMainWindow::openCommandOpensTheChosenPage()
{
    Session s;
    const QString first = s.file("site/first.htm", "<p>first</p>");
    const QString second = s.file("site/second.htm", "<p>second</p>");
    s.file("site/notes.txt", "notes");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(first, false));
    QAction *open = nullptr;
    for (QAction *a : menuNamed(w, "&File")->actions())
        if (a->text() == QLatin1String("&Open ..."))
            open = a;
    QVERIFY(open);
    QStringList listed;
    QTimer::singleShot(0, &w, [&] {
        auto *form = qobject_cast<TOpenHTMLForm *>(QApplication::activeModalWidget());
        if (!form)
            return;
        // It starts in the page's folder, showing web documents.
        QTRY_VERIFY_WITH_TIMEOUT(form->listedNames().size() == 2, TestEnvironment::signalBound);
        listed = form->listedNames();
        form->selectFile(second);
        form->OKClick();
    });
    open->trigger();
    listed.sort();
    QCOMPARE(listed, QStringList({ "first.htm", "second.htm" }));
    QCOMPARE(w.openPages()->count(), 2);
    QCOMPARE(w.openPages()->currentFileName(), second);
    QCOMPARE(w.editor()->Text(), "<p>second</p>");
    QVERIFY(w.editor()->isEnabled());
    QVERIFY(s.exit());
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestMainWindow test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
