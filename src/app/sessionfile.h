// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// The session file of a Tarnwick home lists the pages open while the program
// runs; a clean exit removes it. Finding it at start means the last run did
// not end cleanly. Only one running program keeps it: the lock beside it is
// held for the whole run, and one left by a process that is gone is taken over.
class SessionFile final
{
public:
    explicit SessionFile(const QString &programDirectory);

    QString path() const { return m_path; }

    // False when another running program keeps the session of this home.
    bool lock();
    bool locked() const { return m_lock.isLocked(); }

    bool exists() const;
    Expected<QStringList> read() const;
    Result write(const QStringList &pages);
    Result remove();

    // The file's contents: a first line naming the format, then one absolute
    // path a line. "%", CR and LF in a path are percent-encoded. Reading skips
    // lines that are no absolute path and pages listed twice.
    static Expected<QStringList> parse(const QByteArray &bytes);
    static QByteArray format(const QStringList &pages);

private:
    QString m_path;
    QLockFile m_lock;
};

} // namespace Tarnwick
