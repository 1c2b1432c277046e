// SPDX-License-Identifier: GPL-3.0-or-later
#include "dcttestfile.h"
#include "spell/dctbuilder.h"
#include "spell/nearwords.h"
#include "spell/spellingcost.h"
#include "spell/tdctfile.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestNearWords : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // Every word of words within maxEdits of word, by comparing each: what
    // the walk must find, in the same (tree) order.
    static QList<QByteArray> byComparing(const QList<QByteArray> &words, const QByteArray &word,
                                         int maxEdits)
    {
        QList<QByteArray> found;
        for (const QByteArray &candidate : words) {
            if (SpellingCost::edits(word, candidate) <= maxEdits)
                found << candidate;
        }
        return found;
    }

    static QList<QByteArray> walked(const QList<NearWords::Found> &found)
    {
        QList<QByteArray> words;
        for (const NearWords::Found &f : found)
            words << f.word;
        return words;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // The walk leaves branches early and keeps only part of each row; a
    // mistake there loses or invents words. A random dictionary of short
    // words over few letters has many words near each other.
    void findsWhatComparingEachWordFinds_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("maxEdits");
        for (int seed = 1; seed <= 6; ++seed) {
            QTest::addRow("seed %d, two edits", seed) << seed << 2;
            QTest::addRow("seed %d, one edit", seed) << seed << 1;
        }
    }
    void findsWhatComparingEachWordFinds()
    {
        QFETCH(int, seed);
        QFETCH(int, maxEdits);
        QRandomGenerator random { quint32(seed) };
        const auto randomWord = [&random](int shortest, int longest) {
            QByteArray word;
            const int length = random.bounded(shortest, longest + 1);
            for (int i = 0; i < length; ++i)
                word += char("abcde"[random.bounded(5)]);
            return word;
        };
        QStringList text;
        for (int i = 0; i < 400; ++i)
            text << QString::fromLatin1(randomWord(1, 9));
        DctBuilder builder;
        builder.addWords(text);
        const QString path = m_dir.filePath(QStringLiteral("random%1.DCT").arg(seed));
        QVERIFY(builder.write(path));
        auto file = TDCTFile::open(path);
        QVERIFY(file);

        QList<QByteArray> sorted;
        for (const QString &word : std::as_const(text))
            sorted << word.toLatin1();
        std::sort(sorted.begin(), sorted.end());
        sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());

        for (int query = 0; query < 60; ++query) {
            const QByteArray word = randomWord(1, 11);
            NearWords near(**file, qint64(1) << 22);
            const QList<NearWords::Found> found = near.find(word, maxEdits);
            QVERIFY(!near.failed());
            QCOMPARE(walked(found), byComparing(sorted, word, maxEdits));
            for (const NearWords::Found &f : found)
                QCOMPARE(f.edits, SpellingCost::edits(word, f.word));
        }
    }

    // Child lists that point back to the root: the tree has no end, the
    // budget ends the walk and says so.
    void loopingFileEndsWithinBudget()
    {
        using namespace DctFormat;
        const QString path = m_dir.filePath(QStringLiteral("LOOP.DCT"));
        QVERIFY(DctTestFile::write(
            path,
            DctTestFile::fileOf({ makeCell('a', false, true, 1), makeCell('b', true, true, 1) })));
        auto file = TDCTFile::open(path);
        QVERIFY(file);
        constexpr qint64 budget = 5000;
        NearWords near(**file, budget);
        near.find("abababababababababab");
        QVERIFY(near.failed());
        QVERIFY(near.cellsRead() <= budget);
    }

    void emptyWordFindsNothing()
    {
        const QString path = m_dir.filePath(QStringLiteral("SMALL.DCT"));
        QVERIFY(DctTestFile::writeWords(path, { QStringLiteral("a"), QStringLiteral("ab") }));
        auto file = TDCTFile::open(path);
        QVERIFY(file);
        NearWords near(**file, 1000);
        QVERIFY(near.find("").isEmpty());
        QCOMPARE(walked(near.find("b")), (QList<QByteArray> { "a", "ab" }));
    }
};

QTEST_GUILESS_MAIN(TestNearWords)
#include "tst_nearwords.moc"
