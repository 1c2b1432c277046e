// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Tarnwick {

// The program reasons about keys by their classic virtual-key numbers (the
// status bar shows them, and "refresh while typing" treats 45 and above as
// typing). This maps Qt's key codes onto those numbers; 0 when there is none.
class VirtualKey
{
public:
    static int fromQtKey(int qtKey);
    // What a key that types a character of its own is reported as.
    static constexpr int typingKey = 223;
};

} // namespace Tarnwick
