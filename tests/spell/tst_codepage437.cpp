// SPDX-License-Identifier: GPL-3.0-or-later
#include "spell/codepage437.h"

#include <QTest>

using namespace Tarnwick;

class TestCodePage437 : public QObject
{
    Q_OBJECT

private slots:
    void convert_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("ascii") << "dog's 42" << QByteArray("dog's 42");
        QTest::addRow("accented letters") << "\u00e7\u00fc\u00e9\u00f1\u00d1" << QByteArray("\x87\x81\x82\xa4\xa5");
        QTest::addRow("sharp s") << "stra\u00dfe" << QByteArray("stra\xe1" "e");
        QTest::addRow("last byte") << "\u00a0" << QByteArray("\xff");
        QTest::addRow("greek and symbols") << "\u03b1\u2248\u25a0" << QByteArray("\xe0\xf7\xfe");
    }
    void convert()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CodePage437::fromUnicode(text).value(), bytes);
        QCOMPARE(CodePage437::toUnicode(bytes), text);
        QVERIFY(CodePage437::isRepresentable(text));
    }

    void notRepresentable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addRow("euro sign") << "5\u20ac";
        QTest::addRow("letter of another code page") << "\u0142\u00f3d\u017a";
        QTest::addRow("typographic apostrophe") << "dog\u2019s";
    }
    void notRepresentable()
    {
        QFETCH(QString, text);
        QVERIFY(!CodePage437::fromUnicode(text));
        QVERIFY(!CodePage437::isRepresentable(text));
    }

    // Every byte has its own character and comes back from it.
    void everyByteRoundTrips()
    {
        QSet<QChar> seen;
        for (int byte = 0; byte < 256; ++byte) {
            const QChar ch = CodePage437::toUnicode(quint8(byte));
            QVERIFY2(!seen.contains(ch), qPrintable(QString::number(byte, 16)));
            seen.insert(ch);
            QCOMPARE(CodePage437::fromUnicode(ch), byte);
        }
    }
};

QTEST_GUILESS_MAIN(TestCodePage437)
#include "tst_codepage437.moc"
