// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

namespace Tarnwick {

// The BODY statement's settings the program remembers for the run: what the
// page's BODY tag, the body dialog or a new page last held is offered again.
struct BodySettings
{
    QString image; // background image, full path or web address; empty for none
    // An invalid colour was read in empty and is written back empty.
    QColor text = Qt::black;
    QColor link = Qt::black;
    QColor visitedLink = Qt::black;
    QColor activeLink = Qt::black;
    // White, as the body dialog starts: black text on black is never offered.
    QColor background = Qt::white;
    // Pixels; -1 is not set.
    int leftMargin = -1;
    int rightMargin = -1;
    int topMargin = -1;
    int bottomMargin = -1;
    bool fixedBackground = false;

    friend bool operator==(const BodySettings &, const BodySettings &) = default;
};

} // namespace Tarnwick
