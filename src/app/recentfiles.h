// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace Tarnwick {

// The four most recently opened files, most recent first. Paths are compared
// exactly (case-sensitive) and kept whole.
class RecentFiles
{
public:
    static constexpr int Count = 4;

    RecentFiles() = default;
    explicit RecentFiles(const QStringList &entries);

    // Moves path to the front (dropping the oldest entry when it is new).
    // Returns false when nothing changed because path was already first.
    bool SetLastFiles(const QString &path);

    QStringList entries() const { return m_entries; } // always Count entries, "" when empty

private:
    QStringList m_entries;
};

} // namespace Tarnwick
