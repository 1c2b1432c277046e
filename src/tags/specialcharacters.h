// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace Tarnwick {

// Where the special-character slotCount are kept: the "SpecialCharacters" group
// of the settings store, behind what the application provides.
class SpecialCharacterStore
{
public:
    virtual ~SpecialCharacterStore() = default;
    virtual QString readText(const QString &name) = 0; // empty when missing
    virtual bool readFlag(const QString &name) = 0; // false when missing
    virtual void writeText(const QString &name, const QString &value) = 0;
    virtual void writeFlag(const QString &name, bool value) = 0;
};

// The buttons of the "Special" page: slotCount "Spec1" to "Spec19", each the
// character, "|" and its HTML code; "|" alone is an empty slot.
class SpecialCharacters final
{
public:
    static constexpr int slotCount = 19;
    static constexpr int maxCode = 20;

    struct Slot
    {
        QString character;
        QString code;
        bool isEmpty() const { return character.isEmpty(); }
    };

    explicit SpecialCharacters(SpecialCharacterStore *store);

    // Writes the ten defaults (slotCount 1 to 10) and marks the set as set up.
    void SetupDefaultSpecialCharacters();
    // The defaults once, then every slot (1 to 19 at index 0 to 18).
    QList<Slot> readSlots();
    // A slot written from the dialog's row: empty unless both are given.
    void writeSlot(int number, const QString &character, const QString &code);

    static QString slotName(int number); // "Spec1"
    static Slot parse(const QString &value);
    static QString value(const QString &character, const QString &code);
    // The button's caption: "&" shows as itself.
    static QString caption(const QString &character);

private:
    SpecialCharacterStore *m_store;
};

} // namespace Tarnwick
