// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

namespace Tarnwick {

struct TSuggestion
{
    QByteArray word; // code page 437, at most 50 characters
    int score = 0;
};

// Suggestions best first, never more than the capacity. A newcomer goes
// before the first entry with a strictly lower score, so equal scores keep
// the order in which they arrived.
class TSuggestList final
{
public:
    explicit TSuggestList(int capacity)
        : m_capacity(capacity)
    {
    }

    void insert(const QByteArray &word, int score);

    int capacity() const { return m_capacity; }
    qsizetype size() const { return m_entries.size(); }
    bool isFull() const { return m_entries.size() >= m_capacity; }
    const QList<TSuggestion> &entries() const { return m_entries; }

private:
    int m_capacity;
    QList<TSuggestion> m_entries;
};

} // namespace Tarnwick
