// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// The hint of a button that holds a code the user wrote: shown as written,
// never read as rich text ("<BR>" would show an empty tip, "&lt;" a "<").
class CodeHint final
{
public:
    CodeHint() = delete;

    static QString toolTip(const QString &code);
};

} // namespace Tarnwick
