// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/custombuttonform.h"

#include "platform/menutext.h"
#include "platform/prompter.h"
#include "tags/buttondefinition.h"
#include "tags/codehint.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace Tarnwick {

namespace {

constexpr int buttonSize = 25;
constexpr int maxTabCaption = 15; // what the caption setting keeps

const QString barRefused = QStringLiteral(
    "A \"|\" cannot be used in a button's caption or HTML code: it separates the fields.");

QGroupBox *radioGroup(QWidget *parent, const QString &title, const char *objectName,
                      const QStringList &items, QList<QRadioButton *> &radios)
{
    auto *group = new QGroupBox(title, parent);
    group->setObjectName(QLatin1String(objectName));
    auto *layout = new QVBoxLayout(group);
    for (const QString &item : items) {
        auto *radio = new QRadioButton(item, group);
        layout->addWidget(radio);
        radios.append(radio);
    }
    radios.first()->setChecked(true);
    return group;
}

// At most three characters typed, or the caption the button already has,
// which may be longer when the file was written by other means: it stays
// as it is unless the user shortens it.
QRegularExpression captionPattern(const QString &kept = QString())
{
    QString pattern = QStringLiteral("(?:.{0,%1})").arg(ButtonDefinition::maxCaption);
    if (kept.size() > ButtonDefinition::maxCaption)
        pattern += QLatin1Char('|') + QRegularExpression::escape(kept);
    return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption);
}

int checkedIndex(const QList<QRadioButton *> &radios)
{
    for (int i = 0; i < radios.size(); ++i)
        if (radios[i]->isChecked())
            return i;
    return 0;
}

} // namespace

TCustomButtonForm::TCustomButtonForm(const QString &programDirectory, const QStringList &captions,
                                     Prompter *prompter, Written written, QWidget *parent)
    : QDialog(parent)
    , m_programDirectory(programDirectory)
    , m_prompter(prompter)
    , m_written(std::move(written))
    , m_pages(new QTabWidget(this))
    , m_caption(new QLineEdit(this))
    , m_source(new QLineEdit(this))
    , m_isDropType(new QCheckBox(QStringLiteral("Use as drop down button"), this))
    , m_tabWarning(new QCheckBox(QStringLiteral("Warn when changing tabs"), this))
    , m_assign(new QPushButton(QStringLiteral("Assign"), this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("CustomButtonForm"));
    setWindowTitle(QStringLiteral("Custom Button Setup"));
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    for (int p = 0; p < pageCount; ++p) {
        auto *page = new QWidget(m_pages);
        page->setObjectName(QStringLiteral("TabSheet%1").arg(p + 1));
        page->setMinimumSize(buttonSize * ButtonDefinition::slotCount, buttonSize + 4);
        m_groups[p] = new QButtonGroup(this);
        m_groups[p]->setExclusive(true);
        for (int i = 0; i < ButtonDefinition::slotCount; ++i) {
            auto *button = new QToolButton(page);
            button->setObjectName(QStringLiteral("Page%1Btn%2").arg(p + 1).arg(i + 1));
            button->setCheckable(true);
            button->setGeometry(buttonSize * i, 2, buttonSize, buttonSize);
            m_groups[p]->addButton(button, i);
            connect(button, &QToolButton::clicked, this, [this, p, i] { ButtonClick(p, i); });
            m_buttons[p].append(button);
        }
        const QString caption = captions.value(p);
        m_pages->addTab(page, caption.isEmpty() ? QStringLiteral("Custom %1").arg(p + 1) : caption);
    }
    m_pages->tabBar()->installEventFilter(this);

    m_caption->setObjectName(QStringLiteral("ButtonCaption"));
    m_captionRule = new QRegularExpressionValidator(captionPattern(), m_caption);
    m_caption->setValidator(m_captionRule);
    m_source->setObjectName(QStringLiteral("ButtonSource"));
    m_insertStyle = radioGroup(this, QStringLiteral("Tag Type:"), "InsertStyle",
                               { QStringLiteral("Insert As Is"), QStringLiteral("Standard Double"),
                                 QStringLiteral("Uneven Double") },
                               m_insertRadios);
    m_dropdownStyle = radioGroup(
        this, QStringLiteral("Dropdown Menu"), "Dropdownstyle",
        { QStringLiteral("Double w/Align"), QStringLiteral("Single w/Align") }, m_dropdownRadios);
    m_dropdownStyle->hide();
    m_isDropType->setObjectName(QStringLiteral("IsDropType"));
    m_tabWarning->setObjectName(QStringLiteral("TabWarning"));
    m_tabWarning->setChecked(true);
    m_assign->setObjectName(QStringLiteral("AssignBtn"));
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto *note = new QLabel(
        QStringLiteral(
            "*To change the tab caption press the Shift key and click on the tab  to change."),
        this);
    note->setObjectName(QStringLiteral("Note"));
    note->setWordWrap(true);

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Button Caption:"), this), 0, 0);
    fields->addWidget(m_caption, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("HTML Code to use:"), this), 1, 0);
    fields->addWidget(m_source, 1, 1);
    fields->addWidget(m_isDropType, 2, 0, 1, 2);
    fields->addWidget(m_tabWarning, 3, 0, 1, 2);
    fields->setColumnStretch(1, 1);
    auto *middle = new QHBoxLayout;
    middle->addLayout(fields, 1);
    middle->addWidget(m_insertStyle);
    middle->addWidget(m_dropdownStyle);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_assign);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(middle);
    layout->addWidget(note);
    layout->addLayout(buttons);

    connect(m_isDropType, &QCheckBox::toggled, this, &TCustomButtonForm::IsDropTypeClick);
    connect(m_assign, &QPushButton::clicked, this, &TCustomButtonForm::AssignClick);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (OKBtnClick())
            accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &TCustomButtonForm::reject);
    connect(m_pages, &QTabWidget::currentChanged, this, &TCustomButtonForm::PageControlChange);
    FormCreate();
    clearChoice();
}

QString TCustomButtonForm::filePath(int page) const
{
    return QDir(m_programDirectory).filePath(ButtonDefinition::fileName(page + 1));
}

void TCustomButtonForm::FormCreate()
{
    bool unreadable = false;
    for (int p = 0; p < pageCount; ++p) {
        const Expected<UserFileContent> content = UserFile::read(filePath(p));
        m_readable[p] = content.ok();
        if (content)
            m_files[p] = *content;
        else
            unreadable = true;
        const QStringList read = content ? content->lines : QStringList();
        for (int i = 0; i < ButtonDefinition::slotCount && i < read.size(); ++i) {
            const ButtonDefinition definition = ButtonDefinition::parse(read[i]);
            m_buttons[p][i]->setText(plainMenuText(definition.caption));
            m_buttons[p][i]->setToolTip(CodeHint::toolTip(definition.code));
        }
        m_lines[p] = ButtonDefinition::padded(read);
        // A file that is not text is neither shown nor written over.
        m_pages->widget(p)->setEnabled(m_readable[p]);
    }
    if (unreadable)
        m_prompter->warning(QStringLiteral("Exception occured during FormCreate!"));
}

int TCustomButtonForm::insertStyle() const
{
    return checkedIndex(m_insertRadios);
}

void TCustomButtonForm::setInsertStyle(int index)
{
    m_insertRadios.value(index, m_insertRadios.first())->setChecked(true);
}

int TCustomButtonForm::dropdownStyle() const
{
    return checkedIndex(m_dropdownRadios);
}

void TCustomButtonForm::ButtonClick(int page, int slot)
{
    QToolButton *button = m_buttons[page][slot];
    button->setChecked(true);
    m_chosenPage = page;
    m_chosenSlot = slot;
    const ButtonDefinition definition = ButtonDefinition::parse(m_lines[page][slot]);
    m_isDropType->setChecked(definition.isArrow());
    IsDropTypeClick(m_isDropType->isChecked());
    m_captionRule->setRegularExpression(captionPattern(definition.caption));
    m_caption->setText(definition.caption);
    m_source->setText(definition.code);
    setInsertStyle(ButtonDefinition::choiceOf(definition.insertKind, 3));
    m_dropdownRadios[ButtonDefinition::choiceOf(definition.dropKind, 2)]->setChecked(true);
    m_assign->setEnabled(true);
}

void TCustomButtonForm::IsDropTypeClick(bool checked)
{
    m_insertStyle->setVisible(!checked);
    m_caption->setEnabled(!checked);
    m_caption->setText(checked ? ButtonDefinition::arrowCaption() : QString());
}

void TCustomButtonForm::AssignClick()
{
    if (m_chosenPage < 0)
        return;
    const QString caption = m_caption->text();
    const QString code = m_source->text();
    if (caption.contains(QLatin1Char('|')) || code.contains(QLatin1Char('|'))) {
        m_prompter->warning(barRefused);
        return;
    }
    ButtonDefinition definition;
    definition.caption = caption;
    definition.code = code;
    definition.insertKind = QString::number(insertStyle());
    definition.dropKind = QString::number(dropdownStyle());
    m_lines[m_chosenPage][m_chosenSlot] = definition.line();
    QToolButton *button = m_buttons[m_chosenPage][m_chosenSlot];
    button->setText(plainMenuText(caption));
    button->setToolTip(CodeHint::toolTip(code));
    m_changed = true;
    clearChoice();
}

// No button chosen: the edits empty, the radio groups at their first item.
void TCustomButtonForm::clearChoice()
{
    if (m_chosenPage >= 0) {
        QButtonGroup *group = m_groups[m_chosenPage];
        group->setExclusive(false);
        m_buttons[m_chosenPage][m_chosenSlot]->setChecked(false);
        group->setExclusive(true);
    }
    m_chosenPage = m_chosenSlot = -1;
    m_captionRule->setRegularExpression(captionPattern());
    m_caption->clear();
    m_source->clear();
    m_insertRadios.first()->setChecked(true);
    m_dropdownRadios.first()->setChecked(true);
    m_assign->setEnabled(false);
}

void TCustomButtonForm::PageControlChange(int index)
{
    if (m_revertingPage)
        return;
    if (m_chosenPage >= 0 && m_tabWarning->isChecked()
        && m_prompter->message(Prompter::Kind::Information,
                               QStringLiteral("Change Button tabs without Assigning properties?"),
                               Prompter::Buttons::OkCancel)
            != Prompter::Answer::Ok) {
        m_revertingPage = true;
        m_pages->setCurrentIndex(m_currentPage);
        m_revertingPage = false;
        return;
    }
    m_currentPage = index;
    clearChoice();
}

void TCustomButtonForm::TabCaptionClick()
{
    const int index = m_pages->currentIndex();
    const std::optional<QString> caption = m_prompter->inputText(
        QStringLiteral("Tab Caption"), QStringLiteral("New Tab Caption"), m_pages->tabText(index));
    // An empty caption would leave a tab nobody can click.
    if (caption && !caption->trimmed().isEmpty())
        m_pages->setTabText(index, caption->left(maxTabCaption));
}

bool TCustomButtonForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pages->tabBar() && event->type() == QEvent::MouseButtonRelease
        && (static_cast<QMouseEvent *>(event)->modifiers() & Qt::ShiftModifier)) {
        TabCaptionClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TCustomButtonForm::OKBtnClick()
{
    for (int p = 0; p < pageCount; ++p) {
        if (!m_readable[p])
            continue;
        if (const Result written = UserFile::write(filePath(p), m_lines[p], m_files[p].format);
            !written) {
            m_prompter->error(written.error());
            return false;
        }
    }
    m_changed = false;
    QStringList captions;
    for (int p = 0; p < pageCount; ++p)
        captions.append(m_pages->tabText(p));
    if (m_written)
        m_written(captions);
    return true;
}

void TCustomButtonForm::reject()
{
    if (m_changed
        && m_prompter->message(Prompter::Kind::Warning, QStringLiteral("Abandon changes?"),
                               Prompter::Buttons::OkCancel)
            != Prompter::Answer::Ok)
        return;
    QDialog::reject();
}

} // namespace Tarnwick
