// SPDX-License-Identifier: GPL-3.0-or-later
#include "spell/similarity.h"

#include <QTest>

using namespace Tarnwick;

class TestSimilarity : public QObject
{
    Q_OBJECT

private slots:
    void score_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QByteArray>("candidate");
        QTest::addColumn<int>("expected");
        QTest::addRow("same word") << QByteArray("the") << QByteArray("the") << 100;
        QTest::addRow("two letters swapped") << QByteArray("teh") << QByteArray("the") << 66;
        QTest::addRow("one letter changed inside") << QByteArray("abcd") << QByteArray("abxd") << 75;
        QTest::addRow("nothing in common") << QByteArray("abc") << QByteArray("xyz") << 0;
        QTest::addRow("single letters add nothing") << QByteArray("a") << QByteArray("a") << 0;
        QTest::addRow("run reaching the end of the word") << QByteArray("aa") << QByteArray("aaa") << 80;
        QTest::addRow("empty candidate") << QByteArray("abc") << QByteArray() << 0;
        QTest::addRow("both empty") << QByteArray() << QByteArray() << 0;
        QTest::addRow("letters of one side repeated") << QByteArray("cat") << QByteArray("cot") << 66;
        QTest::addRow("prefix of the candidate") << QByteArray("cat") << QByteArray("cats") << 85;
        // Once a run is taken, the bounds of that range shrink to its length
        // short of the end, so runs near the end count less than a plain
        // longest-common-run split would count them.
        QTest::addRow("run after the first one cut short") << QByteArray("seperate") << QByteArray("separate") << 50;
        QTest::addRow("swapped letters in the middle") << QByteArray("recieve") << QByteArray("receive") << 71;
        QTest::addRow("doubled letters missing") << QByteArray("misisipi") << QByteArray("mississippi") << 73;
        QTest::addRow("one letter changed near the end") << QByteArray("definately") << QByteArray("definitely") << 90;
    }
    void score()
    {
        QFETCH(QByteArray, word);
        QFETCH(QByteArray, candidate);
        QFETCH(int, expected);
        QCOMPARE(Similarity::score(word, candidate), expected);
    }
};

QTEST_GUILESS_MAIN(TestSimilarity)
#include "tst_similarity.moc"
