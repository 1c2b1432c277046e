// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sitesearch/projectsearch.h"
#include "sitesearch/searchquery.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace Tarnwick {

// Find in Project and Replace in Project ask here what to look for, what to
// put in its place, and where: the project's pages, the files of its folder
// that match a mask, or the open pages.
class FindInProjectDialog final : public QDialog
{
    Q_OBJECT

public:
    FindInProjectDialog(bool replace, QWidget *parent = nullptr);

    void setQuery(const SearchQuery &query);
    SearchQuery query() const;
    void setScope(ProjectSearch::Scope scope, const QString &mask);
    ProjectSearch::Scope scope() const;
    QString mask() const;

private:
    QLineEdit *m_find;
    QLineEdit *m_replace;
    QCheckBox *m_regex;
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeWords;
    QRadioButton *m_pages;
    QRadioButton *m_folder;
    QRadioButton *m_open;
    QLineEdit *m_mask;
};

} // namespace Tarnwick
