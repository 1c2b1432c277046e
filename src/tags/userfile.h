// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "platform/textfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Tarnwick {

// The user's definition files of the program directory (tag menus, button
// pages): one record a line, read with any line ends in UTF-8 or
// Windows-1252, written back in their encoding with CR LF after every line.
struct UserFileContent
{
    bool exists = false; // false: the file is missing (no lines, nothing wrong)
    QStringList lines;
    TextFileFormat format; // for writing the file back in its encoding
};

class UserFile final
{
public:
    UserFile() = delete;

    // A file larger than this is not a definition file.
    static constexpr qint64 maxSize = 1024 * 1024;

    // Fails for bytes that are not text (NUL bytes).
    static Expected<UserFileContent> decode(const QByteArray &bytes);
    // A missing file reads as no lines; one that exists but cannot be read as
    // text fails, so that it is neither loaded nor overwritten.
    static Expected<UserFileContent> read(const QString &path);
    // Atomic: a failed write names the file and leaves the old one as it was.
    static Result write(const QString &path, const QStringList &lines, TextFileFormat format);

    // The lines of a text ('\n', "\r\n" or "\r" between them); a final line
    // break ends the last line rather than starting an empty one.
    static QStringList splitLines(const QString &text);
};

} // namespace Tarnwick
