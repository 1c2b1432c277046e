// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/ftpreplyreader.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QHostInfo>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslError>
#include <QString>

#include <memory>

class QFile;
class QSslSocket;
class QTcpSocket;

namespace Tarnwick {

class FtpDataConnection;

enum class TFtpRequest { None, Connect, User, Pass, Cwd, Pwd, Mkd, TypeSet, Put, Quit, Size };

enum class TFtpState {
    Ready,
    InternalReady, // between the steps of a combined request
    DnsLookup,
    Connected,
    WaitingBanner,
    WaitingResponse,
    Abort,
};

// Kept for the owner's form; POSIX systems have no share modes to apply.
enum class TFtpShareMode {
    ftpShareCompat,
    ftpShareExclusive,
    ftpShareDenyWrite,
    ftpShareDenyRead,
    ftpShareDenyNone,
};

// The asynchronous FTP engine: each Start* call sends a request and returns
// at once; the request ends with OnRequestDone (error 0, or the failing reply
// code). A Start* call that cannot start the request returns false with
// ErrorMessage set and no OnRequestDone. OnRequestDone is always delivered
// from the event loop, never from inside the call that ended the request, so
// its handler may start the next request and wait for it.
class TCustomFtpCli : public QObject
{
    Q_OBJECT

public:
    explicit TCustomFtpCli(QObject *parent = nullptr);
    ~TCustomFtpCli() override;

    QString HostName() const { return m_hostName; }
    void SetHostName(const QString &value) { m_hostName = value; }
    QString Port() const { return m_port; }
    void SetPort(const QString &value) { m_port = value; }
    QString UserName() const { return m_userName; }
    void SetUserName(const QString &value) { m_userName = value; }
    QString PassWord() const { return m_passWord; }
    void SetPassWord(const QString &value) { m_passWord = value; }
    QString HostDirName() const { return m_hostDirName; }
    void SetHostDirName(const QString &value) { m_hostDirName = value; }
    QString HostFileName() const { return m_hostFileName; }
    void SetHostFileName(const QString &value) { m_hostFileName = value; }
    QString LocalFileName() const { return m_localFileName; }
    void SetLocalFileName(const QString &value) { m_localFileName = value; }
    bool Binary() const { return m_binary; }
    void SetBinary(bool value) { m_binary = value; }
    bool Passive() const { return m_passive; }
    void SetPassive(bool value) { m_passive = value; }
    bool DisplayFlag() const { return m_displayFlag; }
    void SetDisplayFlag(bool value) { m_displayFlag = value; }
    bool DisplayFileFlag() const { return m_displayFileFlag; }
    void SetDisplayFileFlag(bool value) { m_displayFileFlag = value; }
    TFtpShareMode ShareMode() const { return m_shareMode; }
    void SetShareMode(TFtpShareMode value) { m_shareMode = value; }
    // Explicit TLS: AUTH TLS after the greeting, PBSZ 0 and PROT P after
    // log-in, every data connection protected and resuming the control
    // connection's session.
    bool Tls() const { return m_tls; }
    void SetTls(bool value) { m_tls = value; }
    // A certificate the user trusts ahead, by its SHA-256 digest: accepted
    // without a question, and the only one data connections take.
    QByteArray TrustedCertificateSha256() const { return m_trustedDigest; }
    void SetTrustedCertificateSha256(const QByteArray &digest) { m_trustedDigest = digest; }
    // The certificate accepted for the current connection (trusted ahead or
    // accepted by OnCertificateQuestion); empty when none was needed.
    QByteArray AcceptedCertificateSha256() const { return m_acceptedDigest; }
    // Lets self-signed and otherwise untrusted certificates through.
    bool IgnoreCertificateErrors() const { return m_ignoreCertificateErrors; }
    void SetIgnoreCertificateErrors(bool value) { m_ignoreCertificateErrors = value; }

    QString ErrorMessage() const { return m_errorMessage; }
    TFtpState State() const { return m_state; }
    TFtpRequest RequestType() const { return m_request; }
    int StatusCode() const { return m_statusCode; }
    QString LastResponse() const { return m_lastResponse; }
    // The size the last SIZE answered; -1 before one or when unreadable.
    qint64 RemoteSize() const { return m_remoteSize; }
    qint64 ByteCount() const { return m_byteCount; }
    bool Connected() const;

    bool StartConnect();
    bool StartUser();
    bool StartPass();
    bool StartCwd();
    bool StartPwd();
    bool StartMkd();
    bool StartTypeSet();
    bool StartPut();
    bool StartQuit();
    // SIZE of HostFileName; the answer in RemoteSize.
    bool StartSize();
    // Ends the running request with error: both connections are closed and
    // the local file released. Does nothing while no request runs.
    void AbortRequest(int error, const QString &message);
    // Ends the running request with "426 Operation aborted.".
    void Abort() { AbortRequest(426, QStringLiteral("426 Operation aborted.")); }

Q_SIGNALS:
    void OnDisplay(const QString &message);
    // After each block sent; setting abort stops the transfer. Handlers of
    // this and OnReadyToTransmit must be direct connections: the flag is read
    // as soon as the signal returns.
    void OnProgress(qint64 count, bool &abort);
    void OnRequestDone(Tarnwick::TFtpRequest request, int error);
    void OnCommand(const QString &command);
    void OnResponse(const QString &reply);
    void OnSessionConnected(int error);
    void OnSessionClosed(int error);
    void OnStateChange(Tarnwick::TFtpState state);
    // The server's certificate is not trusted: setting accept takes it for
    // this connection only. Must be a direct connection. Without a handler
    // the certificate is refused and nothing is sent.
    void OnCertificateQuestion(const QString &host, const QByteArray &sha256,
                               const QStringList &errors, bool &accept);
    // Before the first byte of a file goes out; setting cancel stops it.
    void OnReadyToTransmit(bool &cancel);

protected:
    // Called from the event loop when a request has ended, the engine ready
    // again; serial identifies the request (see requestSerial()).
    virtual void requestFinished(quint64 serial, TFtpRequest request, int error);
    // Serial of the request started last.
    quint64 requestSerial() const { return m_serial; }
    // While the user is asked about a certificate, time does not run out.
    bool askingUser() const { return m_askingUser; }
    virtual void userAnswered() { }

private:
    enum class Step {
        None,
        Lookup,
        Connecting,
        Banner,
        Auth,
        Handshake,
        User,
        Pass,
        Pbsz,
        Prot,
        Command,
        DataSetup,
        Stor,
        Quit,
    };

    bool refuse(const QString &message);
    bool canStart(bool needsConnection);
    bool refuseLineBreak(const QString &name, const QString &value);
    void begin(TFtpRequest request);
    void setState(TFtpState state);
    void sendCommand(const QString &command, Step step, QList<int> accepted);
    bool accepted(int code) const;
    void finish(int error, const QString &message = QString());
    void fail(int error, const QString &message);
    void failAndClose(int error, const QString &message);

    void onHostFound(const QHostInfo &info);
    void connectControl(const QHostAddress &address, quint16 port);
    void onControlConnected();
    void onControlEncrypted();
    void onControlSslErrors(const QList<QSslError> &errors);
    void askAboutCertificate(const QList<QSslError> &errors);
    void onControlReadyRead();
    void onControlError();
    void onControlDisconnected();
    void closeControl(bool graceful);
    void handleReply(int code, const QString &line);
    void sendUser();
    void loggedIn();

    void startDataSetup();
    void onDataConnected();
    void onDataFailed(int winsockError, const QString &detail);
    void onDataUploadEnded(int how);
    void onDataClosed();
    void onStorReply(int code, const QString &line);
    void startTransfer();
    void completePutWhenDone();
    void releaseTransfer();

    QString m_hostName;
    QString m_port = QStringLiteral("ftp");
    QString m_userName;
    QString m_passWord;
    QString m_hostDirName;
    QString m_hostFileName;
    QString m_localFileName;
    bool m_binary = true;
    bool m_passive = false;
    bool m_displayFlag = false;
    bool m_displayFileFlag = false;
    TFtpShareMode m_shareMode = TFtpShareMode::ftpShareExclusive;
    bool m_tls = false;
    bool m_ignoreCertificateErrors = false;
    QByteArray m_trustedDigest;
    QByteArray m_acceptedDigest;
    bool m_askingUser = false;

    QString m_errorMessage;
    TFtpState m_state = TFtpState::Ready;
    TFtpRequest m_request = TFtpRequest::None;
    Step m_step = Step::None;
    QList<int> m_accepted;
    int m_statusCode = 0;
    qint64 m_remoteSize = -1;
    QString m_lastResponse;
    qint64 m_byteCount = 0;
    quint64 m_serial = 0;

    int m_lookupId = -1;
    quint16 m_controlPort = 0;
    QPointer<QTcpSocket> m_control;
    FtpReplyReader m_reader;
    bool m_dataProtected = false;
    bool m_dataTickets = true; // the server sends TLS 1.3 tickets on data connections

    // The transfer of a Put.
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<FtpDataConnection> m_data;
    bool m_storSent = false;
    bool m_storAccepted = false;
    bool m_finalReply = false;
    int m_finalCode = 0;
    QString m_finalLine;
    QString m_transferFailure; // set when our side broke the transfer
    QElapsedTimer m_transferClock;
};

} // namespace Tarnwick
