// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/tcustomftpcli.h"

#include <QElapsedTimer>

namespace Tarnwick {

// The FTP client the publishing dialog drives: each operation starts its
// request and runs the event loop until the request has ended, failed or
// timed out. Returns true when the request ended without error; otherwise
// ErrorMessage says why. While an operation waits, other events (the
// owner's buttons and the client's own signals) keep running, and an
// OnRequestDone handler may start the next operation.
class TFtpClient final : public TCustomFtpCli
{
    Q_OBJECT

public:
    explicit TFtpClient(QObject *parent = nullptr);
    ~TFtpClient() override;

    // Seconds without progress before an operation gives up; 0: no limit.
    int Timeout() const { return m_timeout; }
    void SetTimeout(int seconds) { m_timeout = seconds; }
    // Only the single-threaded mode exists: the wait runs the event loop.
    bool MultiThreaded() const { return m_multiThreaded; }
    void SetMultiThreaded(bool value) { m_multiThreaded = value; }

    bool Connect();
    bool User();
    bool Pass();
    bool Cwd();
    bool Pwd();
    bool Mkd();
    bool TypeSet();
    bool Put();
    bool Quit();
    bool Size();

protected:
    void requestFinished(quint64 serial, TFtpRequest request, int error) override;
    void userAnswered() override { m_lastActivity.start(); }

private:
    struct Wait;
    bool run(bool (TCustomFtpCli::*start)());

    int m_timeout = 15;
    bool m_multiThreaded = false;
    Wait *m_wait = nullptr;
    QElapsedTimer m_lastActivity;
};

} // namespace Tarnwick
