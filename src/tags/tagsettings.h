// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Tarnwick {

// The settings the tag tools read at the moment they act.
struct TagSettings
{
    bool useClosingP = false; // "Include closing </P> tag"
    bool useBR = false; // "Insert <BR> on carraige return"
    int fontSizeChange = 2; // step of the font size plus and minus buttons
};

} // namespace Tarnwick
