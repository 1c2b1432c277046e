// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/publishmanifest.h"
#include "publish/publishplan.h"
#include "publish/publishsender.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace Tarnwick {

// Which files of a plan a publish sends: those not recorded as sent to the
// destination, and those whose size or SHA-256 differs from the record.
// The hashes taken here are the ones recorded after the send, so no file is
// read twice.
class PublishChanges final
{
public:
    // The size of a file on the server: nothing when the server cannot tell
    // (a file sent in ASCII mode changes size on the way), a size below 0
    // when the file is not there.
    using RemoteSize = std::function<std::optional<qint64>(const PublishFile &)>;

    enum class Reason {
        New, // not in the record
        Changed, // size or SHA-256 differs from the record
        RemoteSizeDiffers, // as recorded here, but the server holds another size
        MissingOnServer, // as recorded here, but gone from the server
        SendAll, // every file asked for
        MissingHere, // not on this computer: the sender reports it
        Unreadable, // could not be read here: the sender reports it
        Unchanged, // not sent
    };

    struct Item
    {
        PublishFile file;
        Reason reason = Reason::New;
        // What was read for the hash; sha256 empty when the file could not be read.
        qint64 size = -1;
        QByteArray sha256;
        QDateTime modified;
    };

    static PublishChanges decide(const QList<PublishFile> &files, const PublishManifest &manifest,
                                 const RemoteSize &remoteSize, bool sendAll);

    // The files to send, in the order given, with why; and those left out.
    QList<Item> toSend;
    QList<Item> unchanged;

    QList<PublishFile> filesToSend() const;
    static QString reasonText(Reason reason);

    // Records each file that arrived with the hash taken before the send,
    // and forgets each that did not, so it is sent next time. A file whose
    // size or time changed since it was hashed is forgotten as well: what
    // went out may not be what was hashed.
    void update(PublishManifest &manifest, const QList<PublishSender::FileResult> &results) const;

    // The plan's dry run with the reason at the end of each line, then the
    // names left out as unchanged, the skipped and the missing names.
    QString dryRunText(const QList<PublishSkip> &skipped, const QList<PublishSkip> &missing,
                       const QString &remoteDir) const;

    // Lower-case hexadecimal SHA-256 of a file, read in blocks; empty with
    // error set when it cannot be read. size is the number of bytes read.
    static QByteArray fileSha256(const QString &path, qint64 *size, QString *error = nullptr);
};

} // namespace Tarnwick
