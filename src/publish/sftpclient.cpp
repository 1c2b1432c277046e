// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/sftpclient.h"

#include "publish/sshhostlist.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSet>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <libssh/libssh.h>
#include <libssh/sftp.h>

namespace Tarnwick {

namespace {

constexpr qsizetype chunkSize = 64 * 1024;

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

QString fingerprint(const QByteArray &sha256)
{
    return QStringLiteral("SHA256:")
        + QString::fromLatin1(sha256.toBase64(QByteArray::OmitTrailingEquals));
}

// Notes that the key import asked for a passphrase, and gives none.
int refusePassphrase(const char *, char *, size_t, int, int, void *userdata)
{
    *static_cast<bool *>(userdata) = true;
    return -1;
}

struct KeyFree
{
    void operator()(ssh_key key) const { ssh_key_free(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<ssh_key>, KeyFree>;

struct AttributesFree
{
    void operator()(sftp_attributes attributes) const { sftp_attributes_free(attributes); }
};
using Attributes = std::unique_ptr<std::remove_pointer_t<sftp_attributes>, AttributesFree>;

} // namespace

struct SftpClient::Session
{
    ssh_session ssh = nullptr;
    sftp_session sftp = nullptr;
    std::atomic<int> fd = -1;
    QString keyType;
    QByteArray digest;
    ssh_known_hosts_e known = SSH_KNOWN_HOSTS_UNKNOWN;
    // Folders seen or made in this session: each file's folders are looked
    // at once, not again for every file. Used on the worker only.
    QSet<QString> folders;

    ~Session()
    {
        if (sftp)
            sftp_free(sftp);
        if (ssh) {
            if (ssh_is_connected(ssh))
                ssh_disconnect(ssh);
            ssh_free(ssh);
        }
    }
    QString error() const { return QString::fromUtf8(ssh_get_error(ssh)); }
    bool alive() const { return ssh_is_connected(ssh) && ssh_get_error_code(ssh) != SSH_FATAL; }
};

SftpClient::SftpClient(QObject *parent)
    : QObject(parent)
{
}

SftpClient::~SftpClient()
{
    if (auto *thread = qobject_cast<QThread *>(m_thread)) {
        // Destroyed while an operation waits: end it and let it go.
        cutConnection();
        thread->wait();
    }
}

void SftpClient::setKnownHosts(const QString &userFile, const QString &ownFile)
{
    m_userKnownHosts = userFile;
    m_ownKnownHosts = ownFile;
}

void SftpClient::touch()
{
    m_lastActivity = now();
}

void SftpClient::cutConnection()
{
    // Shutting the socket down wakes libssh from any wait on it; the blocked
    // call then fails and the worker returns.
    if (m_session && m_session->fd >= 0)
        ::shutdown(m_session->fd, SHUT_RDWR);
}

void SftpClient::say(const QString &line)
{
    Q_EMIT display(line);
}

void SftpClient::sayFromWorker(const QString &line)
{
    QMetaObject::invokeMethod(
        this, [this, line] { Q_EMIT display(line); }, Qt::QueuedConnection);
}

bool SftpClient::runOnWorker(const std::function<bool()> &job)
{
    if (m_busy)
        return failed(QStringLiteral("Another transfer is still running."));
    m_busy = true;
    bool ok = false;
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&ok, &job] { ok = job(); }));
    connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, this, [this] {
        if (m_timeout > 0 && !m_timedOut && now() - m_lastActivity > qint64(m_timeout) * 1000) {
            m_timedOut = true;
            cutConnection();
        }
    });
    m_timedOut = false;
    touch();
    QPointer<SftpClient> self(this);
    m_thread = thread.get();
    thread->start();
    watchdog.start(200);
    loop.exec();
    thread->wait();
    if (!self)
        return false;
    m_thread = nullptr;
    m_busy = false;
    return ok;
}

bool SftpClient::failed(const QString &message)
{
    m_errorMessage = message;
    return false;
}

// After a failed operation: a connection that died or timed out is closed,
// and the message says so rather than naming the call that noticed it.
static QString lostMessage(const QString &host, int timeout, bool timedOut, const QString &detail)
{
    if (timedOut)
        return QStringLiteral("The server %1 did not answer for %2 seconds; the connection was "
                              "closed.")
            .arg(host)
            .arg(timeout);
    return QStringLiteral("The connection to %1 was lost (%2).").arg(host, detail);
}

bool SftpClient::connectToHost(const Login &login)
{
    if (m_busy)
        return failed(QStringLiteral("Another transfer is still running."));
    if (m_session)
        disconnectFromHost();
    m_login = login;
    m_errorMessage.clear();
    m_acceptedDigest.clear();
    m_directory.clear();
    if (login.host.isEmpty() || login.user.isEmpty())
        return failed(QStringLiteral("No host or no user name given for SFTP."));

    m_session = std::make_unique<Session>();
    Session *session = m_session.get();
    say(QStringLiteral("Connecting to %1 port %2").arg(login.host).arg(login.port));
    QString error;
    const int timeout = m_timeout;
    const QString userFile
        = m_userKnownHosts.isEmpty() ? QStringLiteral("/dev/null") : m_userKnownHosts;
    const bool reached = runOnWorker([session, login, timeout, userFile, &error] {
        session->ssh = ssh_new();
        if (!session->ssh) {
            error = QStringLiteral("Out of memory");
            return false;
        }
        const QByteArray host = login.host.toUtf8();
        const QByteArray user = login.user.toUtf8();
        const QByteArray knownHosts = QFile::encodeName(userFile);
        const unsigned int port = login.port;
        const long seconds = timeout > 0 ? timeout : 60;
        const int noConfig = 0;
        ssh_options_set(session->ssh, SSH_OPTIONS_HOST, host.constData());
        ssh_options_set(session->ssh, SSH_OPTIONS_PORT, &port);
        ssh_options_set(session->ssh, SSH_OPTIONS_USER, user.constData());
        ssh_options_set(session->ssh, SSH_OPTIONS_KNOWNHOSTS, knownHosts.constData());
        // The login says where to go; ~/.ssh/config does not redirect it.
        ssh_options_set(session->ssh, SSH_OPTIONS_PROCESS_CONFIG, &noConfig);
        ssh_options_set(session->ssh, SSH_OPTIONS_TIMEOUT, &seconds);
        // Each write waits for its answer: Nagle's delay would cost one
        // delayed acknowledgement (tens of ms) per chunk.
        const int noDelay = 1;
        ssh_options_set(session->ssh, SSH_OPTIONS_NODELAY, &noDelay);
        if (ssh_connect(session->ssh) != SSH_OK) {
            error = session->error();
            return false;
        }
        session->fd = ssh_get_fd(session->ssh);
        ssh_key key = nullptr;
        if (ssh_get_server_publickey(session->ssh, &key) != SSH_OK) {
            error = session->error();
            return false;
        }
        Key owned(key);
        unsigned char *hash = nullptr;
        size_t length = 0;
        if (ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) != 0) {
            error = session->error();
            return false;
        }
        session->digest = QByteArray(reinterpret_cast<const char *>(hash), qsizetype(length));
        ssh_clean_pubkey_hash(&hash);
        session->keyType = QString::fromLatin1(ssh_key_type_to_char(ssh_key_type(key)));
        session->known = ssh_session_is_known_server(session->ssh);
        return true;
    });
    if (!reached) {
        const QString message = m_timedOut ? lostMessage(login.host, m_timeout, true, error)
                                           : QStringLiteral("Cannot connect to %1 port %2: %3")
                                                 .arg(login.host)
                                                 .arg(login.port)
                                                 .arg(error);
        endSession();
        return failed(message);
    }
    if (!checkHostKey() || !signIn()) {
        endSession();
        return false;
    }

    const bool started = runOnWorker([session, &error] {
        session->sftp = sftp_new(session->ssh);
        if (!session->sftp || sftp_init(session->sftp) != SSH_OK) {
            error = session->error();
            return false;
        }
        return true;
    });
    if (!started) {
        const QString message = QStringLiteral("%1 does not offer SFTP: %2").arg(login.host, error);
        endSession();
        return failed(m_timedOut ? lostMessage(login.host, m_timeout, true, error) : message);
    }
    m_connected = true;
    // Relative names start where the server puts us.
    QString start;
    runOnWorker([session, &start] {
        char *path = sftp_canonicalize_path(session->sftp, ".");
        if (path) {
            start = QString::fromUtf8(path);
            ssh_string_free_char(path);
        }
        return true;
    });
    m_directory = start.isEmpty() ? QStringLiteral("/") : start;
    say(QStringLiteral("SFTP session started in %1").arg(m_directory));
    return true;
}

bool SftpClient::checkHostKey()
{
    const Session &session = *m_session;
    const QString host = m_login.host;
    const quint16 port = m_login.port;
    say(QStringLiteral("Host key of %1: %2 %3")
            .arg(host, session.keyType, fingerprint(session.digest)));
    const bool trustedAhead = !m_trustedDigest.isEmpty() && m_trustedDigest == session.digest;
    const QString changed = QStringLiteral(
        "The host key of %1 port %2 is not the one recorded in %3, so nothing was sent: "
        "somebody may be listening in. If the server's key was changed on purpose, remove the "
        "old entry for %1 from %3 and connect again.");

    switch (session.known) {
    case SSH_KNOWN_HOSTS_OK:
        m_acceptedDigest = session.digest;
        return true;
    case SSH_KNOWN_HOSTS_CHANGED:
    case SSH_KNOWN_HOSTS_OTHER:
        if (trustedAhead)
            break;
        return failed(changed.arg(host).arg(port).arg(m_userKnownHosts));
    case SSH_KNOWN_HOSTS_ERROR:
        say(QStringLiteral("Cannot read %1: %2").arg(m_userKnownHosts, session.error()));
        break;
    case SSH_KNOWN_HOSTS_NOT_FOUND:
    case SSH_KNOWN_HOSTS_UNKNOWN:
        break;
    }
    if (trustedAhead) {
        m_acceptedDigest = session.digest;
        return true;
    }

    SshHostList own;
    if (!m_ownKnownHosts.isEmpty() && !own.load(m_ownKnownHosts))
        return failed(own.errorMessage());
    switch (own.lookup(host, port, session.digest)) {
    case SshHostList::Match::Same:
        m_acceptedDigest = session.digest;
        return true;
    case SshHostList::Match::Changed:
        return failed(changed.arg(host).arg(port).arg(m_ownKnownHosts));
    case SshHostList::Match::Unknown:
        break;
    }

    bool trust = false;
    Q_EMIT hostKeyQuestion(host, port, session.keyType, session.digest, trust);
    if (!trust)
        return failed(
            QStringLiteral("The host key of %1 was not trusted; nothing was sent.").arg(host));
    m_acceptedDigest = session.digest;
    if (!m_ownKnownHosts.isEmpty()) {
        own.add({ host, port, session.keyType, session.digest });
        if (!own.save(m_ownKnownHosts))
            say(own.errorMessage());
    }
    return true;
}

bool SftpClient::trySignIn(const std::function<int()> &attempt, const QString &what)
{
    Session *session = m_session.get();
    int result = SSH_AUTH_ERROR;
    QString error;
    runOnWorker([&] {
        result = attempt();
        if (result == SSH_AUTH_ERROR)
            error = session->error();
        return true;
    });
    if (result == SSH_AUTH_SUCCESS) {
        say(QStringLiteral("Signed in to %1 as %2 with %3").arg(m_login.host, m_login.user, what));
        return true;
    }
    if (result == SSH_AUTH_ERROR || m_timedOut)
        m_errorMessage = m_timedOut
            ? lostMessage(m_login.host, m_timeout, true, error)
            : QStringLiteral("Signing in to %1 failed: %2").arg(m_login.host, error);
    return false;
}

bool SftpClient::signInWithKeyFile(const QString &keyFile, bool named, bool &tried, bool &skipped)
{
    Session *session = m_session.get();
    const QByteArray path = QFile::encodeName(keyFile);
    const QString what = QStringLiteral("the key file %1").arg(keyFile);

    // With the public half beside it, a key the server would refuse is
    // skipped before its passphrase is asked.
    const QByteArray publicPath = path + ".pub";
    if (QFileInfo::exists(QFile::decodeName(publicPath))) {
        int offered = SSH_AUTH_ERROR;
        runOnWorker([&] {
            ssh_key key = nullptr;
            if (ssh_pki_import_pubkey_file(publicPath.constData(), &key) != SSH_OK)
                return true;
            Key owned(key);
            offered = ssh_userauth_try_publickey(session->ssh, nullptr, key);
            return true;
        });
        if (offered == SSH_AUTH_DENIED) {
            tried = true;
            say(QStringLiteral("%1 does not take the key %2").arg(m_login.host, keyFile));
            return false;
        }
    }

    Key key;
    bool asked = false;
    auto import = [&](const QByteArray &passphrase, bool withPassphrase) {
        return runOnWorker([&] {
            ssh_key imported = nullptr;
            const int rc = ssh_pki_import_privkey_file(
                path.constData(), withPassphrase ? passphrase.constData() : nullptr,
                withPassphrase ? nullptr : refusePassphrase, &asked, &imported);
            key.reset(rc == SSH_OK ? imported : nullptr);
            return rc == SSH_OK;
        });
    };
    if (!import(QByteArray(), false)) {
        if (!asked) {
            if (named)
                return failed(QStringLiteral("Cannot read the key file %1.").arg(keyFile));
            return false;
        }
        QString passphrase;
        bool given = false;
        Q_EMIT passphraseNeeded(keyFile, passphrase, given);
        if (!given) {
            skipped = true;
            return false;
        }
        if (!import(passphrase.toUtf8(), true))
            return failed(
                QStringLiteral("The passphrase for the key file %1 is wrong.").arg(keyFile));
    }
    tried = true;
    ssh_key raw = key.get();
    return trySignIn([session, raw] { return ssh_userauth_publickey(session->ssh, nullptr, raw); },
                     what);
}

bool SftpClient::signIn()
{
    Session *session = m_session.get();
    if (trySignIn([session] { return ssh_userauth_none(session->ssh, nullptr); },
                  QStringLiteral("no credentials")))
        return true;
    if (!m_errorMessage.isEmpty())
        return false;

    QStringList tried;
    if (qEnvironmentVariableIsSet("SSH_AUTH_SOCK")) {
        tried << QStringLiteral("the SSH agent's keys");
        if (trySignIn([session] { return ssh_userauth_agent(session->ssh, nullptr); },
                      QStringLiteral("a key of the SSH agent")))
            return true;
        if (!m_errorMessage.isEmpty())
            return false;
    }

    QStringList keyFiles;
    if (!m_login.keyFile.isEmpty()) {
        keyFiles << m_login.keyFile;
    } else {
        for (const char *name : { "id_ed25519", "id_ecdsa", "id_rsa" }) {
            const QString path = QDir::homePath() + QStringLiteral("/.ssh/") + QLatin1String(name);
            if (QFileInfo::exists(path))
                keyFiles << path;
        }
    }
    for (const QString &keyFile : keyFiles) {
        bool keyTried = false;
        bool skipped = false;
        if (signInWithKeyFile(keyFile, !m_login.keyFile.isEmpty(), keyTried, skipped))
            return true;
        if (!m_errorMessage.isEmpty())
            return false;
        if (keyTried)
            tried << QStringLiteral("the key file %1").arg(keyFile);
        else if (skipped)
            tried << QStringLiteral("the key file %1 without its passphrase").arg(keyFile);
    }

    if (!m_login.password.isEmpty()) {
        tried << QStringLiteral("the password");
        const QByteArray password = m_login.password.toUtf8();
        const int methods = ssh_userauth_list(session->ssh, nullptr);
        if ((methods & SSH_AUTH_METHOD_PASSWORD)
            && trySignIn(
                [session, password] {
                    return ssh_userauth_password(session->ssh, nullptr, password.constData());
                },
                QStringLiteral("the password")))
            return true;
        if (!m_errorMessage.isEmpty())
            return false;
        // Servers that take passwords only through keyboard-interactive ask
        // for it as a single hidden answer.
        if ((methods & SSH_AUTH_METHOD_INTERACTIVE)
            && trySignIn(
                [session, password] {
                    int rc = ssh_userauth_kbdint(session->ssh, nullptr, nullptr);
                    for (int round = 0; rc == SSH_AUTH_INFO && round < 4; ++round) {
                        const int prompts = ssh_userauth_kbdint_getnprompts(session->ssh);
                        for (int i = 0; i < prompts; ++i) {
                            char echo = 0;
                            ssh_userauth_kbdint_getprompt(session->ssh, unsigned(i), &echo);
                            if (echo || prompts > 1)
                                return int(SSH_AUTH_DENIED);
                            ssh_userauth_kbdint_setanswer(session->ssh, unsigned(i),
                                                          password.constData());
                        }
                        rc = ssh_userauth_kbdint(session->ssh, nullptr, nullptr);
                    }
                    return rc == SSH_AUTH_INFO ? int(SSH_AUTH_DENIED) : rc;
                },
                QStringLiteral("the password")))
            return true;
        if (!m_errorMessage.isEmpty())
            return false;
    }

    if (tried.isEmpty())
        return failed(QStringLiteral("%1 wants a key or a password to sign in as %2, and none was "
                                     "given.")
                          .arg(m_login.host, m_login.user));
    return failed(QStringLiteral("%1 refused the sign-in as %2 (tried %3).")
                      .arg(m_login.host, m_login.user, tried.join(QStringLiteral(", "))));
}

QString SftpClient::absolute(const QString &path) const
{
    if (path.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(path);
    return QDir::cleanPath(m_directory + QLatin1Char('/') + path);
}

void SftpClient::endSession()
{
    if (!m_session)
        return;
    m_connected = false;
    if (m_busy) {
        // Called while an operation waits: that operation fails and ends.
        cutConnection();
        return;
    }
    // Saying goodbye may wait on the network: not on the caller's thread.
    Session *session = m_session.get();
    QPointer<SftpClient> self(this);
    runOnWorker([session] {
        if (session->sftp) {
            sftp_free(session->sftp);
            session->sftp = nullptr;
        }
        if (session->ssh && ssh_is_connected(session->ssh))
            ssh_disconnect(session->ssh);
        return true;
    });
    if (self)
        m_session.reset();
}

void SftpClient::disconnectFromHost()
{
    if (m_session && m_connected)
        say(QStringLiteral("Disconnecting from %1").arg(m_login.host));
    endSession();
}

namespace {

// What an SFTP status means to the user.
QString sftpError(sftp_session sftp, ssh_session ssh)
{
    switch (sftp_get_error(sftp)) {
    case SSH_FX_NO_SUCH_FILE:
    case SSH_FX_NO_SUCH_PATH:
        return QStringLiteral("no such file or folder");
    case SSH_FX_PERMISSION_DENIED:
        return QStringLiteral("permission denied");
    case SSH_FX_FILE_ALREADY_EXISTS:
        return QStringLiteral("it already exists");
    case SSH_FX_WRITE_PROTECT:
        return QStringLiteral("write protected");
    case SSH_FX_OK:
    case SSH_FX_FAILURE:
    default:
        break;
    }
    const QString detail = QString::fromUtf8(ssh_get_error(ssh));
    return detail.isEmpty() ? QStringLiteral("the server refused") : detail;
}

void putUint32(QByteArray &out, quint32 value)
{
    out += char(value >> 24);
    out += char(value >> 16);
    out += char(value >> 8);
    out += char(value);
}

void putString(QByteArray &out, const QByteArray &text)
{
    putUint32(out, quint32(text.size()));
    out += text;
}

quint32 uint32At(const QByteArray &bytes, qsizetype at)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData() + at);
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

bool readExactly(ssh_channel channel, char *to, quint32 size)
{
    quint32 done = 0;
    while (done < size) {
        const int got = ssh_channel_read(channel, to + done, size - done, 0);
        if (got <= 0)
            return false;
        done += quint32(got);
    }
    return true;
}

// The posix-rename@openssh.com request, which replaces an existing target
// in one step where the plain SFTP rename refuses it. libssh has no call
// for it, so the request goes on the SFTP channel directly: between calls
// no other request is pending, and libssh reads the channel only when a
// call of its own waits for a reply. Returns the server's status code, or
// -1 when the channel failed.
int posixRename(sftp_session sftp, const QByteArray &from, const QByteArray &to)
{
    constexpr quint32 requestId = 0x7a6e0001; // libssh counts its own ids from 1
    QByteArray body;
    body += char(SSH_FXP_EXTENDED);
    putUint32(body, requestId);
    putString(body, "posix-rename@openssh.com");
    putString(body, from);
    putString(body, to);
    QByteArray packet;
    putUint32(packet, quint32(body.size()));
    packet += body;
    if (ssh_channel_write(sftp->channel, packet.constData(), uint32_t(packet.size()))
        != int(packet.size()))
        return -1;
    QByteArray length(4, Qt::Uninitialized);
    if (!readExactly(sftp->channel, length.data(), 4))
        return -1;
    const quint32 size = uint32At(length, 0);
    if (size < 9 || size > 256 * 1024)
        return -1;
    QByteArray reply(qsizetype(size), Qt::Uninitialized);
    if (!readExactly(sftp->channel, reply.data(), size))
        return -1;
    if (quint8(reply.at(0)) != SSH_FXP_STATUS || uint32At(reply, 1) != requestId)
        return -1;
    return int(uint32At(reply, 5));
}

} // namespace

// Runs job on the worker; when it fails because the connection died or
// stalled, the session is closed and the message says so.
bool SftpClient::runSftp(const std::function<bool(QString &)> &job)
{
    if (!m_connected || !m_session)
        return failed(QStringLiteral("Not connected to an SFTP server."));
    QString error;
    m_errorMessage.clear();
    QPointer<SftpClient> self(this);
    if (runOnWorker([&] { return job(error); }))
        return true;
    if (!self)
        return false;
    if (m_timedOut || !m_session->alive()) {
        const QString detail = m_session->error();
        const bool timedOut = m_timedOut;
        endSession();
        const QString lost = lostMessage(m_login.host, m_timeout, timedOut, detail);
        return failed(error.isEmpty() || timedOut ? lost : error + QLatin1Char(' ') + lost);
    }
    return failed(error);
}

SftpClient::PathKind SftpClient::pathKind(const QString &path)
{
    const QByteArray target = absolute(path).toUtf8();
    PathKind kind = PathKind::Missing;
    Session *session = m_session.get();
    auto job = [&](QString &error) {
        Attributes attributes(sftp_stat(session->sftp, target.constData()));
        if (!attributes) {
            const int code = sftp_get_error(session->sftp);
            if (code == SSH_FX_NO_SUCH_FILE || code == SSH_FX_NO_SUCH_PATH)
                return true;
            error = QStringLiteral("Cannot look at %1 on %2: %3")
                        .arg(QString::fromUtf8(target), m_login.host,
                             sftpError(session->sftp, session->ssh));
            return false;
        }
        kind = attributes->type == SSH_FILEXFER_TYPE_DIRECTORY ? PathKind::Folder : PathKind::File;
        return true;
    };
    if (!runSftp(job))
        return PathKind::Missing;
    return kind;
}

bool SftpClient::enterDirectory(const QString &path)
{
    const QString target = absolute(path);
    const PathKind kind = pathKind(path);
    if (!m_errorMessage.isEmpty())
        return false;
    if (kind != PathKind::Folder)
        return failed(QStringLiteral("There is no folder %1 on %2.").arg(target, m_login.host));
    m_directory = target;
    return true;
}

bool SftpClient::makeFolders(const QString &folder)
{
    // On the worker: each missing part of the path is made in turn.
    Session *session = m_session.get();
    const QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path;
    for (const QString &part : parts) {
        path += QLatin1Char('/') + part;
        if (session->folders.contains(path))
            continue;
        const QByteArray name = path.toUtf8();
        Attributes attributes(sftp_stat(session->sftp, name.constData()));
        if (attributes) {
            if (attributes->type != SSH_FILEXFER_TYPE_DIRECTORY)
                return failed(QStringLiteral("Cannot make the folder %1 on %2: %3 is a file.")
                                  .arg(folder, m_login.host, path));
            session->folders.insert(path);
            continue;
        }
        if (!session->alive())
            return failed(QString());
        if (sftp_mkdir(session->sftp, name.constData(), 0755) != SSH_OK) {
            // Somebody else may have made it meanwhile.
            Attributes again(sftp_stat(session->sftp, name.constData()));
            if (!again || again->type != SSH_FILEXFER_TYPE_DIRECTORY)
                return failed(QStringLiteral("Cannot make the folder %1 on %2: %3")
                                  .arg(path, m_login.host, sftpError(session->sftp, session->ssh)));
        } else {
            sayFromWorker(QStringLiteral("Made the folder %1").arg(path));
        }
        session->folders.insert(path);
    }
    return true;
}

bool SftpClient::makeDirectory(const QString &path)
{
    const QString folder = absolute(path);
    auto job = [&](QString &error) {
        const bool ok = makeFolders(folder);
        error = m_errorMessage;
        return ok;
    };
    return runSftp(job);
}

bool SftpClient::putOnWorker(const QString &localPath, const QString &target)
{
    Session *session = m_session.get();
    QFile local(localPath);
    if (QFileInfo(localPath).isDir() || !local.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("Cannot read %1: %2")
                          .arg(localPath,
                               QFileInfo(localPath).isDir() ? QStringLiteral("it is a folder")
                                                            : local.errorString()));
    const int slash = int(target.lastIndexOf(QLatin1Char('/')));
    const QString folder = target.left(slash);
    const QString name = target.mid(slash + 1);
    if (name.isEmpty())
        return failed(QStringLiteral("No file name given for %1.").arg(localPath));
    if (!makeFolders(folder))
        return false;

    const QByteArray targetName = target.toUtf8();
    mode_t mode = 0644;
    {
        Attributes existing(sftp_stat(session->sftp, targetName.constData()));
        if (existing && existing->type == SSH_FILEXFER_TYPE_DIRECTORY)
            return failed(QStringLiteral("Cannot replace %1 on %2: it is a folder.")
                              .arg(target, m_login.host));
        // A replaced file keeps its permissions.
        if (existing && (existing->flags & SSH_FILEXFER_ATTR_PERMISSIONS))
            mode = existing->permissions & 07777;
    }
    const QByteArray partName
        = (folder + QStringLiteral("/.") + name + QStringLiteral(".tarnwick-part")).toUtf8();
    sftp_file remote
        = sftp_open(session->sftp, partName.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (!remote)
        return failed(QStringLiteral("Cannot write %1 on %2: %3")
                          .arg(target, m_login.host, sftpError(session->sftp, session->ssh)));

    auto removePart = [&] {
        if (session->alive())
            sftp_unlink(session->sftp, partName.constData());
    };
    QByteArray buffer(chunkSize, Qt::Uninitialized);
    qint64 sent = 0;
    for (;;) {
        const qint64 read = local.read(buffer.data(), buffer.size());
        if (read < 0) {
            sftp_close(remote);
            removePart();
            return failed(QStringLiteral("Cannot read %1: %2").arg(localPath, local.errorString()));
        }
        if (read == 0)
            break;
        qint64 done = 0;
        while (done < read) {
            const ssize_t written
                = sftp_write(remote, buffer.constData() + done, size_t(read - done));
            if (written <= 0) {
                const QString reason = sftpError(session->sftp, session->ssh);
                sftp_close(remote);
                removePart();
                return failed(QStringLiteral("Writing %1 on %2 failed: %3")
                                  .arg(target, m_login.host, reason));
            }
            done += written;
        }
        sent += read;
        touch();
        QMetaObject::invokeMethod(
            this, [this, sent] { Q_EMIT progress(sent); }, Qt::QueuedConnection);
    }
    if (sftp_close(remote) != SSH_OK) {
        const QString reason = sftpError(session->sftp, session->ssh);
        removePart();
        return failed(
            QStringLiteral("Writing %1 on %2 failed: %3").arg(target, m_login.host, reason));
    }
    if (sftp_extension_supported(session->sftp, "posix-rename@openssh.com", "1")) {
        const int status = posixRename(session->sftp, partName, targetName);
        if (status != SSH_FX_OK) {
            removePart();
            return failed(
                QStringLiteral("Cannot put %1 in place on %2: %3")
                    .arg(target, m_login.host,
                         status < 0
                             ? QString::fromUtf8(ssh_get_error(session->ssh))
                             : QStringLiteral("the server refused (status %1)").arg(status)));
        }
    } else if (sftp_rename(session->sftp, partName.constData(), targetName.constData()) != SSH_OK) {
        // A plain SFTP rename refuses an existing target: the old file goes
        // first, and for a moment the name is missing rather than half
        // written.
        if (!session->alive() || sftp_unlink(session->sftp, targetName.constData()) != SSH_OK
            || sftp_rename(session->sftp, partName.constData(), targetName.constData()) != SSH_OK) {
            const QString reason = sftpError(session->sftp, session->ssh);
            removePart();
            return failed(QStringLiteral("Cannot put %1 in place on %2: %3")
                              .arg(target, m_login.host, reason));
        }
    }
    sayFromWorker(QStringLiteral("Sent %1 (%2 bytes)").arg(target).arg(sent));
    return true;
}

bool SftpClient::put(const QString &localPath, const QString &remoteName)
{
    const QString target = absolute(remoteName);
    auto job = [&](QString &error) {
        const bool ok = putOnWorker(localPath, target);
        error = m_errorMessage;
        return ok;
    };
    return runSftp(job);
}

std::optional<QHash<QString, qint64>> SftpClient::fileSizes(const QString &folder)
{
    const QByteArray target = absolute(folder).toUtf8();
    std::optional<QHash<QString, qint64>> sizes;
    Session *session = m_session.get();
    auto job = [&](QString &error) {
        sftp_dir dir = sftp_opendir(session->sftp, target.constData());
        if (!dir) {
            if (!session->alive()) {
                error = QStringLiteral("Cannot look at %1 on %2.")
                            .arg(QString::fromUtf8(target), m_login.host);
                return false;
            }
            return true; // no such folder, or not readable: nothing known
        }
        QHash<QString, qint64> found;
        while (Attributes entry { sftp_readdir(session->sftp, dir) }) {
            if (entry->type == SSH_FILEXFER_TYPE_REGULAR && (entry->flags & SSH_FILEXFER_ATTR_SIZE)
                && entry->name)
                found.insert(QString::fromUtf8(entry->name), qint64(entry->size));
        }
        const bool complete = sftp_dir_eof(dir);
        sftp_closedir(dir);
        if (complete)
            sizes = std::move(found);
        else if (!session->alive())
            return false;
        return true;
    };
    if (!runSftp(job))
        return std::nullopt;
    return sizes;
}

std::optional<qint64> SftpClient::remoteSize(const QString &remoteName)
{
    const QByteArray target = absolute(remoteName).toUtf8();
    std::optional<qint64> size;
    Session *session = m_session.get();
    auto job = [&](QString &error) {
        Attributes attributes(sftp_stat(session->sftp, target.constData()));
        if (attributes && attributes->type == SSH_FILEXFER_TYPE_REGULAR
            && (attributes->flags & SSH_FILEXFER_ATTR_SIZE))
            size = qint64(attributes->size);
        if (!attributes && !session->alive()) {
            error = QStringLiteral("Cannot look at %1 on %2.")
                        .arg(QString::fromUtf8(target), m_login.host);
            return false;
        }
        return true;
    };
    if (!runSftp(job))
        return std::nullopt;
    return size;
}

} // namespace Tarnwick
