// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/tcalendarform.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "tags/markupbuilder.h"
#include "wizards/dialogparts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace Tarnwick {

using DialogParts::named;
using DialogParts::spin;

namespace {

const QStringList alignments = { QStringLiteral("none"), QStringLiteral("left"),
                                 QStringLiteral("center"), QStringLiteral("right") };

} // namespace

TCalendarForm::TCalendarForm(Context context, QWidget *parent)
    : QDialog(parent)
    , m_context(std::move(context))
{
    setObjectName(QStringLiteral("TCalendarForm"));
    setWindowTitle(QStringLiteral("Calendar Vaza Ded"));
    const QDate today = m_context.today.isValid() ? m_context.today : QDate::currentDate();
    m_options.date = { today.year(), today.month(), today.day() };

    auto *layout = new QVBoxLayout(this);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(optionsPane());
    m_preview = named(new Renderer(splitter), "CalendarPreview");
    m_preview->setMinimumSize(360, 300);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    named(buttons->button(QDialogButtonBox::Ok), "OKBtn");
    named(buttons->button(QDialogButtonBox::Cancel), "CancelBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &TCalendarForm::OKBtnClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    showDate();
    generate();
    resize(900, 520);
}

QWidget *TCalendarForm::optionsPane()
{
    auto *pane = new QWidget(this);
    auto *form = new QFormLayout(pane);

    auto *monthRow = new QHBoxLayout;
    auto *previous = named(new QToolButton(pane), "PrevMonthBtn");
    previous->setArrowType(Qt::LeftArrow);
    previous->setToolTip(QStringLiteral("Previous month"));
    auto *next = named(new QToolButton(pane), "NextMonthBtn");
    next->setArrowType(Qt::RightArrow);
    next->setToolTip(QStringLiteral("Next month"));
    m_month = named(new QLabel(pane), "MonthLabel");
    m_month->setAlignment(Qt::AlignCenter);
    m_month->setMinimumWidth(90);
    m_year = spin(pane, "YearSpin", CalendarBuilder::minYear, CalendarBuilder::maxYear,
                  m_options.date.year);
    // A year counts once typed in full: the years passed on the way would cut 29 February.
    m_year->setKeyboardTracking(false);
    monthRow->addWidget(previous);
    monthRow->addWidget(m_month, 1);
    monthRow->addWidget(next);
    monthRow->addWidget(m_year);
    form->addRow(monthRow);

    m_startDay = named(new QComboBox(pane), "StartWeekCombo");
    m_startDay->addItems({ QStringLiteral("Sunday"), QStringLiteral("Monday"),
                           QStringLiteral("Tuesday"), QStringLiteral("Wednesday"),
                           QStringLiteral("Thursday"), QStringLiteral("Friday"),
                           QStringLiteral("Saturday") });
    form->addRow(QStringLiteral("Start Week With:"), m_startDay);
    m_links = named(new QCheckBox(QStringLiteral("Include Page links"), pane), "PageLinksBox");
    form->addRow(m_links);
    m_tableAlignment = named(new QComboBox(pane), "TableAlignCombo");
    m_tableAlignment->addItems(alignments);
    form->addRow(QStringLiteral("Table Alignment:"), m_tableAlignment);
    m_dateAlignment = named(new QComboBox(pane), "DateAlignCombo");
    m_dateAlignment->addItems(alignments);
    form->addRow(QStringLiteral("Date Alignment:"), m_dateAlignment);
    m_headingColor = colorField(pane, "HeadingColorEdit", "HeadingColorBtn");
    form->addRow(QStringLiteral("Heading Color:"), m_headingColor->parentWidget());
    m_tableColor = colorField(pane, "TableColorEdit", "TableColorBtn");
    form->addRow(QStringLiteral("Table Color:"), m_tableColor->parentWidget());
    m_textColor = colorField(pane, "TextColorEdit", "TextColorBtn");
    form->addRow(QStringLiteral("Calendar Text Color:"), m_textColor->parentWidget());
    m_border = named(new QCheckBox(QStringLiteral("Border"), pane), "BorderBox");
    m_border->setChecked(true);
    form->addRow(m_border);
    m_rowHeight = spin(pane, "RowHeightSpin", 0, 999, 0);
    form->addRow(QStringLiteral("Row Height:"), m_rowHeight);

    connect(previous, &QToolButton::clicked, this, &TCalendarForm::PrevMonthClick);
    connect(next, &QToolButton::clicked, this, &TCalendarForm::NextMonthClick);
    connect(m_year, &QSpinBox::valueChanged, this, [this](int year) {
        if (m_updating)
            return;
        m_options.date = m_options.date.withYear(year);
        showDate();
        generate();
    });
    for (QComboBox *box : { m_startDay, m_tableAlignment, m_dateAlignment })
        connect(box, &QComboBox::currentIndexChanged, this, &TCalendarForm::generate);
    for (QCheckBox *box : { m_links, m_border })
        connect(box, &QCheckBox::toggled, this, &TCalendarForm::generate);
    for (QLineEdit *field : { m_headingColor, m_tableColor, m_textColor })
        connect(field, &QLineEdit::textChanged, this, &TCalendarForm::generate);
    connect(m_rowHeight, &QSpinBox::valueChanged, this, &TCalendarForm::generate);
    return pane;
}

QLineEdit *TCalendarForm::colorField(QWidget *parent, const char *name, const char *buttonName)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *field = named(new QLineEdit(row), name);
    field->setMaxLength(6);
    field->setPlaceholderText(QStringLiteral("RRGGBB"));
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,6}")), field));
    auto *choose = named(new QToolButton(row), buttonName);
    choose->setText(QStringLiteral("..."));
    choose->setToolTip(QStringLiteral("Choose a colour"));
    layout->addWidget(field, 1);
    layout->addWidget(choose);
    connect(choose, &QToolButton::clicked, this, [this, field] { chooseColor(field); });
    return field;
}

void TCalendarForm::chooseColor(QLineEdit *field)
{
    const QString text = field->text();
    const QColor initial = text.size() == 6 ? QColor(QLatin1Char('#') + text) : QColor(Qt::white);
    const std::optional<QColor> chosen = m_context.prompter->chooseColor(initial);
    if (chosen)
        field->setText(MarkupBuilder::colorText(*chosen).toUpper());
}

void TCalendarForm::PrevMonthClick()
{
    m_options.date = m_options.date.stepMonth(-1);
    showDate();
    generate();
}

void TCalendarForm::NextMonthClick()
{
    m_options.date = m_options.date.stepMonth(1);
    showDate();
    generate();
}

void TCalendarForm::showDate()
{
    m_month->setText(CalendarBuilder::monthName(m_options.date.month));
    m_updating = true;
    m_year->setValue(m_options.date.year);
    m_updating = false;
}

void TCalendarForm::readFields()
{
    m_options.firstDayOfWeek = std::max(0, m_startDay->currentIndex());
    m_options.links = m_links->isChecked();
    m_options.tableAlignment = m_tableAlignment->currentText();
    m_options.dateAlignment = m_dateAlignment->currentText();
    m_options.headingColor = m_headingColor->text();
    m_options.tableColor = m_tableColor->text();
    m_options.textColor = m_textColor->text();
    m_options.border = m_border->isChecked();
    m_options.rowHeight = m_rowHeight->value();
}

QStringList TCalendarForm::lines() const
{
    return CalendarBuilder::lines(m_options, m_context.dayNames);
}

void TCalendarForm::generate()
{
    readFields();
    m_preview->LoadFromBuffer(lines().join(QLatin1Char('\n')), m_context.pageDirectory);
}

void TCalendarForm::OKBtnClick()
{
    readFields();
    const std::pair<QLineEdit *, const char *> colors[] = {
        { m_headingColor, "Heading Color:" },
        { m_tableColor, "Table Color:" },
        { m_textColor, "Calendar Text Color:" },
    };
    for (const auto &[field, label] : colors) {
        if (!CalendarBuilder::isColorText(field->text())) {
            m_context.prompter->warning(QLatin1String(label)
                                        + QStringLiteral(" a colour is six hexadecimal digits "
                                                         "(RRGGBB), or empty."));
            field->setFocus();
            return;
        }
    }
    m_context.editor->ReplaceSelection(MarkupBuilder::joinLines(lines()));
    accept();
}

} // namespace Tarnwick
