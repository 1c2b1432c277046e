// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editcommands.h"
#include "app/mainwindow.h"
#include "app/openpages.h"
#include "app/printdialog.h"
#include "app/settings.h"
#include "filesizelimit.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "project/projectoutline.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPrinter>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace Tarnwick;

namespace {

// The two editors in a main splitter beside a file pane, with the open pages
// and the commands over them, in a window of their own.
struct Fixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<Settings> settings;
    QMenu fileMenu, editMenu, searchMenu;
    QWidget window;
    QSplitter *splitter = nullptr;
    QWidget *filePane = nullptr;
    EditorControl *page = nullptr;
    EditorControl *spare = nullptr;
    OpenPages *pages = nullptr;
    EditCommands *commands = nullptr;

    Fixture()
    {
        QDir().mkpath(home());
        settings = std::make_unique<Settings>(
            std::make_unique<QSettings>(dir.filePath("Tarnwick.conf"), QSettings::IniFormat));
        auto *layout = new QVBoxLayout(&window);
        splitter = new QSplitter(&window);
        layout->addWidget(splitter);
        filePane = new QWidget(splitter);
        auto *pageBox = new QWidget(splitter);
        auto *pageLayout = new QVBoxLayout(pageBox);
        auto *tabs = new QTabBar(pageBox);
        page = new EditorControl(pageBox);
        pageLayout->addWidget(tabs);
        pageLayout->addWidget(page);
        spare = new EditorControl(splitter);
        pages = new OpenPages(page, tabs, &prompter, settings.get(), home(), &window);
        commands = new EditCommands(
            { page, spare, splitter, pages, settings.get(), &prompter, home() }, &window);
        commands->fillEditMenu(&editMenu);
        commands->fillSearchMenu(&searchMenu);
        commands->addPrintItems(&fileMenu);
        window.resize(800, 400);
        splitter->setSizes({ 200, 600, 0 });
    }

    QString home() const { return dir.path() + "/home/"; }
    QString file(const QString &name, const QByteArray &bytes)
    {
        TestEnvironment::writeFile(home() + name, bytes);
        return home() + name;
    }

    // A rendered preview below the editors, showing html.
    Renderer *addPreview(const QString &html)
    {
        auto *preview = new Renderer(&window);
        window.layout()->addWidget(preview);
        commands->setPreview(preview);
        QSignalSpy finished(preview, &Renderer::loadFinished);
        preview->LoadFromBuffer(html, dir.path());
        if (!QTest::qWaitFor([&] { return !finished.isEmpty(); },
                             Tarnwick::TestEnvironment::signalBound))
            return nullptr;
        return preview;
    }

    static bool selectInPreview(Renderer *preview, const QString &script)
    {
        preview->findChild<QWebEngineView *>()->page()->runJavaScript(script);
        return QTest::qWaitFor([preview] { return preview->SelLength() > 0; },
                               Tarnwick::TestEnvironment::signalBound);
    }

    bool show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    // Opens a page holding text (no undo history) with nothing selected.
    void openPage(const QByteArray &text)
    {
        QVERIFY(pages->LoadFile(file("page.htm", text), false));
    }

    static void select(EditorControl *editor, int line, int from, int to)
    {
        editor->StartLine = line;
        editor->StartPos = from;
        editor->EndLine = line;
        editor->EndPos = to;
        editor->ApplySelection();
    }
};

// The whole main window with a program directory and settings of its own.
struct Session
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<MainWindow> window;

    Session() { QDir().mkpath(home()); }
    QString home() const { return dir.path() + "/home/"; }
    QString file(const QString &name, const QByteArray &bytes)
    {
        TestEnvironment::writeFile(home() + name, bytes);
        return home() + name;
    }
    MainWindow &start()
    {
        settings = std::make_unique<Settings>(
            std::make_unique<QSettings>(dir.filePath("Tarnwick.conf"), QSettings::IniFormat));
        window = std::make_unique<MainWindow>(home(), settings.get(), &prompter);
        window->show();
        window->activateWindow();
        return *window;
    }
};

enum class Command { Cut, Copy, Paste, Delete, Duplicate, SelectAll, Undo, Redo };

void run(EditCommands &commands, Command command)
{
    switch (command) {
    case Command::Cut:
        return commands.Cut1Click();
    case Command::Copy:
        return commands.Copy1Click();
    case Command::Paste:
        return commands.Paste1Click();
    case Command::Delete:
        return commands.DeleteClick();
    case Command::Duplicate:
        return commands.Duplicate1Click();
    case Command::SelectAll:
        return commands.SelectAll1Click();
    case Command::Undo:
        return commands.Undo1Click();
    case Command::Redo:
        return commands.Redo1Click();
    }
}

// Names of the actions that are enabled, in the order given.
QStringList enabledOf(const QList<std::pair<const char *, QAction *>> &named)
{
    QStringList names;
    for (const auto &[name, action] : named)
        if (action->isEnabled())
            names << QLatin1String(name);
    return names;
}

} // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(QList<Command>)
Q_DECLARE_METATYPE(PrintDialog::Choice)

class TestEditCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void commandsActOnFocusedEditor_data();
    void commandsActOnFocusedEditor();
    void autoUpdateRefreshesAfterPageEdits_data();
    void autoUpdateRefreshesAfterPageEdits();
    void insertFile_data();
    void insertFile();
    void pasteFollowsClipboard_data();
    void pasteFollowsClipboard();
    void menusEnableAsTheyOpen_data();
    void menusEnableAsTheyOpen();
    void bookmarks_data();
    void bookmarks();
    void scratchFileLoad_data();
    void scratchFileLoad();
    void scratchFileSave_data();
    void scratchFileSave();
    void toggleInternalClipboard_data();
    void toggleInternalClipboard();
    void printTextView();
    void printDialogChoices_data();
    void printDialogChoices();
    void previewFocused();
    void printBothViews();
    void internalClipboardSurvivesRestart();
    void selectAllKeyFollowsFocus_data();
    void selectAllKeyFollowsFocus();
    void findNextKeyLeavesProjectTreeAlone();
};

void TestEditCommands::commandsActOnFocusedEditor_data()
{
    QTest::addColumn<bool>("spareFocused");
    QTest::addColumn<QList<Command>>("commands");
    QTest::addColumn<QString>("pageText");
    QTest::addColumn<QString>("spareText");
    QTest::addColumn<QString>("clipboard");

    // The page holds "alpha beta" with "beta" selected, the internal
    // clipboard "one two" with "two" selected, the system clipboard "X".
    using C = Command;
    QTest::addRow("cut, internal clipboard focused") << true << QList { C::Cut } << "alpha beta"
                                                     << "one "
                                                     << "two";
    QTest::addRow("cut, page focused") << false << QList { C::Cut } << "alpha "
                                       << "one two"
                                       << "beta";
    QTest::addRow("copy, internal clipboard focused") << true << QList { C::Copy } << "alpha beta"
                                                      << "one two"
                                                      << "two";
    QTest::addRow("copy, page focused") << false << QList { C::Copy } << "alpha beta"
                                        << "one two"
                                        << "beta";
    QTest::addRow("paste, internal clipboard focused") << true << QList { C::Paste } << "alpha beta"
                                                       << "one X"
                                                       << "X";
    QTest::addRow("paste, page focused") << false << QList { C::Paste } << "alpha X"
                                         << "one two"
                                         << "X";
    QTest::addRow("delete, internal clipboard focused")
        << true << QList { C::Delete } << "alpha beta"
        << "one "
        << "X";
    QTest::addRow("delete, page focused") << false << QList { C::Delete } << "alpha "
                                          << "one two"
                                          << "X";
    QTest::addRow("duplicate, internal clipboard focused")
        << true << QList { C::Duplicate } << "alpha beta"
        << "one twotwo"
        << "X";
    QTest::addRow("duplicate, page focused") << false << QList { C::Duplicate } << "alpha betabeta"
                                             << "one two"
                                             << "X";
    QTest::addRow("undo, internal clipboard focused")
        << true << QList { C::Delete, C::Undo } << "alpha beta"
        << "one two"
        << "X";
    QTest::addRow("redo, internal clipboard focused")
        << true << QList { C::Delete, C::Undo, C::Redo } << "alpha beta"
        << "one "
        << "X";
    QTest::addRow("undo, page focused") << false << QList { C::Delete, C::Undo } << "alpha beta"
                                        << "one two"
                                        << "X";
}

void TestEditCommands::commandsActOnFocusedEditor()
{
    QFETCH(bool, spareFocused);
    QFETCH(QList<Command>, commands);
    QFETCH(QString, pageText);
    QFETCH(QString, spareText);
    QFETCH(QString, clipboard);

    Fixture f;
    QVERIFY(f.show());
    f.openPage("alpha beta");
    f.spare->LoadFromText("one two", {});
    Fixture::select(f.page, 1, 6, 10);
    Fixture::select(f.spare, 1, 4, 7);
    QApplication::clipboard()->setText("X");
    (spareFocused ? f.spare : f.page)->setFocus();
    QCOMPARE(f.commands->targetEditor(), spareFocused ? f.spare : f.page);

    for (Command command : commands)
        run(*f.commands, command);

    QCOMPARE(f.page->Text(), pageText);
    QCOMPARE(f.spare->Text(), spareText);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
}

void TestEditCommands::autoUpdateRefreshesAfterPageEdits_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("spareFocused");
    QTest::addColumn<bool>("autoUpdate");
    QTest::addColumn<bool>("refreshed");

    QTest::addRow("cut on the page") << Command::Cut << false << true << true;
    QTest::addRow("cut on the page, no auto update") << Command::Cut << false << false << false;
    QTest::addRow("paste on the page") << Command::Paste << false << true << true;
    QTest::addRow("delete on the page") << Command::Delete << false << true << true;
    QTest::addRow("duplicate on the page") << Command::Duplicate << false << true << true;
    QTest::addRow("copy never refreshes") << Command::Copy << false << true << false;
    QTest::addRow("cut in the internal clipboard") << Command::Cut << true << true << false;
    QTest::addRow("paste in the internal clipboard") << Command::Paste << true << true << false;
}

void TestEditCommands::autoUpdateRefreshesAfterPageEdits()
{
    QFETCH(Command, command);
    QFETCH(bool, spareFocused);
    QFETCH(bool, autoUpdate);
    QFETCH(bool, refreshed);

    Fixture f;
    QVERIFY(f.show());
    f.openPage("alpha beta");
    f.spare->LoadFromText("one two", {});
    Fixture::select(f.page, 1, 0, 5);
    Fixture::select(f.spare, 1, 0, 3);
    QApplication::clipboard()->setText("X");
    f.settings->Defaults.AutoUpdate = autoUpdate;
    (spareFocused ? f.spare : f.page)->setFocus();

    QSignalSpy refresh(f.commands, &EditCommands::refreshPreview);
    run(*f.commands, command);
    QCOMPARE(refresh.count(), refreshed ? 1 : 0);
}

void TestEditCommands::insertFile_data()
{
    QTest::addColumn<QByteArray>("fileBytes"); // empty: the chosen path is a directory
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("pageText");
    QTest::addColumn<bool>("reported");

    QTest::addRow("page text replaces the selection")
        << QByteArray("<b>in</b>\r\nsecond") << false << "alpha <b>in</b>\nsecond gamma" << false;
    QTest::addRow("Windows-1252 bytes")
        << QByteArray("caf\xe9") << false << "alpha café gamma" << false;
    QTest::addRow("cancelled") << QByteArray("x") << true << "alpha beta gamma" << false;
    QTest::addRow("unreadable") << QByteArray() << false << "alpha beta gamma" << true;
}

void TestEditCommands::insertFile()
{
    QFETCH(QByteArray, fileBytes);
    QFETCH(bool, cancel);
    QFETCH(QString, pageText);
    QFETCH(bool, reported);

    Fixture f;
    QVERIFY(f.show());
    f.openPage("alpha beta gamma");
    Fixture::select(f.page, 1, 6, 10);
    f.spare->LoadFromText("kept text", {});
    f.spare->ReplaceSelection("my "); // an edit of its own, with undo history
    Fixture::select(f.spare, 1, 3, 7);

    QString chosen = f.home() + "insert";
    if (fileBytes.isEmpty())
        QVERIFY(QDir().mkpath(chosen));
    else
        f.file("insert", fileBytes);
    if (cancel)
        f.prompter.cancelNextFile();
    else
        f.prompter.answerFile(chosen);

    f.commands->InsertFile1Click();

    QCOMPARE(f.page->Text(), pageText);
    QCOMPARE(f.prompter.messages().size(), reported ? 1 : 0);
    QCOMPARE(f.prompter.fileRequests().size(), 1);
    QCOMPARE(f.prompter.fileRequests().at(0).filter,
             "HTM Files|*.htm|HTML Files|*.html|Graphics|*.gif;*.jpg|Executable|*.exe|Frame "
             "Settings|*.set|JavaClass|*.class");
    // The internal clipboard keeps its text, selection, undo history and file.
    QCOMPARE(f.spare->Text(), "my kept text");
    QCOMPARE(f.spare->GetSelText(), "kept");
    QVERIFY(f.spare->CanUndo());
    QVERIFY(!QFileInfo::exists(f.commands->scratchPath()));
}

void TestEditCommands::pasteFollowsClipboard_data()
{
    QTest::addColumn<bool>("pageOpen");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("pasteEnabled");

    QTest::addRow("text on the clipboard") << true << "some text" << true;
    QTest::addRow("one character") << true << "x" << true;
    QTest::addRow("empty clipboard") << true << "" << false;
    QTest::addRow("no page open") << false << "some text" << false;
}

void TestEditCommands::pasteFollowsClipboard()
{
    QFETCH(bool, pageOpen);
    QFETCH(QString, clipboard);
    QFETCH(bool, pasteEnabled);

    Fixture f;
    QVERIFY(f.show());
    if (pageOpen)
        f.openPage("alpha");
    QApplication::clipboard()->setText(pageOpen ? "stale" : "");
    QSignalSpy buttons(f.commands, &EditCommands::clipboardButtonsChanged);

    // A change of the clipboard alone updates the tool button.
    QApplication::clipboard()->setText(clipboard);
    QVERIFY(!buttons.isEmpty());
    QCOMPARE(buttons.last().at(1).toBool(), pasteEnabled);

    emit f.editMenu.aboutToShow();
    QCOMPARE(f.commands->actions().paste->isEnabled(), pasteEnabled);
    // The pop-up also serves the internal clipboard, which works without a page.
    f.commands->Edit1Click();
    QCOMPARE(f.commands->actions().popupPaste->isEnabled(), !clipboard.isEmpty());
}

void TestEditCommands::menusEnableAsTheyOpen_data()
{
    QTest::addColumn<bool>("pageOpen");
    QTest::addColumn<bool>("pageSelection");
    QTest::addColumn<bool>("spareFocused");
    QTest::addColumn<bool>("spareSelection");
    QTest::addColumn<QStringList>("enabled");

    const QStringList always = { "undo", "redo", "insertFile", "selectAll", "paste", "other" };
    const QStringList selection = { "cut", "copy", "delete", "duplicate" };
    const QStringList search
        = { "find", "findNext", "replace", "goToLine", "print", "printerSetup" };

    QTest::addRow("no page open") << false << false << false << false << QStringList();
    QTest::addRow("page open, nothing selected")
        << true << false << false << false << always + search;
    QTest::addRow("page open, page selection")
        << true << true << false << false
        << always + selection + QStringList { "rainbow" } + search;
    QTest::addRow("internal clipboard focused with a selection")
        << true << false << true << true << always + selection + search;
    QTest::addRow("internal clipboard focused, page selection only")
        << true << true << true << false << always + search;
}

void TestEditCommands::menusEnableAsTheyOpen()
{
    QFETCH(bool, pageOpen);
    QFETCH(bool, pageSelection);
    QFETCH(bool, spareFocused);
    QFETCH(bool, spareSelection);
    QFETCH(QStringList, enabled);

    Fixture f;
    // Items of other features in the same menus follow the same rules.
    QAction *other = f.editMenu.addAction("Strip HTML Codes");
    QAction *rainbow = f.editMenu.addAction("Rainbowize Text...");
    f.commands->enableWithPageSelection(rainbow);
    QVERIFY(f.show());
    if (pageOpen)
        f.openPage("alpha beta");
    f.spare->LoadFromText("one two", {});
    if (pageSelection)
        Fixture::select(f.page, 1, 0, 5);
    if (spareSelection)
        Fixture::select(f.spare, 1, 0, 3);
    QApplication::clipboard()->setText("X");
    (spareFocused ? f.spare : f.page)->setFocus();

    QMenu pageMenu;
    QAction *evaluate = pageMenu.addAction("&Evaluate...");
    QAction *browser = pageMenu.addAction("&Browser 1 Unselected");
    f.commands->watchMenu(&pageMenu, { evaluate });

    QSignalSpy opening(f.commands, &EditCommands::menuOpening);
    emit f.fileMenu.aboutToShow();
    emit f.editMenu.aboutToShow();
    emit f.searchMenu.aboutToShow();
    emit pageMenu.aboutToShow();
    QCOMPARE(opening.count(), 4);
    QCOMPARE(evaluate->isEnabled(), pageOpen);
    QVERIFY(browser->isEnabled()); // not in its care

    const EditCommands::Actions &a = f.commands->actions();
    const QList<std::pair<const char *, QAction *>> named = {
        { "undo", a.undo },
        { "redo", a.redo },
        { "insertFile", a.insertFile },
        { "selectAll", a.selectAll },
        { "paste", a.paste },
        { "other", other },
        { "cut", a.cut },
        { "copy", a.copy },
        { "delete", a.deleteSel },
        { "duplicate", a.duplicate },
        { "rainbow", rainbow },
        { "find", a.find },
        { "findNext", a.findNext },
        { "replace", a.replace },
        { "goToLine", a.goToLine },
        { "print", a.print },
        { "printerSetup", a.printerSetup },
    };
    QStringList expected;
    for (const auto &[name, action] : named)
        if (enabled.contains(QLatin1String(name)))
            expected << QLatin1String(name);
    QCOMPARE(enabledOf(named), expected);
}

void TestEditCommands::bookmarks_data()
{
    QTest::addColumn<int>("selectFromLine"); // 0: no selection
    QTest::addColumn<bool>("byKeys");
    QTest::addColumn<int>("bookmark");

    QTest::addRow("caret on line 10") << 0 << false << 3;
    QTest::addRow("selection from line 5 to the caret on line 10") << 5 << false << 3;
    QTest::addRow("Ctrl+3 and Ctrl+Shift+3") << 0 << true << 3;
    QTest::addRow("the last one, 16, from the pop-up menu") << 0 << false << 16;
}

void TestEditCommands::bookmarks()
{
    QFETCH(int, selectFromLine);
    QFETCH(bool, byKeys);
    QFETCH(int, bookmark);

    Fixture f;
    QVERIFY(f.show());
    QByteArray text;
    for (int line = 1; line <= 20; ++line)
        text += "line number " + QByteArray::number(line) + "\n";
    f.openPage(text);
    f.page->setFocus();
    f.page->StartLine = selectFromLine > 0 ? selectFromLine : 10;
    f.page->StartPos = 2;
    f.page->EndLine = 10;
    f.page->EndPos = 4;
    f.page->ApplySelection();

    // The pop-up menu's items, as the user picks them.
    const EditCommands::Actions &actions = f.commands->actions();
    QCOMPARE(actions.setBookmark.size(), 16);
    QCOMPARE(actions.setBookmark.at(bookmark - 1)->text(), QString::number(bookmark));
    if (byKeys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_0 + bookmark, Qt::ControlModifier);
    else
        actions.setBookmark.at(bookmark - 1)->trigger();
    QCOMPARE(f.page->BookmarkLine(bookmark), 10);

    Fixture::select(f.page, 1, 0, 0);
    if (byKeys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_0 + bookmark,
                        Qt::ControlModifier | Qt::ShiftModifier);
    else
        actions.gotoBookmark.at(bookmark - 1)->trigger();
    QCOMPARE(f.page->GetSelText(), "line number 10");
    f.page->ReadSelection();
    QCOMPARE(f.page->StartLine, 10);
    QCOMPARE(f.page->StartPos, 0);
    QCOMPARE(f.page->EndLine, 10);
    QCOMPARE(f.page->EndPos, 14);
}

void TestEditCommands::scratchFileLoad_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file; empty: a directory in its place
    QTest::addColumn<QString>("spareText");
    QTest::addColumn<QStringList>("messages");

    QTest::addRow("file there") << QByteArray("kept\r\nfrom last time") << "kept\nfrom last time"
                                << QStringList();
    QTest::addRow("no file") << QByteArray() << "" << QStringList();
    QTest::addRow("unreadable") << QByteArray(
        "") << "" << QStringList { "Exception occured during LoadSpareEditorContents!" };
}

void TestEditCommands::scratchFileLoad()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, spareText);
    QFETCH(QStringList, messages);

    Fixture f;
    if (!content.isNull() && content.isEmpty())
        QVERIFY(QDir().mkpath(f.commands->scratchPath()));
    else if (!content.isNull())
        f.file("scratch.txt", content);

    f.commands->LoadSpareEditorContents();
    QCOMPARE(f.spare->Text(), spareText);
    QCOMPARE(f.prompter.texts(), messages);

    // Nothing typed: an unreadable file is not replaced by an empty one.
    QVERIFY(f.commands->SaveSpareEditorContents());
    QCOMPARE(QFileInfo::exists(f.commands->scratchPath()), !content.isNull());
}

void TestEditCommands::scratchFileSave_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QString>("spareText");
    QTest::addColumn<bool>("failing");
    QTest::addColumn<QByteArray>("after"); // null: no file

    QTest::addRow("text written") << QByteArray() << "new text\nline 2" << false
                                  << QByteArray("new text\nline 2");
    QTest::addRow("line ends of the file kept")
        << QByteArray("old\r\n") << "a\nb" << false << QByteArray("a\r\nb");
    QTest::addRow("emptied clipboard empties the file")
        << QByteArray("old") << "" << false << QByteArray("");
    QTest::addRow("empty clipboard, no file made") << QByteArray() << "" << false << QByteArray();
    QTest::addRow("failed write keeps the old file")
        << QByteArray("old text") << QString(100000, 'x') << true << QByteArray("old text");
}

void TestEditCommands::scratchFileSave()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, spareText);
    QFETCH(bool, failing);
    QFETCH(QByteArray, after);

    Fixture f;
    if (!before.isNull())
        f.file("scratch.txt", before);
    f.commands->LoadSpareEditorContents();
    f.spare->SetText(spareText);

    Result saved = Result::success();
    {
        std::optional<FileSizeLimit> limit;
        if (failing)
            limit.emplace(4096);
        saved = f.commands->SaveSpareEditorContents();
    }
    QCOMPARE(bool(saved), !failing);
    QCOMPARE(f.prompter.messages().size(), failing ? 1 : 0);
    if (failing)
        QCOMPARE(f.prompter.messages().at(0).kind, Prompter::Kind::Error);
    QCOMPARE(QFileInfo::exists(f.commands->scratchPath()), !after.isNull());
    if (!after.isNull())
        QCOMPARE(TestEnvironment::readFile(f.commands->scratchPath()), after);
}

void TestEditCommands::toggleInternalClipboard_data()
{
    QTest::addColumn<bool>("helperFlag");
    QTest::addRow("helper tip wanted") << true;
    QTest::addRow("helper tip turned off") << false;
}

void TestEditCommands::toggleInternalClipboard()
{
    QFETCH(bool, helperFlag);

    Fixture f;
    QVERIFY(f.show());
    f.settings->Helpers.InternalClipboard = helperFlag;
    QList<int> tips;
    f.commands->setHelperTipHook([&tips](int tip) { tips << tip; });
    const int filePane = f.splitter->sizes().at(0);
    const int total = filePane + f.splitter->sizes().at(1);
    QCOMPARE(f.splitter->sizes().at(2), 0);

    f.commands->toggleInternalClipboardAction()->trigger();
    QVERIFY(f.commands->toggleInternalClipboardAction()->isChecked());
    const QList<int> shown = f.splitter->sizes();
    // The internal clipboard takes the right quarter; the file pane keeps its width.
    QVERIFY2(qAbs(shown.at(2) - total / 4) <= 2, qPrintable(QString::number(shown.at(2))));
    QCOMPARE(shown.at(0), filePane);

    f.spare->setFocus();
    f.commands->toggleInternalClipboardAction()->trigger();
    QVERIFY(!f.commands->toggleInternalClipboardAction()->isChecked());
    QCOMPARE(f.commands->targetEditor(), f.page);
    QCOMPARE(f.splitter->sizes().at(2), 0);
    QCOMPARE(f.splitter->sizes().at(0), filePane);
    const QList<int> expectedTips = helperFlag ? QList<int> { 8, 8 } : QList<int>();
    QCOMPARE(tips, expectedTips);
}

void TestEditCommands::printTextView()
{
    Fixture f;
    f.openPage("<p>printed page</p>\n");
    f.spare->LoadFromText("clipboard text", {});
    const QString pdf = f.dir.filePath("text.pdf");
    QStringList captions;
    f.commands->setPrinterChooser([&](QPrinter *printer, const QString &caption) {
        captions << caption;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return true;
    });

    // Without a preview the graphic view prints nothing; both views print the text.
    f.commands->printViews(PrintDialog::Choice::Graphic);
    QVERIFY(captions.isEmpty());
    f.commands->printViews(PrintDialog::Choice::Both);
    QCOMPARE(captions, QStringList { "Print Text View" });
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(f.prompter.messages().isEmpty());
    QCOMPARE(f.spare->Text(), "clipboard text");
    QVERIFY(!QFileInfo::exists(f.commands->scratchPath()));

    // Cancelling the printer choice prints nothing.
    QFile::remove(pdf);
    f.commands->setPrinterChooser([](QPrinter *, const QString &) { return false; });
    f.commands->printViews(PrintDialog::Choice::Text);
    QVERIFY(!QFileInfo::exists(pdf));
}

void TestEditCommands::printDialogChoices_data()
{
    QTest::addColumn<bool>("graphicAvailable");
    QTest::addColumn<PrintDialog::Choice>("preset");
    QTest::addColumn<PrintDialog::Choice>("choice");

    using C = PrintDialog::Choice;
    QTest::addRow("graphic view first") << true << C::Graphic << C::Graphic;
    QTest::addRow("both views") << true << C::Both << C::Both;
    QTest::addRow("no preview: text view") << false << C::Graphic << C::Text;
    QTest::addRow("no preview: both refused") << false << C::Both << C::Text;
}

void TestEditCommands::printDialogChoices()
{
    QFETCH(bool, graphicAvailable);
    QFETCH(PrintDialog::Choice, preset);
    QFETCH(PrintDialog::Choice, choice);

    PrintDialog dialog(graphicAvailable);
    dialog.setChoice(preset);
    QCOMPARE(dialog.choice(), choice);
    const QList<QRadioButton *> buttons = dialog.findChildren<QRadioButton *>();
    QCOMPARE(buttons.size(), 3);
    QCOMPARE(buttons.at(0)->text(), "Graphic View");
    QCOMPARE(buttons.at(0)->isEnabled(), graphicAvailable);
    QCOMPARE(buttons.at(2)->isEnabled(), graphicAvailable);
    QVERIFY(buttons.at(1)->isEnabled());
}

void TestEditCommands::previewFocused()
{
    Fixture f;
    Renderer *preview = f.addPreview("<p id=p>rendered <b>words</b></p>");
    QVERIFY(preview);
    QVERIFY(f.show());
    f.openPage("<p id=p>rendered <b>words</b></p>");
    f.page->SelectAll();
    QApplication::clipboard()->setText("X");
    preview->findChild<QWebEngineView *>()->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return preview->isAncestorOf(QApplication::focusWidget()); }));

    // No selection in the preview: the whole Edit menu is off.
    emit f.editMenu.aboutToShow();
    for (QAction *action : f.editMenu.actions())
        QVERIFY2(action->isSeparator() || !action->isEnabled(), qPrintable(action->text()));

    QVERIFY(Fixture::selectInPreview(
        preview, "getSelection().selectAllChildren(document.getElementById('p'))"));
    emit f.editMenu.aboutToShow();
    QVERIFY(f.commands->actions().copy->isEnabled());
    QVERIFY(!f.commands->actions().cut->isEnabled());
    QVERIFY(!f.commands->actions().paste->isEnabled());

    // Copy takes the rendered text, not the source.
    f.commands->Copy1Click();
    QCOMPARE(QApplication::clipboard()->text(), "rendered words");

    // The same holds for the full-screen preview when it has the focus.
    auto *full = new Renderer(&f.window);
    f.window.layout()->addWidget(full);
    f.commands->setFullScreenPreview(full);
    QSignalSpy loaded(full, &Renderer::loadFinished);
    full->LoadFromBuffer("<p id=q>full screen text</p>", f.dir.path());
    QVERIFY(loaded.wait(Tarnwick::TestEnvironment::signalBound));
    full->findChild<QWebEngineView *>()->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return full->isAncestorOf(QApplication::focusWidget()); }));
    QVERIFY(Fixture::selectInPreview(
        full, "getSelection().selectAllChildren(document.getElementById('q'))"));
    emit f.editMenu.aboutToShow();
    QVERIFY(f.commands->actions().copy->isEnabled());
    f.commands->Copy1Click();
    QCOMPARE(QApplication::clipboard()->text(), "full screen text");
}

void TestEditCommands::printBothViews()
{
    Fixture f;
    QVERIFY(f.show());
    Renderer *preview = f.addPreview("<h1>Graphic</h1>");
    QVERIFY(preview);
    f.openPage("<h1>Text</h1>\n");
    QStringList captions;
    QStringList files;
    f.commands->setPrinterChooser([&](QPrinter *printer, const QString &caption) {
        captions << caption;
        files << f.dir.filePath(QString::number(files.size()) + ".pdf");
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(files.last());
        return true;
    });

    f.commands->printViews(PrintDialog::Choice::Both);
    QVERIFY(QTest::qWaitFor([&] { return files.size() == 2 && QFileInfo(files.at(1)).size() > 0; },
                            Tarnwick::TestEnvironment::signalBound));
    QCOMPARE(captions, (QStringList { "Print Graphic View", "Print Text View" }));
    QVERIFY(TestEnvironment::readFile(files.at(1)).startsWith("%PDF"));
    // The text view follows even when the graphic view failed, and a failure
    // is told, never passed over.
    if (f.prompter.messages().isEmpty())
        QVERIFY(TestEnvironment::readFile(files.at(0)).startsWith("%PDF"));
    else
        QCOMPARE(f.prompter.texts(), QStringList { "The graphic view could not be printed." });
}

void TestEditCommands::internalClipboardSurvivesRestart()
{
    Session s;
    s.file("scratch.txt", "from last time");
    MainWindow &w = s.start();
    QCOMPARE(w.spareEditor()->Text(), "from last time");
    QCOMPARE(w.spareEditor()->objectName(), "SpareEditor");
    w.spareEditor()->SetText("changed\nin this run");
    QVERIFY(w.close());
    QCOMPARE(TestEnvironment::readFile(s.home() + "scratch.txt"), "changed\nin this run");
    QVERIFY(s.prompter.messages().isEmpty());
}

void TestEditCommands::selectAllKeyFollowsFocus_data()
{
    QTest::addColumn<bool>("spareFocused");
    QTest::addRow("internal clipboard focused") << true;
    QTest::addRow("page focused") << false;
}

void TestEditCommands::selectAllKeyFollowsFocus()
{
    QFETCH(bool, spareFocused);

    Session s;
    const QString page = s.file("page.htm", "<p>page text</p>");
    s.file("scratch.txt", "clipboard text");
    MainWindow &w = s.start();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.openPages()->LoadFile(page, false));
    EditorControl *focused = spareFocused ? w.spareEditor() : w.editor();
    EditorControl *other = spareFocused ? w.editor() : w.spareEditor();
    focused->setFocus();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(focused->GetSelText(), focused->Text());
    QCOMPARE(other->SelLength(), 0);
    w.openPages()->CloseAllPages();
}

void TestEditCommands::findNextKeyLeavesProjectTreeAlone()
{
    Session s;
    const QString readme = s.file("Welcome/readme.htm", "<p>Welcome</p>");
    const QString other = s.file("other.htm", "<p>other</p>");
    MainWindow &w = s.start();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.openPages()->LoadFile(other, false)); // Find Next is on from now
    w.findChild<QTabWidget *>("FileTabs")->setCurrentIndex(0);
    ProjectOutline *tree = w.projectTree();
    tree->expandAll();
    tree->setCurrentItem(tree->topLevelItem(0)->child(1)); // "Readme File - readme.htm"
    tree->setFocus();

    QTest::keyClick(tree, Qt::Key_F3);
    QCOMPARE(w.openPages()->count(), 2);
    QCOMPARE(w.openPages()->currentFileName(), readme);
    w.openPages()->CloseAllPages();
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestEditCommands test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_editcommands.moc"
