// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

namespace Tarnwick {

class MapGrid;

// The two files of the image-map window: the server-side map file (*.MAP)
// and the coordinate file (*.cor) that saves and restores the grid.
class MapFiles final
{
public:
    MapFiles() = delete;

    static QString mapFileHeader(); // "#This file should be pointed to by ..."
    // Header, then one line per data row up to the last filled one.
    static QByteArray mapFileText(const MapGrid &grid);
    // One cell per line, each row from its type to its first empty cell.
    static QByteArray coordinateText(const MapGrid &grid);

    struct Loaded
    {
        int rows = 0; // rows put into the grid
        int rowsLeftOut = 0; // rows beyond the grid's last row
    };
    // Reads a coordinate file into the grid, replacing its rows. The file is
    // checked whole first: on failure the grid is unchanged.
    static Expected<Loaded> readCoordinates(const QByteArray &bytes, MapGrid &grid);

    // The files on disk, written atomically; errors name the file and the cause.
    static Result saveMapFile(const QString &path, const MapGrid &grid);
    static Result saveCoordinateFile(const QString &path, const MapGrid &grid);
    static Expected<Loaded> loadCoordinateFile(const QString &path, MapGrid &grid);

    // The largest coordinate file read.
    static constexpr qint64 maxFileSize = 1024 * 1024;
};

} // namespace Tarnwick
