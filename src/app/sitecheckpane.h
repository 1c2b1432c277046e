// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/sitecheckresults.h"

#include <QDockWidget>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace Tarnwick {

// The findings of the site check, docked in the main window: one branch a
// page with its findings below, a filter by kind, the progress of a running
// check with its Cancel button. A double click on a finding asks for the page
// at its line and column.
class SiteCheckPane final : public QDockWidget
{
    Q_OBJECT

public:
    explicit SiteCheckPane(QWidget *parent = nullptr);

    void setResults(const SiteCheckResults &results);
    const SiteCheckResults &results() const { return m_results; }
    void replacePage(const QString &path, const QList<SiteFinding> &findings);

    // While a check runs: its progress, and Cancel instead of the filter.
    void setRunning(bool running);
    void setProgress(qsizetype done, qsizetype total);
    void setStatus(const QString &text);

    QTreeWidget *tree() const { return m_tree; }
    QComboBox *filter() const { return m_filter; }
    QString status() const;

Q_SIGNALS:
    void openRequested(const QString &path, int line, int column); // path absolute
    void cancelRequested();

private:
    void fill();
    void itemActivated(QTreeWidgetItem *item);

    SiteCheckResults m_results;
    QComboBox *m_filter;
    QLabel *m_status;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    QTreeWidget *m_tree;
};

} // namespace Tarnwick
