// SPDX-License-Identifier: GPL-3.0-or-later
#include "filesizelimit.h"

#include <QCoreApplication>
#include <QProcess>

#include <csignal>

namespace Tarnwick {

FileSizeLimit::FileSizeLimit(rlim_t limit)
{
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit tight = m_old;
    tight.rlim_cur = limit;
    m_active = setrlimit(RLIMIT_FSIZE, &tight) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
}

FileSizeLimit::Child FileSizeLimit::runChild(const QStringList &arguments, rlim_t limit)
{
    QProcess process;
    process.setChildProcessModifier([limit] {
        // Between fork and exec: the limit passes on to the program, and SIGXFSZ
        // is at its default, which ends the process, as in a user's shell. The
        // child calls WriteLimit::failWritesInsteadOfEnding() as our programs
        // do, so that a write beyond the limit fails with EFBIG.
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit tight {};
        getrlimit(RLIMIT_FSIZE, &tight);
        tight.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &tight);
    });
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), arguments);
    Child child;
    child.finished
        = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    child.exitCode = process.exitCode();
    child.output = process.readAllStandardOutput();
    return child;
}

} // namespace Tarnwick
