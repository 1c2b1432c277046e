// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/markupbuilder.h"

#include <QTest>

using namespace Tarnwick;

Q_DECLARE_METATYPE(MarkupBuilder::ListOptions)
Q_DECLARE_METATYPE(MarkupBuilder::TableOptions)
Q_DECLARE_METATYPE(MarkupBuilder::FontChoice)

class MarkupBuilderTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void definedList_data();
    void definedList();
    void quickTable_data();
    void quickTable();
    void fontTags_data();
    void fontTags();
    void choiceEntries_data();
    void choiceEntries();
};

void MarkupBuilderTest::definedList_data()
{
    using Options = MarkupBuilder::ListOptions;
    QTest::addColumn<Options>("options");
    QTest::addColumn<QStringList>("lines");

    QTest::addRow("all defaults") << Options {} << QStringList { "<OL >", "<LI> Line:1", "</OL>" };
    QTest::addRow("lower letters from 3, two items")
        << Options { true, 2, 0, 3, 2 }
        << QStringList { "<OL TYPE=\"a\" START=3 >", "<LI> Line:1", "<LI> Line:2", "</OL>" };
    QTest::addRow("small Roman") << Options { true, 4, 0, 1, 1 }
                                 << QStringList { "<OL TYPE=\"i\" >", "<LI> Line:1", "</OL>" };
    QTest::addRow("start 0 is written")
        << Options { true, 0, 0, 0, 1 } << QStringList { "<OL START=0 >", "<LI> Line:1", "</OL>" };
    QTest::addRow("unordered squares, start ignored")
        << Options { false, 2, 3, 5, 1 }
        << QStringList { "<UL TYPE=\"square\" >", "<LI> Line:1", "</UL>" };
    QTest::addRow("unordered default")
        << Options { false, 0, 0, 1, 1 } << QStringList { "<UL >", "<LI> Line:1", "</UL>" };
}

void MarkupBuilderTest::definedList()
{
    QFETCH(MarkupBuilder::ListOptions, options);
    QFETCH(QStringList, lines);
    QCOMPARE(MarkupBuilder::definedList(options), lines);
}

void MarkupBuilderTest::quickTable_data()
{
    using Options = MarkupBuilder::TableOptions;
    QTest::addColumn<Options>("options");
    QTest::addColumn<QStringList>("lines");

    QTest::addRow("two by two, no border, width 0")
        << Options { false, 0, 2, 2 }
        << QStringList { "<TABLE >", "<TR>",    "<TD>Cell:1,1</TD>", "<TD>Cell:1,2</TD>",
                         "</TR>",    "<TR>",    "<TD>Cell:2,1</TD>", "<TD>Cell:2,2</TD>",
                         "</TR>",    "</TABLE>" };
    QTest::addRow("border and width") << Options { true, 50, 1, 1 }
                                      << QStringList { "<TABLE BORDER WIDTH=\"50%\">", "<TR>",
                                                       "<TD>Cell:1,1</TD>", "</TR>", "</TABLE>" };
}

void MarkupBuilderTest::quickTable()
{
    QFETCH(MarkupBuilder::TableOptions, options);
    QFETCH(QStringList, lines);
    QCOMPARE(MarkupBuilder::quickTable(options), lines);
}

void MarkupBuilderTest::fontTags_data()
{
    using Font = MarkupBuilder::FontChoice;
    QTest::addColumn<Font>("font");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("close");

    QTest::addRow("plain") << Font { "Arial", 12, QColor(255, 0, 0) }
                           << "<FONT FACE=\"Arial\" SIZE=\"12\" COLOR=\"#FF0000\">"
                           << "</FONT>";
    QTest::addRow("bold and italic nest")
        << Font { "Times", 10, QColor(0x12, 0xab, 0x0c), true, true }
        << "<I><B><FONT FACE=\"Times\" SIZE=\"10\" COLOR=\"#12AB0C\">"
        << "</FONT></B></I>";
    QTest::addRow("every style") << Font { "X", 8, Qt::black, true, true, true, true }
                                 << "<S><U><I><B><FONT FACE=\"X\" SIZE=\"8\" COLOR=\"#000000\">"
                                 << "</FONT></B></I></U></S>";
}

void MarkupBuilderTest::fontTags()
{
    QFETCH(MarkupBuilder::FontChoice, font);
    QFETCH(QString, open);
    QFETCH(QString, close);
    const TagPair pair = MarkupBuilder::fontTags(font);
    QCOMPARE(pair.open, open);
    QCOMPARE(pair.close, close);
}

void MarkupBuilderTest::choiceEntries_data()
{
    QTest::addColumn<QString>("tagName");
    QTest::addColumn<QStringList>("entries");
    QTest::addRow("paragraph") << "P"
                               << QStringList { "<P></P>", "<P ALIGN=\"left\"></P>",
                                                "<P ALIGN=\"center\"></P>",
                                                "<P ALIGN=\"right\"></P>" };
    QTest::addRow("heading") << "H3"
                             << QStringList { "<H3></H3>", "<H3 ALIGN=\"left\"></H3>",
                                              "<H3 ALIGN=\"center\"></H3>",
                                              "<H3 ALIGN=\"right\"></H3>" };
    QTest::addRow("break") << "BR"
                           << QStringList { "<BR>", "<BR CLEAR=\"left\">", "<BR CLEAR=\"all\">",
                                            "<BR CLEAR=\"right\">" };
    QTest::addRow("bar keeps its percent sign")
        << "HR"
        << QStringList { "<HR>", "<HR ALIGN=\"left\" SIZE=\"2\" WIDTH=\"100%\">",
                         "<HR ALIGN=\"center\" SIZE=\"2\" WIDTH=\"100%\">",
                         "<HR ALIGN=\"right\" SIZE=\"2\" WIDTH=\"100%\">" };
}

void MarkupBuilderTest::choiceEntries()
{
    QFETCH(QString, tagName);
    QFETCH(QStringList, entries);
    QCOMPARE(MarkupBuilder::choiceEntries(tagName), entries);
}

QTEST_GUILESS_MAIN(MarkupBuilderTest)
#include "tst_markupbuilder.moc"
