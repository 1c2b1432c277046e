// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/tftpclient.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace Tarnwick {

struct TFtpClient::Wait
{
    quint64 serial = 0;
    bool done = false;
    int error = 0;
    QEventLoop loop;
};

TFtpClient::TFtpClient(QObject *parent)
    : TCustomFtpCli(parent)
{
    // The limit is on inactivity: every block sent restarts the clock.
    connect(this, &TCustomFtpCli::OnProgress, this, [this] { m_lastActivity.start(); });
}

TFtpClient::~TFtpClient()
{
    if (m_wait)
        m_wait->loop.quit();
}

bool TFtpClient::Connect()
{
    return run(&TCustomFtpCli::StartConnect);
}

bool TFtpClient::User()
{
    return run(&TCustomFtpCli::StartUser);
}

bool TFtpClient::Pass()
{
    return run(&TCustomFtpCli::StartPass);
}

bool TFtpClient::Cwd()
{
    return run(&TCustomFtpCli::StartCwd);
}

bool TFtpClient::Pwd()
{
    return run(&TCustomFtpCli::StartPwd);
}

bool TFtpClient::Mkd()
{
    return run(&TCustomFtpCli::StartMkd);
}

bool TFtpClient::TypeSet()
{
    return run(&TCustomFtpCli::StartTypeSet);
}

bool TFtpClient::Put()
{
    return run(&TCustomFtpCli::StartPut);
}

bool TFtpClient::Size()
{
    return run(&TCustomFtpCli::StartSize);
}

bool TFtpClient::Quit()
{
    return run(&TCustomFtpCli::StartQuit);
}

bool TFtpClient::run(bool (TCustomFtpCli::*start)())
{
    if (!(this->*start)())
        return false;
    Wait wait;
    wait.serial = requestSerial();
    Wait *outer = m_wait;
    m_wait = &wait;
    bool timedOut = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &wait.loop, [&] {
        if (askingUser())
            m_lastActivity.start();
        const qint64 left = qint64(m_timeout) * 1000 - m_lastActivity.elapsed();
        if (left > 0) {
            deadline.start(int(left));
        } else {
            timedOut = true;
            wait.loop.quit();
        }
    });
    m_lastActivity.start();
    if (m_timeout > 0)
        deadline.start(m_timeout * 1000);

    QPointer<TFtpClient> self(this);
    if (!wait.done)
        wait.loop.exec();
    if (!self)
        return false;
    if (m_wait == &wait)
        m_wait = outer;
    if (!wait.done) {
        // Timed out, or the application is ending.
        Q_UNUSED(timedOut);
        AbortRequest(426, QStringLiteral("426 Timeout"));
        return false;
    }
    return wait.error == 0;
}

void TFtpClient::requestFinished(quint64 serial, TFtpRequest request, int error)
{
    if (m_wait && m_wait->serial == serial) {
        m_wait->done = true;
        m_wait->error = error;
        m_wait->loop.quit();
        m_wait = nullptr;
    }
    TCustomFtpCli::requestFinished(serial, request, error);
}

} // namespace Tarnwick
