// SPDX-License-Identifier: GPL-3.0-or-later
#include "spell/phoneticcode.h"

#include <QTest>

using namespace Tarnwick;

class TestPhoneticCode : public QObject
{
    Q_OBJECT

private slots:
    void code_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QByteArray>("unfilled");
        QTest::addColumn<QByteArray>("filled");
        QTest::addRow("classic example") << QByteArray("robert") << QByteArray("R163") << QByteArray("R163");
        QTest::addRow("first letter upper-cased") << QByteArray("rupert") << QByteArray("R163") << QByteArray("R163");
        QTest::addRow("vowels only") << QByteArray("tea") << QByteArray("T") << QByteArray("T000");
        QTest::addRow("one letter") << QByteArray("a") << QByteArray("A") << QByteArray("A000");
        QTest::addRow("h codes as 2") << QByteArray("ahab") << QByteArray("A21") << QByteArray("A210");
        QTest::addRow("repeat of the kept digit dropped") << QByteArray("ashcraft") << QByteArray("A261")
                                                          << QByteArray("A261");
        QTest::addRow("repeat across a vowel dropped too") << QByteArray("tymczak") << QByteArray("T52")
                                                           << QByteArray("T520");
        QTest::addRow("second character kept like the first") << QByteArray("pfister") << QByteArray("P123")
                                                              << QByteArray("P123");
        QTest::addRow("cut to four") << QByteArray("blackstrap") << QByteArray("B423") << QByteArray("B423");
        QTest::addRow("unknown character codes as byte 0") << QByteArray("o'k") << QByteArray("O\0" "2", 3)
                                                           << QByteArray("O\0" "20", 4);
        QTest::addRow("repeated unknown characters") << QByteArray("x''y") << QByteArray("X\0", 2)
                                                     << QByteArray("X\0" "00", 4);
        QTest::addRow("code page letters") << QByteArray("a\x87\xa4\x9f") << QByteArray("A251")
                                           << QByteArray("A251");
        QTest::addRow("accented vowels dropped") << QByteArray("b\x82\x81t") << QByteArray("B3")
                                                 << QByteArray("B300");
        QTest::addRow("accented first letter kept as is") << QByteArray("\xa4u") << QByteArray("\xa4")
                                                          << QByteArray("\xa4" "000");
        QTest::addRow("empty word") << QByteArray() << QByteArray() << QByteArray("0000");
    }
    void code()
    {
        QFETCH(QByteArray, word);
        QFETCH(QByteArray, unfilled);
        QFETCH(QByteArray, filled);
        QCOMPARE(PhoneticCode::of(word, false), unfilled);
        QCOMPARE(PhoneticCode::of(word, true), filled);
    }

    void matchesBeginning_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<bool>("expected");
        QTest::addRow("first letter only") << QByteArray("T") << true;
        QTest::addRow("same beginning") << QByteArray("T5") << true;
        QTest::addRow("whole code") << QByteArray("T520") << true;
        QTest::addRow("other digit") << QByteArray("T2") << false;
        QTest::addRow("other letter") << QByteArray("D") << false;
    }
    void matchesBeginning()
    {
        QFETCH(QByteArray, code);
        QFETCH(bool, expected);
        QCOMPARE(PhoneticCode::matchesBeginning(code, "T520"), expected);
    }
};

QTEST_GUILESS_MAIN(TestPhoneticCode)
#include "tst_phoneticcode.moc"
