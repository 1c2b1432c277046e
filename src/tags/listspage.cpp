// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/listspage.h"

#include "tags/taginserter.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace Tarnwick {

ListsPage::ListsPage(TagInserter *inserter, QWidget *parent)
    : ToolPage("ListsPage", inserter, parent)
    , m_listType(new QComboBox(this))
    , m_orderedTypes(new QComboBox(this))
    , m_unorderedTypes(new QComboBox(this))
    , m_startAt(new QSpinBox(this))
    , m_count(new QSpinBox(this))
{
    addTagButton("SpeedButton69");
    addSpacing(6);
    connect(addButton("AddListSB", QStringLiteral("List"), QStringLiteral("Insert defined list")),
            &QToolButton::clicked, this, [this] { m_inserter->AddListSBClick(options()); });

    m_listType->addItems({ QStringLiteral("Ordered"), QStringLiteral("Unordered") });
    addControl(m_listType, "ListType", QStringLiteral("Type of list"));
    m_orderedTypes->addItems(MarkupBuilder::orderedStyles());
    addControl(m_orderedTypes, "OLTypes", QStringLiteral("Style of the ordered list"));
    m_unorderedTypes->addItems(MarkupBuilder::unorderedStyles());
    addControl(m_unorderedTypes, "ULTypes", QStringLiteral("Style of the unordered list"));

    const QString startHint = QStringLiteral("Number/Letter to start with");
    m_startLabel = addLabel(QStringLiteral("Start"), startHint);
    m_startAt->setRange(0, 9999);
    m_startAt->setValue(1);
    addControl(m_startAt, "StartAt", startHint);

    const QString countHint = QStringLiteral("Number of items to appear in the list");
    addLabel(QStringLiteral("Items"), countHint);
    m_count->setRange(1, MarkupBuilder::maxListItems);
    m_count->setValue(1);
    addControl(m_count, "ListCount", countHint);
    finish();

    connect(m_listType, &QComboBox::currentIndexChanged, this, &ListsPage::ListTypeClick);
    ListTypeClick();
}

MarkupBuilder::ListOptions ListsPage::options() const
{
    MarkupBuilder::ListOptions o;
    o.ordered = m_listType->currentIndex() == 0;
    o.orderedStyle = m_orderedTypes->currentIndex();
    o.unorderedStyle = m_unorderedTypes->currentIndex();
    o.startAt = m_startAt->value();
    o.itemCount = m_count->value();
    return o;
}

// Each type shows the boxes that belong to it.
void ListsPage::ListTypeClick()
{
    const bool ordered = m_listType->currentIndex() == 0;
    m_orderedTypes->setVisible(ordered);
    m_startLabel->setVisible(ordered);
    m_startAt->setVisible(ordered);
    m_unorderedTypes->setVisible(!ordered);
}

} // namespace Tarnwick
