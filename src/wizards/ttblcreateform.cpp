// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/ttblcreateform.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "tags/markupbuilder.h"
#include "wizards/dialogparts.h"
#include "wizards/tabledefinition.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace Tarnwick {

namespace {

const QString saveQuestion
    = QStringLiteral("Would you like to save the Table Definition before proceeding?");
const QString tableFilter = QStringLiteral("Table Definition|*.tbl");

using DialogParts::named;
using DialogParts::spin;

QComboBox *items(QWidget *parent, const char *name, const QStringList &texts, bool editable)
{
    auto *box = named(new QComboBox(parent), name);
    box->addItems(texts);
    box->setEditable(editable);
    return box;
}

QLineEdit *colorField(QWidget *parent, const char *name)
{
    auto *edit = named(new QLineEdit(parent), name);
    static const QRegularExpression hex(QStringLiteral("[0-9A-Fa-f]{0,6}"));
    edit->setValidator(new QRegularExpressionValidator(hex, edit));
    edit->setMaxLength(6);
    return edit;
}

} // namespace

TTblCreateForm::TTblCreateForm(Context context, QWidget *parent)
    : QDialog(parent)
    , m_context(std::move(context))
{
    setObjectName(QStringLiteral("TTblCreateForm"));
    setWindowTitle(QStringLiteral("Table Vaza Ded"));
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QMenuBar(this);
    layout->setMenuBar(bar);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    auto *tabs = new QTabWidget(splitter);
    auto *tables = new QWidget(tabs);
    tabs->addTab(tables, QStringLiteral("Tables"));
    auto *tablesLayout = new QVBoxLayout(tables);
    m_notebook = named(new QStackedWidget(tables), "TableNotebook");
    m_notebook->addWidget(mainPage());
    m_notebook->addWidget(attributesPage());
    m_notebook->addWidget(cellsPage());
    tablesLayout->addWidget(m_notebook, 1);

    auto *buttons = new QHBoxLayout;
    m_build = named(new QPushButton(QStringLiteral("&Build"), tables), "BuildBtn");
    m_previous = named(new QPushButton(QStringLiteral("Previous"), tables), "PrevBtn");
    m_next = named(new QPushButton(QStringLiteral("Next"), tables), "NextBtn");
    m_deleteCell = named(new QPushButton(QStringLiteral("Delete Cell"), tables), "DeleteCellBtn");
    m_addCell = named(new QPushButton(QStringLiteral("Add Cell"), tables), "AddCellBtn");
    m_addRow = named(new QPushButton(QStringLiteral("Add Row"), tables), "AddRowBtn");
    for (QPushButton *button : { m_build, m_previous, m_next, m_deleteCell, m_addCell, m_addRow }) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    tablesLayout->addLayout(buttons);

    m_preview = named(new Renderer(splitter), "TablePreview");
    m_preview->setMinimumSize(320, 240);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    buildMenus(bar);

    connect(m_build, &QPushButton::clicked, this, &TTblCreateForm::BuildClick);
    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(pageIndex() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(pageIndex() + 1); });
    connect(m_deleteCell, &QPushButton::clicked, this, &TTblCreateForm::DeleteCellClick);
    connect(m_addCell, &QPushButton::clicked, this, &TTblCreateForm::AddCellClick);
    connect(m_addRow, &QPushButton::clicked, this, &TTblCreateForm::AddRowClick);
    connect(m_preview, &Renderer::hotSpotClicked, this, &TTblCreateForm::cellClicked,
            Qt::DirectConnection);

    setCellControlsEnabled(false);
    showPage(MainPage);
    resize(980, 560);
}

QWidget *TTblCreateForm::mainPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    form->addRow(new QLabel(QStringLiteral("Main"), page));
    m_columns = spin(page, "TblCols", 1, TableBuilder::maxColumns, 2);
    m_rows = spin(page, "TblRows", 1, TableBuilder::maxRows, 2);
    m_confirm = named(new QCheckBox(QStringLiteral("Confirm on Rebuild"), page), "ConfirmRebuild");
    m_confirm->setChecked(true);
    m_caption = named(new QLineEdit(page), "TblCaption");
    m_captionSize = spin(page, "TblCaptionSize", 1, 7, 1);
    m_location = items(page, "CaptionLocation", { QStringLiteral("Top"), QStringLiteral("Bottom") },
                       false);
    form->addRow(QStringLiteral("Columns:"), m_columns);
    form->addRow(QStringLiteral("Rows:"), m_rows);
    form->addRow(m_confirm);
    form->addRow(QStringLiteral("Table Caption:"), m_caption);
    form->addRow(QStringLiteral("Size:"), m_captionSize);
    form->addRow(QStringLiteral("Location:"), m_location);
    connect(m_caption, &QLineEdit::textChanged, this, &TTblCreateForm::attributesChanged);
    connect(m_captionSize, &QSpinBox::valueChanged, this, &TTblCreateForm::attributesChanged);
    connect(m_location, &QComboBox::currentIndexChanged, this, &TTblCreateForm::attributesChanged);
    return page;
}

QWidget *TTblCreateForm::attributesPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    form->addRow(new QLabel(QStringLiteral("Table Attributes"), page));
    m_border = spin(page, "BorderWidth", 0, 999, 1);
    m_padding = spin(page, "CellPadding", 0, 999, 1);
    m_spacing = spin(page, "CellSpacing", 0, 999, 2);
    m_width = spin(page, "TableWidth", 0, 100, 0);
    m_justification = items(page, "TableJustification",
                            { QStringLiteral("None"), QStringLiteral("Left"),
                              QStringLiteral("Center"), QStringLiteral("Right") },
                            false);
    m_tableColor = colorField(page, "TableColor");
    m_borderColor = colorField(page, "BorderColor");
    form->addRow(QStringLiteral("Border Width:"), m_border);
    form->addRow(QStringLiteral("Cell Padding:"), m_padding);
    form->addRow(QStringLiteral("Cell Spacing:"), m_spacing);
    form->addRow(QStringLiteral("Table Width:"), m_width);
    form->addRow(QStringLiteral("Table Justification:"), m_justification);
    for (auto [edit, caption, button] :
         { std::tuple { m_tableColor, "Table Color:", "TableColorBtn" },
           std::tuple { m_borderColor, "Border Color:", "BorderColorBtn" } }) {
        auto *choose = named(new QToolButton(page), button);
        choose->setText(QStringLiteral("..."));
        auto *row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(choose);
        form->addRow(QLatin1String(caption), row);
        QLineEdit *field = edit;
        connect(choose, &QToolButton::clicked, this, [this, field] { chooseColor(field); });
        connect(edit, &QLineEdit::textChanged, this, &TTblCreateForm::attributesChanged);
    }
    for (QSpinBox *box : { m_border, m_padding, m_spacing, m_width })
        connect(box, &QSpinBox::valueChanged, this, &TTblCreateForm::attributesChanged);
    connect(m_justification, &QComboBox::currentIndexChanged, this,
            &TTblCreateForm::attributesChanged);
    return page;
}

QWidget *TTblCreateForm::cellsPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    form->addRow(new QLabel(QStringLiteral("Cells Attributes"), page));
    m_rowSpan = spin(page, "RowSpan", 1, TableBuilder::maxRows, 1);
    m_colSpan = spin(page, "ColSpan", 1, TableBuilder::maxColumns, 1);
    m_vertical = items(page, "VertAlign",
                       { QStringLiteral("None"), QStringLiteral("Top"), QStringLiteral("Middle"),
                         QStringLiteral("Bottom") },
                       true);
    m_horizontal = items(page, "HorzAlign",
                         { QStringLiteral("None"), QStringLiteral("Left"), QStringLiteral("Center"),
                           QStringLiteral("Right") },
                         true);
    m_cellText = named(new QLineEdit(QStringLiteral("CellText"), page), "CellText");
    m_header = named(new QCheckBox(QStringLiteral("Use header style"), page), "HeaderStyle");
    m_cellColor = colorField(page, "CellColor");
    auto *choose = named(new QToolButton(page), "CellColorBtn");
    choose->setText(QStringLiteral("..."));
    auto *spans = new QHBoxLayout;
    spans->addWidget(new QLabel(QStringLiteral("rows"), page));
    spans->addWidget(m_rowSpan);
    spans->addWidget(new QLabel(QStringLiteral("columns"), page));
    spans->addWidget(m_colSpan);
    form->addRow(QStringLiteral("Spanning:"), spans);
    form->addRow(QStringLiteral("Vertical:"), m_vertical);
    form->addRow(QStringLiteral("Horizontal:"), m_horizontal);
    form->addRow(QStringLiteral("Cell Text:"), m_cellText);
    form->addRow(m_header);
    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(m_cellColor, 1);
    colorRow->addWidget(choose);
    form->addRow(QStringLiteral("Cell Color:"), colorRow);
    m_before = named(new QRadioButton(QStringLiteral("Before"), page), "AddBefore");
    m_after = named(new QRadioButton(QStringLiteral("After"), page), "AddAfter");
    m_after->setChecked(true);
    auto *where = new QHBoxLayout;
    where->addWidget(m_before);
    where->addWidget(m_after);
    form->addRow(QStringLiteral("Where to add:"), where);

    connect(choose, &QToolButton::clicked, this, [this] { chooseColor(m_cellColor); });
    for (QSpinBox *box : { m_rowSpan, m_colSpan })
        connect(box, &QSpinBox::valueChanged, this, &TTblCreateForm::cellChanged);
    for (QComboBox *box : { m_vertical, m_horizontal })
        connect(box, &QComboBox::currentTextChanged, this, &TTblCreateForm::cellChanged);
    for (QLineEdit *edit : { m_cellText, m_cellColor })
        connect(edit, &QLineEdit::textChanged, this, &TTblCreateForm::cellChanged);
    connect(m_header, &QCheckBox::toggled, this, &TTblCreateForm::cellChanged);
    return page;
}

void TTblCreateForm::buildMenus(QWidget *barWidget)
{
    auto *bar = static_cast<QMenuBar *>(barWidget);
    QMenu *file = bar->addMenu(QStringLiteral("File"));
    connect(named(file->addAction(QStringLiteral("Open Table Definition...")), "OpenTable"),
            &QAction::triggered, this, &TTblCreateForm::OpenClick);
    connect(named(file->addAction(QStringLiteral("Save Table Definition...")), "SaveTable"),
            &QAction::triggered, this, &TTblCreateForm::SaveClick);
    QAction *insert = named(file->addAction(QStringLiteral("&Insert and Return")), "InsertTable");
    insert->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(insert, &QAction::triggered, this, &TTblCreateForm::InsertClick);
    QAction *abandon
        = named(file->addAction(QStringLiteral("&Abandon and Return")), "AbandonTable");
    abandon->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(abandon, &QAction::triggered, this, &TTblCreateForm::AbandonClick);

    QMenu *functions = bar->addMenu(QStringLiteral("Table Funcitons"));
    m_viewAction = named(functions->addAction(QStringLiteral("&View")), "ViewTable");
    m_viewAction->setShortcut(Qt::Key_F5);
    m_viewAction->setEnabled(false);
    connect(m_viewAction, &QAction::triggered, this, &TTblCreateForm::ViewClick);
    m_copyAction
        = named(functions->addAction(QStringLiteral("Copy HTML to Clipboard")), "CopyHtml");
    m_copyAction->setEnabled(false);
    connect(m_copyAction, &QAction::triggered, this, &TTblCreateForm::CopyHtmlClick);
}

int TTblCreateForm::pageIndex() const
{
    return m_notebook->currentIndex();
}

void TTblCreateForm::showPage(int page)
{
    page = qBound(0, page, int(CellsPage));
    m_notebook->setCurrentIndex(page);
    m_previous->setEnabled(page > MainPage);
    m_next->setEnabled(page < CellsPage && m_table.built());
}

QString TTblCreateForm::colorOf(const QLineEdit *field) const
{
    const QString text = field->text().toUpper();
    return text.size() == 6 ? text : QString(); // a colour is being typed
}

TableAttributes TTblCreateForm::attributes() const
{
    TableAttributes a;
    a.border = m_border->value();
    a.width = m_width->value();
    a.justification = m_justification->currentText();
    a.padding = m_padding->value();
    a.spacing = m_spacing->value();
    a.tableColor = colorOf(m_tableColor);
    a.borderColor = colorOf(m_borderColor);
    a.caption = m_caption->text();
    a.captionSize = m_captionSize->value();
    a.location = m_location->currentText();
    return a;
}

void TTblCreateForm::setAttributes(const TableAttributes &a)
{
    QScopedValueRollback updating(m_updating, true);
    m_border->setValue(a.border);
    m_width->setValue(a.width);
    m_justification->setCurrentIndex(qMax(0, m_justification->findText(a.justification)));
    m_padding->setValue(a.padding);
    m_spacing->setValue(a.spacing);
    m_tableColor->setText(a.tableColor);
    m_borderColor->setText(a.borderColor);
    m_caption->setText(a.caption);
    m_captionSize->setValue(a.captionSize);
    m_location->setCurrentIndex(qMax(0, m_location->findText(a.location)));
}

CellFields TTblCreateForm::cellFields() const
{
    CellFields c;
    c.rowSpan = m_rowSpan->value();
    c.colSpan = m_colSpan->value();
    c.vertical = m_vertical->currentText();
    c.horizontal = m_horizontal->currentText();
    c.text = m_cellText->text();
    c.header = m_header->isChecked();
    c.color = colorOf(m_cellColor);
    return c;
}

void TTblCreateForm::setCellFields(const CellFields &c)
{
    QScopedValueRollback updating(m_updating, true);
    m_rowSpan->setValue(c.rowSpan);
    m_colSpan->setValue(c.colSpan);
    m_vertical->setCurrentText(c.vertical);
    m_horizontal->setCurrentText(c.horizontal);
    m_cellText->setText(c.text);
    m_header->setChecked(c.header);
    m_cellColor->setText(c.color);
}

void TTblCreateForm::showTable()
{
    m_shown = m_table.lines().join(QLatin1Char('\n'));
    m_preview->LoadFromBuffer(m_shown, m_context.pageDirectory);
}

void TTblCreateForm::tableExists()
{
    m_viewAction->setEnabled(true);
    m_copyAction->setEnabled(true);
    m_next->setEnabled(pageIndex() < CellsPage);
}

void TTblCreateForm::setCellControlsEnabled(bool on)
{
    {
        QScopedValueRollback updating(m_updating, true);
        m_cellText->clear();
    }
    for (QWidget *control :
         std::initializer_list<QWidget *> { m_deleteCell, m_addCell, m_addRow, m_cellText, m_header,
                                            m_rowSpan, m_colSpan, m_vertical, m_horizontal })
        control->setEnabled(on);
}

void TTblCreateForm::BuildClick()
{
    if (m_table.built() && m_confirm->isChecked()
        && m_context.prompter->message(
               Prompter::Kind::Confirmation,
               QStringLiteral("If you select to rebuild a table your current settings will "
                              "be reset.  Build anyway?"),
               Prompter::Buttons::YesNo)
            != Prompter::Answer::Yes)
        return;
    m_modified = true;
    // A rebuild starts afresh, as its question warned; the first build takes
    // what was typed before it, the caption included.
    if (m_table.built()) {
        TableAttributes reset;
        reset.tableColor = m_tableColor->text();
        reset.borderColor = m_borderColor->text();
        setAttributes(reset);
    }
    if (m_table.viewForm())
        m_viewAction->setText(QStringLiteral("&View"));
    m_table.build(m_columns->value(), m_rows->value(), attributes());
    setCellControlsEnabled(false);
    tableExists();
    showTable();
}

void TTblCreateForm::attributesChanged()
{
    if (m_updating || !m_table.built())
        return;
    m_modified = true;
    m_table.setAttributes(attributes());
    showTable();
}

void TTblCreateForm::cellChanged()
{
    if (m_updating || m_table.selectedLine() < 0)
        return;
    const QString before = m_table.lines().at(m_table.selectedLine());
    m_table.changeCell(cellFields());
    m_modified = true;
    // A large table takes long to lay out again; a changed cell alone is swapped in place.
    const QString anchor = m_table.inPlaceCellAnchor(before);
    if (anchor.isEmpty()) {
        showTable();
        m_preview->KeepPosition(); // as the change in place does
        return;
    }
    const QString shown = std::exchange(m_shown, m_table.lines().join(QLatin1Char('\n')));
    m_preview->LoadChangedBuffer(m_shown, m_context.pageDirectory, shown,
                                 { QStringLiteral("a[href=\"") + anchor + QStringLiteral("\"]"),
                                   QStringLiteral("td,th"),
                                   m_table.lines().at(m_table.selectedLine()) });
}

void TTblCreateForm::cellClicked(const QString &address, bool *handled)
{
    // The preview stays on the table whatever link the user clicks.
    *handled = true;
    if (!m_table.selectCell(address))
        return;
    if (!m_deleteCell->isEnabled())
        setCellControlsEnabled(true);
    showPage(CellsPage);
    setCellFields(m_table.selectedCell());
}

void TTblCreateForm::AddCellClick()
{
    m_table.addCell(m_before->isChecked(), colorOf(m_tableColor));
    m_modified = true;
    showTable();
}

void TTblCreateForm::AddRowClick()
{
    m_table.addRow(m_before->isChecked(), colorOf(m_tableColor));
    m_modified = true;
    showTable();
}

void TTblCreateForm::DeleteCellClick()
{
    m_table.deleteCell();
    m_modified = true;
    setCellControlsEnabled(false);
    showTable();
}

void TTblCreateForm::ViewClick()
{
    if (!m_table.built())
        return;
    if (m_table.viewForm()) {
        m_table.toEditForm();
        m_viewAction->setText(QStringLiteral("&View"));
    } else {
        m_table.toViewForm(false);
        m_viewAction->setText(QStringLiteral("&Edit"));
        setCellControlsEnabled(false);
    }
    showTable();
}

void TTblCreateForm::CopyHtmlClick()
{
    QApplication::clipboard()->setText(MarkupBuilder::joinLines(m_table.viewLines()));
}

bool TTblCreateForm::SaveClick()
{
    if (m_table.viewForm()) {
        m_table.toEditForm();
        m_viewAction->setText(QStringLiteral("&View"));
        setCellControlsEnabled(false);
        showTable();
    }
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Save Table Definition");
    request.directory = m_context.pageDirectory;
    request.fileName = m_fileName;
    request.filter = tableFilter;
    const std::optional<QString> chosen = m_context.prompter->saveFileName(request);
    if (!chosen)
        return false;
    const QString path = TableDefinition::withExtension(*chosen);
    const Result written = TableDefinition::write(path, m_table.lines());
    if (!written) {
        m_context.prompter->error(written.error());
        return false;
    }
    m_fileName = path;
    m_modified = false;
    return true;
}

void TTblCreateForm::OpenClick()
{
    if (!askToSave())
        return;
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open Table Definition");
    request.directory = m_context.pageDirectory;
    request.fileName = m_fileName;
    request.filter = tableFilter;
    const std::optional<QString> chosen = m_context.prompter->openFileName(request);
    if (!chosen)
        return;
    const Expected<QStringList> read = TableDefinition::read(*chosen);
    if (!read) {
        m_context.prompter->error(read.error());
        return;
    }
    m_fileName = *chosen;
    m_table.load(read.value());
    m_viewAction->setText(QStringLiteral("&View"));
    setCellControlsEnabled(false);
    showTable();
    setAttributes(TableBuilder::readAttributes(m_table.lines()));
    m_modified = false;
    tableExists();
}

bool TTblCreateForm::askToSave()
{
    if (!m_modified)
        return true;
    return DialogParts::goOnAfterSaveQuestion(*m_context.prompter, saveQuestion,
                                              [this] { return SaveClick(); });
}

void TTblCreateForm::InsertClick()
{
    if (!askToSave())
        return;
    if (m_table.built()) {
        m_table.toViewForm(true);
        m_viewAction->setText(QStringLiteral("&Edit"));
        m_context.editor->ReplaceSelection(MarkupBuilder::joinLines(m_table.lines()));
        if (m_context.refreshPreview)
            m_context.refreshPreview();
    }
    QDialog::accept();
}

void TTblCreateForm::AbandonClick()
{
    if (askToSave())
        QDialog::reject();
}

void TTblCreateForm::reject()
{
    AbandonClick();
}

void TTblCreateForm::chooseColor(QLineEdit *field)
{
    const QString text = field->text();
    const QColor initial = text.size() == 6 ? QColor(QLatin1Char('#') + text) : QColor(Qt::white);
    const std::optional<QColor> chosen = m_context.prompter->chooseColor(initial);
    if (chosen)
        field->setText(MarkupBuilder::colorText(*chosen).toUpper());
}

} // namespace Tarnwick
