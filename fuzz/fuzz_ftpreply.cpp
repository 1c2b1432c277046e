// SPDX-License-Identifier: GPL-3.0-or-later
// The control connection's bytes: however the network cuts them into reads,
// the reply reader gives the same lines, none longer than its buffer, and
// only the line that ends a reply carries a code.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "publish/ftpaddress.h"
#include "publish/ftpreplyreader.h"

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const quint8 cut = input.takeByte();
    const QByteArray bytes = input.takeRest();

    FtpReplyReader whole;
    const QList<FtpReplyReader::Line> lines = whole.feed(bytes);

    // Reads of 1 to 16 bytes, their lengths taken from the cut byte in turn.
    FtpReplyReader pieces;
    QList<FtpReplyReader::Line> pieceLines;
    qsizetype pos = 0;
    for (int i = 0; pos < bytes.size(); ++i) {
        const qsizetype length = 1 + ((cut >> (i % 8)) & 0x0F);
        pieceLines
            += pieces.feed(QByteArrayView(bytes).sliced(pos, qMin(length, bytes.size() - pos)));
        pos += length;
    }

    TARNWICK_FUZZ_CHECK(pieceLines.size() == lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const FtpReplyReader::Line &line = lines.at(i);
        TARNWICK_FUZZ_CHECK(pieceLines.at(i).text == line.text);
        TARNWICK_FUZZ_CHECK(pieceLines.at(i).endsReply == line.endsReply);
        TARNWICK_FUZZ_CHECK(pieceLines.at(i).code == line.code);
        TARNWICK_FUZZ_CHECK(line.text.size() <= FtpReplyReader::BufferSize);
        TARNWICK_FUZZ_CHECK(line.code >= 0);
        TARNWICK_FUZZ_CHECK(line.endsReply || line.code == 0);
        if (line.endsReply && line.code == 227) {
            const std::optional<quint16> port = FtpAddress::passivePort(line.text);
            TARNWICK_FUZZ_CHECK(!port || *port != 0);
        }
    }
    return 0;
}
