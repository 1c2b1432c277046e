// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDockWidget>

class QHBoxLayout;
class QLabel;
class QMainWindow;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace Tarnwick {

// A pane docked in the main window for the results of work that runs in the
// background: a bar with a status text, the progress and a Cancel button
// while the work runs, and a tree of results below with its first column
// stretched and the others as wide as their contents.
class ResultsDock : public QDockWidget
{
    Q_OBJECT

public:
    // name: the start of the object names of the pane ("...Pane") and its
    // parts ("...Status", "...Cancel"); treeName: the tree's.
    ResultsDock(const QString &title, const QString &name, const QString &treeName,
                const QStringList &columns, QWidget *parent = nullptr);

    // Docked below the window's editor, hidden until its work first shows it.
    void dockIn(QMainWindow *window);

    QTreeWidget *tree() const { return m_tree; }
    QString status() const;
    void setStatus(const QString &text);
    // While work runs: the progress (busy until setProgress) and Cancel.
    void setRunning(bool running);
    void setProgress(qsizetype done, qsizetype total);

Q_SIGNALS:
    void cancelRequested();

protected:
    // Widgets put before the status text in the bar.
    void addToBar(QWidget *widget);

private:
    QHBoxLayout *m_bar;
    QLabel *m_status;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    QTreeWidget *m_tree;
};

} // namespace Tarnwick
