// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/linkupdate.h"

#include <QTest>

using namespace Tarnwick;

class TestLinkUpdate final : public QObject
{
    Q_OBJECT

private slots:
    void rewrite_data();
    void rewrite();
    void changedLines();
};

namespace {

const QString site = QStringLiteral("/sites/shop");

} // namespace

void TestLinkUpdate::rewrite_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("oldPath");
    QTest::addColumn<QString>("newPath");
    QTest::addColumn<QString>("result");

    const QString oldPath = site + "/old.htm";
    const QString newPath = site + "/new.htm";
    QTest::addRow("double quotes")
        << "<a href=\"old.htm\">Old</a>" << oldPath << newPath << "<a href=\"new.htm\">Old</a>";
    QTest::addRow("single quotes, upper case, blanks round =")
        << "<A HREF = 'old.htm'>" << oldPath << newPath << "<A HREF = 'new.htm'>";
    QTest::addRow("no quotes") << "<a href=old.htm>" << oldPath << newPath << "<a href=new.htm>";
    QTest::addRow("marker and query kept")
        << "<a href=\"old.htm#top\"><a href=\"old.htm?x=1\">" << oldPath << newPath
        << "<a href=\"new.htm#top\"><a href=\"new.htm?x=1\">";
    QTest::addRow("images and backgrounds") << "<body background=\"old.gif\"><img src=old.gif>"
                                            << site + "/old.gif" << site + "/new.gif"
                                            << "<body background=\"new.gif\"><img src=new.gif>";
    QTest::addRow("tag over lines")
        << "<a\nhref=\n\"old.htm\">" << oldPath << newPath << "<a\nhref=\n\"new.htm\">";
    QTest::addRow("written another way")
        << "<a href=\"./sub/../old.htm\"><a href=\"/old.htm\">" << oldPath << newPath
        << "<a href=\"new.htm\"><a href=\"new.htm\">";
    // Only references to that file change.
    const QString untouched
        = "<a href=\"bold.htm\"><a href=\"old.html\"><a href=\"OLD.HTM\">"
          "<a href=\"http://example.com/old.htm\"><a href=\"#old.htm\"><a name=\"old.htm\">\n"
          "old.htm in the text <a data-src=\"old.htm\">";
    QTest::addRow("other files, sites, markers and text")
        << untouched << oldPath << newPath << untouched;
    // As the page details check reads them, so that a link put back in place still works.
    QTest::addRow("link commented out")
        << "<!-- <a href=\"old.htm\"> -->" << oldPath << newPath << "<!-- <a href=\"new.htm\"> -->";
    QTest::addRow("moved to another project")
        << "<a href=\"old.htm\">" << oldPath << "/sites/blog/old.htm"
        << "<a href=\"../blog/old.htm\">";
    QTest::addRow("new name that would break the value")
        << "<a href=\"old.htm\"><a href=old.htm>" << oldPath << site + "/my \"best\" page#1.htm"
        << "<a href=\"my%20%22best%22%20page%231.htm\"><a href=my%20%22best%22%20page%231.htm>";
    QTest::addRow("new name beyond ASCII")
        << "<a href=\"old.htm\">" << oldPath << site + "/caf\u00e9.htm"
        << "<a href=\"caf%C3%A9.htm\">";
    QTest::addRow("name written with a percent escape")
        << "<a href=\"ol%64.htm\">" << oldPath << newPath << "<a href=\"new.htm\">";
    QTest::addRow("name with & written as &amp;")
        << "<a href=\"a&amp;b.htm\">" << site + "/a&b.htm" << newPath << "<a href=\"new.htm\">";
    QTest::addRow("same place, nothing to change")
        << "<a href=\"old.htm\">" << oldPath << oldPath << "<a href=\"old.htm\">";
    QTest::addRow("a file in a subdirectory")
        << "<img src=\"pics/old.gif\">" << site + "/pics/old.gif" << site + "/pics/new.gif"
        << "<img src=\"pics/new.gif\">";
}

void TestLinkUpdate::rewrite()
{
    QFETCH(QString, text);
    QFETCH(QString, oldPath);
    QFETCH(QString, newPath);
    QFETCH(QString, result);
    const PageLinkUpdate update = LinkUpdate::rewrite(text, site, oldPath, newPath);
    QCOMPARE(update.text, result);
    QCOMPARE(update.changes(), text != result);
}

// The lines listed for the user: each changed line once, as it was and is.
void TestLinkUpdate::changedLines()
{
    const QString text = "<html>\n<a href=old.htm>a</a> <a href=\"old.htm#x\">b</a>\n<p>\n"
                         "<img src='old.htm'>\n<img\nsrc=\n'old.htm'>\n</html>";
    const PageLinkUpdate update
        = LinkUpdate::rewrite(text, site, site + "/old.htm", site + "/index.htm");
    const QList<LinkLineChange> expected
        = { { 2, "<a href=old.htm>a</a> <a href=\"old.htm#x\">b</a>",
              "<a href=index.htm>a</a> <a href=\"index.htm#x\">b</a>" },
            { 4, "<img src='old.htm'>", "<img src='index.htm'>" },
            // The line of the value, not of the attribute's name.
            { 7, "'old.htm'>", "'index.htm'>" } };
    QCOMPARE(update.lines, expected);
}

QTEST_GUILESS_MAIN(TestLinkUpdate)
#include "tst_linkupdate.moc"
