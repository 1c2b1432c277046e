// SPDX-License-Identifier: GPL-3.0-or-later
#include "tsuggestlist.h"

namespace Tarnwick {

void TSuggestList::insert(const QByteArray &word, int score)
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].score < score) {
            m_entries.insert(i, TSuggestion{word, score});
            if (m_entries.size() > m_capacity)
                m_entries.removeLast();
            return;
        }
    }
    if (m_entries.size() < m_capacity)
        m_entries.append(TSuggestion{word, score});
}

} // namespace Tarnwick
