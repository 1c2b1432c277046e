// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/effectsbuilder.h"

#include <QTest>

using namespace Tarnwick;
using B = EffectsBuilder;

Q_DECLARE_METATYPE(B::Header)
Q_DECLARE_METATYPE(B::Table)
Q_DECLARE_METATYPE(B::List)
Q_DECLARE_METATYPE(B::Image)
Q_DECLARE_METATYPE(B::DocumentText)
Q_DECLARE_METATYPE(B::Reference)
Q_DECLARE_METATYPE(B::Applet)

class TestEffectsBuilder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headers_data();
    void headers();
    void tables_data();
    void tables();
    void lists_data();
    void lists();
    void listRowsPastTheGridAreEmpty();
    void images_data();
    void images();
    void documentText_data();
    void documentText();
    void references_data();
    void references();
    void applets_data();
    void applets();
    void oneLine_data();
    void oneLine();
    void carriedSelection_data();
    void carriedSelection();
};

void TestEffectsBuilder::headers_data()
{
    QTest::addColumn<B::Header>("options");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("defaults") << B::Header { "Hello", 1, "none" }
                              << QStringList { "<H1>Hello</H1>", "" };
    QTest::addRow("size and justification")
        << B::Header { "Title", 3, "center" }
        << QStringList { "<H3 ALIGN=\"center\">Title</H3>", "" };
    QTest::addRow("empty text") << B::Header { "", 6, "right" }
                                << QStringList { "<H6 ALIGN=\"right\"></H6>", "" };
}

void TestEffectsBuilder::headers()
{
    QFETCH(B::Header, options);
    QFETCH(QStringList, lines);
    QCOMPARE(B::headerLines(options), lines);
}

void TestEffectsBuilder::tables_data()
{
    QTest::addColumn<B::Table>("options");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("2x2 empty grid") << B::Table()
                                    << QStringList { "<table border align=left cellspacing=2 >",
                                                     "<tr>",
                                                     "<td>Cell:1,1</td>",
                                                     "<td>Cell:1,2</td>",
                                                     "</tr>",
                                                     "<tr>",
                                                     "<td>Cell:2,1</td>",
                                                     "<td>Cell:2,2</td>",
                                                     "</tr>",
                                                     "</table>" };
    B::Table options;
    options.columns = 3;
    options.rows = 1;
    options.padding = 4;
    options.spacing = 1;
    options.width = 50;
    options.border = false;
    options.justify = "center";
    options.caption = "Prices";
    options.captionLocation = "Bottom";
    options.captionSize = 2;
    options.cells = { { "", "Two" } };
    QTest::addRow("every option, grid text in one cell")
        << options
        << QStringList { "<table width=50% align=center cellpadding=4 >",
                         "<caption align=Bottom><h2>Prices</h2></caption>",
                         "<tr>",
                         "<td>Cell:1,1</td>",
                         "<td>Two</td>",
                         "<td>Cell:1,3</td>",
                         "</tr>",
                         "</table>" };
}

void TestEffectsBuilder::tables()
{
    QFETCH(B::Table, options);
    QFETCH(QStringList, lines);
    QCOMPARE(B::tableLines(options), lines);
}

void TestEffectsBuilder::lists_data()
{
    using T = B::ListType;
    QTest::addColumn<B::List>("options");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("ordered, defaults")
        << B::List() << QStringList { "<ol>",        "<li> Line:1", "<li> Line:2",
                                      "<li> Line:3", "<li> Line:4", "</ol>" };
    QTest::addRow("directory closes with its own tag")
        << B::List { T::Directory, T::Ordered, 1, 0, {} }
        << QStringList { "<dir>", "<li> Line:1", "</dir>" };
    QTest::addRow("menu parents with unordered children, grid rows in order")
        << B::List { T::Menu, T::UnOrder, 2, 2, { "Fruit", "Apple", "", "Veg" } }
        << QStringList { "<menu>", "<li>Fruit", "<ul>", "<li>Apple",         "<li> Child Line:2",
                         "</ul>",  "<li>Veg",   "<ul>", "<li> Child Line:1", "<li> Child Line:2",
                         "</ul>",  "</menu>" };
    QTest::addRow("unordered with ordered children")
        << B::List { T::UnOrder, T::Ordered, 1, 1, {} }
        << QStringList { "<ul>", "<li> Line:1", "<ol>", "<li> Child Line:1", "</ol>", "</ul>" };
    QTest::addRow("definition children stand between empty lines")
        << B::List { T::Ordered, T::Definition, 1, 1, { "a", "b" } }
        << QStringList { "<ol>", "<li>a", "", "<li>b", "", "</ol>" };
    QTest::addRow("definition list ignores children and grid")
        << B::List { T::Definition, T::UnOrder, 2, 3, { "x" } }
        << QStringList { "<dl>", "<dt> Line:1 <dd>Line 1's definition",
                         "<dt> Line:2 <dd>Line 2's definition", "</dl>" };
}

void TestEffectsBuilder::lists()
{
    QFETCH(B::List, options);
    QFETCH(QStringList, lines);
    QCOMPARE(B::listLines(options), lines);
}

void TestEffectsBuilder::listRowsPastTheGridAreEmpty()
{
    // 51 parents with a child each use 102 rows; a caller's rows past the
    // grid's 100 are not read.
    QStringList rows;
    for (int i = 1; i <= 102; ++i)
        rows << QStringLiteral("row%1").arg(i);
    const QStringList built
        = B::listLines({ B::ListType::Ordered, B::ListType::Ordered, 51, 1, rows });
    QCOMPARE(built.size(), 2 + 51 * 4);
    QCOMPARE(built.mid(built.size() - 9),
             (QStringList { "<li>row99", "<ol>", "<li>row100", "</ol>", "<li> Line:51", "<ol>",
                            "<li> Child Line:1", "</ol>", "</ol>" }));
}

void TestEffectsBuilder::images_data()
{
    QTest::addColumn<B::Image>("options");
    QTest::addColumn<QStringList>("preview");
    QTest::addColumn<QStringList>("tag");
    QTest::addRow("plain")
        << B::Image { "a.gif", "An a", "10", "20", "none", false, false, "" }
        << QStringList { R"(sample<img src="a.gif" alt="An a" WIDTH="10" HEIGHT="20">text)", "" }
        << QStringList { R"(<IMG SRC="a.gif" ALT="An a" WIDTH="10" HEIGHT="20">)" };
    QTest::addRow("aligned and centred")
        << B::Image { "b.png", "", "1", "2", "left", true, false, "" }
        << QStringList { R"(<center>sample<img src="b.png" alt="" ALIGN="left" WIDTH="1" HEIGHT="2">text</center>)",
                         "" }
        << QStringList {
               R"(<CENTER><IMG SRC="b.png" ALT="" ALIGN="left" WIDTH="1" HEIGHT="2"></CENTER>)"
           };
    QTest::addRow("is a map without map lines")
        << B::Image { "m.gif", "m", "3", "4", "none", false, true, "" }
        << QStringList { R"(sample<img src="m.gif" alt="m" ismap  WIDTH="3" HEIGHT="4">text)", "" }
        << QStringList { R"(<IMG  ISMAP SRC="m.gif" ALT="m" WIDTH="3" HEIGHT="4">)" };
    QTest::addRow("with map lines")
        << B::Image { "m.gif", "m", "3", "4", "top", false, true, "nav" }
        << QStringList { R"(sample<img src="m.gif" alt="m" ismap  ALIGN="top" WIDTH="3" HEIGHT="4">text)",
                         "" }
        << QStringList {
               R"(<IMG SRC="m.gif" ALT="m" ALIGN="top" WIDTH="3" HEIGHT="4" USEMAP="#nav">)"
           };
    QTest::addRow("quotes in alt text and name")
        << B::Image { "x\".gif", "say \"hi\"", "", "", "none", false, false, "" }
        << QStringList { R"(sample<img src="x&quot;.gif" alt="say &quot;hi&quot;" WIDTH="" HEIGHT="">text)",
                         "" }
        << QStringList { R"(<IMG SRC="x&quot;.gif" ALT="say &quot;hi&quot;" WIDTH="" HEIGHT="">)" };
}

void TestEffectsBuilder::images()
{
    QFETCH(B::Image, options);
    QFETCH(QStringList, preview);
    QFETCH(QStringList, tag);
    QCOMPARE(B::imagePreviewLines(options), preview);
    QCOMPARE(B::imageTagLines(options), tag);
}

void TestEffectsBuilder::documentText_data()
{
    QTest::addColumn<B::DocumentText>("options");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("plain, two lines")
        << B::DocumentText { "one\ntwo", 0, 3 } << QStringList { "one", "two" };
    QTest::addRow("bold and center") << B::DocumentText { "t", B::Bold | B::Center, 3 }
                                     << QStringList { "<b>", "<center>", "t", "</center>", "</b>" };
    QTest::addRow("every option in order")
        << B::DocumentText { "t", 0x7fff, 5 }
        << QStringList { "<SUB>",    "<SUP>",         "<code>",        "<cite>",
                         "<var>",    "<blockquote>",  "<blink>",       "<address>",
                         "<tt>",     "<p>",           "<u>",           "<i>",
                         "<b>",      "<center>",      "<FONT SIZE=5>", "t",
                         "</FONT>",  "</center>",     "</b>",          "</i>",
                         "</u>",     "</p>",          "</tt>",         "</address>",
                         "</blink>", "</blockquote>", "</var>",        "</cite>",
                         "</code>",  "</SUP>",        "</SUB>" };
    QTest::addRow("size only") << B::DocumentText { "t", B::UseSize, 1 }
                               << QStringList { "<FONT SIZE=1>", "t", "</FONT>" };
}

void TestEffectsBuilder::documentText()
{
    QFETCH(B::DocumentText, options);
    QFETCH(QStringList, lines);
    QCOMPARE(B::documentTextLines(options), lines);
}

void TestEffectsBuilder::references_data()
{
    QTest::addColumn<B::Reference>("options");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("url") << B::Reference { "Home", "http://x.org/", "none", false }
                         << QStringList { R"(<a href="http://x.org/">Home</a>)", "" };
    QTest::addRow("anchor, centred")
        << B::Reference { "Top", "top", "center", true }
        << QStringList { R"(<center><a name="top">Top</a></center>)", "" };
    QTest::addRow("quote in url") << B::Reference { "Q", "a\"b.htm", "left", false }
                                  << QStringList { R"(<left><a href="a&quot;b.htm">Q</a></left>)",
                                                   "" };
}

void TestEffectsBuilder::references()
{
    QFETCH(B::Reference, options);
    QFETCH(QStringList, lines);
    QCOMPARE(B::referenceLines(options), lines);
}

void TestEffectsBuilder::applets_data()
{
    QTest::addColumn<B::Applet>("options");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("required only")
        << B::Applet { "", "Clock.class", "", "", "50", "100", "" } << true
        << QStringList { R"(<APPLET CODE="Clock.class" )", R"(WIDTH="100" )", R"(HEIGHT="50">)",
                         "</APPLET>" };
    QTest::addRow("every value, quote escaped")
        << B::Applet { "classes/", "A.class", "n\"1", "T", "5", "6", "middle" } << true
        << QStringList { R"(<APPLET CODE="A.class" )",
                         R"(CODEBASE="classes/" )",
                         R"(NAME="n&quot;1" )",
                         R"(TITLE="T" )",
                         R"(ALIGN="middle" )",
                         R"(WIDTH="6" )",
                         R"(HEIGHT="5">)",
                         "</APPLET>" };
    QTest::addRow("no code") << B::Applet { "", " ", "", "", "5", "6", "" } << false
                             << QStringList();
    QTest::addRow("no width") << B::Applet { "", "A", "", "", "5", "", "" } << false
                              << QStringList();
    QTest::addRow("no height") << B::Applet { "", "A", "", "", "", "6", "" } << false
                               << QStringList();
}

void TestEffectsBuilder::applets()
{
    QFETCH(B::Applet, options);
    QFETCH(bool, complete);
    QFETCH(QStringList, lines);
    QCOMPARE(B::appletComplete(options), complete);
    if (complete)
        QCOMPARE(B::appletLines(options), lines);
}

void TestEffectsBuilder::oneLine_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    QTest::addRow("heading and its empty line") << QStringList { "<H1>x</H1>", "" } << "<H1>x</H1>";
    QTest::addRow("tags close up to the text")
        << QStringList { "<b>", "<center>", "t", "</center>", "</b>" }
        << "<b><center>t</center></b>";
    QTest::addRow("words of two lines stay apart")
        << QStringList { "<p>", "first line", "second line", "</p>" }
        << "<p>first line second line</p>";
    QTest::addRow("breaks inside a line") << QStringList { "a\r\nb\rc" } << "a b c";
}

void TestEffectsBuilder::oneLine()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QCOMPARE(B::oneLine(lines), text);
}

void TestEffectsBuilder::carriedSelection_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("carried");
    QTest::addRow("none") << ""
                          << "";
    QTest::addRow("one character") << "x"
                                   << "x";
    QTest::addRow("154 characters") << QString(154, 'a') << QString(154, 'a');
    QTest::addRow("155 characters not carried") << QString(155, 'a') << "";
    QTest::addRow("line breaks become blanks") << "two\r\nwords\nhere"
                                               << "two words here";
}

void TestEffectsBuilder::carriedSelection()
{
    QFETCH(QString, selection);
    QFETCH(QString, carried);
    QCOMPARE(B::carriedSelection(selection), carried);
}

QTEST_GUILESS_MAIN(TestEffectsBuilder)
#include "tst_effectsbuilder.moc"
