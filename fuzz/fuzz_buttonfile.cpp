// SPDX-License-Identifier: GPL-3.0-or-later
// A custom button page file and the special-character slots: fields read
// back from the line they make, kinds stay within their choices, and the 19
// lines the setup dialog writes read back as written.

#include "fuzzcheck.h"
#include "scratchfiles.h"
#include "tags/buttondefinition.h"
#include "tags/specialcharacters.h"
#include "tags/userfile.h"

#include <QFile>

using namespace Tarnwick;

namespace {

bool sameFields(const ButtonDefinition &a, const ButtonDefinition &b)
{
    return a.caption == b.caption && a.code == b.code && a.insertKind == b.insertKind
        && a.dropKind == b.dropKind;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ScratchFiles scratch;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const Expected<UserFileContent> content = UserFile::decode(bytes);
    if (!content)
        return 0;

    for (const QString &line : content->lines) {
        const ButtonDefinition definition = ButtonDefinition::parse(line);
        TARNWICK_FUZZ_CHECK(sameFields(ButtonDefinition::parse(definition.line()), definition));
        TARNWICK_FUZZ_CHECK(definition.insertKindNumber() >= -1
                            && definition.insertKindNumber() <= 2);
        const int drop = ButtonDefinition::choiceOf(definition.dropKind, 2);
        TARNWICK_FUZZ_CHECK(drop == 0 || drop == 1);

        const SpecialCharacters::Slot slot = SpecialCharacters::parse(line);
        TARNWICK_FUZZ_CHECK(!slot.character.contains(QLatin1Char('|'))
                            && !slot.code.contains(QLatin1Char('|')));
        const SpecialCharacters::Slot again
            = SpecialCharacters::parse(SpecialCharacters::value(slot.character, slot.code));
        TARNWICK_FUZZ_CHECK(again.isEmpty() == (slot.isEmpty() || slot.code.isEmpty()));
        if (!again.isEmpty())
            TARNWICK_FUZZ_CHECK(again.character == slot.character && again.code == slot.code);
    }

    const QStringList padded = ButtonDefinition::padded(content->lines);
    TARNWICK_FUZZ_CHECK(padded.size() == ButtonDefinition::slotCount);
    const QString written = scratch.newPath(QStringLiteral("page1.btn"));
    TARNWICK_FUZZ_CHECK(UserFile::write(written, padded, content->format).ok());
    const Expected<UserFileContent> read = UserFile::read(written);
    QFile::remove(written);
    TARNWICK_FUZZ_CHECK(read.ok());
    TARNWICK_FUZZ_CHECK(read->lines == padded);
    return 0;
}
