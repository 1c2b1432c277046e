// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/ttableattrform.h"

#include "platform/prompter.h"
#include "tags/markupbuilder.h"
#include "tags/taginserter.h"
#include "wizards/dialogparts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace Tarnwick {

namespace {

using DialogParts::named;
using DialogParts::spin;

QComboBox *choice(QWidget *parent, const char *name, const QStringList &texts)
{
    auto *box = named(new QComboBox(parent), name);
    box->addItems(texts);
    return box;
}

QHBoxLayout *pair(QWidget *a, QWidget *b)
{
    auto *row = new QHBoxLayout;
    row->addWidget(a, 1);
    row->addWidget(b);
    return row;
}

} // namespace

TTableAttrForm::TTableAttrForm(TagInserter *inserter, Prompter *prompter, QWidget *parent)
    : QDialog(parent)
    , m_inserter(inserter)
    , m_prompter(prompter)
    , m_rows(spin(this, "SpanRows", 1, 100, 1))
    , m_columns(spin(this, "SpanColumns", 1, 100, 1))
    , m_vertical(choice(this, "VertAlign",
                        { QStringLiteral("none"), QStringLiteral("top"), QStringLiteral("middle"),
                          QStringLiteral("bottom") }))
    , m_horizontal(choice(this, "HorzAlign",
                          { QStringLiteral("none"), QStringLiteral("left"),
                            QStringLiteral("center"), QStringLiteral("right") }))
    , m_color(named(new QLineEdit(this), "CellColor"))
    , m_height(spin(this, "CellHeight", 0, 9999, 0))
    , m_heightPercent(named(new QCheckBox(QStringLiteral("%"), this), "HeightPercent"))
    , m_width(spin(this, "CellWidth", 0, 9999, 0))
    , m_widthPercent(named(new QCheckBox(QStringLiteral("%"), this), "WidthPercent"))
{
    setObjectName(QStringLiteral("TTableAttrForm"));
    setWindowTitle(QStringLiteral("Cell Attributes"));
    auto *form = new QFormLayout(this);
    auto *colorBtn = named(new QToolButton(this), "ColorBtn");
    colorBtn->setText(QStringLiteral("..."));
    form->addRow(QStringLiteral("Span Rows:"), m_rows);
    form->addRow(QStringLiteral("Span Columns:"), m_columns);
    form->addRow(QStringLiteral("Vertical Alignment:"), m_vertical);
    form->addRow(QStringLiteral("Horizontal Alignment:"), m_horizontal);
    form->addRow(QStringLiteral("Cell Color:"), pair(m_color, colorBtn));
    form->addRow(QStringLiteral("Height:"), pair(m_height, m_heightPercent));
    form->addRow(QStringLiteral("Width:"), pair(m_width, m_widthPercent));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TTableAttrForm::OKBtnClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(colorBtn, &QToolButton::clicked, this, &TTableAttrForm::ColorBtnClick);
}

CellAttributes TTableAttrForm::attributes() const
{
    CellAttributes a;
    a.rows = m_rows->value();
    a.columns = m_columns->value();
    a.vertical = m_vertical->currentText();
    a.horizontal = m_horizontal->currentText();
    a.color = m_color->text();
    a.height = m_height->value();
    a.heightPercent = m_heightPercent->isChecked();
    a.width = m_width->value();
    a.widthPercent = m_widthPercent->isChecked();
    return a;
}

void TTableAttrForm::OKBtnClick()
{
    m_inserter->InsertText(attributes().text());
    accept();
}

void TTableAttrForm::ColorBtnClick()
{
    const QString text = m_color->text();
    const QColor initial = text.size() == 6 ? QColor(QLatin1Char('#') + text) : QColor(Qt::white);
    if (const std::optional<QColor> chosen = m_prompter->chooseColor(initial))
        m_color->setText(MarkupBuilder::colorText(*chosen));
}

} // namespace Tarnwick
