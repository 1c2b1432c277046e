// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/publishchanges.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>

namespace Tarnwick {

namespace {

constexpr qint64 blockSize = 256 * 1024;

// The file as it stands on disk now: size and time of last change.
bool sameOnDisk(const QString &path, qint64 size, const QDateTime &modified)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() == size && info.lastModified() == modified;
}

} // namespace

QByteArray PublishChanges::fileSha256(const QString &path, qint64 *size, QString *error)
{
    *size = -1;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray block(blockSize, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 n = file.read(block.data(), blockSize);
        if (n < 0) {
            if (error)
                *error = file.errorString();
            return {};
        }
        if (n == 0)
            break;
        hash.addData(QByteArrayView(block.constData(), n));
        total += n;
    }
    *size = total;
    return hash.result().toHex();
}

PublishChanges PublishChanges::decide(const QList<PublishFile> &files,
                                      const PublishManifest &manifest, const RemoteSize &remoteSize,
                                      bool sendAll)
{
    PublishChanges changes;
    for (const PublishFile &file : files) {
        Item item;
        item.file = file;
        const QFileInfo info(file.localPath);
        if (!info.isFile()) {
            item.reason = Reason::MissingHere;
            changes.toSend.append(item);
            continue;
        }
        item.modified = info.lastModified();
        const qint64 statSize = info.size();
        item.sha256 = fileSha256(file.localPath, &item.size);
        if (item.sha256.isEmpty()) {
            item.reason = Reason::Unreadable;
            changes.toSend.append(item);
            continue;
        }
        const bool steady
            = item.size == statSize && sameOnDisk(file.localPath, item.size, item.modified);
        const std::optional<PublishManifest::Entry> recorded = manifest.entry(file.remoteName);
        if (sendAll)
            item.reason = Reason::SendAll;
        else if (!recorded)
            item.reason = Reason::New;
        else if (!steady || recorded->size != item.size || recorded->sha256 != item.sha256)
            item.reason = Reason::Changed;
        else
            item.reason = Reason::Unchanged;
        if (!steady)
            item.sha256.clear(); // changed while it was read: nothing to record
        if (item.reason == Reason::Unchanged && remoteSize) {
            // Asked only here: a file sent anyway needs no question to the server.
            if (const std::optional<qint64> there = remoteSize(file)) {
                if (*there < 0)
                    item.reason = Reason::MissingOnServer;
                else if (*there != item.size)
                    item.reason = Reason::RemoteSizeDiffers;
            }
        }
        (item.reason == Reason::Unchanged ? changes.unchanged : changes.toSend).append(item);
    }
    return changes;
}

QList<PublishFile> PublishChanges::filesToSend() const
{
    QList<PublishFile> files;
    files.reserve(toSend.size());
    for (const Item &item : toSend)
        files.append(item.file);
    return files;
}

QString PublishChanges::reasonText(Reason reason)
{
    switch (reason) {
    case Reason::New:
        return QStringLiteral("new");
    case Reason::Changed:
        return QStringLiteral("changed");
    case Reason::RemoteSizeDiffers:
        return QStringLiteral("remote size differs");
    case Reason::MissingOnServer:
        return QStringLiteral("missing on the server");
    case Reason::SendAll:
        return QStringLiteral("send all files");
    case Reason::MissingHere:
        return QStringLiteral("missing on this computer");
    case Reason::Unreadable:
        return QStringLiteral("not readable on this computer");
    case Reason::Unchanged:
        return QStringLiteral("unchanged");
    }
    return {};
}

void PublishChanges::update(PublishManifest &manifest,
                            const QList<PublishSender::FileResult> &results) const
{
    QHash<QString, const Item *> items;
    for (const Item &item : unchanged)
        items.insert(item.file.remoteName, &item);
    for (const Item &item : toSend)
        items.insert(item.file.remoteName, &item);
    QHash<QString, bool> arrived;
    for (const PublishSender::FileResult &result : results) {
        const QString &name = result.file.remoteName;
        arrived.insert(name, result.sent);
        const Item *item = items.value(name);
        if (result.sent && item && !item->sha256.isEmpty()
            && sameOnDisk(item->file.localPath, item->size, item->modified))
            manifest.record(name, item->size, item->sha256);
        else
            manifest.forget(name);
    }
    // A file meant to go that the send says nothing of may not have arrived.
    for (const Item &item : toSend) {
        if (!arrived.contains(item.file.remoteName))
            manifest.forget(item.file.remoteName);
    }
}

QString PublishChanges::dryRunText(const QList<PublishSkip> &skipped,
                                   const QList<PublishSkip> &missing,
                                   const QString &remoteDir) const
{
    QString base = remoteDir;
    while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const QString prefix = base.isEmpty() ? QString() : base + QLatin1Char('/');
    const QList<PublishFile> files = filesToSend();
    QStringList lines;
    lines << QStringLiteral("Files that will be sent (%1, %2 bytes):")
                 .arg(files.size())
                 .arg(QLocale::c().toString(PublishPlan::bytes(files)));
    for (const Item &item : toSend) {
        const PublishFile &f = item.file;
        lines << QStringLiteral("  %1  %2  %3  -> %4  (%5)")
                     .arg(f.localPath,
                          f.size < 0 ? QStringLiteral("missing")
                                     : QLocale::c().toString(f.size) + QStringLiteral(" bytes"),
                          f.binary ? QStringLiteral("binary") : QStringLiteral("ASCII"),
                          prefix + f.remoteName, reasonText(item.reason));
    }
    if (!unchanged.isEmpty()) {
        lines << QString()
              << QStringLiteral("Unchanged, not sent (%1 files):").arg(unchanged.size());
        for (const Item &item : unchanged)
            lines << QStringLiteral("  ") + item.file.remoteName;
    }
    PublishPlan::appendSkips(lines, QStringLiteral("Skipped references:"), skipped);
    PublishPlan::appendSkips(lines, QStringLiteral("Missing references:"), missing);
    return lines.join(QLatin1Char('\n'));
}

} // namespace Tarnwick
