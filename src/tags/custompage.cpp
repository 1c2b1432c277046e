// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/custompage.h"

#include "platform/menutext.h"
#include "platform/prompter.h"
#include "tags/buttondefinition.h"
#include "tags/codehint.h"
#include "tags/lcrpopup.h"
#include "tags/taginserter.h"

#include <QToolButton>

namespace Tarnwick {

namespace {

constexpr int slotWidth = 30;
constexpr int buttonHeight = 26;
constexpr int arrowWidth = 19;
constexpr int arrowOffset = 12;

// What a click does, beyond the three insert kinds.
constexpr int noAction = -1;
constexpr int doubleArrow = 10;
constexpr int singleArrow = 11;

} // namespace

CustomPage::CustomPage(int number, TagInserter *inserter, LCRPopup *popup, Prompter *prompter,
                       QWidget *parent)
    : QWidget(parent)
    , m_number(number)
    , m_inserter(inserter)
    , m_popup(popup)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("Custom%1Page").arg(number));
    setMinimumSize(slotWidth * ButtonDefinition::slotCount, buttonHeight + 4);
}

void CustomPage::CreateButtons()
{
    for (int i = 0; i < ButtonDefinition::slotCount; ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("Custom%1Btn%2").arg(m_number).arg(i + 1));
        button->setProperty("tag", i);
        button->hide();
        connect(button, &QToolButton::clicked, this, [this, i] { onClick(i); });
        m_buttons.append(button);
        m_kinds.append(noAction);
        m_codes.append(QString());
    }
}

void CustomPage::ReassignButtons(const QStringList &lines)
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        QToolButton *button = m_buttons[i];
        button->setGeometry(slotWidth * i, 0, slotWidth, buttonHeight);
        button->setArrowType(Qt::NoArrow);
        button->setEnabled(true);
        m_kinds[i] = noAction;
        // Slots beyond the file's lines are free.
        const ButtonDefinition definition
            = ButtonDefinition::parse(i < lines.size() ? lines[i] : QString());
        button->setText(plainMenuText(definition.caption));
        setCode(i, definition.code);
        button->setVisible(!definition.isFree());
        if (definition.isFree())
            continue;
        if (!definition.isArrow()) {
            m_kinds[i] = definition.insertKindNumber();
            // A kind the program does not know inserts nothing: say so by the look.
            button->setEnabled(m_kinds[i] != noAction);
            continue;
        }
        if (i + 1 >= lines.size()) {
            // No line after it to name the tag it offers.
            button->hide();
            m_prompter->warning(QStringLiteral("Exception occured during ReassignButtons!"));
            continue;
        }
        const ButtonDefinition served = ButtonDefinition::parse(lines[i + 1]);
        setCode(i, served.code);
        button->setText(QString());
        button->setArrowType(Qt::DownArrow);
        button->setGeometry(slotWidth * i + arrowOffset, 0, arrowWidth, buttonHeight);
        m_kinds[i]
            = ButtonDefinition::choiceOf(definition.dropKind, 2) == 0 ? doubleArrow : singleArrow;
        // An arrow with no button behind it has no tag to offer.
        button->setVisible(!served.isFree());
    }
}

void CustomPage::setCode(int slot, const QString &code)
{
    m_codes[slot] = code;
    m_buttons[slot]->setToolTip(CodeHint::toolTip(code));
    m_buttons[slot]->setStatusTip(code);
}

void CustomPage::onClick(int slot)
{
    QToolButton *button = m_buttons[slot];
    const QString &hint = m_codes[slot];
    switch (m_kinds[slot]) {
    case ButtonDefinition::InsertAsIs:
        m_inserter->ButtonInsertAsIs(hint);
        break;
    case ButtonDefinition::StandardDouble:
        m_inserter->ButtonInsertEven(hint);
        break;
    case ButtonDefinition::UnevenDouble:
        m_inserter->ButtonInsertUnEven(hint);
        break;
    case doubleArrow:
        m_popup->showBelow(hint, MarkupBuilder::Choice::Block, button);
        break;
    case singleArrow:
        m_popup->showBelow(hint, MarkupBuilder::Choice::LineBreak, button);
        break;
    default:
        break;
    }
}

} // namespace Tarnwick
