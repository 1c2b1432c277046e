// SPDX-License-Identifier: GPL-3.0-or-later
// Page files: any bytes decode; writing the text back in the format it was
// read with and reading that again gives the same text and format.

#include "fuzzcheck.h"
#include "platform/textfile.h"

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const TextFileContent read = TextFile::decode(bytes);
    TARNWICK_FUZZ_CHECK(!read.text.contains(QLatin1Char('\r')));
    TARNWICK_FUZZ_CHECK(TextFile::effectiveFormat(read.text, read.format) == read.format);

    const QByteArray written = TextFile::encode(read.text, read.format);
    const TextFileContent again = TextFile::decode(written);
    TARNWICK_FUZZ_CHECK(again.text == read.text);
    TARNWICK_FUZZ_CHECK(again.format == read.format);
    // A second save of an unchanged page gives the same bytes.
    TARNWICK_FUZZ_CHECK(TextFile::encode(again.text, again.format) == written);
    return 0;
}
