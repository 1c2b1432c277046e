// SPDX-License-Identifier: GPL-3.0-or-later
// The page reference parser: whatever a page holds, reading its references
// ends, every reference lies on a line of the page at a column within that
// line, values hold no line break, and the details check keeps one position
// per detail line, and every tag the reading walks holds the references.
#include "preview/pagedetails.h"
#include "preview/pagereferences.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "property failed: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));

    for (const Tarnwick::PageReference &reference : Tarnwick::PageReferences::parse(text)) {
        check(reference.line >= 1 && reference.line <= lines.size(), "line within the page");
        const QStringView line = lines.at(reference.line - 1);
        check(reference.column >= 0 && reference.column < line.size(), "column within its line");
        check(!reference.value.contains(QLatin1Char('\n')), "value on one line");
        check(reference.hasValue || reference.value.isEmpty(), "no value without =");
    }

    // Every tag the same reading walks lies in the page, and its attributes
    // hold every reference, in the same order.
    qsizetype referencesSeen = 0;
    const QList<Tarnwick::PageReference> references = Tarnwick::PageReferences::parse(text);
    Tarnwick::PageReferences::forEachTag(text, [&](const Tarnwick::PageTag &tag) {
        check(tag.line >= 1 && tag.line <= lines.size(), "tag line within the page");
        check(tag.column >= 0 && tag.column < lines.at(tag.line - 1).size(),
              "tag column within its line");
        check(!tag.name.isEmpty(), "a tag has a name");
        for (const Tarnwick::PageAttribute &a : tag.attributes) {
            if (referencesSeen < references.size() && references.at(referencesSeen).line == a.line
                && references.at(referencesSeen).column == a.column) {
                check(references.at(referencesSeen).value == a.value, "the same value");
                ++referencesSeen;
            }
        }
    });
    check(referencesSeen == references.size(), "every reference among the attributes");

    // A directory that does not exist: every existence check fails quickly.
    const Tarnwick::PageDetailsReport report
        = Tarnwick::PageDetails::Evaluate(text, QStringLiteral("/nonexistent-tarnwick-fuzz/site"));
    check(report.WebDetails.size() == report.detailPositions.size(), "one position a line");
    check(report.FilesFound.isEmpty() && report.LocatedLinks.isEmpty(), "nothing located");
    check(report.totalBytes == 0, "no bytes without files");
    for (const QString &broken : report.Broken)
        check(report.Links.contains(broken) && !broken.startsWith(QLatin1Char('#')),
              "a broken link is a link of the page");
    return 0;
}
