// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

namespace Tarnwick {

// A control connection whose every byte the test decides: for replies no
// real server sends (overlong lines, replies cut into pieces, silence,
// a 227 naming some other host).
class ScriptedFtpServer final : public QObject
{
    Q_OBJECT

public:
    ScriptedFtpServer();

    quint16 port() const { return m_server.serverPort(); }
    // Sent on connection; empty: say nothing.
    QByteArray greeting = "220 Scripted server\r\n";
    // The reply to a command line; empty: no reply.
    std::function<QByteArray(const QString &command)> answer;
    // Writes replies in pieces of this many bytes, one piece per pause.
    int pieceSize = 0;

    void send(const QByteArray &bytes);
    void closeClient();
    QStringList commands; // in the order received
    bool clientConnected() const { return m_client != nullptr; }

private:
    void onConnection();
    void onReadyRead();

    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_pending;
    QList<QByteArray> m_queue;
};

} // namespace Tarnwick
