// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/bodytag.h"

#include <QTest>

using namespace Tarnwick;

Q_DECLARE_METATYPE(Tarnwick::BodySettings)

class TestBodyTag final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setBodyVars_data();
    void setBodyVars();
    void badNumberChangesNothing_data();
    void badNumberChangesNothing();
    void build_data();
    void build();
    void writtenTagReadsBack();
    void webAddresses_data();
    void webAddresses();
};

namespace {

BodySettings remembered()
{
    BodySettings s;
    s.image = "/old/back.gif";
    s.text = QColor(1, 2, 3);
    s.leftMargin = 7;
    s.fixedBackground = true;
    return s;
}

} // namespace

void TestBodyTag::setBodyVars_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<BodySettings>("expected");

    BodySettings quoted = remembered();
    quoted.image.clear();
    quoted.leftMargin = -1;
    quoted.fixedBackground = false;
    quoted.text = QColor(0x12, 0x34, 0x56);
    quoted.background = QColor(0xFF, 0xFF, 0xCC);
    QTest::addRow("quoted") << R"(<BODY TEXT="#123456" BGCOLOR="#FFFFCC">)" << quoted;
    QTest::addRow("unquoted") << "<body text=#123456 bgcolor=#ffffcc>" << quoted;
    QTest::addRow("without #") << R"(<BODY TEXT="123456" BGCOLOR='FFFFCC'>)" << quoted;

    BodySettings links = quoted;
    links.link = QColor(0, 0, 0xFF);
    links.visitedLink = QColor(0x80, 0, 0x80);
    links.activeLink = QColor(0xFF, 0, 0);
    QTest::addRow("LINK after VLINK and ALINK")
        << R"(<BODY VLINK="#800080" ALINK="#FF0000" LINK="#0000FF" TEXT="#123456" BGCOLOR="#FFFFCC">)"
        << links;

    BodySettings margins = remembered();
    margins.image = "back.jpg";
    margins.leftMargin = 10;
    margins.rightMargin = 0;
    margins.topMargin = 5;
    margins.bottomMargin = 20;
    margins.fixedBackground = true;
    QTest::addRow("margins, image, BGPROPERTIES")
        << R"(<BODY BACKGROUND="back.jpg" BOTTOMMARGIN="20" TOPMARGIN=5 RIGHTMARGIN="0" LEFTMARGIN="10" BGPROPERTIES="FIXED">)"
        << margins;

    BodySettings spread = quoted;
    spread.image = "sky.gif";
    QTest::addRow("tag over three lines")
        << "<BODY BACKGROUND=sky.gif\n   TEXT=\"#123456\"\n   BGCOLOR=#FFFFCC>" << spread;

    BodySettings inValue = remembered();
    inValue.image = "a=link=blue";
    inValue.leftMargin = -1;
    inValue.fixedBackground = false;
    QTest::addRow("a name inside a value is no attribute")
        << R"(<BODY BACKGROUND="a=link=blue" ALT='TEXT=x'>)" << inValue;

    BodySettings bare = remembered();
    bare.image.clear();
    bare.leftMargin = -1;
    bare.fixedBackground = false;
    QTest::addRow("bare tag keeps colours") << "<BODY>" << bare;
    BodySettings empty = bare;
    empty.text = QColor(); // not set: written back empty, never as black
    QTest::addRow("lone quote is empty, stays empty") << "<BODY TEXT=\">" << empty;
    BodySettings noBackground = bare;
    noBackground.text = Qt::black;
    noBackground.background = QColor();
    QTest::addRow("empty BGCOLOR stays empty")
        << R"(<BODY TEXT="#000000" BGCOLOR="">)" << noBackground;
    BodySettings web = bare;
    web.image = "http://example.com/bg.gif";
    QTest::addRow("background at a web address")
        << R"(<BODY BACKGROUND="http://example.com/bg.gif">)" << web;
}

void TestBodyTag::setBodyVars()
{
    QFETCH(QString, tag);
    QFETCH(BodySettings, expected);
    BodySettings settings = remembered();
    QVERIFY2(BodyTag::SetBodyVars(tag, settings).ok(), qPrintable(tag));
    QCOMPARE(settings.image, expected.image);
    QCOMPARE(settings.text, expected.text);
    QCOMPARE(settings.link, expected.link);
    QCOMPARE(settings.visitedLink, expected.visitedLink);
    QCOMPARE(settings.activeLink, expected.activeLink);
    QCOMPARE(settings.background, expected.background);
    QCOMPARE(settings.leftMargin, expected.leftMargin);
    QCOMPARE(settings.rightMargin, expected.rightMargin);
    QCOMPARE(settings.topMargin, expected.topMargin);
    QCOMPARE(settings.bottomMargin, expected.bottomMargin);
    QCOMPARE(settings.fixedBackground, expected.fixedBackground);
}

void TestBodyTag::badNumberChangesNothing_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("error");

    QTest::addRow("margin") << R"(<BODY TEXT="#FF0000" LEFTMARGIN="1O">)"
                            << "'1O' is not a valid integer value";
    QTest::addRow("colour name") << R"(<BODY BGCOLOR="white" TEXT="#FF0000">)"
                                 << "'white' is not a valid integer value";
    QTest::addRow("seven digits") << R"(<BODY LINK="#1234567">)"
                                  << "'#1234567' is not a valid integer value";
}

void TestBodyTag::badNumberChangesNothing()
{
    QFETCH(QString, tag);
    QFETCH(QString, error);
    BodySettings settings = remembered();
    const Result result = BodyTag::SetBodyVars(tag, settings);
    QVERIFY(!result);
    QCOMPARE(result.error(), error);
    QVERIFY(settings == remembered());
}

void TestBodyTag::build_data()
{
    QTest::addColumn<BodySettings>("settings");
    QTest::addColumn<QString>("expected");

    BodySettings plain;
    plain.text = QColor(0x12, 0xAB, 0x0F);
    QTest::addRow("no margins, no background")
        << plain
        << R"(<BODY TEXT="#12AB0F" LINK="#000000" ALINK="#000000" VLINK="#000000" BGCOLOR="#FFFFFF" >)";

    BodySettings full;
    full.image = "/pictures/my sky.gif";
    full.link = Qt::blue;
    full.visitedLink = QColor(0x80, 0, 0x80);
    full.activeLink = Qt::red;
    full.leftMargin = 0;
    full.topMargin = 12;
    full.bottomMargin = 3;
    full.fixedBackground = true;
    BodySettings unset;
    unset.link = QColor();
    unset.background = QColor();
    unset.leftMargin = 2147483647;
    QTest::addRow("colours read in empty, largest margin")
        << unset
        << R"(<BODY TEXT="#000000" LINK="" ALINK="#000000" VLINK="#000000" BGCOLOR="" LEFTMARGIN="2147483647" >)";

    QTest::addRow("everything")
        << full
        << R"(<BODY BACKGROUND="my sky.gif" TEXT="#000000" LINK="#0000FF" ALINK="#FF0000" VLINK="#800080" BGCOLOR="#FFFFFF" LEFTMARGIN="0" TOPMARGIN="12" BOTTOMMARGIN="3" BGPROPERTIES="FIXED">)";
}

void TestBodyTag::webAddresses_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<bool>("web");
    QTest::addRow("http") << "http://example.com/bg.gif" << true;
    QTest::addRow("https, upper case") << "HTTPS://example.com/a%20b.png" << true;
    QTest::addRow("without a scheme") << "//cdn.example.com/bg.gif" << true;
    QTest::addRow("file address") << "file:///home/ann/bg.gif" << true;
    QTest::addRow("full path") << "/home/ann/site/bg.gif" << false;
    QTest::addRow("drive letter") << "C:/pics/bg.gif" << false;
    QTest::addRow("name beside the page") << "bg.gif" << false;
    QTest::addRow("folder below the page") << "images/bg.gif" << false;
}

// A web address is written as it stands; a file by its name, as it is copied beside the page.
void TestBodyTag::webAddresses()
{
    QFETCH(QString, image);
    QFETCH(bool, web);
    QCOMPARE(BodyTag::isWebAddress(image), web);
    BodySettings settings;
    settings.image = image;
    const QString written = web ? image : image.section('/', -1);
    QVERIFY(BodyTag::build(settings).startsWith("<BODY BACKGROUND=\"" + written + "\" TEXT="));
}

void TestBodyTag::build()
{
    QFETCH(BodySettings, settings);
    QFETCH(QString, expected);
    QCOMPARE(BodyTag::build(settings), expected);
}

void TestBodyTag::writtenTagReadsBack()
{
    BodySettings written;
    written.image = "/x/back.png";
    written.text = QColor(0x10, 0x20, 0x30);
    written.link = QColor(0x40, 0x50, 0x60);
    written.visitedLink = QColor(0x70, 0x80, 0x90);
    written.activeLink = QColor(0xA0, 0xB0, 0xC0);
    written.background = QColor(0xD0, 0xE0, 0xF0);
    written.rightMargin = 4;
    written.bottomMargin = 0;
    written.activeLink = QColor(); // empty in, empty out
    BodySettings read;
    QVERIFY(BodyTag::SetBodyVars(BodyTag::build(written), read).ok());
    written.image = "back.png"; // the page names it beside itself
    QVERIFY(read == written);
}

QTEST_GUILESS_MAIN(TestBodyTag)
#include "tst_bodytag.moc"
