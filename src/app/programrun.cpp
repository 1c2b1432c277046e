// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programrun.h"

#include "app/crashrecovery.h"
#include "app/mainwindow.h"
#include "app/programdirectory.h"
#include "app/sessionfile.h"
#include "platform/prompter.h"

namespace Tarnwick {

ProgramRun::ProgramRun(const QString &homeOption, Prompter *prompter, Settings *settings)
    : m_home(ProgramDirectory::resolve(homeOption))
{
    if (const Result prepared
        = ProgramDirectory::prepare(m_home, ProgramDirectory::installedDataDirectory());
        !prepared)
        prompter->warning(prepared.error());
    m_session = std::make_unique<SessionFile>(m_home);
    m_window = std::make_unique<MainWindow>(m_home, settings, prompter);
    m_recovery = std::make_unique<CrashRecovery>(m_session.get(), m_window->openPages(), prompter);
    QObject::connect(m_recovery.get(), &CrashRecovery::statusText, m_window.get(),
                     [this](const QString &text) { m_window->showStatusText(text); });
    // Before the window shows: opening a page may rewrite the backups.
    m_recovery->collect();
}

ProgramRun::~ProgramRun() = default;

bool ProgramRun::hasLeftOvers() const
{
    return !m_recovery->leftOvers().isEmpty();
}

void ProgramRun::start(const QStringList &files)
{
    m_window->show();
    m_window->openFiles(files);
    m_recovery->offer();
    m_recovery->track();
}

void ProgramRun::finish()
{
    m_recovery->finish();
}

} // namespace Tarnwick
