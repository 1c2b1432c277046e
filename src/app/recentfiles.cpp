// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recentfiles.h"

namespace Tarnwick {

RecentFiles::RecentFiles(const QStringList &entries)
    : m_entries(entries.mid(0, Count))
{
    while (m_entries.size() < Count)
        m_entries.append(QString());
}

bool RecentFiles::SetLastFiles(const QString &path)
{
    if (m_entries.size() < Count)
        *this = RecentFiles(m_entries);
    if (m_entries.first() == path)
        return false;
    int at = m_entries.indexOf(path);
    if (at < 0 || path.isEmpty())
        at = Count - 1; // a new name pushes out the oldest entry
    m_entries.removeAt(at);
    m_entries.prepend(path);
    return true;
}

} // namespace Tarnwick
