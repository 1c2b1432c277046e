// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/entrynames.h"

#include <QTest>

using namespace Tarnwick;

class TestEntryNames final : public QObject
{
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void importDescription_data();
    void importDescription();
};

void TestEntryNames::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain"); // a file name of the project directory
    QTest::addColumn<bool>("newPage"); // typed into "Create Page"

    QTest::addRow("name") << "index" << true << true;
    QTest::addRow("name with extension") << "index.htm" << true << false;
    QTest::addRow("hyphen") << "my-page.htm" << true << false;
    QTest::addRow("empty") << "" << false << false;
    QTest::addRow("point") << "." << false << false;
    QTest::addRow("two points") << ".." << false << false;
    QTest::addRow("climbing out") << "../x.htm" << false << false;
    QTest::addRow("subdirectory") << "pics/x.htm" << false << false;
    QTest::addRow("backslash") << "pics\\x" << false << false;
    QTest::addRow("drive") << "c:x" << false << false;
    QTest::addRow("absolute") << "/etc/passwd" << false << false;
    QTest::addRow("tab") << "a\tb" << false << false;
    QTest::addRow("line feed") << "a\nb" << false << false;
    QTest::addRow("delete character") << QString("a") + QChar(0x7f) << false << false;
    QTest::addRow("three points") << "..." << true << false;
}

void TestEntryNames::names()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QFETCH(bool, newPage);
    QCOMPARE(EntryNames::isPlainFileName(name), plain);
    QCOMPARE(EntryNames::isNewPageName(name), newPage);
}

void TestEntryNames::importDescription_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description");

    QTest::addRow("typed wins") << "Prices"
                                << "Price list 1998"
                                << "Prices";
    QTest::addRow("title cut to 25") << ""
                                     << "Twenty-six characters long"
                                     << "Twenty six characters lon";
    QTest::addRow("title with a dash") << ""
                                       << "Prices - 1998"
                                       << "Prices   1998";
    QTest::addRow("nothing") << ""
                             << ""
                             << "New Page";
    QTest::addRow("control characters") << "A\tB"
                                        << ""
                                        << "A B";
}

void TestEntryNames::importDescription()
{
    QFETCH(QString, typed);
    QFETCH(QString, title);
    QFETCH(QString, description);
    QCOMPARE(EntryNames::importDescription(typed, title), description);
}

QTEST_GUILESS_MAIN(TestEntryNames)
#include "tst_entrynames.moc"
