// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/markupcheck.h"

#include <QTest>

using namespace Tarnwick;

class TestMarkupCheck final : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
};

void TestMarkupCheck::check_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("lines");

    const QString head
        = QStringLiteral("<!DOCTYPE html>\n<html><head><title>t</title></head><body>\n");
    const QString tail = QStringLiteral("\n</body></html>\n");
    // What the generators write: upper case, HTML 4 presentation, no DOCTYPE.
    QTest::newRow("generator markup") << QStringLiteral(
        "<HTML>\n<HEAD><TITLE>Page</TITLE></HEAD>\n"
        "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" BACKGROUND=\"bg.gif\">\n"
        "<CENTER><FONT FACE=\"Arial\" SIZE=\"+1\" COLOR=\"#FF0000\">Hi</FONT></CENTER>\n"
        "<TABLE BORDER=\"1\" WIDTH=\"100%\" CELLPADDING=\"2\"><TR><TD ALIGN=\"LEFT\" "
        "VALIGN=\"TOP\" NOWRAP>x</TD></TR></TABLE>\n"
        "<IMG SRC=\"a.gif\" WIDTH=\"1\" HEIGHT=\"1\" BORDER=\"0\" ALT=\"a\" ALIGN=\"RIGHT\">\n"
        "<P>open paragraph\n<UL><LI>one<LI>two</UL>\n<BR CLEAR=\"ALL\"><HR NOSHADE>\n"
        "</BODY>\n</HTML>\n") << QStringList();
    QTest::newRow("unclosed") << head + "<div><span>open" + tail
                              << QStringList {
                                     "p.htm:3:1: warning: missing </div> [markup]",
                                     "p.htm:3:6: warning: missing </span> before </body> [markup]"
                                 };
    QTest::newRow("misnested")
        << head + "<b><i>x</b></i>" + tail
        << QStringList { "p.htm:3:4: warning: replacing unexpected b with </b> [markup]" };
    QTest::newRow("duplicate id")
        << head + "<p id=\"a\">1</p>\n<p id=\"a\">2</p>" + tail
        << QStringList { "p.htm:4:1: warning: <p> anchor \"a\" already defined [markup]" };
    QTest::newRow("unknown element once") << head + "<foo>x</foo>"
            + tail << QStringList { "p.htm:3:1: error: <foo> is not recognized! [markup]" };
    QTest::newRow("unknown attribute")
        << head + "<p frob=\"1\">x</p>" + tail
        << QStringList { "p.htm:3:1: warning: <p> proprietary attribute \"frob\" [markup]" };
    QTest::newRow("custom element is fine")
        << head + "<my-widget>x</my-widget>" + tail << QStringList();
    // Columns count characters, a tab as one, as the editor does.
    const QStringList atThreeAndEleven {
        "p.htm:3:3: warning: replacing unexpected i with </i> [markup]",
        "p.htm:3:11: warning: discarding unexpected </b> [markup]"
    };
    QTest::newRow("tab is one column") << head + "\t\t<b>x</i></b>" + tail << atThreeAndEleven;
    QTest::newRow("non-ASCII counts as one")
        << head + u"é€<b>x</i></b>"_qs + tail << atThreeAndEleven;
}

void TestMarkupCheck::check()
{
    QFETCH(QString, page);
    QFETCH(QStringList, lines);
    QStringList found;
    for (const SiteFinding &f : MarkupCheck::check(page, QStringLiteral("p.htm")))
        found << f.toLine();
    QCOMPARE(found, lines);
}

QTEST_GUILESS_MAIN(TestMarkupCheck)
#include "tst_markupcheck.moc"
