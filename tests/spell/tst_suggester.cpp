// SPDX-License-Identifier: GPL-3.0-or-later
#include "dcttestfile.h"
#include "spell/suggester.h"
#include "spell/tdictionary.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestSuggester : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDictionary> m_dictionary;

    const QStringList m_words { "a",     "lot", "cad",  "cot",  "cut", "the",    "then",    "there",
                                "these", "ten", "tan",  "b",    "bo",  "booooo", "boooooo", "dog",
                                "café",  "zoo", "club", "year", "ye",  "er",     "friend" };

    // Opens dct as the only main dictionary, in place of the one open: only
    // one dictionary may exist at a time.
    bool openDictionary(const QString &dct)
    {
        m_dictionary.reset();
        auto created = TDictionary::create(nullptr);
        if (!created)
            return false;
        m_dictionary = std::move(created.value());
        return m_dictionary->openMainDictionary(dct).ok();
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        const QString dct = m_dir.filePath(QStringLiteral("ENGLISH.DCT"));
        QVERIFY(DctTestFile::writeWords(dct, m_words));
        QVERIFY(openDictionary(dct));
        QVERIFY(!m_dictionary->openUserList(m_dir.filePath(QStringLiteral("USERDCT.DCT"))));
    }

    void cleanup() { m_dictionary.reset(); }

    // expected is the beginning of what is offered, or all of it when exact.
    void suggest_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("exact");
        QTest::addRow("split into two words first")
            << "alot" << 3 << QStringList { "a lot" } << false;
        QTest::addRow("capital first letter") << "Teh" << 1 << QStringList { "The" } << true;
        QTest::addRow("all capitals") << "TEH" << 1 << QStringList { "THE" } << true;
        QTest::addRow("ties in tree order")
            << "cat" << 5 << QStringList { "cad", "cot", "cut" } << false;
        QTest::addRow("capacity bounds the list")
            << "cat" << 2 << QStringList { "cad", "cot" } << true;
        QTest::addRow("nothing within reach") << "xyzzy" << 5 << QStringList {} << true;
        QTest::addRow("accented word") << "cafe" << 5 << QStringList { "café" } << false;
        QTest::addRow("nothing asked") << "cat" << 0 << QStringList {} << true;
        QTest::addRow("empty word") << "" << 5 << QStringList {} << true;
        // Close words that keep the first letter go before two words run together.
        QTest::addRow("doubled letter before split")
            << "clubb" << 2 << QStringList { "club", "club b" } << true;
        QTest::addRow("close words before split")
            << "yeer" << 3 << QStringList { "year", "ye", "ye er" } << true;
        QTest::addRow("letters swapped inside")
            << "freind" << 1 << QStringList { "friend" } << true;
        QTest::addRow("split when nothing close keeps the first letter")
            << "alot" << 1 << QStringList { "a lot" } << true;
        // Further than two edits, found by sound alone: still offered.
        QTest::addRow("sound-alike beyond two edits")
            << "thhhere" << 3 << QStringList { "there" } << false;
    }
    void suggest()
    {
        QFETCH(QString, word);
        QFETCH(int, n);
        QFETCH(QStringList, expected);
        QFETCH(bool, exact);
        Suggester suggester(*m_dictionary);
        const QStringList found = suggester.suggest(word, n);
        QVERIFY2(found.size() <= std::max(n, 0), qPrintable(found.join(u',')));
        QCOMPARE(exact ? found : found.first(std::min(found.size(), expected.size())), expected);
        QVERIFY(m_dictionary->ioError().isEmpty());
    }

    // Many close words that keep the first letter: two words run together
    // still come fifth, not below all of them.
    void splitKeepsAPlaceAmongTheFirstFive()
    {
        const QString dct = m_dir.filePath(QStringLiteral("ALOT.DCT"));
        QVERIFY(DctTestFile::writeWords(
            dct, { "a", "lot", "allot", "aloft", "alto", "aloe", "alit", "also" }));
        QVERIFY(openDictionary(dct));
        Suggester suggester(*m_dictionary);
        const QStringList found = suggester.suggest(QStringLiteral("alot"), 10);
        QCOMPARE(found.indexOf(QStringLiteral("a lot")), Suggester::MaxBeforeSplits);
        for (const QString &word : found.first(Suggester::MaxBeforeSplits))
            QVERIFY2(word.startsWith(u'a') && !word.contains(u' '), qPrintable(word));
    }

    // A word the exclusion list rejects is never offered.
    void excludedWordsAreNotOffered()
    {
        const QString excluded = m_dir.filePath(QStringLiteral("excluded.txt"));
        QFile file(excluded);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("cot\n");
        file.close();
        QVERIFY(m_dictionary->openExclusionList(excluded));
        Suggester suggester(*m_dictionary);
        const QStringList found = suggester.suggest(QStringLiteral("cat"), 5);
        QVERIFY2(found.startsWith(QStringLiteral("cad")) && !found.contains(QStringLiteral("cot")),
                 qPrintable(found.join(u',')));
    }

    // "boaa" may be offered words of two to six letters, from the user list too.
    void lengthWindow()
    {
        QVERIFY(m_dictionary->addWord(QStringLiteral("booooooooo")));
        QVERIFY(m_dictionary->addWord(QStringLiteral("booe")));
        Suggester suggester(*m_dictionary);
        const QStringList found = suggester.suggest(QStringLiteral("boaa"), 20);
        for (const QString &word : found)
            QVERIFY2(word.size() >= 2 && word.size() <= 6, qPrintable(word));
        for (const char *word : { "bo", "booooo", "booe" })
            QVERIFY2(found.contains(QLatin1String(word)), word);
    }

    void userWordsSuggested()
    {
        QVERIFY(m_dictionary->addWord(QStringLiteral("dug")));
        Suggester suggester(*m_dictionary);
        QCOMPARE(suggester.suggest(QStringLiteral("Dgo"), 5).first(2),
                 (QStringList { "Dog", "Dug" }));
    }

    void quickSuggest_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("words below the prefix in tree order")
            << "the" << 10 << QStringList { "then", "there", "these" };
        QTest::addRow("limited to n") << "the" << 2 << QStringList { "then", "there" };
        QTest::addRow("whole subtree depth first")
            << "th" << 10 << QStringList { "the", "then", "there", "these" };
        QTest::addRow("recased like the prefix") << "Th" << 2 << QStringList { "The", "Then" };
        QTest::addRow("capitals") << "THE" << 1 << QStringList { "THEN" };
        QTest::addRow("prefix not in the tree") << "thx" << 10 << QStringList {};
        QTest::addRow("word without continuation") << "zoo" << 10 << QStringList {};
        QTest::addRow("empty prefix") << "" << 10 << QStringList {};
    }
    void quickSuggest()
    {
        QFETCH(QString, prefix);
        QFETCH(int, n);
        QFETCH(QStringList, expected);
        Suggester suggester(*m_dictionary);
        QCOMPARE(suggester.quickSuggest(prefix, n), expected);
    }

    void damagedFileEndsTheWalk()
    {
        using namespace DctFormat;
        // The child list of "t" lies beyond the end of the file.
        const QString dct = m_dir.filePath(QStringLiteral("SHORT.DCT"));
        QVERIFY(DctTestFile::write(dct, DctTestFile::fileOf({ makeCell('t', true, true, 40) })));
        QVERIFY(openDictionary(dct));
        Suggester suggester(*m_dictionary);
        QVERIFY(suggester.suggest(QStringLiteral("tehh"), 5).isEmpty());
        QVERIFY(!m_dictionary->ioError().isEmpty());
        m_dictionary->clearIoError();
        QVERIFY(suggester.quickSuggest(QStringLiteral("t"), 5).isEmpty());
        QVERIFY(!m_dictionary->ioError().isEmpty());
    }

    // A child list that points back up the tree must not make completion endless.
    void loopingFileStops()
    {
        using namespace DctFormat;
        const QString dct = m_dir.filePath(QStringLiteral("LOOP.DCT"));
        QVERIFY(DctTestFile::write(dct, DctTestFile::fileOf({ makeCell('a', true, true, 1) })));
        QVERIFY(openDictionary(dct));
        Suggester suggester(*m_dictionary);
        const QStringList found = suggester.quickSuggest(QStringLiteral("a"), 255);
        QCOMPARE(found.size(), TDictionary::MaxWordLength - 1);
        QCOMPARE(found.last(), QString(TDictionary::MaxWordLength, QLatin1Char('a')));
        QVERIFY(suggester.suggest(QStringLiteral("aaaa"), 255).size() <= 255);
    }

    void loopingChildListsEndTheWalk_data()
    {
        QTest::addColumn<bool>("wordEnds");
        QTest::addColumn<bool>("quick");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("found");
        QTest::addRow("suggest") << false << false << QString(40, u'a') << 0;
        QTest::addRow("quick suggest") << false << true << QStringLiteral("a") << 0;
        // Scoring every candidate is what makes such a walk slow.
        QTest::addRow("suggest, every letter ends a word")
            << true << false << QStringLiteral("abeabbaeabeaabbaeabaeabbbeaaeaaeabaebaeaeabab")
            << 255;
    }

    // Cells whose child lists all point back to the root list: the tree below
    // "a" grows with every letter and has no end.
    void loopingChildListsEndTheWalk()
    {
        using namespace DctFormat;
        QFETCH(bool, wordEnds);
        QFETCH(bool, quick);
        QFETCH(QString, word);
        QFETCH(int, found);
        const QString dct = m_dir.filePath(QStringLiteral("LOOP2.DCT"));
        QVERIFY(DctTestFile::write(dct,
                                   DctTestFile::fileOf({ makeCell('a', false, wordEnds, 1),
                                                         makeCell('b', false, wordEnds, 1),
                                                         makeCell('e', true, wordEnds, 1) })));
        QVERIFY(openDictionary(dct));
        Suggester suggester(*m_dictionary);
        const int asked = Suggester::MaxSuggestions;
        const QStringList result
            = quick ? suggester.quickSuggest(word, asked) : suggester.suggest(word, asked);
        QCOMPARE(result.size(), found);
        QVERIFY(!m_dictionary->ioError().isEmpty());
        QVERIFY(suggester.cellsRead() <= Suggester::MaxCellsPerWalk);
    }
};

QTEST_GUILESS_MAIN(TestSuggester)
#include "tst_suggester.moc"
