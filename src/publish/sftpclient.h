// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace Tarnwick {

// The SFTP client publishing drives. Every operation returns when it has
// ended: libssh's blocking calls run on a worker thread while the caller's
// thread runs a local event loop, so windows repaint and buttons answer.
// Questions (host key, passphrase) and progress reach the caller's thread.
// Operations return false on failure, with errorMessage() saying why.
// While an operation runs, delete the client only with deleteLater().
class SftpClient final : public QObject
{
    Q_OBJECT

public:
    struct Login
    {
        QString host;
        quint16 port = 22;
        QString user;
        QString password; // tried last, when given
        QString keyFile; // none: the default keys in ~/.ssh
    };
    enum class PathKind { Missing, Folder, File };

    explicit SftpClient(QObject *parent = nullptr);
    ~SftpClient() override;

    // Seconds without progress before an operation gives up and the
    // connection is closed; 0: no limit.
    void setTimeout(int seconds) { m_timeout = seconds; }
    // userFile: the user's known_hosts, only read. ownFile: the keys trusted
    // from Tarnwick (SshHostList), where newly trusted keys go.
    void setKnownHosts(const QString &userFile, const QString &ownFile);
    // A host key trusted ahead by its SHA-256 digest: taken without a question.
    void setTrustedKeySha256(const QByteArray &digest) { m_trustedDigest = digest; }

    bool connectToHost(const Login &login);
    PathKind pathKind(const QString &path);
    bool enterDirectory(const QString &path);
    bool makeDirectory(const QString &path);
    // Uploads to a temporary name beside the target, then renames it over the
    // target, so nobody sees half a file. Missing folders are made.
    bool put(const QString &localPath, const QString &remoteName);
    std::optional<qint64> remoteSize(const QString &remoteName);
    // The sizes of the files (not folders) in a remote folder, by name, in
    // one listing; nothing when the folder cannot be listed.
    std::optional<QHash<QString, qint64>> fileSizes(const QString &folder);
    bool connected() const { return m_connected; }
    void disconnectFromHost();
    QString errorMessage() const { return m_errorMessage; }
    // The host key's digest accepted for the current connection.
    QByteArray acceptedKeySha256() const { return m_acceptedDigest; }

Q_SIGNALS:
    void display(const QString &line);
    void progress(qint64 bytesOfThisFile);
    // The host key is in neither list: setting trust takes it and adds it to
    // the own list. Must be a direct connection; unanswered means refused.
    void hostKeyQuestion(const QString &host, quint16 port, const QString &keyType,
                         const QByteArray &sha256, bool &trust);
    // The key file is encrypted: given false skips it. Direct connection.
    void passphraseNeeded(const QString &keyFile, QString &passphrase, bool &given);

private:
    struct Session;

    bool runOnWorker(const std::function<bool()> &job);
    bool runSftp(const std::function<bool(QString &)> &job);
    void touch();
    void cutConnection();
    void say(const QString &line);
    void sayFromWorker(const QString &line);
    bool checkHostKey();
    bool signIn();
    bool trySignIn(const std::function<int()> &attempt, const QString &what);
    bool signInWithKeyFile(const QString &keyFile, bool named, bool &tried, bool &skipped);
    QString absolute(const QString &path) const;
    bool failed(const QString &message);
    bool makeFolders(const QString &folder);
    bool putOnWorker(const QString &localPath, const QString &target);
    void endSession();

    std::unique_ptr<Session> m_session;
    Login m_login;
    QString m_userKnownHosts;
    QString m_ownKnownHosts;
    QByteArray m_trustedDigest;
    QByteArray m_acceptedDigest;
    QString m_directory;
    QString m_errorMessage;
    int m_timeout = 15;
    bool m_connected = false;
    bool m_busy = false;
    std::atomic<bool> m_timedOut = false;
    std::atomic<qint64> m_lastActivity = 0;
    QObject *m_thread = nullptr;
};

} // namespace Tarnwick
