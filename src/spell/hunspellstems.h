// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "affixrules.h"

#include <QString>

#include <vector>

namespace Tarnwick {

// The stems of a Hunspell .dic file with their flags. The first line's count
// of stems is only a hint; morphological fields after the flags are dropped.
class HunspellStems final
{
public:
    struct Stem
    {
        QString word;
        AffixRules::Flags flags;
    };

    // Reads the decoded text of a .dic file with the flags the rules define.
    static std::vector<Stem> parse(QStringView text, const AffixRules &rules);
};

} // namespace Tarnwick
