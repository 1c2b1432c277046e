// SPDX-License-Identifier: GPL-3.0-or-later
// The tag tools in the main window: menus, keys, tool notebook and lights.
#include "app/mainwindow.h"
#include "app/openpages.h"
#include "app/settings.h"
#include "app/tips.h"
#include "mainwindowsession.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "tags/ewspanel.h"
#include "tags/powerbook.h"
#include "tags/tagawareediting.h"
#include "tags/tagcommands.h"
#include "testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

using Session = MainWindowSession;

} // namespace

class TestTagTools final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void menusAndNotebook();
    void keysWithTheEditorFocused_data();
    void keysWithTheEditorFocused();
    void checkCursorPositionKey();
    void nothingInFullScreen();
    void lightsOffByTheSettings();
    void tabSwitchChecksThePosition();
};

void TestTagTools::menusAndNotebook()
{
    Session s;
    const QString page = s.file("page.htm", "<p>x</p>");
    MainWindow &w = s.start();
    QStringList menus;
    for (QAction *a : w.menuBar()->actions())
        menus << a->text();
    const qsizetype pageMenu = menus.indexOf("&Page");
    QVERIFY(pageMenu >= 0);
    QCOMPARE(menus.mid(pageMenu, 4),
             QStringList({ "&Page", "&Insert", "HTML &Codes", "&Options" }));

    auto *book = w.findChild<PowerBook *>("PowerBook");
    QVERIFY(book);
    QVERIFY(!book->isVisible());
    QVERIFY(w.openPages()->LoadFile(page, false));
    QVERIFY(book->isVisible());
    QStringList pages;
    for (int i = 0; i < book->count(); ++i)
        pages << book->tabText(i);
    QCOMPARE(pages,
             QStringList({ "Font", "Special", "Format", "Lists", "Tables", "Images", "Links",
                           "Forms", "Templates", "ASP", "Custom 1", "Custom 2", "Custom 3", "Custom 4" }));
    QVERIFY(w.findChild<EWSPanel *>("EWSPanel")->isVisible());
    w.openPages()->CloseAllPages();
    QVERIFY(!book->isVisible());
}

void TestTagTools::keysWithTheEditorFocused_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("result");
    QTest::addRow("Ctrl+Shift+B Bold")
        << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B) << "a<B>word</B> b";
    QTest::addRow("Ctrl+Shift+I Italics")
        << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I) << "a<I>word</I> b";
    QTest::addRow("Ctrl+Shift+U Underline, not upper case")
        << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U) << "a<U>word</U> b";
    QTest::addRow("Ctrl+Shift+C Center")
        << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C) << "a<CENTER>word</CENTER> b";
    QTest::addRow("Ctrl+B Horizontal Bar") << QKeySequence(Qt::CTRL | Qt::Key_B) << "a<HR> b";
    QTest::addRow("Ctrl+P paragraph") << QKeySequence(Qt::CTRL | Qt::Key_P) << "a<P>\n b";
    QTest::addRow("Ctrl+Alt+Space nbsp")
        << QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Space) << "a&nbsp; b";
}

void TestTagTools::keysWithTheEditorFocused()
{
    QFETCH(QKeySequence, key);
    QFETCH(QString, result);
    Session s;
    const QString page = s.file("page.htm", "aword b");
    MainWindow &w = s.start();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.openPages()->LoadFile(page, false));
    EditorControl *editor = w.editor();
    editor->setFocus();
    editor->StartLine = editor->EndLine = 1;
    editor->StartPos = 1;
    editor->EndPos = 5;
    editor->ApplySelection();
    QTest::keySequence(QApplication::focusWidget(), key);
    QCOMPARE(editor->Text(), result);
}

void TestTagTools::checkCursorPositionKey()
{
    Session s;
    const QString page = s.file("page.htm", "<body>a</body>b</body>");
    MainWindow &w = s.start();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.openPages()->LoadFile(page, false));
    w.editor()->setFocus();
    QVERIFY(s.prompter.messages().isEmpty());
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_F5));
    QCOMPARE(s.prompter.texts(), QStringList { TagAwareEditing::twoClosingsWarning() });
}

void TestTagTools::nothingInFullScreen()
{
    Session s;
    const QString page = s.file("page.htm", "aword b");
    MainWindow &w = s.start();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.openPages()->LoadFile(page, false));
    QAction *fullView = nullptr;
    for (QAction *a : w.menuBar()->actions())
        if (a->shortcut() == QKeySequence(Qt::Key_F6))
            fullView = a;
    QVERIFY(fullView);
    fullView->trigger();
    QVERIFY(!w.editor()->isVisible());
    QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::Key_B));
    QTest::keySequence(&w, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
    QCOMPARE(w.editor()->Text(), QString("aword b"));
}

void TestTagTools::lightsOffByTheSettings()
{
    Session s;
    {
        QSettings stored(s.settingsFile(), QSettings::IniFormat);
        stored.setValue("Defaults/UseEWS", 0);
    }
    const QString page = s.file("page.htm", "<body><b>x</b></body>");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(page, false));
    QVERIFY(!w.findChild<EWSPanel *>("EWSPanel")->isVisible());
    QVERIFY(!w.tagCommands()->tagAwareEditing()->hooked());
}

void TestTagTools::tabSwitchChecksThePosition()
{
    Session s;
    const QString first = s.file("first.htm", "<body>a</body>b</body>");
    const QString second = s.file("second.htm", "<body>plain</body>");
    MainWindow &w = s.start();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.openPages()->LoadFile(first, false));
    QVERIFY(w.openPages()->LoadFile(second, false));
    QVERIFY(s.prompter.messages().isEmpty()); // opening a page is no click
    auto *tabs = w.findChild<QTabBar *>("WebPageTabBar");
    tabs->setCurrentIndex(0);
    QCOMPARE(w.editor()->Text(), QString("<body>a</body>b</body>"));
    QCOMPARE(s.prompter.messages().size(), 1);
    QCOMPARE(s.prompter.messages().first().text, TagAwareEditing::twoClosingsWarning());
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestTagTools test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_tagtools.moc"
