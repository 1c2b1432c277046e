// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tagpairtext.h"

#include <QTest>

using namespace Tarnwick;

Q_DECLARE_METATYPE(TagPair)

class TagPairTextTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closingTag_data();
    void closingTag();
    void captionAsTag_data();
    void captionAsTag();
    void unevenTags_data();
    void unevenTags();
};

void TagPairTextTest::closingTag_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("close");
    QTest::addRow("bare tag") << "<B>"
                              << "</B>";
    QTest::addRow("attributes are no part of the close") << "<FONT SIZE=2>"
                                                         << "</FONT>";
    QTest::addRow("line break after the name") << "<TD\rALIGN=left>"
                                               << "</TD>";
    QTest::addRow("empty tag keeps the slash rule") << "<>"
                                                    << "</>";
    QTest::addRow("no tag at all") << ""
                                   << "";
}

void TagPairTextTest::closingTag()
{
    QFETCH(QString, tag);
    QFETCH(QString, close);
    QCOMPARE(TagPairText::closingTag(tag), close);
}

void TagPairTextTest::captionAsTag_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<TagPair>("pair");
    QTest::addRow("aligned paragraph")
        << "<P ALIGN=\"left\"></P>" << TagPair { "<P ALIGN=\"left\">", "</P>" };
    QTest::addRow("bar: all opening")
        << "<HR ALIGN=\"left\" SIZE=\"2\" WIDTH=\"100%\">"
        << TagPair { "<HR ALIGN=\"left\" SIZE=\"2\" WIDTH=\"100%\">", "" };
    QTest::addRow("no closing bracket") << "<P" << TagPair { "<P", "" };
}

void TagPairTextTest::captionAsTag()
{
    QFETCH(QString, caption);
    QFETCH(TagPair, pair);
    QCOMPARE(TagPairText::captionAsTag(caption), pair);
}

void TagPairTextTest::unevenTags_data()
{
    QTest::addColumn<QString>("pairText");
    QTest::addColumn<TagPair>("pair");
    QTest::addRow("halves without brackets") << "B../B - Bold" << TagPair { "<B>", "</B>" };
    QTest::addRow("comment: brackets only where neither is")
        << "<!--..-->" << TagPair { "<!--", "-->" };
    QTest::addRow("comment with free words") << "<!--..--> - Comment" << TagPair { "<!--", "-->" };
    QTest::addRow("hyphen inside a value") << "<SPAN CLASS=\"a-b\">..</SPAN> - Styled"
                                           << TagPair { "<SPAN CLASS=\"a-b\">", "</SPAN>" };
    QTest::addRow("hyphen in the opening half")
        << "<A HREF=\"x-y.htm\">..</A>" << TagPair { "<A HREF=\"x-y.htm\">", "</A>" };
    QTest::addRow("empty close stays empty") << "<BR>.. - Break" << TagPair { "<BR>", "" };
    QTest::addRow("empty open stays empty") << "../B" << TagPair { "", "</B>" };
    QTest::addRow("nothing at all") << ".." << TagPair {};
    QTest::addRow("blanks round a bare half") << " B .. /B  - Bold" << TagPair { "<B>", "</B>" };
    QTest::addRow("dots inside a quoted value") << "<A HREF=\"../index.htm\">..</A> - Up"
                                                << TagPair { "<A HREF=\"../index.htm\">", "</A>" };
    QTest::addRow("dots inside a single-quoted value, blanks round =")
        << "<A HREF = '../up/../index.htm'>..</A>"
        << TagPair { "<A HREF = '../up/../index.htm'>", "</A>" };
    QTest::addRow("dots in a quoted value of a bare half")
        << "A HREF=\"../x.htm\"../A - Up" << TagPair { "<A HREF=\"../x.htm\">", "</A>" };
    QTest::addRow("an apostrophe is no quote")
        << "<B>It's..</B> - Bold" << TagPair { "<B>It's", "</B>" };
    QTest::addRow("dots in the free words") << "B../B - Wait.." << TagPair { "<B>", "</B>" };
    QTest::addRow("unclosed quote: the first dots, as ever")
        << "<A HREF=\"../x>..</A>" << TagPair { "<A HREF=\"", "/x>..</A>" };
    QTest::addRow("no dots: the first word names the tag")
        << "TT - Teletype" << TagPair { "<TT>", "</TT>" };
    QTest::addRow("no dots, heading") << "H1 - Size 1" << TagPair { "<H1>", "</H1>" };
    QTest::addRow("no dots, no blank: the whole text") << "CODE" << TagPair { "<CODE>", "</CODE>" };
    QTest::addRow("no dots, bracketed word") << "<TT> teletype" << TagPair { "<TT>", "</TT>" };
    QTest::addRow("no dots, nothing") << "   " << TagPair {};
    QTest::addRow("line breaks in the halves")
        << "<% If x Then %>\r..\r<% End If %>" << TagPair { "<% If x Then %>\r", "\r<% End If %>" };
}

void TagPairTextTest::unevenTags()
{
    QFETCH(QString, pairText);
    QFETCH(TagPair, pair);
    const TagPair got = TagPairText::unevenTags(pairText);
    QCOMPARE(got.open, pair.open);
    QCOMPARE(got.close, pair.close);
}

QTEST_GUILESS_MAIN(TagPairTextTest)
#include "tst_tagpairtext.moc"
