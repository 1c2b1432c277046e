// SPDX-License-Identifier: GPL-3.0-or-later
#include "privatekeyring.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>

namespace Tarnwick {

namespace {

// Long enough for a loaded machine to start a daemon.
constexpr int startBound = 120000;

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(10000);
    }
}

} // namespace

PrivateKeyring::PrivateKeyring()
    : m_dir(QDir::tempPath() + QStringLiteral("/tarnwick-keyring-XXXXXX"))
{
}

PrivateKeyring::~PrivateKeyring()
{
    resume();
    stop(m_keyring);
    stop(m_bus);
}

bool PrivateKeyring::start(bool withSecrets)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory");
        return false;
    }
    for (const char *sub : { "run", "home", "data" })
        QDir(m_dir.path()).mkdir(QLatin1String(sub));
    QFile::setPermissions(m_dir.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A configuration of our own: the standard session one would start the
    // system's services on demand, the real keyring among them.
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    file.write(QStringLiteral(
                   "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                   "1.0//EN\"\n \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig>\n  <type>session</type>\n  <listen>unix:dir=%1</listen>\n"
                   "  <auth>EXTERNAL</auth>\n  <policy context=\"default\">\n"
                   "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                   "    <allow eavesdrop=\"true\"/>\n    <allow own=\"*\"/>\n"
                   "  </policy>\n</busconfig>\n")
                   .arg(m_dir.path())
                   .toUtf8());
    file.close();

    m_bus.setStandardErrorFile(m_dir.filePath(QStringLiteral("bus.err")));
    m_bus.start(QStringLiteral("dbus-daemon"),
                { QStringLiteral("--config-file=") + config, QStringLiteral("--print-address"),
                  QStringLiteral("--nofork") });
    QByteArray line;
    while (!line.contains('\n') && m_bus.waitForReadyRead(startBound))
        line += m_bus.readAllStandardOutput();
    m_address = QString::fromUtf8(line).trimmed();
    if (m_address.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon gave no address: ") + m_bus.errorString();
        return false;
    }
    if (!withSecrets)
        return true;

    m_keyring.setProcessEnvironment(environment());
    m_keyring.setStandardOutputFile(m_dir.filePath(QStringLiteral("keyring.out")));
    m_keyring.setStandardErrorFile(m_dir.filePath(QStringLiteral("keyring.err")));
    m_keyring.start(QStringLiteral("gnome-keyring-daemon"),
                    { QStringLiteral("--unlock"), QStringLiteral("--components=secrets"),
                      QStringLiteral("--foreground") });
    if (!m_keyring.waitForStarted(startBound)) {
        m_error = QStringLiteral("gnome-keyring-daemon: ") + m_keyring.errorString();
        return false;
    }
    // The password of the login keyring it makes, then the end of its input.
    m_keyring.write("throwaway");
    m_keyring.closeWriteChannel();
    return waitForSecrets();
}

bool PrivateKeyring::waitForSecrets()
{
    const QString name = QStringLiteral("tarnwick-private-keyring");
    bool owned = false;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(m_address, name);
        owned = bus.isConnected()
            && QTest::qWaitFor(
                    [&] {
                        return m_keyring.state() == QProcess::NotRunning
                            || bus.interface()
                                   ->isServiceRegistered(QStringLiteral("org.freedesktop.secrets"))
                                   .value();
                    },
                    startBound)
            && m_keyring.state() == QProcess::Running;
    }
    QDBusConnection::disconnectFromBus(name);
    if (!owned)
        m_error = QStringLiteral("the Secret Service did not start: ")
            + QString::fromLocal8Bit(m_keyring.readAllStandardError());
    return owned;
}

void PrivateKeyring::enter() const
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    for (const char *name : { "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION" })
        qunsetenv(name);
}

QProcessEnvironment PrivateKeyring::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    // The desktop a session names decides which keyring QtKeychain asks.
    env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    env.remove(QStringLiteral("DESKTOP_SESSION"));
    env.remove(QStringLiteral("KDE_FULL_SESSION"));
    return env;
}

void PrivateKeyring::freeze()
{
    if (m_keyring.state() == QProcess::Running)
        ::kill(pid_t(m_keyring.processId()), SIGSTOP);
}

void PrivateKeyring::resume()
{
    if (m_keyring.state() == QProcess::Running)
        ::kill(pid_t(m_keyring.processId()), SIGCONT);
}

} // namespace Tarnwick
