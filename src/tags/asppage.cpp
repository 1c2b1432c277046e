// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/asppage.h"

namespace Tarnwick {

ASPPage::ASPPage(TagInserter *inserter, QWidget *parent)
    : ToolPage("ASPPage", inserter, parent)
{
    for (const char *name : { "ASPPercent", "ASPEqual", "SpeedButton8", "SpeedButton58",
                              "SpeedButton62", "SpeedButton57", "SpeedButton52", "SpeedButton61" })
        addTagButton(name);
    finish();
}

} // namespace Tarnwick
