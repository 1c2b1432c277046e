// SPDX-License-Identifier: GPL-3.0-or-later
// Hunspell pairs (.aff and .dic, cut apart at the first NUL byte): the
// expansion ends, hands over no more words than allowed and only words that
// are non-empty Unicode text without line breaks or control characters; a
// refusal for size comes exactly at the limit, and the words before it are
// those a roomier run gives first.

#include "fuzzcheck.h"
#include "spell/hunspellpair.h"

#include <QStringList>

using namespace Tarnwick;

namespace {

// Enough for real rule shapes to multiply, small enough to keep runs short.
constexpr qint64 MaxWords = 20'000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype nul = input.indexOf('\0');
    const QByteArray aff = nul < 0 ? input : input.left(nul);
    const QByteArray dic = nul < 0 ? QByteArray() : input.sliced(nul + 1);

    QStringList words;
    int lastPercent = -1;
    const Result result = HunspellPair::expand(
        dic, aff, [&](const QString &word) { words.append(word); },
        [&](int percent) {
            TARNWICK_FUZZ_CHECK(percent > lastPercent && percent <= 100);
            lastPercent = percent;
            return true;
        },
        MaxWords);
    TARNWICK_FUZZ_CHECK(words.size() <= MaxWords);
    for (const QString &word : std::as_const(words)) {
        TARNWICK_FUZZ_CHECK(!word.isEmpty());
        TARNWICK_FUZZ_CHECK(QStringView(word).isValidUtf16());
        for (QChar c : word)
            TARNWICK_FUZZ_CHECK(c.category() != QChar::Other_Control && c != QChar::LineSeparator
                                && c != QChar::ParagraphSeparator);
    }
    if (!result) {
        TARNWICK_FUZZ_CHECK(!result.error().isEmpty());
        return 0;
    }
    TARNWICK_FUZZ_CHECK(lastPercent == 100);
    if (words.isEmpty())
        return 0;

    // One word fewer allowed: refused once the last word is due, after the
    // same words. The work allowed shrinks with the words, so the refusal may
    // come earlier for taking too long.
    const qint64 fewer = words.size() - 1;
    QStringList first;
    const Result refused = HunspellPair::expand(
        dic, aff, [&](const QString &word) { first.append(word); }, {}, fewer);
    TARNWICK_FUZZ_CHECK(!refused);
    TARNWICK_FUZZ_CHECK(first == words.mid(0, first.size()));
    if (refused.error().endsWith(QLatin1String("take too long to expand; it is not used.")))
        return 0;
    TARNWICK_FUZZ_CHECK(refused.error()
                        == QStringLiteral("The dictionary holds more than %1 words once "
                                          "expanded; it is not used.")
                               .arg(fewer));
    TARNWICK_FUZZ_CHECK(first.size() == fewer);
    return 0;
}
