// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Tarnwick {

namespace {

Result copyFailure(const QString &src, const QString &dst, const QString &reason)
{
    return Result::failure(QStringLiteral("Unable to copy ") + src + QStringLiteral(" to ") + dst
                           + QStringLiteral(": ") + reason);
}

// exists() follows symbolic links; a dangling link still occupies the name.
bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

bool FileOps::samePath(const QString &a, const QString &b)
{
    const QFileInfo first(a), second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return QDir::cleanPath(first.absoluteFilePath()) == QDir::cleanPath(second.absoluteFilePath());
}

bool FileOps::sameContent(const QString &a, const QString &b)
{
    QFile first(a), second(b);
    if (!QFileInfo(a).isFile() || !QFileInfo(b).isFile() || first.size() != second.size()
        || !first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly))
        return false;
    while (!first.atEnd()) {
        const QByteArray chunk = first.read(64 * 1024);
        if (chunk.isEmpty() || chunk != second.read(chunk.size()))
            return false;
    }
    return second.atEnd();
}

Result FileOps::copyFile(const QString &src, const QString &dst)
{
    if (!QFileInfo(src).isFile())
        return copyFailure(src, dst, QStringLiteral("the source file does not exist"));
    if (nameTaken(dst))
        return copyFailure(src, dst, QStringLiteral("the target file exists"));
    QFile file(src);
    if (!file.copy(dst))
        return copyFailure(src, dst, file.errorString());
    return Result::success();
}

Result FileOps::copyFileOverwrite(const QString &src, const QString &dst)
{
    QFile in(src);
    if (!QFileInfo(src).isFile() || !in.open(QIODevice::ReadOnly))
        return copyFailure(src, dst, QStringLiteral("the source file cannot be read"));
    if (QFileInfo(dst).isDir())
        return copyFailure(src, dst, QStringLiteral("the target is a directory"));

    QSaveFile out(dst);
    if (!out.open(QIODevice::WriteOnly))
        return copyFailure(src, dst, out.errorString());
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            return copyFailure(src, dst, in.errorString());
        }
        if (n == 0)
            break;
        if (!writeAll(out, QByteArrayView(buffer, n))) {
            const QString reason = out.errorString();
            out.cancelWriting();
            return copyFailure(src, dst, reason);
        }
    }
    if (!out.commit())
        return copyFailure(src, dst, out.errorString());
    return Result::success();
}

Result FileOps::moveFile(const QString &src, const QString &dst)
{
    const auto failure = [&](const QString &reason) {
        return Result::failure(QStringLiteral("Unable to move ") + src + QStringLiteral(" to ")
                               + dst + QStringLiteral(": ") + reason);
    };
    if (!nameTaken(src))
        return failure(QStringLiteral("the source file does not exist"));
    if (nameTaken(dst))
        return failure(QStringLiteral("the target file exists"));
    // QFile::rename never replaces an existing target and copies across file systems.
    QFile file(src);
    if (!file.rename(dst))
        return failure(file.errorString());
    return Result::success();
}

Result FileOps::deleteFile(const QString &path)
{
    QFile file(path);
    if (!nameTaken(path))
        return Result::failure(QStringLiteral("Unable to delete ") + path
                               + QStringLiteral(": the file does not exist"));
    if (!file.remove())
        return Result::failure(QStringLiteral("Unable to delete ") + path + QStringLiteral(": ")
                               + file.errorString());
    return Result::success();
}

Result FileOps::moveToTrash(const QString &path)
{
    const auto failure = [&](const QString &reason) {
        return Result::failure(QStringLiteral("Unable to move ") + path
                               + QStringLiteral(" to the trash: ") + reason);
    };
    if (!nameTaken(path))
        return failure(QStringLiteral("the file does not exist"));
    // Without the user's data folder Qt makes its trash below the working
    // directory, so the folder is made first.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QFile file(path);
    if (!file.moveToTrash())
        return failure(file.errorString());
    if (QDir::isRelativePath(file.fileName())) {
        QFile::rename(file.fileName(), path);
        return failure(QStringLiteral("no trash folder could be made"));
    }
    return Result::success();
}

qint64 FileOps::fileSize(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

FileOps::BoundedRead FileOps::readAtMost(const QString &path, qint64 limit)
{
    BoundedRead read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.error = file.errorString();
        return read;
    }
    read.bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        read.error = file.errorString();
        read.bytes.clear();
    } else if (read.bytes.size() > limit) {
        read.tooLarge = true;
        read.bytes.clear();
    }
    return read;
}

Result FileOps::writeFileAtomic(const QString &path, const QByteArray &bytes)
{
    const auto failure = [&](const QString &reason) {
        return Result::failure(QStringLiteral("Unable to write to ") + path + QStringLiteral(": ")
                               + reason);
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    if (!writeAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit())
        return failure(file.errorString());
    return Result::success();
}

bool FileOps::writeAll(QFileDevice &file, QByteArrayView bytes)
{
    // A write the disk takes only part of comes back short without a cause;
    // writing the rest then fails with the real one (disk full, size limit).
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            return false;
        written += n;
    }
    // A short flush keeps what it could not write, so the second one says why.
    return file.flush() || file.flush();
}

} // namespace Tarnwick
