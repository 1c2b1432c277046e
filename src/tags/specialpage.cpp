// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/specialpage.h"

#include "tags/codehint.h"
#include "tags/specialcharacters.h"
#include "tags/taginserter.h"

#include <QFontDatabase>
#include <QToolButton>

namespace Tarnwick {

namespace {

constexpr int buttonSize = 25;

QFont buttonFont()
{
    QFont font;
    font.setFamily(QFontDatabase::hasFamily(QStringLiteral("Arial"))
                       ? QStringLiteral("Arial")
                       : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    font.setPointSize(11);
    return font;
}

} // namespace

SpecialPage::SpecialPage(TagInserter *inserter, SpecialCharacters *characters, QWidget *parent)
    : QWidget(parent)
    , m_inserter(inserter)
    , m_characters(characters)
{
    setObjectName(QStringLiteral("SpecialPage"));
    setMinimumSize(buttonSize * SpecialCharacters::slotCount, buttonSize + 4);
}

void SpecialPage::CreateButtons()
{
    const QFont font = buttonFont();
    for (int i = 0; i < SpecialCharacters::slotCount; ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("SpecialChar%1").arg(i + 1));
        button->setProperty("tag", i);
        button->setFont(font);
        button->setGeometry(buttonSize * i, 0, buttonSize, buttonSize);
        button->hide();
        connect(button, &QToolButton::clicked, this, [this, i] { SpecialChar1Click(i); });
        m_buttons.append(button);
        m_codes.append(QString());
    }
}

void SpecialPage::ReassignSpecialCharacters()
{
    const QList<SpecialCharacters::Slot> stored = m_characters->readSlots();
    for (int i = 0; i < m_buttons.size(); ++i) {
        QToolButton *button = m_buttons[i];
        const SpecialCharacters::Slot slot = stored.value(i);
        button->setGeometry(buttonSize * i, 0, buttonSize, buttonSize);
        button->setText(SpecialCharacters::caption(slot.character));
        m_codes[i] = slot.code;
        button->setToolTip(CodeHint::toolTip(slot.code));
        button->setStatusTip(slot.code);
        button->setVisible(!slot.isEmpty());
    }
}

void SpecialPage::SpecialChar1Click(int slot)
{
    m_inserter->InsertText(m_codes.value(slot));
}

} // namespace Tarnwick
