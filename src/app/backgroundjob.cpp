// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/backgroundjob.h"

#include <QThread>

namespace Tarnwick {

BackgroundJob::BackgroundJob(QObject *parent)
    : QObject(parent)
{
}

BackgroundJob::~BackgroundJob()
{
    wait();
}

void BackgroundJob::wait()
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

void BackgroundJob::start(std::function<void()> work, std::function<void()> done,
                          const std::function<void()> &stopRunning)
{
    if (m_thread && stopRunning)
        stopRunning();
    wait();
    m_thread = QThread::create(std::move(work));
    const quint64 generation = ++m_generation;
    // "finished" comes as the work returns, a moment before the thread ends;
    // the end of work a newer start replaced is not this work's end.
    connect(m_thread, &QThread::finished, this, [this, generation, done = std::move(done)] {
        if (generation != m_generation || !m_thread)
            return;
        wait();
        if (done)
            done();
    });
    m_thread->start(QThread::LowPriority);
}

} // namespace Tarnwick
