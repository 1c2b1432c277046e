// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Tarnwick {

// The areas of an image map: 20 rows of 50 cells, the first row a header.
// Column 0 is the map type, column 1 the link, then x and y of up to 24 points
// (pixels counted from 1).
class MapGrid final
{
public:
    static constexpr int rowCount = 20;
    static constexpr int columnCount = 50;
    static constexpr int firstCoordinate = 2;

    MapGrid();

    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    // The type as it counts: trimmed and in lower case.
    QString type(int row) const;
    static bool isMapType(const QString &text); // rect, poly, default, circle
    void clearData(); // every row but the header
    void clearPositions(int row); // columns 2 to 49
    // The points of a row up to its first empty x cell.
    QVector<QPoint> points(int row) const;
    // The last data row with any cell filled; 0 when none.
    int lastFilledRow() const;

    // The MAP element handed back to the page: "<MAP NAME=...>", one AREA
    // line per row up to the first row without a type, "</MAP>".
    QStringList mapElement(const QString &name) const;
    // A circle's radius as drawn: the distance from point 1 to point 2.
    static int radius(QPoint centre, QPoint edge);

private:
    QVector<QStringList> m_cells;
};

} // namespace Tarnwick
