// SPDX-License-Identifier: GPL-3.0-or-later
#include "scratchfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace Tarnwick {

namespace {

// run.sh names a folder it removes when it ends, so not even a crash
// leaves files behind.
QString scratchTemplate()
{
    QString base = qEnvironmentVariable("TARNWICK_FUZZ_SCRATCH");
    if (base.isEmpty()) {
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    }
    return base + QStringLiteral("/tarnwick-fuzz-XXXXXX");
}

} // namespace

ScratchFiles::ScratchFiles()
    : m_dir(scratchTemplate())
{
    if (!m_dir.isValid()) {
        std::fprintf(stderr, "No scratch directory: %s\n", qPrintable(m_dir.errorString()));
        std::abort();
    }
}

QString ScratchFiles::newPath(const QString &name)
{
    return m_dir.filePath(QString::number(++m_count) + QLatin1Char('-') + name);
}

QString ScratchFiles::write(const QByteArray &bytes, const QString &name)
{
    const QString path = newPath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

QByteArray ScratchFiles::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace Tarnwick
