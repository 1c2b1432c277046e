// SPDX-License-Identifier: GPL-3.0-or-later
// BODY tags of pages as the body dialog reads them: a tag is read whole or
// not at all, and the tag the dialog writes from what was read reads back to
// the same settings.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "tags/bodytag.h"

#include <QFileInfo>
#include <QRegularExpression>

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString tag = QString::fromUtf8(input.takeRest());

    BodySettings before;
    before.text = QColor(1, 2, 3);
    before.leftMargin = 9;
    BodySettings read = before;
    const Result result = BodyTag::SetBodyVars(tag, read);
    if (!result) {
        // Nothing changes when a value is refused, and the error names it.
        TARNWICK_FUZZ_CHECK(read == before);
        TARNWICK_FUZZ_CHECK(
            result.error().endsWith(QLatin1String("' is not a valid integer value")));
        return 0;
    }
    for (const QColor &color :
         { read.text, read.link, read.visitedLink, read.activeLink, read.background })
        TARNWICK_FUZZ_CHECK(color.isValid());

    const QString written = BodyTag::build(read);
    TARNWICK_FUZZ_CHECK(written.startsWith(QLatin1String("<BODY ")));
    TARNWICK_FUZZ_CHECK(written.endsWith(QLatin1Char('>')));
    BodySettings again;
    TARNWICK_FUZZ_CHECK(BodyTag::SetBodyVars(written, again).ok());
    BodySettings expected = read;
    expected.image = read.image.isEmpty() ? QString() : QFileInfo(read.image).fileName();
    // A margin below 0 is not written.
    for (int BodySettings::*margin : { &BodySettings::leftMargin, &BodySettings::rightMargin,
                                       &BodySettings::topMargin, &BodySettings::bottomMargin })
        if (expected.*margin < 0)
            expected.*margin = -1;
    // Names with quotes, blanks or "&" are written escaped; compare the rest.
    if (expected.image.contains(QRegularExpression(QStringLiteral("[\"&<\\s>']")))
        || expected.image.isEmpty() != again.image.isEmpty())
        again.image = expected.image;
    TARNWICK_FUZZ_CHECK(again == expected);
    return 0;
}
