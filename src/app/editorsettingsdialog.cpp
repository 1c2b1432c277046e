// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editorsettingsdialog.h"

#include "app/settings.h"
#include "platform/editorcontrol.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace Tarnwick {

EditorSettingsDialog::EditorSettingsDialog(EditorControl &editor, Settings &settings,
                                           std::function<void(int)> helperTip,
                                           std::function<void(const EditorAppearance &)> applied,
                                           QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_settings(settings)
    , m_helperTip(std::move(helperTip))
    , m_applied(std::move(applied))
    , m_opened(EditorAppearance::fromEditor(editor, settings.Defaults))
{
    setObjectName(QStringLiteral("TFontForm"));
    setWindowTitle(QStringLiteral("Default Editor Settings"));

    auto *general = new QWidget;
    auto *generalForm = new QFormLayout(general);
    m_fontName = fontBox(QStringLiteral("FontName"));
    m_fontSize = new QSpinBox(general);
    m_fontSize->setObjectName(QStringLiteral("FontSize"));
    m_fontSize->setRange(6, 24);
    m_fileType = new QComboBox(general);
    m_fileType->setObjectName(QStringLiteral("FileType"));
    m_fileType->addItems(
        { QStringLiteral("Default"), QStringLiteral("Mac Style"), QStringLiteral("Unix Style") });
    m_tabSize = new QSpinBox(general);
    m_tabSize->setObjectName(QStringLiteral("TabSize"));
    m_tabSize->setRange(1, 20);
    m_autoIndent = new QCheckBox(QStringLiteral("&Auto Indent"), general);
    m_autoIndent->setObjectName(QStringLiteral("AutoIndent"));
    m_wordwrap = new QCheckBox(QStringLiteral("Use Wordwrap"), general);
    m_wordwrap->setObjectName(QStringLiteral("Wordwrap"));
    m_expand = new QCheckBox(QStringLiteral("Expand to HTML"), general);
    m_expand->setObjectName(QStringLiteral("ExpandCharstoHTML"));
    m_useEWS = new QCheckBox(QStringLiteral("Use Warning LEDs"), general);
    m_useEWS->setObjectName(QStringLiteral("UseEWS"));
    m_autoComplete = new QCheckBox(QStringLiteral("Complete tags while typing"), general);
    m_autoComplete->setObjectName(QStringLiteral("AutoComplete"));
    m_foldMargin = new QCheckBox(QStringLiteral("Show fold margin"), general);
    m_foldMargin->setObjectName(QStringLiteral("ShowFoldMargin"));
    generalForm->addRow(QStringLiteral("Font &Name:"), m_fontName);
    generalForm->addRow(QStringLiteral("Font &Size:"), m_fontSize);
    generalForm->addRow(QStringLiteral("File type:"), m_fileType);
    generalForm->addRow(QStringLiteral("Tab stop size: "), m_tabSize);
    generalForm->addRow(m_autoIndent);
    generalForm->addRow(m_wordwrap);
    generalForm->addRow(m_expand);
    generalForm->addRow(m_useEWS);
    generalForm->addRow(m_autoComplete);
    generalForm->addRow(m_foldMargin);

    auto *colors = new QWidget;
    auto *colorForm = new QFormLayout(colors);
    m_textFg = colorBox(QStringLiteral("TextForeground"));
    m_textBg = colorBox(QStringLiteral("TextBackground"));
    m_tagFg = colorBox(QStringLiteral("TagForeground"));
    m_tagBg = colorBox(QStringLiteral("TagBackground"));
    m_selFg = colorBox(QStringLiteral("HighlightText"));
    m_selBg = colorBox(QStringLiteral("HighlightBackground"));
    const auto pair = [](QComboBox *a, const QString &la, QComboBox *b, const QString &lb) {
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(la));
        row->addWidget(a, 1);
        row->addWidget(new QLabel(lb));
        row->addWidget(b, 1);
        return row;
    };
    colorForm->addRow(
        QStringLiteral("Text Colors:"),
        pair(m_textFg, QStringLiteral("Foreground"), m_textBg, QStringLiteral("Background")));
    colorForm->addRow(
        QStringLiteral("Tag Colors:"),
        pair(m_tagFg, QStringLiteral("Foreground"), m_tagBg, QStringLiteral("Background")));
    colorForm->addRow(
        QStringLiteral("Highlight Colors:"),
        pair(m_selFg, QStringLiteral("Text Color"), m_selBg, QStringLiteral("Background")));

    auto *viewer = new QWidget;
    auto *viewerForm = new QFormLayout(viewer);
    m_htmlFontName = fontBox(QStringLiteral("HTMLFontName"));
    m_htmlFontSize = new QSpinBox(viewer);
    m_htmlFontSize->setObjectName(QStringLiteral("HTMLFontSize"));
    m_htmlFontSize->setRange(6, 24);
    m_htmlWindow = colorBox(QStringLiteral("HTMLBackground"));
    m_htmlFont = colorBox(QStringLiteral("HTMLFontColor"));
    viewerForm->addRow(QStringLiteral("Font &Name:"), m_htmlFontName);
    viewerForm->addRow(QStringLiteral("Font &Size:"), m_htmlFontSize);
    viewerForm->addRow(QStringLiteral("Window Color: "), m_htmlWindow);
    viewerForm->addRow(QStringLiteral("Font Color:"), m_htmlFont);

    auto *pages = new QTabWidget(this);
    pages->addTab(general, QStringLiteral("General"));
    pages->addTab(colors, QStringLiteral("Editor Colors"));
    pages->addTab(viewer, QStringLiteral("HTML Viewer"));

    m_sample = new EditorControl(this);
    m_sample->setObjectName(QStringLiteral("Sample"));
    m_sample->SetText(sampleText());
    m_sample->setMinimumHeight(140);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel
        = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton *apply = buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::ApplyRole);
    ok->setObjectName(QStringLiteral("OkBtn"));
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    apply->setObjectName(QStringLiteral("ApplyBtn"));
    connect(ok, &QPushButton::clicked, this, &EditorSettingsDialog::Ok);
    connect(cancel, &QPushButton::clicked, this, &EditorSettingsDialog::Cancel);
    connect(apply, &QPushButton::clicked, this, &EditorSettingsDialog::Apply);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(m_sample, 1);
    layout->addWidget(buttons);

    for (QComboBox *box : { m_fontName, m_textFg, m_textBg, m_tagFg, m_tagBg, m_selFg, m_selBg })
        connect(box, &QComboBox::currentIndexChanged, this, &EditorSettingsDialog::drawSample);
    for (QSpinBox *box : { m_fontSize, m_tabSize })
        connect(box, &QSpinBox::valueChanged, this, &EditorSettingsDialog::drawSample);
    connect(m_foldMargin, &QCheckBox::toggled, this, &EditorSettingsDialog::drawSample);
    connect(m_wordwrap, &QCheckBox::toggled, this, &EditorSettingsDialog::WordwrapClick);
    connect(m_expand, &QCheckBox::toggled, this, &EditorSettingsDialog::ExpandClick);

    restore();
}

QString EditorSettingsDialog::sampleText()
{
    return QStringLiteral("<HTML>\n<TITLE>Your Web Page</TITLE>\n<BODY BACKGROUND=\"back.gif\"\n"
                          "TEXT=\"#FF00FF\">\nThis is the contents of your web\npage.\n</BODY>\n"
                          "</HTML>");
}

QList<std::pair<QString, QColor>> EditorSettingsDialog::namedColors()
{
    const auto c = [](const char *name, QRgb rgb) {
        return std::pair<QString, QColor>(QString::fromLatin1(name), QColor(rgb));
    };
    return { c("Aqua", 0x00FFFF),   c("Black", 0x000000),   c("Blue", 0x0000FF),
             c("DkGray", 0x808080), c("Fuchsia", 0xFF00FF), c("Gray", 0x808080),
             c("Green", 0x008000),  c("Lime", 0x00FF00),    c("LtGray", 0xC0C0C0),
             c("Maroon", 0x800000), c("Navy", 0x000080),    c("Olive", 0x808000),
             c("Purple", 0x800080), c("Red", 0xFF0000),     c("Silver", 0xC0C0C0),
             c("Teal", 0x008080),   c("White", 0xFFFFFF),   c("Yellow", 0xFFFF00) };
}

QComboBox *EditorSettingsDialog::colorBox(const QString &name)
{
    auto *box = new QComboBox(this);
    box->setObjectName(name);
    for (const auto &[label, color] : namedColors()) {
        QPixmap swatch(16, 16);
        swatch.fill(color);
        box->addItem(QIcon(swatch), label, color);
    }
    return box;
}

QComboBox *EditorSettingsDialog::fontBox(const QString &name)
{
    auto *box = new QComboBox(this);
    box->setObjectName(name);
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    box->addItems(families);
    return box;
}

void EditorSettingsDialog::selectColor(QComboBox *box, const QColor &color)
{
    if (!color.isValid())
        return;
    int index = box->findData(color);
    if (index < 0) {
        // A colour chosen elsewhere is kept, not replaced by a named one.
        QPixmap swatch(16, 16);
        swatch.fill(color);
        box->addItem(QIcon(swatch), color.name().toUpper(), color);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

static void selectText(QComboBox *box, const QString &text)
{
    if (text.isEmpty())
        return;
    if (box->findText(text) < 0)
        box->addItem(text);
    box->setCurrentIndex(box->findText(text));
}

void EditorSettingsDialog::showValues(const EditorAppearance &a)
{
    m_filling = true;
    m_shown = a;
    selectText(m_fontName, a.fontName);
    m_fontSize->setValue(a.fontSize);
    m_fileType->setCurrentIndex(std::clamp(a.fileFormat, 0, 2));
    m_tabSize->setValue(a.tabSize);
    m_autoIndent->setChecked(a.autoIndent);
    m_wordwrap->setChecked(a.wordWrap);
    m_expand->setChecked(a.expandChars);
    m_useEWS->setChecked(a.useEWS);
    m_autoComplete->setChecked(a.autoComplete);
    m_foldMargin->setChecked(a.foldMargin);
    selectColor(m_textFg, a.textColor);
    selectColor(m_textBg, a.background);
    selectColor(m_tagFg, a.tagForeground);
    selectColor(m_tagBg, a.tagBackground);
    selectColor(m_selFg, a.selectionText);
    selectColor(m_selBg, a.selectionBackground);
    selectText(m_htmlFontName, a.htmlFontName);
    if (a.htmlFontSize > 0)
        m_htmlFontSize->setValue(a.htmlFontSize);
    selectColor(m_htmlWindow, a.htmlBackground);
    selectColor(m_htmlFont, a.htmlFontColor);
    m_filling = false;
    drawSample();
}

EditorAppearance EditorSettingsDialog::chosen() const
{
    EditorAppearance a = m_shown;
    a.fontName = m_fontName->currentText();
    a.fontSize = m_fontSize->value();
    a.fileFormat = m_fileType->currentIndex();
    a.tabSize = m_tabSize->value();
    a.autoIndent = m_autoIndent->isChecked();
    a.wordWrap = m_wordwrap->isChecked();
    a.expandChars = m_expand->isChecked();
    a.useEWS = m_useEWS->isChecked();
    a.autoComplete = m_autoComplete->isChecked();
    a.foldMargin = m_foldMargin->isChecked();
    a.textColor = m_textFg->currentData().value<QColor>();
    a.background = m_textBg->currentData().value<QColor>();
    a.tagForeground = m_tagFg->currentData().value<QColor>();
    a.tagBackground = m_tagBg->currentData().value<QColor>();
    a.selectionText = m_selFg->currentData().value<QColor>();
    a.selectionBackground = m_selBg->currentData().value<QColor>();
    a.htmlFontName = m_htmlFontName->currentText();
    a.htmlFontSize = m_htmlFontSize->value();
    a.htmlBackground = m_htmlWindow->currentData().value<QColor>();
    a.htmlFontColor = m_htmlFont->currentData().value<QColor>();
    return a;
}

void EditorSettingsDialog::drawSample()
{
    if (m_filling)
        return;
    EditorAppearance a = chosen();
    a.wordWrap = false; // the sample shows fonts and colours, not wrapping
    a.applyTo(*m_sample);
}

void EditorSettingsDialog::restore()
{
    const EditorAppearance stored = EditorAppearance::fromSettings(m_settings.Defaults, m_opened);
    stored.applyTo(m_editor);
    if (m_applied)
        m_applied(stored);
    showValues(stored);
}

void EditorSettingsDialog::Apply()
{
    const EditorAppearance a = chosen();
    a.applyTo(m_editor);
    if (m_applied)
        m_applied(a);
}

void EditorSettingsDialog::Ok()
{
    Apply();
    chosen().store(m_settings.Defaults);
    accept();
}

void EditorSettingsDialog::Cancel()
{
    reject();
}

void EditorSettingsDialog::reject()
{
    restore();
    QDialog::reject();
}

void EditorSettingsDialog::WordwrapClick(bool checked)
{
    if (checked && !m_filling && m_helperTip)
        m_helperTip(6);
}

void EditorSettingsDialog::ExpandClick(bool checked)
{
    if (checked && !m_filling && m_helperTip)
        m_helperTip(10);
}

} // namespace Tarnwick
