// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/lamp.h"

#include <QPainter>

#include <algorithm>

namespace Tarnwick {

Lamp::Lamp(QWidget *parent)
    : QWidget(parent)
    , m_color(palette().color(QPalette::Button))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Lamp::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QSize Lamp::sizeHint() const
{
    return { 14, 14 };
}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(m_color);
    const int side = std::min(width(), height()) - 2;
    painter.drawEllipse(QRect((width() - side) / 2, (height() - side) / 2, side, side));
}

} // namespace Tarnwick
