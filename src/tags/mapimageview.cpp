// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/mapimageview.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace Tarnwick {

MapImageView::MapImageView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MapImage"));
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void MapImageView::setImage(QImage image)
{
    m_image = std::move(image);
    setFixedSize(m_image.size());
    update();
}

QImage MapImageView::takeImage()
{
    return std::exchange(m_image, QImage());
}

QSize MapImageView::sizeHint() const
{
    return m_image.size();
}

void MapImageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
}

void MapImageView::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT pointerMoved(event->position().toPoint());
}

void MapImageView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT leftClicked(event->position().toPoint());
    else if (event->button() == Qt::RightButton)
        Q_EMIT rightClicked();
}

} // namespace Tarnwick
