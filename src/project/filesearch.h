// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <functional>

namespace Tarnwick {

// The recursive file search behind the "Search " dialog. It walks a
// directory depth first, never through a symbolic link to a directory, and
// leaves out the virtual file systems (process and device tables) and
// whatever it cannot read.
class FileSearch final
{
public:
    // Gets the directory and the entry of a file whose name matches a mask;
    // returns whether to go on.
    using Found = std::function<bool(const QString &directory, const QFileInfo &entry)>;
    // Told of each directory before it is listed; returns whether to go on.
    using Entering = std::function<bool(const QString &directory)>;

    FileSearch() = delete;

    // Masks hold "*" and "?" and match file names ignoring case. Returns
    // false when a callback stopped the search.
    static bool SearchFiles(const QString &directory, const QStringList &masks, bool recursive,
                            const Found &found, const Entering &entering = {});
    // The same, skipping the directories given (and everything below them).
    static bool SearchFiles(const QString &directory, const QStringList &masks, bool recursive,
                            const Found &found, const Entering &entering,
                            const QStringList &skipped);
};

} // namespace Tarnwick
