// SPDX-License-Identifier: GPL-3.0-or-later
#include "spell/spellcase.h"

#include <QTest>

using namespace Tarnwick;

class TestSpellCase : public QObject
{
    Q_OBJECT

private slots:
    void recase_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addRow("lower case word") << "the" << "teh" << "the";
        QTest::addRow("capital first letter") << "the" << "Teh" << "The";
        QTest::addRow("all capitals") << "the" << "TEH" << "THE";
        QTest::addRow("one capital letter typed") << "a" << "B" << "A";
        QTest::addRow("one lower letter typed") << "ab" << "b" << "ab";
        QTest::addRow("second character an apostrophe") << "o'clock" << "o'clok" << "O'CLOCK";
        QTest::addRow("second character a digit") << "a1b" << "x1y" << "A1B";
        QTest::addRow("split suggestion") << "a lot" << "Alot" << "A lot";
        QTest::addRow("nothing typed") << "the" << "" << "the";
        QTest::addRow("letters with code page capitals") << "\u00fc\u00e9\u00e4\u00e5\u00e7\u00e6\u00f6\u00f1"
                                                         << "XY" << "\u00dc\u00c9\u00c4\u00c5\u00c7\u00c6\u00d6\u00d1";
        QTest::addRow("letters without code page capitals") << "\u00e2\u00e0\u00e1\u00ea\u00ef\u00f4\u00fb\u00ff"
                                                            << "XY" << "AAAEIOUY";
        QTest::addRow("accented first letter capitalised") << "\u00e9t\u00e9" << "\u00c9te" << "\u00c9t\u00e9";
        QTest::addRow("capitals lowered after the first") << "THE" << "Teh" << "The";
    }
    void recase()
    {
        QFETCH(QString, entry);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QCOMPARE(SpellCase::recase(entry, typed), expected);
    }
};

QTEST_GUILESS_MAIN(TestSpellCase)
#include "tst_spellcase.moc"
