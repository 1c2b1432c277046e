// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/mapgrid.h"

#include "tags/mapfiles.h"
#include "tags/mappositioning.h"
#include "testenvironment.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

// Rows as "type|link|x|y|..." from row 1 on.
MapGrid gridOf(const QStringList &rows)
{
    MapGrid grid;
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList cells = rows[r].split(QLatin1Char('|'));
        for (int c = 0; c < cells.size(); ++c)
            grid.setCell(r + 1, c, cells[c]);
    }
    return grid;
}

QStringList rowsOf(const MapGrid &grid)
{
    QStringList rows;
    for (int r = 1; r < MapGrid::rowCount; ++r) {
        QStringList cells;
        for (int c = 0; c < MapGrid::columnCount; ++c)
            cells.append(grid.cell(r, c));
        while (!cells.isEmpty() && cells.constLast().isEmpty())
            cells.removeLast();
        rows.append(cells.join(QLatin1Char('|')));
    }
    while (!rows.isEmpty() && rows.constLast().isEmpty())
        rows.removeLast();
    return rows;
}

} // namespace

class MapGridTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void mapElement_data();
    void mapElement();
    void mapFile_data();
    void mapFile();
    void coordinateRoundTrip_data();
    void coordinateRoundTrip();
    void malformedCoordinates_data();
    void malformedCoordinates();
    void rowsBeyondTheGridAreCounted();
    void savedFilesAndErrors();
    void clicks_data();
    void clicks();
};

void MapGridTest::mapElement_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("expected");

    QTest::addRow("rows 1 and 2 filled, row 3 empty: two AREA lines")
        << QStringList { "rect|page.htm|10|20|50|60", "poly|b.htm|1|2|3|4|5|6", "",
                         "rect|after.htm|1|1|2|2" }
        << QStringList { R"(<MAP NAME="nav">)",
                         R"(<AREA SHAPE=rect  COORDS=" 10, 20, 50, 60" HREF="page.htm">)",
                         R"(<AREA SHAPE=poly  COORDS=" 1, 2, 3, 4, 5, 6" HREF="b.htm">)",
                         "</MAP>" };
    QTest::addRow("default row") << QStringList { "default|home.htm" }
                                 << QStringList { R"(<MAP NAME="nav">)",
                                                  R"(<AREA SHAPE=default  HREF="home.htm">)",
                                                  "</MAP>" };
    QTest::addRow("circle: centre and radius as drawn")
        << QStringList { "circle|c.htm|50|50|53|54" }
        << QStringList { R"(<MAP NAME="nav">)",
                         R"(<AREA SHAPE=circle  COORDS=" 50, 50, 5" HREF="c.htm">)", "</MAP>" };
    QTest::addRow("a quote in the link")
        << QStringList { R"(default|say "hi".htm)" }
        << QStringList { R"(<MAP NAME="nav">)",
                         R"(<AREA SHAPE=default  HREF="say &quot;hi&quot;.htm">)", "</MAP>" };
}

void MapGridTest::mapElement()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, expected);
    QCOMPARE(gridOf(rows).mapElement(QStringLiteral("nav")), expected);
}

void MapGridTest::mapFile_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray header = "#This file should be pointed to by an entry in IMAGEMAP.CNF\r\n";
    QTest::addRow("rect") << QStringList { "rect|page.htm|10|20|50|60" }
                          << header + "rect  page.htm  10,20 50,60\r\n";
    QTest::addRow("empty row between, none after")
        << QStringList { "default|home.htm", "", "circle|c.htm|5|5|9|9" }
        << header + "default  home.htm \r\n   \r\ncircle  c.htm  5,5 9,9\r\n";
    QTest::addRow("empty grid") << QStringList() << header;
}

void MapGridTest::mapFile()
{
    QFETCH(QStringList, rows);
    QFETCH(QByteArray, expected);
    QCOMPARE(MapFiles::mapFileText(gridOf(rows)), expected);
}

void MapGridTest::coordinateRoundTrip_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addRow("all four types")
        << QStringList { "rect|a.htm|1|2|3|4", "poly|b.htm|1|1|9|1|9|9|1|9",
                         "circle|c.htm|50|50|60|50", "default|d.htm" };
    QTest::addRow("a full polygon")
        << QStringList { "poly|p.htm|" + QStringList(48, "7").join('|') };
    QTest::addRow("a link with blanks") << QStringList { "rect|my page.htm|1|2|3|4" };
}

void MapGridTest::coordinateRoundTrip()
{
    QFETCH(QStringList, rows);
    const QByteArray text = MapFiles::coordinateText(gridOf(rows));
    MapGrid stale = gridOf({ "poly|old|1|1|2|2|3|3|4|4", "rect|old2|1|1|2|2", "rect|o|1|1|2|2",
                             "rect|o|1|1|2|2", "rect|o|1|1|2|2", "rect|o|1|1|2|2" });
    const Expected<MapFiles::Loaded> loaded = MapFiles::readCoordinates(text, stale);
    QVERIFY2(loaded.ok(), qPrintable(loaded.error()));
    QCOMPARE(loaded->rows, rows.size());
    QCOMPARE(rowsOf(stale), rows);
}

void MapGridTest::malformedCoordinates_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::addRow("empty") << QByteArray() << "empty";
    QTest::addRow("not starting with a type") << QByteArray("page.htm\r\nrect\r\n") << "first line";
    QTest::addRow("binary") << QByteArray("rect\r\n\0\x01\x02", 9) << "not a text file";
    QTest::addRow("a row over 50 cells")
        << QByteArray("rect\r\n" + QByteArray("1\r\n").repeated(50)) << "more than 50";
}

void MapGridTest::malformedCoordinates()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    MapGrid grid = gridOf({ "rect|keep.htm|1|2|3|4" });
    const Expected<MapFiles::Loaded> loaded = MapFiles::readCoordinates(bytes, grid);
    QVERIFY(!loaded.ok());
    QVERIFY2(loaded.error().contains(error), qPrintable(loaded.error()));
    QCOMPARE(rowsOf(grid), QStringList { "rect|keep.htm|1|2|3|4" });
}

void MapGridTest::rowsBeyondTheGridAreCounted()
{
    const QByteArray text = QByteArray("default\r\nx.htm\r\n").repeated(22);
    MapGrid grid;
    const Expected<MapFiles::Loaded> loaded = MapFiles::readCoordinates(text, grid);
    QVERIFY(loaded.ok());
    QCOMPARE(loaded->rows, 19);
    QCOMPARE(loaded->rowsLeftOut, 3);
    QCOMPARE(grid.type(19), QStringLiteral("default"));
}

void MapGridTest::savedFilesAndErrors()
{
    QTemporaryDir dir;
    const MapGrid grid = gridOf({ "rect|a.htm|1|2|3|4" });
    const QString cor = dir.filePath(QStringLiteral("a.cor"));
    QVERIFY(MapFiles::saveCoordinateFile(cor, grid).ok());
    QCOMPARE(TestEnvironment::readFile(cor), QByteArray("rect\r\na.htm\r\n1\r\n2\r\n3\r\n4\r\n"));
    MapGrid read;
    QVERIFY(MapFiles::loadCoordinateFile(cor, read).ok());
    QCOMPARE(rowsOf(read), rowsOf(grid));
    // A write into a missing directory names the file and leaves nothing behind.
    const QString bad = dir.filePath(QStringLiteral("gone/a.MAP"));
    const Result failed = MapFiles::saveMapFile(bad, grid);
    QVERIFY(!failed.ok());
    QVERIFY2(failed.error().contains(bad), qPrintable(failed.error()));
    const Expected<MapFiles::Loaded> missing = MapFiles::loadCoordinateFile(bad, read);
    QVERIFY(!missing.ok());
    QVERIFY(missing.error().contains(QStringLiteral("a.MAP")));
}

void MapGridTest::clicks_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("rightButtonAfter"); // 0: never
    QTest::addColumn<int>("recorded");
    QTest::addColumn<bool>("stillPositioning");

    QTest::addRow("rect takes exactly two") << "rect" << 3 << 0 << 2 << false;
    QTest::addRow("typed circle takes two") << "circle" << 5 << 0 << 2 << false;
    QTest::addRow("poly stops at 24") << "poly" << 30 << 0 << 24 << false;
    QTest::addRow("poly goes on below 24") << "poly" << 7 << 0 << 7 << true;
    QTest::addRow("the right button ends") << "poly" << 10 << 4 << 4 << false;
    QTest::addRow("default takes none") << "default" << 2 << 0 << 0 << false;
    QTest::addRow("no type takes none") << "" << 2 << 0 << 0 << false;
}

void MapGridTest::clicks()
{
    QFETCH(QString, type);
    QFETCH(int, clicks);
    QFETCH(int, rightButtonAfter);
    QFETCH(int, recorded);
    QFETCH(bool, stillPositioning);
    MapGrid grid = gridOf({ "rect|x|1|1|1|1", type + "|link|99|99|99|99|99|99|99|99" });
    MapPositioning positioning(&grid);
    positioning.setCurrentRow(2);
    QCOMPARE(positioning.SetPositions(), recorded > 0);
    QCOMPARE(grid.cell(2, 2), QString()); // old points gone
    QList<MapPositioning::Click> results;
    for (int i = 1; i <= clicks; ++i) {
        results.append(positioning.click(i * 10, i * 10 + 1));
        if (i == rightButtonAfter)
            positioning.rightButton();
    }
    QCOMPARE(grid.points(2).size(), recorded);
    for (int i = 0; i < recorded; ++i)
        QCOMPARE(grid.points(2)[i], QPoint((i + 1) * 10, (i + 1) * 10 + 1));
    QCOMPARE(positioning.positioning(), stillPositioning);
    // The first click of a run draws nothing; the ones after it draw.
    if (recorded > 0) {
        QCOMPARE(results[0], MapPositioning::Click::Recorded);
        QCOMPARE(results[1], MapPositioning::Click::RecordedAndDraw);
    }
    if (clicks > recorded)
        QCOMPARE(results[recorded], MapPositioning::Click::Ignored);
    QCOMPARE(grid.cell(1, 2), QStringLiteral("1")); // other rows untouched
}

QTEST_GUILESS_MAIN(MapGridTest)
#include "tst_mapgrid.moc"
