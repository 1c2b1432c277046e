// SPDX-License-Identifier: GPL-3.0-or-later
#include "spell/codepage437.h"
#include "spell/spellingcost.h"

#include <QTest>

using namespace Tarnwick;

class TestSpellingCost : public QObject
{
    Q_OBJECT

private:
    static QByteArray cp437(const QString &text) { return *CodePage437::fromUnicode(text); }

private slots:
    // For each misspelling, the word a typist most likely meant costs less
    // than the other word, which is as many plain edits away.
    void likelierSlipCostsLess_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("likely");
        QTest::addColumn<QString>("other");
        QTest::addRow("doubled letter") << "comming"
                                        << "coming"
                                        << "comping";
        QTest::addRow("single for double") << "begining"
                                           << "beginning"
                                           << "beginging";
        QTest::addRow("swapped letters") << "thier"
                                         << "their"
                                         << "tier";
        QTest::addRow("vowel for vowel") << "seperate"
                                         << "separate"
                                         << "sederate";
        QTest::addRow("sound-alike consonant") << "lisense"
                                               << "license"
                                               << "lisente";
        QTest::addRow("accent left out") << "cafe"
                                         << "café"
                                         << "cafs";
        QTest::addRow("key next to it") << "teat"
                                        << "test"
                                        << "tent";
        QTest::addRow("silent h") << "rythm"
                                  << "rhythm"
                                  << "rythms";
        QTest::addRow("first letter seldom wrong") << "hat"
                                                   << "has"
                                                   << "cat";
        QTest::addRow("w is quiet") << "shoing"
                                    << "showing"
                                    << "shoring";
    }
    void likelierSlipCostsLess()
    {
        QFETCH(QString, typed);
        QFETCH(QString, likely);
        QFETCH(QString, other);
        const QByteArray t = cp437(typed);
        QCOMPARE(SpellingCost::edits(t, cp437(likely)), SpellingCost::edits(t, cp437(other)));
        QVERIFY2(SpellingCost::between(t, cp437(likely)) < SpellingCost::between(t, cp437(other)),
                 qPrintable(QStringLiteral("%1 %2")
                                .arg(SpellingCost::between(t, cp437(likely)))
                                .arg(SpellingCost::between(t, cp437(other)))));
    }

    void edits_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("edits");
        QTest::addRow("same") << QByteArray("word") << QByteArray("word") << 0;
        QTest::addRow("empty") << QByteArray() << QByteArray("abc") << 3;
        QTest::addRow("swap is one") << QByteArray("teh") << QByteArray("the") << 1;
        QTest::addRow("swap and more") << QByteArray("tounge") << QByteArray("tongue") << 2;
        QTest::addRow("insert") << QByteArray("rythm") << QByteArray("rhythm") << 1;
        QTest::addRow("no swap across an edit") << QByteArray("ca") << QByteArray("abc") << 3;
    }
    void edits()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, edits);
        QCOMPARE(SpellingCost::edits(a, b), edits);
        QCOMPARE(SpellingCost::edits(b, a), edits);
        // A plain edit never costs more than one, so the weighted cost stays
        // within the edits, plus the first letter's extra.
        QVERIFY(SpellingCost::between(a, b) <= edits * (SpellingCost::Edit + 50));
        QCOMPARE(SpellingCost::between(a, b) == 0, edits == 0);
    }
};

QTEST_GUILESS_MAIN(TestSpellingCost)
#include "tst_spellingcost.moc"
