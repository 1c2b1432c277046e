// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

namespace Tarnwick {

// The BODY statement's settings the program remembers for the run: a colour
// chosen for a body attribute in the page, or what a new page was given last,
// is offered again for new pages.
struct BodySettings
{
    QColor text = Qt::black;
    QColor link = Qt::black;
    QColor visitedLink = Qt::black;
    QColor activeLink = Qt::black;
    QColor background = Qt::black;
    QString backgroundImage; // full path; empty when there is none
    int leftMargin = -1; // -1: not set
    int rightMargin = -1;
    int topMargin = -1;
    int bottomMargin = -1;
    bool fixedBackground = false;

    friend bool operator==(const BodySettings &, const BodySettings &) = default;
};

} // namespace Tarnwick
