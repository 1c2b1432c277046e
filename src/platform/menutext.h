// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// Text for a menu item that comes from outside (a path, an address, a file
// name): every "&" is shown as written instead of marking an access key.
inline QString plainMenuText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace Tarnwick
