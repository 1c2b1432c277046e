// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/publishdestination.h"

#include <QDir>
#include <QUrl>

namespace Tarnwick {

PublishDestination PublishDestination::make(const QString &kind, const QString &host, int port,
                                            const QString &user, const QString &folder)
{
    PublishDestination d;
    d.kind = kind.trimmed().toLower();
    d.host = host.trimmed().toLower();
    if (d.host.startsWith(QLatin1Char('[')) && d.host.endsWith(QLatin1Char(']')))
        d.host = d.host.mid(1, d.host.size() - 2);
    d.port = port;
    d.user = user;
    d.folder = cleanFolder(folder);
    return d;
}

QString PublishDestination::cleanFolder(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QString clean = QDir::cleanPath(folder);
    return clean == QStringLiteral(".") ? QString() : clean;
}

QString PublishDestination::key() const
{
    const QString lowHost = host.toLower();
    const QString hostPart = lowHost.contains(QLatin1Char(':'))
        ? QLatin1Char('[') + lowHost + QLatin1Char(']')
        : lowHost;
    // The user may hold "@", ":" or "/"; the folder comes last and needs no escaping.
    return kind.toLower() + QStringLiteral("://")
        + QString::fromLatin1(QUrl::toPercentEncoding(user)) + QLatin1Char('@') + hostPart
        + QLatin1Char(':') + QString::number(port) + QLatin1Char('/') + cleanFolder(folder);
}

} // namespace Tarnwick
