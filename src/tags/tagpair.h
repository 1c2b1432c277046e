// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

// The opening and closing texts that go around the selection.
struct TagPair
{
    QString open;
    QString close;

    bool isEmpty() const { return open.isEmpty() && close.isEmpty(); }
    friend bool operator==(const TagPair &, const TagPair &) = default;
};

} // namespace Tarnwick
