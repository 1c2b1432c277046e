// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/listspage.h"

#include "tags/taginserter.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>

#include <initializer_list>
#include <utility>

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
    // The two style boxes share one place, and the start box keeps its own
    // while hidden: changing the type moves nothing under the pointer.
    auto *styles = new QStackedWidget(this);
    const std::pair<QComboBox *, const char *> styleBoxes[]
        = { { m_orderedTypes, "OLTypes" }, { m_unorderedTypes, "ULTypes" } };
    m_orderedTypes->addItems(MarkupBuilder::orderedStyles());
    m_unorderedTypes->addItems(MarkupBuilder::unorderedStyles());
    const QString styleHints[] = { QStringLiteral("Style of the ordered list"),
                                   QStringLiteral("Style of the unordered list") };
    for (int i = 0; i < 2; ++i) {
        QComboBox *box = styleBoxes[i].first;
        box->setObjectName(QLatin1String(styleBoxes[i].second));
        box->setToolTip(styleHints[i]);
        box->setStatusTip(styleHints[i]);
        styles->addWidget(box);
    }
    m_styles = styles;
    addControl(styles, "ListStyles", QStringLiteral("Style of the list"));

    const QString startHint = QStringLiteral("Number/Letter to start with");
    m_startLabel = addLabel(QStringLiteral("Start"), startHint);
    m_startAt->setRange(0, 9999);
    m_startAt->setValue(1);
    addControl(m_startAt, "StartAt", startHint);
    for (QWidget *kept : std::initializer_list<QWidget *> { m_startLabel, m_startAt }) {
        QSizePolicy policy = kept->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        kept->setSizePolicy(policy);
    }

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
    m_styles->setCurrentWidget(ordered ? m_orderedTypes : m_unorderedTypes);
    m_startLabel->setVisible(ordered);
    m_startAt->setVisible(ordered);
}

} // namespace Tarnwick
