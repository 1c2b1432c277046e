// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/safesurflabel.h"

#include <QTest>

using namespace Tarnwick;

Q_DECLARE_METATYPE(Tarnwick::SafeSurfLabel)

class TestSafeSurfLabel final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void questions();
    void text_data();
    void text();
    void readsBack_data();
    void readsBack();
    void foreignLabels_data();
    void foreignLabels();
};

void TestSafeSurfLabel::questions()
{
    const QList<SafeSurfLabel::Question> &list = SafeSurfLabel::questions();
    QCOMPARE(list.size(), 11);
    for (int i = 0; i < list.size(); ++i) {
        QCOMPARE(list[i].levels.size(), 10);
        for (int level = 0; level < 10; ++level)
            QVERIFY(list[i].levels[level].startsWith(QString::number(level) + ") "));
        QCOMPARE(list[i].levels[0], QString("0) N/A"));
    }
    QCOMPARE(list[0].levels[9], QString("9) Explicitly for Adults"));
    QCOMPARE(list[3].code, QString("SS~~003"));
    QCOMPARE(list[3].levels, list[2].levels);
    QCOMPARE(list[6].levels[8], QString("8) Explicit Vulgarity"));
    QCOMPARE(list[7].levels[4], QString("4) Non-Graphic-Literary"));
    QCOMPARE(list[10].code, QString("SS~~00A"));
    QCOMPARE(list[10].levels[4], QString("4) Non-Graphic-Artistic, Advertising"));
}

void TestSafeSurfLabel::text_data()
{
    QTest::addColumn<SafeSurfLabel>("label");
    QTest::addColumn<QString>("expected");

    const QString head = "<META http-equiv=\"PICS-Label\" content='(PICS-1.0 \""
        + SafeSurfLabel::serviceAddress() + "\" l ";
    SafeSurfLabel age;
    age.levels[0] = 3;
    QTest::addRow("age 3 alone") << age << head + " r (SS~~000 3))'>";

    SafeSurfLabel site = age;
    site.siteWide = true;
    site.site = "http://www.example.org/my pages/\"x\"";
    QTest::addRow("site-wide, blanks and quotes encoded")
        << site
        << head + "generic true for \"http://www.example.org/my%20pages/%22x%22\" r (SS~~000 3))'>";

    SafeSurfLabel all;
    for (int i = 0; i < 11; ++i)
        all.levels[i] = i % 9 + 1;
    QTest::addRow("all eleven") << all
                                << head
            + " r (SS~~000 1 SS~~001 2 SS~~002 3 SS~~003 4 SS~~004 5 SS~~005 6 SS~~006 7 "
              "SS~~007 8 SS~~008 9 SS~~009 1 SS~~00A 2))'>";

    SafeSurfLabel noAge;
    noAge.levels[4] = 2;
    QTest::addRow("no age, one other") << noAge << head + " r ( SS~~004 2))'>";
}

void TestSafeSurfLabel::text()
{
    QFETCH(SafeSurfLabel, label);
    QFETCH(QString, expected);
    QCOMPARE(label.text(), expected);
}

void TestSafeSurfLabel::readsBack_data()
{
    QTest::addColumn<SafeSurfLabel>("label");
    SafeSurfLabel none;
    QTest::addRow("nothing rated") << none;
    SafeSurfLabel all;
    for (int i = 0; i < 11; ++i)
        all.levels[i] = 9 - i % 10;
    all.siteWide = true;
    all.site = "http://www.example.org/club/";
    QTest::addRow("all and a site") << all;
    SafeSurfLabel gambling;
    gambling.levels[10] = 7;
    QTest::addRow("gambling alone, last code") << gambling;
}

void TestSafeSurfLabel::readsBack()
{
    QFETCH(SafeSurfLabel, label);
    QVERIFY(SafeSurfLabel::read(label.text()) == label);
}

void TestSafeSurfLabel::foreignLabels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("age");
    QTest::addColumn<int>("gambling");
    QTest::addColumn<bool>("siteWide");
    QTest::addColumn<QString>("site");

    QTest::addRow("level not a digit reads as 0")
        << "(PICS-1.0 \"s\" l r (SS~~000 x SS~~00A 4))" << 0 << 4 << false << "";
    QTest::addRow("code at the very end")
        << "(PICS-1.0 \"s\" l r (SS~~00A" << 0 << 0 << false << "";
    QTest::addRow("site without closing quote")
        << "(PICS-1.0 \"s\" l generic true for \"http://a r (SS~~000 2))" << 2 << 0 << true << "";
}

void TestSafeSurfLabel::foreignLabels()
{
    QFETCH(QString, text);
    QFETCH(int, age);
    QFETCH(int, gambling);
    QFETCH(bool, siteWide);
    QFETCH(QString, site);
    const SafeSurfLabel label = SafeSurfLabel::read(text);
    QCOMPARE(label.levels[0], age);
    QCOMPARE(label.levels[10], gambling);
    QCOMPARE(label.siteWide, siteWide);
    QCOMPARE(label.site, site);
}

QTEST_GUILESS_MAIN(TestSafeSurfLabel)
#include "tst_safesurflabel.moc"
