// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sitesearch/projectsearch.h"
#include "sitesearch/searchquery.h"

#include <QDialog>
#include <QHash>

class QTreeWidget;

namespace Tarnwick {

// Replace in Project shows every change before it is made: a branch a file,
// a line a match with the line before and after. Files and single matches
// can be unticked; Replace applies the ticked ones.
class ReplacePreviewDialog final : public QDialog
{
    Q_OBJECT

public:
    ReplacePreviewDialog(const QList<SearchFile> &files, const QRegularExpression &expression,
                         const SearchQuery &query, const QString &folder,
                         QWidget *parent = nullptr);

    // The ticked matches, by file.
    QHash<QString, QList<SearchMatch>> chosen() const;
    QTreeWidget *tree() const { return m_tree; }

    // The line as the match would leave it; the match and its replacement
    // when the match does not lie whole in the line shown.
    static QString after(const SearchMatch &match, const QRegularExpression &expression,
                         const SearchQuery &query);
    // The line from a little before position at, marked "..." when cut there.
    static QString around(const QString &line, qsizetype at);

private:
    QList<SearchFile> m_files;
    QTreeWidget *m_tree;
};

} // namespace Tarnwick
