// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace Tarnwick {

// A real OpenSSH server (/usr/sbin/sshd) on 127.0.0.1 with a free port, for
// the current user, signing in by the keys authorize() adds. Its SFTP
// sessions start in the root folder given to start(). Everything it needs
// lives in a temporary folder of its own.
class OpenSshServer final
{
public:
    OpenSshServer();
    ~OpenSshServer();

    bool start(const QString &root);
    // Starts again on the same port, with a new host key when asked.
    bool restart(bool newHostKey);
    void stop();
    // Kills the server and every session it runs, as a crash would.
    void kill();
    // Stops or continues the server and its sessions: a server that hangs.
    void freeze(bool frozen);

    quint16 port() const { return m_port; }
    QString user() const { return m_user; }
    QString error() const { return m_error; }
    // The raw SHA-256 digest of the host key, as SSH clients compute it.
    QByteArray hostKeySha256() const;
    // The host key's public line ("ssh-ed25519 AAAA..."), for known_hosts.
    QString hostKeyLine() const;
    // The server's log, then its SFTP sessions' log. Each file a session
    // opens for writing shows as a line with 'open "<path>" flags WRITE'.
    QString log() const;

    // Makes a key pair below the server's folder, empty passphrase: none.
    // Returns the private key's path, or an empty string.
    QString makeKey(const QString &name, const QString &passphrase = QString());
    // Lets the public key of keyFile (keyFile + ".pub") sign in.
    bool authorize(const QString &keyFile);

    static bool run(const QString &program, const QStringList &arguments, QString *error,
                    const QProcessEnvironment &environment
                    = QProcessEnvironment::systemEnvironment());

private:
    bool launch();
    bool makeHostKey();
    QList<qint64> processTree() const;

    QTemporaryDir m_work;
    QProcess m_process;
    QString m_root;
    QString m_user;
    QString m_error;
    quint16 m_port = 0;
    int m_hostKeys = 0;
};

} // namespace Tarnwick
