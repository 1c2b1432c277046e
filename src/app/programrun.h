// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace Tarnwick {

class CrashRecovery;
class MainWindow;
class Prompter;
class SessionFile;
class Settings;

// One run of the program: prepares the Tarnwick home, builds the main window,
// keeps the session file of the open pages and offers back what a run that
// did not end cleanly left in page backups.
class ProgramRun final
{
public:
    // homeOption as --home gives it ("" for the default home).
    ProgramRun(const QString &homeOption, Prompter *prompter, Settings *settings);
    ~ProgramRun();
    ProgramRun(const ProgramRun &) = delete;
    ProgramRun &operator=(const ProgramRun &) = delete;

    MainWindow &window() const { return *m_window; }
    QString home() const { return m_home; }
    // The last run left text to offer back; its questions come in start().
    bool hasLeftOvers() const;

    // Shows the window, opens the files (not in a project), asks about what
    // the last run left, and from then on lists the open pages.
    void start(const QStringList &files);
    // After the event loop: a run that closed all its pages ended cleanly.
    void finish();

private:
    QString m_home;
    std::unique_ptr<SessionFile> m_session;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<CrashRecovery> m_recovery;
};

} // namespace Tarnwick
