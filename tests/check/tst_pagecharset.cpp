// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/pagecharset.h"

#include <QTest>

using namespace Tarnwick;

class TestPageCharset final : public QObject
{
    Q_OBJECT

private slots:
    void declared_data();
    void declared();
    void read_data();
    void read();
    void check_data();
    void check();
};

void TestPageCharset::declared_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("name"); // empty: none
    QTest::addColumn<int>("line");

    QTest::newRow("none") << QByteArray("<html><head><title>x</title></head></html>")
                          << QByteArray() << 0;
    QTest::newRow("html5") << QByteArray("<html>\n<head>\n<meta charset=\"UTF-8\">")
                           << QByteArray("utf-8") << 3;
    QTest::newRow("unquoted") << QByteArray("<META CHARSET=windows-1252>")
                              << QByteArray("windows-1252") << 1;
    QTest::newRow("http-equiv") << QByteArray(
        "<head>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">")
                                << QByteArray("iso-8859-1") << 2;
    QTest::newRow("content without http-equiv is no declaration")
        << QByteArray("<meta name=\"x\" content=\"charset=utf-8\">") << QByteArray() << 0;
    QTest::newRow("the first counts")
        << QByteArray("<meta charset=utf-8><meta charset=latin1>") << QByteArray("utf-8") << 1;
    QTest::newRow("text outside tags")
        << QByteArray("<p>meta charset=utf-8</p>") << QByteArray() << 0;
    QTest::newRow("empty value") << QByteArray("<meta charset=\"\"><meta charset=\"utf8\">")
                                 << QByteArray("utf8") << 1;
}

void TestPageCharset::declared()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, name);
    QFETCH(int, line);
    const std::optional<PageCharset::Declaration> found = PageCharset::declared(page);
    QCOMPARE(found.has_value(), !name.isEmpty());
    if (found) {
        QCOMPARE(found->name, name);
        QCOMPARE(found->line, line);
    }
}

void TestPageCharset::read_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    using B = PageCharset::Bytes;
    QTest::newRow("ascii") << QByteArray("<p>plain</p>\n") << int(B::Ascii) << 0 << 0;
    QTest::newRow("utf-8") << QByteArray("a\nxx\xc3\xa9 \xe2\x82\xac") << int(B::Utf8) << 2 << 3;
    QTest::newRow("1252") << QByteArray("ok\xc3\xa9\n\n caf\xe9") << int(B::Other) << 3 << 5;
    QTest::newRow("overlong") << QByteArray("\xc0\xaf") << int(B::Other) << 1 << 1;
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << int(B::Other) << 1 << 1;
    QTest::newRow("above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << int(B::Other) << 1 << 1;
    QTest::newRow("cut short at the end") << QByteArray("ab\xe2\x82") << int(B::Other) << 1 << 3;
    QTest::newRow("four bytes") << QByteArray("\xf0\x9f\x98\x80") << int(B::Utf8) << 1 << 1;
    QTest::newRow("byte-order mark alone")
        << QByteArray("\xef\xbb\xbf<p>") << int(B::Ascii) << 0 << 0;
}

void TestPageCharset::read()
{
    QFETCH(QByteArray, page);
    QFETCH(int, bytes);
    QFETCH(int, line);
    QFETCH(int, column);
    const PageCharset::Reading reading = PageCharset::read(page);
    QCOMPARE(int(reading.bytes), bytes);
    QCOMPARE(reading.line, line);
    QCOMPARE(reading.column, column);
}

void TestPageCharset::check_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QStringList>("lines");

    const QByteArray utf8Meta("<meta charset=\"utf-8\">\n");
    const QByteArray latinMeta(
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n");
    QTest::newRow("utf-8 as declared") << utf8Meta + "caf\xc3\xa9" << QStringList();
    QTest::newRow("1252 as declared") << latinMeta + "caf\xe9" << QStringList();
    QTest::newRow("ascii needs nothing") << QByteArray("<p>plain</p>") << QStringList();
    QTest::newRow("1252 under utf-8")
        << utf8Meta + "caf\xe9"
        << QStringList { "p.htm:2:4: error: declares UTF-8 (line 1) but this byte is not UTF-8: "
                         "the page's bytes look like Windows-1252 [charset]" };
    QTest::newRow("utf-8 under 1252")
        << latinMeta + "caf\xc3\xa9"
        << QStringList { "p.htm:2:4: error: declares windows-1252 (line 1) but the text from here "
                         "is UTF-8: each accented letter will show as two characters [charset]" };
    QTest::newRow("utf-8 undeclared")
        << QByteArray("caf\xc3\xa9")
        << QStringList { "p.htm:1:4: warning: non-ASCII text but no declared encoding; the bytes "
                         "are UTF-8: add <meta charset=\"utf-8\"> [charset]" };
    QTest::newRow("1252 undeclared")
        << QByteArray("caf\xe9")
        << QStringList {
               "p.htm:1:4: warning: non-ASCII text but no declared encoding; the bytes "
               "are not UTF-8 (Windows-1252?): add <meta charset=\"windows-1252\"> [charset]"
           };
    QTest::newRow("byte-order mark declares") << QByteArray("\xef\xbb\xbf"
                                                            "caf\xc3\xa9")
                                              << QStringList();
    QTest::newRow("byte-order mark against 1252")
        << QByteArray("\xef\xbb\xbf") + latinMeta
        << QStringList { "p.htm:1:4: error: declares windows-1252 but the file starts with a UTF-8 "
                         "byte-order mark [charset]" };
    QTest::newRow("other charset")
        << QByteArray("<meta charset=\"shift_jis\">\x82\xa0")
        << QStringList {
               "p.htm:1:1: note: declares shift_jis; its bytes were not checked against it "
               "[charset]"
           };
    QTest::newRow("utf-16 left alone") << QByteArray("\xff\xfe<\0p\0>\0", 8) << QStringList();
}

void TestPageCharset::check()
{
    QFETCH(QByteArray, page);
    QFETCH(QStringList, lines);
    QStringList found;
    for (const SiteFinding &f : PageCharset::check(page, QStringLiteral("p.htm")))
        found << f.toLine();
    QCOMPARE(found, lines);
}

QTEST_GUILESS_MAIN(TestPageCharset)
#include "tst_pagecharset.moc"
