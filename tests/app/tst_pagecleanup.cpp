// SPDX-License-Identifier: GPL-3.0-or-later
// The page clean-up tools in the main window: menus, keys and the stamp on save.
#include "app/mainwindow.h"
#include "app/openpages.h"
#include "app/settings.h"
#include "app/tips.h"
#include "mainwindowsession.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "tags/editorcursor.h"
#include "testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

using Session = MainWindowSession;

QMenu *menu(MainWindow &w, const QString &title)
{
    for (QAction *a : w.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

QStringList captions(QMenu *menu)
{
    QStringList texts;
    for (QAction *a : menu->actions())
        if (!a->isSeparator())
            texts << a->text();
    return texts;
}

} // namespace

class TestPageCleanup final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void menus();
    void updateKey();
    void stampOnSave_data();
    void stampOnSave();
};

void TestPageCleanup::menus()
{
    Session s;
    const QString page = s.file("page.htm", "<p>x</p>");
    MainWindow &w = s.start();
    QMenu *edit = menu(w, "&Edit");
    QVERIFY(edit);
    const QStringList items = captions(edit);
    for (const char *caption : { "Strip HTML Codes", "Remove Invalid Colors Tags...", "&Title...",
                                 "Insert Standard Tags", "Update Last Modified Tag",
                                 "&Body Statement...", "SafeSurf Rating", "Rainbowize Text..." })
        QVERIFY2(items.contains(caption), caption);
    QMenu *codes = menu(w, "HTML &Codes");
    QVERIFY(codes);
    QMenu *dates = nullptr;
    for (QAction *a : codes->actions())
        if (a->text() == "Current &Date/Time")
            dates = a->menu();
    QVERIFY(dates);
    QCOMPARE(captions(dates), QStringList({ "Date", "Time", "Date/Time" }));
    QVERIFY(!dates->menuAction()->isEnabled());
    QVERIFY(w.openPages()->LoadFile(page, false));
    QVERIFY(dates->menuAction()->isEnabled());
    for (QAction *a : dates->actions())
        QVERIFY(a->isEnabled());
}

void TestPageCleanup::updateKey()
{
    Session s;
    const QString page = s.file("page.htm", "<BODY>\nx\n</BODY>");
    MainWindow &w = s.start();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.openPages()->LoadFile(page, false));
    w.editor()->setFocus();
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_M));
    const QString text = w.editor()->Text();
    QVERIFY2(text.startsWith("<BODY>\nx\n<PAGEMODIFIED>"), qPrintable(text));
    QVERIFY(text.endsWith("</PAGEMODIFIED></BODY>"));
}

void TestPageCleanup::stampOnSave_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("autoTimeStamp");
    QTest::addColumn<bool>("stamped");

    QTest::addRow("on: stamped") << QByteArray("<BODY>\nsome text\n</BODY>") << true << true;
    QTest::addRow("off: not stamped") << QByteArray("<BODY>\nsome text\n</BODY>") << false << false;
    QTest::addRow("on, no body: saved unchanged")
        << QByteArray("p {\n color: red }\n") << true << false;
}

void TestPageCleanup::stampOnSave()
{
    QFETCH(QByteArray, page);
    QFETCH(bool, autoTimeStamp);
    QFETCH(bool, stamped);
    Session s;
    const QString path = s.file("page.htm", page);
    MainWindow &w = s.start();
    s.settings->Defaults.AutoTimeStamp = autoTimeStamp;
    QVERIFY(w.openPages()->LoadFile(path, false));
    EditorControl *editor = w.editor();
    EditorCursor::SetEditorSelection(*editor, 2, 1, 3, 2);
    editor->SetModified(true);
    QVERIFY(w.openPages()->Save1Click());
    const QByteArray saved = TestEnvironment::readFile(path);
    QCOMPARE(saved.contains("<PAGEMODIFIED>"), stamped);
    if (stamped)
        QVERIFY(saved.startsWith("<BODY>\nsome text\n<PAGEMODIFIED>"));
    else
        QCOMPARE(saved, page);
    editor->ReadSelection();
    QCOMPARE(QList<int>({ editor->StartLine, editor->StartPos, editor->EndLine, editor->EndPos }),
             QList<int>({ 2, 1, 2, 3 }));
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestPageCleanup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_pagecleanup.moc"
