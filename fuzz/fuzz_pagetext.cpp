// SPDX-License-Identifier: GPL-3.0-or-later
// The page source as the tag-aware editing reads it (any text a user opens):
// where the body lies, whether a place is inside a tag, and the attribute
// under the mouse. Places stay inside the text, a window of a line around a
// place tells whether it is inside a tag as the whole line does (or cannot
// tell), an attribute found holds the place and its value, and an attribute
// given a new colour reads back as it.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "tags/attributetext.h"
#include "tags/tagposition.h"
#include "tags/textlines.h"

#include <algorithm>
#include <optional>

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const quint32 place = quint32(input.takeInt());
    const QString text = QString::fromUtf8(input.takeRest());
    const qsizetype offset = text.isEmpty() ? 0 : qsizetype(place % quint32(text.size() + 1));

    // Lines and columns: a place maps to one line and back.
    const LineColumn at = TextLines::lineColumnAt(text, offset);
    TARNWICK_FUZZ_CHECK(at.line >= 1 && at.column >= 0);
    const bool insideCrLf
        = offset > 0 && offset < text.size() && text[offset - 1] == u'\r' && text[offset] == u'\n';
    if (!insideCrLf)
        TARNWICK_FUZZ_CHECK(TextLines::offsetOf(text, at) == offset);

    const TagPosition::Body body = TagPosition::findBody(text);
    TARNWICK_FUZZ_CHECK(body.closings >= 0 && body.closings <= 2);
    TARNWICK_FUZZ_CHECK(body.closeFound == (body.closings > 0));
    if (body.openFound && body.closeFound)
        TARNWICK_FUZZ_CHECK(body.openEnd <= body.closeStart);
    TagPosition::insideBody(body, at);

    const qsizetype lineStart = offset - at.column;
    qsizetype lineEnd = lineStart;
    while (lineEnd < text.size() && text[lineEnd] != u'\n' && text[lineEnd] != u'\r')
        ++lineEnd;
    const QStringView line = QStringView(text).sliced(lineStart, lineEnd - lineStart);
    const bool inTag = TagPosition::InATag(line, at.column);
    // A window of the line around the place tells the same or cannot tell.
    const qsizetype caret = std::min<qsizetype>(at.column, line.size());
    for (const qsizetype reach : { 0, 1, 3, 16 }) {
        const qsizetype from = std::max<qsizetype>(0, caret - reach);
        const qsizetype to = std::min(line.size(), caret + reach);
        const std::optional<bool> answer = TagPosition::InATagWithin(
            line.sliced(from, to - from), int(caret - from), from == 0, to == line.size());
        TARNWICK_FUZZ_CHECK(answer ? *answer == inTag : (from > 0 || to < line.size()));
    }

    const AttributeText::Hit hit = AttributeText::at(text, offset);
    if (hit.part != AttributeText::Part::None) {
        TARNWICK_FUZZ_CHECK(hit.start <= offset && offset < hit.end && hit.end <= text.size());
        const QString part = text.mid(hit.start, hit.end - hit.start);
        if (hit.part == AttributeText::Part::Attribute) {
            TARNWICK_FUZZ_CHECK(part.startsWith(hit.name) && part.contains(hit.value));
            const AttributeText::Kind kind = AttributeText::kindOf(hit);
            if (kind == AttributeText::Kind::Color && part.contains(QLatin1Char('='))) {
                // Written back with a colour, the attribute reads as that colour.
                const QColor color(0x12, 0xab, 0xef);
                const QString written = QLatin1Char('<') + hit.tagName + QLatin1Char(' ')
                    + AttributeText::withColor(part, color) + QLatin1Char('>');
                const AttributeText::Hit again = AttributeText::at(written, hit.tagName.size() + 2);
                TARNWICK_FUZZ_CHECK(again.part == AttributeText::Part::Attribute);
                TARNWICK_FUZZ_CHECK(AttributeText::colorValue(again.value) == color);
            }
        } else {
            TARNWICK_FUZZ_CHECK(part == hit.tagName);
        }
    }
    return 0;
}
