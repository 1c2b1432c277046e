// SPDX-License-Identifier: GPL-3.0-or-later
#include "lockeddirectory.h"

#include <QFile>
#include <QProcess>

namespace Tarnwick {

LockedDirectory::LockedDirectory(const QString &path)
    : m_path(path)
{
    if (QProcess::execute(QStringLiteral("chattr"), { QStringLiteral("+i"), m_path }) == 0)
        m_how = Immutable;
    else if (QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ExeOwner))
        m_how = ReadOnly;
}

LockedDirectory::~LockedDirectory()
{
    if (m_how == Immutable)
        QProcess::execute(QStringLiteral("chattr"), { QStringLiteral("-i"), m_path });
    QFile::setPermissions(m_path,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

bool LockedDirectory::locked() const
{
    QFile probe(m_path + QStringLiteral("/probe"));
    const bool writable = probe.open(QIODevice::WriteOnly);
    if (writable)
        probe.remove();
    return !writable;
}

} // namespace Tarnwick
