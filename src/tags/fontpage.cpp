// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/fontpage.h"

#include "tags/fontnamebox.h"
#include "tags/taginserter.h"

#include <QComboBox>
#include <QToolButton>

namespace Tarnwick {

FontPage::FontPage(TagInserter *inserter, QWidget *parent)
    : ToolPage("FontPage", inserter, parent)
{
    QFont font = this->font();
    font.setBold(true);
    addTagButton("BoldBtn")->setFont(font);
    font.setBold(false);
    font.setItalic(true);
    addTagButton("ItalicsBtn")->setFont(font);
    font.setItalic(false);
    font.setUnderline(true);
    addTagButton("UnderlineBtn")->setFont(font);
    for (const char *name : { "SubscriptBtn", "SuperScriptBtn", "CenterBtn", "CommentButton" })
        addTagButton(name);
    addSpacing(6);

    connect(addButton("FontPlus", QStringLiteral("A+"),
                      QStringLiteral("Enlarge font size of selected text using FONT tag")),
            &QToolButton::clicked, this, [this] { m_inserter->FontPlusClick(); });
    connect(addButton("SpeedButton5", QStringLiteral("A-"),
                      QStringLiteral("Descrease font size of selected text using FONT tag")),
            &QToolButton::clicked, this, [this] { m_inserter->FontMinusClick(); });
    connect(
        addButton("TextButton", QStringLiteral("Color"), QStringLiteral("Insert font color tag")),
        &QToolButton::clicked, this, [this] { m_inserter->TextButtonClick(); });

    auto *size = new QComboBox(this);
    for (int i = 1; i <= 7; ++i)
        size->addItem(QString::number(i));
    size->setCurrentIndex(2);
    addControl(size, "FSize", QStringLiteral("Insert font size tag"));
    // Choosing the size shown again inserts it again.
    connect(size, &QComboBox::activated, this,
            [this, size](int index) { m_inserter->FSizeChange(size->itemText(index)); });

    auto *face = new FontNameBox(this);
    addControl(face, "sf", QStringLiteral("Insert font name tag"));
    connect(face, &QComboBox::activated, this,
            [this, face](int index) { m_inserter->sfChange(face->itemText(index)); });

    connect(addButton("SpeedButton13", QStringLiteral("Font..."),
                      QStringLiteral("Open Font Dialog Box")),
            &QToolButton::clicked, this, [this] { m_inserter->FontDialogClick(); });
    finish();
}

} // namespace Tarnwick
