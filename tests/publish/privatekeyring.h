// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace Tarnwick {

// A desktop keyring of the test's own: a private session bus (dbus-daemon)
// and, when asked for, gnome-keyring's Secret Service in it, unlocked with a
// throwaway password. Its files live in a temporary directory (HOME,
// XDG_RUNTIME_DIR and XDG_DATA_HOME of the daemons point there), so the
// user's real keyring is never touched. The daemons end with the object.
class PrivateKeyring final
{
public:
    PrivateKeyring();
    ~PrivateKeyring();
    PrivateKeyring(const PrivateKeyring &) = delete;
    PrivateKeyring &operator=(const PrivateKeyring &) = delete;

    // The bus alone, or the bus with the Secret Service answering on it.
    bool start(bool withSecrets = true);
    QString error() const { return m_error; }
    QString busAddress() const { return m_address; }

    // Points this process's session bus at the private one. Call it before
    // anything in the process talks to the keyring.
    void enter() const;
    // The environment of a child process that is to use this keyring.
    QProcessEnvironment environment() const;

    // Stops the Secret Service without letting it go of its bus name, so
    // that it takes calls and answers none; resume() lets it go on.
    void freeze();
    void resume();

private:
    bool waitForSecrets();

    QTemporaryDir m_dir;
    QProcess m_bus;
    QProcess m_keyring;
    QString m_address;
    QString m_error;
};

} // namespace Tarnwick
