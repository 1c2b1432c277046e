// SPDX-License-Identifier: GPL-3.0-or-later
// A link clicked in the Open HTML Page preview, matched against the listed
// files: the answer is empty or one of the listed names, and that name's own
// address in the directory always leads back to it.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "wizards/pagefilepreview.h"

#include <QDir>
#include <QUrl>

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString address = QString::fromUtf8(input.takeRest());
    const QString directory = QStringLiteral("/site/pages");
    const QStringList names = { QStringLiteral("a.htm"), QStringLiteral("b c.html"),
                                QStringLiteral("p#1.gif") };
    const QString listed = PageFilePreview::listedFile(address, directory, names);
    TARNWICK_FUZZ_CHECK(listed.isEmpty() || names.contains(listed));
    if (!listed.isEmpty())
        TARNWICK_FUZZ_CHECK(
            PageFilePreview::listedFile(
                QUrl::fromLocalFile(QDir(directory).filePath(listed)).toString(), directory,
                names)
            == listed);
    (void)PageFilePreview::isPicture(address);
    return 0;
}
