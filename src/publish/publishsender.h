// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "publish/publishplan.h"

#include <QList>
#include <QObject>
#include <QSet>

namespace Tarnwick {

class TFtpClient;

// Sends the files of a plan over a logged-in client: pages in ASCII after
// one TYPE A; each referenced file with its own TYPE, after MKD of each
// remote folder level not made yet in this send. Each file's result is kept:
// a refused file, one missing here, one not started after a cancel or after
// the connection was lost.
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

    explicit PublishSender(TFtpClient *client, QObject *parent = nullptr);

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

    static QString missingHere() { return QStringLiteral("missing on this computer"); }
    static QString cancelledText() { return QStringLiteral("cancelled, not sent"); }
    static QString connectionLost() { return QStringLiteral("not tried: the connection was lost"); }

Q_SIGNALS:
    void fileStarted(int index, const Tarnwick::PublishFile &file);
    void fileFinished(int index, bool sent, qint64 bytesDone);

private:
    QString sendOne(const PublishFile &file);
    void makeFolders(const QString &remoteName);

    TFtpClient *m_client;
    bool m_stop = false;
    bool m_sending = false;
    int m_type = -1; // TYPE last set: 0 ASCII, 1 binary
    QSet<QString> m_folders; // made in this send
};

} // namespace Tarnwick
