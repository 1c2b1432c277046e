// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/publishtransport.h"

#include <QHash>

namespace Tarnwick {

class Prompter;
class SftpClient;

// SFTP over the program's SSH client. Host keys the user has not seen yet
// are asked about through the prompter (none: refused unless trusted ahead
// by their digest), and so is the passphrase of a key file.
class SftpTransport final : public PublishTransport
{
    Q_OBJECT

public:
    // knownHostsFile: the user's OpenSSH list; ownHostsFile: the keys trusted
    // in Tarnwick, kept in its home.
    SftpTransport(Prompter *prompter, const QString &knownHostsFile, const QString &ownHostsFile,
                  QObject *parent = nullptr);
    ~SftpTransport() override;

    SftpClient *client() const { return m_client; }
    void setTimeout(int seconds);

    PublishConnector::Outcome open(const PublishConnector::Site &site) override;
    void beginSend() override;
    QString put(const PublishFile &file) override;
    std::optional<qint64> remoteSize(const PublishFile &file) override;
    bool connected() const override;
    void close() override;

    // The user's own list, ~/.ssh/known_hosts.
    static QString userKnownHostsFile();
    // Tarnwick's list in its home.
    static QString ownHostsFile(const QString &programDir);

    static QString hostKeyQuestion(const QString &host, quint16 port, const QString &keyType,
                                   const QByteArray &sha256);
    static QString passphraseCaption() { return QStringLiteral("Key passphrase"); }
    static QString passphrasePrompt(const QString &keyFile);
    static QString notAFolder(const QString &directory);

private:
    Prompter *m_prompter;
    SftpClient *m_client;
    // Sizes of the files in each folder asked about, until something is sent.
    QHash<QString, std::optional<QHash<QString, qint64>>> m_listings;
};

} // namespace Tarnwick
