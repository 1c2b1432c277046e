// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/powerbook.h"

#include "tags/asppage.h"
#include "tags/fontpage.h"
#include "tags/formatpage.h"
#include "tags/formspage.h"
#include "tags/listspage.h"
#include "tags/tablespage.h"

namespace Tarnwick {

PowerBook::PowerBook(TagInserter *inserter, QWidget *parent)
    : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PowerBook"));
    setDocumentMode(true);
    setUsesScrollButtons(true);
    addTab(new FontPage(inserter, this), QStringLiteral("Font"));
    addTab(new FormatPage(inserter, this), QStringLiteral("Format"));
    addTab(new ListsPage(inserter, this), QStringLiteral("Lists"));
    addTab(new TablesPage(inserter, this), QStringLiteral("Tables"));
    addTab(new FormsPage(inserter, this), QStringLiteral("Forms"));
    addTab(new ASPPage(inserter, this), QStringLiteral("ASP"));
    // The window's first size makes room for the notebook before a page opens.
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    hide();
}

} // namespace Tarnwick
