// SPDX-License-Identifier: GPL-3.0-or-later
// A tag menu file: every entry comes from a line that is not blank, shows at
// most the caption's length, and wraps in halves cut from its line; what
// "&Ok" writes reads back as the same lines.

#include "fuzzcheck.h"
#include "scratchfiles.h"
#include "tags/menufile.h"
#include "tags/tagpairtext.h"
#include "tags/userfile.h"

#include <QFile>

using namespace Tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ScratchFiles scratch;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (bytes.size() > UserFile::maxSize)
        return 0;
    const QString path = scratch.write(bytes, QStringLiteral("usercode.mnu"));
    const Expected<UserFileContent> content = UserFile::read(path);
    QFile::remove(path);
    TARNWICK_FUZZ_CHECK(content.ok() == !bytes.contains('\0'));
    if (!content)
        return 0;

    for (const MenuFile::Entry &entry : MenuFile::entries(content->lines)) {
        TARNWICK_FUZZ_CHECK(!entry.line.trimmed().isEmpty());
        TARNWICK_FUZZ_CHECK(content->lines.contains(entry.line));
        TARNWICK_FUZZ_CHECK(entry.caption.size() <= MenuFile::maxCaption + 1);
        TARNWICK_FUZZ_CHECK(entry.line.startsWith(entry.caption)
                            || entry.line.startsWith(entry.caption.chopped(1)));
        const TagPair pair = TagPairText::unevenTags(entry.line);
        TARNWICK_FUZZ_CHECK(pair.open.isEmpty() || pair.open.contains(QLatin1Char('<'))
                            || pair.open.contains(QLatin1Char('>')));
    }

    const QString written = scratch.newPath(QStringLiteral("written.mnu"));
    TARNWICK_FUZZ_CHECK(UserFile::write(written, content->lines, content->format).ok());
    const Expected<UserFileContent> again = UserFile::read(written);
    QFile::remove(written);
    TARNWICK_FUZZ_CHECK(again.ok());
    TARNWICK_FUZZ_CHECK(again->lines == content->lines);
    return 0;
}
