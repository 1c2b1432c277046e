// SPDX-License-Identifier: GPL-3.0-or-later
// Dictionary files (*.DCT) with any letter tree after a good header, and any
// user word list: look-up, suggestions and completions end within their cell
// budget whatever the child lists point at, and never give more than asked.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "scratchfiles.h"
#include "spell/dctformat.h"
#include "spell/suggester.h"
#include "spell/tdictionary.h"

#include <QFile>

using namespace Tarnwick;

namespace {

// Inputs are a few thousand cells at most; a small budget keeps every run
// short, also where scoring makes each step dear.
constexpr qint64 CellBudget = qint64(1) << 14;

QByteArray header()
{
    QByteArray bytes(DctFormat::CellsOffset, '\0');
    bytes.replace(DctFormat::SignatureOffset, DctFormat::SignatureLength,
                  QByteArray(DctFormat::Signature, DctFormat::SignatureLength));
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ScratchFiles scratch;
    FuzzInput input(data, size);
    const int n = 1 + input.takeByte() % Suggester::MaxSuggestions;
    const QString word = QString::fromUtf8(input.takeLine());
    const QByteArray userList = input.takeLine().replace('|', '\n');
    const QString dctPath = scratch.write(header() + input.takeRest(), QStringLiteral("FUZZ.DCT"));
    const QString userPath = scratch.write(userList, QStringLiteral("USERDCT.DCT"));
    {
        auto created = TDictionary::create(nullptr);
        TARNWICK_FUZZ_CHECK(created.ok());
        TDictionary &dictionary = *created.value();
        TARNWICK_FUZZ_CHECK(dictionary.openMainDictionary(dctPath).ok());
        dictionary.openUserList(userPath);
        dictionary.isWord(word);

        Suggester suggester(dictionary, CellBudget);
        const QStringList suggested = suggester.suggest(word, n);
        TARNWICK_FUZZ_CHECK(suggested.size() <= n);
        TARNWICK_FUZZ_CHECK(suggester.cellsRead() <= CellBudget);
        for (const QString &entry : suggested)
            TARNWICK_FUZZ_CHECK(entry.size() <= TDictionary::MaxWordLength + 2);

        const QStringList completed = suggester.quickSuggest(word, n);
        TARNWICK_FUZZ_CHECK(completed.size() <= n);
        TARNWICK_FUZZ_CHECK(suggester.cellsRead() <= CellBudget);
        for (const QString &entry : completed) {
            TARNWICK_FUZZ_CHECK(entry.size()
                                > qMin<qsizetype>(word.size(), TDictionary::MaxWordLength));
            TARNWICK_FUZZ_CHECK(entry.size() <= TDictionary::MaxWordLength + 1);
        }
        TARNWICK_FUZZ_CHECK(!dictionary.isUserListModified());
    }
    QFile::remove(dctPath);
    QFile::remove(userPath);
    return 0;
}
