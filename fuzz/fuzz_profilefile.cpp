// SPDX-License-Identifier: GPL-3.0-or-later
// PROJECT.INI and other profile files: reading any file gives values within
// the reader's buffer; writing a key makes it read back as written and
// leaves every other key of the file as it read before; a write that is
// refused leaves the file untouched.

#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "platform/profilefile.h"
#include "scratchfiles.h"

#include <QFile>

using namespace Tarnwick;

namespace {

using Snapshot = QList<QPair<QString, QString>>;

Snapshot snapshot(const ProfileFile &profile, const QString &section)
{
    Snapshot values;
    for (const QString &key : profile.readSection(section)) {
        const QString value = profile.readString(section, key);
        TARNWICK_FUZZ_CHECK(value.size() <= ProfileFile::MaxValueLength);
        values.append({ key, value });
    }
    return values;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

void checkUnchanged(const ProfileFile &profile, const QString &section, const Snapshot &before,
                    const QString &writtenSection, const QString &writtenKey)
{
    for (const auto &[key, value] : before) {
        if (sameName(section.trimmed(), writtenSection.trimmed())
            && sameName(key.trimmed(), writtenKey.trimmed()))
            continue;
        TARNWICK_FUZZ_CHECK(profile.readString(section, key, QStringLiteral("(missing)")) == value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ScratchFiles scratch;
    FuzzInput input(data, size);
    const QString section = QString::fromUtf8(input.takeLine());
    const QString key = QString::fromUtf8(input.takeLine());
    const QString value = QString::fromUtf8(input.takeLine());
    const QString otherSection = QString::fromUtf8(input.takeLine());
    const QByteArray file = input.takeRest();

    const QString path = scratch.write(file, QStringLiteral("PROJECT.INI"));
    ProfileFile profile(path);
    const Snapshot before = snapshot(profile, section);
    const Snapshot otherBefore = snapshot(profile, otherSection);

    if (!profile.writeString(section, key, value)) {
        TARNWICK_FUZZ_CHECK(ScratchFiles::read(path) == file);
    } else {
        TARNWICK_FUZZ_CHECK(profile.readString(section, key, QStringLiteral("(missing)"))
                            == value.trimmed().left(ProfileFile::MaxValueLength));
        checkUnchanged(profile, section, before, section, key);
        checkUnchanged(profile, otherSection, otherBefore, section, key);
        // Writing the same again changes nothing.
        const QByteArray written = ScratchFiles::read(path);
        TARNWICK_FUZZ_CHECK(profile.writeString(section, key, value).ok());
        TARNWICK_FUZZ_CHECK(ScratchFiles::read(path) == written);
    }
    QFile::remove(path);
    return 0;
}
