// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/ttemplatewizeguy.h"

#include "platform/editorcontrol.h"
#include "platform/filefilter.h"
#include "platform/imageinfo.h"
#include "platform/prompter.h"
#include "tags/imagelibrary.h"
#include "tags/pagefilecopy.h"
#include "tags/refillingcombobox.h"
#include "wizards/dialogparts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace Tarnwick {

using DialogParts::named;
using DialogParts::spin;

namespace {

QString call(const std::function<QString()> &f)
{
    return f ? f() : QString();
}

QString welcomeText()
{
    return QStringLiteral(
        "Welcome to the Zazureva Rido Rev.\n\n"
        "The page in the editor is a template: marker comments stand on lines of their own, "
        "and the line below each marker is a place for you to fill in.\n\n"
        "Press Start to go to the first marker. Fill in the fields, press Refresh to write "
        "them into the page and see the result in the preview, and use Next and Previous to "
        "move between the markers.");
}

QComboBox *choices(QWidget *parent, const char *name, const QStringList &items)
{
    auto *box = named(new QComboBox(parent), name);
    box->addItems(items);
    return box;
}

void selectItem(QComboBox *box, const QString &text)
{
    const int at = box->findText(text);
    box->setCurrentIndex(at < 0 ? 0 : at);
}

} // namespace

// Hiding the dialog on its way out moves the focus off a field, whose
// editingFinished would reach this dialog after its parts are gone.
TTemplateWizeGuy::~TTemplateWizeGuy()
{
    if (m_linkText)
        disconnect(m_linkText, nullptr, this, nullptr);
    restoreSplitter();
}

TTemplateWizeGuy::TTemplateWizeGuy(Context context, QWidget *parent)
    : QDialog(parent)
    , m_context(std::move(context))
    , m_splitter(m_context.splitScreen)
{
    setObjectName(QStringLiteral("TTemplateWizeGuy"));
    setWindowTitle(QStringLiteral("Zazureva Rido Rev"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *top = new QVBoxLayout(this);
    m_pages = new QStackedWidget(this);
    top->addWidget(m_pages);
    m_slotNotice = named(new QLabel(slotNoticeText(), this), "SlotNotice");
    m_slotNotice->setWordWrap(true);
    m_slotNotice->hide();
    top->addWidget(m_slotNotice);
    m_startingPage = buildStartingPage();
    m_defaultsPage = buildDefaultsPage();
    m_headerPage = buildHeaderPage();
    m_textPage = buildTextPage();
    m_imagePage = buildImagePage();
    m_linkPage = buildLinkPage();
    m_bodyPage = buildBodyPage();
    m_invalidPage = buildInvalidPage();
    for (QWidget *page : { m_startingPage, m_defaultsPage, m_headerPage, m_textPage, m_imagePage,
                           m_linkPage, m_bodyPage, m_invalidPage })
        m_pages->addWidget(page);

    auto *buttons = new QHBoxLayout;
    top->addLayout(buttons);
    m_start = named(new QPushButton(QStringLiteral("&Start"), this), "StartBtn");
    m_previous = named(new QPushButton(QStringLiteral("&Previous"), this), "PreviousBtn");
    m_next = named(new QPushButton(QStringLiteral("&Next"), this), "NextBtn");
    m_refresh = named(new QPushButton(QStringLiteral("&Refresh"), this), "RefreshBtn");
    m_close = named(new QPushButton(QStringLiteral("Close"), this), "CloseBtn");
    buttons->addStretch();
    for (QPushButton *button : { m_start, m_previous, m_next, m_refresh, m_close }) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    for (QPushButton *button : { m_previous, m_next, m_refresh, m_close })
        button->hide();
    m_start->setDefault(true);
    connect(m_start, &QPushButton::clicked, this, &TTemplateWizeGuy::StartClick);
    connect(m_previous, &QPushButton::clicked, this, &TTemplateWizeGuy::PreviousClick);
    connect(m_next, &QPushButton::clicked, this, &TTemplateWizeGuy::NextClick);
    connect(m_refresh, &QPushButton::clicked, this, &TTemplateWizeGuy::RefreshClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    m_pages->setCurrentWidget(m_startingPage);
    // The main window keeps its pane sizes when it closes: they are given
    // back before it does.
    if (parent)
        parent->installEventFilter(this);
}

QString TTemplateWizeGuy::noDocumentMessage()
{
    return QStringLiteral("No document appears to be loaded.");
}

QString TTemplateWizeGuy::slotNoticeText()
{
    return QStringLiteral("The line below this marker cannot be shown exactly in these fields. "
                          "Refresh leaves it as it stands until you change a field.");
}

QString TTemplateWizeGuy::noMoreMessage()
{
    return QStringLiteral("No more template definitions");
}

QWidget *TTemplateWizeGuy::buildStartingPage()
{
    auto *page = named(new QWidget(this), "StartingPage");
    auto *layout = new QVBoxLayout(page);
    auto *welcome = new QLabel(welcomeText(), page);
    welcome->setWordWrap(true);
    layout->addWidget(welcome);
    layout->addStretch();
    return page;
}

QWidget *TTemplateWizeGuy::buildDefaultsPage()
{
    auto *page = named(new QWidget(this), "Defaults");
    auto *form = new QFormLayout(page);
    m_title = named(new QLineEdit(page), "PageTitle");
    m_keywords = named(new QLineEdit(page), "MetaKeywords");
    m_description = named(new QLineEdit(page), "MetaDescription");
    m_docType = choices(page, "DocType", TemplateSlot::docTypes());
    form->addRow(QStringLiteral("Page title:"), m_title);
    form->addRow(QStringLiteral("META Keywords:"), m_keywords);
    form->addRow(QStringLiteral("META Description:"), m_description);
    form->addRow(QStringLiteral("Document Type:"), m_docType);
    return page;
}

QLineEdit *TTemplateWizeGuy::colourField(QWidget *page, const char *name, QWidget **row)
{
    *row = new QWidget(page);
    auto *layout = new QHBoxLayout(*row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *field = named(new QLineEdit(*row), name);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,6}")), field));
    field->setMaxLength(6);
    auto *choose = new QToolButton(*row);
    choose->setObjectName(QLatin1String(name) + QLatin1String("Btn"));
    choose->setText(QStringLiteral("..."));
    choose->setToolTip(QStringLiteral("Choose a colour"));
    layout->addWidget(field);
    layout->addWidget(choose);
    connect(choose, &QToolButton::clicked, this, [this, field] {
        const QColor initial(QLatin1Char('#') + field->text());
        const std::optional<QColor> chosen
            = m_context.prompter->chooseColor(initial.isValid() ? initial : QColor(Qt::black));
        if (chosen && chosen->isValid())
            field->setText(chosen->name().mid(1).toUpper());
    });
    return field;
}

QWidget *TTemplateWizeGuy::searchRow(QWidget *page, RefillingComboBox *box, const char *buttonName)
{
    auto *row = new QWidget(page);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto *search = new QToolButton(row);
    search->setObjectName(QLatin1String(buttonName));
    search->setText(QStringLiteral("..."));
    search->setToolTip(QStringLiteral("Look for an image file"));
    layout->addWidget(box);
    layout->addWidget(search);
    connect(search, &QToolButton::clicked, this, [this, box] { searchImage(box); });
    return row;
}

QWidget *TTemplateWizeGuy::buildHeaderPage()
{
    auto *page = named(new QWidget(this), "Header");
    auto *form = new QFormLayout(page);
    m_headingText = named(new QLineEdit(page), "HeadingText");
    m_headingSize = spin(page, "HeadingSize", 1, 6, 1);
    m_headingAlign = choices(page, "HeadingAlign", TemplateSlot::alignments());
    QWidget *colourRow = nullptr;
    m_headingColor = colourField(page, "HeadingColor", &colourRow);
    form->addRow(QStringLiteral("Heading Text:"), m_headingText);
    form->addRow(QStringLiteral("Heading Size:"), m_headingSize);
    form->addRow(QStringLiteral("Alignment:"), m_headingAlign);
    form->addRow(QStringLiteral("Color:"), colourRow);
    return page;
}

QWidget *TTemplateWizeGuy::buildTextPage()
{
    auto *page = named(new QWidget(this), "Text");
    auto *form = new QFormLayout(page);
    m_text = named(new QPlainTextEdit(page), "DocumentText");
    m_bold = named(new QCheckBox(QStringLiteral("Bold"), page), "Bold");
    m_underline = named(new QCheckBox(QStringLiteral("Underline"), page), "Underline");
    m_italics = named(new QCheckBox(QStringLiteral("Italics"), page), "Italics");
    m_textAlign = choices(page, "TextAlign", TemplateSlot::alignments());
    form->addRow(QStringLiteral("Document Text:"), m_text);
    auto *styles = new QHBoxLayout;
    styles->addWidget(m_bold);
    styles->addWidget(m_underline);
    styles->addWidget(m_italics);
    form->addRow(styles);
    form->addRow(QStringLiteral("Alignment:"), m_textAlign);
    return page;
}

QWidget *TTemplateWizeGuy::buildImagePage()
{
    auto *page = named(new QWidget(this), "Image");
    auto *form = new QFormLayout(page);
    m_imageName = named(new RefillingComboBox(page), "ImageFileName");
    m_imageName->setSource([this] { return imageFiles(); });
    m_width = spin(page, "ImageWidth", 0, 99999, 0);
    m_height = spin(page, "ImageHeight", 0, 99999, 0);
    m_imageAlign = choices(page, "ImageAlign", TemplateSlot::imageAlignments());
    form->addRow(QStringLiteral("Image filename:"), searchRow(page, m_imageName, "ImageSearchBtn"));
    form->addRow(QStringLiteral("Width:"), m_width);
    form->addRow(QStringLiteral("Height:"), m_height);
    form->addRow(QStringLiteral("Image Alignment:"), m_imageAlign);
    connect(m_imageName, &QComboBox::currentTextChanged, this, &TTemplateWizeGuy::imageNameChanged);
    return page;
}

QWidget *TTemplateWizeGuy::buildLinkPage()
{
    auto *page = named(new QWidget(this), "Link");
    auto *form = new QFormLayout(page);
    m_urlLabel = named(new QLabel(QStringLiteral("URL to link to:"), page), "UrlLabel");
    m_url = named(new RefillingComboBox(page), "LinkUrl");
    m_url->setEditable(true);
    m_url->setInsertPolicy(QComboBox::NoInsert);
    m_url->setSource([this] { return pageFiles(); });
    m_linkText = named(new QLineEdit(page), "LinkText");
    m_linkStyle
        = choices(page, "LinkStyle", { QStringLiteral("Text Link"), QStringLiteral("Image link") });
    m_graphic = named(new RefillingComboBox(page), "LinkGraphic");
    m_graphic->setSource([this] { return imageFiles(); });
    m_graphicRow = searchRow(page, m_graphic, "GraphicSearchBtn");
    m_linkAlign = choices(page, "LinkAlign", TemplateSlot::alignments());
    m_mailto = named(new QCheckBox(QStringLiteral("Use as mailto: link"), page), "UseMailto");
    form->addRow(m_urlLabel, m_url);
    form->addRow(QStringLiteral("Text to display:"), m_linkText);
    form->addRow(QStringLiteral("Link Style:"), m_linkStyle);
    form->addRow(QStringLiteral("Graphic to use:"), m_graphicRow);
    form->addRow(QStringLiteral("Alignment:"), m_linkAlign);
    form->addRow(m_mailto);
    form->setRowVisible(m_graphicRow, false);
    connect(m_mailto, &QCheckBox::toggled, this, &TTemplateWizeGuy::mailtoToggled);
    connect(m_linkStyle, &QComboBox::currentIndexChanged, this,
            &TTemplateWizeGuy::linkStyleChanged);
    connect(m_linkText, &QLineEdit::editingFinished, this, [this] {
        if (!m_importing && m_kind != Kind::None && m_pages->currentWidget() == m_linkPage)
            writeSlot();
    });
    return page;
}

QWidget *TTemplateWizeGuy::buildBodyPage()
{
    auto *page = named(new QWidget(this), "Body");
    auto *form = new QFormLayout(page);
    const std::pair<const char *, QLineEdit **> colours[] = {
        { "Text Color", &m_textColor },   { "Link Color", &m_linkColor },
        { "VLink Color", &m_vlinkColor }, { "ALink Color", &m_alinkColor },
        { "Background", &m_bgColor },
    };
    const char *names[] = { "TextColor", "LinkColor", "VLinkColor", "ALinkColor", "BgColor" };
    for (int i = 0; i < 5; ++i) {
        QWidget *row = nullptr;
        *colours[i].second = colourField(page, names[i], &row);
        form->addRow(QLatin1String(colours[i].first), row);
    }
    m_background = named(new RefillingComboBox(page), "BackgroundImage");
    m_background->setSource([this] { return imageFiles(); });
    form->addRow(QStringLiteral("Background Image:"),
                 searchRow(page, m_background, "BackgroundSearchBtn"));
    m_fixed = named(new QCheckBox(QStringLiteral("Fixed Background"), page), "FixedBackground");
    form->addRow(m_fixed);
    m_leftMargin = spin(page, "LeftMargin", -1, 9999, -1);
    m_rightMargin = spin(page, "RightMargin", -1, 9999, -1);
    form->addRow(QStringLiteral("Left Margin:"), m_leftMargin);
    form->addRow(QStringLiteral("Right Margin:"), m_rightMargin);
    return page;
}

QWidget *TTemplateWizeGuy::buildInvalidPage()
{
    auto *page = named(new QWidget(this), "InvalidTag");
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(
        new QLabel(QStringLiteral("There appears to be an invalid tag on line:"), page));
    m_invalidLine = named(new QLabel(page), "InvalidLine");
    layout->addWidget(m_invalidLine);
    layout->addStretch();
    return page;
}

void TTemplateWizeGuy::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().topLeft());
    if (m_splitter && m_splitterRestored && m_splitter->count() > 1) {
        m_savedSizes = m_splitter->sizes();
        QList<int> collapsed = m_savedSizes;
        collapsed[1] += collapsed[0];
        collapsed[0] = 0;
        m_splitter->setSizes(collapsed);
        m_splitterRestored = false;
    }
}

bool TTemplateWizeGuy::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Close)
        close();
    return QDialog::eventFilter(watched, event);
}

void TTemplateWizeGuy::done(int result)
{
    restoreSplitter();
    QDialog::done(result);
}

void TTemplateWizeGuy::restoreSplitter()
{
    if (m_splitterRestored)
        return;
    m_splitterRestored = true;
    if (m_splitter)
        m_splitter->setSizes(m_savedSizes);
}

void TTemplateWizeGuy::StartClick()
{
    const EditorControl *editor = m_context.editor;
    const int found = TemplateMarkers::next([editor](int n) { return editor->GetLineText(n); }, 0,
                                            editor->LineCount());
    if (found == 0) {
        m_context.prompter->information(noDocumentMessage());
        close();
        return;
    }
    m_start->hide();
    m_previous->show();
    m_next->show();
    m_refresh->show();
    m_next->setDefault(true);
    moveTo(found);
}

void TTemplateWizeGuy::NextClick()
{
    const EditorControl *editor = m_context.editor;
    // The count is taken again: a slot written may have added lines.
    const int found = TemplateMarkers::next([editor](int n) { return editor->GetLineText(n); },
                                            m_current, editor->LineCount());
    if (found == 0) {
        m_context.prompter->information(noMoreMessage());
        m_close->show();
        return;
    }
    moveTo(found);
}

void TTemplateWizeGuy::PreviousClick()
{
    const EditorControl *editor = m_context.editor;
    const int found
        = TemplateMarkers::previous([editor](int n) { return editor->GetLineText(n); }, m_current);
    if (found == 0) {
        m_context.prompter->information(noMoreMessage());
        return;
    }
    m_close->hide();
    moveTo(found);
}

void TTemplateWizeGuy::RefreshClick()
{
    if (m_kind == Kind::None || m_kind == Kind::Invalid)
        return;
    if (writeSlot() && m_context.refreshPreview)
        m_context.refreshPreview();
}

void TTemplateWizeGuy::backToStart()
{
    m_current = 0;
    m_kind = Kind::None;
    m_slotKept = false;
    m_slotNotice->hide();
    m_pages->setCurrentWidget(m_startingPage);
    for (QPushButton *button : { m_previous, m_next, m_refresh, m_close })
        button->hide();
    m_start->show();
    m_start->setDefault(true);
}

void TTemplateWizeGuy::moveTo(int line)
{
    m_current = line;
    m_kind = TemplateMarkers::kindOf(m_context.editor->GetLineText(line));
    switch (m_kind) {
    case Kind::Heading:
        m_pages->setCurrentWidget(m_headerPage);
        break;
    case Kind::Defaults:
        m_pages->setCurrentWidget(m_defaultsPage);
        break;
    case Kind::Text:
        m_pages->setCurrentWidget(m_textPage);
        break;
    case Kind::Image:
        m_pages->setCurrentWidget(m_imagePage);
        break;
    case Kind::Link:
    case Kind::MailLink:
        m_pages->setCurrentWidget(m_linkPage);
        break;
    case Kind::Body:
        m_pages->setCurrentWidget(m_bodyPage);
        break;
    case Kind::None:
    case Kind::Invalid:
        m_invalidLine->setText(QLatin1Char('#') + QString::number(line));
        m_pages->setCurrentWidget(m_invalidPage);
        break;
    }
    m_refresh->setEnabled(m_kind != Kind::Invalid && m_kind != Kind::None);
    importSlot();
}

void TTemplateWizeGuy::importSlot()
{
    const EditorControl *editor = m_context.editor;
    // A slot below the end of the page reads as empty.
    const auto slotLine = [this, editor](int offset) {
        const int n = m_current + offset;
        return n <= editor->LineCount() ? editor->GetLineText(n) : QString();
    };
    m_importing = true;
    switch (m_kind) {
    case Kind::Heading: {
        const TemplateSlot::Heading f = TemplateSlot::readHeading(slotLine(1));
        m_headingText->setText(f.text);
        m_headingSize->setValue(f.size);
        selectItem(m_headingAlign, f.align);
        m_headingColor->setText(f.color);
        break;
    }
    case Kind::Defaults: {
        const TemplateSlot::Defaults f
            = TemplateSlot::readDefaults({ slotLine(1), slotLine(2), slotLine(3) });
        m_title->setText(f.title);
        m_keywords->setText(f.keywords);
        m_description->setText(f.description);
        selectItem(m_docType, f.docType);
        break;
    }
    case Kind::Text: {
        const TemplateSlot::Text f = TemplateSlot::readText(slotLine(1));
        m_text->setPlainText(f.text);
        m_bold->setChecked(f.bold);
        m_underline->setChecked(f.underline);
        m_italics->setChecked(f.italics);
        selectItem(m_textAlign, f.align);
        break;
    }
    case Kind::Image: {
        // The slot's own WIDTH and HEIGHT stand; the name does not measure the file.
        const TemplateSlot::Image f = TemplateSlot::readImage(slotLine(1));
        m_imageName->setEditText(f.file);
        m_width->setValue(f.width);
        m_height->setValue(f.height);
        selectItem(m_imageAlign, f.align);
        break;
    }
    case Kind::Link:
    case Kind::MailLink: {
        const TemplateSlot::Link f = TemplateSlot::readLink(slotLine(1), m_kind == Kind::MailLink);
        m_mailto->setChecked(f.mailto);
        m_url->setEditText(f.url);
        m_linkText->setText(f.text);
        m_linkStyle->setCurrentIndex(f.imageLink ? 1 : 0);
        linkStyleChanged();
        m_graphic->setEditText(f.graphic);
        selectItem(m_linkAlign, f.align);
        break;
    }
    case Kind::Body: {
        const TemplateSlot::Body f = TemplateSlot::readBody(slotLine(1));
        m_textColor->setText(f.text);
        m_linkColor->setText(f.link);
        m_vlinkColor->setText(f.vlink);
        m_alinkColor->setText(f.alink);
        m_bgColor->setText(f.bgcolor);
        m_background->setEditText(f.background);
        m_fixed->setChecked(f.fixed);
        m_leftMargin->setValue(f.leftMargin);
        m_rightMargin->setValue(f.rightMargin);
        break;
    }
    case Kind::None:
    case Kind::Invalid:
        break;
    }
    m_importing = false;
    // What the fields would write is compared with the slot as it stands: a
    // slot they cannot give back is kept until the user changes a field.
    m_readBack = slotFromFields();
    m_slotKept = false;
    if (m_readBack) {
        const int lines = TemplateMarkers::slotLines(m_kind);
        for (int i = 0; i < lines; ++i) {
            if (!TemplateSlot::sameMarkup(slotLine(1 + i), m_readBack->value(i)))
                m_slotKept = true;
        }
    }
    m_slotNotice->setVisible(m_slotKept);
}

std::optional<QStringList> TTemplateWizeGuy::slotFromFields() const
{
    switch (m_kind) {
    case Kind::Heading: {
        TemplateSlot::Heading f;
        f.text = m_headingText->text();
        f.size = m_headingSize->value();
        f.align = m_headingAlign->currentText();
        f.color = m_headingColor->text();
        if (const auto line = TemplateSlot::write(f))
            return QStringList { *line };
        return std::nullopt;
    }
    case Kind::Defaults: {
        TemplateSlot::Defaults f;
        f.title = m_title->text();
        f.keywords = m_keywords->text();
        f.description = m_description->text();
        return TemplateSlot::write(f);
    }
    case Kind::Text: {
        TemplateSlot::Text f;
        f.text = m_text->toPlainText();
        f.bold = m_bold->isChecked();
        f.underline = m_underline->isChecked();
        f.italics = m_italics->isChecked();
        f.align = m_textAlign->currentText();
        if (const auto line = TemplateSlot::write(f))
            return QStringList { *line };
        return std::nullopt;
    }
    case Kind::Image: {
        TemplateSlot::Image f;
        f.file = m_imageName->currentText().trimmed();
        f.width = m_width->value();
        f.height = m_height->value();
        f.align = m_imageAlign->currentText();
        return QStringList { TemplateSlot::write(f) };
    }
    case Kind::Link:
    case Kind::MailLink: {
        TemplateSlot::Link f;
        f.url = m_url->currentText().trimmed();
        f.text = m_linkText->text();
        f.imageLink = m_linkStyle->currentIndex() == 1;
        f.graphic = m_graphic->currentText().trimmed();
        f.align = m_linkAlign->currentText();
        f.mailto = m_mailto->isChecked();
        return QStringList { TemplateSlot::write(f) };
    }
    case Kind::Body: {
        TemplateSlot::Body f;
        f.background = m_background->currentText().trimmed();
        f.text = m_textColor->text();
        f.link = m_linkColor->text();
        f.vlink = m_vlinkColor->text();
        f.alink = m_alinkColor->text();
        f.bgcolor = m_bgColor->text();
        f.fixed = m_fixed->isChecked();
        f.leftMargin = m_leftMargin->value();
        f.rightMargin = m_rightMargin->value();
        return QStringList { TemplateSlot::write(f) };
    }
    case Kind::None:
    case Kind::Invalid:
        break;
    }
    return std::nullopt;
}

bool TTemplateWizeGuy::writeSlot()
{
    EditorControl *editor = m_context.editor;
    // Another page in the editor, or lines added above the marker: the slot
    // is no longer below it, so nothing is written and the walk starts over.
    if (TemplateMarkers::kindOf(editor->GetLineText(m_current)) != m_kind) {
        backToStart();
        return false;
    }
    const std::optional<QStringList> lines = slotFromFields();
    // Fields as they were read from a slot they cannot give back: the slot stays.
    const bool keep = m_slotKept && lines == m_readBack;
    editor->BeginUndoAction();
    if (lines && !keep) {
        for (int i = 0; i < int(lines->size()); ++i)
            replaceLine(m_current + 1 + i, lines->at(i));
        m_readBack = lines;
        m_slotKept = false;
        m_slotNotice->hide();
    }
    // A document type chosen goes first on the page, in place of one there.
    if (m_kind == Kind::Defaults && m_docType->currentIndex() > 0) {
        const QString docType = m_docType->currentText();
        if (editor->GetLineText(1).trimmed().startsWith(QLatin1String("<!DOCTYPE"),
                                                        Qt::CaseInsensitive)) {
            replaceLine(1, docType);
        } else {
            editor->InsertAtLine(1, 0, docType + QLatin1Char('\n'));
            ++m_current;
        }
    }
    editor->EndUndoAction();
    return true;
}

void TTemplateWizeGuy::replaceLine(int line, const QString &text)
{
    EditorControl *editor = m_context.editor;
    // A slot below the end of the page gets its line first.
    while (editor->LineCount() < line)
        editor->AppendText(QStringLiteral("\n"));
    // The whole line, however long: a tail left behind would follow the new text.
    editor->StartLine = line;
    editor->StartPos = 0;
    editor->EndLine = line;
    editor->EndPos = editor->LineLength(line);
    editor->ApplySelection();
    editor->DeleteSelection();
    editor->InsertAtLine(line, 0, text);
}

QString TTemplateWizeGuy::pageDirectory() const
{
    return call(m_context.pageDirectory);
}

QStringList TTemplateWizeGuy::imageFiles() const
{
    return ImageLibrary::filesWithExtensions(pageDirectory(), call(m_context.graphicExtensions));
}

QStringList TTemplateWizeGuy::pageFiles() const
{
    return ImageLibrary::filesWithExtensions(pageDirectory(), call(m_context.pageExtensions));
}

void TTemplateWizeGuy::searchImage(RefillingComboBox *box)
{
    const QString directory = pageDirectory();
    const QString typed = box->currentText().trimmed();
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open");
    request.fileName = typed;
    request.directory = typed.isEmpty() || directory.isEmpty()
        ? directory
        : QFileInfo(QDir(directory), typed).absolutePath();
    QStringList patterns;
    for (const QString &extension : FileFilter::extensionList(call(m_context.graphicExtensions)))
        patterns.append(QStringLiteral("*.") + extension);
    request.filter = QStringLiteral("Graphics|") + patterns.join(QLatin1Char(';'))
        + QStringLiteral("|All Files|*");
    const std::optional<QString> chosen = m_context.prompter->openFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    // The page refers to the picture by its bare name, so it goes beside the page.
    if (!PageFileCopy::copyBeside(*m_context.prompter, *chosen, directory))
        return;
    box->setEditText(QFileInfo(*chosen).fileName());
    if (box == m_imageName)
        imageNameChanged();
}

void TTemplateWizeGuy::imageNameChanged()
{
    if (m_importing)
        return;
    const QString name = m_imageName->currentText().trimmed();
    const QSize size
        = name.isEmpty() ? QSize() : ImageInfo::pixelSize(QDir(pageDirectory()).filePath(name));
    m_width->setValue(qMax(0, size.width()));
    m_height->setValue(qMax(0, size.height()));
}

void TTemplateWizeGuy::mailtoToggled(bool on)
{
    m_urlLabel->setText(on ? QStringLiteral("Mailto:") : QStringLiteral("URL to Link to:"));
}

void TTemplateWizeGuy::linkStyleChanged()
{
    if (auto *form = qobject_cast<QFormLayout *>(m_linkPage->layout()))
        form->setRowVisible(m_graphicRow, m_linkStyle->currentIndex() == 1);
}

} // namespace Tarnwick
