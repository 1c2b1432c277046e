// SPDX-License-Identifier: GPL-3.0-or-later
// Coordinate files (*.cor) of the image-map window: a refused file leaves the
// grid as it was; a file read is written back and reads back to the same
// grid; the map file and MAP element of any grid keep to their line shapes.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "tags/mapfiles.h"
#include "tags/mapgrid.h"

using namespace Tarnwick;

namespace {

bool sameGrid(const MapGrid &a, const MapGrid &b)
{
    for (int row = 0; row < MapGrid::rowCount; ++row)
        for (int column = 0; column < MapGrid::columnCount; ++column)
            if (a.cell(row, column) != b.cell(row, column))
                return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QByteArray bytes = input.takeRest();

    MapGrid grid;
    grid.setCell(1, 0, QStringLiteral("rect"));
    grid.setCell(1, 1, QStringLiteral("before.htm"));
    const MapGrid before = grid;
    const Expected<MapFiles::Loaded> loaded = MapFiles::readCoordinates(bytes, grid);
    if (!loaded) {
        TARNWICK_FUZZ_CHECK(sameGrid(grid, before));
        TARNWICK_FUZZ_CHECK(!loaded.error().isEmpty());
        return 0;
    }
    TARNWICK_FUZZ_CHECK(loaded->rows >= 1 && loaded->rows < MapGrid::rowCount);
    TARNWICK_FUZZ_CHECK(loaded->rowsLeftOut >= 0);
    TARNWICK_FUZZ_CHECK(MapGrid::isMapType(grid.cell(1, 0)));

    // A cell that is empty ends its row when written; the rows read back as
    // far as the writer reaches.
    const QByteArray written = MapFiles::coordinateText(grid);
    MapGrid again;
    const Expected<MapFiles::Loaded> reread = MapFiles::readCoordinates(written, again);
    TARNWICK_FUZZ_CHECK(reread.ok());
    TARNWICK_FUZZ_CHECK(MapFiles::coordinateText(again) == written);

    const QStringList element = grid.mapElement(QStringLiteral("m"));
    TARNWICK_FUZZ_CHECK(element.first() == QLatin1String("<MAP NAME=\"m\">"));
    TARNWICK_FUZZ_CHECK(element.last() == QLatin1String("</MAP>"));
    for (const QString &line : element)
        TARNWICK_FUZZ_CHECK(line.startsWith(QLatin1Char('<')) && line.endsWith(QLatin1Char('>')));
    const QByteArray map = MapFiles::mapFileText(grid);
    TARNWICK_FUZZ_CHECK(map.startsWith(QByteArray(MapFiles::mapFileHeader().toUtf8() + "\r\n")));
    TARNWICK_FUZZ_CHECK(map.endsWith("\r\n"));
    return 0;
}
