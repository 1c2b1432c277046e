// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

#include <sys/resource.h>

namespace Tarnwick {

// Files may grow to `limit` bytes while it lives: the one way to make a write
// fail after it started that also holds for root (who ignores permissions).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

    struct Child
    {
        bool finished = false; // false when it crashed or did not end in time
        int exitCode = -1;
        QByteArray output; // its standard output
    };
    // Runs this test executable again with arguments while files may grow to
    // `limit` bytes in that child process alone, SIGXFSZ at its default: the
    // child must turn it off as our programs do, or a write beyond ends it.
    static Child runChild(const QStringList &arguments, rlim_t limit);

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace Tarnwick
