// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/resultsdock.h"
#include "sitesearch/projectsearch.h"

class QTreeWidgetItem;

namespace Tarnwick {

// The results of Find in Project, docked in the main window: a branch a file
// with its matches below (line, column and the line's text), the files left
// out and why, the progress of a running search with its Cancel button. A
// double click on a match asks for the file with the match selected.
class ProjectSearchPane final : public ResultsDock
{
    Q_OBJECT

public:
    // More matches than this are counted but not listed, so that the pane
    // stays quick with a search that finds everything.
    static constexpr qsizetype MaxListed = 20000;

    explicit ProjectSearchPane(QWidget *parent = nullptr);

    // Starts a new list; paths are shown relative to the folder.
    void start(const QString &folder);
    void addFile(const SearchFile &file);
    // The text, and how many of the matches the list holds when it holds only some.
    void setStatus(const QString &text);

    qsizetype matchCount() const { return m_matches; }
    qsizetype fileCount() const { return m_files; }

Q_SIGNALS:
    void openRequested(const QString &path, int line, int column, int length);

private:
    void itemActivated(QTreeWidgetItem *item);

    QString m_folder;
    qsizetype m_matches = 0;
    qsizetype m_files = 0;
    qsizetype m_listed = 0;
};

} // namespace Tarnwick
