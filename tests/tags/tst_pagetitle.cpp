// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/pagetitle.h"

#include <QTest>

using namespace Tarnwick;

class TestPageTitle final : public QObject
{
    Q_OBJECT

private slots:
    void title_data();
    void title();
};

void TestPageTitle::title_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");

    QTest::addRow("plain") << "<html><head><TITLE>Prices</TITLE></head>"
                           << "Prices";
    QTest::addRow("lower case, attribute") << "<title lang=en>Price List</title>"
                                           << "Price List";
    QTest::addRow("white space run together") << "<title>\n  Price\n  List  </title>"
                                              << "Price List";
    QTest::addRow("first closed title") << "<title>One</title><title>Two</title>"
                                        << "One";
    QTest::addRow("not closed") << "<head><title>Lost"
                                << "";
    QTest::addRow("no title, only head") << "<head></head>"
                                         << "";
    QTest::addRow("titlebar is another tag") << "<titlebar>x</titlebar>"
                                             << "";
    QTest::addRow("empty text") << ""
                                << "";
}

void TestPageTitle::title()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    QCOMPARE(PageTitle::fromText(text), title);
}

QTEST_GUILESS_MAIN(TestPageTitle)
#include "tst_pagetitle.moc"
