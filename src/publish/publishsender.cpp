// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/publishsender.h"

#include "publish/ftptransport.h"

namespace Tarnwick {

PublishSender::PublishSender(PublishTransport *transport, QObject *parent)
    : QObject(parent)
    , m_transport(transport)
{
}

PublishSender::PublishSender(TFtpClient *client, QObject *parent)
    : QObject(parent)
    , m_transport(new FtpTransport(client, nullptr, this))
{
}

QList<PublishSender::FileResult> PublishSender::send(const QList<PublishFile> &files)
{
    QList<FileResult> results;
    m_stop = false;
    m_sending = true;
    m_transport->beginSend();
    qint64 done = 0;
    for (int i = 0; i < files.size(); ++i) {
        const PublishFile &file = files.at(i);
        FileResult result { file, false, {} };
        if (m_stop) {
            result.reason = cancelledText();
        } else if (!m_transport->connected()) {
            result.reason = connectionLost();
        } else {
            emit fileStarted(i, file);
            result.reason = m_transport->put(file);
            result.sent = result.reason.isEmpty();
            done += qMax<qint64>(file.size, 0);
            emit fileFinished(i, result.sent, done);
        }
        results.append(result);
    }
    m_sending = false;
    return results;
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
