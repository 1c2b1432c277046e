// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// Makes a directory unwritable while it lives, even for root (tests may run
// as root): immutable where the file system allows it, else read-only.
class LockedDirectory
{
public:
    explicit LockedDirectory(const QString &path);
    ~LockedDirectory();
    LockedDirectory(const LockedDirectory &) = delete;
    LockedDirectory &operator=(const LockedDirectory &) = delete;

    // True when writing into the directory really fails.
    bool locked() const;

private:
    enum { None, Immutable, ReadOnly } m_how = None;
    QString m_path;
};

} // namespace Tarnwick
