// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QLabel;

namespace Tarnwick {

// The caption of a page colour field drawn in that colour. The background
// colour's caption is drawn on that colour instead, in black or white,
// whichever reads: in its own colour it could not be read on the window's
// grey (or on that colour).
class PageColorLabel final
{
public:
    PageColorLabel() = delete;

    static void show(QLabel *label, const QColor &color, bool isBackground);
    // Black on light colours, white on dark ones.
    static QColor readableOn(const QColor &background);
};

} // namespace Tarnwick
