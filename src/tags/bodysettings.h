// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace Tarnwick {

// The BODY statement's settings the program remembers for the run: a colour
// chosen for a body attribute in the page is offered again for new pages.
struct BodySettings
{
    QColor text = Qt::black;
    QColor link = Qt::black;
    QColor visitedLink = Qt::black;
    QColor activeLink = Qt::black;
    QColor background = Qt::black;
};

} // namespace Tarnwick
