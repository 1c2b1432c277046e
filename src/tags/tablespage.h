// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/markupbuilder.h"
#include "tags/toolpage.h"

class QCheckBox;
class QSpinBox;

namespace Tarnwick {

// "Tables": the quick table of so many rows and columns.
class TablesPage final : public ToolPage
{
    Q_OBJECT

public:
    explicit TablesPage(TagInserter *inserter, QWidget *parent = nullptr);

    MarkupBuilder::TableOptions options() const;

private:
    QCheckBox *m_border;
    QSpinBox *m_width;
    QSpinBox *m_rows;
    QSpinBox *m_columns;
};

} // namespace Tarnwick
