// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/orphansearch.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace Tarnwick {

OrphanSearch::OrphanSearch(QString projectDirectory, QStringList pages, ReferenceReader reader)
    : m_directory(QDir::cleanPath(projectDirectory))
    , m_pages(std::move(pages))
    , m_reader(std::move(reader))
{
    for (const QString &page : std::as_const(m_pages))
        m_pageKeys.insert(key(QDir(m_directory).filePath(page)));
}

QString OrphanSearch::missingDirectory(const QString &directory)
{
    return QStringLiteral("The project directory ") + directory
        + QStringLiteral(" does not exist, so there are no files to compare with its pages.");
}

QStringList OrphanSearch::directoryFiles(const QString &directory)
{
    return QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System,
                                     QDir::Name | QDir::IgnoreCase);
}

// One key per file: the file system's own name for it when it exists, so
// that two spellings the file system takes for one file are one.
QString OrphanSearch::key(const QString &path) const
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

Result OrphanSearch::CollectFiles(int index)
{
    if (index < 0 || index >= m_pages.size())
        return Result::success();
    const Expected<QStringList> files = m_reader(QDir(m_directory).filePath(m_pages.at(index)));
    if (!files)
        return Result::failure(files.error());
    const QDir directory(m_directory);
    for (const QString &file : files.value()) {
        const QString fileKey = key(file);
        if (m_pageKeys.contains(fileKey) || m_supportingKeys.contains(fileKey))
            continue;
        m_supportingKeys.insert(fileKey);
        m_supporting.append(QDir::cleanPath(directory.relativeFilePath(file)));
    }
    return Result::success();
}

QStringList OrphanSearch::supportingFiles() const
{
    QStringList sorted = m_supporting;
    std::sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return sorted;
}

QStringList OrphanSearch::orphans(const QStringList &directoryFiles) const
{
    QStringList left;
    const QDir directory(m_directory);
    for (const QString &name : directoryFiles) {
        const QString fileKey = key(directory.filePath(name));
        if (!m_pageKeys.contains(fileKey) && !m_supportingKeys.contains(fileKey))
            left.append(name);
    }
    return left;
}

} // namespace Tarnwick
