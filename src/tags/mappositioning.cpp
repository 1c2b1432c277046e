// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/mappositioning.h"

#include "tags/mapgrid.h"

#include <QString>

namespace Tarnwick {

MapPositioning::MapPositioning(MapGrid *grid)
    : m_grid(grid)
{
}

void MapPositioning::setCurrentRow(int row)
{
    if (row >= 1 && row < MapGrid::rowCount)
        m_row = row;
}

bool MapPositioning::SetPositions()
{
    const QString type = m_grid->type(m_row);
    m_positioning = !type.isEmpty() && type != QLatin1String("default");
    m_firstClick = m_positioning;
    m_nextColumn = MapGrid::firstCoordinate;
    m_grid->clearPositions(m_row);
    return m_positioning;
}

MapPositioning::Click MapPositioning::click(int x, int y)
{
    if (!m_positioning || m_nextColumn + 1 >= MapGrid::columnCount)
        return Click::Ignored;
    m_grid->setCell(m_row, m_nextColumn, QString::number(x));
    m_grid->setCell(m_row, m_nextColumn + 1, QString::number(y));
    m_nextColumn += 2;
    const bool poly = m_grid->type(m_row) == QLatin1String("poly");
    if ((!poly && m_nextColumn > 5) || m_nextColumn >= MapGrid::columnCount)
        m_positioning = false;
    if (m_firstClick) {
        m_firstClick = false;
        return Click::Recorded;
    }
    return Click::RecordedAndDraw;
}

} // namespace Tarnwick
