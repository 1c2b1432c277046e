// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/formatpage.h"

#include "tags/lcrpopup.h"
#include "tags/taginserter.h"

#include <QToolButton>

namespace Tarnwick {

FormatPage::FormatPage(TagInserter *inserter, QWidget *parent)
    : ToolPage("FormatPage", inserter, parent)
    , m_popup(new LCRPopup(inserter, this))
{
    for (int level = 1; level <= 6; ++level) {
        const QByteArray name = "H" + QByteArray::number(level);
        addTagButton(QByteArray(name + "Btn"));
        addArrow(QByteArray(name + "DnArrow"), QString::fromLatin1(name));
    }
    addTagButton("DIVBtn");
    addArrow("DIVDnArrow", QStringLiteral("DIV"));
    connect(
        addButton("ParagraphBtn", QStringLiteral("P"), QStringLiteral("Insert Paragraph marker")),
        &QToolButton::clicked, this, [this] { m_inserter->ParagraphBtnClick(); });
    addArrow("PDnArrow", QStringLiteral("P"));
    addTagButton("BRButton");
    addArrow("SpeedButton24", QStringLiteral("BR"));
    addTagButton("HRSpeedButton");
    addArrow("SpeedButton25", QStringLiteral("HR"));
    finish();
}

// The arrow's hint is the tag it offers.
void FormatPage::addArrow(QAnyStringView objectName, const QString &tagName)
{
    auto *arrow = new QToolButton(this);
    arrow->setArrowType(Qt::DownArrow);
    arrow->setFixedWidth(14);
    addControl(arrow, objectName, tagName);
    connect(arrow, &QToolButton::clicked, this,
            [this, arrow] { m_popup->showBelow(arrow->toolTip(), arrow); });
}

} // namespace Tarnwick
