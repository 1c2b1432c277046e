// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace Tarnwick {

class MapGrid;

// Draws the areas of the grid over a copy of the picture, at pixel size:
// rectangles and circles in black, polygons by inverting the pixels.
class MapShapes final
{
public:
    MapShapes() = delete;

    static void drawRow(QImage &image, const MapGrid &grid, int row);
    // The picture with every row's shape: what "Refresh" shows.
    static QImage composed(const QImage &picture, const MapGrid &grid);
};

} // namespace Tarnwick
