// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/sftptransport.h"

#include "platform/prompter.h"
#include "publish/ftpaddress.h"
#include "publish/sftpclient.h"

#include <QDir>
#include <QFileInfo>

namespace Tarnwick {

SftpTransport::SftpTransport(Prompter *prompter, const QString &knownHostsFile,
                             const QString &ownHostsFile, QObject *parent)
    : PublishTransport(parent)
    , m_prompter(prompter)
    , m_client(new SftpClient(this))
{
    m_client->setKnownHosts(knownHostsFile, ownHostsFile);
    connect(m_client, &SftpClient::display, this, &PublishTransport::display);
    connect(m_client, &SftpClient::progress, this, &PublishTransport::progress);
    connect(
        m_client, &SftpClient::hostKeyQuestion, this,
        [this](const QString &host, quint16 port, const QString &keyType, const QByteArray &sha256,
               bool &trust) {
            trust = m_prompter
                && m_prompter->message(Prompter::Kind::Warning,
                                       hostKeyQuestion(host, port, keyType, sha256),
                                       Prompter::Buttons::YesNo)
                    == Prompter::Answer::Yes;
        },
        Qt::DirectConnection);
    connect(
        m_client, &SftpClient::passphraseNeeded, this,
        [this](const QString &keyFile, QString &passphrase, bool &given) {
            if (!m_prompter)
                return;
            const std::optional<QString> typed
                = m_prompter->inputSecret(passphraseCaption(), passphrasePrompt(keyFile));
            given = typed.has_value();
            passphrase = typed.value_or(QString());
        },
        Qt::DirectConnection);
}

SftpTransport::~SftpTransport() = default;

void SftpTransport::setTimeout(int seconds)
{
    m_client->setTimeout(seconds);
}

QString SftpTransport::userKnownHostsFile()
{
    return QDir::homePath() + QStringLiteral("/.ssh/known_hosts");
}

QString SftpTransport::ownHostsFile(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("ssh_known_hosts"));
}

QString SftpTransport::hostKeyQuestion(const QString &host, quint16 port, const QString &keyType,
                                       const QByteArray &sha256)
{
    const QString name = port == 22 ? host : QStringLiteral("%1 (port %2)").arg(host).arg(port);
    return QStringLiteral("The %1 host key of %2 is not known yet.\n\nSHA-256 fingerprint:\n"
                          "SHA256:%3\n\nCompare it with the one your host publishes. "
                          "Trust this key and remember it?")
        .arg(keyType, name,
             QString::fromLatin1(sha256.toBase64(QByteArray::OmitTrailingEquals)));
}

QString SftpTransport::passphrasePrompt(const QString &keyFile)
{
    return QStringLiteral("Passphrase for the key %1:").arg(QDir::toNativeSeparators(keyFile));
}

QString SftpTransport::notAFolder(const QString &directory)
{
    return QStringLiteral("%1 is a file on the server, not a directory.").arg(directory);
}

PublishConnector::Outcome SftpTransport::open(const PublishConnector::Site &site)
{
    using Outcome = PublishConnector::Outcome;
    using Status = PublishConnector::Status;
    m_listings.clear();
    if (site.address.trimmed().isEmpty() || site.user.isEmpty())
        return { Status::Failed, PublishConnector::notEnoughData() };
    const std::optional<FtpAddress::Site> address = FtpAddress::siteAddress(site.address);
    if (!address)
        return { Status::Failed, PublishConnector::badAddress(site.address) };
    const FtpAddress::SchemeUse use = FtpAddress::schemeUse(address->scheme);
    if (use == FtpAddress::SchemeUse::Unserved)
        return { Status::Failed,
                 PublishConnector::unservedScheme(site.address.trimmed(), address->scheme) };
    SftpClient::Login login;
    login.host = address->host;
    bool number = false;
    const uint port = address->port.toUInt(&number);
    login.port = number ? quint16(port) : quint16(22);
    login.user = site.user;
    login.password = site.password;
    login.keyFile = site.keyFile;
    if (!m_client->connectToHost(login))
        return { Status::Failed, m_client->errorMessage() };
    if (site.directory.isEmpty())
        return { Status::Ready, {} };
    switch (m_client->pathKind(site.directory)) {
    case SftpClient::PathKind::Folder:
        break;
    case SftpClient::PathKind::File:
        return { Status::Failed, notAFolder(site.directory) };
    case SftpClient::PathKind::Missing:
        if (!m_client->connected())
            return { Status::Failed, m_client->errorMessage() };
        if (m_prompter
            && m_prompter->message(Prompter::Kind::Warning,
                                   PublishConnector::createQuestion(site.directory),
                                   Prompter::Buttons::YesNo)
                != Prompter::Answer::Yes)
            return { Status::Declined, {} };
        if (!m_client->makeDirectory(site.directory))
            return { Status::Failed, PublishConnector::cannotCreate() };
        break;
    }
    if (!m_client->enterDirectory(site.directory))
        return { Status::Failed, m_client->errorMessage() };
    return Outcome { Status::Ready, {} };
}

void SftpTransport::beginSend()
{
    m_listings.clear();
}

QString SftpTransport::put(const PublishFile &file)
{
    m_listings.clear();
    if (!QFileInfo(file.localPath).isFile())
        return missingHere();
    return m_client->put(file.localPath, file.remoteName) ? QString() : m_client->errorMessage();
}

std::optional<qint64> SftpTransport::remoteSize(const PublishFile &file)
{
    if (!m_client->connected())
        return std::nullopt;
    // One listing a folder rather than one question a file: asking for the
    // files of a whole site goes as fast as its folders.
    const qsizetype slash = file.remoteName.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QStringLiteral(".") : file.remoteName.left(slash);
    auto listed = m_listings.constFind(folder);
    if (listed == m_listings.cend())
        listed = m_listings.insert(folder, m_client->fileSizes(folder));
    if (!listed->has_value()) {
        // Not listed: a folder that is not there holds no file.
        if (m_client->connected() && m_client->pathKind(folder) == SftpClient::PathKind::Missing)
            return -1;
        return m_client->connected() ? m_client->remoteSize(file.remoteName) : std::nullopt;
    }
    return (*listed)->value(file.remoteName.mid(slash + 1), -1);
}

bool SftpTransport::connected() const
{
    return m_client->connected();
}

void SftpTransport::close()
{
    m_client->disconnectFromHost();
}

} // namespace Tarnwick
