// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/projectsearchcommands.h"

#include "app/findinprojectdialog.h"
#include "app/openpages.h"
#include "app/projectmenu.h"
#include "app/projectsearchpane.h"
#include "app/replacepreviewdialog.h"
#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "project/entrytext.h"
#include "project/projectoutline.h"
#include "project/projectpaths.h"
#include "project/projecttree.h"
#include "sitesearch/projectreplace.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>

namespace Tarnwick {

struct ProjectSearchCommands::Run
{
    ProjectSearch::Request request;
    SearchQuery query;
    QRegularExpression expression;
    bool replace = false;
    QStringList files;
    QList<SearchFile> found;
    std::atomic_bool cancelled = false;
};

ProjectSearchCommands::ProjectSearchCommands(ProjectOutline *outline, OpenPages *pages,
                                             Prompter *prompter, ProjectSearchPane *pane,
                                             QWidget *window, QObject *parent)
    : QObject(parent)
    , m_outline(outline)
    , m_pages(pages)
    , m_prompter(prompter)
    , m_pane(pane)
    , m_window(window)
{
    connect(m_pane, &ProjectSearchPane::cancelRequested, this, &ProjectSearchCommands::cancel);
    connect(m_pane, &ProjectSearchPane::openRequested, this, &ProjectSearchCommands::openResult);
}

ProjectSearchCommands *ProjectSearchCommands::install(QMainWindow *window, ProjectMenu *menu,
                                                      ProjectOutline *outline, OpenPages *pages,
                                                      Prompter *prompter)
{
    auto *pane = new ProjectSearchPane(window);
    pane->dockIn(window);
    auto *search = new ProjectSearchCommands(outline, pages, prompter, pane, window, window);
    menu->setCommand(ProjectMenu::Command::FindInProject,
                     [search] { search->FindInProjectClick(); });
    return search;
}

void ProjectSearchCommands::fillSearchMenu(QMenu *menu)
{
    menu->addSeparator();
    QAction *find = menu->addAction(QStringLiteral("Find in &Project..."),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), this,
                                    &ProjectSearchCommands::FindInProjectClick);
    QAction *replace = menu->addAction(QStringLiteral("Replace in Pro&ject..."),
                                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H), this,
                                       &ProjectSearchCommands::ReplaceInProjectClick);
    // The Search menu's page items need a page; these search the project.
    for (QAction *a : { find, replace })
        a->setProperty("projectWide", true);
}

ProjectSearchCommands::~ProjectSearchCommands()
{
    cancel();
    m_job.wait();
}

QString ProjectSearchCommands::manyMatches(qsizetype matches, qsizetype files)
{
    return QStringLiteral("The search found %1 matches in %2 files, too many to show one by one. "
                          "Replace them all?")
        .arg(matches)
        .arg(files);
}

bool ProjectSearchCommands::askQuery(bool replace)
{
    FindInProjectDialog dialog(replace, m_window);
    SearchQuery start = lastQuery;
    // The selection of the page in front, when it is a few words, is what to find.
    if (EditorControl *editor = m_pages ? m_pages->editor() : nullptr;
        editor && m_pages->count() > 0) {
        const QString selected = editor->GetSelText();
        if (!selected.isEmpty() && selected.size() < 200 && !selected.contains(QLatin1Char('\n')))
            start.text = selected;
    }
    dialog.setQuery(start);
    dialog.setScope(lastScope, lastMask);
    if (!runDialog(dialog))
        return false;
    lastQuery = dialog.query();
    lastScope = dialog.scope();
    lastMask = dialog.mask();
    return true;
}

void ProjectSearchCommands::FindInProjectClick()
{
    if (askQuery(false))
        start(false);
}

void ProjectSearchCommands::ReplaceInProjectClick()
{
    if (askQuery(true))
        start(true);
}

void ProjectSearchCommands::start(bool replace)
{
    const Expected<QRegularExpression> expression = lastQuery.compile();
    if (!expression) {
        m_prompter->error(expression.error());
        return;
    }
    if (replace && SearchQuery::matchesEmpty(*expression)) {
        m_prompter->error(emptyMatch());
        return;
    }
    auto run = std::make_shared<Run>();
    run->query = lastQuery;
    run->expression = *expression;
    run->replace = replace;
    run->request.scope = lastScope;
    run->request.mask = lastMask;
    if (m_pages) {
        for (const QString &path : m_pages->fileNames()) {
            if (const std::optional<QString> text = m_pages->openPageText(path))
                run->request.openTexts.insert(QDir::cleanPath(QFileInfo(path).absoluteFilePath()),
                                              *text);
        }
    }
    const bool projectSelected = m_outline && m_outline->selectedLevel() >= 1;
    if (lastScope != ProjectSearch::Scope::OpenPages && !projectSelected) {
        m_prompter->information(noProject());
        return;
    }
    // The selected project names the results even when the open pages are searched.
    if (projectSelected) {
        run->request.projectDir = m_outline->GetSelectedProjectDir();
        const ProjectTree tree = m_outline->tree();
        for (const int row : tree.pageRowsOf(tree.projectRowOf(m_outline->currentRow()))) {
            const QString target = EntryText::EntryTarget(tree.entry(row).text);
            if (!ProjectPaths::isSettingsEntry(target))
                run->request.pages << target;
        }
    }
    cancel();
    m_job.wait();
    m_run = run;
    m_pane->show();
    m_pane->raise();
    m_pane->start(run->request.projectDir);
    m_pane->setRunning(true);
    m_pane->setStatus(QStringLiteral("Searching..."));
    m_job.start(
        [run, this] {
            run->files = ProjectSearch::filesOf(run->request);
            const qsizetype total = run->files.size();
            const ProjectSearch::Prefilter prefilter = ProjectSearch::Prefilter::of(run->query);
            for (qsizetype i = 0; i < total && !run->cancelled; ++i) {
                SearchFile file = ProjectSearch::searchFile(run->files.at(i), run->expression,
                                                            run->request.openTexts, prefilter);
                run->found.append(file);
                QMetaObject::invokeMethod(
                    this,
                    [this, run, file = std::move(file), i, total] {
                        if (run != m_run)
                            return;
                        m_pane->addFile(file);
                        m_pane->setProgress(i + 1, total);
                    },
                    Qt::QueuedConnection);
            }
        },
        [this] { finish(); });
}

void ProjectSearchCommands::cancel()
{
    if (m_run)
        m_run->cancelled = true;
}

void ProjectSearchCommands::finish()
{
    // The files' own queued additions come first.
    QMetaObject::invokeMethod(
        this,
        [this, run = m_run] {
            if (run != m_run)
                return;
            m_pane->setRunning(false);
            const QString summary = QStringLiteral("\"%1\": %2 matches in %3 files")
                                        .arg(run->query.text)
                                        .arg(m_pane->matchCount())
                                        .arg(m_pane->fileCount());
            m_pane->setStatus(run->cancelled ? QStringLiteral("Cancelled; so far ") + summary
                                             : summary);
            if (run->replace && !run->cancelled)
                replaceFound(run);
            Q_EMIT finished();
        },
        Qt::QueuedConnection);
}

void ProjectSearchCommands::replaceFound(const std::shared_ptr<Run> &run)
{
    qsizetype matches = 0;
    qsizetype files = 0;
    for (const SearchFile &f : std::as_const(run->found)) {
        matches += f.matches.size();
        files += !f.matches.isEmpty();
        // An expression that only looked as if it needed text.
        for (const SearchMatch &m : f.matches) {
            if (m.length == 0) {
                m_prompter->error(emptyMatch());
                return;
            }
        }
    }
    if (matches == 0) {
        m_prompter->information(QStringLiteral("\"%1\" was not found.").arg(run->query.text));
        return;
    }
    QHash<QString, QList<SearchMatch>> chosen;
    if (matches > PreviewLimit) {
        if (m_prompter->message(Prompter::Kind::Confirmation, manyMatches(matches, files),
                                Prompter::Buttons::YesNo)
            != Prompter::Answer::Yes)
            return;
        for (const SearchFile &f : std::as_const(run->found))
            chosen.insert(f.path, f.matches);
    } else {
        ReplacePreviewDialog preview(run->found, run->expression, run->query,
                                     run->request.projectDir, m_window);
        if (!runDialog(preview))
            return;
        chosen = preview.chosen();
    }
    m_prompter->information(apply(run->found, chosen, run->expression));
}

QString ProjectSearchCommands::apply(const QList<SearchFile> &found,
                                     const QHash<QString, QList<SearchMatch>> &chosen,
                                     const QRegularExpression &expression)
{
    const SearchQuery &query = m_run ? m_run->query : lastQuery;
    QList<ProjectReplace::Outcome> outcomes;
    for (const SearchFile &file : found) {
        const QList<SearchMatch> matches = chosen.value(file.path);
        if (matches.isEmpty())
            continue;
        if (file.open) {
            ProjectReplace::Outcome outcome { file.path, 0, {} };
            const std::optional<QString> text
                = m_pages ? m_pages->openPageText(file.path) : std::nullopt;
            if (!text) {
                outcome.failed = QStringLiteral("its tab was closed");
            } else if (ProjectSearch::digestOfText(*text) != file.digest) {
                outcome.failed = ProjectReplace::changedSinceSearch();
            } else {
                QList<OpenPages::TextEdit> edits;
                for (const SearchMatch &m : matches) {
                    const QRegularExpressionMatch found
                        = expression.match(*text, m.offset, QRegularExpression::NormalMatch,
                                           QRegularExpression::AnchorAtOffsetMatchOption);
                    edits.append(
                        { m.offset, m.length,
                          found.hasMatch() ? query.replacementFor(found) : query.replacement });
                }
                if (m_pages->editOpenPage(file.path, edits))
                    outcome.replaced = edits.size();
                else
                    outcome.failed = QStringLiteral("its tab was closed");
            }
            outcomes << outcome;
            continue;
        }
        outcomes << ProjectReplace::replaceInFile(
            file, matches, expression, query,
            [this](const QString &path, const QStringList &characters) {
                return m_prompter->message(
                    Prompter::Kind::Confirmation,
                    path + QStringLiteral(" is saved as Windows-1252, which cannot hold: ")
                        + characters.join(QLatin1Char(' '))
                        + QStringLiteral(
                            ". Write them as character references (Yes), save the page "
                            "as UTF-8 (No), or Cancel?"),
                    Prompter::Buttons::YesNoCancel);
            });
    }
    return ProjectReplace::summary(outcomes);
}

void ProjectSearchCommands::openResult(const QString &path, int line, int column, int length)
{
    // A match over a line break is selected to the end of its first line.
    if (m_pages)
        m_pages->ShowPageAt(path, line, column, length);
}

} // namespace Tarnwick
