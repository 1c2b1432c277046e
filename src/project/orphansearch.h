// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

namespace Tarnwick {

// What the pages of a project refer to and which files of its directory
// nothing uses. A file of the project directory itself is an orphan when it
// is no page of the project and no page refers to it; names are compared
// as the file system compares them, and "./logo.gif" is logo.gif.
class OrphanSearch final
{
public:
    // The files a page refers to that exist (full paths), read from the
    // page's text: the open tab's when the page is open, else the file's.
    using ReferenceReader = std::function<Expected<QStringList>(const QString &pagePath)>;

    OrphanSearch(QString projectDirectory, QStringList pages, ReferenceReader reader);

    static QString missingDirectory(const QString &directory);

    // The files of the project directory (not its subdirectories), sorted.
    static QStringList directoryFiles(const QString &directory);

    const QStringList &pages() const { return m_pages; }
    // CollectFiles: the references of the index-th page go to the supporting
    // files unless they are pages or there already. Fails with the reason
    // the page could not be read; it then adds nothing.
    Result CollectFiles(int index);
    // Names relative to the project directory, sorted, each once.
    QStringList supportingFiles() const;
    // RemoveExistingFiles: the directory's files without the pages and the
    // supporting files.
    QStringList orphans(const QStringList &directoryFiles) const;

private:
    QString key(const QString &path) const;

    QString m_directory;
    QStringList m_pages;
    ReferenceReader m_reader;
    QSet<QString> m_pageKeys;
    QStringList m_supporting;
    QSet<QString> m_supportingKeys;
};

} // namespace Tarnwick
