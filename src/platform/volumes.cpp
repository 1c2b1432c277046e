// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>

namespace Tarnwick {

namespace {

// Mount table fields write blanks, tabs, newlines and backslashes as octal escapes.
QString unescapeMountField(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                out.append(char(code));
                i += 3;
                continue;
            }
        }
        out.append(field.at(i));
    }
    return QString::fromLocal8Bit(out);
}

} // namespace

QStringList Volumes::browsable()
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()
            && !volume.rootPath().startsWith(QStringLiteral("/proc"))
            && !volume.rootPath().startsWith(QStringLiteral("/sys"))
            && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    if (!roots.contains(QDir::homePath()))
        roots.prepend(QDir::homePath());
    return roots;
}

bool Volumes::isVirtualFileSystemType(const QByteArray &type)
{
    static const QByteArrayList types = {
        "proc",       "sysfs",       "devtmpfs", "devpts",          "cgroup",
        "cgroup2",    "debugfs",     "tracefs",  "securityfs",      "pstore",
        "bpf",        "configfs",    "fusectl",  "mqueue",          "hugetlbfs",
        "autofs",     "binfmt_misc", "efivarfs", "selinuxfs",       "nsfs",
        "rpc_pipefs", "nfsd",        "ramfs",    "fuse.gvfsd-fuse", "fuse.portal",
    };
    return types.contains(type);
}

QStringList Volumes::virtualMountPoints()
{
    QStringList points;
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (mounts.open(QIODevice::ReadOnly)) {
        // "device mountpoint type options dump pass", one mount a line.
        for (const QByteArray &line : mounts.readAll().split('\n')) {
            const QByteArrayList fields = line.split(' ');
            if (fields.size() >= 3 && isVirtualFileSystemType(fields.at(2)))
                points.append(unescapeMountField(fields.at(1)));
        }
    }
    for (const char *known : { "/proc", "/sys", "/dev" }) {
        const QString path = QString::fromLatin1(known);
        if (!points.contains(path) && QDir(path).exists())
            points.append(path);
    }
    return points;
}

} // namespace Tarnwick
