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
    // shown becomes the picture with every row's shape: what "Refresh" shows.
    // The pixels of a shown image of the picture's size are written over in
    // place, so a Refresh of a large picture takes no new memory.
    static void compose(const QImage &picture, const MapGrid &grid, QImage &shown);
};

} // namespace Tarnwick
