// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's column counting over the bytes of a page as the editor holds
// them: any bytes at all.
//
// Checks: what is counted is read as QString reads it, to the same number of
// code units; counting stops only in front of a character left to the
// editor control; advancing by a number of units ends on a character
// boundary the count agrees with, short of the units only at the end, in
// front of a surrogate pair or where the count stops.
#include "fuzzcheck.h"
#include "platform/codeunitcount.h"

#include <QString>
#include <QStringDecoder>

#include <cstddef>
#include <cstdint>

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const CodeUnitCount::Step all = CodeUnitCount::count(text);
    TARNWICK_FUZZ_CHECK(all.bytes >= 0 && all.bytes <= text.size());
    TARNWICK_FUZZ_CHECK(all.finished == (all.bytes == text.size()));
    // A byte order mark is a character here, not a mark to skip.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QByteArrayView counted = text.first(all.bytes);
    const QString read = decoder(counted);
    TARNWICK_FUZZ_CHECK(!decoder.hasError() && read.size() == all.units);
    TARNWICK_FUZZ_CHECK(read.toUtf8() == counted);

    for (const qsizetype units :
         { qsizetype(0), qsizetype(1), all.units / 2, all.units - 1, all.units, all.units + 1,
           size > 0 ? qsizetype(data[0]) : qsizetype(3) }) {
        const CodeUnitCount::Step step = CodeUnitCount::advance(text, units);
        TARNWICK_FUZZ_CHECK(step.bytes >= 0 && step.bytes <= text.size());
        TARNWICK_FUZZ_CHECK(step.units <= std::max<qsizetype>(0, units));
        const CodeUnitCount::Step before = CodeUnitCount::count(text.first(step.bytes));
        TARNWICK_FUZZ_CHECK(before.finished && before.units == step.units);
        if (!step.finished) {
            TARNWICK_FUZZ_CHECK(!all.finished && step.bytes == all.bytes);
        } else if (step.units < units && step.bytes < text.size()) {
            // In front of a four-byte character, the units ending inside it.
            TARNWICK_FUZZ_CHECK(step.units + 1 == units);
            TARNWICK_FUZZ_CHECK(uchar(text[step.bytes]) >= 0xF0);
        }
    }
    return 0;
}
