// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// File names of dictionaries and word lists come from settings written on a
// file system that ignores case ("English.dct" for ENGLISH.DCT).
class SpellPaths final
{
public:
    SpellPaths() = delete;

    // path itself when it exists; otherwise the entry of its directory whose
    // name differs only in case; otherwise path unchanged.
    static QString resolveCase(const QString &path);
};

} // namespace Tarnwick
