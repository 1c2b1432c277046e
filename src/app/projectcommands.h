// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "project/pageoperations.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace Tarnwick {

class EditorControl;
class OpenPages;
class ProjectOutline;
class Prompter;
class PasswordStore;
class Settings;

// The commands of the project tree: loading and saving the project list,
// opening the pages of a project, creating a project, its settings, the
// search for its orphan files, and the page and project operations, whose
// dialogs it shows before PageOperations does the work.
class ProjectCommands final : public QObject
{
    Q_OBJECT

public:
    ProjectCommands(ProjectOutline *outline, OpenPages *pages, EditorControl *editor,
                    Prompter *prompter, Settings *settings, const QString &programDirectory,
                    PasswordStore *passwords = nullptr, QObject *parent = nullptr);
    ~ProjectCommands() override;

    // Fills the tree from "project.dat", or with the Welcome project when
    // there is none. An unreadable file is reported and left alone.
    void loadTree();
    // Writes the tree to "project.dat" (not when it could not be read).
    void saveTree();

    QString projectListPath() const;
    // Whether the tree may be changed: not while an unreadable project list
    // is kept. Tells the user why when it may not.
    bool treeChangeAllowed();
    static QString treeKept(const QString &reason);

    // "&New Project...": the project dialog in create mode, then the tree is written.
    void NewProjectClick();
    // The project dialog in settings mode for the selected project.
    void ShowProjectSettings();
    // "Find Project Orphans..." for the selected project entry.
    void FindOrphansClick();

    void AddPageClick();
    void ImportPageClick();
    void DeletePageClick();
    void CopyMovepageClick();
    void ChangeDescriptionClick();
    void RenameFileClick();
    void RemovefromprojectClick();
    void DeleteProjectClick();

    // The tree and its selection as the commands see them.
    TreeSelection selection() const;
    // The page details check an imported page gets.
    static PageOperations::PageCheck checkImportedPage(const QString &text,
                                                       const QString &pageDirectory);

    // The files a page refers to that exist: from its tab's text when it is
    // open, else from its file.
    Expected<QStringList> pageReferences(const QString &pagePath) const;
    // The page file names of the selected project, without its settings file.
    QStringList selectedProjectPages() const;

Q_SIGNALS:
    // A command changed the text of the page in the editor.
    void refreshPreview();
    // A new frame page was opened and waits for its frame set.
    void framePageOpened();
    // A new page copied from a template was opened and waits to be filled in.
    void templatePageOpened();

private:
    // Runs a command on the tree, then shows what it changed and writes the
    // list when the command says so.
    void run(const std::function<bool(TreeSelection &)> &command);

    // Double click or Enter (direct false), F3 (direct true) on a page entry.
    void LoadProjectpage(const QString &path, bool direct);

    ProjectOutline *m_outline;
    OpenPages *m_pages;
    EditorControl *m_editor;
    Prompter *m_prompter;
    Settings *m_settings;
    QString m_programDirectory;
    PasswordStore *m_passwords; // the project dialog's desktop keyring
    bool m_treeLoaded = true;
    QString m_loadError; // why the project list could not be read
    std::unique_ptr<PageOperations> m_operations;
};

} // namespace Tarnwick
