// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/projectmenurules.h"

#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QPoint;

namespace Tarnwick {

class PreviewController;
class ProjectCommands;
class ProjectOutline;

// The project commands on the "P&rojects" menu and on the tree's pop-up menu
// `ProjectPopup`, enabled by what is selected in the tree (CheckPageMenu,
// CheckProjectMenu), and the Delete key of the tree.
class ProjectMenu final : public QObject
{
    Q_OBJECT

public:
    using Command = ProjectMenuRules::Command;

    ProjectMenu(ProjectOutline *outline, ProjectCommands *commands, PreviewController *preview,
                QObject *parent = nullptr);

    // Puts the project commands at the top of the menu.
    void fillProjectsMenu(QMenu *menu);
    QMenu *popup() const { return m_popup; }
    QMenu *pagesMenu() const { return m_pages; }

    // Enables the items of both menus for the selected entry.
    void CheckPageMenu();
    void CheckProjectMenu();
    void ProjectPopupPopup(const QPoint &position);

    // The send items: their caption for the selection, and what they run
    // with the caption of the item chosen.
    void setSendCommand(std::function<QString()> caption,
                        std::function<void(const QString &caption)> run);

    // What Check Site or Find in Project runs; without it their items stay disabled.
    void setCommand(Command command, std::function<void()> run);
    // The items of a command: on the main menu and on the pop-up menu, where it has them.
    QAction *menuItem(Command command) const;
    QAction *popupItem(Command command) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Item
    {
        Command command;
        QAction *menu = nullptr;
        QAction *popup = nullptr;
    };

    // The command's handler, or nothing for those the menus only show.
    void trigger(Command command);
    Item *item(Command command);
    const Item *item(Command command) const;
    void addItem(Command command, QAction *menu, QAction *popup);
    ProjectMenuRules::Selection selection() const;
    // Delete runs Delete Project when it is enabled, else Remove && Delete Page.
    void Outline1KeyDown(int key);

    ProjectOutline *m_outline;
    ProjectCommands *m_commands;
    PreviewController *m_preview;
    QMenu *m_popup; // the tree's child
    QMenu *m_pages = nullptr; // "&Pages" of the main menu
    QList<Item> m_items;
    std::function<QString()> m_sendCaption;
    std::function<void(const QString &)> m_send;
    QHash<Command, std::function<void()>> m_handlers; // of the commands set from outside
};

} // namespace Tarnwick
