// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/crashrecovery.h"

#include "app/openpages.h"
#include "app/sessionfile.h"
#include "platform/prompter.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace Tarnwick {

namespace {

QString backupOf(const QString &page)
{
    return page + QLatin1Char('_');
}

std::optional<QByteArray> readBytes(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// Both files read, and the backup holds the page's text.
bool holdsPageText(const QString &page)
{
    const std::optional<QByteArray> backup = readBytes(backupOf(page));
    const std::optional<QByteArray> pageBytes = readBytes(page);
    return backup && pageBytes
        && (*backup == *pageBytes
            || TextFile::decode(*backup).text == TextFile::decode(*pageBytes).text);
}

} // namespace

CrashRecovery::CrashRecovery(SessionFile *session, OpenPages *pages, Prompter *prompter,
                             QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_pages(pages)
    , m_prompter(prompter)
{
}

std::optional<TextFileContent> CrashRecovery::leftOverText(const QString &page)
{
    const std::optional<QByteArray> backup = readBytes(backupOf(page));
    if (!backup)
        return std::nullopt;
    TextFileContent content = TextFile::decode(*backup);
    const std::optional<QByteArray> pageBytes = readBytes(page);
    if (!pageBytes)
        return content;
    if (*pageBytes == *backup)
        return std::nullopt;
    const TextFileContent onDisk = TextFile::decode(*pageBytes);
    if (onDisk.text == content.text)
        return std::nullopt;
    // Saved again later, the page keeps its own encoding and line ends.
    content.format = onDisk.format;
    return content;
}

void CrashRecovery::collect()
{
    m_leftOvers.clear();
    if (!m_session->lock() || !m_session->exists())
        return;
    const Expected<QStringList> listed = m_session->read();
    if (!listed)
        return; // not ours to judge; it is replaced by this run's list
    for (const QString &page : *listed) {
        if (std::optional<TextFileContent> text = leftOverText(page)) {
            m_leftOvers.append({ page, std::move(*text) });
        } else if (holdsPageText(page)) {
            // What a clean close would have deleted.
            QFile::remove(backupOf(page));
        }
    }
}

void CrashRecovery::offer()
{
    const QList<LeftOver> leftOvers = std::exchange(m_leftOvers, {});
    for (const LeftOver &leftOver : leftOvers) {
        const Prompter::Answer answer = m_prompter->message(
            Prompter::Kind::Confirmation,
            QStringLiteral("Recover unsaved changes to ") + leftOver.page + QLatin1Char('?'),
            Prompter::Buttons::YesNoCancel);
        if (answer == Prompter::Answer::Yes)
            m_pages->LoadRecovered(leftOver.page, leftOver.content);
        else if (answer == Prompter::Answer::No)
            QFile::remove(backupOf(leftOver.page));
        else
            m_postponed.append(leftOver.page); // closing the question decides nothing
    }
}

void CrashRecovery::track()
{
    if (m_tracking || !m_session->lock())
        return;
    m_tracking = true;
    connect(m_pages, &OpenPages::openPagesChanged, this, &CrashRecovery::writeSession);
    writeSession();
}

void CrashRecovery::finish()
{
    if (!m_tracking || m_pages->count() > 0)
        return;
    disconnect(m_pages, &OpenPages::openPagesChanged, this, &CrashRecovery::writeSession);
    m_tracking = false;
    // Backups the user has not decided on are offered again at the next start.
    if (!m_postponed.isEmpty()) {
        writeSession();
        return;
    }
    if (const Result removed = m_session->remove(); !removed)
        Q_EMIT statusText(removed.error());
}

void CrashRecovery::writeSession()
{
    QStringList listed = m_pages->fileNames();
    for (const QString &page : std::as_const(m_postponed)) {
        if (!listed.contains(page))
            listed.append(page);
    }
    if (const Result written = m_session->write(listed); !written) {
        if (!m_failing)
            Q_EMIT statusText(written.error());
        m_failing = true;
        return;
    }
    m_failing = false;
}

} // namespace Tarnwick
