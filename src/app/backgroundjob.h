// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QThread;

namespace Tarnwick {

// One piece of work at a time on a thread of its own, for commands that keep
// the window in use while they run (the site check, Find in Project). A new
// start waits for the work before it; done runs on the owner's thread when
// the work has ended, and never for work that a newer start replaced. The
// work itself looks at its own cancel flag.
class BackgroundJob final : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundJob(QObject *parent = nullptr);
    ~BackgroundJob() override; // waits for the work

    // stopRunning is called before waiting for work still running, to make it end soon.
    void start(std::function<void()> work, std::function<void()> done,
               const std::function<void()> &stopRunning = {});
    bool running() const { return m_thread != nullptr; }
    // Waits for the running work, if any; its done is not run.
    void wait();

private:
    QThread *m_thread = nullptr;
    quint64 m_generation = 0; // of the latest start
};

} // namespace Tarnwick
