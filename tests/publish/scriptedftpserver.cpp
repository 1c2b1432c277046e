// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptedftpserver.h"

#include <QTimer>

namespace Tarnwick {

ScriptedFtpServer::ScriptedFtpServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedFtpServer::onConnection);
}

void ScriptedFtpServer::onConnection()
{
    QTcpSocket *client = m_server.nextPendingConnection();
    if (m_client) {
        client->abort();
        return;
    }
    m_client = client;
    client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(client, &QIODevice::readyRead, this, &ScriptedFtpServer::onReadyRead);
    send(greeting);
}

void ScriptedFtpServer::send(const QByteArray &bytes)
{
    if (!m_client || bytes.isEmpty())
        return;
    if (pieceSize <= 0) {
        m_client->write(bytes);
        return;
    }
    const bool idle = m_queue.isEmpty();
    for (qsizetype at = 0; at < bytes.size(); at += pieceSize)
        m_queue.append(bytes.mid(at, pieceSize));
    if (!idle)
        return;
    // One piece per pause, so that each arrives in a packet of its own.
    auto *timer = new QTimer(this);
    timer->setInterval(15);
    connect(timer, &QTimer::timeout, this, [this, timer] {
        if (m_queue.isEmpty() || !m_client) {
            m_queue.clear();
            timer->deleteLater();
            return;
        }
        m_client->write(m_queue.takeFirst());
        m_client->flush();
    });
    timer->start();
}

void ScriptedFtpServer::closeClient()
{
    if (m_client)
        m_client->disconnectFromHost();
}

void ScriptedFtpServer::onReadyRead()
{
    m_pending += m_client->readAll();
    qsizetype end;
    while ((end = m_pending.indexOf("\r\n")) >= 0) {
        const QString line = QString::fromUtf8(m_pending.first(end));
        m_pending.remove(0, end + 2);
        commands.append(line);
        if (answer)
            send(answer(line));
        if (!m_client)
            return;
    }
}

} // namespace Tarnwick
