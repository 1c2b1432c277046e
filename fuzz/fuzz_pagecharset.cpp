// SPDX-License-Identifier: GPL-3.0-or-later
// The encoding a page declares and the encoding of its bytes: whatever the
// bytes, the declaration found is a lower-case name at a place of the page,
// the first odd byte lies within its line, well-formed UTF-8 is told apart
// from other bytes as Qt's own decoder tells them, and every finding is about
// the encoding.

#include "check/pagecharset.h"
#include "fuzzcheck.h"

#include <QStringDecoder>

#include <cstddef>
#include <cstdint>

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray page(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> lines = page.split('\n');

    if (const std::optional<PageCharset::Declaration> d = PageCharset::declared(page)) {
        TARNWICK_FUZZ_CHECK(!d->name.isEmpty() && d->name == d->name.toLower());
        TARNWICK_FUZZ_CHECK(d->line >= 1 && d->line <= lines.size());
        TARNWICK_FUZZ_CHECK(d->column >= 1 && d->column <= lines.at(d->line - 1).size());
    }

    const PageCharset::Reading reading = PageCharset::read(page);
    if (reading.bytes == PageCharset::Bytes::Ascii) {
        TARNWICK_FUZZ_CHECK(reading.line == 0 && reading.column == 0);
    } else {
        TARNWICK_FUZZ_CHECK(reading.line >= 1 && reading.line <= lines.size());
        const QByteArray &line = lines.at(reading.line - 1);
        TARNWICK_FUZZ_CHECK(reading.column >= 1 && reading.column <= line.size());
        TARNWICK_FUZZ_CHECK(static_cast<unsigned char>(line.at(reading.column - 1)) >= 0x80);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoding runs when its result is taken as a string.
    const QString decoded = utf8.decode(reading.byteOrderMark ? page.mid(3) : page);
    TARNWICK_FUZZ_CHECK(utf8.hasError() == (reading.bytes == PageCharset::Bytes::Other));

    for (const SiteFinding &f : PageCharset::check(page, QStringLiteral("p.htm"))) {
        TARNWICK_FUZZ_CHECK(f.kind == SiteFinding::Kind::Charset
                            && f.path == QStringLiteral("p.htm"));
        TARNWICK_FUZZ_CHECK(f.line >= 1 && f.line <= lines.size());
    }
    return 0;
}
