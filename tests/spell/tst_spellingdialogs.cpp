// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "spell/dctbuilder.h"
#include "spell/spellingdialog.h"
#include "spell/tdictionary.h"
#include "spell/tleditspelldlg.h"

#include "dcttestfile.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <functional>

using namespace Tarnwick;

Q_DECLARE_METATYPE(SpellDialogStyle)

namespace {

QPushButton *buttonOf(QWidget *dialog, const QString &caption)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

QStringList buttonCaptions(QWidget *dialog)
{
    QStringList captions;
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        captions << button->text();
    captions.sort();
    return captions;
}

QStringList listed(const QListWidget *list)
{
    QStringList words;
    for (int i = 0; i < list->count(); ++i)
        words << list->item(i)->text();
    return words;
}

// Plays the user at each word the dialog shows: one step a word, each step a
// button caption, optionally "|" and what to type into the replacement box
// first; "close" closes the window instead.
class Player
{
public:
    Player(SpellingDialog *dialog, QStringList steps)
        : m_steps(std::move(steps))
    {
        m_connection
            = QObject::connect(dialog, &SpellingDialog::asking, dialog,
                               [this, dialog](const QString &word) { play(dialog, word); });
    }
    ~Player() { QObject::disconnect(m_connection); }
    Player(const Player &) = delete;
    Player &operator=(const Player &) = delete;

    QStringList asked;
    QStringList missing; // captions that were not found
    std::function<void(SpellingDialog *)> inspect; // runs before each step

private:
    void play(SpellingDialog *dialog, const QString &word)
    {
        asked << word;
        if (inspect)
            inspect(dialog);
        if (m_steps.isEmpty()) {
            dialog->close();
            return;
        }
        const QString step = m_steps.takeFirst();
        if (step == QLatin1String("close")) {
            dialog->close();
            return;
        }
        const QString caption = step.section(QLatin1Char('|'), 0, 0);
        if (step.contains(QLatin1Char('|')))
            dialog->replacementBox()->setText(step.section(QLatin1Char('|'), 1));
        if (QPushButton *button = buttonOf(dialog, caption)) {
            button->click();
        } else {
            missing << caption;
            dialog->close();
        }
    }
    QStringList m_steps;
    QMetaObject::Connection m_connection;
};

} // namespace

class tst_SpellingDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void captionsAndButtons_data();
    void captionsAndButtons();
    void actions_data();
    void actions();
    void addWord_data();
    void addWord();
    void suggestButton_data();
    void suggestButton();
    void autoSuggest_data();
    void autoSuggest();
    void accentButtons();
    void quickSuggest();
    void languageChangeClosesDictionary();
    void missingDictionary();
    void damagedDictionarySaysWhyOnce();
    void suggestionCount_data();
    void suggestionCount();
    void styleChangeReplacesDialog();

private:
    QString userListText() const;

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    std::unique_ptr<EditorControl> m_editor;
    std::unique_ptr<TLEditSpellDlg> m_checker;
};

void tst_SpellingDialogs::initTestCase()
{
    TestEnvironment::isolate();
    DctBuilder english;
    english.addWords({ "the", "then", "there", "these", "they", "cat", "cafe", "color", "on", "a",
                       "lot", "mat", "sat", "ted", "ten", "col", "our" });
    QVERIFY(english.write(m_dir.filePath(QStringLiteral("ENGLISH.DCT"))));
    DctBuilder british;
    british.addWords({ "the", "cat", "colour", "on" });
    QVERIFY(british.write(m_dir.filePath(QStringLiteral("BRITISH.DCT"))));
}

void tst_SpellingDialogs::init()
{
    m_prompter.clear();
    QFile::remove(m_dir.filePath(QStringLiteral("USERDCT.DCT")));
    m_editor = std::make_unique<EditorControl>();
    m_checker = std::make_unique<TLEditSpellDlg>(m_prompter, nullptr);
    m_checker->setDictionaryPath(m_dir.path());
    m_checker->setDictionaryName(QStringLiteral("English.dct"));
    m_checker->setAutoSuggest(false);
}

void tst_SpellingDialogs::cleanup()
{
    m_checker.reset();
    m_editor.reset();
}

QString tst_SpellingDialogs::userListText() const
{
    return QString::fromUtf8(TestEnvironment::readFile(m_dir.filePath("USERDCT.DCT")));
}

void tst_SpellingDialogs::captionsAndButtons_data()
{
    QTest::addColumn<SpellDialogStyle>("style");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("replace"); // the default button
    QTest::addRow("MS Word") << SpellDialogStyle::MSWord << "Spelling"
                             << QStringList { "&Change",  "&Change All", "&Ignore", "I&gnore All",
                                              "&Suggest", "&Add",        "Cancel" }
                             << "&Change";
    QTest::addRow("Wordperfect") << SpellDialogStyle::WordPerfect << "Spell Checker"
                                 << QStringList { "&Replace", "Skip &Once", "Skip A&lways",
                                                  "&Suggest", "&Add",       "Close" }
                                 << "&Replace";
    QTest::addRow("WordPro 96") << SpellDialogStyle::WordPro96 << "Spelling"
                                << QStringList { "&Replace",  "Replace All", "Skip &Once",
                                                 "S&kip All", "&Add",        "Close" }
                                << "&Replace";
}

void tst_SpellingDialogs::captionsAndButtons()
{
    QFETCH(SpellDialogStyle, style);
    QFETCH(QString, caption);
    QFETCH(QStringList, buttons);
    QFETCH(QString, replace);
    m_checker->setDialogStyle(style);
    SpellingDialog *dialog = m_checker->dialog();
    QCOMPARE(dialog->style(), style);
    QCOMPARE(dialog->windowTitle(), caption);
    buttons.sort();
    QCOMPARE(buttonCaptions(dialog), buttons);
    QStringList accents;
    for (QToolButton *button : dialog->findChildren<QToolButton *>())
        accents << button->text();
    QCOMPARE(accents, (QStringList { "á", "é", "í", "ó", "ú", "ñ", "Ñ" }));
    // Enter in the replacement box replaces.
    QCOMPARE(dialog->replaceButton()->text(), replace);
    QVERIFY(dialog->replaceButton()->isDefault());
}

void tst_SpellingDialogs::actions_data()
{
    QTest::addColumn<SpellDialogStyle>("style");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("messages");
    const auto word = SpellDialogStyle::MSWord;
    const auto perfect = SpellDialogStyle::WordPerfect;
    const auto pro = SpellDialogStyle::WordPro96;
    const QString done = QStringLiteral("Spell checking complete.");
    const QString clean = QStringLiteral("No errors found. Spell checking complete...");
    const QString text = QStringLiteral("teh cat sat\non teh mat");

    QTest::addRow("MS Word: Change once")
        << word << text << QStringList { "&Change|the", "&Ignore" } << "the cat sat\non teh mat"
        << QStringList { "teh", "teh" } << QStringList { done };
    QTest::addRow("MS Word: Change All")
        << word << text << QStringList { "&Change All|the" } << "the cat sat\non the mat"
        << QStringList { "teh" } << QStringList { done };
    QTest::addRow("MS Word: Ignore All") << word << text << QStringList { "I&gnore All" } << text
                                         << QStringList { "teh" } << QStringList { clean };
    QTest::addRow("MS Word: Cancel keeps the change")
        << word << text << QStringList { "&Change|the", "Cancel" } << "the cat sat\non teh mat"
        << QStringList { "teh", "teh" } << QStringList {};
    QTest::addRow("MS Word: closing the window is Cancel")
        << word << text << QStringList { "close" } << text << QStringList { "teh" }
        << QStringList {};
    QTest::addRow("Wordperfect: Replace")
        << perfect << text << QStringList { "&Replace|the", "&Replace|ten" }
        << "the cat sat\non ten mat" << QStringList { "teh", "teh" } << QStringList { done };
    QTest::addRow("Wordperfect: Skip Once")
        << perfect << text << QStringList { "Skip &Once", "Skip &Once" } << text
        << QStringList { "teh", "teh" } << QStringList { clean };
    QTest::addRow("Wordperfect: Skip Always")
        << perfect << text << QStringList { "Skip A&lways" } << text << QStringList { "teh" }
        << QStringList { clean };
    QTest::addRow("Wordperfect: Close") << perfect << text << QStringList { "Close" } << text
                                        << QStringList { "teh" } << QStringList {};
    QTest::addRow("Wordperfect: closing the window is Cancel")
        << perfect << text << QStringList { "Skip &Once", "close" } << text
        << QStringList { "teh", "teh" } << QStringList {};
    QTest::addRow("WordPro 96: Replace All")
        << pro << text << QStringList { "Replace All|tea" } << "tea cat sat\non tea mat"
        << QStringList { "teh" } << QStringList { done };
    QTest::addRow("WordPro 96: Skip All") << pro << text << QStringList { "S&kip All" } << text
                                          << QStringList { "teh" } << QStringList { clean };
    QTest::addRow("WordPro 96: Replace with the same word in capitals changes nothing")
        << pro << "teh" << QStringList { "&Replace|TEH" } << "teh" << QStringList { "teh" }
        << QStringList { done };
    QTest::addRow("WordPro 96: closing the window is Cancel")
        << pro << text << QStringList { "close" } << text << QStringList { "teh" }
        << QStringList {};
}

void tst_SpellingDialogs::actions()
{
    QFETCH(SpellDialogStyle, style);
    QFETCH(QString, text);
    QFETCH(QStringList, steps);
    QFETCH(QString, result);
    QFETCH(QStringList, asked);
    QFETCH(QStringList, messages);
    m_checker->setDialogStyle(style);
    m_editor->SetText(text);
    Player player(m_checker->dialog(), steps);
    const bool cancelled = messages.isEmpty();
    QCOMPARE(m_checker->check(*m_editor),
             cancelled ? SpellCheckRun::Outcome::Cancelled : SpellCheckRun::Outcome::Completed);
    QCOMPARE(player.missing, QStringList());
    QCOMPARE(player.asked, asked);
    QCOMPARE(m_editor->Text(), result);
    QCOMPARE(m_prompter.texts(), messages);
    QVERIFY(!m_checker->dialog()->isVisible());
}

void tst_SpellingDialogs::addWord_data()
{
    QTest::addColumn<SpellDialogStyle>("style");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QStringList>("messages");
    const QString question = QStringLiteral("Add \"zork\" to dictionary?");
    const QString clean = QStringLiteral("No errors found. Spell checking complete...");
    QTest::addRow("MS Word, confirm on add")
        << SpellDialogStyle::MSWord << true << QStringList { question, clean };
    QTest::addRow("Wordperfect, added at once")
        << SpellDialogStyle::WordPerfect << false << QStringList { clean };
    QTest::addRow("WordPro 96, confirm on add")
        << SpellDialogStyle::WordPro96 << true << QStringList { question, clean };
}

void tst_SpellingDialogs::addWord()
{
    QFETCH(SpellDialogStyle, style);
    QFETCH(bool, confirm);
    QFETCH(QStringList, messages);
    m_checker->setDialogStyle(style);
    m_checker->setConfirmAdd(confirm);
    m_prompter.answer(Prompter::Answer::Yes);
    m_editor->SetText(QStringLiteral("zork the zork"));
    Player player(m_checker->dialog(), { "&Add" });
    QCOMPARE(m_checker->check(*m_editor), SpellCheckRun::Outcome::Completed);
    QCOMPARE(player.asked, QStringList { "zork" }); // the second one is a word by now
    QCOMPARE(m_prompter.texts(), messages);
    QCOMPARE(userListText(), QStringLiteral("zork\n"));
}

void tst_SpellingDialogs::suggestButton_data()
{
    QTest::addColumn<SpellDialogStyle>("style");
    QTest::addColumn<QString>("replace");
    QTest::addRow("MS Word") << SpellDialogStyle::MSWord << "&Change";
    QTest::addRow("Wordperfect") << SpellDialogStyle::WordPerfect << "&Replace";
}

void tst_SpellingDialogs::suggestButton()
{
    QFETCH(SpellDialogStyle, style);
    QFETCH(QString, replace);
    m_checker->setDialogStyle(style);
    m_editor->SetText(QStringLiteral("Teh cat"));
    Player player(m_checker->dialog(), { replace });
    QStringList before, after;
    QString box;
    bool focusOnReplace = false;
    player.inspect = [&](SpellingDialog *dialog) {
        before = listed(dialog->suggestionList());
        buttonOf(dialog, QStringLiteral("&Suggest"))->click();
        after = listed(dialog->suggestionList());
        box = dialog->replacementBox()->text();
        focusOnReplace = dialog->focusWidget() == buttonOf(dialog, replace);
    };
    QCOMPARE(m_checker->check(*m_editor), SpellCheckRun::Outcome::Completed);
    QCOMPARE(before, QStringList()); // AutoSuggest is off
    QVERIFY2(after.size() >= 2, qPrintable(after.join(',')));
    QCOMPARE(after.first(), QStringLiteral("The")); // cased like the word
    QCOMPARE(box, QStringLiteral("The"));
    QVERIFY(focusOnReplace);
    QCOMPARE(m_editor->Text(), QStringLiteral("The cat"));
}

void tst_SpellingDialogs::autoSuggest_data()
{
    QTest::addColumn<SpellDialogStyle>("style");
    QTest::addRow("MS Word") << SpellDialogStyle::MSWord;
    QTest::addRow("WordPerfect") << SpellDialogStyle::WordPerfect;
    QTest::addRow("WordPro 96") << SpellDialogStyle::WordPro96;
}

// AutoSuggest fills the list only: Enter on a word as shown changes nothing,
// Enter after picking a suggestion takes it.
void tst_SpellingDialogs::autoSuggest()
{
    QFETCH(SpellDialogStyle, style);
    m_checker->setAutoSuggest(true);
    m_checker->setDialogStyle(style);
    m_editor->SetText(QStringLiteral("Colour alot"));
    SpellingDialog *dialog = m_checker->dialog();
    QStringList asked, boxes, firstSuggestions;
    QList<bool> focusInBox;
    connect(dialog, &SpellingDialog::asking, dialog, [&](const QString &word) {
        asked << word;
        const QStringList shown = listed(dialog->suggestionList());
        firstSuggestions << shown.value(0);
        boxes << dialog->replacementBox()->text();
        focusInBox << (dialog->focusWidget() == dialog->replacementBox());
        if (word == QLatin1String("alot"))
            dialog->suggestionList()->setCurrentRow(0); // the user picks the first suggestion
        else if (qEnvironmentVariableIsSet("TARNWICK_SCREENSHOTS"))
            dialog->grab().save(qEnvironmentVariable("TARNWICK_SCREENSHOTS")
                                + QStringLiteral("/spell-colour.png"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(m_checker->check(*m_editor), SpellCheckRun::Outcome::Completed);
    QCOMPARE(asked, (QStringList { "Colour", "alot" }));
    QCOMPARE(boxes, (QStringList { "Colour", "alot" }));
    QCOMPARE(focusInBox, (QList<bool> { true, true }));
    QCOMPARE(firstSuggestions, (QStringList { "Color", "a lot" }));
    QCOMPARE(m_editor->Text(), QStringLiteral("Colour a lot"));
}

void tst_SpellingDialogs::accentButtons()
{
    m_editor->SetText(QStringLiteral("cafx"));
    Player player(m_checker->dialog(), { "&Change" });
    player.inspect = [](SpellingDialog *dialog) {
        QLineEdit *box = dialog->replacementBox();
        box->setText(QStringLiteral("caf"));
        box->setCursorPosition(3);
        for (QToolButton *accent : dialog->findChildren<QToolButton *>())
            if (accent->text() == QStringLiteral("é"))
                accent->click();
    };
    QCOMPARE(m_checker->check(*m_editor), SpellCheckRun::Outcome::Completed);
    QCOMPARE(m_editor->Text(), QStringLiteral("café"));
}

void tst_SpellingDialogs::quickSuggest()
{
    m_editor->SetText(QStringLiteral("thx"));
    Player player(m_checker->dialog(), { "Cancel" });
    QStringList typed, shifted, cleared, retyped;
    player.inspect = [&](SpellingDialog *dialog) {
        QLineEdit *box = dialog->replacementBox();
        box->clear();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("th"));
        typed = listed(dialog->suggestionList());
        // A key released with Shift held leaves the list alone.
        QTest::keyClick(box, Qt::Key_E, Qt::ShiftModifier);
        shifted = listed(dialog->suggestionList());
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace);
        cleared = listed(dialog->suggestionList());
        QTest::keyClicks(box, QStringLiteral("te"));
        retyped = listed(dialog->suggestionList());
    };
    m_checker->check(*m_editor);
    QCOMPARE(typed, (QStringList { "the", "then", "there", "these", "they" }));
    QCOMPARE(shifted, typed);
    QCOMPARE(cleared, QStringList());
    QCOMPARE(retyped, (QStringList { "ted", "ten" }));
}

void tst_SpellingDialogs::languageChangeClosesDictionary()
{
    m_checker->setConfirmAdd(false);
    m_editor->SetText(QStringLiteral("colour zork"));
    {
        Player english(m_checker->dialog(), { "&Ignore", "&Add" });
        QCOMPARE(m_checker->check(*m_editor), SpellCheckRun::Outcome::Completed);
        QCOMPARE(english.asked, (QStringList { "colour", "zork" }));
    }
    QVERIFY(m_checker->dictionary()->mainDictionaryFiles().constFirst().endsWith("ENGLISH.DCT"));

    m_checker->setDictionaryName(QStringLiteral("British.dct"));
    QVERIFY(m_checker->dictionary()->mainDictionaryFiles().isEmpty());
    QCOMPARE(userListText(), QStringLiteral("zork\n"));

    m_prompter.clear();
    m_editor->SetText(QStringLiteral("colour zork color"));
    Player british(m_checker->dialog(), { "&Ignore" });
    QCOMPARE(m_checker->check(*m_editor), SpellCheckRun::Outcome::Completed);
    QCOMPARE(british.asked, QStringList { "color" }); // the user list came along
    QVERIFY(m_checker->dictionary()->mainDictionaryFiles().constFirst().endsWith("BRITISH.DCT"));
}

void tst_SpellingDialogs::missingDictionary()
{
    m_checker->setDictionaryName(QStringLiteral("Legal.dct"));
    m_editor->SetText(QStringLiteral("teh cat"));
    {
        Player player(m_checker->dialog(), {});
        QCOMPARE(m_checker->check(*m_editor), SpellCheckRun::Outcome::Cancelled);
        QCOMPARE(player.asked, QStringList());
    }
    QCOMPARE(m_prompter.messages().size(), 1);
    QCOMPARE(m_prompter.messages().constFirst().kind, Prompter::Kind::Error);
    QCOMPARE(m_prompter.texts().constFirst(),
             QStringLiteral("Error opening dictionary ") + m_dir.path() + "/Legal.dct");
    QCOMPARE(m_editor->Text(), QStringLiteral("teh cat"));

    // Choosing an existing dictionary afterwards works.
    m_prompter.clear();
    m_checker->setDictionaryName(QString()); // the default, ENGLISH.DCT
    Player second(m_checker->dialog(), { "&Ignore" });
    QCOMPARE(m_checker->check(*m_editor), SpellCheckRun::Outcome::Completed);
    QCOMPARE(second.asked, QStringList { "teh" });
}

void tst_SpellingDialogs::damagedDictionarySaysWhyOnce()
{
    // The root list's only letter leads to a list past the end of the file.
    const QString path = m_dir.filePath(QStringLiteral("DAMAGED.DCT"));
    QVERIFY(DctTestFile::write(
        path, DctTestFile::fileOf({ DctFormat::makeCell('c', true, false, 1000) })));
    m_checker->setDictionaryName(QStringLiteral("DAMAGED.DCT"));
    m_editor->SetText(QStringLiteral("cat cow"));
    Player player(m_checker->dialog(), { "&Ignore", "&Ignore" });
    QCOMPARE(m_checker->check(*m_editor), SpellCheckRun::Outcome::Completed);
    QCOMPARE(player.asked, (QStringList { "cat", "cow" }));
    QCOMPARE(m_prompter.texts(),
             (QStringList { "No errors found. Spell checking complete...",
                            "Error reading dictionary " + path
                                + ": the file is damaged or shorter than its letter tree" }));
    QCOMPARE(m_prompter.messages().constLast().kind, Prompter::Kind::Error);
}

void tst_SpellingDialogs::suggestionCount_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("used");
    QTest::addColumn<bool>("refused");
    QTest::addRow("zero refused") << 0 << 1 << true;
    QTest::addRow("negative refused") << -4 << 1 << true;
    QTest::addRow("one") << 1 << 1 << false;
    QTest::addRow("above the limit") << 1000 << 255 << false;
}

void tst_SpellingDialogs::suggestionCount()
{
    QFETCH(int, requested);
    QFETCH(int, used);
    QFETCH(bool, refused);
    m_checker->setSuggestions(requested);
    m_checker->setSuggestions(requested); // the same again says nothing more
    QCOMPARE(m_checker->suggestions(), used);
    QCOMPARE(m_prompter.texts(),
             refused ? QStringList { TLEditSpellDlg::invalidSuggestionsMessage() } : QStringList());
    QCOMPARE(TLEditSpellDlg::invalidSuggestionsMessage(),
             QStringLiteral("Invalid number of suggestions."));
}

void tst_SpellingDialogs::styleChangeReplacesDialog()
{
    QCOMPARE(m_checker->dialog()->style(), SpellDialogStyle::MSWord);
    m_checker->setDialogStyle(SpellDialogStyle::WordPerfect);
    QPointer<SpellingDialog> old = m_checker->dialog();
    m_checker->setDialogStyle(SpellDialogStyle::WordPerfect);
    QCOMPARE(m_checker->dialog(), old.data()); // the same style keeps its dialog
    m_checker->setDialogStyle(SpellDialogStyle::WordPro96);
    QVERIFY(old.isNull());
    QCOMPARE(m_checker->dialog()->windowTitle(), QStringLiteral("Spelling"));
}

QTEST_MAIN(tst_SpellingDialogs)
#include "tst_spellingdialogs.moc"
