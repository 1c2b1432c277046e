// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/filesearch.h"

#include "platform/volumes.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <vector>

namespace Tarnwick {

bool FileSearch::SearchFiles(const QString &directory, const QStringList &masks, bool recursive,
                             const Found &found, const Entering &entering)
{
    return SearchFiles(directory, masks, recursive, found, entering, Volumes::virtualMountPoints());
}

bool FileSearch::SearchFiles(const QString &directory, const QStringList &masks, bool recursive,
                             const Found &found, const Entering &entering,
                             const QStringList &skipped)
{
    QList<QRegularExpression> patterns;
    for (const QString &mask : masks) {
        if (!mask.trimmed().isEmpty())
            patterns.append(
                QRegularExpression(QRegularExpression::wildcardToRegularExpression(mask.trimmed()),
                                   QRegularExpression::CaseInsensitiveOption));
    }
    const QSet<QString> skip(skipped.cbegin(), skipped.cend());

    const auto matches = [&patterns](const QString &name) {
        for (const QRegularExpression &pattern : patterns) {
            if (pattern.match(name).hasMatch())
                return true;
        }
        return false;
    };

    std::vector<QString> pending { directory.isEmpty() ? QDir::currentPath()
                                                       : QDir(directory).absolutePath() };
    while (!pending.empty()) {
        const QString current = pending.back();
        pending.pop_back();
        if (entering && !entering(current))
            return false;
        const QFileInfoList entries = QDir(current).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
            QDir::Name | QDir::DirsLast);
        std::vector<QString> subdirectories;
        for (const QFileInfo &entry : entries) {
            if (entry.isDir()) {
                // A link to a directory can lead back up the tree.
                if (recursive && !entry.isSymLink() && !skip.contains(entry.absoluteFilePath())
                    && entry.isReadable())
                    subdirectories.push_back(entry.absoluteFilePath());
                continue;
            }
            if (matches(entry.fileName()) && !found(current, entry))
                return false;
        }
        // Depth first, in listing order: the first subdirectory is walked next.
        pending.insert(pending.end(), subdirectories.rbegin(), subdirectories.rend());
    }
    return true;
}

} // namespace Tarnwick
