// SPDX-License-Identifier: GPL-3.0-or-later
#include "nearwords.h"

#include "dctformat.h"
#include "tdctfile.h"

#include <algorithm>
#include <vector>

namespace Tarnwick {

using namespace DctFormat;

QList<NearWords::Found> NearWords::find(QByteArrayView word, int maxEdits)
{
    QList<Found> found;
    m_cellsRead = 0;
    m_failed = false;
    const qsizetype m = word.size();
    if (m == 0)
        return found;
    const qsizetype maxDepth = m + maxEdits;
    const qsizetype width = m + 1;

    // rows[d * width + j]: edits between the first d letters of the path and
    // the first j letters of word. Row 0 is the empty path.
    std::vector<int> rows(size_t((maxDepth + 1) * width));
    for (qsizetype j = 0; j <= m; ++j)
        rows[size_t(j)] = int(j);
    std::vector<int> leastOf(size_t(maxDepth + 1), 0); // the least entry of each row
    struct Level
    {
        quint32 number;
        quint32 cell;
    };
    std::vector<Level> path;
    QByteArray letters;

    // Reads cell n as the next letter of the path and fills its row; false
    // when the cell cannot be read.
    const auto enter = [&](quint32 n) {
        if (m_cellsRead + 1 > m_budget) {
            m_failed = true;
            return false;
        }
        ++m_cellsRead;
        const std::optional<quint32> c = m_file.cell(n);
        if (!c) {
            m_failed = true;
            return false;
        }
        path.push_back({ n, *c });
        const quint8 letter = letterOf(*c);
        letters += char(letter);
        const qsizetype d = qsizetype(path.size());
        int *row = &rows[size_t(d * width)];
        const int *up = row - width;
        // Only the entries within maxEdits of the diagonal can stay within
        // reach; the others are held at one beyond it.
        const int beyond = maxEdits + 1;
        const qsizetype from = std::max<qsizetype>(1, d - maxEdits);
        const qsizetype to = std::min<qsizetype>(m, d + maxEdits);
        row[0] = std::min<int>(int(d), beyond);
        if (from > 1)
            row[from - 1] = beyond;
        int least = row[0];
        for (qsizetype j = from; j <= to; ++j) {
            const bool same = quint8(word[j - 1]) == letter;
            int best = std::min({ up[j] + 1, row[j - 1] + 1, up[j - 1] + (same ? 0 : 1) });
            if (d > 1 && j > 1 && letter == quint8(word[j - 2])
                && quint8(letters[d - 2]) == quint8(word[j - 1]))
                best = std::min(best, (up - width)[j - 2] + 1);
            row[j] = std::min(best, beyond);
            least = std::min(least, row[j]);
        }
        if (to < m)
            row[to + 1] = beyond;
        leastOf[size_t(d)] = least;
        return true;
    };
    // Whether a word below the current path can still come within reach: a
    // row whose every entry is beyond it only grows further down.
    const auto reachable = [&] { return leastOf[path.size()] <= maxEdits; };

    if (!enter(1))
        return found;
    for (;;) {
        const quint32 c = path.back().cell;
        const qsizetype d = qsizetype(path.size());
        // Entries right of the band are not kept: a path that far shorter
        // than the word is no match anyway.
        if (isEndOfWord(c) && d + maxEdits >= m && rows[size_t(d * width + m)] <= maxEdits) {
            // Ranking a word costs about what reading its letters does.
            if (m_cellsRead + d > m_budget) {
                m_failed = true;
                return found;
            }
            m_cellsRead += d;
            found.append({ letters, rows[size_t(d * width + m)] });
        }
        if (childOf(c) != 0 && d < maxDepth && reachable()) {
            if (!enter(childOf(c)))
                return found;
            continue;
        }
        // The next sibling, going up as far as needed.
        for (;;) {
            const Level level = path.back();
            path.pop_back();
            letters.chop(1);
            if (!isLastSibling(level.cell)) {
                if (!enter(level.number + 1))
                    return found;
                break;
            }
            if (path.empty())
                return found;
        }
    }
}

} // namespace Tarnwick
