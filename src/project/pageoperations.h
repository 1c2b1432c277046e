// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/projecttree.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace Tarnwick {

class OpenPageAccess;
class Prompter;

// The project list with its selected row (-1: none), as the commands see
// the project tree.
struct TreeSelection
{
    ProjectTree tree;
    int row = -1;

    friend bool operator==(const TreeSelection &, const TreeSelection &) = default;
};

// The commands of the project tree on pages and projects: creating,
// importing, describing, renaming, copying, moving, removing and deleting.
// Each works on the selected row, changes the files first and the tree only
// after the file operation succeeded, and tells the user through the
// prompter. It never overwrites a file, never touches a file through a
// target that is no plain file name, and never deletes a file another entry
// of the tree names or a directory that is not empty.
class PageOperations final
{
public:
    // A file an imported page refers to that is missing beside it.
    struct MissingReference
    {
        QString value; // as written in the page
        // Where it lies below the page's directory; empty when it names
        // another site or a file outside that directory.
        QString relativePath;
    };
    // What the page details check tells about an imported page.
    struct PageCheck
    {
        QString title;
        QList<MissingReference> missing;
    };

    struct Hooks
    {
        // The page details check over a page's text and directory.
        std::function<PageCheck(const QString &text, const QString &pageDirectory)> evaluate;
        // The text of a new default page when the program has no default template.
        std::function<QString()> standardPage;
        // A new default page was opened: it gets the standard tags when it
        // holds at most one line.
        std::function<void()> defaultPageOpened;
        // A new frame page was opened: the frame set dialog builds it.
        std::function<void()> framePageOpened;
        // A new page made from a template was opened: the template dialog fills it in.
        std::function<void()> templatePageOpened;
        // The tree changed before a page opens: opening may ask questions
        // and start a wizard, and the tree is to show the new entry by then.
        std::function<void(const TreeSelection &)> treeChanged;
        // A page's file was renamed or moved from `from` to `to`; pagePaths
        // are the pages of its project, which may link to it.
        std::function<void(const QStringList &pagePaths, const QString &from, const QString &to)>
            pageMoved;
    };

    enum class Style { DefaultPage, UseTemplate, ThemePage, FramePage };
    // The fields of "Create Page".
    struct NewPage
    {
        QString name; // without extension
        QString extension;
        QString description;
        Style style = Style::DefaultPage;
        QString templateName; // a file of the program's template directory; "Use Template" only
    };

    PageOperations(QString programDirectory, Prompter *prompter, OpenPageAccess *pages,
                   Hooks hooks);

    // Each command answers whether the project list is to be written.
    bool createPage(TreeSelection &s, const NewPage &page);
    bool importPages(TreeSelection &s, const QStringList &files);
    bool deletePage(TreeSelection &s);
    bool removeFromProject(TreeSelection &s);
    bool changeDescription(TreeSelection &s);
    bool renameFile(TreeSelection &s);
    // Whether the selected page may be copied or moved; tells the user why not.
    bool copyMoveAllowed(const TreeSelection &s);
    bool copyMove(TreeSelection &s, int targetProjectRow, bool move);
    bool deleteProject(TreeSelection &s);

    // For a selected project: whether one of its pages is open in a tab.
    bool IsAProjectFileOpen(const TreeSelection &s);

    QString projectDirectory(const ProjectTree &tree, int projectRow) const;
    // The page path of a page entry.
    QString pagePath(const ProjectTree &tree, int pageRow) const;

    // The program's page templates: files of its "template" directory whose
    // extension begins with "ht", by name.
    static QStringList templateNames(const QString &programDirectory);
    static QString templateDirectory(const QString &programDirectory);
    // The valid page extensions of the setting, up to the first empty one.
    static QStringList extensions(const QString &extensionSetting);

    static QString highlightProject();
    static QString pageExists();
    static QString imagesMissing();
    static QString renameFailed();
    static QString closeProjectFiles();
    static QString removeEverything();
    static QString removeEmptyProject();
    static QString errorRemovingFile(const QString &path);
    static QString errorRemovingDirectory();
    static QString deleteSelectedFile();
    static QString removeSelectedFile();
    static QString missingDirectory(const QString &directory);
    static QString destinationExists(const QString &destination);
    static QString differentFileExists(const QString &destination, const QString &source);
    static QString alreadyInProject(const QString &name, const QString &project);
    static QString notCopied(const QStringList &references);
    static QString copyReferencesToo(const QStringList &files, const QString &directory);
    static QString cannotDelete(const QString &reason);
    static QString keptForOtherEntry(const QString &path);
    static QString targetNotPlain(const QString &target);

private:
    bool selectedIsPage(const TreeSelection &s) const;
    // A new page from a template: the template's bytes, with the encoding
    // declared after the HEAD tag when the template does not declare it.
    static Result copyTemplate(const QString &source, const QString &page);
    // After a copy or move to another directory: offers, in one question,
    // to copy the local files the page uses that are missing beside it.
    void offerReferences(const QString &page, const QString &sourceDirectory,
                         const QString &destinationDirectory);
    // Whether another entry of the tree names the file of the page at pageRow.
    bool namedElsewhere(const ProjectTree &tree, int pageRow) const;
    // Whether another project of the tree lives in the directory of projectRow.
    bool directoryShared(const ProjectTree &tree, int projectRow) const;
    // The row of the project's page entry with this target, -1 when none.
    static int pageWithTarget(const ProjectTree &tree, int projectRow, const QString &target);
    static QString projectDescription(const ProjectTree &tree, int projectRow);
    // The page files of a project, the settings entry and targets that are no
    // plain file names left out.
    QStringList projectPagePaths(const ProjectTree &tree, int projectRow) const;
    void tellPageMoved(const TreeSelection &s, const QStringList &pagePaths, const QString &from,
                       const QString &to);
    void copyReferences(const PageCheck &check, const QString &sourceDirectory,
                        const QString &projectDirectory);

    QString m_programDirectory;
    Prompter *m_prompter;
    OpenPageAccess *m_pages;
    Hooks m_hooks;
};

} // namespace Tarnwick
