// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/tformwizeform.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "tags/markupbuilder.h"
#include "wizards/dialogparts.h"
#include "wizards/formdefinition.h"
#include "wizards/tformentry.h"
#include "wizards/tsubmitform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace Tarnwick {

namespace {

const QString saveQuestion
    = QStringLiteral("Would you like to save the Form Definition before proceeding?");

struct AddCommand
{
    const char *button;
    const char *hint;
    const char *menu;
};

const AddCommand addCommands[TFormEntry::PageCount] = {
    { "AddCheckBox", "Add Checkbox", "Add &Checkbox" },
    { "AddRadio", "Add Radio Button", "Add &Radio Button" },
    { "AddEntry", "Add Text or Password field", "Add &Entry Field" },
    { "AddListBox", "Add Listbox", "Add &List Box" },
    { "AddTextArea", "Add Text Area", "Add &Text Area" },
    { "AddPageText", "Add Plain Text", "Add &Page Text" },
    { "AddHidden", "Add Hidden Field", nullptr },
};

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFormWizeForm::TFormWizeForm(Context context, QWidget *parent)
    : QDialog(parent)
    , m_context(std::move(context))
    , m_entry(new TFormEntry(m_context.prompter, this))
{
    setObjectName(QStringLiteral("TFormWizeForm"));
    setWindowTitle(QStringLiteral("Form Vaza Ded"));
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    auto *left = new QWidget(splitter);
    auto *leftLayout = new QVBoxLayout(left);

    auto *form = new QFormLayout;
    m_submit = new QLineEdit(QStringLiteral("Submit Form"), left);
    m_submit->setObjectName(QStringLiteral("SubmitText"));
    m_reset = new QLineEdit(QStringLiteral("Reset Form"), left);
    m_reset->setObjectName(QStringLiteral("ResetText"));
    m_mailTo = new QLineEdit(QStringLiteral("your.address@your.provider"), left);
    m_mailTo->setObjectName(QStringLiteral("MailTo"));
    m_mailTo->setToolTip(QStringLiteral("Used for mailto submission"));
    m_table = new QCheckBox(QStringLiteral("Use Table Format"), left);
    m_table->setObjectName(QStringLiteral("UseTableFormat"));
    m_preformat = new QCheckBox(QStringLiteral("Preformat Fields"), left);
    m_preformat->setObjectName(QStringLiteral("PreformatFields"));
    form->addRow(QStringLiteral("Text for Submit Button:"), m_submit);
    form->addRow(QStringLiteral("Text for Reset Button:"), m_reset);
    form->addRow(QStringLiteral("Mail To:"), m_mailTo);
    form->addRow(m_table);
    form->addRow(m_preformat);
    leftLayout->addLayout(form);

    auto *adds = new QGridLayout;
    QMenu *fields = nullptr;
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    fields = bar->addMenu(QStringLiteral("Field&s"));
    for (int kind = 0; kind < TFormEntry::PageCount; ++kind) {
        const AddCommand &c = addCommands[kind];
        QPushButton *b = button(left, c.button, QLatin1String(c.hint).mid(4));
        b->setToolTip(QLatin1String(c.hint));
        adds->addWidget(b, kind / 4, kind % 4);
        connect(b, &QPushButton::clicked, this, [this, kind] { AddField(kind); });
        if (c.menu)
            connect(fields->addAction(QLatin1String(c.menu)), &QAction::triggered, this,
                    [this, kind] { AddField(kind); });
    }
    leftLayout->addLayout(adds);
    connect(fields->addAction(QStringLiteral("Remove &All Fields")), &QAction::triggered, this,
            &TFormWizeForm::RemoveAllClick);
    connect(fields->addAction(QStringLiteral("Remove &Selected Field")), &QAction::triggered, this,
            &TFormWizeForm::DeleteSelected);

    m_list = new QListWidget(left);
    m_list->setObjectName(QStringLiteral("FieldList"));
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *editAction = new QAction(QStringLiteral("Edit Selected"), m_list);
    auto *deleteAction = new QAction(QStringLiteral("Delete Selected"), m_list);
    m_list->addActions({ editAction, deleteAction });
    connect(editAction, &QAction::triggered, this, &TFormWizeForm::EditSelected);
    connect(deleteAction, &QAction::triggered, this, &TFormWizeForm::DeleteSelected);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TFormWizeForm::EditSelected);
    connect(m_list, &QListWidget::currentRowChanged, this, &TFormWizeForm::previewSelected);
    leftLayout->addWidget(m_list, 1);

    auto *moves = new QHBoxLayout;
    QPushButton *up = button(left, "UpBtn", QStringLiteral("Up"));
    QPushButton *down = button(left, "DownBtn", QStringLiteral("Down"));
    QPushButton *bin = button(left, "DeleteBtn", QStringLiteral("Delete"));
    bin->setToolTip(QStringLiteral("Delete Selected"));
    QPushButton *build = button(left, "BuildBtn", QStringLiteral("&Build"));
    for (QPushButton *b : { up, down, bin, build })
        moves->addWidget(b);
    leftLayout->addLayout(moves);
    connect(up, &QPushButton::clicked, this, &TFormWizeForm::UpClick);
    connect(down, &QPushButton::clicked, this, &TFormWizeForm::DownClick);
    connect(bin, &QPushButton::clicked, this, &TFormWizeForm::DeleteSelected);
    connect(build, &QPushButton::clicked, this, &TFormWizeForm::BuildClick);
    connect(m_table, &QCheckBox::toggled, this, &TFormWizeForm::BuildClick);
    connect(m_preformat, &QCheckBox::toggled, this, &TFormWizeForm::BuildClick);

    QAction *open = file->addAction(QStringLiteral("Open Form Definition..."));
    open->setShortcut(Qt::Key_F3);
    connect(open, &QAction::triggered, this, &TFormWizeForm::OpenClick);
    m_save = file->addAction(QStringLiteral("Save Form Definition..."));
    m_save->setShortcut(Qt::Key_F2);
    connect(m_save, &QAction::triggered, this, &TFormWizeForm::SaveClick);
    m_copy = file->addAction(QStringLiteral("Copy Form To Clipboard"));
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(m_copy, &QAction::triggered, this, &TFormWizeForm::CopyClick);
    QAction *insert = file->addAction(QStringLiteral("Insert and return"));
    insert->setObjectName(QStringLiteral("InsertForm"));
    connect(insert, &QAction::triggered, this, &TFormWizeForm::InsertClick);
    QAction *abandon = file->addAction(QStringLiteral("Abandon and return"));
    abandon->setObjectName(QStringLiteral("AbandonForm"));
    abandon->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(abandon, &QAction::triggered, this, &TFormWizeForm::AbandonClick);
    connect(file, &QMenu::aboutToShow, this, [this] {
        m_save->setEnabled(!m_records.isEmpty());
        m_copy->setEnabled(!m_records.isEmpty());
    });

    m_preview = new Renderer(splitter);
    m_preview->setObjectName(QStringLiteral("FormPreview"));
    m_preview->setMinimumSize(320, 240);
    connect(m_preview, &Renderer::formSubmitted, this,
            [this](const QString &action, const QString &method, const QStringList &pairs) {
                if (m_context.submitResults)
                    m_context.submitResults->showSubmission(action, method, pairs);
            });
    connect(
        m_preview, &Renderer::hotSpotClicked, this,
        [](const QString &, bool *handled) { *handled = true; }, Qt::DirectConnection);
    layout->addWidget(splitter, 1);
    resize(980, 600);
}

FormOptions TFormWizeForm::options() const
{
    FormOptions o;
    o.submitText = m_submit->text();
    o.resetText = m_reset->text();
    o.mailTo = m_mailTo->text();
    o.tableFormat = m_table->isChecked();
    o.preformat = m_preformat->isChecked();
    return o;
}

int TFormWizeForm::selected() const
{
    return m_list->currentRow();
}

QStringList TFormWizeForm::groupNames() const
{
    QStringList names;
    for (const QString &r : m_records) {
        if (FormBuilder::field(r, 0) == QLatin1String("RG"))
            names.append(FormBuilder::field(r, 1));
    }
    return names;
}

void TFormWizeForm::showLines(const QStringList &lines)
{
    const QString directory = m_context.pageDirectory ? m_context.pageDirectory() : QString();
    m_preview->LoadFromBuffer(lines.join(QLatin1Char('\n')), directory);
}

void TFormWizeForm::showRecords(int select)
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItems(m_records);
    m_list->setCurrentRow(select);
}

void TFormWizeForm::previewSelected()
{
    if (selected() >= 0 && selected() < m_records.size())
        showLines(FormBuilder::fieldAlone(m_records.at(selected()), options()));
}

void TFormWizeForm::AddField(int kind)
{
    m_entry->startNew(kind, groupNames());
    if (m_entry->exec() != QDialog::Accepted)
        return;
    const int at = selected() < 0 ? 0 : selected() + 1;
    m_records.insert(at, m_entry->accepted());
    showRecords(at); // the next field goes after this one: fields stay in the order added
    previewSelected();
}

void TFormWizeForm::EditSelected()
{
    const int row = selected();
    if (row < 0)
        return;
    m_entry->startEdit(m_records.at(row), groupNames());
    if (m_entry->exec() != QDialog::Accepted)
        return;
    m_records[row] = m_entry->accepted();
    showRecords(row);
    previewSelected();
}

void TFormWizeForm::DeleteSelected()
{
    const int row = selected();
    if (row < 0)
        return;
    m_records.removeAt(row);
    showRecords(qMin(row, int(m_records.size()) - 1));
    BuildClick();
}

void TFormWizeForm::RemoveAllClick()
{
    if (m_context.prompter->message(Prompter::Kind::Warning,
                                    QStringLiteral("Delete all the fields in this form?"),
                                    Prompter::Buttons::YesNo)
        != Prompter::Answer::Yes)
        return;
    m_records.clear();
    m_form.clear();
    showRecords(-1);
    m_preview->Clear();
}

void TFormWizeForm::UpClick()
{
    const int row = selected();
    if (row <= 0)
        return;
    m_records.swapItemsAt(row, row - 1);
    showRecords(row - 1);
    BuildClick();
}

void TFormWizeForm::DownClick()
{
    const int row = selected();
    if (row < 0 || row + 1 >= m_records.size())
        return;
    m_records.swapItemsAt(row, row + 1);
    showRecords(row + 1);
    BuildClick();
}

void TFormWizeForm::BuildClick()
{
    m_form = FormBuilder::build(m_records, options());
    if (!m_form.isEmpty())
        showLines(m_form);
}

bool TFormWizeForm::SaveClick()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Save Form Definition");
    request.directory = m_context.pageDirectory ? m_context.pageDirectory() : QString();
    request.fileName = m_fileName;
    request.filter = QStringLiteral("Form Definition Files|*.frm");
    const std::optional<QString> chosen = m_context.prompter->saveFileName(request);
    if (!chosen)
        return false;
    const QString path = FormDefinition::withExtension(*chosen);
    const Result written = FormDefinition::write(path, m_records);
    if (!written) {
        m_context.prompter->error(written.error());
        return false;
    }
    m_fileName = path;
    return true;
}

void TFormWizeForm::OpenClick()
{
    if (!m_records.isEmpty() && !askToSave())
        return;
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open Form Definition");
    request.directory = m_context.pageDirectory ? m_context.pageDirectory() : QString();
    request.fileName = m_fileName;
    request.filter = QStringLiteral("Form Definitions|*.frm");
    const std::optional<QString> chosen = m_context.prompter->openFileName(request);
    if (!chosen)
        return;
    const Expected<QStringList> read = FormDefinition::read(*chosen);
    if (!read) {
        m_context.prompter->error(read.error());
        return;
    }
    m_fileName = *chosen;
    m_records = read.value();
    showRecords(-1);
    BuildClick();
}

void TFormWizeForm::CopyClick()
{
    BuildClick();
    QApplication::clipboard()->setText(MarkupBuilder::joinLines(m_form));
}

bool TFormWizeForm::askToSave()
{
    return DialogParts::goOnAfterSaveQuestion(*m_context.prompter, saveQuestion,
                                              [this] { return SaveClick(); });
}

void TFormWizeForm::InsertClick()
{
    if (!askToSave())
        return;
    BuildClick();
    if (!m_form.isEmpty()) {
        m_context.editor->ReplaceSelection(MarkupBuilder::joinLines(m_form));
        if (m_context.refreshPreview)
            m_context.refreshPreview();
    }
    QDialog::accept();
}

void TFormWizeForm::AbandonClick()
{
    if (askToSave())
        QDialog::reject();
}

void TFormWizeForm::reject()
{
    AbandonClick();
}

} // namespace Tarnwick
