// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>

namespace Tarnwick {

// FTP passwords in the desktop keyring: a Secret Service on the session bus,
// reached through QtKeychain under the service name "Tarnwick", one entry a
// site (FtpAddress::siteKey). QtKeychain answers asynchronously; every call
// here waits for its answer in a local event loop, so callers get a plain
// result. A keyring that does not answer in time is taken for no keyring from
// then on, so that a dialog never waits for it twice.
class PasswordStore final
{
public:
    static inline const QString Service = QStringLiteral("Tarnwick");

    // probeMs bounds the question whether a Secret Service is there at all;
    // answerMs bounds each read, write or removal (an unlock prompt of the
    // keyring counts against it).
    explicit PasswordStore(int probeMs = 3000, int answerMs = 15000);

    // A Secret Service answers on the session bus ($DBUS_SESSION_BUS_ADDRESS,
    // else $XDG_RUNTIME_DIR/bus). A keyring that answered, or that stayed
    // silent, is taken to stay so; a missing one is looked for again next time.
    bool available();

    // The password kept for key; an empty string when the keyring holds none.
    Expected<QString> read(const QString &key);
    // An empty password removes the entry.
    Result write(const QString &key, const QString &password);
    // No entry is no failure.
    Result remove(const QString &key);

    static QString noKeyring();

private:
    enum class State { Unknown, Answers, Absent, Silent };
    State probe() const;
    void silent() { m_state = State::Silent; }

    int m_probeMs;
    int m_answerMs;
    State m_state = State::Unknown;
};

} // namespace Tarnwick
