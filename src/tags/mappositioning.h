// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Tarnwick {

class MapGrid;

// "Set Positions" and the clicks on the picture that follow: each click fills
// the next x and y cells of the current row. A rectangle or circle takes two
// points, a polygon up to 24; the right button ends early.
class MapPositioning final
{
public:
    explicit MapPositioning(MapGrid *grid);

    int currentRow() const { return m_row; }
    void setCurrentRow(int row);
    bool positioning() const { return m_positioning; }

    // Empties the row's points; positioning goes on unless the row's type is
    // empty or "default". Returns whether it is on.
    bool SetPositions();

    enum class Click { Ignored, Recorded, RecordedAndDraw };
    // x and y as shown in the read-out (the pixel plus 1).
    Click click(int x, int y);
    void rightButton() { m_positioning = false; }

private:
    MapGrid *m_grid;
    int m_row = 1;
    int m_nextColumn = 2;
    bool m_positioning = false;
    bool m_firstClick = false;
};

} // namespace Tarnwick
