// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/publishsender.h"

#include "publish/tftpclient.h"

#include <QFileInfo>

namespace Tarnwick {

PublishSender::PublishSender(TFtpClient *client, QObject *parent)
    : QObject(parent)
    , m_client(client)
{
}

QList<PublishSender::FileResult> PublishSender::send(const QList<PublishFile> &files)
{
    QList<FileResult> results;
    m_stop = false;
    m_sending = true;
    m_type = -1;
    m_folders.clear();
    qint64 done = 0;
    for (int i = 0; i < files.size(); ++i) {
        const PublishFile &file = files.at(i);
        FileResult result { file, false, {} };
        if (m_stop) {
            result.reason = cancelledText();
        } else if (!m_client->Connected()) {
            result.reason = connectionLost();
        } else {
            emit fileStarted(i, file);
            result.reason = sendOne(file);
            result.sent = result.reason.isEmpty();
            done += qMax<qint64>(file.size, 0);
            emit fileFinished(i, result.sent, done);
        }
        results.append(result);
    }
    m_sending = false;
    return results;
}

QString PublishSender::sendOne(const PublishFile &file)
{
    if (!QFileInfo(file.localPath).isFile())
        return missingHere();
    const int type = file.binary ? 1 : 0;
    // Pages share one TYPE A; each referenced file sets its own.
    if (file.kind == PublishFile::Kind::Reference || m_type != type) {
        m_client->SetBinary(file.binary);
        if (!m_client->TypeSet())
            return m_client->ErrorMessage();
        m_type = type;
    }
    if (file.kind == PublishFile::Kind::Reference)
        makeFolders(file.remoteName);
    m_client->SetHostFileName(file.remoteName);
    m_client->SetLocalFileName(file.localPath);
    m_client->SetPassive(true);
    const bool ok = m_client->Put();
    m_client->SetPassive(false);
    return ok ? QString() : m_client->ErrorMessage();
}

void PublishSender::makeFolders(const QString &remoteName)
{
    const QStringList parts = remoteName.split(QLatin1Char('/'));
    QString folder;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        folder += (folder.isEmpty() ? QString() : QStringLiteral("/")) + parts.at(i);
        if (m_folders.contains(folder))
            continue;
        m_folders.insert(folder);
        // A folder that exists answers 550; only the STOR's result counts.
        m_client->SetHostFileName(folder);
        m_client->Mkd();
        if (!m_client->Connected())
            return;
    }
}

bool PublishSender::allSent(const QList<FileResult> &results)
{
    return std::all_of(results.begin(), results.end(), [](const FileResult &r) { return r.sent; });
}

QString PublishSender::summaryText(const QList<FileResult> &results,
                                   const QList<PublishSkip> &skipped,
                                   const QList<PublishSkip> &missing)
{
    QStringList lines;
    int sent = 0;
    QStringList failed;
    for (const FileResult &r : results) {
        if (r.sent)
            ++sent;
        else
            failed << QStringLiteral("  ") + r.file.remoteName + QStringLiteral(": ") + r.reason;
    }
    lines << QStringLiteral("%1 of %2 files sent.").arg(sent).arg(results.size());
    if (!failed.isEmpty())
        lines << QString() << QStringLiteral("Not sent:") << failed;
    PublishPlan::appendSkips(lines, QStringLiteral("Skipped references:"), skipped);
    PublishPlan::appendSkips(lines, QStringLiteral("Missing references:"), missing);
    return lines.join(QLatin1Char('\n'));
}

} // namespace Tarnwick
