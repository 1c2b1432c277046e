// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/markupbuilder.h"
#include "tags/toolpage.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QStackedWidget;

namespace Tarnwick {

// "Lists": the bullet mark and the defined list with its type, style,
// start and number of items.
class ListsPage final : public ToolPage
{
    Q_OBJECT

public:
    explicit ListsPage(TagInserter *inserter, QWidget *parent = nullptr);

    MarkupBuilder::ListOptions options() const;

private:
    void ListTypeClick();

    QComboBox *m_listType;
    QComboBox *m_orderedTypes;
    QComboBox *m_unorderedTypes;
    QStackedWidget *m_styles = nullptr;
    QLabel *m_startLabel;
    QSpinBox *m_startAt;
    QSpinBox *m_count;
};

} // namespace Tarnwick
