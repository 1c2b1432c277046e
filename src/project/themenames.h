// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace Tarnwick {

// The graphic themes installed in the program directory's "themes" folder:
// each file t_X.gif (any case) names the theme X, as it is spelt.
class ThemeNames final
{
public:
    ThemeNames() = delete;

    static QString themesDirectory(const QString &programDirectory);
    // The characters after "t_" up to the first ".", sorted case aside.
    static QStringList list(const QString &programDirectory);
};

} // namespace Tarnwick
