// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QFileDevice;

namespace Tarnwick {

// File operations the commands need, each reporting failure with a readable
// text. Nothing here overwrites a file unless its name says so.
class FileOps final
{
public:
    FileOps() = delete;

    // Fails when dst exists.
    static Result copyFile(const QString &src, const QString &dst);
    // Replaces dst atomically: a failed copy leaves the old dst intact.
    static Result copyFileOverwrite(const QString &src, const QString &dst);
    // Renames, or copies and deletes across file systems. Fails when dst exists.
    static Result moveFile(const QString &src, const QString &dst);
    static Result deleteFile(const QString &path);
    // Moves the file to the desktop's trash, from where the user can get it back.
    static Result moveToTrash(const QString &path);
    // Whether two paths name one file or directory: the file system decides
    // when both exist (links, two spellings of one directory), else their
    // cleaned absolute forms are compared, with case.
    static bool samePath(const QString &a, const QString &b);
    // Whether two regular files hold the same bytes.
    static bool sameContent(const QString &a, const QString &b);
    // Size in bytes, -1 when the path names no regular file.
    static qint64 fileSize(const QString &path);
    static Result writeFileAtomic(const QString &path, const QByteArray &bytes);

    struct BoundedRead
    {
        QByteArray bytes; // empty when the file is too large or unreadable
        QString error; // why it could not be opened or read
        bool tooLarge = false; // more than the limit
    };
    // The bytes of a file that holds at most limit of them. Reads no further
    // than one byte past the limit, so a file that grew since it was listed,
    // or a device without end, never fills the memory.
    static BoundedRead readAtMost(const QString &path, qint64 limit);
    // Writes all of bytes to file and flushes them; false with the cause in
    // file.errorString() when the disk did not take them all. Use it before
    // QSaveFile::commit(), which renames a file that its own final flush cut
    // short and still reports success.
    static bool writeAll(QFileDevice &file, QByteArrayView bytes);
};

} // namespace Tarnwick
