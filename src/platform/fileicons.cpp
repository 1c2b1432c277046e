// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fileicons.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace Tarnwick {

QIcon FileIcons::icon(IconType type) const
{
    return QFileIconProvider::icon(type);
}

QIcon FileIcons::icon(const QFileInfo &info) const
{
    const QString key = info.isDir() ? QStringLiteral("/") : info.suffix().toLower();
    QMutexLocker locker(&m_lock);
    if (const auto known = m_byExtension.constFind(key); known != m_byExtension.cend())
        return *known;
    QIcon icon;
    if (info.isDir()) {
        icon = QFileIconProvider::icon(Folder);
    } else {
        const QMimeType mime
            = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        icon = QIcon::fromTheme(mime.iconName());
        if (icon.isNull())
            icon = QIcon::fromTheme(mime.genericIconName());
        if (icon.isNull())
            icon = QFileIconProvider::icon(File);
    }
    m_byExtension.insert(key, icon);
    return icon;
}

QString FileIcons::type(const QFileInfo &info) const
{
    if (info.isDir())
        return QStringLiteral("Folder");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper() + QStringLiteral(" File");
}

} // namespace Tarnwick
