// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/specialcharacters.h"

#include "platform/menutext.h"
#include "tags/buttondefinition.h"

namespace Tarnwick {

namespace {

const QString setupName = QStringLiteral("Setup");

struct Default
{
    char16_t character;
    const char *code;
};

// The code of the trade mark sign is its number in the Windows code page.
constexpr Default defaults[] = {
    { 0x00A9, "&#169;" }, { 0x00AE, "&#174;" }, { 0x2122, "&#153;" }, { 0x00BC, "&#188;" },
    { 0x00BD, "&#189;" }, { 0x00BE, "&#190;" }, { 0x00A7, "&#167;" }, { u'<', "&lt;" },
    { u'>', "&gt;" },     { u'&', "&amp;" },
};

} // namespace

SpecialCharacters::SpecialCharacters(SpecialCharacterStore *store)
    : m_store(store)
{
}

QString SpecialCharacters::slotName(int number)
{
    return QStringLiteral("Spec%1").arg(number);
}

SpecialCharacters::Slot SpecialCharacters::parse(const QString &value)
{
    if (value.isEmpty() || value.startsWith(QLatin1Char('|')))
        return {};
    return { ButtonDefinition::field(value, 0), ButtonDefinition::field(value, 1) };
}

QString SpecialCharacters::value(const QString &character, const QString &code)
{
    if (character.isEmpty() || code.isEmpty())
        return QStringLiteral("|");
    return character + QLatin1Char('|') + code;
}

QString SpecialCharacters::caption(const QString &character)
{
    return plainMenuText(character);
}

void SpecialCharacters::SetupDefaultSpecialCharacters()
{
    int number = 1;
    for (const Default &d : defaults)
        m_store->writeText(slotName(number++),
                           value(QString(QChar(d.character)), QLatin1String(d.code)));
    m_store->writeFlag(setupName, true);
}

QList<SpecialCharacters::Slot> SpecialCharacters::readSlots()
{
    if (!m_store->readFlag(setupName))
        SetupDefaultSpecialCharacters();
    QList<Slot> result;
    for (int number = 1; number <= slotCount; ++number)
        result.append(parse(m_store->readText(slotName(number))));
    return result;
}

void SpecialCharacters::writeSlot(int number, const QString &character, const QString &code)
{
    m_store->writeText(slotName(number), value(character, code));
}

} // namespace Tarnwick
