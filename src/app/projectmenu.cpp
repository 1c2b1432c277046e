// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/projectmenu.h"

#include "app/projectcommands.h"
#include "preview/previewcontroller.h"
#include "project/projectoutline.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace Tarnwick {

namespace {

QAction *action(QObject *parent, const QString &caption, const char *name,
                const QString &hint = QString())
{
    auto *a = new QAction(caption, parent);
    a->setObjectName(QLatin1String(name));
    a->setStatusTip(hint);
    return a;
}

const QString newPageHint = QStringLiteral("Create a new page");
const QString importHint = QStringLiteral("Import an existing file");
const QString deletePageHint = QStringLiteral("Delete selected file and remove from project");
const QString copyMoveHint = QStringLiteral("Copy or Move selected file");
const QString describeHint = QStringLiteral("Change description of selected file");
const QString renameHint = QStringLiteral("Rename selected page");
const QString removeHint = QStringLiteral("Removes file from the project but does not delete the "
                                          "file");
const QString sendHint
    = QStringLiteral("Send selected file to the website specified in the Project "
                     "Defaults file via FTP connection");
const QString newProjectHint = QStringLiteral("Create a new project");
const QString deleteProjectHint = QStringLiteral("Delete the entire project");
const QString findInProjectHint
    = QStringLiteral("Find text in every page of the project, or replace it");
const QString checkSiteHint = QStringLiteral(
    "Look for broken links, missing pictures, encoding and markup problems in the project");

} // namespace

ProjectMenu::ProjectMenu(ProjectOutline *outline, ProjectCommands *commands,
                         PreviewController *preview, QObject *parent)
    : QObject(parent)
    , m_outline(outline)
    , m_commands(commands)
    , m_preview(preview)
    , m_popup(new QMenu(outline))
{
    m_popup->setObjectName(QStringLiteral("ProjectPopup"));
    const auto add = [this](Command command, const QString &caption, const char *name,
                            const QString &hint = QString()) {
        QAction *a = action(m_popup, caption, name, hint);
        m_popup->addAction(a);
        addItem(command, nullptr, a);
    };
    add(Command::ViewPage, QStringLiteral("View Page"), "ViewPage1");
    m_popup->addSeparator();
    add(Command::NewPage, QStringLiteral("New Page..."), "AddPage2", newPageHint);
    add(Command::ImportPage, QStringLiteral("Import page..."), "ImportPage2", importHint);
    add(Command::DeletePage, QStringLiteral("Remove && Delete Page..."), "DeletePage2",
        deletePageHint);
    add(Command::CopyMovePage, QStringLiteral("Copy/Move Page..."), "CopyMovepage2", copyMoveHint);
    add(Command::ChangePageDescription, QStringLiteral("Change Description..."),
        "ChangeDescription2", describeHint);
    add(Command::RenameFile, QStringLiteral("Rename Page..."), "RenameFile2", renameHint);
    add(Command::SendToSite, QStringLiteral("Send to site..."), "FTPSend2", sendHint);
    add(Command::RemoveFromProject, QStringLiteral("Remove file from project..."),
        "Removefromproject2", removeHint);
    add(Command::FindOrphans, QStringLiteral("Find Project Orphans..."), "FindOrphans2");
    add(Command::CheckSite, QStringLiteral("Check Site"), "CheckSite2", checkSiteHint);
    add(Command::FindInProject, QStringLiteral("Find in Project..."), "FindInProject2",
        findInProjectHint);
    m_popup->addSeparator();
    add(Command::NewProject, QStringLiteral("New Project..."), "NewProject2", newProjectHint);
    add(Command::DeleteProject, QStringLiteral("Delete Project..."), "DeleteProject2",
        deleteProjectHint);

    m_outline->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_outline, &QWidget::customContextMenuRequested, this, &ProjectMenu::ProjectPopupPopup);
    // Shortcuts follow the selection, not only the moment a menu opens.
    connect(m_outline, &QTreeWidget::currentItemChanged, this, [this] {
        CheckPageMenu();
        CheckProjectMenu();
    });
    connect(m_commands, &ProjectCommands::refreshPreview, m_preview,
            &PreviewController::UpdateWebView);
    m_outline->installEventFilter(this);
    CheckPageMenu();
}

void ProjectMenu::addItem(Command command, QAction *menu, QAction *popup)
{
    Item *existing = item(command);
    if (!existing) {
        m_items.append({ command });
        existing = &m_items.last();
    }
    for (QAction *a : { menu, popup }) {
        if (!a)
            continue;
        (a == menu ? existing->menu : existing->popup) = a;
        connect(a, &QAction::triggered, this, [this, command] { trigger(command); });
    }
}

ProjectMenu::Item *ProjectMenu::item(Command command)
{
    for (Item &i : m_items) {
        if (i.command == command)
            return &i;
    }
    return nullptr;
}

const ProjectMenu::Item *ProjectMenu::item(Command command) const
{
    for (const Item &i : m_items) {
        if (i.command == command)
            return &i;
    }
    return nullptr;
}

QAction *ProjectMenu::menuItem(Command command) const
{
    const Item *i = item(command);
    return i ? i->menu : nullptr;
}

QAction *ProjectMenu::popupItem(Command command) const
{
    const Item *i = item(command);
    return i ? i->popup : nullptr;
}

void ProjectMenu::fillProjectsMenu(QMenu *menu)
{
    QAction *first = menu->actions().value(0);
    const auto add = [this, menu, first](QMenu *into, Command command, const QString &caption,
                                         const char *name, const QString &hint = QString(),
                                         const QKeySequence &shortcut = QKeySequence()) {
        QAction *a = action(menu, caption, name, hint);
        a->setShortcut(shortcut);
        if (into == menu)
            menu->insertAction(first, a);
        else
            into->addAction(a);
        addItem(command, a, nullptr);
    };
    add(menu, Command::NewProject, QStringLiteral("&New Project..."), "NewProject1",
        newProjectHint);
    m_pages = new QMenu(QStringLiteral("&Pages"), menu);
    m_pages->setObjectName(QStringLiteral("Pages1"));
    menu->insertMenu(first, m_pages);
    add(m_pages, Command::NewPage, QStringLiteral("&New page..."), "AddPage1", newPageHint,
        QKeySequence(Qt::CTRL | Qt::Key_N));
    add(m_pages, Command::ImportPage, QStringLiteral("&Import Page..."), "ImportPage1", importHint);
    add(m_pages, Command::DeletePage, QStringLiteral("Remove && &Delete Page..."), "DeletePage1",
        deletePageHint);
    add(m_pages, Command::CopyMovePage, QStringLiteral("&Copy/Move page..."), "CopyMovepage1",
        copyMoveHint);
    add(m_pages, Command::ChangePageDescription, QStringLiteral("&Edit Page Description..."),
        "ChangeDescription1", describeHint, QKeySequence(Qt::CTRL | Qt::Key_D));
    add(m_pages, Command::RenameFile, QStringLiteral("&Rename File..."), "RenameFile1", renameHint,
        QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
    add(m_pages, Command::RemoveFromProject, QStringLiteral("Remove file from project..."),
        "Removefromproject1", removeHint);
    add(m_pages, Command::SendToSite, QStringLiteral("Send to website..."), "FTPSend1", sendHint);
    add(menu, Command::DeleteProject, QStringLiteral("&Delete Project..."), "DeleteProject1",
        deleteProjectHint);
    add(menu, Command::EditProjectDescription, QStringLiteral("&Edit Project Description..."),
        "EditProjectDescription1");
    add(menu, Command::FindOrphans, QStringLiteral("Find Project Orphans..."), "FindOrphans1");
    add(menu, Command::CheckSite, QStringLiteral("Check &Site"), "CheckSite1", checkSiteHint);
    menu->insertSeparator(first);

    connect(menu, &QMenu::aboutToShow, this, [this] {
        m_preview->HideFullScreen();
        CheckPageMenu();
        CheckProjectMenu();
    });
    connect(m_pages, &QMenu::aboutToShow, this, &ProjectMenu::CheckPageMenu);
    CheckPageMenu();
    CheckProjectMenu();
}

ProjectMenuRules::Selection ProjectMenu::selection() const
{
    return { m_outline->topLevelItemCount() > 0, m_outline->selectedLevel() };
}

void ProjectMenu::setSendCommand(std::function<QString()> caption,
                                 std::function<void(const QString &)> run)
{
    m_sendCaption = std::move(caption);
    m_send = std::move(run);
    CheckPageMenu();
}

void ProjectMenu::setCommand(Command command, std::function<void()> run)
{
    m_handlers.insert(command, std::move(run));
    CheckPageMenu();
}

void ProjectMenu::CheckPageMenu()
{
    const ProjectMenuRules::Selection selected = selection();
    for (const Item &i : m_items) {
        bool on = ProjectMenuRules::enabled(i.command, selected);
        if (i.command == Command::SendToSite)
            on = on && m_send;
        if (i.command == Command::CheckSite || i.command == Command::FindInProject)
            on = on && m_handlers.contains(i.command);
        for (QAction *a : { i.menu, i.popup }) {
            if (a)
                a->setEnabled(on);
        }
    }
    if (m_sendCaption) {
        if (const Item *send = item(Command::SendToSite)) {
            QString caption = m_sendCaption();
            caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
            for (QAction *a : { send->menu, send->popup }) {
                if (a)
                    a->setText(caption);
            }
        }
    }
}

void ProjectMenu::CheckProjectMenu()
{
    const ProjectMenuRules::Selection selected = selection();
    for (const Command command : { Command::DeleteProject, Command::EditProjectDescription }) {
        if (QAction *a = menuItem(command))
            a->setEnabled(ProjectMenuRules::enabled(command, selected));
    }
    if (m_pages)
        m_pages->setEnabled(ProjectMenuRules::enabled(Command::PagesMenu, selected));
}

void ProjectMenu::trigger(Command command)
{
    // A shortcut may come before any menu was opened for this selection.
    if (!ProjectMenuRules::enabled(command, selection()))
        return;
    switch (command) {
    case Command::NewProject:
        m_commands->NewProjectClick();
        break;
    case Command::NewPage:
        m_commands->AddPageClick();
        break;
    case Command::ImportPage:
        m_commands->ImportPageClick();
        break;
    case Command::DeletePage:
        m_commands->DeletePageClick();
        break;
    case Command::CopyMovePage:
        m_commands->CopyMovepageClick();
        break;
    case Command::ChangePageDescription:
    case Command::EditProjectDescription:
        m_commands->ChangeDescriptionClick();
        break;
    case Command::RenameFile:
        m_commands->RenameFileClick();
        break;
    case Command::RemoveFromProject:
        m_commands->RemovefromprojectClick();
        break;
    case Command::DeleteProject:
        m_commands->DeleteProjectClick();
        break;
    case Command::FindOrphans:
        m_commands->FindOrphansClick();
        break;
    case Command::ViewPage:
        m_preview->ViewPage1Click(m_outline->GetSelectedFilename());
        break;
    case Command::SendToSite:
        if (m_send && m_sendCaption)
            m_send(m_sendCaption());
        break;
    case Command::CheckSite:
    case Command::FindInProject:
        if (const auto handler = m_handlers.value(command))
            handler();
        break;
    case Command::PagesMenu:
        break;
    }
    CheckPageMenu();
    CheckProjectMenu();
}

void ProjectMenu::ProjectPopupPopup(const QPoint &position)
{
    if (QTreeWidgetItem *entry = m_outline->itemAt(position))
        m_outline->setCurrentItem(entry);
    CheckPageMenu();
    m_popup->popup(m_outline->viewport()->mapToGlobal(position));
}

void ProjectMenu::Outline1KeyDown(int key)
{
    CheckPageMenu();
    CheckProjectMenu();
    if (key != Qt::Key_Delete)
        return;
    if (ProjectMenuRules::enabled(Command::DeleteProject, selection()))
        trigger(Command::DeleteProject);
    else if (ProjectMenuRules::enabled(Command::DeletePage, selection()))
        trigger(Command::DeletePage);
}

bool ProjectMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_outline && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool deleteKey = key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier;
        Outline1KeyDown(deleteKey ? Qt::Key_Delete : Qt::Key_unknown);
        if (deleteKey)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Tarnwick
