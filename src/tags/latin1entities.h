// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

namespace Tarnwick {

// The accented letters of ISO Latin-1 (192 to 255) by their HTML 2.0 entity
// names, for "Expand to HTML". The multiplication and division signs and
// everything else have none here and are typed as they are.
class Latin1Entities final
{
public:
    Latin1Entities() = delete;

    // "&eacute;" for "é"; empty when the character is not expanded.
    static QString entity(QChar character);
};

} // namespace Tarnwick
