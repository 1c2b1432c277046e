// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/teffectsform.h"

#include "platform/editorcontrol.h"
#include "platform/imageinfo.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "platform/textfile.h"
#include "preview/pagedetails.h"
#include "tags/imagelibrary.h"
#include "tags/linkmarkup.h"
#include "tags/markupbuilder.h"
#include "tags/refillingcombobox.h"
#include "tags/tsimpleform.h"
#include "wizards/dialogparts.h"
#include "wizards/effectsfileplacement.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace Tarnwick {

namespace {

using DialogParts::named;
using DialogParts::spin;

QComboBox *choices(QWidget *parent, const char *name, const QStringList &texts)
{
    auto *box = named(new QComboBox(parent), name);
    box->addItems(texts);
    return box;
}

QToolButton *fileButton(QWidget *parent, const char *name, const QString &hint)
{
    auto *button = named(new QToolButton(parent), name);
    button->setText(QStringLiteral("..."));
    button->setToolTip(hint);
    return button;
}

QHBoxLayout *row(std::initializer_list<QWidget *> widgets)
{
    auto *layout = new QHBoxLayout;
    for (QWidget *widget : widgets)
        layout->addWidget(widget, widget == *widgets.begin() ? 1 : 0);
    return layout;
}

QString cellText(const QTableWidget *grid, int r, int c)
{
    const QTableWidgetItem *item = grid->item(r, c);
    return item ? item->text() : QString();
}

} // namespace

TEffectsForm::TEffectsForm(Context context, QWidget *parent)
    : QDialog(parent)
    , m_context(std::move(context))
{
    const QScopedValueRollback filling(m_filling, true);
    setObjectName(QStringLiteral("TEffectsForm"));
    setWindowTitle(QStringLiteral("Web Effects"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    m_tabs = named(new QTabWidget(this), "EffectsNotebook");
    m_tabs->setUsesScrollButtons(false); // all seven tabs in sight
    m_tabs->addTab(headersPage(), QStringLiteral("Headers"));
    m_tabs->addTab(tablesPage(), QStringLiteral("Tables"));
    m_tabs->addTab(listsPage(), QStringLiteral("List Types"));
    m_tabs->addTab(imagesPage(), QStringLiteral("Images"));
    m_tabs->addTab(documentTextPage(), QStringLiteral("Document Text"));
    m_tabs->addTab(referencesPage(), QStringLiteral("References"));
    m_tabs->addTab(appletPage(), QStringLiteral("Applet"));
    left->addWidget(m_tabs, 1);
    auto *buttons = new QHBoxLayout;
    m_add = named(new QPushButton(QStringLiteral("Add"), this), "AddBtn");
    m_add->setToolTip(QStringLiteral("Add to the page"));
    m_close = named(new QPushButton(QStringLiteral("Close"), this), "CloseBtn");
    for (QPushButton *button : { m_add, m_close }) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    left->addLayout(buttons);
    layout->addLayout(left, 3);
    m_preview = named(new Renderer(this), "EffectsPreview");
    m_preview->setMinimumSize(260, 200);
    layout->addWidget(m_preview, 2);

    // The preview shows what Add would insert; a link in it goes nowhere.
    connect(
        m_preview, &Renderer::hotSpotClicked, this,
        [](const QString &, bool *handled) { *handled = true; }, Qt::DirectConnection);
    connect(m_tabs, &QTabWidget::currentChanged, this, &TEffectsForm::refreshPreview);
    connect(m_add, &QPushButton::clicked, this, &TEffectsForm::AddClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    resize(900, 520);
}

QWidget *TEffectsForm::headersPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_headerText = named(new QLineEdit(page), "HeaderText");
    m_headerSize = spin(page, "HeaderSize", 1, 6, 1);
    m_headerJustify = choices(page, "HeadingJustify",
                              { QStringLiteral("none"), QStringLiteral("left"),
                                QStringLiteral("center"), QStringLiteral("right") });
    form->addRow(QStringLiteral("Header Text:"), m_headerText);
    form->addRow(QStringLiteral("Header Size:"), m_headerSize);
    form->addRow(QStringLiteral("Heading Justify"), m_headerJustify);
    for (QWidget *field :
         { static_cast<QWidget *>(m_headerText), static_cast<QWidget *>(m_headerSize),
           static_cast<QWidget *>(m_headerJustify) })
        watch(field);
    return page;
}

QWidget *TEffectsForm::tablesPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QHBoxLayout(page);
    auto *form = new QFormLayout;
    m_columns = spin(page, "TableColumns", 1, 10, 2);
    m_rows = spin(page, "TableRows", 1, 100, 2);
    m_padding = spin(page, "TablePadding", 0, 10, 1);
    m_spacing = spin(page, "TableSpacing", 0, 10, 2);
    m_tableWidth = spin(page, "TableWidth", 0, 100, 0);
    m_border = named(new QCheckBox(QStringLiteral("Show Border"), page), "ShowBorder");
    m_border->setChecked(true);
    m_tableJustify
        = choices(page, "TableJustify",
                  { QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right") });
    m_caption = named(new QLineEdit(page), "TableCaption");
    m_captionLocation
        = choices(page, "CaptionLocation", { QStringLiteral("Top"), QStringLiteral("Bottom") });
    m_captionSize = spin(page, "CaptionSize", 1, 6, 5);
    form->addRow(QStringLiteral("Columns"), m_columns);
    form->addRow(QStringLiteral("Rows"), m_rows);
    form->addRow(QStringLiteral("Padding:"), m_padding);
    form->addRow(QStringLiteral("Spacing:"), m_spacing);
    form->addRow(QStringLiteral("Table Width:"), m_tableWidth);
    form->addRow(m_border);
    form->addRow(QStringLiteral("Table Justify"), m_tableJustify);
    form->addRow(QStringLiteral("Table Caption:"), m_caption);
    form->addRow(QStringLiteral("Caption Location"), m_captionLocation);
    form->addRow(QStringLiteral("Caption Size:"), m_captionSize);
    auto *toggle = named(new QPushButton(QStringLiteral("Toggle Grid"), page), "ToggleGrid");
    toggle->setAutoDefault(false);
    form->addRow(toggle);
    layout->addLayout(form);
    m_cellGrid = named(new QTableWidget(2, 2, page), "CellGrid");
    m_cellGrid->setToolTip(QStringLiteral("Text of the cells; an empty cell shows its place"));
    m_cellGrid->horizontalHeader()->setDefaultSectionSize(70);
    layout->addWidget(m_cellGrid, 1);
    connect(toggle, &QPushButton::clicked, this,
            [this] { m_cellGrid->setVisible(m_cellGrid->isHidden()); });
    for (QSpinBox *box : { m_columns, m_rows }) {
        connect(box, &QSpinBox::valueChanged, this, [this] {
            m_cellGrid->setRowCount(m_rows->value());
            m_cellGrid->setColumnCount(m_columns->value());
        });
    }
    for (QWidget *field : std::initializer_list<QWidget *> {
             m_columns, m_rows, m_padding, m_spacing, m_tableWidth, m_border, m_tableJustify,
             m_caption, m_captionLocation, m_captionSize, m_cellGrid })
        watch(field);
    return page;
}

QWidget *TEffectsForm::listsPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QHBoxLayout(page);
    auto *form = new QFormLayout;
    m_listType = choices(page, "ListType", EffectsBuilder::listTypeNames());
    m_childType = choices(page, "ChildType", EffectsBuilder::listTypeNames());
    m_parents = spin(page, "ListParents", 1, 100, 4);
    m_children = spin(page, "ListChildren", 0, 100, 0);
    form->addRow(QStringLiteral("List Type:"), m_listType);
    form->addRow(QStringLiteral("Child Type:"), m_childType);
    form->addRow(QStringLiteral("Number of parents:"), m_parents);
    form->addRow(QStringLiteral("Children per parent:"), m_children);
    layout->addLayout(form);
    m_listItems = named(new QTableWidget(EffectsBuilder::listGridRows, 1, page), "ListItems");
    m_listItems->setHorizontalHeaderLabels({ QStringLiteral("List Items:") });
    m_listItems->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_listItems, 1);
    for (QWidget *field : std::initializer_list<QWidget *> { m_listType, m_childType, m_parents,
                                                             m_children, m_listItems })
        watch(field);
    return page;
}

QWidget *TEffectsForm::imagesPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_imageFile = named(new RefillingComboBox(page), "ImageFilename");
    m_imageFile->setSource([this] {
        return ImageLibrary::filesWithExtensions(
            pageDirectory(),
            m_context.graphicExtensions ? m_context.graphicExtensions() : QString());
    });
    auto *search
        = fileButton(page, "ImageSearchBtn", QStringLiteral("Click to search drive for image"));
    m_altText = named(new QLineEdit(page), "AlternateText");
    m_imageWidth = named(new QLineEdit(page), "ImageWidth");
    m_imageHeight = named(new QLineEdit(page), "ImageHeight");
    m_imageAlign
        = choices(page, "AlignImage",
                  { QStringLiteral("none"), QStringLiteral("top"), QStringLiteral("middle"),
                    QStringLiteral("bottom"), QStringLiteral("left"), QStringLiteral("right") });
    m_centerImage = named(new QCheckBox(QStringLiteral("Center Image"), page), "CenterImage");
    m_copyImage = named(new QCheckBox(QStringLiteral("Copy Image"), page), "CopyImage");
    m_copyImage->setChecked(true);
    m_copyImage->setToolTip(QStringLiteral("Copies image to page location"));
    m_isMap = named(new QCheckBox(QStringLiteral("Is a Map?"), page), "IsMap");
    m_createMap = named(new QPushButton(QStringLiteral("Create Map"), page), "CreateMap");
    m_createMap->setAutoDefault(false);
    m_createMap->setEnabled(false);
    form->addRow(QStringLiteral("Image Filename:"), row({ m_imageFile, search }));
    form->addRow(QStringLiteral("Alternate Text:"), m_altText);
    form->addRow(QStringLiteral("Width:"), m_imageWidth);
    form->addRow(QStringLiteral("Height:"), m_imageHeight);
    form->addRow(QStringLiteral("Align Image:"), m_imageAlign);
    form->addRow(row({ m_centerImage, m_copyImage }));
    form->addRow(row({ m_isMap, m_createMap }));
    connect(search, &QToolButton::clicked, this, &TEffectsForm::ImageSearchClick);
    connect(m_imageFile, &QComboBox::textActivated, this, &TEffectsForm::imageChosen);
    connect(m_createMap, &QPushButton::clicked, this, &TEffectsForm::CreateMapClick);
    connect(m_isMap, &QCheckBox::toggled, this, [this](bool on) {
        m_createMap->setEnabled(on);
        if (!on) {
            m_mapLines.clear();
            m_mapName.clear();
        }
        refreshPreview();
    });
    for (QWidget *field :
         std::initializer_list<QWidget *> { m_imageFile, m_altText, m_imageWidth, m_imageHeight,
                                            m_imageAlign, m_centerImage, m_copyImage })
        watch(field);
    return page;
}

QWidget *TEffectsForm::documentTextPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    m_docText = named(new QPlainTextEdit(page), "DocumentText");
    layout->addWidget(m_docText, 1);
    auto *grid = new QGridLayout;
    using B = EffectsBuilder;
    const std::pair<const char *, B::TextOption> options[] = {
        { "Bold", B::Bold },
        { "Italics", B::Italics },
        { "Underline", B::Underline },
        { "Paragraph", B::Paragraph },
        { "Center", B::Center },
        { "Variable", B::Variable },
        { "Citation", B::Citation },
        { "Blink", B::Blink },
        { "Block Quote", B::BlockQuote },
        { "Address", B::Address },
        { "Typewriter", B::Typewriter },
        { "Code", B::Code },
        { "Subscript", B::Subscript },
        { "Superscript", B::Superscript },
        { "Use Size", B::UseSize },
    };
    int n = 0;
    for (const auto &[caption, option] : options) {
        auto *box = new QCheckBox(QLatin1String(caption), page);
        box->setObjectName(QLatin1String(caption).toString().remove(QLatin1Char(' ')));
        m_textOptions.append({ box, option });
        grid->addWidget(box, n / 4, n % 4);
        watch(box);
        ++n;
    }
    m_fontSize = spin(page, "FontSize", 1, 7, 3);
    grid->addWidget(m_fontSize, n / 4, n % 4);
    layout->addLayout(grid);
    watch(m_docText);
    watch(m_fontSize);
    return page;
}

QWidget *TEffectsForm::referencesPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_refDescription = named(new QLineEdit(QStringLiteral("Reference"), page), "RefDescription");
    m_refUrl = named(new RefillingComboBox(page), "URLLink");
    m_refUrl->setSource([this] { return referenceChoices(); });
    auto *file = fileButton(page, "RefFileBtn", QStringLiteral("Link to a file"));
    auto *prefix = named(new QToolButton(page), "PrefixBtn");
    prefix->setText(QStringLiteral("://"));
    prefix->setToolTip(QStringLiteral("Start the address with a prefix"));
    prefix->setPopupMode(QToolButton::InstantPopup);
    auto *prefixes = new QMenu(prefix);
    for (const QString &text : LinkMarkup::prefixes()) {
        connect(prefixes->addAction(text), &QAction::triggered, this, [this, text] {
            m_refUrl->setEditText(text);
            m_refUrl->lineEdit()->setCursorPosition(int(text.size()));
            m_refUrl->setFocus();
        });
    }
    prefix->setMenu(prefixes);
    m_refJustify
        = choices(page, "JustifyLink",
                  { QStringLiteral("none"), QStringLiteral("left"), QStringLiteral("center") });
    m_urlType = named(new QRadioButton(QStringLiteral("URL"), page), "URLType");
    m_anchorType = named(new QRadioButton(QStringLiteral("Page Anchor"), page), "AnchorType");
    m_urlType->setChecked(true);
    auto *types = new QButtonGroup(page);
    types->addButton(m_urlType);
    types->addButton(m_anchorType);
    m_yourPage = named(new QRadioButton(QStringLiteral("Your Page"), page), "YourPage");
    m_externalPageSource
        = named(new QRadioButton(QStringLiteral("External Page"), page), "ExternalPage");
    m_externalPageSource->setToolTip(QStringLiteral("Offer the links of another page"));
    m_yourPage->setChecked(true);
    auto *sources = new QButtonGroup(page);
    sources->addButton(m_yourPage);
    sources->addButton(m_externalPageSource);
    form->addRow(QStringLiteral("Reference Description:"), m_refDescription);
    form->addRow(QStringLiteral("URL Link:"), row({ m_refUrl, file, prefix }));
    form->addRow(QStringLiteral("Justify Link"), m_refJustify);
    form->addRow(QStringLiteral("Reference Type"), row({ m_urlType, m_anchorType }));
    form->addRow(QStringLiteral("Link Source"), row({ m_yourPage, m_externalPageSource }));
    connect(file, &QToolButton::clicked, this, &TEffectsForm::ReferenceFileClick);
    connect(m_externalPageSource, &QRadioButton::clicked, this, [this] {
        Prompter::FileRequest request;
        request.caption = QStringLiteral("External Page");
        request.directory = pageDirectory();
        request.filter = QStringLiteral("Web Documents|*.htm;*.html;*.shtml|All files|*");
        const std::optional<QString> chosen = m_context.prompter->openFileName(request);
        if (chosen && !chosen->isEmpty())
            m_externalPage = *chosen;
        else if (m_externalPage.isEmpty())
            m_yourPage->setChecked(true);
    });
    for (QWidget *field :
         std::initializer_list<QWidget *> { m_refDescription, m_refUrl, m_refJustify, m_urlType })
        watch(field);
    return page;
}

QWidget *TEffectsForm::appletPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_codebase = named(new QLineEdit(page), "Codebase");
    m_code = named(new QLineEdit(page), "Code");
    auto *file = fileButton(page, "AppletFileBtn", QStringLiteral("Choose the class file"));
    m_appletName = named(new QLineEdit(page), "AppletName");
    m_appletTitle = named(new QLineEdit(page), "AppletTitle");
    m_appletHeight = named(new QLineEdit(page), "AppletHeight");
    m_appletWidth = named(new QLineEdit(page), "AppletWidth");
    m_appletAlign = choices(page, "AppletAlign",
                            // Empty first: ALIGN is written only when one is chosen.
                            { QString(), QStringLiteral("left"), QStringLiteral("center"),
                              QStringLiteral("right"), QStringLiteral("top"),
                              QStringLiteral("bottom"), QStringLiteral("middle") });
    form->addRow(QStringLiteral("Codebase:"), m_codebase);
    form->addRow(QStringLiteral("Code:"), row({ m_code, file }));
    form->addRow(QStringLiteral("Name:"), m_appletName);
    form->addRow(QStringLiteral("Title:"), m_appletTitle);
    form->addRow(QStringLiteral("Height:"), m_appletHeight);
    form->addRow(QStringLiteral("Width:"), m_appletWidth);
    form->addRow(QStringLiteral("Align:"), m_appletAlign);
    connect(file, &QToolButton::clicked, this, &TEffectsForm::AppletFileClick);
    return page;
}

void TEffectsForm::watch(QWidget *field)
{
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        connect(edit, &QLineEdit::textChanged, this, &TEffectsForm::fieldChanged);
    else if (auto *box = qobject_cast<QSpinBox *>(field))
        connect(box, &QSpinBox::valueChanged, this, &TEffectsForm::fieldChanged);
    else if (auto *combo = qobject_cast<QComboBox *>(field))
        connect(combo, &QComboBox::currentTextChanged, this, &TEffectsForm::fieldChanged);
    else if (auto *check = qobject_cast<QAbstractButton *>(field))
        connect(check, &QAbstractButton::toggled, this, &TEffectsForm::fieldChanged);
    else if (auto *grid = qobject_cast<QTableWidget *>(field))
        connect(grid, &QTableWidget::cellChanged, this, &TEffectsForm::fieldChanged);
    else if (auto *text = qobject_cast<QPlainTextEdit *>(field))
        connect(text, &QPlainTextEdit::textChanged, this, &TEffectsForm::fieldChanged);
}

void TEffectsForm::fieldChanged()
{
    if (m_filling)
        return;
    // Map lines belong to the image and the fields they were made with.
    if (m_isMap->isChecked() || !m_mapLines.isEmpty()) {
        const QScopedValueRollback filling(m_filling, true);
        m_mapLines.clear();
        m_mapName.clear();
        m_isMap->setChecked(false);
        m_createMap->setEnabled(false);
    }
    refreshPreview();
}

QString TEffectsForm::pageDirectory() const
{
    return m_context.pageDirectory ? m_context.pageDirectory() : QString();
}

QString TEffectsForm::imagePath() const
{
    const QString name = m_imageFile->currentText().trimmed();
    if (name.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    return QDir(pageDirectory()).filePath(name);
}

EffectsBuilder::Table TEffectsForm::table() const
{
    EffectsBuilder::Table options;
    options.columns = m_columns->value();
    options.rows = m_rows->value();
    options.padding = m_padding->value();
    options.spacing = m_spacing->value();
    options.width = m_tableWidth->value();
    options.border = m_border->isChecked();
    options.justify = m_tableJustify->currentText();
    options.caption = m_caption->text();
    options.captionLocation = m_captionLocation->currentText();
    options.captionSize = m_captionSize->value();
    for (int r = 0; r < m_cellGrid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m_cellGrid->columnCount(); ++c)
            cells << cellText(m_cellGrid, r, c);
        options.cells << cells;
    }
    return options;
}

EffectsBuilder::List TEffectsForm::list() const
{
    EffectsBuilder::List options;
    options.type = EffectsBuilder::ListType(m_listType->currentIndex());
    options.childType = EffectsBuilder::ListType(m_childType->currentIndex());
    options.parents = m_parents->value();
    options.children = m_children->value();
    for (int r = 0; r < m_listItems->rowCount(); ++r)
        options.items << cellText(m_listItems, r, 0);
    return options;
}

EffectsBuilder::Image TEffectsForm::image() const
{
    EffectsBuilder::Image options;
    options.file = m_imageFile->currentText().trimmed();
    options.alternateText = m_altText->text();
    options.width = m_imageWidth->text();
    options.height = m_imageHeight->text();
    options.align = m_imageAlign->currentText();
    options.center = m_centerImage->isChecked();
    options.isMap = m_isMap->isChecked();
    options.mapName = m_mapLines.isEmpty() ? QString() : m_mapName;
    return options;
}

EffectsBuilder::DocumentText TEffectsForm::documentText() const
{
    EffectsBuilder::DocumentText options;
    options.text = m_docText->toPlainText();
    for (const auto &[box, option] : m_textOptions) {
        if (box->isChecked())
            options.options |= option;
    }
    options.size = m_fontSize->value();
    return options;
}

EffectsBuilder::Reference TEffectsForm::reference() const
{
    EffectsBuilder::Reference options;
    options.description = m_refDescription->text();
    options.url = m_refUrl->currentText();
    options.justify = m_refJustify->currentText();
    options.anchor = m_anchorType->isChecked();
    return options;
}

EffectsBuilder::Applet TEffectsForm::applet() const
{
    EffectsBuilder::Applet options;
    options.codebase = m_codebase->text();
    options.code = m_code->text().trimmed();
    options.name = m_appletName->text();
    options.title = m_appletTitle->text();
    options.height = m_appletHeight->text();
    options.width = m_appletWidth->text();
    options.align = m_appletAlign->currentText();
    return options;
}

QStringList TEffectsForm::buildLines() const
{
    switch (currentTab()) {
    case Headers:
        return EffectsBuilder::headerLines(
            { m_headerText->text(), m_headerSize->value(), m_headerJustify->currentText() });
    case Tables:
        return EffectsBuilder::tableLines(table());
    case ListTypes:
        return EffectsBuilder::listLines(list());
    case Images:
        return EffectsBuilder::imagePreviewLines(image());
    case DocumentText:
        return EffectsBuilder::documentTextLines(documentText());
    case References:
        return EffectsBuilder::referenceLines(reference());
    default:
        return {}; // the applet has no preview
    }
}

void TEffectsForm::refreshPreview()
{
    if (m_filling)
        return;
    m_scratch = buildLines();
    // A view that has never been shown drops what it loads; showing loads it.
    if (!isVisible())
        return;
    m_preview->LoadFromBuffer(m_scratch.join(QLatin1Char('\n')), pageDirectory());
}

int TEffectsForm::tabCount() const
{
    return m_tabs->count();
}

int TEffectsForm::currentTab() const
{
    return m_tabs->currentIndex();
}

QString TEffectsForm::tabText(int index) const
{
    return m_tabs->tabText(index);
}

void TEffectsForm::setGuided(bool guided)
{
    m_guided = guided;
    m_tabs->tabBar()->setEnabled(!guided);
    m_close->setVisible(!guided);
    if (guided)
        setModal(false);
}

void TEffectsForm::selectTab(int index)
{
    if (index < 0 || index >= m_tabs->count())
        return;
    if (index == m_tabs->currentIndex())
        refreshPreview();
    else
        m_tabs->setCurrentIndex(index); // refreshes
}

void TEffectsForm::showBeside(const QRect &guideFrame)
{
    setModal(false);
    move(guideFrame.x() + guideFrame.width() + 15, guideFrame.y());
    show();
    raise();
    activateWindow();
}

void TEffectsForm::closeNotebook()
{
    close();
}

void TEffectsForm::openOn(int tab)
{
    selectTab(tab);
    if (m_guided) {
        raise();
        activateWindow();
        return;
    }
    setModal(true);
    exec();
}

void TEffectsForm::done(int result)
{
    setGuided(false);
    QDialog::done(result);
}

void TEffectsForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    takeSelection();
    QTimer::singleShot(0, this, &TEffectsForm::refreshPreview);
}

void TEffectsForm::takeSelection()
{
    m_carried = EffectsBuilder::carriedSelection(m_context.editor->GetSelText());
    if (!m_carried.isEmpty()) {
        const QScopedValueRollback filling(m_filling, true);
        m_headerText->setText(m_carried);
        m_refDescription->setText(m_carried);
        m_docText->setPlainText(m_carried);
    }
}

void TEffectsForm::imageChosen()
{
    const QSize size = ImageInfo::pixelSize(imagePath());
    m_imageWidth->setText(QString::number(size.width()));
    m_imageHeight->setText(QString::number(size.height()));
    refreshPreview();
}

void TEffectsForm::ImageSearchClick()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Click to search drive for image");
    request.directory = pageDirectory();
    QStringList patterns;
    const QString extensions
        = m_context.graphicExtensions ? m_context.graphicExtensions() : QString();
    for (QString extension : extensions.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        extension = extension.trimmed();
        if (extension.startsWith(QLatin1Char('.')))
            extension.remove(0, 1);
        if (!extension.isEmpty())
            patterns << QStringLiteral("*.") + extension;
    }
    request.filter = QStringLiteral("Graphics|")
        + (patterns.isEmpty() ? QStringLiteral("*.gif;*.jpg;*.jpeg;*.png;*.bmp")
                              : patterns.join(QLatin1Char(';')))
        + QStringLiteral("|All files|*");
    const std::optional<QString> chosen = m_context.prompter->openFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    m_imageFile->setEditText(*chosen);
    imageChosen();
}

void TEffectsForm::CreateMapClick()
{
    const QString path = imagePath();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_context.prompter->information(
            QStringLiteral("File specified in Image Filename field does not exist!"));
        return;
    }
    std::unique_ptr<TSimpleForm> mapping = TSimpleForm::open(path, m_context.prompter, this);
    if (!mapping || mapping->exec() != QDialog::Accepted)
        return;
    m_mapLines = mapping->mapLines();
    m_mapName = mapping->mapName();
}

void TEffectsForm::AppletFileClick()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Code:");
    request.directory = pageDirectory();
    request.filter = QStringLiteral("Java class|*.class|All files|*");
    const std::optional<QString> chosen = m_context.prompter->openFileName(request);
    if (chosen && !chosen->isEmpty())
        m_code->setText(*chosen);
}

void TEffectsForm::ReferenceFileClick()
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("URL Link:");
    request.directory = pageDirectory();
    request.filter = QStringLiteral("Web Documents|*.htm;*.html;*.shtml|All files|*");
    const std::optional<QString> chosen = m_context.prompter->openFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    // A link names the file from the page, never copies it.
    m_refUrl->setEditText(
        EffectsFilePlacement::place(*m_context.prompter, *chosen, pageDirectory(), false)
            .value_or(*chosen));
}

QStringList TEffectsForm::referenceChoices() const
{
    QString text;
    QString directory = pageDirectory();
    if (m_externalPageSource->isChecked() && !m_externalPage.isEmpty()) {
        const Expected<TextFileContent> page = TextFile::read(m_externalPage);
        text = page ? page.value().text : QString();
        directory = QFileInfo(m_externalPage).absolutePath();
    } else {
        text = m_context.editor->Text();
    }
    QStringList found = PageDetails::Evaluate(text, directory).Links;
    const QStringList pages = ImageLibrary::filesWithExtensions(
        directory, m_context.pageExtensions ? m_context.pageExtensions() : QString());
    for (const QString &page : pages) {
        if (!found.contains(page))
            found << page;
    }
    return found;
}

bool TEffectsForm::addImage()
{
    EffectsBuilder::Image options = image();
    const std::optional<QString> placed = EffectsFilePlacement::place(
        *m_context.prompter, options.file, pageDirectory(), m_copyImage->isChecked());
    if (!placed)
        return false;
    options.file = *placed;
    const QStringList tag = EffectsBuilder::imageTagLines(options);
    if (!m_mapLines.isEmpty())
        m_context.editor->ReplaceSelection(MarkupBuilder::joinLines(m_mapLines + tag));
    else
        m_context.editor->ReplaceSelection(m_guided ? MarkupBuilder::joinLines(tag)
                                                    : EffectsBuilder::oneLine(tag));
    return true;
}

bool TEffectsForm::addApplet()
{
    EffectsBuilder::Applet options = applet();
    if (!EffectsBuilder::appletComplete(options)) {
        m_context.prompter->warning(EffectsBuilder::appletMissingMessage());
        return false;
    }
    const std::optional<QString> placed
        = EffectsFilePlacement::place(*m_context.prompter, options.code, pageDirectory(), true);
    if (!placed)
        return false;
    options.code = *placed;
    if (!m_carried.isEmpty())
        m_context.editor->CutToClipboard();
    m_context.editor->ReplaceSelection(
        MarkupBuilder::joinLines(EffectsBuilder::appletLines(options)));
    return true;
}

void TEffectsForm::AddClick()
{
    const int tab = currentTab();
    bool added = true;
    switch (tab) {
    case Tables:
    case ListTypes:
        m_context.editor->ReplaceSelection(MarkupBuilder::joinLines(buildLines()));
        break;
    case Headers:
    case DocumentText:
    case References: {
        const QStringList lines = buildLines();
        if (!m_carried.isEmpty())
            m_context.editor->CutToClipboard();
        m_context.editor->ReplaceSelection(m_guided ? MarkupBuilder::joinLines(lines)
                                                    : EffectsBuilder::oneLine(lines));
        break;
    }
    case Images:
        added = addImage();
        break;
    case Applet:
        added = addApplet();
        break;
    default:
        added = false;
    }
    if (!added)
        return;
    m_carried.clear();
    if (m_context.pageChanged)
        m_context.pageChanged();
    if (!m_guided)
        accept();
}

} // namespace Tarnwick
