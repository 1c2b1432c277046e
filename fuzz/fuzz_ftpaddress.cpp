// SPDX-License-Identifier: GPL-3.0-or-later
// The 227 reply's address and the PORT argument: the port read from any reply
// is the one a plain reading of its ASCII numbers gives, or none; and every
// PORT argument we send reads back as the port it names.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "publish/ftpaddress.h"

#include <QHostAddress>
#include <QRegularExpression>

using namespace Tarnwick;

namespace {

// The reply read the slow way: after the first "(", four fields up to a
// comma each, then two runs of ASCII digits 0..255 that no digit of any
// script continues, the first followed at once by a comma.
std::optional<quint16> plainReading(const QString &reply)
{
    static const QRegularExpression form(
        QStringLiteral("^[^(]*\\((?:[^,]*,){4} *([0-9]+), *([0-9]+)(?!\\p{Nd})"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = form.match(reply);
    if (!match.hasMatch())
        return std::nullopt;
    int values[2];
    for (int i = 0; i < 2; ++i) {
        QString digits = match.captured(i + 1);
        while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
            digits.remove(0, 1);
        values[i] = digits.size() > 3 ? 256 : digits.toInt();
        if (values[i] > 255)
            return std::nullopt;
    }
    if (values[0] == 0 && values[1] == 0)
        return std::nullopt;
    return quint16(values[0] * 256 + values[1]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const quint32 ip = quint32(input.takeInt());
    const quint16 port = quint16(input.takeByte() << 8 | input.takeByte());
    const QString reply = QString::fromUtf8(input.takeRest());

    TARNWICK_FUZZ_CHECK(FtpAddress::passivePort(reply) == plainReading(reply));

    const QString argument = FtpAddress::portArgument(QHostAddress(ip), port);
    TARNWICK_FUZZ_CHECK(argument.count(QLatin1Char(',')) == 5);
    const QString sent
        = QStringLiteral("227 Entering Passive Mode (") + argument + QStringLiteral(").");
    const std::optional<quint16> back = FtpAddress::passivePort(sent);
    TARNWICK_FUZZ_CHECK(back == (port == 0 ? std::nullopt : std::optional<quint16>(port)));
    return 0;
}
