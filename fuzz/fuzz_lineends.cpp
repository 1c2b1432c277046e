// SPDX-License-Identifier: GPL-3.0-or-later
// A file read, its text edited, the file written back: the input is the file
// as read, then, after a two-byte length prefix cut, the edited text (itself
// read as a file, so it is text the editor could hold).
//
// Checks: an unedited file is written back byte for byte; an edited text
// reads back as itself (no line lost or merged, no character changed); the
// format remembered after a write writes the same bytes again; a text whose
// unheld or misread characters became references stays in its encoding.
#include "platform/textfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace Tarnwick;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t cut = std::min<size_t>(size - 2, size_t(data[0]) | size_t(data[1]) << 8);
    const QByteArray read(reinterpret_cast<const char *>(data + 2), qsizetype(cut));
    const QByteArray edit(reinterpret_cast<const char *>(data + 2 + cut),
                          qsizetype(size - 2 - cut));

    const TextFileContent original = TextFile::decode(read);
    check(TextFile::encode(original.text, original.format) == read);

    const QString edited = TextFile::decode(edit).text;
    const QByteArray bytes = TextFile::encode(edited, original.format);
    check(TextFile::decode(bytes).text == edited);
    const TextFileFormat written = TextFile::writtenFormat(edited, original.format);
    check(TextFile::encode(edited, written) == bytes);

    QStringList referenced = TextFile::unheldCharacters(edited, original.format);
    referenced += TextFile::misreadCharacters(TextFile::withCharacterReferences(edited, referenced),
                                              original.format);
    const QString held = TextFile::withCharacterReferences(edited, referenced);
    check(TextFile::effectiveFormat(held, original.format).encoding == original.format.encoding);
    check(TextFile::decode(TextFile::encode(held, original.format)).text == held);
    return 0;
}
