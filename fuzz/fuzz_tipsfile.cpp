// SPDX-License-Identifier: GPL-3.0-or-later
// TIPS.TXT with any stored TipNumber: the tip of the day starts and moves
// only on lines that are tips of the day, every tip text stays within its
// length, and the number stored after a showing starts the next showing one
// tip further on.

#include "app/tipsession.h"
#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "platform/textfile.h"

using namespace Tarnwick;

namespace {

void checkTip(const TipsFile &file, int index)
{
    TARNWICK_FUZZ_CHECK(index == TipsFile::FirstDayTip
                        || (index > TipsFile::FirstDayTip && index < file.lineCount() - 1));
    const TipsFile::Tip tip = file.tip(index);
    TARNWICK_FUZZ_CHECK(tip.text.size() <= TipsFile::MaxTextLength
                        || tip.text == TipsFile::unavailable().text);
    TARNWICK_FUZZ_CHECK(file.firstIndex(TipsFile::tipNumberAfter(index)) == file.next(index));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const int tipNumber = input.takeInt();
    const QByteArray moves = input.takeLine();
    const TipsFile file = TipsFile::fromText(TextFile::decode(input.takeRest()).text);

    TipSession session = TipSession::tipOfTheDay(file, tipNumber, true);
    checkTip(file, session.index());
    for (const char move : moves) {
        if (move & 1)
            session.next();
        else
            session.previous();
        checkTip(file, session.index());
    }
    for (int number = 1; number <= 10; ++number)
        TipSession::helper(file, number, QStringLiteral("Helper")).tip();
    return 0;
}
