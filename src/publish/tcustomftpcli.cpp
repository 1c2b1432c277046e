// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/tcustomftpcli.h"

#include "publish/ftpaddress.h"
#include "publish/ftpdataconnection.h"
#include "publish/winsockerror.h"

#include <QFile>
#include <QNetworkProxy>
#include <QSslSocket>
#include <QTimer>

namespace Tarnwick {

namespace {

bool isTlsError(QAbstractSocket::SocketError error)
{
    return error == QAbstractSocket::SslHandshakeFailedError
        || error == QAbstractSocket::SslInternalError
        || error == QAbstractSocket::SslInvalidUserDataError;
}

// "ftp" or a number; 0 when neither.
quint16 servicePort(const QString &port)
{
    const QString name = port.trimmed();
    if (name.compare(QLatin1String("ftp"), Qt::CaseInsensitive) == 0)
        return 21;
    bool ok = false;
    const uint number = name.toUInt(&ok);
    return ok && number > 0 && number <= 65535 ? static_cast<quint16>(number) : 0;
}

QString dataConnectionError(int number)
{
    return QStringLiteral("Unable to establish data connection, error #") + QString::number(number);
}

} // namespace

TCustomFtpCli::TCustomFtpCli(QObject *parent)
    : QObject(parent)
{
}

TCustomFtpCli::~TCustomFtpCli()
{
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    m_data.reset();
    if (m_control) {
        m_control->disconnect(this);
        m_control->abort();
    }
}

bool TCustomFtpCli::Connected() const
{
    return m_control && m_control->state() == QAbstractSocket::ConnectedState;
}

bool TCustomFtpCli::refuse(const QString &message)
{
    m_errorMessage = message;
    return false;
}

bool TCustomFtpCli::canStart(bool needsConnection)
{
    if (m_state != TFtpState::Ready && m_state != TFtpState::InternalReady)
        return refuse(QStringLiteral("FTP component not ready"));
    if (needsConnection && !Connected())
        return refuse(QStringLiteral("FTP component not connected"));
    return true;
}

// A line break in an argument would end the command early and let the rest
// go to the server as a command of its own.
bool TCustomFtpCli::refuseLineBreak(const QString &name, const QString &value)
{
    if (value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')))
        return refuse(name + QStringLiteral(" contains CR or LF"));
    return true;
}

void TCustomFtpCli::begin(TFtpRequest request)
{
    ++m_serial;
    m_request = request;
    m_errorMessage.clear();
}

void TCustomFtpCli::setState(TFtpState state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit OnStateChange(state);
}

bool TCustomFtpCli::StartConnect()
{
    if (m_state != TFtpState::Ready && m_state != TFtpState::InternalReady)
        return refuse(QStringLiteral("FTP component not ready"));
    if (m_control)
        return refuse(QStringLiteral("FTP component already connected"));
    if (!refuseLineBreak(QStringLiteral("UserName"), m_userName)
        || !refuseLineBreak(QStringLiteral("PassWord"), m_passWord))
        return false;
    begin(TFtpRequest::Connect);
    m_acceptedDigest.clear();
    m_reader.reset();
    m_dataProtected = false;
    m_controlPort = servicePort(m_port);
    if (m_controlPort == 0) {
        fail(500, WinsockError::replyText(10022));
        return true;
    }
    if (m_tls && !QSslSocket::supportsSsl()) {
        fail(500, QStringLiteral("500 TLS is not available on this system"));
        return true;
    }
    const QHostAddress address(m_hostName.trimmed());
    if (!address.isNull()) {
        connectControl(address, m_controlPort);
        return true;
    }
    m_step = Step::Lookup;
    setState(TFtpState::DnsLookup);
    m_lookupId = QHostInfo::lookupHost(m_hostName.trimmed(), this, &TCustomFtpCli::onHostFound);
    return true;
}

void TCustomFtpCli::onHostFound(const QHostInfo &info)
{
    if (info.lookupId() != m_lookupId)
        return;
    m_lookupId = -1;
    if (m_step != Step::Lookup)
        return;
    if (info.error() != QHostInfo::NoError) {
        fail(500, WinsockError::replyText(WinsockError::fromLookupError(info.error())));
        return;
    }
    const QList<QHostAddress> addresses = info.addresses();
    if (addresses.isEmpty()) {
        fail(500, WinsockError::replyText(11004));
        return;
    }
    // IPv4 first: PORT can only name an IPv4 address.
    QHostAddress chosen = addresses.first();
    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            chosen = address;
            break;
        }
    }
    connectControl(chosen, m_controlPort);
}

void TCustomFtpCli::connectControl(const QHostAddress &address, quint16 port)
{
    QTcpSocket *socket = nullptr;
    if (m_tls) {
        auto *ssl = new QSslSocket(this);
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        // Keeps the session so that data connections can resume it.
        configuration.setSslOption(QSsl::SslOptionDisableSessionPersistence, false);
        if (m_ignoreCertificateErrors)
            configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
        ssl->setSslConfiguration(configuration);
        // The handshake waits while the user is asked about an untrusted
        // certificate, outside the socket's own handling.
        ssl->setPauseMode(QAbstractSocket::PauseOnSslErrors);
        ssl->setPeerVerifyName(m_hostName.trimmed());
        connect(ssl, &QSslSocket::encrypted, this, &TCustomFtpCli::onControlEncrypted);
        connect(ssl, &QSslSocket::sslErrors, this, &TCustomFtpCli::onControlSslErrors);
        socket = ssl;
    } else {
        socket = new QTcpSocket(this);
    }
    m_control = socket;
    socket->setProxy(QNetworkProxy::NoProxy);
    connect(socket, &QAbstractSocket::connected, this, &TCustomFtpCli::onControlConnected);
    connect(socket, &QIODevice::readyRead, this, &TCustomFtpCli::onControlReadyRead);
    connect(socket, &QAbstractSocket::errorOccurred, this, &TCustomFtpCli::onControlError);
    connect(socket, &QAbstractSocket::disconnected, this, &TCustomFtpCli::onControlDisconnected);
    m_step = Step::Connecting;
    setState(TFtpState::WaitingResponse);
    socket->connectToHost(address, port);
}

void TCustomFtpCli::onControlConnected()
{
    m_control->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    setState(TFtpState::Connected);
    emit OnSessionConnected(0);
    if (m_step != Step::Connecting)
        return;
    m_step = Step::Banner;
    m_accepted = { 220 };
    setState(TFtpState::WaitingBanner);
}

void TCustomFtpCli::onControlEncrypted()
{
    if (m_step == Step::Handshake)
        sendUser();
}

void TCustomFtpCli::onControlSslErrors(const QList<QSslError> &errors)
{
    auto *ssl = qobject_cast<QSslSocket *>(m_control.data());
    if (!ssl || m_ignoreCertificateErrors)
        return; // no verification: the handshake goes on by itself
    const QByteArray digest = ssl->peerCertificate().digest(QCryptographicHash::Sha256);
    if (!m_trustedDigest.isEmpty() && digest == m_trustedDigest) {
        m_acceptedDigest = digest;
        ssl->ignoreSslErrors();
        return;
    }
    QPointer<QSslSocket> socket(ssl);
    QMetaObject::invokeMethod(
        this,
        [this, socket, errors] {
            if (socket && socket == m_control)
                askAboutCertificate(errors);
        },
        Qt::QueuedConnection);
}

void TCustomFtpCli::askAboutCertificate(const QList<QSslError> &errors)
{
    QPointer<QSslSocket> ssl(qobject_cast<QSslSocket *>(m_control.data()));
    if (!ssl)
        return;
    const QByteArray digest = ssl->peerCertificate().digest(QCryptographicHash::Sha256);
    QStringList texts;
    for (const QSslError &e : errors)
        texts << e.errorString();
    bool accept = false;
    if (m_trustedDigest.isEmpty()) {
        m_askingUser = true;
        emit OnCertificateQuestion(m_hostName.trimmed(), digest, texts, accept);
        m_askingUser = false;
        userAnswered();
    }
    if (!ssl || ssl != m_control)
        return;
    if (!accept) {
        const QString message = QStringLiteral("500 TLS error: certificate not trusted (")
            + texts.join(QStringLiteral("; ")) + QLatin1Char(')');
        emit OnDisplay(QLatin1String("! ") + message);
        failAndClose(500, message);
        return;
    }
    m_acceptedDigest = digest;
    ssl->ignoreSslErrors();
    ssl->resume();
}

void TCustomFtpCli::onControlReadyRead()
{
    if (!m_control)
        return;
    const QByteArray bytes = m_control->readAll();
    const QList<FtpReplyReader::Line> lines = m_reader.feed(bytes);
    QPointer<TCustomFtpCli> self(this);
    for (const FtpReplyReader::Line &line : lines) {
        emit OnDisplay(QLatin1String("< ") + line.text);
        if (!self)
            return;
        if (line.endsReply)
            handleReply(line.code, line.text);
        if (!self || !m_control)
            return;
    }
}

void TCustomFtpCli::onControlError()
{
    if (!m_control)
        return;
    const QAbstractSocket::SocketError error = m_control->error();
    if (error == QAbstractSocket::RemoteHostClosedError)
        return; // reported by onControlDisconnected
    QString message;
    if (isTlsError(error))
        message = QStringLiteral("500 TLS error: ") + m_control->errorString();
    else
        message = WinsockError::replyText(WinsockError::fromSocketError(error));
    closeControl(false);
    if (m_request != TFtpRequest::None) {
        emit OnDisplay(QLatin1String("! ") + message);
        fail(500, message);
    }
}

void TCustomFtpCli::onControlDisconnected()
{
    closeControl(false);
    if (m_request != TFtpRequest::None) {
        const QString message = WinsockError::replyText(10054);
        emit OnDisplay(QLatin1String("! ") + message);
        fail(500, message);
    }
}

void TCustomFtpCli::closeControl(bool graceful)
{
    QTcpSocket *socket = m_control;
    if (!socket)
        return;
    m_control = nullptr;
    socket->disconnect(this);
    if (graceful && socket->state() == QAbstractSocket::ConnectedState) {
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(5000, socket, &QObject::deleteLater);
        socket->disconnectFromHost();
    } else {
        socket->abort();
        socket->deleteLater();
    }
    m_dataProtected = false;
    m_dataTickets = true;
    emit OnSessionClosed(0);
}

void TCustomFtpCli::sendCommand(const QString &command, Step step, QList<int> accepted)
{
    m_step = step;
    m_accepted = std::move(accepted);
    setState(TFtpState::WaitingResponse);
    const QString shown
        = command.startsWith(QLatin1String("PASS ")) ? QStringLiteral("PASS ****") : command;
    emit OnDisplay(QLatin1String("> ") + shown);
    emit OnCommand(shown);
    if (m_control)
        m_control->write(command.toUtf8() + "\r\n");
}

bool TCustomFtpCli::accepted(int code) const
{
    return m_accepted.isEmpty() ? code < 500 : m_accepted.contains(code);
}

void TCustomFtpCli::finish(int error, const QString &message)
{
    const TFtpRequest request = m_request;
    const quint64 serial = m_serial;
    if (error != 0)
        m_errorMessage = message;
    releaseTransfer();
    m_request = TFtpRequest::None;
    m_step = Step::None;
    m_accepted.clear();
    setState(TFtpState::Ready);
    // From the event loop: the caller may be deep inside a socket's signal,
    // where a handler that waits for the next reply would never see it.
    QMetaObject::invokeMethod(
        this, [this, serial, request, error] { requestFinished(serial, request, error); },
        Qt::QueuedConnection);
}

void TCustomFtpCli::requestFinished(quint64, TFtpRequest request, int error)
{
    emit OnRequestDone(request, error);
}

void TCustomFtpCli::fail(int error, const QString &message)
{
    finish(error, message);
}

void TCustomFtpCli::failAndClose(int error, const QString &message)
{
    closeControl(false);
    fail(error, message);
}

void TCustomFtpCli::AbortRequest(int error, const QString &message)
{
    if (m_request == TFtpRequest::None)
        return;
    setState(TFtpState::Abort);
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    if (m_data)
        m_data->abort();
    closeControl(false);
    fail(error, message);
}

void TCustomFtpCli::handleReply(int code, const QString &line)
{
    m_statusCode = code;
    m_lastResponse = line;
    emit OnResponse(line);
    const bool ok = accepted(code);
    switch (m_step) {
    case Step::None:
    case Step::Lookup:
    case Step::Connecting:
    case Step::Handshake:
        return; // nothing asked for it
    case Step::Banner:
        if (!ok)
            failAndClose(code, line);
        else if (m_tls)
            sendCommand(QStringLiteral("AUTH TLS"), Step::Auth, { 234 });
        else
            sendUser();
        return;
    case Step::Auth:
        if (!ok) {
            // Never fall back to plain text: the password would go in clear.
            failAndClose(code, line);
            return;
        }
        m_step = Step::Handshake;
        m_reader.reset();
        if (auto *ssl = qobject_cast<QSslSocket *>(m_control.data()))
            ssl->startClientEncryption();
        return;
    case Step::User:
        if (!ok)
            fail(code, line);
        else if (code == 230)
            loggedIn();
        else if (m_request == TFtpRequest::Connect && !m_passWord.isEmpty())
            sendCommand(QLatin1String("PASS ") + m_passWord, Step::Pass, { 230 });
        else
            finish(0);
        return;
    case Step::Pass:
        if (ok)
            loggedIn();
        else
            fail(code, line);
        return;
    case Step::Pbsz:
        if (ok)
            sendCommand(QStringLiteral("PROT P"), Step::Prot, { 200 });
        else
            fail(code, line);
        return;
    case Step::Prot:
        if (ok) {
            m_dataProtected = true;
            finish(0);
        } else {
            fail(code, line);
        }
        return;
    case Step::Command:
        if (ok && m_request == TFtpRequest::Size) {
            // "213 <decimal size>"
            bool number = false;
            const qint64 size = line.mid(4).trimmed().toLongLong(&number);
            m_remoteSize = number && size >= 0 ? size : -1;
        }
        if (ok)
            finish(0);
        else
            fail(code, line);
        return;
    case Step::DataSetup:
        if (!ok) {
            if (m_data)
                m_data->abort();
            fail(code, line);
            return;
        }
        if (m_passive) {
            const auto port = FtpAddress::passivePort(line);
            if (!port) {
                const QString message = dataConnectionError(10022);
                emit OnDisplay(QLatin1String("! ") + message);
                fail(550, message);
                return;
            }
            // Whatever address the reply names: only the server we talk to
            // gets the data.
            m_data->connectTo(m_control->peerAddress(), *port);
        } else {
            sendCommand(QLatin1String("STOR ") + m_hostFileName, Step::Stor, { 125, 150 });
            m_storSent = true;
            QTimer::singleShot(2000, m_data.get(), &FtpDataConnection::startTls);
        }
        return;
    case Step::Stor:
        onStorReply(code, line);
        return;
    case Step::Quit: {
        closeControl(true);
        if (ok)
            finish(0);
        else
            fail(code, line);
        return;
    }
    }
}

void TCustomFtpCli::sendUser()
{
    if (m_userName.isEmpty()) {
        finish(0);
        return;
    }
    sendCommand(QLatin1String("USER ") + m_userName, Step::User, { 331, 230 });
}

void TCustomFtpCli::loggedIn()
{
    auto *ssl = qobject_cast<QSslSocket *>(m_control.data());
    if (m_tls && ssl && ssl->isEncrypted() && !m_dataProtected)
        sendCommand(QStringLiteral("PBSZ 0"), Step::Pbsz, { 200 });
    else
        finish(0);
}

bool TCustomFtpCli::StartUser()
{
    if (!canStart(false))
        return false;
    if (m_userName.isEmpty())
        return refuse(QStringLiteral("UserName emtpy"));
    if (!refuseLineBreak(QStringLiteral("UserName"), m_userName))
        return false;
    if (!Connected())
        return refuse(QStringLiteral("FTP component not connected"));
    begin(TFtpRequest::User);
    sendCommand(QLatin1String("USER ") + m_userName, Step::User, { 331, 230 });
    return true;
}

bool TCustomFtpCli::StartPass()
{
    if (!canStart(false))
        return false;
    if (m_passWord.isEmpty())
        return refuse(QStringLiteral("Password emtpy"));
    if (!refuseLineBreak(QStringLiteral("PassWord"), m_passWord))
        return false;
    if (!Connected())
        return refuse(QStringLiteral("FTP component not connected"));
    begin(TFtpRequest::Pass);
    sendCommand(QLatin1String("PASS ") + m_passWord, Step::Pass, { 230 });
    return true;
}

bool TCustomFtpCli::StartCwd()
{
    if (!canStart(false))
        return false;
    if (m_hostDirName.isEmpty())
        return refuse(QStringLiteral("HostDirName emtpy"));
    if (!refuseLineBreak(QStringLiteral("HostDirName"), m_hostDirName))
        return false;
    if (!Connected())
        return refuse(QStringLiteral("FTP component not connected"));
    begin(TFtpRequest::Cwd);
    sendCommand(QLatin1String("CWD ") + m_hostDirName, Step::Command, { 200, 250, 257 });
    return true;
}

bool TCustomFtpCli::StartPwd()
{
    if (!canStart(true))
        return false;
    begin(TFtpRequest::Pwd);
    sendCommand(QStringLiteral("PWD"), Step::Command, { 250, 257 });
    return true;
}

bool TCustomFtpCli::StartMkd()
{
    if (!canStart(false) || !refuseLineBreak(QStringLiteral("HostFileName"), m_hostFileName))
        return false;
    if (!Connected())
        return refuse(QStringLiteral("FTP component not connected"));
    begin(TFtpRequest::Mkd);
    sendCommand(QLatin1String("MKD ") + m_hostFileName, Step::Command, { 257 });
    return true;
}

bool TCustomFtpCli::StartSize()
{
    if (!canStart(false) || !refuseLineBreak(QStringLiteral("HostFileName"), m_hostFileName))
        return false;
    if (!Connected())
        return refuse(QStringLiteral("FTP component not connected"));
    m_remoteSize = -1;
    begin(TFtpRequest::Size);
    sendCommand(QLatin1String("SIZE ") + m_hostFileName, Step::Command, { 213 });
    return true;
}


bool TCustomFtpCli::StartTypeSet()
{
    if (!canStart(true))
        return false;
    begin(TFtpRequest::TypeSet);
    sendCommand(m_binary ? QStringLiteral("TYPE I") : QStringLiteral("TYPE A"), Step::Command,
                { 200 });
    return true;
}

bool TCustomFtpCli::StartQuit()
{
    if (!canStart(true))
        return false;
    begin(TFtpRequest::Quit);
    sendCommand(QStringLiteral("QUIT"), Step::Quit, { 221 });
    return true;
}

bool TCustomFtpCli::StartPut()
{
    if (!canStart(false))
        return false;
    if (m_localFileName.isEmpty())
        return refuse(QStringLiteral("LocalFileName empty"));
    if (!refuseLineBreak(QStringLiteral("HostFileName"), m_hostFileName))
        return false;
    if (!Connected())
        return refuse(QStringLiteral("STOR/APPE: not connected"));
    begin(TFtpRequest::Put);
    m_byteCount = 0;
    // The file first: a file that cannot be read costs the server nothing.
    m_file = std::make_unique<QFile>(m_localFileName);
    if (!m_file->open(QIODevice::ReadOnly)) {
        const QString message = QStringLiteral("426 Unable to open local file ") + m_localFileName;
        emit OnDisplay(QLatin1String("! ") + message);
        fail(426, message);
        return true;
    }
    startDataSetup();
    return true;
}

void TCustomFtpCli::startDataSetup()
{
    FtpDataConnection::Security security;
    if (m_dataProtected) {
        if (auto *ssl = qobject_cast<QSslSocket *>(m_control.data())) {
            security.tls = true;
            security.configuration = ssl->sslConfiguration();
            security.peerVerifyName = m_hostName.trimmed();
            security.ignoreCertificateErrors = m_ignoreCertificateErrors;
            security.pinnedSha256 = m_acceptedDigest;
            security.expectTicket = m_dataTickets;
        }
    }
    m_data = std::make_unique<FtpDataConnection>(security);
    FtpDataConnection *data = m_data.get();
    connect(data, &FtpDataConnection::connected, this, &TCustomFtpCli::onDataConnected);
    connect(data, &FtpDataConnection::failed, this, &TCustomFtpCli::onDataFailed);
    connect(data, &FtpDataConnection::uploadEnded, this,
            [this](FtpDataConnection::UploadEnd how) { onDataUploadEnded(static_cast<int>(how)); });
    connect(data, &FtpDataConnection::closed, this, &TCustomFtpCli::onDataClosed);
    connect(data, &FtpDataConnection::progress, this, [this](qint64 count, bool &abort) {
        m_byteCount = count;
        emit OnProgress(count, abort);
    });
    if (m_passive) {
        sendCommand(QStringLiteral("PASV"), Step::DataSetup, { 200, 227 });
        return;
    }
    int error = 0;
    const QHostAddress local = m_control->localAddress();
    const quint16 port = data->listen(local, m_control->peerAddress(), error);
    if (port == 0) {
        const QString message = dataConnectionError(error);
        emit OnDisplay(QLatin1String("! ") + message);
        fail(550, message);
        return;
    }
    const QString argument = FtpAddress::portArgument(local, port);
    if (argument.isEmpty()) {
        sendCommand(QStringLiteral("EPRT |2|%1|%2|").arg(local.toString()).arg(port),
                    Step::DataSetup, { 200 });
    } else {
        sendCommand(QLatin1String("PORT ") + argument, Step::DataSetup, { 200, 227 });
    }
}

void TCustomFtpCli::onDataConnected()
{
    if (m_request != TFtpRequest::Put || m_storSent || !m_passive)
        return;
    m_storSent = true;
    sendCommand(QLatin1String("STOR ") + m_hostFileName, Step::Stor, { 125, 150 });
    // For servers that want the data connection's handshake before they
    // answer STOR.
    QTimer::singleShot(2000, m_data.get(), &FtpDataConnection::startTls);
}

void TCustomFtpCli::onDataFailed(int winsockError, const QString &detail)
{
    if (m_request != TFtpRequest::Put)
        return;
    if (!m_storSent) {
        const QString message = dataConnectionError(winsockError);
        emit OnDisplay(QLatin1String("! ") + message);
        fail(550, message);
        return;
    }
    QString note;
    if (winsockError == 0)
        note = QStringLiteral("TLS error on data connection: ") + detail;
    else
        note = QStringLiteral("Error #") + QString::number(winsockError)
            + QStringLiteral(" sending data");
    emit OnDisplay(QLatin1String("! ") + note);
    if (m_transferFailure.isEmpty())
        m_transferFailure = QLatin1String("426 ") + note;
}

void TCustomFtpCli::onDataUploadEnded(int how)
{
    switch (static_cast<FtpDataConnection::UploadEnd>(how)) {
    case FtpDataConnection::UploadEnd::Complete:
        return;
    case FtpDataConnection::UploadEnd::Aborted:
        emit OnDisplay(QStringLiteral("! Abort requested"));
        m_transferFailure = QStringLiteral("426 Operation aborted.");
        return;
    case FtpDataConnection::UploadEnd::ReadError:
        emit OnDisplay(QStringLiteral("! Error reading file"));
        m_transferFailure = QStringLiteral("426 Error reading file");
        return;
    }
}

void TCustomFtpCli::onDataClosed()
{
    if (m_data && !m_data->ticketAsExpected())
        m_dataTickets = false;
    if (m_request == TFtpRequest::Put)
        completePutWhenDone();
}

void TCustomFtpCli::onStorReply(int code, const QString &line)
{
    if (code == 125 || code == 150) {
        if (m_storAccepted)
            return;
        m_storAccepted = true;
        if (m_data)
            m_data->startTls();
        startTransfer();
        return;
    }
    m_finalReply = true;
    m_finalCode = code;
    m_finalLine = line;
    if (!m_storAccepted || (code != 226 && code != 250)) {
        // Refused, or the server gave up: nothing more goes out.
        if (m_data && !m_data->isClosed())
            m_data->abort();
    }
    completePutWhenDone();
}

void TCustomFtpCli::startTransfer()
{
    bool cancel = false;
    emit OnReadyToTransmit(cancel);
    if (m_request != TFtpRequest::Put || !m_data)
        return;
    if (cancel) {
        m_transferFailure = QStringLiteral("426 Transmit cancelled by application");
        m_data->abort();
        return;
    }
    m_transferClock.start();
    m_data->upload(m_file.get());
}

void TCustomFtpCli::completePutWhenDone()
{
    if (!m_finalReply || (m_data && !m_data->isClosed()))
        return;
    const bool stored = m_finalCode == 226 || m_finalCode == 250;
    if (!m_storAccepted) {
        fail(m_finalCode, m_finalLine);
        return;
    }
    if (!stored) {
        emit OnDisplay(QStringLiteral("! STOR Failed"));
        fail(m_finalCode, m_finalLine);
        return;
    }
    if (!m_transferFailure.isEmpty()) {
        fail(426, m_transferFailure);
        return;
    }
    const qint64 bytes = m_data ? m_data->bytesSent() : 0;
    const qint64 ms = m_transferClock.isValid() ? m_transferClock.elapsed() : 0;
    QString note
        = QStringLiteral("! %1 bytes received/sent in %2 seconds").arg(bytes).arg(ms / 1000);
    if (ms != 0) {
        const qint64 rate = bytes < 32768 ? bytes * 1000 / ms : bytes / ms * 1000;
        note += QStringLiteral(" (%1 Bytes/sec)").arg(rate);
    }
    emit OnDisplay(note);
    finish(0);
}

void TCustomFtpCli::releaseTransfer()
{
    if (m_data) {
        m_data->disconnect(this);
        m_data->abort();
        // May be inside one of its own signals.
        m_data.release()->deleteLater();
    }
    m_file.reset();
    m_storSent = false;
    m_storAccepted = false;
    m_finalReply = false;
    m_finalCode = 0;
    m_finalLine.clear();
    m_transferFailure.clear();
    m_transferClock.invalidate();
}

} // namespace Tarnwick
