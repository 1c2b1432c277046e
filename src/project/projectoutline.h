// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/projecttree.h"

#include <QTreeWidget>

namespace Tarnwick {

// The project tree of the left pane. It shows a ProjectTree and answers the
// questions the project commands ask about the selected entry; what opening a
// page means is left to the owner, through pageOpenRequested.
class ProjectOutline final : public QTreeWidget
{
    Q_OBJECT

public:
    explicit ProjectOutline(QWidget *parent = nullptr);

    void setProgramDirectory(const QString &programDir);
    QString programDirectory() const { return m_programDir; }

    void setTree(const ProjectTree &tree);
    ProjectTree tree() const;
    // Shows a changed tree with `row` selected: projects the user closed stay
    // closed, the others open, and the view keeps its place.
    void showTree(const ProjectTree &tree, int row);

    // Rows count entries in tree order from 0, as in ProjectTree; -1 is none.
    int currentRow() const;
    void setCurrentRow(int row);
    // 0 when nothing is selected.
    int selectedLevel() const;
    bool selectedIsProject() const;
    bool selectedIsPage() const;
    QString selectedText() const;
    // The text of the project the selection belongs to; empty when nothing is selected.
    QString selectedProjectText() const;

    // The project directory of the selected entry, without trailing separator;
    // empty when nothing is selected.
    QString GetSelectedProjectDir() const;
    // GetSelectedProjectDir() + "/" + the selected entry's target.
    QString GetSelectedFilename() const;

    // Adds a page entry in its sorted place under the project at projectRow,
    // or with -1 under the project of the selection, and then selects it.
    // Returns the new entry's row, -1 when there is no such project.
    int AddThePage(const QString &text, int projectRow = -1);
    // Appends a project entry after the last entry and selects it; returns its row.
    int addProject(const QString &text);

signals:
    // A page entry was double-clicked or Enter pressed on it (direct false),
    // or F3 pressed on it (direct true). Never sent for a project entry.
    void pageOpenRequested(const QString &path, bool direct);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onItemDoubleClicked(QTreeWidgetItem *item, int column);
    bool requestOpen(bool direct);

    QTreeWidgetItem *itemAtRow(int row) const;
    int rowOf(const QTreeWidgetItem *item) const;
    static int levelOf(const QTreeWidgetItem *item);
    static QTreeWidgetItem *projectOf(QTreeWidgetItem *item);

    QString m_programDir;
};

} // namespace Tarnwick
