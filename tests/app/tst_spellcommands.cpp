// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editcommands.h"
#include "app/spellcommands.h"
#include "app/tips.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "spell/dctbuilder.h"
#include "spell/spellingdialog.h"

#include "mainwindowsession.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace Tarnwick;

namespace {

// A main window whose program directory holds a small English dictionary.
struct SpellSession : MainWindowSession
{
    MainWindow &startWithPage(const QByteArray &pageText)
    {
        MainWindow &w = start();
        startWithPageOn(w, pageText);
        return w;
    }
    // The dictionary and the page, on a window already started.
    void startWithPageOn(MainWindow &w, const QByteArray &pageText)
    {
        DctBuilder english;
        english.addWords({ "the", "page", "clipboard", "thing" });
        if (!english.write(home() + QStringLiteral("ENGLISH.DCT")))
            qFatal("cannot write the dictionary");
        w.openPages()->LoadFile(file(QStringLiteral("page.htm"), pageText), false);
    }
    SpellCommands *commands() const { return window->findChild<SpellCommands *>(); }
    ~SpellSession()
    {
        if (window)
            window->editor()->SetModified(false); // nothing to ask when the page closes
    }
};

} // namespace

class tst_SpellCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void menuItemAndButton();
    void checksTheFocusedEditor_data();
    void checksTheFocusedEditor();
    void settingsReachTheChecker();
    void previewShowsTheReplacements_data();
    void previewShowsTheReplacements();
    void dictionaryNames_data();
    void dictionaryNames();
};

void tst_SpellCommands::menuItemAndButton()
{
    SpellSession s;
    MainWindow &w = s.start();
    QAction *action = s.commands()->spellCheckAction();
    QCOMPARE(action->text(), QStringLiteral("Spell Check..."));
    QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QMenu *search = nullptr;
    for (QAction *menu : w.menuBar()->actions())
        if (menu->text() == QLatin1String("&Search"))
            search = menu->menu();
    QVERIFY(search);
    QVERIFY(search->actions().contains(action));

    auto *button = w.findChild<QToolButton *>(QStringLiteral("SpellBtn"));
    QVERIFY(button);
    QCOMPARE(button->toolTip(), QStringLiteral("Spell Checker"));
    auto *paste = w.findChild<QToolButton *>(QStringLiteral("PasteBtn"));
    auto *row = qobject_cast<QBoxLayout *>(paste->parentWidget()->layout());
    QCOMPARE(row->indexOf(button), row->indexOf(paste) + 1);
    QVERIFY(!action->isEnabled());
    QVERIFY(!button->isEnabled());

    QVERIFY(w.openPages()->LoadFile(s.file(QStringLiteral("a.htm"), "text"), false));
    QVERIFY(action->isEnabled());
    QVERIFY(button->isEnabled());
    w.openPages()->CloseAllPages();
    QVERIFY(!button->isEnabled());
}

void tst_SpellCommands::checksTheFocusedEditor_data()
{
    QTest::addColumn<bool>("clipboardFocused");
    QTest::addColumn<QString>("pageText");
    QTest::addColumn<QString>("clipboardText");
    QTest::addRow("internal clipboard") << true << "teh page"
                                        << "the clipboard";
    QTest::addRow("page editor") << false << "the page"
                                 << "teh clipbord";
}

void tst_SpellCommands::checksTheFocusedEditor()
{
    QFETCH(bool, clipboardFocused);
    QFETCH(QString, pageText);
    QFETCH(QString, clipboardText);
    SpellSession s;
    MainWindow &w = s.startWithPage("teh page");
    QVERIFY(QTest::qWaitForWindowActive(&w));
    s.commands()->applySettings();
    SpellingDialog *dialog = s.commands()->checker().dialog();
    QStringList asked;
    connect(dialog, &SpellingDialog::asking, dialog, [dialog, &asked](const QString &word) {
        asked << word;
        dialog->replacementBox()->setText(
            word == QLatin1String("teh") ? QStringLiteral("the") : QStringLiteral("clipboard"));
        dialog->replaceButton()->click();
    });
    EditorControl *spare = w.spareEditor();
    spare->SetText(QStringLiteral("teh clipbord"));
    w.editCommands()->toggleInternalClipboardAction()->trigger();
    (clipboardFocused ? spare : w.editor())->setFocus();
    QVERIFY(QTest::qWaitFor([&] {
        return w.editCommands()->targetEditor() == (clipboardFocused ? spare : w.editor());
    }));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(asked, clipboardFocused ? (QStringList { "teh", "clipbord" }) : QStringList { "teh" });
    QCOMPARE(w.editor()->Text(), pageText);
    QCOMPARE(spare->Text(), clipboardText);
    QCOMPARE(s.prompter.texts(), QStringList { "Spell checking complete." });
}

void tst_SpellCommands::settingsReachTheChecker()
{
    SpellSession s;
    MainWindow &w = s.startWithPage("the pagge");
    s.settings->Spelling.Language = 7; // Legal: no such dictionary here
    s.settings->Spelling.DialogStyle = 1;
    s.commands()->SpellCheckClick();
    QCOMPARE(s.prompter.texts(),
             QStringList { QStringLiteral("Error opening dictionary ") + s.home() + "Legal.dct" });
    QCOMPARE(s.commands()->checker().dialog()->style(), SpellDialogStyle::WordPerfect);

    s.prompter.clear();
    s.settings->Spelling.Language = 0;
    s.settings->Spelling.DialogStyle = 2;
    SpellingDialog *dialog = s.commands()->checker().dialog();
    QCOMPARE(dialog->style(), SpellDialogStyle::WordPerfect); // replaced at the next check
    QStringList asked;
    s.commands()->applySettings();
    dialog = s.commands()->checker().dialog();
    QCOMPARE(dialog->style(), SpellDialogStyle::WordPro96);
    QCOMPARE(dialog->parentWidget(), &w);
    connect(dialog, &SpellingDialog::asking, dialog, [dialog, &asked](const QString &word) {
        asked << word;
        dialog->close();
    });
    s.commands()->SpellCheckClick();
    QCOMPARE(asked, QStringList { "pagge" });
    QCOMPARE(s.prompter.texts(), QStringList());
}

void tst_SpellCommands::previewShowsTheReplacements_data()
{
    QTest::addColumn<QString>("pageText");
    QTest::addColumn<QString>("shown");
    QTest::addRow("run completed") << "teh page"
                                   << "the page";
    QTest::addRow("cancelled after a change") << "teh pagge"
                                              << "the pagge";
}

void tst_SpellCommands::previewShowsTheReplacements()
{
    QFETCH(QString, pageText);
    QFETCH(QString, shown);
    SpellSession s;
    MainWindow &w = s.start();
    auto *preview = w.findChild<Renderer *>(QStringLiteral("HTMLSplit"));
    QVERIFY(preview);
    QSignalSpy loaded(preview, &Renderer::loadFinished);
    s.startWithPageOn(w, pageText.toUtf8());
    QVERIFY(loaded.wait(TestEnvironment::signalBound));
    QTRY_VERIFY_WITH_TIMEOUT(!preview->Busy(), TestEnvironment::signalBound);
    loaded.clear();

    s.commands()->applySettings();
    SpellingDialog *dialog = s.commands()->checker().dialog();
    connect(dialog, &SpellingDialog::asking, dialog, [dialog](const QString &word) {
        if (word != QLatin1String("teh")) {
            dialog->close(); // Cancel keeps what was replaced
            return;
        }
        dialog->replacementBox()->setText(QStringLiteral("the"));
        dialog->replaceButton()->click();
    });
    s.commands()->SpellCheckClick();
    QCOMPARE(w.editor()->Text(), shown);
    QVERIFY(loaded.wait(TestEnvironment::signalBound));
    QString text;
    bool answered = false;
    preview->DocumentText([&](const QString &rendered) {
        text = rendered;
        answered = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(answered, TestEnvironment::signalBound);
    QCOMPARE(text.trimmed(), shown);
}

void tst_SpellCommands::dictionaryNames_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addRow("English") << 0 << "English.dct";
    QTest::addRow("Spanish") << 6 << "Spanish.dct";
    QTest::addRow("Medical") << 8 << "Medical.dct";
    QTest::addRow("past the list: the checker's default") << 9 << "";
    QTest::addRow("negative") << -1 << "";
}

void tst_SpellCommands::dictionaryNames()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    QCOMPARE(SpellCommands::dictionaryName(language), name);
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    tst_SpellCommands test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_spellcommands.moc"
