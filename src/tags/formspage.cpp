// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/formspage.h"

#include "tags/taginserter.h"

#include <QToolButton>

namespace Tarnwick {

FormsPage::FormsPage(TagInserter *inserter, QWidget *parent)
    : ToolPage("FormsPage", inserter, parent)
{
    for (const char *name :
         { "CBButton", "RGButton", "DEButton", "TAButton", "BitBtn3", "LBButton", "SpeedButton21" })
        addTagButton(name);
    connect(addButton("SpeedButton33", QStringLiteral("Form"),
                      QStringLiteral("Opening and Closing Form tags w/buttons")),
            &QToolButton::clicked, this, [this] { m_inserter->FormTagsClick(); });
    finish();
}

} // namespace Tarnwick
