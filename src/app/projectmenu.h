// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAction;
class QMenu;
class QPoint;

namespace Tarnwick {

class PreviewController;
class ProjectCommands;
class ProjectOutline;

// The project commands on the "P&rojects" menu and on the tree's pop-up menu
// `ProjectPopup`, enabled by what is selected in the tree (CheckPageMenu).
class ProjectMenu final : public QObject
{
    Q_OBJECT

public:
    ProjectMenu(ProjectOutline *outline, ProjectCommands *commands, PreviewController *preview,
                QObject *parent = nullptr);

    // Puts the project commands at the top of the menu.
    void fillProjectsMenu(QMenu *menu);
    QMenu *popup() const { return m_popup; }

    // Enables the items for the selected entry.
    void CheckPageMenu();
    void ProjectPopupPopup(const QPoint &position);

    struct Items
    {
        QAction *newProject = nullptr, *findOrphans = nullptr; // menu
        QAction *viewPage = nullptr, *popupFindOrphans = nullptr, *popupNewProject = nullptr;
    };
    const Items &items() const { return m_items; }

private:
    ProjectOutline *m_outline;
    ProjectCommands *m_commands;
    PreviewController *m_preview;
    QMenu *m_popup; // the tree's child
    Items m_items;
};

} // namespace Tarnwick
