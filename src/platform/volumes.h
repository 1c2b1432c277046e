// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// The mounted volumes, as the drive boxes list them and a search through a
// whole drive walks them.
class Volumes final
{
public:
    Volumes() = delete;

    // The roots of the mounted volumes that are ready, without the system's
    // own virtual ones, and the home directory first when it is not one of
    // them.
    static QStringList browsable();
    // Where file systems without files of their own are mounted (process
    // and device tables, kernel interfaces): a search skips them.
    static QStringList virtualMountPoints();
    static bool isVirtualFileSystemType(const QByteArray &type);
};

} // namespace Tarnwick
