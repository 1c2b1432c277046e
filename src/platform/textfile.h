// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/lineends.h"
#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace Tarnwick {

// How a page file was stored, so that saving writes it back the same way.
struct TextFileFormat
{
    enum class Encoding { Utf8, Windows1252 };
    using LineEnd = Tarnwick::LineEnd;

    Encoding encoding = Encoding::Utf8;
    LineEnd lineEnd = LineEnd::LF; // the file's main line end; lines typed in get it
    bool utf8Bom = false;
    LineEnds lineEnds; // where the file has other line ends

    // Every line end is written as `end` from now on.
    void setUniformLineEnd(LineEnd end)
    {
        lineEnd = end;
        lineEnds = LineEnds();
    }

    friend bool operator==(const TextFileFormat &, const TextFileFormat &) = default;
};

struct TextFileContent
{
    QString text; // line ends normalised to '\n'
    TextFileFormat format;
    bool looksLikeText = true; // false when it holds NUL bytes or many control characters
};

// Reading and writing whole text files. A file is read as UTF-8 when it is
// valid UTF-8, otherwise as Windows-1252, and written back in that encoding
// with every line end as it was read (see LineEnds): a file read and written
// without a change keeps every byte. Writing goes through QSaveFile: a failed
// write leaves the old file intact.
class TextFile
{
public:
    static TextFileContent decode(const QByteArray &bytes);
    static QByteArray encode(const QString &text, const TextFileFormat &format);

    static Expected<TextFileContent> read(const QString &path);
    static Result write(const QString &path, const QString &text, const TextFileFormat &format);

    // The format encode() and write() really use for text: a Windows-1252 file
    // whose text the code page cannot hold, or whose bytes would read back as
    // other (UTF-8) text, is written as UTF-8 without BOM, so that what is
    // written always reads back as the same text. Pages settle this with the
    // user first (unheldCharacters, misreadCharacters).
    static TextFileFormat effectiveFormat(const QString &text, const TextFileFormat &format);
    // The format of the file that write(path, text, format) made: what the
    // next write of that file starts from.
    static TextFileFormat writtenFormat(const QString &text, const TextFileFormat &format);

    // The characters of text the format's encoding cannot hold, each once, in
    // the order they first appear.
    static QStringList unheldCharacters(const QString &text, const TextFileFormat &format);
    // For Windows-1252 text that it can hold but whose bytes are also valid
    // UTF-8 (and would read back as other text): every non-ASCII character of
    // it, each once. Written as character references, the text reads back the
    // same. Empty in every other case.
    static QStringList misreadCharacters(const QString &text, const TextFileFormat &format);
    // "&#937;" for "Ω".
    static QString characterReference(const QString &character);
    static QString withCharacterReferences(const QString &text, const QStringList &characters);

    // Turns CR LF and bare CR into LF.
    static QString normaliseLineEnds(const QString &text);

    // The text of the bytes with their line ends as they stand, in the
    // encoding decode() reads them in (the UTF-8 mark not included).
    static QString rawText(const QByteArray &bytes, TextFileFormat *format);
    // Raw text back to bytes in the format's encoding (and mark): the bytes
    // rawText() read, for the same text. Nothing when Windows-1252 cannot hold
    // a character of it.
    static std::optional<QByteArray> rawBytes(const QString &raw, const TextFileFormat &format);
};

} // namespace Tarnwick
