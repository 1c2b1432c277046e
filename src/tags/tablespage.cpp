// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tablespage.h"

#include "tags/taginserter.h"

#include <QCheckBox>
#include <QSpinBox>
#include <QToolButton>

namespace Tarnwick {

TablesPage::TablesPage(TagInserter *inserter, QWidget *parent)
    : ToolPage("TablesPage", inserter, parent)
    , m_border(new QCheckBox(QStringLiteral("Border"), this))
    , m_width(new QSpinBox(this))
    , m_rows(new QSpinBox(this))
    , m_columns(new QSpinBox(this))
{
    connect(addButton("SpeedButton7", QStringLiteral("Table"),
                      QStringLiteral("Insert TABLE tag with defined table at right")),
            &QToolButton::clicked, this, [this] { m_inserter->QuickTableClick(options()); });
    addSpacing(6);
    m_border->setChecked(true);
    addControl(m_border, "TableBorder", QStringLiteral("Draw a border round the cells"));

    const QString widthHint = QStringLiteral("Width of the table in percent; 0 leaves it out");
    addLabel(QStringLiteral("Width"), widthHint);
    m_width->setRange(0, 100);
    m_width->setSuffix(QStringLiteral("%"));
    addControl(m_width, "TableWidth", widthHint);

    addLabel(QStringLiteral("Rows"), QStringLiteral("Rows"));
    m_rows->setRange(1, MarkupBuilder::maxTableRows);
    m_rows->setValue(2);
    addControl(m_rows, "TableRows", QStringLiteral("Rows"));

    addLabel(QStringLiteral("Columns By"), QStringLiteral("Columns By"));
    m_columns->setRange(1, MarkupBuilder::maxTableColumns);
    m_columns->setValue(2);
    addControl(m_columns, "TableColumns", QStringLiteral("Columns By"));
    finish();
}

MarkupBuilder::TableOptions TablesPage::options() const
{
    MarkupBuilder::TableOptions o;
    o.border = m_border->isChecked();
    o.widthPercent = m_width->value();
    o.rows = m_rows->value();
    o.columns = m_columns->value();
    return o;
}

} // namespace Tarnwick
