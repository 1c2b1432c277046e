// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/publishconnector.h"

#include "platform/prompter.h"
#include "publish/ftpaddress.h"
#include "publish/tftpclient.h"

namespace Tarnwick {

PublishConnector::PublishConnector(TFtpClient *client, Prompter *prompter)
    : m_client(client)
    , m_prompter(prompter)
{
}

QString PublishConnector::createQuestion(const QString &directory)
{
    return QStringLiteral("Directory ") + directory
        + QStringLiteral(" does not exist.  Would you like to create it?");
}

QString PublishConnector::badAddress(const QString &address)
{
    return QStringLiteral("The website URL \"") + address
        + QStringLiteral("\" names no FTP host and port.");
}

QString PublishConnector::unservedScheme(const QString &address, const QString &scheme)
{
    return QStringLiteral("The website URL \"") + address + QStringLiteral("\" asks for ") + scheme
        + QStringLiteral(
               "://, which Tarnwick cannot publish by. Write the host as host, ftp://host, "
               "ftps://host for FTP protected by TLS, or sftp://host for SFTP.");
}

bool PublishConnector::usesTls(const Site &site)
{
    if (site.tls)
        return true;
    const std::optional<FtpAddress::Site> address = FtpAddress::siteAddress(site.address);
    return address && FtpAddress::schemeUse(address->scheme) == FtpAddress::SchemeUse::Tls;
}

bool PublishConnector::usesSftp(const Site &site)
{
    if (site.sftp)
        return true;
    const std::optional<FtpAddress::Site> address = FtpAddress::siteAddress(site.address);
    return address && FtpAddress::schemeUse(address->scheme) == FtpAddress::SchemeUse::Sftp;
}

std::optional<PublishDestination> PublishConnector::destinationOf(const Site &site)
{
    const std::optional<FtpAddress::Site> address = FtpAddress::siteAddress(site.address);
    if (!address)
        return std::nullopt;
    const bool sftp = usesSftp(site);
    bool number = false;
    int port = address->port.toInt(&number);
    if (!number)
        port = sftp ? 22 : 21;
    const QString kind = sftp ? QStringLiteral("sftp")
        : usesTls(site)       ? QStringLiteral("ftps")
                              : QStringLiteral("ftp");
    return PublishDestination::make(kind, address->host, port, site.user, site.directory);
}

PublishConnector::Outcome PublishConnector::run(const Site &site)
{
    if (site.address.trimmed().isEmpty() || site.user.isEmpty() || site.password.isEmpty())
        return { Status::Failed, notEnoughData() };
    const std::optional<FtpAddress::Site> address = FtpAddress::siteAddress(site.address);
    if (!address)
        return { Status::Failed, badAddress(site.address) };
    // Whatever else the address asks for would otherwise go by plain FTP,
    // the password in clear.
    if (FtpAddress::schemeUse(address->scheme) == FtpAddress::SchemeUse::Unserved
        || FtpAddress::schemeUse(address->scheme) == FtpAddress::SchemeUse::Sftp)
        return { Status::Failed, unservedScheme(site.address.trimmed(), address->scheme) };
    m_client->SetHostName(address->host);
    m_client->SetPort(address->port);
    m_client->SetUserName(site.user);
    m_client->SetPassWord(site.password);
    m_client->SetTls(usesTls(site));
    // Connect logs in: USER, and PASS when asked for it, each once.
    if (!m_client->Connect())
        return { Status::Failed, m_client->ErrorMessage() };
    if (site.directory.isEmpty())
        return { Status::Ready, {} };

    m_client->SetHostDirName(site.directory);
    if (m_client->Cwd())
        return { Status::Ready, {} };
    if (m_client->StatusCode() != 550 || !m_client->Connected()
        || !m_client->ErrorMessage().startsWith(QStringLiteral("550")))
        return { Status::Failed, m_client->ErrorMessage() };
    if (m_prompter
        && m_prompter->message(Prompter::Kind::Warning, createQuestion(site.directory),
                               Prompter::Buttons::YesNo)
            != Prompter::Answer::Yes)
        return { Status::Declined, {} };
    m_client->SetHostFileName(site.directory);
    m_client->Pwd(); // only for the log
    if (!m_client->Mkd())
        return { Status::Failed, cannotCreate() };
    if (!m_client->Cwd())
        return { Status::Failed, m_client->ErrorMessage() };
    return { Status::Ready, {} };
}

} // namespace Tarnwick
