// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/projectmenu.h"

#include "app/projectcommands.h"
#include "preview/previewcontroller.h"
#include "project/projectoutline.h"

#include <QAction>
#include <QMenu>

namespace Tarnwick {

ProjectMenu::ProjectMenu(ProjectOutline *outline, ProjectCommands *commands,
                         PreviewController *preview, QObject *parent)
    : QObject(parent)
    , m_outline(outline)
    , m_commands(commands)
    , m_preview(preview)
    , m_popup(new QMenu(outline))
{
    m_popup->setObjectName(QStringLiteral("ProjectPopup"));
    m_items.viewPage = m_popup->addAction(QStringLiteral("View Page"));
    m_items.viewPage->setObjectName(QStringLiteral("ViewPage1"));
    m_popup->addSeparator();
    m_items.popupFindOrphans = m_popup->addAction(QStringLiteral("Find Project Orphans..."));
    m_items.popupFindOrphans->setObjectName(QStringLiteral("FindOrphans2"));
    m_popup->addSeparator();
    m_items.popupNewProject = m_popup->addAction(QStringLiteral("New Project..."));
    m_items.popupNewProject->setObjectName(QStringLiteral("NewProject2"));
    m_items.popupNewProject->setStatusTip(QStringLiteral("Create a new project"));

    connect(m_items.viewPage, &QAction::triggered, this,
            [this] { m_preview->ViewPage1Click(m_outline->GetSelectedFilename()); });
    connect(m_items.popupFindOrphans, &QAction::triggered, m_commands,
            &ProjectCommands::FindOrphansClick);
    connect(m_items.popupNewProject, &QAction::triggered, m_commands,
            &ProjectCommands::NewProjectClick);

    m_outline->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_outline, &QWidget::customContextMenuRequested, this, &ProjectMenu::ProjectPopupPopup);
}

void ProjectMenu::fillProjectsMenu(QMenu *menu)
{
    QAction *first = menu->actions().value(0);
    m_items.newProject = new QAction(QStringLiteral("&New Project..."), menu);
    m_items.newProject->setObjectName(QStringLiteral("NewProject1"));
    m_items.findOrphans = new QAction(QStringLiteral("Find Project Orphans..."), menu);
    m_items.findOrphans->setObjectName(QStringLiteral("FindOrphans1"));
    menu->insertAction(first, m_items.newProject);
    menu->insertAction(first, m_items.findOrphans);
    menu->insertSeparator(first);
    connect(m_items.newProject, &QAction::triggered, m_commands, &ProjectCommands::NewProjectClick);
    connect(m_items.findOrphans, &QAction::triggered, m_commands,
            &ProjectCommands::FindOrphansClick);
    connect(menu, &QMenu::aboutToShow, this, [this] {
        m_preview->HideFullScreen();
        CheckPageMenu();
    });
    CheckPageMenu();
}

void ProjectMenu::CheckPageMenu()
{
    const bool project = m_outline->selectedIsProject();
    m_items.viewPage->setEnabled(m_outline->selectedIsPage());
    m_items.popupFindOrphans->setEnabled(project);
    if (m_items.findOrphans)
        m_items.findOrphans->setEnabled(project);
}

void ProjectMenu::ProjectPopupPopup(const QPoint &position)
{
    if (QTreeWidgetItem *item = m_outline->itemAt(position))
        m_outline->setCurrentItem(item);
    CheckPageMenu();
    m_popup->popup(m_outline->viewport()->mapToGlobal(position));
}

} // namespace Tarnwick
