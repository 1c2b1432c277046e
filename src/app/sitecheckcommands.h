// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/backgroundjob.h"
#include "check/sitecheck.h"

#include <QObject>

class QMainWindow;
#include <QStringList>

#include <atomic>
#include <memory>
#include <optional>

namespace Tarnwick {

class OpenPages;
class ProjectMenu;
class PublishCommands;
class ProjectOutline;
class Prompter;
class Settings;
class SiteCheckPane;

// Check Site: the whole project of the selected tree entry is checked in the
// background while the window stays in use, its findings go to the findings
// pane, a double click there opens the page at the place, and a page checked
// before is checked again when it is saved. The FTP Vaza Ded asks it about
// the pages it is about to send.
class SiteCheckCommands final : public QObject
{
    Q_OBJECT

public:
    SiteCheckCommands(ProjectOutline *outline, OpenPages *pages, Prompter *prompter,
                      Settings *settings, SiteCheckPane *pane, QObject *parent = nullptr);
    ~SiteCheckCommands() override;

    // The check in a main window: its pane docked there, Check Site on the
    // project menus, and the check of the pages the FTP Vaza Ded sends.
    static SiteCheckCommands *install(QMainWindow *window, ProjectMenu *menu,
                                      PublishCommands *publish, ProjectOutline *outline,
                                      OpenPages *pages, Prompter *prompter, Settings *settings);

    // Checks the project of the selected entry; a check still running is stopped first.
    void CheckSiteClick();
    // The check of the given project and pages, in the background.
    void start(const SiteCheck::Request &request);
    bool running() const { return m_job.running(); }
    void cancel();

    // Before a send: checks the pages (targets below projectDir) and, when
    // errors are found, asks whether to send anyway. False: the user would
    // rather review them, which the pane then shows.
    bool checkBeforeSend(const QString &projectDir, const QStringList &pages);

    // A page saved: its findings are brought up to date when the pane holds its project's.
    void pageSaved(const QString &path);
    // Opens the page (its tab when it is open) with the caret at the place.
    void openFinding(const QString &path, int line, int column);

    SiteCheckPane *pane() const { return m_pane; }

    // The request for a project: the tree's pages, the settings' page extensions.
    SiteCheck::Request requestFor(const QString &projectDir, const QStringList &pages,
                                  bool fromProjectTree) const;

    static QString errorsBeforeSend(qsizetype errors);
    static QString noProjectSelected()
    {
        return QStringLiteral("Select a project or one of its pages in the project tree to check "
                              "its site.");
    }

Q_SIGNALS:
    void finished(); // a background check ended, done or cancelled

private:
    struct Run;
    void finish();

    ProjectOutline *m_outline;
    OpenPages *m_pages;
    Prompter *m_prompter;
    Settings *m_settings;
    SiteCheckPane *m_pane;
    BackgroundJob m_job;
    std::shared_ptr<Run> m_run;
    std::optional<SiteCheck::Request> m_last; // of the findings the pane shows
};

} // namespace Tarnwick
