// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace Tarnwick {

// Line and column of a place in a text, counted as the editor control counts
// them: lines from 1, columns from 0 in UTF-16 code units, and CR LF, a lone
// CR or LF each end a line.
struct LineColumn
{
    int line = 1;
    int column = 0;

    friend bool operator==(const LineColumn &, const LineColumn &) = default;
    friend auto operator<=>(const LineColumn &, const LineColumn &) = default;
};

class TextLines final
{
public:
    TextLines() = delete;

    // Offset clamped to the text.
    static LineColumn lineColumnAt(QStringView text, qsizetype offset);
    // Line and column clamped to the text and the line, as the control does.
    static qsizetype offsetOf(QStringView text, LineColumn place);
};

} // namespace Tarnwick
