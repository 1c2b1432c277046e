// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/resultsdock.h"
#include "check/sitecheckresults.h"

class QComboBox;
class QTreeWidgetItem;

namespace Tarnwick {

// The findings of the site check, docked in the main window: one branch a
// page with its findings below, a filter by kind, the progress of a running
// check with its Cancel button. A double click on a finding asks for the page
// at its line and column.
class SiteCheckPane final : public ResultsDock
{
    Q_OBJECT

public:
    explicit SiteCheckPane(QWidget *parent = nullptr);

    void setResults(const SiteCheckResults &results);
    const SiteCheckResults &results() const { return m_results; }
    void replacePage(const QString &path, const QList<SiteFinding> &findings);

    // While a check runs: its progress, and the filter off.
    void setRunning(bool running);
    void setProgress(qsizetype done, qsizetype total);

    QComboBox *filter() const { return m_filter; }

Q_SIGNALS:
    void openRequested(const QString &path, int line, int column); // path absolute

private:
    void fill();
    void itemActivated(QTreeWidgetItem *item);

    SiteCheckResults m_results;
    QComboBox *m_filter;
};

} // namespace Tarnwick
