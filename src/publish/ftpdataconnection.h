// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>

#include <memory>

class QIODevice;
class QTcpSocket;

namespace Tarnwick {

class DescriptorServer;

// The data connection of one transfer: made to the server (passive) or
// accepted from it (active), protected by TLS when asked, and fed from a
// local file. It reports progress once per block of BlockSize bytes written
// to the network, but reads the file and hands bytes to the socket in large
// chunks so that a big upload costs few system calls.
class FtpDataConnection final : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 BlockSize = 1514;

    struct Security
    {
        bool tls = false;
        QSslConfiguration configuration; // carries the control connection's session
        QString peerVerifyName;
        bool ignoreCertificateErrors = false;
        // The control connection's accepted certificate: when set, the only
        // one a data connection takes, whether the system trusts another or not.
        QByteArray pinnedSha256;
        // TLS 1.3 servers send session tickets after the handshake; the
        // close waits for one (see closeWhenFlushed).
        bool expectTicket = true;
    };

    enum class UploadEnd { Complete, Aborted, ReadError };
    Q_ENUM(UploadEnd)

    explicit FtpDataConnection(const Security &security, QObject *parent = nullptr);
    ~FtpDataConnection() override;

    // Passive: connect to the server's data port.
    void connectTo(const QHostAddress &address, quint16 port);
    // Active: listen on local for one connection from expectedPeer (others
    // are turned away). Returns the port, or 0 with the Winsock number of
    // the failure in error.
    quint16 listen(const QHostAddress &local, const QHostAddress &expectedPeer, int &error);

    // Starts the TLS handshake once the connection is up. Some servers
    // drop a data connection whose handshake begins before they have
    // accepted the transfer command, so the caller says when.
    void startTls();
    // Sends everything source holds, then closes the connection (with a TLS
    // close first). Starts as soon as the connection is established.
    void upload(QIODevice *source);
    // Bytes that have left for the network (what progress reported last).
    qint64 bytesSent() const { return m_sent; }
    // Drops the connection at once, without a TLS close: the peer must not
    // take what it got for a complete file.
    void abort();
    bool isConnected() const { return m_connected; }
    bool isClosed() const { return m_closed; }
    // False when a TLS 1.3 connection ended without the server sending a
    // session ticket: later connections need not wait for one.
    bool ticketAsExpected() const { return !m_ticketWaitOver || m_ticketSeen; }

Q_SIGNALS:
    void connected(); // TCP connection up
    void established(); // ready for data (TLS handshake done when asked)
    // winsockError 0: a TLS failure described by detail.
    void failed(int winsockError, const QString &detail);
    void progress(qint64 count, bool &abort);
    void uploadEnded(Tarnwick::FtpDataConnection::UploadEnd how);
    void closed();

private:
    void adoptSocket(QTcpSocket *socket);
    void onIncoming(qintptr descriptor);
    void onConnected();
    void onEncrypted();
    void onEstablished();
    void onError();
    void fail(int winsockError, const QString &detail);
    void pump();
    void reportWritten();
    qint64 pendingBytes() const;
    void endUpload(UploadEnd how);
    void closeWhenFlushed();
    void markClosed();

    Security m_security;
    QHostAddress m_expectedPeer;
    std::unique_ptr<DescriptorServer> m_listener;
    QPointer<QTcpSocket> m_socket;
    QIODevice *m_source = nullptr;
    qint64 m_handed = 0; // bytes given to the socket
    qint64 m_sent = 0; // of those, bytes written to the network and reported
    bool m_connected = false;
    bool m_established = false;
    bool m_tlsWanted = false;
    bool m_uploading = false;
    bool m_pumping = false;
    bool m_closing = false;
    bool m_closeScheduled = false;
    bool m_ticketSeen = false;
    bool m_ticketWaitOver = false;
    bool m_ticketWaiting = false;
    bool m_closed = false;
};

} // namespace Tarnwick
