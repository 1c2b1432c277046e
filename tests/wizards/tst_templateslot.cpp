// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/templatemarkers.h"
#include "wizards/templateslot.h"

#include <QTest>

using namespace Tarnwick;
using Kind = TemplateMarkers::Kind;
using Slot = TemplateSlot;

Q_DECLARE_METATYPE(Slot::Heading)
Q_DECLARE_METATYPE(Slot::Text)
Q_DECLARE_METATYPE(Slot::Image)
Q_DECLARE_METATYPE(Slot::Link)
Q_DECLARE_METATYPE(Slot::Body)
Q_DECLARE_METATYPE(Slot::Defaults)

namespace {

Slot::Heading heading(const QString &text, int size, const QString &align, const QString &color)
{
    return { text, size, align, color };
}

Slot::Image image(const QString &file, int width, int height, const QString &align)
{
    return { file, width, height, align };
}

Slot::Link link(const QString &url, const QString &text, const QString &graphic,
                const QString &align, bool mailto)
{
    return { url, text, !graphic.isEmpty(), graphic, align, mailto };
}

// A line longer than the 255 columns the old slot replacement reached.
QString longText()
{
    QString text;
    for (int i = 0; text.size() < 300; ++i)
        text += QStringLiteral("word%1 ").arg(i);
    return text.trimmed();
}

} // namespace

class TestTemplateSlot final : public QObject
{
    Q_OBJECT

private slots:
    void markerKinds_data();
    void markerKinds();
    void findingMarkers_data();
    void findingMarkers();
    void headings_data();
    void headings();
    void texts_data();
    void texts();
    void images_data();
    void images();
    void links_data();
    void links();
    void bodies_data();
    void bodies();
    void defaults_data();
    void defaults();
    void handWrittenSlotsKeepTheirWords_data();
    void handWrittenSlotsKeepTheirWords();
    void sameMarkup_data();
    void sameMarkup();
    void attributesMatchWholeNames_data();
    void attributesMatchWholeNames();
    void stylesMatchWholeTags_data();
    void stylesMatchWholeTags();
    void emptySlotsKeepTheInitialValues();
    void nothingToWriteLeavesTheSlot();
    void readThenWriteIsUnchanged_data();
    void readThenWriteIsUnchanged();
};

void TestTemplateSlot::markerKinds_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<Kind>("kind");
    QTest::addRow("plain line") << "<H1>Heading</H1>" << Kind::None;
    QTest::addRow("ordinary comment") << "<!-- Heading -->" << Kind::None;
    QTest::addRow("heading") << "<!--##Heading-->" << Kind::Heading;
    QTest::addRow("defaults") << "  <!--##Defaults-->" << Kind::Defaults;
    QTest::addRow("text") << "<!--##Text-->" << Kind::Text;
    QTest::addRow("image") << "<!--##Image-->" << Kind::Image;
    QTest::addRow("link") << "<!--##Link-->" << Kind::Link;
    QTest::addRow("mail link is not a link") << "<!--##MailLink-->" << Kind::MailLink;
    QTest::addRow("body") << "<!--##Body-->" << Kind::Body;
    QTest::addRow("unknown kind") << "<!--##Footer-->" << Kind::Invalid;
    QTest::addRow("kind in other case") << "<!--##heading-->" << Kind::Invalid;
    QTest::addRow("first kind of the table wins")
        << "<!--##Body--><!--##Heading-->" << Kind::Heading;
}

void TestTemplateSlot::markerKinds()
{
    QFETCH(QString, line);
    QFETCH(Kind, kind);
    QCOMPARE(TemplateMarkers::kindOf(line), kind);
}

void TestTemplateSlot::findingMarkers_data()
{
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("previous");
    const QStringList page { "<HTML>", "<!--##Heading-->", "<H1>A</H1>", "<P>", "<!--##Text-->",
                             "words",  "</HTML>" };
    QTest::addRow("from the top") << page << 0 << 2 << 0;
    QTest::addRow("from the first marker") << page << 2 << 5 << 0;
    QTest::addRow("from the last marker") << page << 5 << 0 << 2;
    QTest::addRow("from below the last") << page << 6 << 0 << 5;
    QTest::addRow("only marker on the second-to-last line")
        << QStringList { "<HTML>", "<!--##Body-->", "<BODY>" } << 0 << 2 << 0;
    QTest::addRow("marker on the last line has no slot")
        << QStringList { "<HTML>", "</HTML>", "<!--##Body-->" } << 0 << 0 << 0;
    QTest::addRow("marker on line 1")
        << QStringList { "<!--##Image-->", "<IMG SRC=\"a.gif\">", "" } << 0 << 1 << 0;
}

void TestTemplateSlot::findingMarkers()
{
    QFETCH(QStringList, page);
    QFETCH(int, current);
    QFETCH(int, next);
    QFETCH(int, previous);
    int read = 0;
    const auto line = [&](int n) {
        ++read;
        return page.value(n - 1);
    };
    QCOMPARE(TemplateMarkers::next(line, current, int(page.size())), next);
    QVERIFY(read <= page.size());
    QCOMPARE(TemplateMarkers::previous(line, current), previous);
}

void TestTemplateSlot::headings_data()
{
    QTest::addColumn<Slot::Heading>("fields");
    QTest::addColumn<QString>("line");
    QTest::addRow("plain") << heading("Welcome", 1, "", "") << "<H1>Welcome</H1>";
    QTest::addRow("size and alignment")
        << heading("Our Team", 3, "right", "") << "<H3 ALIGN=\"right\">Our Team</H3>";
    QTest::addRow("coloured and centred")
        << heading("Welcome", 2, "center", "FF0000")
        << "<FONT COLOR=\"#FF0000\"><H2 ALIGN=\"center\">Welcome</H2></FONT>";
    QTest::addRow("blanks in the text")
        << heading("  two  words ", 6, "", "") << "<H6>  two  words </H6>";
    QTest::addRow("long text") << heading(longText(), 1, "", "") << "<H1>" + longText() + "</H1>";
}

void TestTemplateSlot::headings()
{
    QFETCH(Slot::Heading, fields);
    QFETCH(QString, line);
    QCOMPARE(Slot::write(fields), line);
    const Slot::Heading read = Slot::readHeading(line);
    QCOMPARE(read.text, fields.text);
    QCOMPARE(read.size, fields.size);
    QCOMPARE(read.align, fields.align);
    QCOMPARE(read.color, fields.color);
}

void TestTemplateSlot::texts_data()
{
    QTest::addColumn<Slot::Text>("fields");
    QTest::addColumn<QString>("line");
    QTest::addColumn<Slot::Text>("readBack");
    const Slot::Text plain { "Some words", false, false, false, "" };
    QTest::addRow("plain") << plain << "Some words" << plain;
    const Slot::Text all { "Some words", true, true, true, "center" };
    QTest::addRow("every style, wrapped in order")
        << all << "<P ALIGN=\"center\"><I><U><B>Some words</B></U></I></P>" << all;
    const Slot::Text italics { "x", false, false, true, "" };
    QTest::addRow("italics alone") << italics << "<I>x</I>" << italics;
    QTest::addRow("line breaks become blanks")
        << Slot::Text { "one\rtwo\r\nthree\nfour", true, false, false, "" }
        << "<B>one two three four</B>"
        << Slot::Text { "one two three four", true, false, false, "" };
    const Slot::Text longLine { longText(), false, true, false, "right" };
    QTest::addRow("long text") << longLine << "<P ALIGN=\"right\"><U>" + longText() + "</U></P>"
                               << longLine;
}

void TestTemplateSlot::texts()
{
    QFETCH(Slot::Text, fields);
    QFETCH(QString, line);
    QFETCH(Slot::Text, readBack);
    QCOMPARE(Slot::write(fields), line);
    QVERIFY(Slot::readText(line) == readBack);
}

void TestTemplateSlot::images_data()
{
    QTest::addColumn<Slot::Image>("fields");
    QTest::addColumn<QString>("line");
    QTest::addRow("name only") << image("logo.gif", 0, 0, "") << "<IMG SRC=\"logo.gif\">";
    QTest::addRow("height before width, then alignment")
        << image("me.jpg", 120, 80, "right")
        << "<IMG SRC=\"me.jpg\" HEIGHT=\"80\" WIDTH=\"120\" ALIGN=\"right\">";
    QTest::addRow("one size known")
        << image("a.png", 0, 40, "middle") << "<IMG SRC=\"a.png\" HEIGHT=\"40\" ALIGN=\"middle\">";
    QTest::addRow("blanks in the name") << image("my holiday photo.jpg", 640, 480, "")
                                        << "<IMG SRC=\"my holiday photo.jpg\" HEIGHT=\"480\" "
                                           "WIDTH=\"640\">";
    QTest::addRow("quote in the name") << image("say \"hi\".gif", 1, 1, "")
                                       << "<IMG SRC=\"say &quot;hi&quot;.gif\" HEIGHT=\"1\" "
                                          "WIDTH=\"1\">";
    QTest::addRow("empty name empties the slot") << image("", 10, 10, "top") << "";
}

void TestTemplateSlot::images()
{
    QFETCH(Slot::Image, fields);
    QFETCH(QString, line);
    QCOMPARE(Slot::write(fields), line);
    if (!line.isEmpty())
        QVERIFY(Slot::readImage(line) == fields);
}

void TestTemplateSlot::links_data()
{
    QTest::addColumn<Slot::Link>("fields");
    QTest::addColumn<QString>("line");
    QTest::addRow("text link") << link("products.htm", "Our products", "", "", false)
                               << "<A HREF=\"products.htm\">Our products</A>";
    QTest::addRow("aligned") << link("a b.htm", "A  and  B", "", "center", false)
                             << "<P ALIGN=\"center\"><A HREF=\"a b.htm\">A  and  B</A></P>";
    QTest::addRow("mail link") << link("me@example.com", "Write", "", "", true)
                               << "<A HREF=\"mailto:me@example.com\">Write</A>";
    QTest::addRow("mail address with a colon after it")
        << link("me@example.com?subject=Re:hello", "Write", "", "", true)
        << "<A HREF=\"mailto:me@example.com?subject=Re:hello\">Write</A>";
    QTest::addRow("image link") << link("index.htm", "", "home button.gif", "right", false)
                                << "<P ALIGN=\"right\"><A HREF=\"index.htm\"><IMG SRC=\"home "
                                   "button.gif\"></A></P>";
    QTest::addRow("empty URL empties the slot") << link("", "Nowhere", "", "", false) << "";
}

void TestTemplateSlot::links()
{
    QFETCH(Slot::Link, fields);
    QFETCH(QString, line);
    QCOMPARE(Slot::write(fields), line);
    if (!line.isEmpty())
        QVERIFY(Slot::readLink(line, false) == fields);
}

void TestTemplateSlot::bodies_data()
{
    QTest::addColumn<Slot::Body>("fields");
    QTest::addColumn<QString>("line");
    QTest::addRow("initial values")
        << Slot::Body {}
        << "<BODY  TEXT=\"#000000\" LINK=\"#000000\" VLINK=\"#000000\" ALINK=\"#000000\" "
           "BGCOLOR=\"#FFFFFF\">";
    QTest::addRow("every field")
        << Slot::Body { "back ground.gif", "1F4D1A", "4F9A3C", "6B1F3A", "E0702A",
                        "F6FBF4",          true,     0,        12 }
        << "<BODY BACKGROUND=\"back ground.gif\" TEXT=\"#1F4D1A\" LINK=\"#4F9A3C\" "
           "VLINK=\"#6B1F3A\" ALINK=\"#E0702A\" BGCOLOR=\"#F6FBF4\" LEFTMARGIN=\"0\" "
           "RIGHTMARGIN=\"12\" BGPROPERTIES=\"FIXED\">";
    QTest::addRow("empty colours left out")
        << Slot::Body { "", "", "ABCDEF", "", "", "", false, -1, 5 }
        << "<BODY  LINK=\"#ABCDEF\" RIGHTMARGIN=\"5\">";
}

void TestTemplateSlot::bodies()
{
    QFETCH(Slot::Body, fields);
    QFETCH(QString, line);
    QCOMPARE(Slot::write(fields), line);
    Slot::Body expected = fields;
    // Colours not in the tag read as their initial values.
    const Slot::Body initial;
    for (auto [value, start] : { std::pair { &expected.text, initial.text },
                                 { &expected.link, initial.link },
                                 { &expected.vlink, initial.vlink },
                                 { &expected.alink, initial.alink },
                                 { &expected.bgcolor, initial.bgcolor } }) {
        if (value->isEmpty())
            *value = start;
    }
    QVERIFY(Slot::readBody(line) == expected);
}

void TestTemplateSlot::defaults_data()
{
    QTest::addColumn<Slot::Defaults>("fields");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("filled") << Slot::Defaults { "My Home Page", "home page, hobbies",
                                                "A few words about me", "none" }
                            << QStringList { "<TITLE>My Home Page</TITLE>",
                                             "<META NAME=\"Keywords\" CONTENT=\"home page, "
                                             "hobbies\">",
                                             "<META NAME=\"Description\" CONTENT=\"A few words "
                                             "about me\">" };
    QTest::addRow("empty") << Slot::Defaults {}
                           << QStringList { "<TITLE></TITLE>",
                                            "<META NAME=\"Keywords\" CONTENT=\"\">",
                                            "<META NAME=\"Description\" CONTENT=\"\">" };
    QTest::addRow("quotes in the values")
        << Slot::Defaults { "The \"Best\" Page", "\"quoted\"", "it's", "none" }
        << QStringList { "<TITLE>The \"Best\" Page</TITLE>",
                         "<META NAME=\"Keywords\" CONTENT=\"&quot;quoted&quot;\">",
                         "<META NAME=\"Description\" CONTENT=\"it's\">" };
}

void TestTemplateSlot::defaults()
{
    QFETCH(Slot::Defaults, fields);
    QFETCH(QStringList, lines);
    QCOMPARE(Slot::write(fields), lines);
    QVERIFY(Slot::readDefaults(lines) == fields);
    // Either META line may come first; the name decides, in any case.
    QCOMPARE(Slot::readDefaults({ lines.at(0), lines.at(2), lines.at(1) }).keywords,
             fields.keywords);
    QVERIFY(Slot::readDefaults({ lines.at(0), QString(lines.at(1)).replace("Keywords", "keywords"),
                                 QString(lines.at(2)).replace("Description", "DESCRIPTION") })
            == fields);
}

void TestTemplateSlot::handWrittenSlotsKeepTheirWords_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text"); // the text field as read
    QTest::addRow("paragraph without alignment stays in the text")
        << Kind::Text << QStringList { "<P>Hello <B>world</B></P>" } << "<P>Hello <B>world</B></P>";
    QTest::addRow("bold word inside the text")
        << Kind::Text << QStringList { "Hello <B>world</B>" } << "Hello <B>world</B>";
    QTest::addRow("two bold runs are not one bold text")
        << Kind::Text << QStringList { "<B>one</B> and <B>two</B>" } << "<B>one</B> and <B>two</B>";
    QTest::addRow("style around markup")
        << Kind::Text << QStringList { "<I>see <A HREF=\"a.htm\">this</A></I>" }
        << "see <A HREF=\"a.htm\">this</A>";
    QTest::addRow("heading with a bold word")
        << Kind::Heading << QStringList { "<H2>Hello <B>world</B></H2>" } << "Hello <B>world</B>";
    QTest::addRow("link with a bold word")
        << Kind::Link << QStringList { "<A HREF=\"a.htm\">Hello <B>world</B></A>" }
        << "Hello <B>world</B>";
    QTest::addRow("title with an entity")
        << Kind::Defaults
        << QStringList { "<TITLE>Tom &amp; Jerry</TITLE>",
                         "<meta name=\"keywords\" content=\"a, b\">",
                         "<meta name=\"description\" content=\"Cats, mice\">" }
        << "Tom &amp; Jerry";
}

// The text fields hold all the slot's words, and what they write is the same markup.
void TestTemplateSlot::handWrittenSlotsKeepTheirWords()
{
    QFETCH(Kind, kind);
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QStringList written;
    switch (kind) {
    case Kind::Text:
        QCOMPARE(Slot::readText(lines.at(0)).text, text);
        written = QStringList { Slot::write(Slot::readText(lines.at(0))).value_or("(none)") };
        break;
    case Kind::Heading:
        QCOMPARE(Slot::readHeading(lines.at(0)).text, text);
        written = QStringList { Slot::write(Slot::readHeading(lines.at(0))).value_or("(none)") };
        break;
    case Kind::Link:
        QCOMPARE(Slot::readLink(lines.at(0), false).text, text);
        written = QStringList { Slot::write(Slot::readLink(lines.at(0), false)) };
        break;
    case Kind::Defaults: {
        const Slot::Defaults read = Slot::readDefaults(lines);
        QCOMPARE(read.title, text);
        QCOMPARE(read.keywords, QStringLiteral("a, b"));
        QCOMPARE(read.description, QStringLiteral("Cats, mice"));
        written = Slot::write(read);
        break;
    }
    default:
        QFAIL("no such slot");
    }
    QCOMPARE(written.size(), lines.size());
    for (int i = 0; i < int(lines.size()); ++i)
        QVERIFY2(Slot::sameMarkup(written.at(i), lines.at(i)), qPrintable(written.at(i)));
}

void TestTemplateSlot::sameMarkup_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::addRow("identical") << "<H1>Hi</H1>"
                               << "<H1>Hi</H1>" << true;
    QTest::addRow("case of names and fixed values")
        << "<meta name=\"keywords\" content=\"a, b\">"
        << "<META NAME=\"Keywords\" CONTENT=\"a, b\">" << true;
    QTest::addRow("blanks inside a tag") << "<BODY TEXT=\"#000000\">"
                                         << "<BODY  TEXT=\"#000000\" >" << true;
    QTest::addRow("quoting and order of attributes") << "<IMG WIDTH=3 SRC='a b.gif'>"
                                                     << "<IMG SRC=\"a b.gif\" WIDTH=\"3\">" << true;
    QTest::addRow("quote entity") << "<A HREF=\"&quot;x&quot;\">"
                                  << "<A HREF='\"x\"'>" << true;
    QTest::addRow("runs of blanks between words") << "one  two"
                                                  << "one two" << true;
    QTest::addRow("blanks at the line ends") << "  <B>x</B> "
                                             << "<B>x</B>" << true;
    QTest::addRow("word lost") << "<P>Hello <B>world</B></P>"
                               << "<B>world</B>" << false;
    QTest::addRow("blank between words lost") << "Hello<B>world</B>"
                                              << "Hello <B>world</B>" << false;
    QTest::addRow("case of words") << "<B>Hello</B>"
                                   << "<B>hello</B>" << false;
    QTest::addRow("attribute lost") << "<IMG SRC=\"a.gif\" ALT=\"Logo\">"
                                    << "<IMG SRC=\"a.gif\">" << false;
    QTest::addRow("attribute value changed") << "<IMG SRC=\"a.gif\">"
                                             << "<IMG SRC=\"b.gif\">" << false;
    QTest::addRow("colour without its hash") << "<BODY TEXT=FF0000>"
                                             << "<BODY TEXT=\"#FF0000\">" << false;
    QTest::addRow("order of elements") << "<I><B>x</B></I>"
                                       << "<B><I>x</I></B>" << false;
    QTest::addRow("less-than that opens no tag") << "a < b"
                                                 << "a  <  b" << true;
    QTest::addRow("unclosed tag") << "<IMG SRC=\"a"
                                  << "<IMG SRC=\"a\">" << true;
}

void TestTemplateSlot::sameMarkup()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(Slot::sameMarkup(a, b), same);
    QCOMPARE(Slot::sameMarkup(b, a), same);
}

void TestTemplateSlot::attributesMatchWholeNames_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value"); // "(none)": not found
    const QString body = "<BODY VLINK=\"#6B1F3A\" ALINK=\"#E0702A\" BGCOLOR=\"#FFFFFF\">";
    QTest::addRow("LINK is not inside VLINK or ALINK") << body << "LINK"
                                                       << "(none)";
    QTest::addRow("COLOR is not inside BGCOLOR") << body << "COLOR"
                                                 << "(none)";
    QTest::addRow("VLINK found") << body << "vlink"
                                 << "#6B1F3A";
    QTest::addRow("name inside a quoted value") << "<IMG ALT=\"SRC=wrong.gif\" SRC=\"right.gif\">"
                                                << "SRC"
                                                << "right.gif";
    QTest::addRow("blanks in a quoted value") << "<A HREF=\"my page.htm\">x</A>"
                                              << "HREF"
                                              << "my page.htm";
    QTest::addRow("single quotes") << "<A HREF='it is.htm'>x</A>"
                                   << "HREF"
                                   << "it is.htm";
    QTest::addRow("unquoted value") << "<IMG SRC=a.gif WIDTH=3>"
                                    << "SRC"
                                    << "a.gif";
    QTest::addRow("unquoted value at the tag end") << "<IMG WIDTH=3>"
                                                   << "WIDTH"
                                                   << "3";
    QTest::addRow("blanks round the equals sign") << "<IMG SRC = \"a b.gif\">"
                                                  << "SRC"
                                                  << "a b.gif";
    QTest::addRow("lone quote is empty") << "<IMG SRC=\">"
                                         << "SRC"
                                         << "";
    QTest::addRow("unclosed quote runs to the end") << "<IMG SRC=\"a b"
                                                    << "SRC"
                                                    << "a b";
    QTest::addRow("quote entity") << "<A HREF=\"&quot;x&quot;\">"
                                  << "HREF"
                                  << "\"x\"";
    QTest::addRow("name outside any tag") << "SRC=\"x.gif\" <B>"
                                          << "SRC"
                                          << "(none)";
    QTest::addRow("tag name is no attribute") << "<ALIGN=\"x\">"
                                              << "ALIGN"
                                              << "(none)";
}

void TestTemplateSlot::attributesMatchWholeNames()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(QString, value);
    const auto read = Slot::attributeValue(line, name);
    QCOMPARE(read.value_or(QStringLiteral("(none)")), value);
}

void TestTemplateSlot::stylesMatchWholeTags_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("italics");
    QTest::addRow("line break is not bold") << "one<BR>two" << false << false << false;
    QTest::addRow("image is not italics") << "<IMG SRC=\"a.gif\">" << false << false << false;
    QTest::addRow("list is not underline") << "<UL><LI>x" << false << false << false;
    QTest::addRow("lower-case tags") << "<b><i>x</i></b>" << true << false << true;
    QTest::addRow("tag with an attribute") << "<U CLASS=\"x\">y</U>" << false << true << false;
    QTest::addRow("styles only around the whole text")
        << "<B>a</B> <I>b</I> <U>c</U>" << false << false << false;
}

void TestTemplateSlot::stylesMatchWholeTags()
{
    QFETCH(QString, line);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    QFETCH(bool, italics);
    const Slot::Text read = Slot::readText(line);
    QCOMPARE(read.bold, bold);
    QCOMPARE(read.underline, underline);
    QCOMPARE(read.italics, italics);
}

void TestTemplateSlot::emptySlotsKeepTheInitialValues()
{
    QVERIFY(Slot::readHeading(QString()) == Slot::Heading {});
    QVERIFY(Slot::readText(QString()) == Slot::Text {});
    QVERIFY(Slot::readImage(QString()) == Slot::Image {});
    QVERIFY(Slot::readBody(QString()) == Slot::Body {});
    QVERIFY(Slot::readDefaults({}) == Slot::Defaults {});
    QCOMPARE(Slot::readLink(QString(), true).mailto, true);
    QCOMPARE(Slot::readLink(QString(), false).mailto, false);
}

void TestTemplateSlot::nothingToWriteLeavesTheSlot()
{
    QCOMPARE(Slot::write(heading("", 2, "center", "FF0000")), std::nullopt);
    QCOMPARE(Slot::write(Slot::Text { "", true, true, true, "left" }), std::nullopt);
}

void TestTemplateSlot::readThenWriteIsUnchanged_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("line");
    QTest::addRow("heading in a FONT element")
        << Kind::Heading << "<FONT COLOR=\"#FF0000\"><H2 ALIGN=\"center\">Welcome</H2></FONT>";
    QTest::addRow("heading with lower-case colour")
        << Kind::Heading << "<FONT COLOR=\"#00ff00\"><H4>Green</H4></FONT>";
    QTest::addRow("long heading") << Kind::Heading << "<H2>" + longText() + "</H2>";
    QTest::addRow("text with every style")
        << Kind::Text << "<P ALIGN=\"left\"><I><U><B>Bold and more</B></U></I></P>";
    QTest::addRow("long text") << Kind::Text << longText();
    QTest::addRow("image with its own size")
        << Kind::Image << "<IMG SRC=\"missing.gif\" HEIGHT=\"33\" WIDTH=\"44\" ALIGN=\"left\">";
    QTest::addRow("image name with blanks")
        << Kind::Image << "<IMG SRC=\"big logo 2.gif\" HEIGHT=\"1\" WIDTH=\"2\">";
    QTest::addRow("long image name")
        << Kind::Image << "<IMG SRC=\"" + QString(300, 'p') + ".gif\" HEIGHT=\"5\" WIDTH=\"6\">";
    QTest::addRow("link with blanks in URL and text")
        << Kind::Link << "<A HREF=\"my page.htm\">Go to  my page</A>";
    QTest::addRow("mail link under a Link marker")
        << Kind::Link << "<A HREF=\"mailto:me@example.com\">Mail me</A>";
    QTest::addRow("image link, aligned")
        << Kind::Link << "<P ALIGN=\"center\"><A HREF=\"a.htm\"><IMG SRC=\"b c.gif\"></A></P>";
    QTest::addRow("body with every attribute")
        << Kind::Body
        << "<BODY BACKGROUND=\"paper.gif\" TEXT=\"#111111\" LINK=\"#222222\" VLINK=\"#333333\" "
           "ALINK=\"#444444\" BGCOLOR=\"#555555\" LEFTMARGIN=\"1\" RIGHTMARGIN=\"2\" "
           "BGPROPERTIES=\"FIXED\">";
}

void TestTemplateSlot::readThenWriteIsUnchanged()
{
    QFETCH(Kind, kind);
    QFETCH(QString, line);
    switch (kind) {
    case Kind::Heading:
        QCOMPARE(Slot::write(Slot::readHeading(line)), line);
        break;
    case Kind::Text:
        QCOMPARE(Slot::write(Slot::readText(line)), line);
        break;
    case Kind::Image:
        QCOMPARE(Slot::write(Slot::readImage(line)), line);
        break;
    case Kind::Link:
        QCOMPARE(Slot::write(Slot::readLink(line, false)), line);
        break;
    case Kind::Body:
        QCOMPARE(Slot::write(Slot::readBody(line)), line);
        break;
    default:
        QFAIL("no such slot");
    }
}

QTEST_GUILESS_MAIN(TestTemplateSlot)
#include "tst_templateslot.moc"
