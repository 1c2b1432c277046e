// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/textlines.h"

#include <algorithm>

namespace Tarnwick {

LineColumn TextLines::lineColumnAt(QStringView text, qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, text.size());
    int line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < offset; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    return { line, int(offset - lineStart) };
}

qsizetype TextLines::offsetOf(QStringView text, LineColumn place)
{
    qsizetype lineStart = 0;
    int line = 1;
    qsizetype i = 0;
    for (; i < text.size() && line < place.line; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    qsizetype lineEnd = lineStart;
    while (lineEnd < text.size() && text[lineEnd] != u'\n' && text[lineEnd] != u'\r')
        ++lineEnd;
    return lineStart + std::clamp<qsizetype>(place.column, 0, lineEnd - lineStart);
}

} // namespace Tarnwick
