// SPDX-License-Identifier: GPL-3.0-or-later
// Template slots read back from a page: markers are found only on lines that
// hold one, inside the page; every slot read gives fields within their
// choices, and what is written from them is whole lines without breaks; the
// text of a heading or text slot is a piece of the line as it stands, all of
// it when no style was read; comparing markup is symmetric and a line is the
// same markup as itself; an image slot written from plain fields reads back
// as them.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "wizards/templatemarkers.h"
#include "wizards/templateslot.h"

using namespace Tarnwick;

namespace {

bool oneLine(const QString &line)
{
    return !line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r'));
}

bool allowed(const QStringList &items, const QString &value)
{
    return value.isEmpty() || items.contains(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const int current = input.takeByte();
    const qint32 number = input.takeInt();
    const QStringList page = QString::fromUtf8(input.takeRest()).split(QLatin1Char('\n'));
    const int count = int(page.size());
    const auto line = [&page](int n) {
        TARNWICK_FUZZ_CHECK(n >= 1 && n <= page.size());
        return page.at(n - 1);
    };

    const int next = TemplateMarkers::next(line, current, count);
    TARNWICK_FUZZ_CHECK(next == 0 || (next > current && next < count));
    const int previous = TemplateMarkers::previous(line, qMin(current, count + 1));
    TARNWICK_FUZZ_CHECK(previous == 0 || previous < current);
    for (int n : { next, previous }) {
        if (n > 0)
            TARNWICK_FUZZ_CHECK(TemplateMarkers::kindOf(line(n)) != TemplateMarkers::Kind::None);
    }

    for (const QString &text : page) {
        const TemplateSlot::Heading heading = TemplateSlot::readHeading(text);
        TARNWICK_FUZZ_CHECK(heading.size >= 1 && heading.size <= 6);
        TARNWICK_FUZZ_CHECK(allowed(TemplateSlot::alignments(), heading.align));
        TARNWICK_FUZZ_CHECK(oneLine(TemplateSlot::write(heading).value_or(QString())));

        TARNWICK_FUZZ_CHECK(text.contains(heading.text));

        const TemplateSlot::Text words = TemplateSlot::readText(text);
        TARNWICK_FUZZ_CHECK(oneLine(TemplateSlot::write(words).value_or(QString())));
        TARNWICK_FUZZ_CHECK(text.contains(words.text));
        if (!words.bold && !words.underline && !words.italics && words.align.isEmpty())
            TARNWICK_FUZZ_CHECK(words.text == text);

        TARNWICK_FUZZ_CHECK(TemplateSlot::sameMarkup(text, text));
        const QString other = page.value(0);
        TARNWICK_FUZZ_CHECK(TemplateSlot::sameMarkup(text, other)
                            == TemplateSlot::sameMarkup(other, text));

        const TemplateSlot::Image image = TemplateSlot::readImage(text);
        TARNWICK_FUZZ_CHECK(image.width >= 0 && image.height >= 0);
        TARNWICK_FUZZ_CHECK(allowed(TemplateSlot::imageAlignments(), image.align));
        const QString imageLine = TemplateSlot::write(image);
        TARNWICK_FUZZ_CHECK(oneLine(imageLine));
        TARNWICK_FUZZ_CHECK(imageLine.isEmpty() == image.file.isEmpty());

        const TemplateSlot::Link link = TemplateSlot::readLink(text, number & 1);
        TARNWICK_FUZZ_CHECK(oneLine(TemplateSlot::write(link)));

        const QString body = TemplateSlot::write(TemplateSlot::readBody(text));
        TARNWICK_FUZZ_CHECK(oneLine(body) && body.startsWith(QLatin1String("<BODY ")));
    }
    const TemplateSlot::Defaults defaults = TemplateSlot::readDefaults(page);
    const QStringList written = TemplateSlot::write(defaults);
    TARNWICK_FUZZ_CHECK(written.size() == 3);
    for (const QString &w : written)
        TARNWICK_FUZZ_CHECK(oneLine(w));

    // Plain fields (no entity, no break) come back as they went in.
    TemplateSlot::Image plain;
    plain.file = page.value(0);
    plain.file.remove(QLatin1Char('&')).remove(QLatin1Char('\r'));
    plain.width = number & 0xFFFF;
    plain.height = (number >> 16) & 0x7FFF;
    plain.align = TemplateSlot::imageAlignments().value(current % 6);
    if (plain.align == QLatin1String("none"))
        plain.align.clear();
    if (!plain.file.isEmpty()) {
        const TemplateSlot::Image back = TemplateSlot::readImage(TemplateSlot::write(plain));
        TARNWICK_FUZZ_CHECK(back == plain);
    }
    return 0;
}
