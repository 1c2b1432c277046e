// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/projectcommands.h"

#include "app/openpages.h"
#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "project/projectoutline.h"
#include "project/projectpaths.h"
#include "project/projecttree.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace Tarnwick {

ProjectCommands::ProjectCommands(ProjectOutline *outline, OpenPages *pages, EditorControl *editor,
                                 Prompter *prompter, const QString &programDirectory,
                                 QObject *parent)
    : QObject(parent)
    , m_outline(outline)
    , m_pages(pages)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_programDirectory(programDirectory)
{
    connect(m_outline, &ProjectOutline::pageOpenRequested, this, &ProjectCommands::LoadProjectpage);
}

QString ProjectCommands::projectListPath() const
{
    return m_programDirectory + QStringLiteral("project.dat");
}

void ProjectCommands::loadTree()
{
    const QString path = projectListPath();
    if (!QFileInfo::exists(path)) {
        m_outline->setTree(ProjectTree::defaultTree());
        m_outline->expandAll();
        return;
    }
    Expected<ProjectTree> tree = ProjectTree::load(path);
    if (!tree) {
        // Keep the unreadable file: saving an empty tree over it at exit would
        // throw away every project the user has.
        m_treeLoaded = false;
        m_prompter->warning(tree.error());
        return;
    }
    m_outline->setTree(tree.value());
    m_outline->expandAll();
}

void ProjectCommands::saveTree()
{
    if (!m_treeLoaded)
        return;
    if (const Result saved = m_outline->tree().save(projectListPath()); !saved)
        m_prompter->error(saved.error());
}

void ProjectCommands::LoadProjectpage(const QString &path, bool direct)
{
    if (!direct && m_pages->IsSelectedFileOpen(path, true))
        return;
    if (!direct && ProjectPaths::isSettingsEntry(QFileInfo(path).fileName()))
        return; // the project's settings file is edited through the project dialog
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_outline->setEnabled(false);
    m_pages->LoadFile(path, true);
    m_outline->setEnabled(true);
    QGuiApplication::restoreOverrideCursor();
    m_editor->setFocus();
}

} // namespace Tarnwick
