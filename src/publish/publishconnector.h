// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/publishdestination.h"

#include <QString>

#include <optional>

namespace Tarnwick {

class Prompter;
class TFtpClient;

// Connects and logs in once, then enters the remote directory, making it
// when it is missing: CWD; on 550 the question (or, without a prompter, no
// question), then PWD, MKD, CWD. Nothing is stored anywhere but in the
// directory asked for: a directory that cannot be made or entered stops.
class PublishConnector final
{
public:
    struct Site
    {
        QString address; // "host", "host:port", "ftp://host:port/" or "ftps://host/"
        QString directory; // remote directory; empty: the log-in directory
        QString user;
        QString password;
        bool tls = false;
        bool sftp = false; // SFTP instead of FTP
        QString keyFile; // SFTP: the private key to sign in with; empty: the agent's and default keys
    };
    enum class Status { Ready, Declined, Failed };
    struct Outcome
    {
        Status status = Status::Failed;
        QString error; // for Failed: what to tell the user
    };

    // prompter may be null: a missing directory is then made without asking.
    PublishConnector(TFtpClient *client, Prompter *prompter);

    Outcome run(const Site &site);

    static QString notEnoughData()
    {
        return QStringLiteral("Not enough data to connect to your FTP site.");
    }
    static QString cannotCreate() { return QStringLiteral("Cannot create directory."); }
    static QString createQuestion(const QString &directory);
    static QString badAddress(const QString &address);
    static QString unservedScheme(const QString &address, const QString &scheme);

    // Whether the connection goes with TLS: asked for by the site's setting
    // or by an "ftps://" address. A plain "ftp://" never turns TLS off.
    static bool usesTls(const Site &site);
    // Whether the site goes by SFTP: asked for by its setting or by an
    // "sftp://" address.
    static bool usesSftp(const Site &site);
    // Where the site's files go, for the record of what was sent there;
    // nothing for an address that names no host.
    static std::optional<PublishDestination> destinationOf(const Site &site);

private:
    TFtpClient *m_client;
    Prompter *m_prompter;
};

} // namespace Tarnwick
