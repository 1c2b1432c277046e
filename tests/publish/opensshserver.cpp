// SPDX-License-Identifier: GPL-3.0-or-later
#include "opensshserver.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QThread>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

namespace Tarnwick {

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | mode) && file.write(bytes) == bytes.size();
}

// The separate SFTP server rather than internal-sftp: only it can log to a
// file of ours (internal-sftp logs to syslog, which a test machine may lack).
QString sftpServer()
{
    for (const char *path : { "/usr/lib/openssh/sftp-server", "/usr/libexec/openssh/sftp-server",
                              "/usr/libexec/sftp-server" }) {
        if (QFile::exists(QLatin1String(path)))
            return QLatin1String(path);
    }
    return QStringLiteral("internal-sftp");
}

} // namespace

OpenSshServer::OpenSshServer()
{
    if (const passwd *account = getpwuid(getuid()))
        m_user = QString::fromLocal8Bit(account->pw_name);
}

OpenSshServer::~OpenSshServer()
{
    kill();
}

bool OpenSshServer::run(const QString &program, const QStringList &arguments, QString *error,
                        const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    // A loaded machine may take its time.
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        if (error)
            *error = program + QStringLiteral(" failed: ")
                + QString::fromLocal8Bit(process.readAll()) + process.errorString();
        return false;
    }
    return true;
}

QString OpenSshServer::makeKey(const QString &name, const QString &passphrase)
{
    const QString path = m_work.filePath(name);
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".pub"));
    if (!run(QStringLiteral("ssh-keygen"),
             { QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"),
               QStringLiteral("-N"), passphrase, QStringLiteral("-C"), name, QStringLiteral("-f"),
               path },
             &m_error))
        return QString();
    return path;
}

bool OpenSshServer::authorize(const QString &keyFile)
{
    const QByteArray line = readFile(keyFile + QStringLiteral(".pub"));
    return !line.isEmpty()
        && writeFile(m_work.filePath(QStringLiteral("authorized_keys")), line, QIODevice::Append);
}

bool OpenSshServer::makeHostKey()
{
    ++m_hostKeys;
    const QString path = m_work.filePath(QStringLiteral("host_key"));
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".pub"));
    return run(QStringLiteral("ssh-keygen"),
               { QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"),
                 QStringLiteral("-N"), QString(), QStringLiteral("-f"), path },
               &m_error);
}

QString OpenSshServer::hostKeyLine() const
{
    const QList<QByteArray> fields
        = readFile(m_work.filePath(QStringLiteral("host_key.pub"))).simplified().split(' ');
    if (fields.size() < 2)
        return QString();
    return QString::fromLatin1(fields.at(0) + ' ' + fields.at(1));
}

QByteArray OpenSshServer::hostKeySha256() const
{
    const QStringList fields = hostKeyLine().split(QLatin1Char(' '));
    if (fields.size() < 2)
        return QByteArray();
    return QCryptographicHash::hash(QByteArray::fromBase64(fields.at(1).toLatin1()),
                                    QCryptographicHash::Sha256);
}

QString OpenSshServer::log() const
{
    return QString::fromLocal8Bit(readFile(m_work.filePath(QStringLiteral("sshd.log")))
                                  + readFile(m_work.filePath(QStringLiteral("sftp.log"))));
}

bool OpenSshServer::start(const QString &root)
{
    m_root = root;
    if (!m_work.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost)) {
            m_error = QStringLiteral("no free port");
            return false;
        }
        m_port = probe.serverPort();
    }
    if (getuid() == 0) {
        // sshd running as root insists on its privilege separation folder.
        QDir().mkpath(QStringLiteral("/run/sshd"));
    }
    return makeHostKey() && launch();
}

bool OpenSshServer::restart(bool newHostKey)
{
    stop();
    if (newHostKey && !makeHostKey())
        return false;
    return launch();
}

bool OpenSshServer::launch()
{
    const QString config = m_work.filePath(QStringLiteral("sshd_config"));
    const QString lines = QStringLiteral("ListenAddress 127.0.0.1\n"
                                         "Port %1\n"
                                         "HostKey %2\n"
                                         "AuthorizedKeysFile %3\n"
                                         "PidFile none\n"
                                         "UsePAM no\n"
                                         "StrictModes no\n"
                                         "PermitRootLogin yes\n"
                                         "PubkeyAuthentication yes\n"
                                         "PasswordAuthentication no\n"
                                         "KbdInteractiveAuthentication no\n"
                                         "LogLevel VERBOSE\n"
                                         "Subsystem sftp %4 -e -l VERBOSE -d \"%5\" 2>>\"%6\"\n")
                              .arg(m_port)
                              .arg(m_work.filePath(QStringLiteral("host_key")),
                                   m_work.filePath(QStringLiteral("authorized_keys")), sftpServer(),
                                   m_root, m_work.filePath(QStringLiteral("sftp.log")));
    if (!writeFile(config, lines.toUtf8(), QIODevice::Truncate)) {
        m_error = QStringLiteral("cannot write the server's configuration");
        return false;
    }
    const QString logPath = m_work.filePath(QStringLiteral("sshd.log"));
    const qsizetype logStart = readFile(logPath).size();
    m_process.setStandardErrorFile(logPath, QIODevice::Append);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("/usr/sbin/sshd"),
                    { QStringLiteral("-D"), QStringLiteral("-e"), QStringLiteral("-f"), config });
    if (!m_process.waitForStarted(60000)) {
        m_error = QStringLiteral("sshd did not start: ") + m_process.errorString();
        return false;
    }
    // Ready once it says it listens; a loaded machine takes its time.
    const QByteArray ready = "Server listening on 127.0.0.1 port " + QByteArray::number(m_port);
    QDeadlineTimer deadline(120000);
    while (!deadline.hasExpired()) {
        if (readFile(logPath).mid(logStart).contains(ready))
            return true;
        if (m_process.waitForFinished(50)) {
            m_error = QStringLiteral("sshd ended: ")
                + QString::fromLocal8Bit(readFile(logPath).mid(logStart));
            return false;
        }
    }
    m_error = QStringLiteral("sshd did not listen: ")
        + QString::fromLocal8Bit(readFile(logPath).mid(logStart));
    return false;
}

// The listening server and the session processes it forked; each session
// makes itself a process group of its own, so the tree is read from /proc.
QList<qint64> OpenSshServer::processTree() const
{
    QList<qint64> tree;
    if (m_process.state() == QProcess::NotRunning)
        return tree;
    tree << m_process.processId();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    QHash<qint64, qint64> parents;
    for (const QString &entry : entries) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        // "pid (name) state ppid ...": the name may hold blanks and brackets.
        const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
        const qsizetype close = stat.lastIndexOf(')');
        const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
        if (close > 0 && fields.size() > 1)
            parents.insert(pid, fields.at(1).toLongLong());
    }
    for (qsizetype i = 0; i < tree.size(); ++i) {
        for (auto it = parents.cbegin(); it != parents.cend(); ++it) {
            if (it.value() == tree.at(i) && !tree.contains(it.key()))
                tree << it.key();
        }
    }
    return tree;
}

void OpenSshServer::stop()
{
    freeze(false);
    const QList<qint64> tree = processTree();
    for (const qint64 pid : tree)
        ::kill(pid_t(pid), SIGTERM);
    if (!tree.isEmpty() && !m_process.waitForFinished(30000))
        kill();
}

void OpenSshServer::kill()
{
    const QList<qint64> tree = processTree();
    for (const qint64 pid : tree)
        ::kill(pid_t(pid), SIGKILL);
    if (!tree.isEmpty())
        m_process.waitForFinished(30000);
}

void OpenSshServer::freeze(bool frozen)
{
    for (const qint64 pid : processTree())
        ::kill(pid_t(pid), frozen ? SIGSTOP : SIGCONT);
}

} // namespace Tarnwick
