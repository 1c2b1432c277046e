// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace Tarnwick {

class EditorControl;
class OpenPages;
class ProjectOutline;
class Prompter;

// The commands of the project tree: loading and saving the project list and
// opening the pages of a project.
class ProjectCommands final : public QObject
{
    Q_OBJECT

public:
    ProjectCommands(ProjectOutline *outline, OpenPages *pages, EditorControl *editor,
                    Prompter *prompter, const QString &programDirectory, QObject *parent = nullptr);

    // Fills the tree from "project.dat", or with the Welcome project when
    // there is none. An unreadable file is reported and left alone.
    void loadTree();
    // Writes the tree to "project.dat" (not when it could not be read).
    void saveTree();

    QString projectListPath() const;

private:
    // Double click or Enter (direct false), F3 (direct true) on a page entry.
    void LoadProjectpage(const QString &path, bool direct);

    ProjectOutline *m_outline;
    OpenPages *m_pages;
    EditorControl *m_editor;
    Prompter *m_prompter;
    QString m_programDirectory;
    bool m_treeLoaded = true;
};

} // namespace Tarnwick
