// SPDX-License-Identifier: GPL-3.0-or-later
#include "dcttestfile.h"
#include "platform/textfile.h"
#include "scriptedprompter.h"
#include "spell/tdictionary.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool writeText(const QString &path, const QByteArray &text)
{
    return DctTestFile::write(path, text);
}

} // namespace

class TestTDictionary : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
    std::unique_ptr<TDictionary> make()
    {
        auto created = TDictionary::create(nullptr);
        return created ? std::move(created.value()) : nullptr;
    }
    std::unique_ptr<TDictionary> withWords(const QStringList &words)
    {
        const QString dct = path(QStringLiteral("WORDS.DCT"));
        if (!DctTestFile::writeWords(dct, words))
            return nullptr;
        auto dictionary = make();
        if (dictionary && !dictionary->openMainDictionary(dct))
            return nullptr;
        return dictionary;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void isWord_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("expected");
        QTest::addRow("one-letter word") << "a" << true;
        QTest::addRow("one letter not in the tree") << "b" << false;
        QTest::addRow("empty word") << "" << false;
        QTest::addRow("plain word") << "dog" << true;
        QTest::addRow("capitals are folded") << "DoG" << true;
        QTest::addRow("possessive of a word") << "dog's" << true;
        QTest::addRow("possessive in capitals") << "DOG'S" << true;
        QTest::addRow("apostrophe s alone") << "'s" << false;
        QTest::addRow("possessive of a non-word") << "dox's" << false;
        QTest::addRow("word with an apostrophe inside") << "don't" << true;
        QTest::addRow("path without end of word") << "do" << false;
        QTest::addRow("longer than any path") << "dogs" << false;
        QTest::addRow("letter missing in a later list") << "dug" << false;
        QTest::addRow("last sibling of the root") << "zoo" << true;
        QTest::addRow("accented word") << "café" << true;
        QTest::addRow("accented capital folded") << "CAFÉ" << true;
        QTest::addRow("character outside the code page") << "caf€" << false;
        QTest::addRow("cut to fifty characters") << QString(50, 'x') + "yyy" << true;
        QTest::addRow("forty-nine characters") << QString(49, 'x') << false;
    }
    void isWord()
    {
        QFETCH(QString, word);
        QFETCH(bool, expected);
        auto dictionary = withWords({"a", "dog", "don't", "do-", "zoo", "café", QString(50, 'x')});
        QVERIFY(dictionary);
        QCOMPARE(dictionary->isWord(word), expected);
        QVERIFY(dictionary->ioError().isEmpty());
    }

    // Cell 128 ends block 0, cell 129 starts block 1; 256 and 257 likewise.
    void blockBoundary_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("expected");
        QTest::addRow("cell 128") << "ab" << true;
        QTest::addRow("cell 129") << "abc" << true;
        QTest::addRow("not the letter of cell 129 at 128") << "ac" << false;
        QTest::addRow("cell 256") << "abcd" << true;
        QTest::addRow("cell 257") << "abcde" << true;
        QTest::addRow("not the letter of cell 257 at 256") << "abce" << false;
    }
    void blockBoundary()
    {
        QFETCH(QString, word);
        QFETCH(bool, expected);
        using namespace DctFormat;
        // Every filler cell spells a letter that must never be reached.
        std::vector<quint32> cells(257, makeCell('q', true, true, 0));
        cells[0] = makeCell('a', true, false, 128);
        cells[127] = makeCell('b', true, true, 129);
        cells[128] = makeCell('c', true, true, 256);
        cells[255] = makeCell('d', true, true, 257);
        cells[256] = makeCell('e', true, true, 0);
        const QString dct = path(QStringLiteral("BLOCKS.DCT"));
        QVERIFY(DctTestFile::write(dct, DctTestFile::fileOf(cells)));
        auto dictionary = make();
        QVERIFY(dictionary->openMainDictionary(dct));
        QCOMPARE(dictionary->isWord(word), expected);
        QVERIFY(dictionary->ioError().isEmpty());
    }

    void openFailures_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QByteArray wrong = DctTestFile::fileOf(DctTestFile::treeOf({"dog"}));
        wrong[5] = 'X';
        QByteArray noZeros = DctTestFile::fileOf(DctTestFile::treeOf({"dog"}));
        noZeros[1 + 45] = 'Z';
        QTest::addRow("signature differs") << wrong << "Dictionary Corrupt.";
        QTest::addRow("bytes after the signature not zero") << noZeros << "Dictionary Corrupt.";
        QTest::addRow("shorter than the signature") << DctTestFile::header().left(30) << "Dictionary Corrupt.";
        QTest::addRow("empty file") << QByteArray() << "Dictionary Corrupt.";
    }
    void openFailures()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        const QString dct = path(QStringLiteral("BAD.DCT"));
        QVERIFY(DctTestFile::write(dct, content));
        auto dictionary = make();
        const Result opened = dictionary->openMainDictionary(dct);
        QVERIFY(!opened);
        QCOMPARE(opened.error(), error);
        QVERIFY(dictionary->mainDictionaryFiles().isEmpty());
    }

    void missingDictionary_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addRow("no such file") << "LEGAL.DCT";
        QTest::addRow("a directory") << "dir.dct";
        QTest::addRow("empty name") << "";
    }
    void missingDictionary()
    {
        QFETCH(QString, name);
        QVERIFY(QDir().mkpath(path(QStringLiteral("dir.dct"))));
        auto dictionary = make();
        const QString dct = name.isEmpty() ? name : path(name);
        const Result opened = dictionary->openMainDictionary(dct);
        QCOMPARE(opened.error(), QStringLiteral("Dictionary not found : ") + dct);
    }

    // Lists that point past the end of the file: every look-up that needs
    // them fails as an I/O error instead of reading beyond the data.
    void truncatedFile_data()
    {
        QTest::addColumn<int>("cut");
        QTest::addColumn<QString>("word");
        QTest::addRow("no cells at all") << 0 << "dog";
        QTest::addRow("child list missing") << 1 << "dog";
        QTest::addRow("half a cell at the end") << 2 << "dog";
        QTest::addRow("sibling list runs off the end") << 3 << "zz";
    }
    void truncatedFile()
    {
        QFETCH(int, cut);
        QFETCH(QString, word);
        using namespace DctFormat;
        QByteArray bytes;
        if (cut == 0)
            bytes = DctTestFile::header();
        else if (cut == 1)
            bytes = DctTestFile::fileOf({makeCell('d', true, false, 2)});
        else if (cut == 2)
            bytes = DctTestFile::fileOf(DctTestFile::treeOf({"dog"})).chopped(2);
        else
            bytes = DctTestFile::fileOf({makeCell('d', false, false, 0)});
        const QString dct = path(QStringLiteral("SHORT.DCT"));
        QVERIFY(DctTestFile::write(dct, bytes));
        auto dictionary = make();
        QVERIFY(dictionary->openMainDictionary(dct));
        QVERIFY(!dictionary->isWord(word));
        QVERIFY(!dictionary->ioError().isEmpty());
    }

    void nameFoundWhateverItsCase()
    {
        const QDir dir(path(QStringLiteral("case")));
        QVERIFY(QDir().mkpath(dir.path()));
        QVERIFY(DctTestFile::writeWords(dir.filePath(QStringLiteral("ENGLISH.DCT")), {"dog"}));
        QVERIFY(writeText(dir.filePath(QStringLiteral("USERDCT.DCT")), "cat\n"));
        auto dictionary = make();
        QVERIFY(dictionary->openMainDictionary(dir.filePath(QStringLiteral("English.dct"))));
        // A second name for the same file is not opened again.
        QVERIFY(dictionary->openMainDictionary(dir.filePath(QStringLiteral("english.DCT"))));
        QCOMPARE(dictionary->mainDictionaryFiles().size(), 1);
        QVERIFY(dictionary->isWord(QStringLiteral("dog")));
        // A bare list name is taken from the dictionary's directory.
        QVERIFY(dictionary->openUserList(QStringLiteral("userdct.dct")));
        QCOMPARE(dictionary->userListPath(), dir.filePath(QStringLiteral("USERDCT.DCT")));
        QVERIFY(dictionary->isWord(QStringLiteral("cat")));
    }

    void onlyOneDictionary()
    {
        auto first = make();
        QVERIFY(first);
        ScriptedPrompter prompter;
        auto second = TDictionary::create(&prompter);
        QVERIFY(!second);
        QCOMPARE(second.error(), QStringLiteral("Multiple Dictionaries not supported."));
        QCOMPARE(prompter.texts(),
                 QStringList{"Programmer Error. Only one dictionary\robject can be initialized at once."});
        QCOMPARE(prompter.messages().first().kind, Prompter::Kind::Error);
        first.reset();
        QVERIFY(TDictionary::create(&prompter));
    }

    void userListLoaded()
    {
        const QString list = path(QStringLiteral("loaded.txt"));
        QVERIFY(writeText(list, "Zebra\r\napple\r\n\r\nzebra\r\n  Mango  \r\n"));
        auto dictionary = withWords({"dog"});
        QVERIFY(dictionary->openUserList(list));
        QCOMPARE(dictionary->userWords(), (QStringList{"apple", "mango", "zebra"}));
        QVERIFY(dictionary->isWord(QStringLiteral("Mango")));
        QVERIFY(!dictionary->isUserListModified());
    }

    void addWord_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QStringList>("userWords");
        QTest::addRow("new word, lower-cased") << "Kestrel" << true << QStringList{"apple", "kestrel"};
        QTest::addRow("word of the main dictionary") << "Dog" << false << QStringList{"apple"};
        QTest::addRow("possessive of a known word") << "dog's" << false << QStringList{"apple"};
        QTest::addRow("word of the user list") << "APPLE" << false << QStringList{"apple"};
        QTest::addRow("sorted in front") << "aardvark" << true << QStringList{"aardvark", "apple"};
        QTest::addRow("empty word") << "" << false << QStringList{"apple"};
        QTest::addRow("possessive keeps the word it belongs to") << "Smith's" << true
                                                                 << QStringList{"apple", "smith"};
        QTest::addRow("apostrophe s alone") << "'S" << false << QStringList{"apple"};
        QTest::addRow("cut to fifty characters") << QString(60, 'k') << true
                                                 << QStringList{"apple", QString(50, 'k')};
    }
    void addWord()
    {
        QFETCH(QString, word);
        QFETCH(bool, added);
        QFETCH(QStringList, userWords);
        const QString list = path(QStringLiteral("add.txt"));
        QVERIFY(writeText(list, "apple\n"));
        auto dictionary = withWords({"dog"});
        QVERIFY(dictionary->openUserList(list));
        QCOMPARE(dictionary->addWord(word), added);
        QCOMPARE(dictionary->userWords(), userWords);
        QCOMPARE(dictionary->isUserListModified(), added);
        if (added)
            QVERIFY(dictionary->isWord(word));
    }

    void exclusionWins_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("expected");
        QTest::addRow("in the user list and excluded") << "Colour" << false;
        QTest::addRow("in the main dictionary and excluded") << "dog" << false;
        QTest::addRow("excluded word's possessive") << "dog's" << false;
        QTest::addRow("not excluded") << "cat" << true;
    }
    void exclusionWins()
    {
        QFETCH(QString, word);
        QFETCH(bool, expected);
        QVERIFY(writeText(path(QStringLiteral("user.txt")), "colour\n"));
        QVERIFY(writeText(path(QStringLiteral("exclude.txt")), "COLOUR\nDog\n"));
        auto dictionary = withWords({"dog", "cat"});
        QVERIFY(dictionary->openUserList(path(QStringLiteral("user.txt"))));
        QVERIFY(dictionary->openExclusionList(path(QStringLiteral("exclude.txt"))));
        QCOMPARE(dictionary->isWord(word), expected);
    }

    void saveCreatesMissingList()
    {
        const QString list = path(QStringLiteral("new/USERDCT.DCT"));
        QVERIFY(QDir().mkpath(path(QStringLiteral("new"))));
        auto dictionary = withWords({"dog"});
        QVERIFY(!dictionary->openUserList(list));
        QVERIFY(dictionary->addWord(QStringLiteral("Wren")));
        QVERIFY(dictionary->addWord(QStringLiteral("finch")));
        QVERIFY(dictionary->saveUserList());
        QVERIFY(!dictionary->isUserListModified());
        QCOMPARE(readLines(list), (QStringList{"finch", "wren"}));
    }

    void saveMergesChangesOnDisk()
    {
        const QString list = path(QStringLiteral("shared.txt"));
        QVERIFY(writeText(list, "apple\n"));
        auto dictionary = withWords({"dog"});
        QVERIFY(dictionary->openUserList(list));
        QVERIFY(dictionary->addWord(QStringLiteral("kestrel")));
        // Another program adds words meanwhile.
        QVERIFY(writeText(list, "apple\nbanana\nzucchini\n"));
        {
            QFile touched(list);
            QVERIFY(touched.open(QIODevice::ReadWrite));
            QVERIFY(touched.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
        }
        QVERIFY(dictionary->saveUserList());
        QCOMPARE(readLines(list), (QStringList{"apple", "banana", "kestrel", "zucchini"}));
        QVERIFY(dictionary->isWord(QStringLiteral("banana")));
        // And once more after our own save.
        QVERIFY(writeText(list, "apple\nbanana\nkestrel\nzucchini\nyam\n"));
        QVERIFY(dictionary->addWord(QStringLiteral("wren")));
        QVERIFY(dictionary->saveUserList());
        QCOMPARE(readLines(list), (QStringList{"apple", "banana", "kestrel", "wren", "yam", "zucchini"}));
    }

    void saveKeepsWordsReadingTheSame()
    {
        // The leading no-break space makes the file Windows-1252 and is trimmed
        // away: written back plainly, "\xDF\xA9" would be one UTF-8 letter.
        const QString list = path(QStringLiteral("latin.txt"));
        QVERIFY(writeText(list, "\xA0\xDF\xA9\n"));
        auto dictionary = withWords({"dog"});
        QVERIFY(dictionary->openUserList(list));
        QCOMPARE(dictionary->userWords(), QStringList{QStringLiteral("\u00DF\u00A9")});
        QVERIFY(dictionary->addWord(QStringLiteral("wren")));
        QVERIFY(dictionary->saveUserList());
        const auto saved = TextFile::read(list);
        QVERIFY(saved);
        QCOMPARE(saved->text, QStringLiteral("wren\n\u00DF\u00A9\n"));
    }

    void longLinesReadBackAsSaved_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("word");
        QTest::addRow("cut ends in a blank") << QByteArray(49, 'a') + " tail" << QString(49, 'a');
        QTest::addRow("cut ends in a tab") << QByteArray(49, 'b') + "\ttail" << QString(49, 'b');
        QTest::addRow("cut inside the word") << QByteArray(55, 'c') << QString(50, 'c');
        QTest::addRow("blank after the cut") << QByteArray(50, 'd') + " x" << QString(50, 'd');
    }
    void longLinesReadBackAsSaved()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, word);
        const QString list = path(QStringLiteral("long.txt"));
        QVERIFY(writeText(list, line + "\n"));
        {
            auto dictionary = withWords({"dog"});
            QVERIFY(dictionary->openUserList(list));
            QCOMPARE(dictionary->userWords(), QStringList{word});
            QVERIFY(dictionary->addWord(QStringLiteral("wren")));
            QVERIFY(dictionary->saveUserList());
        }
        auto reopened = make(); // one dictionary at a time
        QVERIFY(reopened && reopened->openUserList(list));
        QCOMPARE(reopened->userWords(), (QStringList{word, QStringLiteral("wren")}));
        QCOMPARE(readLines(list), (QStringList{word, QStringLiteral("wren")}));
    }

    void failedSaveKeepsListModified()
    {
        const QString list = path(QStringLiteral("locked.txt"));
        QVERIFY(writeText(list, "apple\n"));
        auto dictionary = withWords({"dog"});
        QVERIFY(dictionary->openUserList(list));
        QVERIFY(dictionary->addWord(QStringLiteral("kestrel")));
        QVERIFY(QFile::remove(list));
        QVERIFY(QDir().mkpath(list)); // a directory where the file was: cannot be written
        QVERIFY(!dictionary->saveUserList());
        QVERIFY(dictionary->isUserListModified());
        QVERIFY(QDir(list).removeRecursively());
        QVERIFY(dictionary->close());
        QCOMPARE(readLines(list), (QStringList{"apple", "kestrel"}));
        QVERIFY(dictionary->mainDictionaryFiles().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTDictionary)
#include "tst_tdictionary.moc"
