// SPDX-License-Identifier: GPL-3.0-or-later
// Tag pair texts (the lines of the tag menu files, the hints of
// uneven custom buttons) and captions: every half is cut from the text or is
// a bracketed word of it, and nothing inserts "<>" or the free words.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "tags/tagpairtext.h"

using namespace Tarnwick;

namespace {

bool bracketedWordOf(const QString &half, const QString &text)
{
    return half.startsWith(QLatin1Char('<')) && half.endsWith(QLatin1Char('>')) && half.size() > 2
        && text.contains(half.mid(1, half.size() - 2));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString pairText = QString::fromUtf8(input.takeRest());

    const TagPair pair = TagPairText::unevenTags(pairText);
    for (const QString &half : { pair.open, pair.close }) {
        // Brackets go round a word, never round nothing.
        TARNWICK_FUZZ_CHECK(half != QLatin1String("<>") || pairText.contains(half));
        TARNWICK_FUZZ_CHECK(half.isEmpty() || pairText.contains(half)
                            || bracketedWordOf(half, pairText)
                            || half.startsWith(QLatin1String("</")));
    }
    const qsizetype dots = pairText.indexOf(QLatin1String(".."));
    if (dots >= 0) {
        // The free words after " - " never reach the page.
        TARNWICK_FUZZ_CHECK(!pair.close.contains(QLatin1String(" - ")));
        // The halves part at a "..", the first one or a later one past a quoted value.
        TARNWICK_FUZZ_CHECK((pairText.startsWith(pair.open)
                             && QStringView(pairText).sliced(pair.open.size()).startsWith(u".."))
                            || bracketedWordOf(pair.open, pairText) || pair.open.isEmpty());
    } else if (!pair.isEmpty()) {
        // A plain entry wraps in one tag and its own closing tag.
        TARNWICK_FUZZ_CHECK(pair.close == TagPairText::closingTag(pair.open));
    }

    const TagPair caption = TagPairText::captionAsTag(pairText);
    TARNWICK_FUZZ_CHECK(caption.open + caption.close == pairText);
    TARNWICK_FUZZ_CHECK(!caption.open.left(caption.open.size() - 1).contains(QLatin1Char('>')));

    const QString close = TagPairText::closingTag(pairText);
    TARNWICK_FUZZ_CHECK(pairText.isEmpty() == close.isEmpty());
    return 0;
}
