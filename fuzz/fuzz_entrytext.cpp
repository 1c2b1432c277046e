// SPDX-License-Identifier: GPL-3.0-or-later
// Entry texts: any text splits without reading past its ends; a composed
// entry splits back into its description and target.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "project/entrytext.h"
#include "project/projectpaths.h"

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString first = QString::fromUtf8(input.takeLine());
    const QString second = QString::fromUtf8(input.takeRest());

    const QString description = EntryText::EntryDescription(first);
    const QString target = EntryText::EntryTarget(first);
    TARNWICK_FUZZ_CHECK(first.startsWith(description));
    TARNWICK_FUZZ_CHECK(first.endsWith(target));
    TARNWICK_FUZZ_CHECK(description.size() + target.size() <= first.size());
    TARNWICK_FUZZ_CHECK(!description.contains(QLatin1Char('-')));

    // The dialogs refuse a hyphen in a description, so one never holds any.
    QString ownDescription = first;
    ownDescription.remove(QLatin1Char('-'));
    const QString composed = EntryText::compose(ownDescription, second);
    TARNWICK_FUZZ_CHECK(EntryText::EntryDescription(composed) == ownDescription);
    TARNWICK_FUZZ_CHECK(EntryText::EntryTarget(composed) == second);

    // Paths are built from any target without a fault.
    const QString programDir = QStringLiteral("/home/user/.local/share/tarnwick/");
    const QString page = ProjectPaths::pagePath(programDir, target, second);
    TARNWICK_FUZZ_CHECK(page.endsWith(second));
    ProjectPaths::isSettingsEntry(second);
    return 0;
}
