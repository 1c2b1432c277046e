// SPDX-License-Identifier: GPL-3.0-or-later
// Rating labels of pages as the rating dialog reads them: every level read is
// one of the list's, and a label written from what was read reads back the same.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "tags/safesurflabel.h"

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString label = QString::fromUtf8(input.takeRest());

    const SafeSurfLabel read = SafeSurfLabel::read(label);
    for (const int level : read.levels)
        TARNWICK_FUZZ_CHECK(level >= 0 && level <= 9);

    const QString written = read.text();
    TARNWICK_FUZZ_CHECK(written.startsWith(SafeSurfLabel::opening()));
    TARNWICK_FUZZ_CHECK(written.endsWith(QLatin1String("))'>")));
    // The label stays one tag: no quote or bracket of the site gets out.
    TARNWICK_FUZZ_CHECK(written.count(QLatin1Char('>')) == 1);
    TARNWICK_FUZZ_CHECK(written.count(QLatin1Char('\'')) == 2);
    const SafeSurfLabel again = SafeSurfLabel::read(written);
    TARNWICK_FUZZ_CHECK(again.levels == read.levels);
    TARNWICK_FUZZ_CHECK(again.siteWide == read.siteWide);
    // A site reads back as written, its blanks and quotes percent-encoded.
    TARNWICK_FUZZ_CHECK(again.text() == written);
    return 0;
}
