// SPDX-License-Identifier: GPL-3.0-or-later
#include "lockeddirectory.h"
#include "testenvironment.h"
#include "wizards/tablebuilder.h"
#include "wizards/tabledefinition.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestTableDefinition final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void roundTrip();
    void malformed_data();
    void malformed();
    void extension_data();
    void extension();
    void failedSaveKeepsTheOldFile();
};

// What is saved reads back line for line, with CR LF on disk.
void TestTableDefinition::roundTrip()
{
    QTemporaryDir dir;
    TableBuilder b;
    TableAttributes a;
    a.caption = "Größe";
    a.borderColor = "102030";
    b.build(3, 2, a);
    const QString path = dir.filePath("t.tbl");
    QVERIFY(TableDefinition::write(path, b.lines()));
    const QByteArray bytes = TestEnvironment::readFile(path);
    QVERIFY(bytes.startsWith("<TABLE BORDER=\"1\""));
    QCOMPARE(bytes.count("\r\n"), b.lines().size());
    QVERIFY(bytes.endsWith("</TABLE>\r\n"));
    const Expected<QStringList> read = TableDefinition::read(path);
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read.value(), b.lines());
    QCOMPARE(TableBuilder::readAttributes(read.value()), a);
}

void TestTableDefinition::malformed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::addRow("empty file")
        << QByteArray() << "bad.tbl, line 1: this is not a table definition (no TABLE tag).";
    QTest::addRow("a page, not a table")
        << QByteArray("<HTML>\r\n<CAPTION>\r\n</TABLE>\r\n")
        << "bad.tbl, line 1: this is not a table definition (no TABLE tag).";
    QTest::addRow("no caption line") << QByteArray("<TABLE BORDER=\"1\">\r\n<TR>\r\n</TABLE>\r\n")
                                     << "bad.tbl, line 2: the CAPTION line is missing.";
    QTest::addRow("cut short") << QByteArray(
        "<TABLE>\r\n<CAPTION ALIGN=\"Top\"><H1></H1></CAPTION>\r\n<TR>\r\n")
                               << "bad.tbl, line 3: the table does not end with \"</TABLE>\".";
    QTest::addRow("two lines only") << QByteArray("<TABLE>\n<CAPTION>")
                                    << "bad.tbl, line 3: the table does not end with \"</TABLE>\".";
}

void TestTableDefinition::malformed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const Expected<QStringList> read = TableDefinition::parse(bytes, "/somewhere/bad.tbl");
    QVERIFY(!read.ok());
    QCOMPARE(read.error(), error);
}

void TestTableDefinition::extension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("saved");
    QTest::addRow("no extension") << "/d/prices"
                                  << "/d/prices.tbl";
    QTest::addRow("another extension") << "/d/prices.txt"
                                       << "/d/prices.tbl";
    QTest::addRow("upper case kept") << "/d/PRICES.TBL"
                                     << "/d/PRICES.TBL";
    QTest::addRow("dot in the directory") << "/d.v2/prices"
                                          << "/d.v2/prices.tbl";
}

void TestTableDefinition::extension()
{
    QFETCH(QString, path);
    QFETCH(QString, saved);
    QCOMPARE(TableDefinition::withExtension(path), saved);
}

void TestTableDefinition::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ro/t.tbl");
    TestEnvironment::writeFile(path, "old");
    LockedDirectory lock(dir.filePath("ro"));
    if (!lock.locked())
        QSKIP("the directory cannot be made read-only here");
    const Result written = TableDefinition::write(path, { "<TABLE>", "<CAPTION>", "</TABLE>" });
    QVERIFY(!written.ok());
    QVERIFY(!written.error().isEmpty());
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("old"));
}

QTEST_GUILESS_MAIN(TestTableDefinition)
#include "tst_tabledefinition.moc"
