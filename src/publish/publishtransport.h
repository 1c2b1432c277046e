// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/publishconnector.h"
#include "publish/publishplan.h"

#include <QObject>
#include <QString>

#include <optional>

namespace Tarnwick {

// One way of carrying a site's files to its server (FTP, FTPS, SFTP), as the
// publishing dialog, the command-line publisher and the sender use it: open
// the connection and enter the remote directory, then put file after file.
// Each call waits for its answer while the event loop runs.
class PublishTransport : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Connects, signs in and enters site.directory (asking through the
    // prompter, if there is one, before making it).
    virtual PublishConnector::Outcome open(const PublishConnector::Site &site) = 0;
    // Forgets what the last send made (folders, transfer type).
    virtual void beginSend() { }
    // Sends one file below the remote directory, making its folders;
    // empty when it arrived, else why not.
    virtual QString put(const PublishFile &file) = 0;
    // The size the server reports for a file, when it can tell one that can
    // be held against the local size; -1 when the file is not there; nothing
    // when it cannot tell.
    virtual std::optional<qint64> remoteSize(const PublishFile &file) = 0;
    virtual bool connected() const = 0;
    // Signs off politely when still connected.
    virtual void close() = 0;

    static QString missingHere() { return QStringLiteral("missing on this computer"); }

Q_SIGNALS:
    // A line for the log.
    void display(const QString &line);
    // Bytes of the current file sent so far.
    void progress(qint64 count);
};

} // namespace Tarnwick
