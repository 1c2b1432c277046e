// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/attributetext.h"

#include <QTest>

using namespace Tarnwick;

using Kind = AttributeText::Kind;
Q_DECLARE_METATYPE(AttributeText::Kind)

class AttributeTextTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void attributeUnderTheMouse_data();
    void attributeUnderTheMouse();
    void colorValues_data();
    void colorValues();
    void withColor();
};

void AttributeTextTest::attributeUnderTheMouse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("at"); // the text the mouse is on, first occurrence
    QTest::addColumn<QString>("attribute"); // "" when none
    QTest::addColumn<QString>("value");
    QTest::addColumn<Kind>("kind");

    const QString body = "<BODY TEXT=\"#000000\" LINK=\"#0000FF\" VLINK=\"#800080\">";
    QTest::addRow("VLINK, not LINK inside it") << body << "VLINK"
                                               << "VLINK=\"#800080\""
                                               << "#800080" << Kind::Color;
    QTest::addRow("on the value") << body << "0000FF"
                                  << "LINK=\"#0000FF\""
                                  << "#0000FF" << Kind::Color;
    QTest::addRow("unquoted colour, never the >") << "<BODY BGCOLOR=#FF0000>"
                                                  << "BGCOLOR"
                                                  << "BGCOLOR=#FF0000"
                                                  << "#FF0000" << Kind::Color;
    QTest::addRow("blanks round =") << "<TD BGCOLOR = '#fff' >"
                                    << "BGCOLOR"
                                    << "BGCOLOR = '#fff'"
                                    << "#fff" << Kind::Color;
    QTest::addRow("anchor is no colour") << "<A HREF=\"#top\">up</A>"
                                         << "HREF"
                                         << "HREF=\"#top\""
                                         << "#top" << Kind::Other;
    QTest::addRow("anchor spelt in hex digits is no colour") << "<A HREF=\"#add\">up</A>"
                                                             << "HREF"
                                                             << "HREF=\"#add\""
                                                             << "#add" << Kind::Other;
    QTest::addRow("six hex digits in a NAME") << "<A NAME=\"#c0ffee\">"
                                              << "NAME"
                                              << "NAME=\"#c0ffee\""
                                              << "#c0ffee" << Kind::Other;
    QTest::addRow("BORDERCOLOR") << "<TABLE BORDERCOLOR=\"#ABC\">"
                                 << "BORDERCOLOR"
                                 << "BORDERCOLOR=\"#ABC\""
                                 << "#ABC" << Kind::Color;
    QTest::addRow("ALINK, lower case") << "<body alink=#ff0000>"
                                       << "alink"
                                       << "alink=#ff0000"
                                       << "#ff0000" << Kind::Color;
    QTest::addRow("bad colour of a colour attribute") << "<FONT COLOR=\"#GG0000\">"
                                                      << "COLOR"
                                                      << "COLOR=\"#GG0000\""
                                                      << "#GG0000" << Kind::BadColor;
    QTest::addRow("quoted value with its blanks") << "<IMG SRC=\"my pic.gif\" ALT=x>"
                                                  << "pic"
                                                  << "SRC=\"my pic.gif\""
                                                  << "my pic.gif" << Kind::Image;
    QTest::addRow("lower-case background") << "<body background='back.jpg'>"
                                           << "back"
                                           << "background='back.jpg'"
                                           << "back.jpg" << Kind::Image;
    QTest::addRow("LOWSRC") << "<IMG LOWSRC=a.gif>"
                            << "LOWSRC"
                            << "LOWSRC=a.gif"
                            << "a.gif" << Kind::Image;
    QTest::addRow("ALIGN") << "<P ALIGN=center>"
                           << "center"
                           << "ALIGN=center"
                           << "center" << Kind::Align;
    QTest::addRow("VALIGN") << "<TD VALIGN=top>"
                            << "VALIGN"
                            << "VALIGN=top"
                            << "top" << Kind::VAlign;
    QTest::addRow("SIZE") << "<HR SIZE=\"2\">"
                          << "SIZE"
                          << "SIZE=\"2\""
                          << "2" << Kind::Size;
    QTest::addRow("attribute without value") << "<INPUT CHECKED>"
                                             << "CHECKED"
                                             << "CHECKED"
                                             << "" << Kind::Other;
    QTest::addRow("tag spanning lines") << "<IMG\nSRC=\"a\nb.gif\">"
                                        << "SRC"
                                        << "SRC=\"a\nb.gif\""
                                        << "a\nb.gif" << Kind::Image;
    QTest::addRow("a > inside a quoted value") << "<IMG ALT=\"a>b\" SRC=x.gif>"
                                               << "SRC"
                                               << "SRC=x.gif"
                                               << "x.gif" << Kind::Image;
    QTest::addRow("plain text after a tag") << "<B>word BGCOLOR=#FF0000"
                                            << "BGCOLOR"
                                            << ""
                                            << "" << Kind::Other;
    QTest::addRow("the tag name") << "<BODY TEXT=#000000>"
                                  << "BODY"
                                  << ""
                                  << "" << Kind::Other;
    QTest::addRow("a comment") << "<!-- COLOR=#FF0000 -->"
                               << "COLOR"
                               << ""
                               << "" << Kind::Other;
    QTest::addRow("unterminated quote runs to the end") << "<IMG SRC=\"a.gif"
                                                        << "SRC"
                                                        << "SRC=\"a.gif"
                                                        << "a.gif" << Kind::Image;
}

void AttributeTextTest::attributeUnderTheMouse()
{
    QFETCH(QString, text);
    QFETCH(QString, at);
    QFETCH(QString, attribute);
    QFETCH(QString, value);
    QFETCH(Kind, kind);

    const AttributeText::Hit hit = AttributeText::at(text, text.indexOf(at));
    const bool isAttribute = hit.part == AttributeText::Part::Attribute;
    QCOMPARE(isAttribute ? text.mid(hit.start, hit.end - hit.start) : QString(), attribute);
    QCOMPARE(hit.value, value);
    QCOMPARE(AttributeText::kindOf(hit), kind);
}

void AttributeTextTest::colorValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QColor>("color"); // invalid when no colour
    QTest::addRow("six digits, red first") << "#FF8000" << QColor(255, 128, 0);
    QTest::addRow("lower case") << "#00ff00" << QColor(0, 255, 0);
    QTest::addRow("three digits") << "#F00" << QColor(255, 0, 0);
    QTest::addRow("anchor") << "#top" << QColor();
    QTest::addRow("four digits") << "#FFFF" << QColor();
    QTest::addRow("no hash") << "FF0000" << QColor();
    QTest::addRow("hash alone") << "#" << QColor();
}

void AttributeTextTest::colorValues()
{
    QFETCH(QString, value);
    QFETCH(QColor, color);
    QCOMPARE(AttributeText::colorValue(value).value_or(QColor()), color);
}

void AttributeTextTest::withColor()
{
    QCOMPARE(AttributeText::withColor("VLINK=\"#800080\"", QColor(255, 0, 0)),
             QString("VLINK=\"#FF0000\""));
    QCOMPARE(AttributeText::withColor("bgcolor = #fff", QColor(0, 0x80, 0xff)),
             QString("bgcolor =\"#0080FF\""));
}

QTEST_GUILESS_MAIN(AttributeTextTest)
#include "tst_attributetext.moc"
