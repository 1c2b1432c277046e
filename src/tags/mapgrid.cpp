// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/mapgrid.h"

#include "tags/imagelibrary.h"

#include <cmath>

namespace Tarnwick {

MapGrid::MapGrid()
    : m_cells(rowCount, QStringList(columnCount))
{
    m_cells[0][0] = QStringLiteral("Map Type");
    m_cells[0][1] = QStringLiteral("Link To:");
}

QString MapGrid::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount || column < 0 || column >= columnCount)
        return {};
    return m_cells[row][column];
}

void MapGrid::setCell(int row, int column, const QString &text)
{
    // The header row is fixed.
    if (row < 1 || row >= rowCount || column < 0 || column >= columnCount)
        return;
    m_cells[row][column] = text;
}

QString MapGrid::type(int row) const
{
    return cell(row, 0).trimmed().toLower();
}

bool MapGrid::isMapType(const QString &text)
{
    const QString t = text.trimmed().toLower();
    return t == QLatin1String("rect") || t == QLatin1String("poly") || t == QLatin1String("default")
        || t == QLatin1String("circle");
}

void MapGrid::clearData()
{
    for (int row = 1; row < rowCount; ++row)
        m_cells[row] = QStringList(columnCount);
}

void MapGrid::clearPositions(int row)
{
    for (int column = firstCoordinate; column < columnCount; ++column)
        setCell(row, column, QString());
}

QVector<QPoint> MapGrid::points(int row) const
{
    QVector<QPoint> result;
    for (int column = firstCoordinate; column + 1 < columnCount; column += 2) {
        if (cell(row, column).isEmpty())
            break;
        result.append(
            QPoint(cell(row, column).trimmed().toInt(), cell(row, column + 1).trimmed().toInt()));
    }
    return result;
}

int MapGrid::lastFilledRow() const
{
    for (int row = rowCount - 1; row >= 1; --row)
        for (const QString &text : m_cells[row])
            if (!text.isEmpty())
                return row;
    return 0;
}

int MapGrid::radius(QPoint centre, QPoint edge)
{
    const QPoint d = edge - centre;
    return int(std::lround(std::hypot(double(d.x()), double(d.y()))));
}

QStringList MapGrid::mapElement(const QString &name) const
{
    QStringList lines { QStringLiteral("<MAP NAME=\"") + ImageLibrary::quoted(name)
                        + QStringLiteral("\">") };
    for (int row = 1; row < rowCount && !cell(row, 0).isEmpty(); ++row) {
        const QString type = this->type(row);
        QString line = QStringLiteral("<AREA SHAPE=") + cell(row, 0).trimmed() + QLatin1Char(' ');
        if (type != QLatin1String("default")) {
            QStringList values;
            if (type == QLatin1String("circle")) {
                // Browsers take a centre and a radius, not an edge point.
                const QVector<QPoint> p = points(row);
                if (p.size() >= 2)
                    values = { QString::number(p[0].x()), QString::number(p[0].y()),
                               QString::number(radius(p[0], p[1])) };
            } else {
                for (int column = firstCoordinate;
                     column < columnCount && !cell(row, column).isEmpty(); ++column)
                    values.append(cell(row, column).trimmed());
            }
            line += QStringLiteral(" COORDS=\"");
            for (int i = 0; i < values.size(); ++i)
                line += (i > 0 ? QStringLiteral(", ") : QStringLiteral(" ")) + values[i];
            line += QLatin1Char('"');
        }
        line += QStringLiteral(" HREF=\"") + ImageLibrary::quoted(cell(row, 1))
            + QStringLiteral("\">");
        lines.append(line);
    }
    lines.append(QStringLiteral("</MAP>"));
    return lines;
}

} // namespace Tarnwick
