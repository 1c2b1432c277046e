// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <string>
#include <vector>

namespace Tarnwick {

// The affix rules of a Hunspell .aff file, as far as expanding stems into
// words needs them: the encoding, how flags are written, flag aliases, the
// prefixes and suffixes with their conditions and continuation flags, and the
// flags that mark stems or affixes as not being words on their own.
// Compounding, suggestion and conversion keys are read past.
class AffixRules final
{
public:
    using Flag = quint32;
    // Sorted, without duplicates.
    using Flags = std::vector<Flag>;

    enum class FlagType { Char, Long, Number, Utf8 };

    // One position of a condition: any letter, or one of (or none of) a set.
    struct ConditionChar
    {
        bool any = false;
        bool negated = false;
        std::u32string letters;
    };

    struct Affix
    {
        bool crossProduct = false;
        QString strip;
        QString text;
        Flags continuation;
        std::vector<ConditionChar> condition;
    };

    // Reads the rules; fails only on an encoding this program cannot decode.
    Result parse(const QByteArray &aff);

    // Text of the .aff and .dic files in the pair's encoding, without a
    // byte order mark. Bytes the encoding has no letter for come out as U+FFFD.
    QString decode(const QByteArray &bytes) const;

    // The flags a .dic entry or an affix continuation writes, an alias number
    // resolved. Unreadable flags are left out.
    Flags parseFlags(QStringView text) const;

    static bool has(const Flags &flags, Flag flag);

    const std::vector<Affix> &prefixes(Flag flag) const;
    const std::vector<Affix> &suffixes(Flag flag) const;
    bool isPrefixFlag(Flag flag) const { return m_prefixes.contains(flag); }
    bool isSuffixFlag(Flag flag) const { return m_suffixes.contains(flag); }

    // Whether the stem fits the affix: it holds the text to strip at the
    // affix's side, keeps a letter when stripped (unless FULLSTRIP), and
    // meets the condition.
    bool prefixApplies(const Affix &prefix, const QString &stem) const;
    bool suffixApplies(const Affix &suffix, const QString &stem) const;

    // 0 when the .aff does not name the flag.
    Flag needAffix() const { return m_needAffix; }
    Flag forbiddenWord() const { return m_forbiddenWord; }
    Flag onlyInCompound() const { return m_onlyInCompound; }
    Flag circumfix() const { return m_circumfix; }

    int affixCount() const { return m_affixCount; }

private:
    Flags parseFlagList(QStringView text) const;
    Flag parseOneFlag(QStringView text) const;
    void addAffix(bool prefix, Flag flag, bool crossProduct, const QStringList &fields);

    QByteArray m_encoding = QByteArrayLiteral("ISO-8859-1");
    FlagType m_flagType = FlagType::Char;
    std::vector<Flags> m_aliases;
    QHash<Flag, std::vector<Affix>> m_prefixes;
    QHash<Flag, std::vector<Affix>> m_suffixes;
    Flag m_needAffix = 0;
    Flag m_forbiddenWord = 0;
    Flag m_onlyInCompound = 0;
    Flag m_circumfix = 0;
    bool m_fullStrip = false;
    int m_affixCount = 0;
};

} // namespace Tarnwick
