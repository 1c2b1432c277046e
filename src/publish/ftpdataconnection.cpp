// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/ftpdataconnection.h"

#include "publish/winsockerror.h"

#include <QNetworkProxy>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

#include <functional>

namespace Tarnwick {

namespace {

// Bytes read from the file at a time: a whole number of blocks, so that
// progress counts stay block multiples until the last block.
constexpr qint64 ChunkSize = FtpDataConnection::BlockSize * 173;
// More is read only while less than this waits in the socket's buffers.
constexpr qint64 HighWater = ChunkSize;
// Longest wait for the session ticket of a TLS 1.3 server, in milliseconds.
constexpr int TicketWait = 1000;

bool isTlsError(QAbstractSocket::SocketError error)
{
    return error == QAbstractSocket::SslHandshakeFailedError
        || error == QAbstractSocket::SslInternalError
        || error == QAbstractSocket::SslInvalidUserDataError;
}

bool sameHost(const QHostAddress &a, const QHostAddress &b)
{
    return a.isEqual(b, QHostAddress::TolerantConversion);
}

} // namespace

// Hands each incoming descriptor over unwrapped, so the data connection can
// make a TLS socket of it.
class DescriptorServer final : public QTcpServer
{
public:
    std::function<void(qintptr)> onIncoming;

protected:
    void incomingConnection(qintptr descriptor) override { onIncoming(descriptor); }
};

FtpDataConnection::FtpDataConnection(const Security &security, QObject *parent)
    : QObject(parent)
    , m_security(security)
{
    if (m_security.ignoreCertificateErrors)
        m_security.configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
}

FtpDataConnection::~FtpDataConnection()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

void FtpDataConnection::connectTo(const QHostAddress &address, quint16 port)
{
    QTcpSocket *socket = m_security.tls ? new QSslSocket(this) : new QTcpSocket(this);
    adoptSocket(socket);
    connect(socket, &QAbstractSocket::connected, this, &FtpDataConnection::onConnected);
    socket->connectToHost(address, port);
}

quint16 FtpDataConnection::listen(const QHostAddress &local, const QHostAddress &expectedPeer,
                                  int &error)
{
    m_expectedPeer = expectedPeer;
    m_listener = std::make_unique<DescriptorServer>();
    m_listener->setProxy(QNetworkProxy::NoProxy);
    m_listener->onIncoming = [this](qintptr descriptor) { onIncoming(descriptor); };
    if (!m_listener->listen(local, 0)) {
        error = WinsockError::fromSocketError(m_listener->serverError());
        m_listener.reset();
        return 0;
    }
    return m_listener->serverPort();
}

void FtpDataConnection::onIncoming(qintptr descriptor)
{
    QTcpSocket *socket = m_security.tls ? new QSslSocket(this) : new QTcpSocket(this);
    if (m_socket || !socket->setSocketDescriptor(descriptor)
        || !sameHost(socket->peerAddress(), m_expectedPeer)) {
        // Only the server may deliver data for the file it asked for.
        socket->abort();
        socket->deleteLater();
        return;
    }
    m_listener->close();
    adoptSocket(socket);
    onConnected();
}

void FtpDataConnection::adoptSocket(QTcpSocket *socket)
{
    m_socket = socket;
    socket->setProxy(QNetworkProxy::NoProxy);
    connect(socket, &QAbstractSocket::errorOccurred, this, &FtpDataConnection::onError);
    connect(socket, &QAbstractSocket::disconnected, this, &FtpDataConnection::markClosed);
    connect(socket, &QIODevice::bytesWritten, this, &FtpDataConnection::pump);
    if (auto *ssl = qobject_cast<QSslSocket *>(socket)) {
        ssl->setSslConfiguration(m_security.configuration);
        ssl->setPeerVerifyName(m_security.peerVerifyName);
        connect(ssl, &QSslSocket::encrypted, this, &FtpDataConnection::onEncrypted);
        connect(ssl, &QSslSocket::sslErrors, this, [this, ssl] {
            const QByteArray digest = ssl->peerCertificate().digest(QCryptographicHash::Sha256);
            if (!m_security.pinnedSha256.isEmpty() && digest == m_security.pinnedSha256)
                ssl->ignoreSslErrors();
        });
        connect(ssl, &QSslSocket::encryptedBytesWritten, this, &FtpDataConnection::pump);
        connect(ssl, &QSslSocket::newSessionTicketReceived, this, [this] {
            m_ticketSeen = true;
            if (m_closing)
                closeWhenFlushed();
        });
    }
}

void FtpDataConnection::onConnected()
{
    m_connected = true;
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QPointer<FtpDataConnection> self(this);
    emit connected();
    if (!self || !m_socket)
        return;
    if (!m_security.tls)
        onEstablished();
    else if (m_tlsWanted)
        startTls();
}

void FtpDataConnection::startTls()
{
    m_tlsWanted = true;
    auto *ssl = qobject_cast<QSslSocket *>(m_socket.data());
    if (m_connected && ssl && ssl->mode() == QSslSocket::UnencryptedMode && !m_closed)
        ssl->startClientEncryption();
}

void FtpDataConnection::onEncrypted()
{
    auto *ssl = qobject_cast<QSslSocket *>(m_socket.data());
    if (!ssl)
        return;
    // A certificate the system trusts is no excuse for another one than the
    // control connection's accepted certificate: the pin holds for every
    // connection of the session.
    const QByteArray digest = ssl->peerCertificate().digest(QCryptographicHash::Sha256);
    if (!m_security.pinnedSha256.isEmpty() && digest != m_security.pinnedSha256) {
        fail(0,
             QStringLiteral("certificate %1 differs from the accepted certificate %2")
                 .arg(QString::fromLatin1(digest.toHex(':').toUpper()),
                      QString::fromLatin1(m_security.pinnedSha256.toHex(':').toUpper())));
        return;
    }
    onEstablished();
}

void FtpDataConnection::onEstablished()
{
    m_established = true;
    QPointer<FtpDataConnection> self(this);
    emit established();
    if (self)
        pump();
}

void FtpDataConnection::onError()
{
    if (!m_socket || m_closed)
        return;
    const QAbstractSocket::SocketError error = m_socket->error();
    if (m_closing && !m_uploading && error == QAbstractSocket::RemoteHostClosedError)
        return; // the server closed first after getting everything
    const int number = isTlsError(error) ? 0 : WinsockError::fromSocketError(error);
    fail(number, m_socket->errorString());
}

void FtpDataConnection::fail(int winsockError, const QString &detail)
{
    m_uploading = false;
    m_socket->disconnect(this);
    m_socket->abort();
    QPointer<FtpDataConnection> self(this);
    emit failed(winsockError, detail);
    if (self)
        markClosed();
}

void FtpDataConnection::upload(QIODevice *source)
{
    m_source = source;
    m_uploading = true;
    pump();
}

qint64 FtpDataConnection::pendingBytes() const
{
    qint64 pending = m_socket->bytesToWrite();
    if (auto *ssl = qobject_cast<QSslSocket *>(m_socket.data()))
        pending += ssl->encryptedBytesToWrite();
    return pending;
}

void FtpDataConnection::pump()
{
    if (!m_socket)
        return;
    if (m_uploading || m_closing) {
        QPointer<FtpDataConnection> self(this);
        reportWritten();
        if (!self || !m_socket)
            return;
    }
    if (m_closing) {
        closeWhenFlushed();
        return;
    }
    if (!m_uploading || !m_established || m_pumping)
        return;
    m_pumping = true;
    QPointer<FtpDataConnection> self(this);
    while (m_uploading && m_socket && pendingBytes() < HighWater) {
        qint64 want = ChunkSize;
        if (!m_source->isSequential())
            want = qBound<qint64>(1, m_source->size() - m_source->pos(), ChunkSize);
        // A fresh array each time: the socket keeps a reference to it
        // instead of copying it into its buffer.
        QByteArray chunk(want, Qt::Uninitialized);
        const qint64 got = m_source->read(chunk.data(), want);
        if (got < 0) {
            endUpload(UploadEnd::ReadError);
            break;
        }
        if (got == 0) {
            endUpload(UploadEnd::Complete);
            break;
        }
        if (got < want)
            chunk.truncate(got);
        if (m_socket->write(chunk) != got) {
            if (self && m_uploading && m_socket)
                onError();
            break;
        }
        m_handed += got;
    }
    if (self)
        m_pumping = false;
}

// Progress counts what has left for the network, not what the socket took
// into its buffer: the gauge must not stand at 100 % while most of a file
// still waits on this computer. Counts stay whole blocks until the file's
// last bytes have gone.
void FtpDataConnection::reportWritten()
{
    const qint64 written = m_handed - qMin(pendingBytes(), m_handed);
    const qint64 reach = m_closing && written == m_handed ? written : written - written % BlockSize;
    QPointer<FtpDataConnection> self(this);
    bool abort = false;
    while (m_sent < reach && !abort) {
        m_sent = qMin(m_sent + BlockSize, reach);
        emit progress(m_sent, abort);
        if (!self)
            return;
    }
    if (abort && (m_uploading || m_closing))
        endUpload(UploadEnd::Aborted);
}

void FtpDataConnection::endUpload(UploadEnd how)
{
    m_uploading = false;
    QPointer<FtpDataConnection> self(this);
    emit uploadEnded(how);
    if (!self || !m_socket)
        return;
    if (how == UploadEnd::Complete) {
        m_closing = true;
        reportWritten(); // everything may have gone already
        if (!self || !m_socket || !m_closing)
            return;
        closeWhenFlushed();
    } else {
        abort();
    }
}

// The close waits until every byte has gone to the system, and for one turn
// of the event loop so that whatever the server sent is read first: closing
// a socket with unread bytes resets the connection, and a reset makes the
// server drop what of the file it has not read yet.
void FtpDataConnection::closeWhenFlushed()
{
    if (!m_socket || m_closeScheduled || pendingBytes() > 0)
        return;
    // A TLS 1.3 server sends its session tickets once it has our half of
    // the handshake; a quick upload is over before they come, and they
    // would then meet a closed socket and reset the connection.
    auto *ssl = qobject_cast<QSslSocket *>(m_socket.data());
    if (ssl && ssl->sessionProtocol() == QSsl::TlsV1_3 && m_security.expectTicket && !m_ticketSeen
        && !m_ticketWaitOver) {
        if (!m_ticketWaiting) {
            m_ticketWaiting = true;
            QTimer::singleShot(TicketWait, this, [this] {
                m_ticketWaitOver = true;
                closeWhenFlushed();
            });
        }
        return;
    }
    m_closeScheduled = true;
    QTimer::singleShot(0, this, [this] {
        if (!m_socket || m_closed)
            return;
        // A TLS socket reports plain bytes written before it has handed
        // their encrypted form to the system; closing before that loses
        // the file's end.
        if (pendingBytes() > 0) {
            m_closeScheduled = false;
            return;
        }
        m_socket->disconnectFromHost(); // a TLS socket sends its close first
        if (m_socket && m_socket->state() == QAbstractSocket::UnconnectedState)
            markClosed();
    });
}

void FtpDataConnection::abort()
{
    m_uploading = false;
    m_listener.reset();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    markClosed();
}

void FtpDataConnection::markClosed()
{
    if (m_closed)
        return;
    m_closed = true;
    m_listener.reset();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->deleteLater();
        m_socket = nullptr;
    }
    emit closed();
}

} // namespace Tarnwick
