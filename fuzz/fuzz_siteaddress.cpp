// SPDX-License-Identifier: GPL-3.0-or-later
// The website URL of a project as the publisher reads it: a host without
// blanks, line breaks or slashes, a port of 1..65535 (or "ftp"), and the
// address written back from them (scheme, host, port) reads as the same site.
// The keyring's name for the site exists exactly when the site does and ends
// in ":" and a port number.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "publish/ftpaddress.h"

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString text = QString::fromUtf8(input.takeRest());
    const std::optional<FtpAddress::Site> site = FtpAddress::siteAddress(text);
    const std::optional<QString> key = FtpAddress::siteKey(text, QStringLiteral("u"));
    TARNWICK_FUZZ_CHECK(key.has_value() == site.has_value());
    if (!site)
        return 0;
    TARNWICK_FUZZ_CHECK(key->startsWith(QStringLiteral("u@")));
    const QString keyPort = key->section(QLatin1Char(':'), -1);
    bool keyPortOk = false;
    TARNWICK_FUZZ_CHECK(keyPort.toUInt(&keyPortOk) >= 1 && keyPortOk);
    TARNWICK_FUZZ_CHECK(*key == key->toLower());
    TARNWICK_FUZZ_CHECK(!site->host.isEmpty());
    for (const QChar c : { QChar(u' '), QChar(u'\r'), QChar(u'\n'), QChar(u'/') })
        TARNWICK_FUZZ_CHECK(!site->host.contains(c));
    if (site->port != QStringLiteral("ftp")) {
        bool ok = false;
        const uint port = site->port.toUInt(&ok);
        TARNWICK_FUZZ_CHECK(ok && port >= 1 && port <= 65535);
        TARNWICK_FUZZ_CHECK(site->port == QString::number(port));
    }
    const QString host = site->host.contains(QLatin1Char(':'))
        ? QLatin1Char('[') + site->host + QLatin1Char(']')
        : site->host;
    const QString port
        = site->port == QStringLiteral("ftp") ? QString() : QLatin1Char(':') + site->port;
    // A host holding "@" or "[" cannot be written back unambiguously.
    if (!site->host.contains(QLatin1Char('@')) && !site->host.contains(QLatin1Char('['))
        && !site->host.contains(QLatin1Char(']')) && !site->host.contains(QStringLiteral("://"))) {
        // Written back with the scheme it was read with (none when it named none).
        const QString scheme
            = site->scheme.isEmpty() ? QString() : site->scheme + QStringLiteral("://");
        TARNWICK_FUZZ_CHECK(FtpAddress::siteAddress(scheme + host + port + QLatin1Char('/'))
                            == site);
    }
    return 0;
}
