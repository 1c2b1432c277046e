// SPDX-License-Identifier: GPL-3.0-or-later
// Frame settings files (*.set with *.par): a layout read has an orientation
// of 0 or 1 and bars 0..100, each first bar before its second, and writes
// back to the same bytes' meaning; records read write back byte for byte and
// make one frame line each.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "wizards/frameset.h"

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const quint8 pick = input.takeByte();
    QByteArray settings;
    for (int i = 0; i < 9; ++i)
        settings += input.takeLine() + '\n';
    const QByteArray records = input.takeRest();

    const Expected<FrameLayout> layout = FrameSet::decodeLayout(settings, "fuzz.set");
    if (layout.ok()) {
        for (const auto &split : layout->bars)
            TARNWICK_FUZZ_CHECK(split[0] >= 0 && split[0] < split[1] && split[1] <= 100);
        const Expected<FrameLayout> again
            = FrameSet::decodeLayout(FrameSet::encodeLayout(layout.value()), "fuzz.set");
        TARNWICK_FUZZ_CHECK(again.ok() && again.value() == layout.value());
    } else {
        TARNWICK_FUZZ_CHECK(layout.error().startsWith(QLatin1String("fuzz.set, line ")));
    }

    // Bytes short of nine records are padded, so that records get read too.
    QByteArray par = records;
    if (pick & 1)
        par = par.leftJustified(9 * FrameSet::RecordSize, '\0', true);
    const Expected<FrameRecords> frames = FrameSet::decodeRecords(par, "fuzz.par");
    if (!frames.ok())
        return 0;
    for (const FrameRecord &frame : frames.value()) {
        const QString line = FrameSet::frameLine(frame);
        TARNWICK_FUZZ_CHECK(line.startsWith(QLatin1String("<FRAME SRC=\"")) && line.endsWith('>'));
    }
    const QByteArray written = FrameSet::encodeRecords(frames.value());
    TARNWICK_FUZZ_CHECK(written.size() == 9 * FrameSet::RecordSize);
    const Expected<FrameRecords> back = FrameSet::decodeRecords(written, "fuzz.par");
    TARNWICK_FUZZ_CHECK(back.ok() && back.value() == frames.value());
    FrameSet::generate(layout.ok() ? layout.value() : FrameLayout(), frames.value(), "t", pick & 2);
    return 0;
}
