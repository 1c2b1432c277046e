// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/mapshapes.h"

#include "platform/imagebuffer.h"
#include "tags/mapgrid.h"

#include <QPainter>
#include <QPolygon>

namespace Tarnwick {

void MapShapes::drawRow(QImage &image, const MapGrid &grid, int row)
{
    const QString type = grid.type(row);
    QVector<QPoint> points = grid.points(row);
    if (points.size() < 2)
        return;
    // Grid coordinates count from 1, pixels from 0.
    for (QPoint &p : points)
        p -= QPoint(1, 1);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    if (type == QLatin1String("rect")) {
        painter.setPen(QPen(Qt::black, 0));
        painter.drawRect(QRect(points[0], points[1]).normalized().adjusted(0, 0, -1, -1));
    } else if (type == QLatin1String("circle")) {
        painter.setPen(QPen(Qt::black, 0));
        const int r = MapGrid::radius(points[0], points[1]);
        painter.drawEllipse(points[0], r, r);
    } else if (type == QLatin1String("poly")) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::white, 0));
        painter.drawPolygon(QPolygon(points));
    }
}

void MapShapes::compose(const QImage &picture, const MapGrid &grid, QImage &shown)
{
    if (picture.format() == QImage::Format_RGB32)
        ImageBuffer::copyInto(picture, shown);
    else
        shown = picture.convertToFormat(QImage::Format_RGB32);
    for (int row = 1; row < MapGrid::rowCount; ++row)
        drawRow(shown, grid, row);
}

} // namespace Tarnwick
