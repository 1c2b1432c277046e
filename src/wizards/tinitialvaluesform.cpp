// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/tinitialvaluesform.h"
#include "project/pagecolorfields.h"
#include "project/pagecolorlabel.h"

#include "platform/editorcontrol.h"
#include "platform/prompter.h"
#include "platform/renderer.h"
#include "project/projectsettings.h"
#include "project/themenames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace Tarnwick {

namespace {

const char *const pageNames[TInitialValuesForm::PageCount]
    = { "Page Internals", "Images/Themes", "Text", "General", "Colors" };

QLineEdit *field(const char *name, QWidget *parent, int maxLength = 0)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QToolButton *browseButton(const char *name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QStringLiteral("..."));
    return button;
}

QHBoxLayout *row(QWidget *first, QWidget *second)
{
    auto *layout = new QHBoxLayout;
    layout->addWidget(first, 1);
    layout->addWidget(second);
    return layout;
}

void paintButton(QToolButton *button, const std::optional<QColor> &color)
{
    button->setStyleSheet(color ? QStringLiteral("background-color: %1;").arg(color->name())
                                : QString());
}

} // namespace

TInitialValuesForm::TInitialValuesForm(Context context, QWidget *parent)
    : QDialog(parent)
    , m_context(std::move(context))
    , m_values(ThemeNames::themesDirectory(m_context.programDirectory), m_context.pageDirectory)
{
    setObjectName(QStringLiteral("TInitialValuesForm"));
    setWindowTitle(QStringLiteral("Initial Values"));

    m_notebook = new QStackedWidget(this);
    m_notebook->setObjectName(QStringLiteral("Notebook1"));
    m_notebook->addWidget(internalsPage());
    m_notebook->addWidget(themesPage());
    m_notebook->addWidget(textPage());
    m_notebook->addWidget(generalPage());
    m_notebook->addWidget(colorsPage());
    m_pageCaption = new QLabel(this);
    m_pageCaption->setObjectName(QStringLiteral("PageCaption"));
    QFont bold = m_pageCaption->font();
    bold.setBold(true);
    m_pageCaption->setFont(bold);

    m_preview = new Renderer(this);
    m_preview->setObjectName(QStringLiteral("HTMLViewer1"));
    m_preview->setMinimumSize(320, 300);

    m_back = new QPushButton(QStringLiteral("&Back"), this);
    m_back->setObjectName(QStringLiteral("BackBtn"));
    m_next = new QPushButton(QStringLiteral("&Next"), this);
    m_next->setObjectName(QStringLiteral("NextBtn"));
    m_finish = new QPushButton(QStringLiteral("Finish"), this);
    m_finish->setObjectName(QStringLiteral("FinishBtn"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(m_back, &QPushButton::clicked, this, &TInitialValuesForm::BackBtnClick);
    connect(m_next, &QPushButton::clicked, this, &TInitialValuesForm::NextBtnClick);
    connect(m_finish, &QPushButton::clicked, this, &TInitialValuesForm::FinishBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &TInitialValuesForm::reject);
    m_next->setDefault(true);

    auto *left = new QWidget(this);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_pageCaption);
    leftLayout->addWidget(m_notebook, 1);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(left);
    splitter->addWidget(m_preview);
    splitter->setStretchFactor(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *button : { m_back, m_next, m_finish, m_cancel })
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(980, 560);

    InitialValuesFields initial = InitialValues::fromProjectSettings(m_context.pageDirectory);
    initial.author = m_context.author;
    setFields(initial);
    showPage(0);
}

QWidget *TInitialValuesForm::page(const QString &help, QLayout *fields)
{
    auto *widget = new QWidget(this);
    auto *layout = new QVBoxLayout(widget);
    auto *helpText = new QPlainTextEdit(help, widget);
    helpText->setReadOnly(true);
    helpText->setMaximumHeight(90);
    helpText->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(helpText);
    layout->addLayout(fields);
    layout->addStretch(1);
    return widget;
}

TInitialValuesForm::~TInitialValuesForm()
{
    // A dialog destroyed while shown hides itself once this part of it is
    // gone; the field losing the focus then must not refresh the preview.
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->disconnect(this);
}

void TInitialValuesForm::watch(QLineEdit *edit)
{
    connect(edit, &QLineEdit::editingFinished, this, &TInitialValuesForm::UpdatePreview);
}

QWidget *TInitialValuesForm::internalsPage()
{
    m_docType = new QComboBox(this);
    m_docType->setObjectName(QStringLiteral("DocType"));
    m_docType->setEditable(true);
    m_docType->addItems(InitialValues::docTypes());
    m_pageTitle = field("PageTitle", this);
    m_pageComments = field("PageComments", this);
    m_keywords = field("Keywords", this);
    m_description = field("Description", this);
    for (QLineEdit *edit : { m_pageTitle, m_pageComments, m_keywords, m_description })
        watch(edit);
    connect(m_docType, &QComboBox::currentIndexChanged, this, &TInitialValuesForm::UpdatePreview);
    watch(m_docType->lineEdit());

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Document Type:"), m_docType);
    form->addRow(QStringLiteral("Page title:"), m_pageTitle);
    form->addRow(QStringLiteral("Initial Comments:"), m_pageComments);
    form->addRow(QStringLiteral("META Keywords:"), m_keywords);
    form->addRow(QStringLiteral("META Description:"), m_description);
    return page(QStringLiteral("The head of the page: the document type line, the title that "
                               "browsers show in their caption, a comment for yourself, and the "
                               "keywords and description that search engines read."),
                form);
}

QWidget *TInitialValuesForm::themesPage()
{
    m_themeCombo = new QComboBox(this);
    m_themeCombo->setObjectName(QStringLiteral("ThemeCombo"));
    m_themeCombo->addItem(InitialValues::noTheme());
    m_themeCombo->addItems(ThemeNames::list(m_context.programDirectory));
    connect(m_themeCombo, &QComboBox::currentIndexChanged, this,
            &TInitialValuesForm::UpdatePreview);
    const char *names[5] = { "LeftArrow", "RightArrow", "UpArrow", "DownArrow", "QuestionMark" };
    const QString captions[5]
        = { QStringLiteral("Left Arrow"), QStringLiteral("Right Arrow"), QStringLiteral("Up Arrow"),
            QStringLiteral("Down Arrow"), QStringLiteral("Question Mark") };
    auto *arrows = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        m_arrows[i] = new QCheckBox(captions[i], this);
        m_arrows[i]->setObjectName(QLatin1String(names[i]));
        connect(m_arrows[i], &QCheckBox::toggled, this, &TInitialValuesForm::UpdatePreview);
        arrows->addWidget(m_arrows[i], i / 2, i % 2);
    }
    m_backgroundGraphic = field("BackgroundGraphic", this);
    watch(m_backgroundGraphic);
    QToolButton *backgroundButton = browseButton("BackgroundBtn", this);
    connect(backgroundButton, &QToolButton::clicked, this,
            [this] { chooseImage(m_backgroundGraphic); });
    m_fixedBG = new QCheckBox(QStringLiteral("Fixed Background"), this);
    m_fixedBG->setObjectName(QStringLiteral("FixedBG"));
    connect(m_fixedBG, &QCheckBox::toggled, this, &TInitialValuesForm::UpdatePreview);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Graphic Themes"), m_themeCombo);
    form->addRow(arrows);
    form->addRow(QStringLiteral("Background graphic:"), row(m_backgroundGraphic, backgroundButton));
    form->addRow(m_fixedBG);
    return page(QStringLiteral("A graphic theme gives the page a background, a line between its "
                               "sections and the arrows you tick; its pictures are copied beside "
                               "the page. A background graphic of your own takes the place of "
                               "the theme's background."),
                form);
}

QWidget *TInitialValuesForm::textPage()
{
    m_logo = field("Logo", this);
    watch(m_logo);
    QToolButton *logoButton = browseButton("LogoBtn", this);
    connect(logoButton, &QToolButton::clicked, this, [this] { chooseImage(m_logo); });
    m_pageHeading = field("PageHeading", this);
    watch(m_pageHeading);
    m_headingSize = new QSpinBox(this);
    m_headingSize->setObjectName(QStringLiteral("HeadingSize"));
    m_headingSize->setRange(1, 6);
    connect(m_headingSize, &QSpinBox::valueChanged, this, &TInitialValuesForm::UpdatePreview);
    m_headerBtn = new QToolButton(this);
    m_headerBtn->setObjectName(QStringLiteral("HeaderBtn"));
    m_headerBtn->setText(QStringLiteral("Color..."));
    m_headerBtn->setToolTip(QStringLiteral("Click to select a color"));
    connect(m_headerBtn, &QToolButton::clicked, this, &TInitialValuesForm::HeaderBtnClick);
    // Black is a colour too: the heading goes back to none only here.
    m_headerClearBtn = new QToolButton(this);
    m_headerClearBtn->setObjectName(QStringLiteral("HeaderClearBtn"));
    m_headerClearBtn->setText(QStringLiteral("No Color"));
    m_headerClearBtn->setToolTip(QStringLiteral("Write the heading without a color"));
    m_headerClearBtn->setEnabled(false);
    connect(m_headerClearBtn, &QToolButton::clicked, this,
            &TInitialValuesForm::HeaderClearBtnClick);
    m_emailText = field("EmailText", this);
    m_emailCaption = field("EmailCaption", this);
    watch(m_emailText);
    watch(m_emailCaption);
    m_centerText = new QCheckBox(QStringLiteral("Center these items?"), this);
    m_centerText->setObjectName(QStringLiteral("CenterText"));
    connect(m_centerText, &QCheckBox::toggled, this, &TInitialValuesForm::UpdatePreview);

    auto *heading = new QHBoxLayout;
    heading->addWidget(new QLabel(QStringLiteral("Size:"), this));
    heading->addWidget(m_headingSize);
    heading->addWidget(m_headerBtn);
    heading->addWidget(m_headerClearBtn);
    heading->addStretch(1);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Logo:"), row(m_logo, logoButton));
    form->addRow(QStringLiteral("Page Heading:"), m_pageHeading);
    form->addRow(heading);
    form->addRow(QStringLiteral("Page Owner's Email Address:"), m_emailText);
    form->addRow(QStringLiteral("Email Caption:"), m_emailCaption);
    form->addRow(m_centerText);
    return page(QStringLiteral("What the page shows at its top: a logo picture, which is copied "
                               "beside the page, a heading in its size and colour, and at its end "
                               "a link that writes an e-mail to you."),
                form);
}

QWidget *TInitialValuesForm::generalPage()
{
    m_companyName = field("CompanyName", this);
    watch(m_companyName);
    m_otherInfo = new QPlainTextEdit(this);
    m_otherInfo->setObjectName(QStringLiteral("OtherInfo"));
    m_otherInfo->installEventFilter(this);
    m_baseFontSize = new QSpinBox(this);
    m_baseFontSize->setObjectName(QStringLiteral("BaseFontSize"));
    m_baseFontSize->setRange(1, 7);
    connect(m_baseFontSize, &QSpinBox::valueChanged, this, &TInitialValuesForm::UpdatePreview);
    m_author = field("AuthorName", this, InitialValues::AuthorLength);
    watch(m_author);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Name/Company Name/Greeting:"), m_companyName);
    form->addRow(QStringLiteral("Other Information:"), m_otherInfo);
    form->addRow(QStringLiteral("Default Font Size:"), m_baseFontSize);
    form->addRow(QStringLiteral("Author:"), m_author);
    return page(QStringLiteral("A greeting and the text of the page, one line of the page for each "
                               "line you type, and the size of its text. The author's name goes "
                               "into the page's Author META line; Tarnwick keeps it for your "
                               "next pages."),
                form);
}

QWidget *TInitialValuesForm::colorsPage()
{
    auto *grid = new QGridLayout;
    static_assert(ColorCount == pageColorFieldCount);
    for (int i = 0; i < ColorCount; ++i) {
        ColorRow &color = m_colors[i];
        color.label = new QLabel(QString::fromLatin1(pageColorFields[i].caption), this);
        color.label->setObjectName(QLatin1String(pageColorFields[i].name)
                                   + QStringLiteral("Label"));
        color.text = field("", this, 7); // "#RRGGBB"
        color.text->setObjectName(QLatin1String(pageColorFields[i].name) + QStringLiteral("Text"));
        color.label->setBuddy(color.text);
        color.button = browseButton(pageColorFields[i].button, this);
        color.button->setToolTip(QStringLiteral("Click to select a color"));
        grid->addWidget(color.label, i, 0);
        grid->addWidget(color.text, i, 1);
        grid->addWidget(color.button, i, 2);
        connect(color.button, &QToolButton::clicked, this, [this, i] { chooseColor(i); });
        connect(color.text, &QLineEdit::textChanged, this, [this, i] { showColor(i); });
        watch(color.text);
    }
    m_lMargin = new QSpinBox(this);
    m_lMargin->setObjectName(QStringLiteral("LMargin"));
    m_rMargin = new QSpinBox(this);
    m_rMargin->setObjectName(QStringLiteral("RMargin"));
    for (QSpinBox *margin : { m_lMargin, m_rMargin }) {
        margin->setRange(-1, 100);
        margin->setSingleStep(5);
        connect(margin, &QSpinBox::valueChanged, this, &TInitialValuesForm::UpdatePreview);
    }
    auto *form = new QFormLayout;
    form->addRow(grid);
    form->addRow(QStringLiteral("Left Margin:"), m_lMargin);
    form->addRow(QStringLiteral("Right Margin:"), m_rMargin);
    return page(QStringLiteral("The colours of the text, of links, of links already visited and "
                               "being clicked, and of the background, as six hexadecimal digits "
                               "RRGGBB or #RRGGBB; an empty one is left out. A margin of -1 is "
                               "left out."),
                form);
}

void TInitialValuesForm::setFields(const InitialValuesFields &f)
{
    const QScopedValueRollback filling(m_filling, true);
    const int docType = m_docType->findText(f.docType, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (docType >= 0)
        m_docType->setCurrentIndex(docType);
    else
        m_docType->setEditText(f.docType);
    m_pageTitle->setText(f.title);
    m_pageComments->setText(f.comments);
    m_keywords->setText(f.keywords);
    m_description->setText(f.description);
    // A theme the project names but the program does not have leaves "[None]".
    const int theme = m_themeCombo->findText(f.theme, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_themeCombo->setCurrentIndex(theme >= 0 ? theme : 0);
    const bool arrows[5] = { f.leftArrow, f.rightArrow, f.upArrow, f.downArrow, f.questionMark };
    for (int i = 0; i < 5; ++i)
        m_arrows[i]->setChecked(arrows[i]);
    m_backgroundGraphic->setText(f.backgroundGraphic);
    m_fixedBG->setChecked(f.fixedBackground);
    m_logo->setText(f.logo);
    m_pageHeading->setText(f.heading);
    m_headingSize->setValue(f.headingSize);
    m_headingColor = f.headingColor;
    paintButton(m_headerBtn, m_headingColor);
    m_headerClearBtn->setEnabled(m_headingColor.has_value());
    m_emailText->setText(f.email);
    m_emailCaption->setText(f.emailCaption);
    m_centerText->setChecked(f.center);
    m_companyName->setText(f.greeting);
    m_otherInfo->setPlainText(f.otherInformation);
    m_baseFontSize->setValue(f.baseFontSize);
    m_author->setText(f.author);
    const QString *colors[ColorCount]
        = { &f.textColor, &f.linkColor, &f.vLinkColor, &f.aLinkColor, &f.bgColor };
    for (int i = 0; i < ColorCount; ++i) {
        m_colors[i].text->setText(*colors[i]);
        showColor(i);
    }
    m_lMargin->setValue(f.leftMargin);
    m_rMargin->setValue(f.rightMargin);
}

InitialValuesFields TInitialValuesForm::fields() const
{
    InitialValuesFields f;
    f.docType = m_docType->currentText();
    f.title = m_pageTitle->text();
    f.comments = m_pageComments->text();
    f.keywords = m_keywords->text();
    f.description = m_description->text();
    f.theme = m_themeCombo->currentText();
    f.leftArrow = m_arrows[0]->isChecked();
    f.rightArrow = m_arrows[1]->isChecked();
    f.upArrow = m_arrows[2]->isChecked();
    f.downArrow = m_arrows[3]->isChecked();
    f.questionMark = m_arrows[4]->isChecked();
    f.backgroundGraphic = m_backgroundGraphic->text();
    f.fixedBackground = m_fixedBG->isChecked();
    f.logo = m_logo->text();
    f.heading = m_pageHeading->text();
    f.headingSize = m_headingSize->value();
    f.headingColor = m_headingColor;
    f.email = m_emailText->text();
    f.emailCaption = m_emailCaption->text();
    f.center = m_centerText->isChecked();
    f.greeting = m_companyName->text();
    f.otherInformation = m_otherInfo->toPlainText();
    f.baseFontSize = m_baseFontSize->value();
    f.author = m_author->text();
    QString *colors[ColorCount]
        = { &f.textColor, &f.linkColor, &f.vLinkColor, &f.aLinkColor, &f.bgColor };
    for (int i = 0; i < ColorCount; ++i)
        *colors[i] = m_colors[i].text->text();
    f.leftMargin = m_lMargin->value();
    f.rightMargin = m_rMargin->value();
    return f;
}

QString TInitialValuesForm::author() const
{
    return m_author->text();
}

int TInitialValuesForm::pageIndex() const
{
    return m_notebook->currentIndex();
}

void TInitialValuesForm::showPage(int index)
{
    m_notebook->setCurrentIndex(index);
    m_pageCaption->setText(QLatin1String(pageNames[index]));
    const bool last = index == PageCount - 1;
    m_back->setEnabled(index > 0);
    m_next->setEnabled(!last);
    m_next->setVisible(!last);
    m_finish->setVisible(last);
    (last ? m_finish : m_next)->setDefault(true);
}

void TInitialValuesForm::BackBtnClick()
{
    if (pageIndex() > 0)
        showPage(pageIndex() - 1);
}

void TInitialValuesForm::NextBtnClick()
{
    if (pageIndex() < PageCount - 1)
        showPage(pageIndex() + 1);
}

void TInitialValuesForm::UpdatePreview()
{
    if (m_filling)
        return;
    m_lines = m_values.generate(fields(), InitialValues::Paths::Full, QDateTime::currentDateTime());
    // A load still under way is not interrupted; the next change shows this one.
    if (m_preview->Busy())
        return;
    m_preview->LoadFromBuffer(m_lines.join(QLatin1Char('\n')), m_context.pageDirectory);
}

void TInitialValuesForm::FinishBtnClick()
{
    // Only colours reach the BODY tag: anything else is refused here.
    for (int i = 0; i < ColorCount; ++i) {
        QLineEdit *text = m_colors[i].text;
        if (ProjectSettings::colorDigits(text->text()))
            continue;
        m_context.prompter->warning(ProjectSettings::badColorMessage(
            QString::fromLatin1(pageColorFields[i].caption), text->text()));
        showPage(PageCount - 1);
        text->setFocus();
        return;
    }
    const InitialValuesFields f = fields();
    const QDateTime now = QDateTime::currentDateTime();
    m_lines = m_values.generate(f, InitialValues::Paths::Full, now);
    if (m_context.body)
        *m_context.body = m_values.bodySettings(f, *m_context.body);
    if (EditorControl *editor = m_context.editor) {
        editor->setEnabled(true);
        const QStringList page = m_values.generate(f, InitialValues::Paths::Page, now);
        editor->AppendText(page.join(QLatin1Char('\r')) + QLatin1Char('\r'));
    }
    m_values.copyFiles(f);
    if (m_context.refreshPreview)
        m_context.refreshPreview();
    accept();
}

void TInitialValuesForm::reject()
{
    if (m_context.editor)
        m_context.editor->ClearAll();
    QDialog::reject();
}

void TInitialValuesForm::showColor(int index)
{
    PageColorLabel::show(m_colors[index].label,
                         ProjectSettings::colorFromText(m_colors[index].text->text()),
                         index == BgColor);
}

void TInitialValuesForm::chooseColor(int index)
{
    ColorRow &color = m_colors[index];
    const std::optional<QColor> chosen
        = m_context.prompter->chooseColor(ProjectSettings::colorFromText(color.text->text()));
    if (!chosen)
        return;
    color.text->setText(InitialValues::colorText(*chosen));
    UpdatePreview();
}

void TInitialValuesForm::HeaderBtnClick()
{
    const std::optional<QColor> chosen = m_context.prompter->chooseColor(
        ProjectSettings::colorFromText(m_colors[TextColor].text->text()));
    if (!chosen)
        return;
    m_headingColor = *chosen;
    paintButton(m_headerBtn, m_headingColor);
    m_headerClearBtn->setEnabled(true);
    UpdatePreview();
}

void TInitialValuesForm::HeaderClearBtnClick()
{
    m_headingColor.reset();
    paintButton(m_headerBtn, m_headingColor);
    m_headerClearBtn->setEnabled(false);
    UpdatePreview();
}

void TInitialValuesForm::chooseImage(QLineEdit *field)
{
    Prompter::FileRequest request;
    request.caption = QStringLiteral("Open File");
    request.directory = m_context.pageDirectory;
    request.filter
        = QStringLiteral("Images|*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.svg;*.webp|All Files|*.*");
    if (const std::optional<QString> chosen = m_context.prompter->openFileName(request)) {
        field->setText(*chosen);
        UpdatePreview();
    }
}

void TInitialValuesForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    UpdatePreview();
}

bool TInitialValuesForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_otherInfo && event->type() == QEvent::FocusOut)
        UpdatePreview();
    return QDialog::eventFilter(watched, event);
}

} // namespace Tarnwick
