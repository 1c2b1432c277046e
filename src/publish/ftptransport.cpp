// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/ftptransport.h"

#include "publish/tftpclient.h"

#include <QFileInfo>

namespace Tarnwick {

FtpTransport::FtpTransport(TFtpClient *client, Prompter *prompter, QObject *parent)
    : PublishTransport(parent)
    , m_client(client)
    , m_prompter(prompter)
{
    connect(m_client, &TCustomFtpCli::OnDisplay, this, &PublishTransport::display);
    // Direct: the client reads the abort flag as soon as the signal returns.
    connect(
        m_client, &TCustomFtpCli::OnProgress, this,
        [this](qint64 count, bool &) { emit progress(count); }, Qt::DirectConnection);
}

PublishConnector::Outcome FtpTransport::open(const PublishConnector::Site &site)
{
    PublishConnector connector(m_client, m_prompter);
    return connector.run(site);
}

void FtpTransport::beginSend()
{
    m_type = -1;
    m_folders.clear();
}

bool FtpTransport::setType(bool binary)
{
    m_client->SetBinary(binary);
    if (!m_client->TypeSet())
        return false;
    m_type = binary ? 1 : 0;
    return true;
}

QString FtpTransport::put(const PublishFile &file)
{
    if (!QFileInfo(file.localPath).isFile())
        return PublishTransport::missingHere();
    // Pages share one TYPE A; each referenced file sets its own.
    if ((file.kind == PublishFile::Kind::Reference || m_type != (file.binary ? 1 : 0))
        && !setType(file.binary))
        return m_client->ErrorMessage();
    if (file.remoteName.contains(QLatin1Char('/')))
        makeFolders(file.remoteName);
    m_client->SetHostFileName(file.remoteName);
    m_client->SetLocalFileName(file.localPath);
    m_client->SetPassive(true);
    const bool ok = m_client->Put();
    m_client->SetPassive(false);
    return ok ? QString() : m_client->ErrorMessage();
}

void FtpTransport::makeFolders(const QString &remoteName)
{
    const QStringList parts = remoteName.split(QLatin1Char('/'));
    QString folder;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        folder += (folder.isEmpty() ? QString() : QStringLiteral("/")) + parts.at(i);
        if (m_folders.contains(folder))
            continue;
        m_folders.insert(folder);
        // A folder that exists answers 550; only the STOR's result counts.
        m_client->SetHostFileName(folder);
        m_client->Mkd();
        if (!m_client->Connected())
            return;
    }
}

std::optional<qint64> FtpTransport::remoteSize(const PublishFile &file)
{
    if (!m_client->Connected())
        return std::nullopt;
    // Servers answer SIZE in binary mode only.
    if (m_type != 1 && !setType(true))
        return std::nullopt;
    m_client->SetHostFileName(file.remoteName);
    if (m_client->Size()) {
        // A file sent as text may have other line ends there: it is there,
        // and that is all its size says.
        if (!file.binary || m_client->RemoteSize() < 0)
            return std::nullopt;
        return m_client->RemoteSize();
    }
    // 550: no such file there.
    if (m_client->Connected() && m_client->StatusCode() == 550)
        return -1;
    return std::nullopt;
}

bool FtpTransport::connected() const
{
    return m_client->Connected();
}

void FtpTransport::close()
{
    if (m_client->Connected())
        m_client->Quit();
}

} // namespace Tarnwick
