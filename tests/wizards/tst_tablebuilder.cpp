// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/cellattributes.h"
#include "wizards/tablebuilder.h"

#include <QTest>

using namespace Tarnwick;

Q_DECLARE_METATYPE(Tarnwick::TableAttributes)
Q_DECLARE_METATYPE(Tarnwick::CellFields)
Q_DECLARE_METATYPE(Tarnwick::CellAttributes)

namespace {

const QString freshTag = QStringLiteral(
    "<TABLE BORDER=\"1\" WIDTH=\"0%\"  ALIGN=\"None\"  CELLPADDING=\"1\"  CELLSPACING=\"2\" >");
const QString freshCaption = QStringLiteral("<CAPTION ALIGN=\"Top\"><H1></H1></CAPTION>");

QString plainCell(int text, const QString &color = QString())
{
    return QStringLiteral(
               "<TD ROWSPAN=\"1\" COLSPAN=\"1\" VALIGN=\"top\" ALIGN=\"left\" BGCOLOR=\"%1\">"
               "Cell:%2</TD>")
        .arg(color)
        .arg(text);
}

} // namespace

class TestTableBuilder final : public QObject
{
    Q_OBJECT

private slots:
    void freshTwoByTwo();
    void insertedViewDropsEmptyColours();
    void startTag_data();
    void startTag();
    void cellEdits_data();
    void cellEdits();
    void selectionMatchesTheAnchorOnly();
    void inPlaceCellAnchor_data();
    void inPlaceCellAnchor();
    void addAndDelete_data();
    void addAndDelete();
    void attributesBeforeBuildOnlySetFields();
    void attributesReadBack_data();
    void attributesReadBack();
    void loadRenumbersAnchors();
    void damagedCellsStaySelectable_data();
    void damagedCellsStaySelectable();
    void cellAttributes_data();
    void cellAttributes();
};

void TestTableBuilder::freshTwoByTwo()
{
    TableBuilder b;
    b.build(2, 2, TableAttributes());
    QCOMPARE(b.lines().size(), 2 + 2 * 4 + 1);
    QCOMPARE(b.lines().at(2), QStringLiteral("<TR>"));
    QCOMPARE(
        b.lines().at(3),
        QStringLiteral("<TD ROWSPAN=\"1\" COLSPAN=\"1\" VALIGN=\"top\" ALIGN=\"left\" BGCOLOR=\"\">"
                       "<A HREF=\"Cell:0.\">*</A>Cell:1</TD>"));
    QCOMPARE(b.nextCellNumber(), 4);
    b.toViewForm(false);
    const QStringList expected { freshTag,     freshCaption, "<TR>",    plainCell(1),
                                 plainCell(2), "</TR>",      "<TR>",    plainCell(3),
                                 plainCell(4), "</TR>",      "</TABLE>" };
    QCOMPARE(b.lines(), expected);
}

void TestTableBuilder::insertedViewDropsEmptyColours()
{
    TableBuilder b;
    TableAttributes a;
    a.tableColor = "00FF00";
    b.build(1, 1, a);
    QVERIFY(b.selectCell("cell:0."));
    b.addCell(false, a.tableColor);
    b.toViewForm(true);
    QCOMPARE(b.lines().at(3),
             QStringLiteral(
                 "<TD ROWSPAN=\"1\" COLSPAN=\"1\" VALIGN=\"top\" ALIGN=\"left\" >Cell:1</TD>"));
    QCOMPARE(b.lines().at(4), plainCell(2, "#00FF00"));
    b.toEditForm();
    QCOMPARE(b.lines().at(4),
             QStringLiteral("<TD ROWSPAN=\"1\" COLSPAN=\"1\" VALIGN=\"top\" ALIGN=\"left\" "
                            "BGCOLOR=\"#00FF00\"><A HREF=\"Cell:1.\">*</A>Cell:2</TD>"));
}

void TestTableBuilder::startTag_data()
{
    QTest::addColumn<TableAttributes>("attributes");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("caption");

    TableAttributes a;
    QTest::addRow("defaults") << a << freshTag << freshCaption;
    a.border = 3;
    a.width = 100;
    a.justification = "Center";
    a.padding = 0;
    a.spacing = 5;
    a.tableColor = "FF0000";
    a.caption = "Prices";
    a.captionSize = 3;
    a.location = "Bottom";
    QTest::addRow("table colour")
        << a
        << "<TABLE BORDER=\"3\" WIDTH=\"100%\"  ALIGN=\"Center\"  CELLPADDING=\"0\"  "
           "CELLSPACING=\"5\"  BGCOLOR=\"#FF0000\">"
        << "<CAPTION ALIGN=\"Bottom\"><H3>Prices</H3></CAPTION>";
    a.borderColor = "0000FF";
    a.caption = "two\r\nlines";
    QTest::addRow("both colours, caption on one line")
        << a
        << "<TABLE BORDER=\"3\" WIDTH=\"100%\"  ALIGN=\"Center\"  CELLPADDING=\"0\"  "
           "CELLSPACING=\"5\"  BGCOLOR=\"#FF0000\" BORDERCOLOR=\"#0000FF\">"
        << "<CAPTION ALIGN=\"Bottom\"><H3>two lines</H3></CAPTION>";
    a.tableColor.clear();
    QTest::addRow("border colour alone")
        << a
        << "<TABLE BORDER=\"3\" WIDTH=\"100%\"  ALIGN=\"Center\"  CELLPADDING=\"0\"  "
           "CELLSPACING=\"5\"  BORDERCOLOR=\"#0000FF\">"
        << "<CAPTION ALIGN=\"Bottom\"><H3>two lines</H3></CAPTION>";
}

void TestTableBuilder::startTag()
{
    QFETCH(TableAttributes, attributes);
    QFETCH(QString, tag);
    QFETCH(QString, caption);
    QCOMPARE(TableBuilder::startTag(attributes), tag);
    QCOMPARE(TableBuilder::captionLine(attributes), caption);
}

void TestTableBuilder::cellEdits_data()
{
    QTest::addColumn<CellFields>("cell");
    QTest::addColumn<QString>("line");

    CellFields c;
    c.rowSpan = 2;
    c.colSpan = 3;
    c.vertical = "Middle";
    c.horizontal = "Right";
    c.text = "Total";
    c.color = "ABCDEF";
    QTest::addRow("spans, alignments and colour")
        << c
        << "<TD ROWSPAN=\"2\" COLSPAN=\"3\" VALIGN=\"Middle\" ALIGN=\"Right\" "
           "BGCOLOR=\"#ABCDEF\"><A HREF=\"Cell:1.\">*</A>Total</TD>";
    c = CellFields();
    c.header = true;
    c.text = "Name";
    QTest::addRow("header cell")
        << c
        << "<TH ROWSPAN=\"1\" COLSPAN=\"1\" VALIGN=\"None\" ALIGN=\"None\" BGCOLOR=\"\">"
           "<A HREF=\"Cell:1.\">*</A>Name</TH>";
    c = CellFields();
    c.text = "see <A HREF=\"x.htm\">this</A>";
    QTest::addRow("a link in the text")
        << c
        << "<TD ROWSPAN=\"1\" COLSPAN=\"1\" VALIGN=\"None\" ALIGN=\"None\" BGCOLOR=\"\">"
           "<A HREF=\"Cell:1.\">*</A>see <A HREF=\"x.htm\">this</A></TD>";
    c = CellFields();
    c.text = "a\nb <B>bold</B>";
    c.vertical = "x\"y";
    QTest::addRow("text on one line, quote in a value")
        << c
        << "<TD ROWSPAN=\"1\" COLSPAN=\"1\" VALIGN=\"x&quot;y\" ALIGN=\"None\" BGCOLOR=\"\">"
           "<A HREF=\"Cell:1.\">*</A>a b <B>bold</B></TD>";
}

// Each change rewrites the clicked cell alone, and reading it back gives the fields.
void TestTableBuilder::cellEdits()
{
    QFETCH(CellFields, cell);
    QFETCH(QString, line);
    TableBuilder b;
    b.build(2, 1, TableAttributes());
    QVERIFY(b.selectCell("cell:1."));
    QCOMPARE(b.selectedLine(), 4);
    b.changeCell(cell);
    QCOMPARE(b.lines().at(4), line);
    QCOMPARE(b.lines().at(3),
             TableBuilder::cellLine({ 1, 1, "top", "left", "Cell:1", false, {} }, 0));
    CellFields back = cell;
    back.text.replace('\n', ' ');
    QCOMPARE(b.selectedCell(), back);
    b.toViewForm(false);
    QVERIFY(!b.lines().at(4).contains("Cell:1."));
    QCOMPARE(b.lines().at(4).contains("<A HREF=\"x.htm\">this</A>"), cell.text.contains("x.htm"));
}

void TestTableBuilder::selectionMatchesTheAnchorOnly()
{
    TableBuilder b;
    b.build(13, 1, TableAttributes());
    // Cell 0's text reads "Cell:1", and cell 1 has the anchor "Cell:1.".
    QVERIFY(b.selectCell("Cell:1."));
    QCOMPARE(b.selectedLine(), 4);
    QVERIFY(b.selectCell("cell:12."));
    QCOMPARE(b.selectedLine(), 15);
    QVERIFY(!b.selectCell("cell:99."));
    QVERIFY(!b.selectCell("http://example.com/"));
    QCOMPARE(b.selectedLine(), 15);
}

void TestTableBuilder::inPlaceCellAnchor_data()
{
    QTest::addColumn<QString>("before"); // the cell's text before the change
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("header");
    QTest::addColumn<QString>("otherText"); // of cell 0
    QTest::addColumn<QString>("anchor");
    QTest::addRow("plain text") << "Cell:2"
                                << "Total & sum" << false << ""
                                << "Cell:1.";
    QTest::addRow("header style") << "Cell:2"
                                  << "Head" << true << ""
                                  << "Cell:1.";
    QTest::addRow("markup typed") << "Cell:2"
                                  << "<b>bold</b>" << false << ""
                                  << "";
    QTest::addRow("markup removed") << "<b>bold</b>"
                                    << "bold" << false << ""
                                    << "";
    QTest::addRow("the row closed in the text") << "a"
                                                << "a</TD><TD>b" << false << ""
                                                << "";
    QTest::addRow("the anchor in another cell") << "x"
                                                << "y" << false << "<A HREF=\"Cell:1.\">see</A>"
                                                << "";
    QTest::addRow("an anchor that only begins alike")
        << "x"
        << "y" << false << "<A HREF=\"Cell:12.\">see</A>"
        << "Cell:1.";
}

// A cell may be swapped in a shown table only when the whole table would
// parse it the same way: a cell of plain text whose anchor nothing else names.
void TestTableBuilder::inPlaceCellAnchor()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, header);
    QFETCH(QString, otherText);
    QFETCH(QString, anchor);
    TableBuilder b;
    b.build(2, 2, TableAttributes());
    if (!otherText.isEmpty()) {
        QVERIFY(b.selectCell("cell:0."));
        b.changeCell({ 1, 1, "top", "left", otherText, false, {} });
    }
    QVERIFY(b.selectCell("cell:1."));
    b.changeCell({ 1, 1, "top", "left", before, false, {} });
    const QString line = b.lines().at(b.selectedLine());
    b.changeCell({ 2, 1, "middle", "center", after, header, "FF0000" });
    QCOMPARE(b.inPlaceCellAnchor(line), anchor);
    b.toViewForm(false);
    QCOMPARE(b.inPlaceCellAnchor(line), QString());
}

void TestTableBuilder::addAndDelete_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QStringList>("shape"); // the lines after line 1, cells by their text
    QTest::addColumn<int>("selected");

    QTest::addRow("cell after") << "cell after"
                                << "cell:0." << QStringList { "<TR>", "1", "5", "2",    "</TR>",
                                                              "<TR>", "3", "4", "</TR>" }
                                << 3;
    QTest::addRow("cell before keeps the selection")
        << "cell before"
        << "cell:1." << QStringList { "<TR>", "1", "5", "2", "</TR>", "<TR>", "3", "4", "</TR>" }
        << 5;
    QTest::addRow("row after") << "row after"
                               << "cell:0."
                               << QStringList { "<TR>",  "1",    "2", "</TR>", "<TR>", "5",
                                                "</TR>", "<TR>", "3", "4",     "</TR>" }
                               << 3;
    QTest::addRow("row before keeps the selection")
        << "row before"
        << "cell:3." << QStringList { "<TR>",  "1",    "2", "</TR>", "<TR>", "5",
                                      "</TR>", "<TR>", "3", "4",     "</TR>" }
        << 11;
    QTest::addRow("delete a cell")
        << "delete"
        << "cell:2." << QStringList { "<TR>", "1", "2", "</TR>", "<TR>", "4", "</TR>" } << -1;
}

void TestTableBuilder::addAndDelete()
{
    QFETCH(QString, action);
    QFETCH(QString, cell);
    QFETCH(QStringList, shape);
    QFETCH(int, selected);
    TableBuilder b;
    b.build(2, 2, TableAttributes());
    QVERIFY(b.selectCell(cell));
    const int before = b.selectedLine();
    const QString selectedText = b.lines().at(before);
    if (action == "cell after")
        b.addCell(false, {});
    else if (action == "cell before")
        b.addCell(true, {});
    else if (action == "row after")
        b.addRow(false, {});
    else if (action == "row before")
        b.addRow(true, {});
    else
        b.deleteCell();
    QStringList got;
    for (const QString &line : b.lines().mid(2, b.lines().size() - 3))
        got.append(TableBuilder::isCellLine(line) ? line.section("Cell:", 2).section('<', 0, 0)
                                                  : line);
    QCOMPARE(got, shape);
    QCOMPARE(b.lines().constLast(), QStringLiteral("</TABLE>"));
    QCOMPARE(b.selectedLine(), selected);
    if (selected >= 0)
        QCOMPARE(b.lines().at(selected), selectedText);
}

void TestTableBuilder::attributesBeforeBuildOnlySetFields()
{
    TableBuilder b;
    TableAttributes a;
    a.border = 4;
    b.setAttributes(a);
    QVERIFY(b.lines().isEmpty());
    b.build(1, 1, TableAttributes());
    QVERIFY(b.selectCell("cell:0."));
    b.deleteCell(); // the only cell: its row goes too
    QCOMPARE(b.lines(), QStringList({ freshTag, freshCaption, "</TABLE>" }));
    b.setAttributes(a);
    QCOMPARE(b.lines().size(), 3);
    QVERIFY(b.lines().at(0).startsWith("<TABLE BORDER=\"4\""));
}

void TestTableBuilder::attributesReadBack_data()
{
    QTest::addColumn<TableAttributes>("attributes");
    TableAttributes a;
    QTest::addRow("defaults") << a;
    a.border = 0;
    a.width = 75;
    a.justification = "Right";
    a.padding = 12;
    a.spacing = 0;
    a.tableColor = "C0C0C0";
    a.caption = "A <I>small</I> table";
    a.captionSize = 7;
    a.location = "Bottom";
    QTest::addRow("every field") << a;
    a.tableColor.clear();
    a.borderColor = "112233";
    QTest::addRow("border colour alone") << a;
    a.tableColor = "445566";
    QTest::addRow("both colours") << a;
    a.justification = "x\" CELLPADDING=\"9";
    a.caption = "BORDER=7";
    QTest::addRow("attribute names inside a value") << a;
}

void TestTableBuilder::attributesReadBack()
{
    QFETCH(TableAttributes, attributes);
    TableBuilder b;
    b.build(1, 1, TableAttributes());
    b.setAttributes(attributes);
    QCOMPARE(TableBuilder::readAttributes(b.lines()), attributes);
}

void TestTableBuilder::loadRenumbersAnchors()
{
    TableBuilder b;
    b.build(3, 1, TableAttributes());
    QVERIFY(b.selectCell("cell:0."));
    b.deleteCell();
    // Saved now, the anchors run 1, 2 and the next new cell would be number 2 again.
    TableBuilder loaded;
    loaded.load(b.lines());
    QCOMPARE(loaded.nextCellNumber(), 2);
    QVERIFY(loaded.lines().at(3).contains("HREF=\"Cell:0.\">*</A>Cell:2<"));
    QVERIFY(loaded.lines().at(4).contains("HREF=\"Cell:1.\">*</A>Cell:3<"));
    QVERIFY(loaded.selectCell("cell:1."));
    loaded.addCell(false, {});
    QVERIFY(loaded.lines().at(5).contains("HREF=\"Cell:2.\""));
    QVERIFY(loaded.selectCell("cell:2."));
    QCOMPARE(loaded.selectedLine(), 5);
}

void TestTableBuilder::damagedCellsStaySelectable_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addRow("anchor address inside a value")
        << "<TD ROWSPAN=\"1\" COLSPAN=\"1\" VALIGN=\"<A HREF=\"Cell:1.\">\" ALIGN=\"left\" "
           "BGCOLOR=\"\">text</TD>";
    QTest::addRow("second builder anchor in the text")
        << "<TD VALIGN=\"top\"><A HREF=\"Cell:0.\">*</A>one<A HREF=\"Cell:1.\">*</A>two</TD>";
    QTest::addRow("anchors that join when one goes")
        << "<TD><A HREF=\"Cell:<A HREF=\"Cell:4.\">*</A>1.\">*</A>x</TD>";
    QTest::addRow("broken value with NUL bytes")
        << QStringLiteral("<TD VALIGN=\"t\0p><A HREF=\"Cell:1.\">x</TD>");
}

// A cell of a damaged file keeps the anchor the builder gave it when it is
// written back from its own fields, and the other cells stay found too.
void TestTableBuilder::damagedCellsStaySelectable()
{
    QFETCH(QString, cell);
    const QStringList lines { "<TABLE BORDER=\"1\">",
                              "<CAPTION ALIGN=\"top\"><H1></H1></CAPTION>",
                              "<TR>",
                              cell,
                              "<TD>second</TD>",
                              "</TR>",
                              "</TABLE>" };
    TableBuilder b;
    b.load(lines);
    for (int round = 0; round < 2; ++round) {
        QVERIFY(b.selectCell("cell:0."));
        QCOMPARE(b.selectedLine(), 3);
        b.changeCell(b.selectedCell());
        QVERIFY(b.selectCell("cell:0."));
        QCOMPARE(b.selectedLine(), 3);
        QVERIFY(b.selectCell("cell:1."));
        QCOMPARE(b.selectedLine(), 4);
    }
}

void TestTableBuilder::cellAttributes_data()
{
    QTest::addColumn<CellAttributes>("attributes");
    QTest::addColumn<QString>("text");
    CellAttributes a;
    QTest::addRow("nothing chosen") << a << "";
    a.rows = 2;
    a.columns = 3;
    QTest::addRow("spans") << a << " ROWSPAN=\"2\" COLSPAN=\"3\"";
    a = CellAttributes();
    a.vertical = "middle";
    a.horizontal = "center";
    a.color = "FF00FF";
    QTest::addRow("alignments and colour without #")
        << a << " VALIGN=\"middle\" ALIGN=\"center\" BGCOLOR=\"FF00FF\"";
    a = CellAttributes();
    a.height = 40;
    a.heightPercent = true;
    a.width = 120;
    QTest::addRow("height in per cent, width in pixels") << a << " HEIGHT=\"40%\" WIDTH=\"120\"";
    a = CellAttributes();
    a.rows = 100;
    a.columns = 1;
    a.color = "red\"x";
    a.width = 50;
    a.widthPercent = true;
    QTest::addRow("quote in the colour")
        << a << " ROWSPAN=\"100\" BGCOLOR=\"red&quot;x\" WIDTH=\"50%\"";
}

void TestTableBuilder::cellAttributes()
{
    QFETCH(CellAttributes, attributes);
    QFETCH(QString, text);
    QCOMPARE(attributes.text(), text);
}

QTEST_GUILESS_MAIN(TestTableBuilder)
#include "tst_tablebuilder.moc"
