// SPDX-License-Identifier: GPL-3.0-or-later
// Changing a page's links to a renamed or moved file: whatever the page
// holds, the page keeps its lines, only the lines listed change and they read
// as listed, and no reference to the old file is left that a second pass
// would change.
#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "preview/linkupdate.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Tarnwick::FuzzInput input(data, size);
    const QString site = QStringLiteral("/fuzz-tarnwick/site");
    // The old and the new file, as names below the site or beside it.
    const QString oldPath = site + QLatin1Char('/') + QString::fromUtf8(input.takeLine());
    const QString newPath = site + QLatin1Char('/') + QString::fromUtf8(input.takeLine());
    const QString text = QString::fromUtf8(input.takeRest());

    const Tarnwick::PageLinkUpdate update
        = Tarnwick::LinkUpdate::rewrite(text, site, oldPath, newPath);
    const QStringList before = text.split(QLatin1Char('\n'));
    const QStringList after = update.text.split(QLatin1Char('\n'));
    TARNWICK_FUZZ_CHECK(before.size() == after.size());
    TARNWICK_FUZZ_CHECK(update.changes() == (update.text != text));
    int listed = 0;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int line = int(i + 1);
        if (listed < update.lines.size() && update.lines.at(listed).line == line) {
            TARNWICK_FUZZ_CHECK(update.lines.at(listed).before == before.at(i));
            TARNWICK_FUZZ_CHECK(update.lines.at(listed).after == after.at(i));
            ++listed;
        } else {
            TARNWICK_FUZZ_CHECK(before.at(i) == after.at(i));
        }
    }
    TARNWICK_FUZZ_CHECK(listed == update.lines.size()); // in order, each line once

    // Unless the new file is read as the old one, nothing is left to change.
    if (Tarnwick::LinkUpdate::rewrite(Tarnwick::LinkUpdate::referenceTo(newPath, site), site,
                                      oldPath, newPath)
            .text
        == Tarnwick::LinkUpdate::referenceTo(newPath, site)) {
        const Tarnwick::PageLinkUpdate again
            = Tarnwick::LinkUpdate::rewrite(update.text, site, oldPath, newPath);
        TARNWICK_FUZZ_CHECK(!again.changes());
    }
    return 0;
}
