// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/tformentry.h"

#include "platform/prompter.h"
#include "wizards/dialogparts.h"
#include "wizards/formbuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace Tarnwick {

namespace {

const char *const captions[TFormEntry::PageCount]
    = { "Check Box", "Radio Group", "Data Entry", "List Box", "Text Area", "Page Text", "Hidden" };

using DialogParts::named;
using DialogParts::spin;

QString flag(const QCheckBox *box)
{
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

TFormEntry::TFormEntry(Prompter *prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormEntry"));
    auto *layout = new QVBoxLayout(this);
    m_pages = new QStackedWidget(this);
    for (int page = 0; page < PageCount; ++page)
        m_pages->addWidget(makePage(page));
    layout->addWidget(m_pages, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormEntry::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString TFormEntry::pageCaption(int page)
{
    return page >= 0 && page < PageCount ? QLatin1String(captions[page]) : QString();
}

QWidget *TFormEntry::makePage(int page)
{
    auto *w = new QWidget(this);
    auto *form = new QFormLayout(w);
    auto edit = [w](const char *name) { return named(new QLineEdit(w), name); };
    auto box = [w](const char *name, const char *caption) {
        return named(new QCheckBox(QLatin1String(caption), w), name);
    };
    switch (page) {
    case CheckBox:
        form->addRow(QStringLiteral("Variable Name:"), m_cbName = edit("CBName"));
        form->addRow(QStringLiteral("Caption text for checkbox:"), m_cbCaption = edit("CBCaption"));
        form->addRow(QStringLiteral("Assigned Value:"), m_cbValue = edit("CBValue"));
        form->addRow(m_cbChecked = box("CBChecked", "Check Item?"));
        break;
    case RadioGroup:
        m_rgGroup = named(new QComboBox(w), "RGGroup");
        m_rgGroup->setEditable(true);
        form->addRow(QStringLiteral("Radio Group Name:"), m_rgGroup);
        form->addRow(QStringLiteral("Button Caption:"), m_rgCaption = edit("RGCaption"));
        form->addRow(QStringLiteral("Assigned Value:"), m_rgValue = edit("RGValue"));
        form->addRow(m_rgDefault = box("RGDefault", "Default Radio Button"));
        break;
    case DataEntry:
        form->addRow(QStringLiteral("Variable Name:"), m_deName = edit("DEName"));
        form->addRow(QStringLiteral("Data Entry Field Caption:"), m_deCaption = edit("DECaption"));
        form->addRow(QStringLiteral("Length Of Field:"),
                     m_deLength = spin(w, "DELength", 1, 999, 20));
        form->addRow(m_dePassword = box("DEPassword", "Password field?"));
        break;
    case ListBox: {
        form->addRow(QStringLiteral("List Box Variable Name:"), m_lbName = edit("LBName"));
        form->addRow(QStringLiteral("List Box Caption:"), m_lbCaption = edit("LBCaption"));
        auto *row = new QHBoxLayout;
        m_lbEntry = edit("LBEntry");
        auto *add = m_lbAdd = named(new QPushButton(QStringLiteral("&Add"), w), "LBAdd");
        auto *remove = named(new QPushButton(QStringLiteral("&Remove"), w), "LBRemove");
        row->addWidget(m_lbEntry, 1);
        row->addWidget(add);
        row->addWidget(remove);
        form->addRow(QStringLiteral("List Box Entry:"), row);
        form->addRow(m_lbEntries = named(new QListWidget(w), "LBEntries"));
        form->addRow(m_lbSort = box("LBSort", "Sort List"));
        form->addRow(m_lbMultiple = box("LBMultiple", "Multiple Selections"));
        form->addRow(QStringLiteral("Visible Items:"),
                     m_lbVisible = spin(w, "LBVisible", 0, 999, 0));
        m_lbSort->setChecked(true);
        m_lbEntries->setSortingEnabled(true);
        connect(add, &QPushButton::clicked, this, &TFormEntry::AddEntryClick);
        connect(remove, &QPushButton::clicked, this, &TFormEntry::RemoveEntryClick);
        // Enter in the entry box adds the entry; it never reaches OK.
        m_lbEntry->installEventFilter(this);
        connect(m_lbEntries, &QListWidget::itemClicked, this,
                [this](QListWidgetItem *item) { m_lbEntry->setText(item->text()); });
        connect(m_lbSort, &QCheckBox::toggled, this, [this](bool on) {
            m_lbEntries->setSortingEnabled(on);
            if (on)
                m_lbEntries->sortItems();
        });
        break;
    }
    case TextArea:
        form->addRow(QStringLiteral("Comment Box Variable Name:"), m_taName = edit("TAName"));
        form->addRow(QStringLiteral("Comment Box Caption:"), m_taCaption = edit("TACaption"));
        form->addRow(QStringLiteral("Columns:"), m_taColumns = spin(w, "TAColumns", 1, 100, 1));
        form->addRow(QStringLiteral("Rows"), m_taRows = spin(w, "TARows", 1, 10, 1));
        break;
    case PageText:
        form->addRow(QStringLiteral("Page Text:"), m_ptText = edit("PTText"));
        form->addRow(m_ptBold = box("PTBold", "Bold"));
        form->addRow(m_ptItalics = box("PTItalics", "Italics"));
        form->addRow(m_ptUnderlined = box("PTUnderlined", "Underlined"));
        form->addRow(m_ptPreformatted = box("PTPreformatted", "Preformatted"));
        form->addRow(QStringLiteral("Font Size:"), m_ptSize = spin(w, "PTSize", 0, 7, 0));
        break;
    default:
        form->addRow(QStringLiteral("Variable Name:"), m_hdName = edit("HDName"));
        form->addRow(QStringLiteral("Assigned Value:"), m_hdValue = edit("HDValue"));
        break;
    }
    return w;
}

void TFormEntry::showPage(int page)
{
    m_pages->setCurrentIndex(page);
    setWindowTitle(pageCaption(page) + QStringLiteral(" Definition"));
}

int TFormEntry::page() const
{
    return m_pages->currentIndex();
}

void TFormEntry::startNew(int page, const QStringList &groupNames)
{
    QWidget *w = m_pages->widget(page);
    for (QLineEdit *edit : w->findChildren<QLineEdit *>()) {
        if (!qobject_cast<QComboBox *>(edit->parentWidget()))
            edit->clear();
    }
    for (QCheckBox *box : w->findChildren<QCheckBox *>())
        box->setChecked(false);
    m_lbEntries->clear();
    m_rgGroup->clear();
    m_rgGroup->addItems(groupNames);
    m_rgGroup->setCurrentText(QString());
    showPage(page);
}

void TFormEntry::startEdit(const QString &r, const QStringList &groupNames)
{
    const int page = int(FormBuilder::kinds().indexOf(FormBuilder::field(r, 0)));
    if (page < 0)
        return;
    startNew(page, groupNames);
    auto f = [&r](int k) { return FormBuilder::field(r, k); };
    auto on = [&f](int k) { return f(k) == QLatin1String("1"); };
    switch (page) {
    case CheckBox:
        m_cbName->setText(f(1));
        m_cbValue->setText(f(2));
        m_cbCaption->setText(f(3));
        m_cbChecked->setChecked(on(4));
        break;
    case RadioGroup:
        m_rgGroup->setCurrentText(f(1));
        m_rgValue->setText(f(2));
        m_rgCaption->setText(f(3));
        m_rgDefault->setChecked(on(4));
        break;
    case DataEntry:
        m_deName->setText(f(1));
        m_deCaption->setText(f(2));
        m_deLength->setValue(f(3).toInt());
        m_dePassword->setChecked(on(4));
        break;
    case ListBox:
        m_lbName->setText(f(1));
        m_lbCaption->setText(f(2));
        m_lbSort->setChecked(on(3));
        m_lbMultiple->setChecked(on(4));
        m_lbVisible->setValue(f(5).toInt());
        for (int k = 6; !f(k).isEmpty(); ++k)
            m_lbEntries->addItem(f(k));
        break;
    case TextArea:
        m_taName->setText(f(1));
        m_taCaption->setText(f(2));
        m_taColumns->setValue(f(3).toInt());
        m_taRows->setValue(f(4).toInt());
        break;
    case PageText:
        m_ptBold->setChecked(on(1));
        m_ptItalics->setChecked(on(2));
        m_ptUnderlined->setChecked(on(3));
        m_ptPreformatted->setChecked(on(4));
        m_ptSize->setValue(f(5).toInt());
        m_ptText->setText(f(6));
        break;
    default:
        m_hdName->setText(f(1));
        m_hdValue->setText(f(2));
        break;
    }
}

bool TFormEntry::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lbEntry) {
        switch (event->type()) {
        case QEvent::FocusIn:
            m_lbAdd->setDefault(true);
            break;
        case QEvent::FocusOut:
            m_ok->setDefault(true);
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter)
                break;
            AddEntryClick();
            return true;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormEntry::AddEntryClick()
{
    if (m_lbEntry->text().isEmpty())
        return;
    m_lbEntries->addItem(m_lbEntry->text());
    m_lbEntry->clear();
}

void TFormEntry::RemoveEntryClick()
{
    const QList<QListWidgetItem *> found
        = m_lbEntries->findItems(m_lbEntry->text(), Qt::MatchExactly);
    if (!found.isEmpty())
        delete found.first();
}

QString TFormEntry::record()
{
    const QString kind = FormBuilder::kinds().value(page());
    QStringList values;
    switch (page()) {
    case CheckBox:
        values = { m_cbName->text(), m_cbValue->text(), m_cbCaption->text(), flag(m_cbChecked) };
        break;
    case RadioGroup:
        values = { m_rgGroup->currentText(), m_rgValue->text(), m_rgCaption->text(),
                   flag(m_rgDefault) };
        break;
    case DataEntry:
        values = { m_deName->text(), m_deCaption->text(), QString::number(m_deLength->value()),
                   flag(m_dePassword) };
        break;
    case ListBox:
        values = { m_lbName->text(), m_lbCaption->text(), flag(m_lbSort), flag(m_lbMultiple),
                   QString::number(m_lbVisible->value()) };
        for (int i = 0; i < m_lbEntries->count(); ++i)
            values.append(m_lbEntries->item(i)->text());
        break;
    case TextArea:
        values = { m_taName->text(), m_taCaption->text(), QString::number(m_taColumns->value()),
                   QString::number(m_taRows->value()) };
        break;
    case PageText:
        values = { flag(m_ptBold),
                   flag(m_ptItalics),
                   flag(m_ptUnderlined),
                   flag(m_ptPreformatted),
                   QString::number(m_ptSize->value()),
                   m_ptText->text() };
        break;
    default:
        values = { m_hdName->text(), m_hdValue->text() };
        break;
    }
    for (const QString &value : std::as_const(values)) {
        const Result checked = FormBuilder::checkValue(value);
        if (!checked) {
            m_prompter->warning(checked.error());
            return QString();
        }
    }
    if (page() == CheckBox && m_cbName->text().contains(QLatin1Char(' '))) {
        m_prompter->information(QStringLiteral("No spaces allowed in variable name!"));
        return QString();
    }
    QString r = FormBuilder::record(kind, values);
    if (page() == ListBox)
        r += QLatin1Char('|'); // every entry is followed by "|"
    return r;
}

void TFormEntry::accept()
{
    const QString r = record();
    if (r.isEmpty())
        return;
    m_accepted = r;
    QDialog::accept();
}

} // namespace Tarnwick
