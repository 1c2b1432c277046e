// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// The attribute string for a table cell tag typed by hand: only what
// differs from a plain cell is written.
struct CellAttributes
{
    int rows = 1;
    int columns = 1;
    QString vertical = QStringLiteral("none");
    QString horizontal = QStringLiteral("none");
    QString color; // written as typed, no "#" added
    int height = 0;
    bool heightPercent = false;
    int width = 0;
    bool widthPercent = false;

    QString text() const;
};

} // namespace Tarnwick
