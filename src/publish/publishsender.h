// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/publishplan.h"
#include "publish/publishtransport.h"

#include <QList>
#include <QObject>

namespace Tarnwick {

class TFtpClient;

// Sends the files of a plan over an opened transport, in order. Each file's
// result is kept: a refused file, one missing here, one not started after a
// cancel or after the connection was lost.
class PublishSender final : public QObject
{
    Q_OBJECT

public:
    struct FileResult
    {
        PublishFile file;
        bool sent = false;
        QString reason; // why it did not arrive
    };

    explicit PublishSender(PublishTransport *transport, QObject *parent = nullptr);
    // Over FTP with a logged-in client.
    explicit PublishSender(TFtpClient *client, QObject *parent = nullptr);

    PublishTransport *transport() const { return m_transport; }
    void setTransport(PublishTransport *transport) { m_transport = transport; }

    QList<FileResult> send(const QList<PublishFile> &files);
    // The file in transfer is completed; no further file is started.
    void cancel() { m_stop = true; }
    bool cancelled() const { return m_stop; }
    bool sending() const { return m_sending; }

    static bool allSent(const QList<FileResult> &results);
    // The files that did not arrive with their reasons, then the names the
    // plan left out.
    static QString summaryText(const QList<FileResult> &results, const QList<PublishSkip> &skipped,
                               const QList<PublishSkip> &missing);

    static QString missingHere() { return PublishTransport::missingHere(); }
    static QString cancelledText() { return QStringLiteral("cancelled, not sent"); }
    static QString connectionLost() { return QStringLiteral("not tried: the connection was lost"); }

Q_SIGNALS:
    void fileStarted(int index, const Tarnwick::PublishFile &file);
    void fileFinished(int index, bool sent, qint64 bytesDone);

private:
    PublishTransport *m_transport;
    bool m_stop = false;
    bool m_sending = false;
};

} // namespace Tarnwick
