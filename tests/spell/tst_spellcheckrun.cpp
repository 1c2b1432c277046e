// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "spell/dctbuilder.h"
#include "spell/spellcheckrun.h"
#include "spell/spellingasker.h"
#include "spell/tdictionary.h"
#include "spell/wordscanner.h"

#include "scriptedprompter.h"

#include <QQueue>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

// Plays the spelling dialog: answers in order, and records the words asked about.
class ScriptedAsker final : public SpellingAsker
{
public:
    void answer(SpellingAction action, const QString &replacement = QString())
    {
        m_answers.enqueue({action, replacement});
    }
    SpellingAction ask(const QString &word, QString *replacement) override
    {
        asked << word;
        if (m_answers.isEmpty())
            return SpellingAction::Cancel;
        const auto [action, text] = m_answers.dequeue();
        if (!text.isNull())
            *replacement = text;
        return action;
    }
    QStringList asked;

private:
    QQueue<std::pair<SpellingAction, QString>> m_answers;
};

} // namespace

class tst_SpellCheckRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void scannerWords_data();
    void scannerWords();
    void overlongWord();
    void changeAllReplacesLaterWordsWithoutAsking();
    void cancelKeepsReplacementsAndSaysNothing();
    void completionMessages_data();
    void completionMessages();
    void addWord();
    void selectionRestored();

private:
    QTemporaryDir m_dir;
    QString m_dictionaryPath;
    std::unique_ptr<TDictionary> m_dictionary;
    std::unique_ptr<EditorControl> m_editor;
    ScriptedPrompter m_prompter;
};

void tst_SpellCheckRun::initTestCase()
{
    DctBuilder builder;
    builder.addWords({"the", "cat", "sat", "on", "a", "mat", "image", "src", "img", "is", "here", "dog"});
    m_dictionaryPath = m_dir.filePath(QStringLiteral("ENGLISH.DCT"));
    QVERIFY(builder.write(m_dictionaryPath));
}

void tst_SpellCheckRun::init()
{
    m_prompter.clear();
    auto created = TDictionary::create(&m_prompter);
    QVERIFY(created);
    m_dictionary = std::move(created.value());
    QVERIFY(m_dictionary->openMainDictionary(m_dictionaryPath));
    m_dictionary->openUserList(m_dir.filePath(QStringLiteral("USERDCT.DCT")));
    m_editor = std::make_unique<EditorControl>();
}

void tst_SpellCheckRun::cleanup()
{
    m_editor.reset();
    m_dictionary.reset();
    QFile::remove(m_dir.filePath(QStringLiteral("USERDCT.DCT")));
}

void tst_SpellCheckRun::scannerWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("html");
    QTest::addColumn<QStringList>("words");
    QTest::addRow("plain words and punctuation") << "The cat, sat." << true << QStringList{"The", "cat", "sat"};
    QTest::addRow("file name in a tag skipped")
        << "<img src=\"pictre.gif\">pictre" << true << QStringList{"pictre"};
    QTest::addRow("tags read without HTML support")
        << "<b>bold</b>" << false << QStringList{"b", "bold", "b"};
    QTest::addRow("tag across lines") << "cat <a\nhref=x>dog" << true << QStringList{"cat", "dog"};
    QTest::addRow("apostrophe, digits, accents")
        << "dog's 42nd café" << true << QStringList{"dog's", "42nd", "café"};
    // ó is one of the code page's letters; ł and ź are not.
    QTest::addRow("characters outside the letters split words")
        << "naïve—zoë łódź" << true << QStringList{"naïve", "zoë", "ód"};
}

void tst_SpellCheckRun::scannerWords()
{
    QFETCH(QString, text);
    QFETCH(bool, html);
    QFETCH(QStringList, words);
    m_editor->SetText(text);
    WordScanner scanner(*m_editor, m_prompter, html);
    scanner.start();
    QStringList found;
    while (auto word = scanner.next()) {
        QCOMPARE(m_editor->GetLineText(word->line).mid(word->startColumn, word->endColumn - word->startColumn),
                 word->text);
        found << word->text;
    }
    QCOMPARE(found, words);
}

void tst_SpellCheckRun::overlongWord()
{
    const QString longWord(60, u'x');
    m_editor->SetText(longWord + QStringLiteral(" wrongg\ncat catt"));
    WordScanner scanner(*m_editor, m_prompter, true);
    scanner.start();
    QStringList found;
    while (auto word = scanner.next())
        found << word->text;
    QCOMPARE(found, (QStringList{"cat", "catt"}));
    QCOMPARE(m_prompter.texts(),
             QStringList{QStringLiteral("Aborting spell check (Invalid word): \r") + QString(50, u'x')});
}

void tst_SpellCheckRun::changeAllReplacesLaterWordsWithoutAsking()
{
    m_editor->SetText(QStringLiteral("teh cat\nsat on teh mat, TEH end"));
    ScriptedAsker asker;
    asker.answer(SpellingAction::ReplaceAll, QStringLiteral("the"));
    asker.answer(SpellingAction::SkipAll); // "end"
    SpellCheckRun::RunLists lists;
    SpellCheckRun run(*m_dictionary, *m_editor, m_prompter, asker, lists, {});
    QCOMPARE(run.run(), SpellCheckRun::Outcome::Completed);
    QCOMPARE(asker.asked, (QStringList{"teh", "end"}));
    QCOMPARE(m_editor->Text(), QStringLiteral("the cat\nsat on the mat, the end"));
    QVERIFY(lists.ignoreAll.contains(QStringLiteral("end")));
    QCOMPARE(m_prompter.texts(), QStringList{"Spell checking complete."});
}

void tst_SpellCheckRun::cancelKeepsReplacementsAndSaysNothing()
{
    m_editor->SetText(QStringLiteral("catt sat matt dogg"));
    ScriptedAsker asker;
    asker.answer(SpellingAction::Replace, QStringLiteral("cat"));
    asker.answer(SpellingAction::Cancel);
    SpellCheckRun::RunLists lists;
    SpellCheckRun run(*m_dictionary, *m_editor, m_prompter, asker, lists, {});
    QCOMPARE(run.run(), SpellCheckRun::Outcome::Cancelled);
    QCOMPARE(asker.asked, (QStringList{"catt", "matt"}));
    QCOMPARE(m_editor->Text(), QStringLiteral("cat sat matt dogg"));
    QVERIFY(m_prompter.texts().isEmpty());
}

void tst_SpellCheckRun::completionMessages_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("show");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("result");
    const QString clean = QStringLiteral("No errors found. Spell checking complete...");
    QTest::addRow("no errors") << "the cat sat" << true << QStringList{clean} << "the cat sat";
    QTest::addRow("numbers and single letters never reported")
        << "1999 x b 42 the" << true << QStringList{clean} << "1999 x b 42 the";
    QTest::addRow("skipping is no change") << "the catt" << true << QStringList{clean} << "the catt";
    QTest::addRow("message switched off") << "the cat" << false << QStringList{} << "the cat";
    // "teh" is on the change-all list from an earlier run.
    QTest::addRow("a change through the change-all list is a change")
        << "teh cat" << true << QStringList{"Spell checking complete."} << "the cat";
}

void tst_SpellCheckRun::completionMessages()
{
    QFETCH(QString, text);
    QFETCH(bool, show);
    QFETCH(QStringList, messages);
    QFETCH(QString, result);
    m_editor->SetText(text);
    ScriptedAsker asker;
    asker.answer(SpellingAction::SkipOnce);
    SpellCheckRun::RunLists lists;
    lists.changeAll.insert(QStringLiteral("teh"), QStringLiteral("the"));
    SpellCheckRun::Options options;
    options.showCompletedDialog = show;
    SpellCheckRun run(*m_dictionary, *m_editor, m_prompter, asker, lists, options);
    QCOMPARE(run.run(), SpellCheckRun::Outcome::Completed);
    QCOMPARE(m_prompter.texts(), messages);
    QCOMPARE(m_editor->Text(), result);
}

void tst_SpellCheckRun::addWord()
{
    // "2nd" is digits and a letter: a word that is checked.
    m_editor->SetText(QStringLiteral("zork 2nd zork"));
    ScriptedAsker asker;
    asker.answer(SpellingAction::Add);      // zork: No to the question, asked again
    asker.answer(SpellingAction::Add);      // zork: Yes
    asker.answer(SpellingAction::SkipOnce); // 2nd
    m_prompter.answer(Prompter::Answer::No);
    m_prompter.answer(Prompter::Answer::Yes);
    SpellCheckRun::RunLists lists;
    SpellCheckRun run(*m_dictionary, *m_editor, m_prompter, asker, lists, {});
    QCOMPARE(run.run(), SpellCheckRun::Outcome::Completed);
    QCOMPARE(asker.asked, (QStringList{"zork", "zork", "2nd"}));
    QCOMPARE(m_prompter.texts(), (QStringList{"Add \"zork\" to dictionary?", "Add \"zork\" to dictionary?",
                                              "No errors found. Spell checking complete..."}));
    QVERIFY(m_dictionary->isWord(QStringLiteral("zork")));
    // The run saved the user list.
    QFile saved(m_dir.filePath(QStringLiteral("USERDCT.DCT")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("zork"));
}

void tst_SpellCheckRun::selectionRestored()
{
    m_editor->SetText(QStringLiteral("the catt\nsat on the mat"));
    m_editor->StartLine = 2;
    m_editor->StartPos = 4;
    m_editor->EndLine = 2;
    m_editor->EndPos = 6;
    m_editor->ApplySelection();
    ScriptedAsker asker;
    asker.answer(SpellingAction::Replace, QStringLiteral("cat"));
    SpellCheckRun::RunLists lists;
    SpellCheckRun run(*m_dictionary, *m_editor, m_prompter, asker, lists, {});
    run.run();
    m_editor->ReadSelection();
    QCOMPARE(m_editor->GetSelText(), QStringLiteral("on"));
    QCOMPARE(SpellCheckRun::openErrorMessage("/usr/share/tarnwick/", "English.dct"),
             QStringLiteral("Error opening dictionary /usr/share/tarnwick/English.dct"));
}

QTEST_MAIN(tst_SpellCheckRun)
#include "tst_spellcheckrun.moc"
