// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/pagecolorlabel.h"

#include <QLabel>
#include <QPalette>

namespace Tarnwick {

void PageColorLabel::show(QLabel *label, const QColor &color, bool isBackground)
{
    QPalette palette = label->palette();
    if (isBackground) {
        palette.setColor(QPalette::Window, color);
        palette.setColor(QPalette::WindowText, readableOn(color));
    } else {
        palette.setColor(QPalette::WindowText, color);
    }
    label->setPalette(palette);
    label->setAutoFillBackground(isBackground);
}

QColor PageColorLabel::readableOn(const QColor &background)
{
    // Perceived brightness (ITU-R BT.601 weights), from 0 to 255.
    const QColor rgb = background.toRgb();
    const int brightness = (rgb.red() * 299 + rgb.green() * 587 + rgb.blue() * 114) / 1000;
    return brightness >= 128 ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace Tarnwick
