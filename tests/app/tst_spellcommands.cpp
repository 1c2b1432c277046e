// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editcommands.h"
#include "app/spellcommands.h"
#include "app/tips.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "spell/dctbuilder.h"
#include "spell/hunspellcache.h"
#include "spell/spellingdialog.h"
#include "spell/tdictionary.h"

#include "lockeddirectory.h"
#include "mainwindowsession.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QDateTime>
#include <QDir>
#include <QFile>
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

// An installed Hunspell pair for the window's spell check: a folder of its
// own named by TARNWICK_HUNSPELL_DIRS while it lives. The pair has no affix
// rules, so its words are the same under any expansion.
struct InstalledPair
{
    explicit InstalledPair(const QString &folder, const QByteArray &dic)
        : folder(folder)
        , before(qgetenv("TARNWICK_HUNSPELL_DIRS"))
    {
        TestEnvironment::writeFile(dicPath(), dic);
        TestEnvironment::writeFile(folder + QStringLiteral("/de_DE.aff"), "SET UTF-8\n");
        qputenv("TARNWICK_HUNSPELL_DIRS", folder.toLocal8Bit());
    }
    ~InstalledPair() { qputenv("TARNWICK_HUNSPELL_DIRS", before); }
    QString dicPath() const { return folder + QStringLiteral("/de_DE.dic"); }

    QString folder;
    QByteArray before;
};

// Records the words the dialog asks about and answers each with the button captioned so.
QStringList *answerWith(SpellingDialog *dialog, const QString &caption)
{
    auto *asked = new QStringList;
    QObject::connect(dialog, &SpellingDialog::asking, dialog,
                     [dialog, asked, caption](const QString &word) {
                         *asked << word;
                         for (QPushButton *button : dialog->findChildren<QPushButton *>())
                             if (button->text() == caption)
                                 return button->click();
                         dialog->close();
                     });
    QObject::connect(dialog, &QObject::destroyed, dialog, [asked] { delete asked; });
    return asked;
}

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
    void chosenDictionary_data();
    void chosenDictionary();
    void installedLanguageIsBuiltOnce();
    void failedBuildChecksNothing_data();
    void failedBuildChecksNothing();
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

void tst_SpellCommands::chosenDictionary_data()
{
    QTest::addColumn<QString>("installed"); // HunspellDictionary
    QTest::addColumn<QString>("path"); // below the program directory
    QTest::addColumn<QString>("name");
    QTest::addRow("shipped language") << ""
                                      << ""
                                      << "Dutch.dct";
    QTest::addRow("installed dictionary") << "de_DE"
                                          << "dictionaries/"
                                          << "de_DE.DCT";
    QTest::addRow("installed no more: the shipped language") << "fr_FR"
                                                             << ""
                                                             << "Dutch.dct";
}

void tst_SpellCommands::chosenDictionary()
{
    QFETCH(QString, installed);
    QFETCH(QString, path);
    QFETCH(QString, name);
    QTemporaryDir dir;
    InstalledPair pair(dir.filePath(QStringLiteral("hunspell")), "1\nHaus\n");
    SpellingSettings settings;
    settings.Language = 2;
    settings.HunspellDictionary = installed;
    const QString home = dir.filePath(QStringLiteral("home")); // no final "/"
    const SpellCommands::DictionaryChoice choice
        = SpellCommands::chooseDictionary(settings, HunspellLanguages(), home);
    QCOMPARE(choice.path, home + '/' + path);
    QCOMPARE(choice.name, name);
    QCOMPARE(choice.installed.has_value(), !path.isEmpty());
}

void tst_SpellCommands::installedLanguageIsBuiltOnce()
{
    SpellSession s;
    InstalledPair pair(s.dir.filePath(QStringLiteral("hunspell")), "3\nHaus\nBäume\nBaum\n");
    s.file(QStringLiteral("USERDCT.DCT"), "Dach\n");
    s.startWithPage("Haus Dach Hauss Bäume Ärger");
    s.settings->Spelling.HunspellDictionary = QStringLiteral("de_DE");
    s.commands()->applySettings();
    SpellingDialog *dialog = s.commands()->checker().dialog();
    QStringList *asked = answerWith(dialog, QStringLiteral("&Ignore"));

    // The first check builds the dictionary and finds its words; the user's
    // own words stay those of the program directory.
    s.commands()->SpellCheckClick();
    QCOMPARE(*asked, (QStringList { "Hauss", "Ärger" }));
    QCOMPARE(s.prompter.texts(), QStringList { "No errors found. Spell checking complete..." });
    const QString built = s.home() + QStringLiteral("dictionaries/de_DE.DCT");
    QCOMPARE(s.commands()->checker().dictionary()->mainDictionaryFiles(), QStringList { built });
    QCOMPARE(QDir(s.home() + QStringLiteral("dictionaries")).entryList(QDir::Files),
             (QStringList { "de_DE.DCT", "de_DE.stamp" }));

    // A fresh dictionary is not built again.
    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    {
        QFile file(built);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    asked->clear();
    s.commands()->SpellCheckClick();
    QCOMPARE(*asked, (QStringList { "Hauss", "Ärger" }));
    QCOMPARE(QFileInfo(built).lastModified(), old);

    // An updated word list is built again, and the open dictionary gives way
    // to the new file.
    {
        QFile dic(pair.dicPath());
        QVERIFY(dic.open(QIODevice::Append));
        dic.write("Ärger\n");
    }
    QObject::disconnect(dialog, &SpellingDialog::asking, nullptr, nullptr);
    asked = answerWith(dialog, QStringLiteral("&Add"));
    s.commands()->SpellCheckClick();
    QCOMPARE(*asked, QStringList { "Hauss" });
    QVERIFY(QFileInfo(built).lastModified() > old);
    QVERIFY(HunspellCache(s.home()).isFresh(*HunspellLanguages().find(QStringLiteral("de_DE"))));

    // The word added went to the one user list there is.
    QStringList userWords
        = QString::fromUtf8(TestEnvironment::readFile(s.home() + QStringLiteral("USERDCT.DCT")))
              .toLower()
              .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    userWords.sort();
    QCOMPARE(userWords, (QStringList { "dach", "hauss" }));
    QVERIFY(!QFile::exists(s.home() + QStringLiteral("dictionaries/USERDCT.DCT")));
}

void tst_SpellCommands::failedBuildChecksNothing_data()
{
    QTest::addColumn<QByteArray>("dic");
    QTest::addColumn<bool>("lockCache");
    QTest::addRow("letters the dictionary cannot hold")
        << QByteArray("3\nλόγος\nκόσμος\nHaus\n") << false;
    QTest::addRow("dictionaries folder not writable") << QByteArray("1\nHaus\n") << true;
}

void tst_SpellCommands::failedBuildChecksNothing()
{
    QFETCH(QByteArray, dic);
    QFETCH(bool, lockCache);
    SpellSession s;
    InstalledPair pair(s.dir.filePath(QStringLiteral("hunspell")), dic);
    const QString cache = s.home() + QStringLiteral("dictionaries");
    QVERIFY(QDir().mkpath(cache));
    std::unique_ptr<LockedDirectory> locked;
    if (lockCache) {
        locked = std::make_unique<LockedDirectory>(cache);
        if (!locked->locked())
            QSKIP("the folder cannot be made unwritable here");
    }
    s.startWithPage("Hauss");
    s.settings->Spelling.HunspellDictionary = QStringLiteral("de_DE");
    s.commands()->applySettings();
    QStringList *asked = answerWith(s.commands()->checker().dialog(), QStringLiteral("&Ignore"));

    s.commands()->SpellCheckClick();
    QCOMPARE(*asked, QStringList());
    const QStringList texts = s.prompter.texts();
    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts.first().startsWith(
                 QStringLiteral("The German (Germany) dictionary could not be built. ")),
             qPrintable(texts.first()));
    QCOMPARE(QDir(cache).entryList(QDir::Files), QStringList());
    QVERIFY(!s.commands()->checker().dictionary()); // nothing was opened
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
