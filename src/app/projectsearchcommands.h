// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/backgroundjob.h"
#include "sitesearch/projectsearch.h"
#include "sitesearch/searchquery.h"

#include <QDialog>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QMainWindow;
class QMenu;
class QWidget;

namespace Tarnwick {

class EditorControl;
class OpenPages;
class ProjectMenu;
class ProjectOutline;
class ProjectSearchPane;
class Prompter;

// Find in Project and Replace in Project: the dialog, the search in the
// background with its results in the pane, the preview of a Replace and the
// changes, in open tabs (one undo step each, unsaved) and in files (written
// as Save writes them).
class ProjectSearchCommands final : public QObject
{
    Q_OBJECT

public:
    ProjectSearchCommands(ProjectOutline *outline, OpenPages *pages, Prompter *prompter,
                          ProjectSearchPane *pane, QWidget *window, QObject *parent = nullptr);
    ~ProjectSearchCommands() override;

    // Find and Replace in Project in a main window: the results pane docked
    // there, Find in Project on the project tree's menu.
    static ProjectSearchCommands *install(QMainWindow *window, ProjectMenu *menu,
                                          ProjectOutline *outline, OpenPages *pages,
                                          Prompter *prompter);
    // Find in Project (Ctrl+Shift+F) and Replace in Project (Ctrl+Shift+H) at
    // the end of the Search menu, working with no page open.
    void fillSearchMenu(QMenu *menu);

    void FindInProjectClick();
    void ReplaceInProjectClick();

    // What the dialogs start from, and what they leave; for tests and the next use.
    SearchQuery lastQuery;
    ProjectSearch::Scope lastScope = ProjectSearch::Scope::ProjectPages;
    QString lastMask = QStringLiteral("*.htm;*.html");

    // The search of the last query in the last scope, in the background; with
    // replace, the preview (or, past PreviewLimit matches, a question) and
    // the changes follow when it ends.
    void start(bool replace);
    bool running() const { return m_job.running(); }
    void cancel();

    // The changes of a Replace: the chosen matches of each file found.
    QString apply(const QList<SearchFile> &found, const QHash<QString, QList<SearchMatch>> &chosen,
                  const QRegularExpression &expression);
    void openResult(const QString &path, int line, int column, int length);

    // Past this many matches Replace asks before going on, without a preview.
    static constexpr qsizetype PreviewLimit = 20000;
    // Runs a dialog; tests replace it to play the user.
    std::function<bool(QDialog &)> runDialog
        = [](QDialog &dialog) { return dialog.exec() == QDialog::Accepted; };

    static QString noProject()
    {
        return QStringLiteral("Select a project or one of its pages in the project tree, or "
                              "search the open pages.");
    }
    static QString emptyMatch()
    {
        return QStringLiteral("The regular expression matches empty text: Replace would put the "
                              "replacement between characters. Change it so that it matches at "
                              "least one character.");
    }
    static QString manyMatches(qsizetype matches, qsizetype files);

Q_SIGNALS:
    void finished(); // a search ended, done or cancelled, and what followed it

private:
    struct Run;
    bool askQuery(bool replace);
    void finish();
    void replaceFound(const std::shared_ptr<Run> &run);

    ProjectOutline *m_outline;
    OpenPages *m_pages;
    Prompter *m_prompter;
    ProjectSearchPane *m_pane;
    QWidget *m_window;
    BackgroundJob m_job;
    std::shared_ptr<Run> m_run;
};

} // namespace Tarnwick
