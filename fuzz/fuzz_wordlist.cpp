// SPDX-License-Identifier: GPL-3.0-or-later
// Word lists for tarnwick-dct build: the builder refuses only what it says it
// refuses, and the dictionary it writes holds exactly the words it kept. A
// look-up never reports the file as damaged.

#include "fuzzcheck.h"
#include "scratchfiles.h"
#include "spell/codepage437.h"
#include "spell/dctbuilder.h"
#include "spell/dctformat.h"
#include "spell/suggester.h"
#include "spell/tdctfile.h"
#include "spell/tdictionary.h"

#include <QFile>
#include <QSet>

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ScratchFiles scratch;
    const QByteArray list(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString listPath = scratch.write(list, QStringLiteral("words.txt"));

    // The words the builder is to keep, worked out on their own.
    QSet<QByteArray> words;
    int skipped = 0, tooLong = 0;
    for (const QByteArray &line : list.split('\n')) {
        const QString lower = QString::fromUtf8(line).trimmed().toLower();
        if (lower.isEmpty())
            continue;
        const std::optional<QByteArray> bytes = CodePage437::fromUnicode(lower);
        if (!bytes || bytes->contains('\0'))
            ++skipped;
        else if (bytes->size() > TDictionary::MaxWordLength)
            ++tooLong;
        else
            words.insert(*bytes);
    }

    DctBuilder builder;
    TARNWICK_FUZZ_CHECK(builder.addWordList(listPath).ok());
    QFile::remove(listPath);
    const Expected<QByteArray> built = builder.build();
    const DctBuilder::Statistics &statistics = builder.statistics();
    TARNWICK_FUZZ_CHECK(statistics.skipped == skipped);
    TARNWICK_FUZZ_CHECK(statistics.tooLong == tooLong);
    TARNWICK_FUZZ_CHECK(statistics.words == words.size());
    TARNWICK_FUZZ_CHECK(built.ok() == !words.isEmpty());
    if (!built)
        return 0;
    TARNWICK_FUZZ_CHECK(built->size()
                        == DctFormat::CellsOffset
                            + qsizetype(statistics.cells) * DctFormat::CellSize);

    const QString dctPath = scratch.write(*built, QStringLiteral("BUILT.DCT"));
    {
        const Expected<std::unique_ptr<TDCTFile>> file = TDCTFile::open(dctPath);
        TARNWICK_FUZZ_CHECK(file.ok());
        const TDCTFile &dct = *file.value();
        for (const QByteArray &word : std::as_const(words)) {
            TARNWICK_FUZZ_CHECK(dct.contains(word) == std::optional<bool>(true));
            const QByteArray others[]
                = { word.chopped(1), QByteArray(word + 'q'), QByteArray(word + word) };
            for (const QByteArray &other : others) {
                if (!other.isEmpty() && !words.contains(other))
                    TARNWICK_FUZZ_CHECK(dct.contains(other) == std::optional<bool>(false));
            }
        }

        auto created = TDictionary::create(nullptr);
        TARNWICK_FUZZ_CHECK(created.ok());
        TDictionary &dictionary = *created.value();
        TARNWICK_FUZZ_CHECK(dictionary.openMainDictionary(dctPath).ok());
        Suggester suggester(dictionary);
        const QString first = CodePage437::toUnicode(*words.cbegin());
        suggester.suggest(first, Suggester::MaxSuggestions);
        suggester.quickSuggest(first.left(1), Suggester::MaxSuggestions);
        TARNWICK_FUZZ_CHECK(dictionary.ioError().isEmpty());
    }
    QFile::remove(dctPath);
    return 0;
}
