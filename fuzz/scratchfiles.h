// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace Tarnwick {

// Files for the readers that only take a path. They live below
// $TARNWICK_FUZZ_SCRATCH when set, else in memory (/dev/shm) when the system
// has it, and every one gets a name never used before, so no reader's cache
// mistakes it for an earlier input.
class ScratchFiles final
{
public:
    ScratchFiles();

    // A path no file had yet; name is the last part of the file name.
    QString newPath(const QString &name);
    // Writes bytes to a new path and returns it.
    QString write(const QByteArray &bytes, const QString &name);
    static QByteArray read(const QString &path);

private:
    QTemporaryDir m_dir;
    quint64 m_count = 0;
};

} // namespace Tarnwick
