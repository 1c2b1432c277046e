// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

namespace Tarnwick {

// How a page file was stored, so that saving writes it back the same way.
struct TextFileFormat
{
    enum class Encoding { Utf8, Windows1252 };
    enum class LineEnd { LF, CRLF, CR };

    Encoding encoding = Encoding::Utf8;
    LineEnd lineEnd = LineEnd::LF;
    bool utf8Bom = false;

    friend bool operator==(const TextFileFormat &, const TextFileFormat &) = default;
};

struct TextFileContent
{
    QString text; // line ends normalised to '\n'
    TextFileFormat format;
};

// Reading and writing whole text files. A file is read as UTF-8 when it is
// valid UTF-8, otherwise as Windows-1252; its dominant line end is recorded.
// Writing goes through QSaveFile: a failed write leaves the old file intact.
class TextFile
{
public:
    static TextFileContent decode(const QByteArray &bytes);
    static QByteArray encode(const QString &text, const TextFileFormat &format);

    static Expected<TextFileContent> read(const QString &path);
    static Result write(const QString &path, const QString &text, const TextFileFormat &format);

    // The format encode() and write() really use for text: a Windows-1252 file
    // whose text gained characters that code page cannot hold is written as
    // UTF-8 (without BOM) rather than losing them. Everything else is kept.
    static TextFileFormat effectiveFormat(const QString &text, const TextFileFormat &format);

    // Turns CR LF and bare CR into LF.
    static QString normaliseLineEnds(const QString &text);
};

} // namespace Tarnwick
