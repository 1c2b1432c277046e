// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/publishtransport.h"

#include <QSet>

namespace Tarnwick {

class Prompter;
class TFtpClient;

// FTP and FTPS over the program's FTP client: pages in ASCII after one
// TYPE A; each referenced file with its own TYPE, after MKD of each remote
// folder level not made yet in this send.
class FtpTransport final : public PublishTransport
{
    Q_OBJECT

public:
    // The client stays its owner's; prompter may be null (no questions).
    FtpTransport(TFtpClient *client, Prompter *prompter, QObject *parent = nullptr);

    TFtpClient *client() const { return m_client; }

    PublishConnector::Outcome open(const PublishConnector::Site &site) override;
    void beginSend() override;
    QString put(const PublishFile &file) override;
    // SIZE: -1 when the server has no such file; the size of a file sent as
    // binary; nothing for one sent as text, as the transfer may change its
    // line ends on the way.
    std::optional<qint64> remoteSize(const PublishFile &file) override;
    bool connected() const override;
    void close() override;

private:
    bool setType(bool binary);
    void makeFolders(const QString &remoteName);

    TFtpClient *m_client;
    Prompter *m_prompter;
    int m_type = -1; // TYPE last set: 0 ASCII, 1 binary
    QSet<QString> m_folders; // made in this send
};

} // namespace Tarnwick
