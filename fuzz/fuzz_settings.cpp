// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file as a user may have edited it: whatever ReadIni makes of
// it (values read so far stay when it stops), SaveIni writes it so that the
// next start reads every value back unchanged and without complaint. Stored
// colours read back as the same colour.

#include "app/settings.h"
#include "fuzzcheck.h"
#include "scratchfiles.h"

#include <QFile>

#include <cstdio>

#include <variant>

using namespace Tarnwick;

namespace {

std::unique_ptr<QSettings> storeAt(const QString &path)
{
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

bool sameValues(Settings &a, Settings &b)
{
    for (const Settings::Key &key : Settings::keys()) {
        const bool same = std::visit(
            [&](auto *value) {
                using Pointer = decltype(value);
                return *value == *std::get<Pointer>(key.member(b));
            },
            key.member(a));
        if (!same) {
            std::fprintf(stderr, "%s differs\n", qPrintable(key.path()));
            return false;
        }
    }
    return true;
}

void checkColour(const QString &text)
{
    const std::optional<QColor> colour = Settings::colorFromSetting(text);
    if (colour)
        TARNWICK_FUZZ_CHECK(Settings::colorFromSetting(Settings::colorToSetting(*colour))
                            == colour);
}

} // namespace

// Qt keeps every settings file it has read in a cache, and each input is a new
// file: the leak check would scan the whole heap after every input.
extern "C" const char *__lsan_default_options()
{
    return "detect_leaks=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ScratchFiles scratch;
    const QString edited
        = scratch.write(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)),
                        QStringLiteral("Tarnwick.conf"));
    const QString saved = scratch.newPath(QStringLiteral("Tarnwick.conf"));
    {
        Settings read(storeAt(edited));
        read.ReadIni();
        for (const Settings::Key &key : Settings::keys()) {
            const Settings::Key::Member member = key.member(read);
            if (QString *const *text = std::get_if<QString *>(&member))
                checkColour(**text);
        }

        {
            Settings writer(storeAt(saved));
            for (const Settings::Key &key : Settings::keys()) {
                std::visit(
                    [&](auto *value) { *std::get<decltype(value)>(key.member(writer)) = *value; },
                    key.member(read));
            }
            TARNWICK_FUZZ_CHECK(writer.SaveIni().ok());
        }
        Settings again(storeAt(saved));
        const Result reread = again.ReadIni();
        if (!reread)
            std::fprintf(stderr, "%s\n", qPrintable(reread.error()));
        TARNWICK_FUZZ_CHECK(reread.ok());
        TARNWICK_FUZZ_CHECK(sameValues(read, again));
    }
    QFile::remove(edited);
    QFile::remove(saved);
    return 0;
}
