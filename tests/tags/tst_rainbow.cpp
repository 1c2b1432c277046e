// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/rainbow.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace Tarnwick;

class TestRainbow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void standardWalk_data();
    void standardWalk();
    void randomWalkCases();
    void randomColors_data();
    void randomColors();
    void seededRunsRepeat();
    void surrogatePairWrappedWhole();
};

namespace {

QStringList colorsOf(const QString &markup)
{
    static const QRegularExpression font(QStringLiteral("<FONT COLOR=\"([^\"]*)\">"));
    QStringList colors;
    for (auto it = font.globalMatch(markup); it.hasNext();)
        colors.append(it.next().captured(1));
    return colors;
}

} // namespace

void TestRainbow::standardWalk_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QString>("expected");

    // Red: (255,0,0) -> (33,0,33) -> (66,0,67) -> (100,0,100)
    QTest::addRow("three letters from red")
        << "abc" << QColor(Qt::red)
        << "<FONT COLOR=\"#210021\">a</FONT><FONT COLOR=\"#420043\">b</FONT>"
           "<FONT COLOR=\"#640064\">c</FONT>";
    // (200,10,250) -> (283 mod 256 = 27, 10, 234)
    QTest::addRow("components wrap")
        << "x" << QColor(200, 10, 250) << "<FONT COLOR=\"#1B0AEA\">x</FONT>";
    QTest::addRow("blank and line break wrapped")
        << " \n"
        << QColor(0, 0, 0) << "<FONT COLOR=\"#210022\"> </FONT><FONT COLOR=\"#430043\">\n</FONT>";
    QTest::addRow("empty") << "" << QColor(Qt::red) << "";
}

void TestRainbow::standardWalk()
{
    QFETCH(QString, text);
    QFETCH(QColor, base);
    QFETCH(QString, expected);
    QRandomGenerator random(1);
    QCOMPARE(Rainbow::CreateRainbow(text, {}, base, random), expected);
}

void TestRainbow::randomWalkCases()
{
    // Every step is one of the three cases, and all three occur.
    QRandomGenerator random(7);
    QSet<int> seen;
    QColor c(10, 20, 240);
    for (int i = 0; i < 200; ++i) {
        const QColor next = Rainbow::step(c, Rainbow::Walk::Random, random);
        const QColor a(c.blue(), c.green(), (c.red() + 34) % 256);
        const QColor b(c.blue(), c.green(), c.red());
        const QColor d((c.blue() + 34) % 256, c.green(), c.red());
        QVERIFY(next == a || next == b || next == d);
        seen.insert(next == a ? 0 : next == b ? 1 : 2);
        c = next;
    }
    QCOMPARE(seen.size(), 3);
}

void TestRainbow::randomColors_data()
{
    QTest::addColumn<bool>("sixteen");
    QTest::addRow("any colour") << false;
    QTest::addRow("16 colours") << true;
}

void TestRainbow::randomColors()
{
    QFETCH(bool, sixteen);
    Rainbow::Options options;
    options.useRandom = true;
    options.sixteenColors = sixteen;
    QRandomGenerator random(42);
    const QString text(600, QLatin1Char('x'));
    const QStringList colors = colorsOf(Rainbow::CreateRainbow(text, options, Qt::red, random));
    QCOMPARE(colors.size(), 600);
    static const QRegularExpression hex(QStringLiteral("^#[0-9A-F]{6}$"));
    QSet<QString> distinct;
    for (const QString &color : colors) {
        if (sixteen) {
            QVERIFY(Rainbow::colorNames().contains(color));
            QVERIFY(color != "White");
        } else {
            QVERIFY2(hex.match(color).hasMatch(), qPrintable(color));
            for (int i = 0; i < 3; ++i)
                QVERIFY(color.mid(1 + 2 * i, 2).toInt(nullptr, 16) <= 254);
        }
        distinct.insert(color);
    }
    QCOMPARE(distinct.size() > 14, true);
    if (sixteen)
        QCOMPARE(distinct.size(), 15);
}

void TestRainbow::seededRunsRepeat()
{
    Rainbow::Options options;
    options.walk = Rainbow::Walk::Random;
    QRandomGenerator first(99);
    QRandomGenerator second(99);
    const QString a = Rainbow::CreateRainbow("rainbow", options, Qt::blue, first);
    QCOMPARE(Rainbow::CreateRainbow("rainbow", options, Qt::blue, second), a);
    QCOMPARE(colorsOf(a).size(), 7);
}

void TestRainbow::surrogatePairWrappedWhole()
{
    QRandomGenerator random(1);
    const QString text = QString::fromUtf8("a\xF0\x9F\x8C\x88"
                                           "b");
    const QString markup = Rainbow::CreateRainbow(text, {}, Qt::red, random);
    QCOMPARE(colorsOf(markup).size(), 3);
    QVERIFY(markup.contains(QString::fromUtf8(">\xF0\x9F\x8C\x88</FONT>")));
}

QTEST_GUILESS_MAIN(TestRainbow)
#include "tst_rainbow.moc"
