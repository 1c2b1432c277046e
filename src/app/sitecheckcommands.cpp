// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sitecheckcommands.h"

#include "app/openpages.h"
#include "app/projectmenu.h"
#include "app/publishcommands.h"
#include "app/settings.h"
#include "app/sitecheckpane.h"
#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "project/entrytext.h"
#include "project/projectoutline.h"
#include "project/projectpaths.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>

namespace Tarnwick {

// What the check in the background and the window share: the check itself
// is only touched by the thread until it ends.
struct SiteCheckCommands::Run
{
    explicit Run(SiteCheck::Request r)
        : request(r)
        , check(std::move(r))
    {
    }
    SiteCheck::Request request;
    SiteCheck check;
    std::atomic_bool cancelled = false;
    std::atomic<qsizetype> done = 0;
    QList<SiteFinding> found;
};

SiteCheckCommands::SiteCheckCommands(ProjectOutline *outline, OpenPages *pages, Prompter *prompter,
                                     Settings *settings, SiteCheckPane *pane, QObject *parent)
    : QObject(parent)
    , m_outline(outline)
    , m_pages(pages)
    , m_prompter(prompter)
    , m_settings(settings)
    , m_pane(pane)
{
    connect(m_pane, &SiteCheckPane::cancelRequested, this, &SiteCheckCommands::cancel);
    connect(m_pane, &SiteCheckPane::openRequested, this, &SiteCheckCommands::openFinding);
    if (m_pages)
        connect(m_pages, &OpenPages::pageSaved, this, &SiteCheckCommands::pageSaved);
}

SiteCheckCommands *SiteCheckCommands::install(QMainWindow *window, ProjectMenu *menu,
                                              PublishCommands *publish, ProjectOutline *outline,
                                              OpenPages *pages, Prompter *prompter,
                                              Settings *settings)
{
    auto *pane = new SiteCheckPane(window);
    pane->dockIn(window);
    auto *check = new SiteCheckCommands(outline, pages, prompter, settings, pane, window);
    menu->setCommand(ProjectMenu::Command::CheckSite, [check] { check->CheckSiteClick(); });
    publish->setPageCheck([check](const QString &projectDir, const QStringList &sent) {
        return check->checkBeforeSend(projectDir, sent);
    });
    return check;
}

SiteCheckCommands::~SiteCheckCommands()
{
    cancel();
    m_job.wait();
}

SiteCheck::Request SiteCheckCommands::requestFor(const QString &projectDir,
                                                 const QStringList &pages,
                                                 bool fromProjectTree) const
{
    SiteCheck::Request request;
    request.projectDir = projectDir;
    request.pages = pages;
    request.fromProjectTree = fromProjectTree;
    if (m_settings)
        request.pageExtensions = m_settings->Defaults.Extension;
    return request;
}

void SiteCheckCommands::CheckSiteClick()
{
    if (!m_outline || m_outline->selectedLevel() < 1) {
        m_prompter->information(noProjectSelected());
        return;
    }
    const QString directory = m_outline->GetSelectedProjectDir();
    if (!QFileInfo(directory).isDir()) {
        m_prompter->error(QStringLiteral("The project folder %1 does not exist.").arg(directory));
        return;
    }
    const ProjectTree tree = m_outline->tree();
    QStringList pages;
    for (const int row : tree.pageRowsOf(tree.projectRowOf(m_outline->currentRow()))) {
        const QString target = EntryText::EntryTarget(tree.entry(row).text);
        if (!ProjectPaths::isSettingsEntry(target))
            pages << target;
    }
    start(requestFor(directory, pages, true));
}

void SiteCheckCommands::start(const SiteCheck::Request &request)
{
    cancel();
    m_job.wait();
    m_run = std::make_shared<Run>(request);
    m_pane->show();
    m_pane->raise();
    m_pane->setResults(SiteCheckResults(request.projectDir, {}));
    m_pane->setRunning(true);
    m_pane->setProgress(0, request.pages.size());
    std::shared_ptr<Run> run = m_run;
    m_job.start(
        [run, this] {
            const qsizetype total = run->check.pageCount();
            for (qsizetype i = 0; i < total && !run->cancelled; ++i) {
                run->found += run->check.checkPage(i);
                run->done = i + 1;
                QMetaObject::invokeMethod(
                    this,
                    [this, run, i, total] {
                        if (run == m_run)
                            m_pane->setProgress(i + 1, total);
                    },
                    Qt::QueuedConnection);
            }
            if (!run->cancelled)
                run->found += run->check.folderFindings();
        },
        [this] { finish(); });
}

void SiteCheckCommands::finish()
{
    m_pane->setRunning(false);
    m_last = m_run->request;
    m_pane->setResults(SiteCheckResults(m_run->request.projectDir, m_run->found));
    const qsizetype total = m_run->check.pageCount();
    if (m_run->cancelled)
        m_pane->setStatus(
            QStringLiteral("Cancelled after %1 of %2 pages: ").arg(m_run->done).arg(total)
            + m_pane->results().summary());
    else
        m_pane->setStatus(QStringLiteral("%1 pages checked: ").arg(total)
                          + m_pane->results().summary());
    Q_EMIT finished();
}

void SiteCheckCommands::cancel()
{
    if (m_run)
        m_run->cancelled = true;
}

QString SiteCheckCommands::errorsBeforeSend(qsizetype errors)
{
    return QStringLiteral("The site check found %1 in the pages about to be sent.\n\n"
                          "Send them anyway? Choose No to review them in the Site Check pane.")
        .arg(errors == 1 ? QStringLiteral("1 error") : QStringLiteral("%1 errors").arg(errors));
}

bool SiteCheckCommands::checkBeforeSend(const QString &projectDir, const QStringList &pages)
{
    if (pages.isEmpty())
        return true;
    SiteCheck::Request request = requestFor(projectDir, pages, false);
    request.orphans = false;
    QList<SiteFinding> found;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        found = SiteCheck::run(request);
        QGuiApplication::restoreOverrideCursor();
    }
    const qsizetype errors = SiteCheck::count(found, SiteFinding::Severity::Error);
    if (errors == 0)
        return true;
    if (m_prompter->message(Prompter::Kind::Confirmation, errorsBeforeSend(errors),
                            Prompter::Buttons::YesNo)
        == Prompter::Answer::Yes)
        return true;
    if (m_job.running())
        cancel();
    m_last = request;
    m_pane->show();
    m_pane->raise();
    m_pane->setResults(SiteCheckResults(projectDir, found));
    m_pane->setStatus(QStringLiteral("%1 pages about to be sent: ").arg(pages.size())
                      + m_pane->results().summary());
    return false;
}

void SiteCheckCommands::pageSaved(const QString &path)
{
    if (!m_last || m_job.running())
        return;
    const std::optional<QString> relative = m_pane->results().relativePath(path);
    if (!relative)
        return;
    SiteCheck check(*m_last);
    const QDir project(m_last->projectDir);
    for (qsizetype i = 0; i < m_last->pages.size(); ++i) {
        if (QDir::cleanPath(project.absoluteFilePath(m_last->pages.at(i)))
            == QDir::cleanPath(QFileInfo(path).absoluteFilePath())) {
            m_pane->replacePage(*relative, check.checkPage(i));
            return;
        }
    }
}

void SiteCheckCommands::openFinding(const QString &path, int line, int column)
{
    if (m_pages)
        m_pages->ShowPageAt(path, line, column);
}

} // namespace Tarnwick
