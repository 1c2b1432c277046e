// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/charsetdeclaration.h"

#include <QTest>

using namespace Tarnwick;

class TestCharsetDeclaration final : public QObject
{
    Q_OBJECT

private slots:
    void withDeclaration_data();
    void withDeclaration();
    void charsetOf_data();
    void charsetOf();
};

void TestCharsetDeclaration::withDeclaration_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("result"); // "=" for the page unchanged

    QTest::addRow("own line, CR LF")
        << QByteArray("<HTML>\r\n<HEAD>\r\n<TITLE>x</TITLE>\r\n")
        << QByteArray("<HTML>\r\n<HEAD>\r\n<meta charset=\"utf-8\">\r\n"
                      "<TITLE>x</TITLE>\r\n");
    QTest::addRow("own line, CR") << QByteArray("<head>\r<title>x</title>")
                                  << QByteArray(
                                         "<head>\r<meta charset=\"utf-8\">\r<title>x</title>");
    QTest::addRow("same line") << QByteArray("<html><head><title>x</title></head></html>")
                               << QByteArray("<html><head><meta charset=\"utf-8\"><title>x</title>"
                                             "</head></html>");
    QTest::addRow("head with an attribute")
        << QByteArray("<head profile=\"x\">\n")
        << QByteArray("<head profile=\"x\">\n<meta charset=\"utf-8\">\n");
    QTest::addRow("meta charset already")
        << QByteArray("<head>\n<META CHARSET=\"utf-8\">\n") << QByteArray("=");
    QTest::addRow("http-equiv form already")
        << QByteArray("<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=iso-8859-1\">\n")
        << QByteArray("=");
    QTest::addRow("charset only in the text")
        << QByteArray("<head>\n</head><p>charset</p>")
        << QByteArray("<head>\n<meta charset=\"utf-8\">\n</head><p>charset</p>");
    QTest::addRow("header is no head") << QByteArray("<header>top</header>") << QByteArray("=");
    QTest::addRow("no head") << QByteArray("<p>a fragment</p>") << QByteArray("=");
    QTest::addRow("head never closed") << QByteArray("<head") << QByteArray("=");
    QTest::addRow("empty") << QByteArray() << QByteArray("=");
}

void TestCharsetDeclaration::withDeclaration()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, result);
    const QByteArray expected = result == "=" ? page : result;
    const QByteArray declared = CharsetDeclaration::withDeclaration(page, "utf-8");
    QCOMPARE(declared, expected);
    // Once there, the declaration is not added again.
    QCOMPARE(CharsetDeclaration::withDeclaration(declared, "utf-8"), declared);
}

void TestCharsetDeclaration::charsetOf_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("charset");

    QTest::addRow("ASCII") << QByteArray("<p>x</p>") << QByteArray("utf-8");
    QTest::addRow("UTF-8") << QByteArray("<p>caf\xc3\xa9</p>") << QByteArray("utf-8");
    QTest::addRow("Windows-1252") << QByteArray("<p>caf\xe9</p>") << QByteArray("windows-1252");
}

void TestCharsetDeclaration::charsetOf()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, charset);
    QCOMPARE(CharsetDeclaration::charsetOf(page), charset);
}

QTEST_GUILESS_MAIN(TestCharsetDeclaration)
#include "tst_charsetdeclaration.moc"
