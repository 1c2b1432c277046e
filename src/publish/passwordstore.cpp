// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/passwordstore.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QUuid>

#include <qt6keychain/keychain.h>

namespace Tarnwick {

namespace {

QString sessionBusAddress()
{
    // Read now rather than through QDBusConnection::sessionBus(), whose
    // address is fixed at its first use.
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString socket = runtime + QStringLiteral("/bus");
    if (!runtime.isEmpty() && QFileInfo(socket).exists())
        return QStringLiteral("unix:path=") + socket;
    return QString();
}

struct JobOutcome
{
    bool answered = false;
    QKeychain::Error error = QKeychain::NoError;
    QString errorText;
    QString text;
};

// Starts job and waits for it at most ms. A job that has not answered by
// then is left to delete itself whenever it ends; nothing here hears of it.
JobOutcome await(QKeychain::Job *job, int ms)
{
    JobOutcome outcome;
    job->setAutoDelete(true);
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&](QKeychain::Job *done) {
        outcome.answered = true;
        outcome.error = done->error();
        outcome.errorText = done->errorString();
        if (auto *read = qobject_cast<QKeychain::ReadPasswordJob *>(done))
            outcome.text = read->textData();
        loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    job->start();
    if (!outcome.answered)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return outcome;
}

} // namespace

PasswordStore::PasswordStore(int probeMs, int answerMs)
    : m_probeMs(probeMs)
    , m_answerMs(answerMs)
{
}

QString PasswordStore::noKeyring()
{
    return QStringLiteral("No desktop keyring is running.");
}

PasswordStore::State PasswordStore::probe() const
{
    const QString address = sessionBusAddress();
    if (address.isEmpty())
        return State::Absent;
    const QString name = QStringLiteral("tarnwick-keyring-probe-")
        + QUuid::createUuid().toString(QUuid::WithoutBraces);
    State state = State::Absent;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(address, name);
        if (bus.isConnected()) {
            // Ping starts a Secret Service the bus knows how to start, and
            // fails at once on a bus that has none.
            const QDBusMessage ping = QDBusMessage::createMethodCall(
                QStringLiteral("org.freedesktop.secrets"),
                QStringLiteral("/org/freedesktop/secrets"),
                QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
            QDBusPendingCallWatcher watcher(bus.asyncCall(ping, m_probeMs));
            QEventLoop loop;
            QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop,
                             &QEventLoop::quit);
            QTimer::singleShot(m_probeMs + 500, &loop, &QEventLoop::quit);
            if (!watcher.isFinished())
                loop.exec(QEventLoop::ExcludeUserInputEvents);
            if (!watcher.isFinished() || watcher.error().type() == QDBusError::Timeout
                || watcher.error().type() == QDBusError::NoReply)
                state = State::Silent;
            else if (!watcher.isError())
                state = State::Answers;
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return state;
}

bool PasswordStore::available()
{
    if (m_state == State::Unknown || m_state == State::Absent)
        m_state = probe();
    return m_state == State::Answers;
}

Expected<QString> PasswordStore::read(const QString &key)
{
    if (!available())
        return Expected<QString>::failure(noKeyring());
    auto *job = new QKeychain::ReadPasswordJob(Service);
    job->setKey(key);
    const JobOutcome outcome = await(job, m_answerMs);
    if (!outcome.answered) {
        silent();
        return Expected<QString>::failure(QStringLiteral("The desktop keyring did not answer."));
    }
    if (outcome.error == QKeychain::EntryNotFound)
        return QString();
    if (outcome.error != QKeychain::NoError)
        return Expected<QString>::failure(outcome.errorText);
    return outcome.text;
}

Result PasswordStore::write(const QString &key, const QString &password)
{
    if (password.isEmpty())
        return remove(key);
    if (!available())
        return Result::failure(noKeyring());
    auto *job = new QKeychain::WritePasswordJob(Service);
    job->setKey(key);
    job->setTextData(password);
    const JobOutcome outcome = await(job, m_answerMs);
    if (!outcome.answered) {
        silent();
        return Result::failure(QStringLiteral("The desktop keyring did not answer."));
    }
    if (outcome.error != QKeychain::NoError)
        return Result::failure(outcome.errorText);
    return Result::success();
}

Result PasswordStore::remove(const QString &key)
{
    if (!available())
        return Result::failure(noKeyring());
    auto *job = new QKeychain::DeletePasswordJob(Service);
    job->setKey(key);
    const JobOutcome outcome = await(job, m_answerMs);
    if (!outcome.answered) {
        silent();
        return Result::failure(QStringLiteral("The desktop keyring did not answer."));
    }
    if (outcome.error != QKeychain::NoError && outcome.error != QKeychain::EntryNotFound)
        return Result::failure(outcome.errorText);
    return Result::success();
}

} // namespace Tarnwick
