// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessionfile.h"

#include "platform/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace Tarnwick {

namespace {

const QByteArray signature("Tarnwick session 1");

QString decodePath(const QByteArray &line)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(line));
}

QByteArray encodePath(const QString &path)
{
    QByteArray bytes = path.toUtf8();
    bytes.replace('%', "%25");
    bytes.replace('\r', "%0D");
    bytes.replace('\n', "%0A");
    return bytes;
}

} // namespace

SessionFile::SessionFile(const QString &programDirectory)
    : m_path(QDir(programDirectory).filePath(QStringLiteral("tarnwick.session")))
    , m_lock(m_path + QStringLiteral(".lock"))
{
    // Stale only when its process is gone: a run may last for days.
    m_lock.setStaleLockTime(0);
}

bool SessionFile::lock()
{
    return m_lock.isLocked() || m_lock.tryLock(0);
}

bool SessionFile::exists() const
{
    return QFileInfo::exists(m_path);
}

Expected<QStringList> SessionFile::read() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return Expected<QStringList>::failure(
            QStringLiteral("Could not read \"%1\": %2")
                .arg(QDir::toNativeSeparators(m_path), file.errorString()));
    return parse(file.readAll());
}

Result SessionFile::write(const QStringList &pages)
{
    return FileOps::writeFileAtomic(m_path, format(pages));
}

Result SessionFile::remove()
{
    if (!QFileInfo::exists(m_path))
        return Result::success();
    return FileOps::deleteFile(m_path);
}

Expected<QStringList> SessionFile::parse(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (lines.isEmpty() || lines.first() != signature)
        return Expected<QStringList>::failure(QStringLiteral("This is not a session file."));
    QStringList pages;
    QSet<QString> listed;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString path = decodePath(lines.at(i));
        // Qt counts ":/" resource names as absolute; they are no page files.
        if (QDir::isAbsolutePath(path) && !path.startsWith(QLatin1Char(':'))
            && !path.contains(QChar(0)) && !listed.contains(path)) {
            listed.insert(path);
            pages.append(path);
        }
    }
    return pages;
}

QByteArray SessionFile::format(const QStringList &pages)
{
    QByteArray bytes = signature + '\n';
    for (const QString &page : pages)
        bytes += encodePath(page) + '\n';
    return bytes;
}

} // namespace Tarnwick
