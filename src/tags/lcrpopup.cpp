// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/lcrpopup.h"

#include "platform/menutext.h"
#include "tags/markupbuilder.h"
#include "tags/taginserter.h"

namespace Tarnwick {

LCRPopup::LCRPopup(TagInserter *inserter, QWidget *parent)
    : QMenu(parent)
    , m_inserter(inserter)
{
    setObjectName(QStringLiteral("LCRPopup"));
    for (const char *name : { "none", "left", "center", "right" }) {
        QAction *entry = addAction(QLatin1String(name));
        entry->setObjectName(QLatin1String(name));
        connect(entry, &QAction::triggered, this, [this, entry] { onEntry(entry); });
        m_entries.append(entry);
    }
}

void LCRPopup::fill(const QString &tagName)
{
    fill(tagName, MarkupBuilder::choiceFor(tagName));
}

void LCRPopup::fill(const QString &tagName, MarkupBuilder::Choice choice)
{
    m_choice = choice;
    const QStringList markup = MarkupBuilder::choiceEntries(tagName, choice);
    for (int i = 0; i < m_entries.size(); ++i) {
        m_entries[i]->setText(plainMenuText(markup.value(i)));
        m_entries[i]->setData(markup.value(i));
    }
}

void LCRPopup::showBelow(const QString &tagName, QWidget *button)
{
    showBelow(tagName, MarkupBuilder::choiceFor(tagName), button);
}

void LCRPopup::showBelow(const QString &tagName, MarkupBuilder::Choice choice, QWidget *button)
{
    fill(tagName, choice);
    popup(button->mapToGlobal(QPoint(0, button->height())));
}

void LCRPopup::onEntry(QAction *entry)
{
    const QString markup = entry->data().toString();
    // A line break has no closing tag: it goes in as text, replacing the selection.
    if (m_choice == MarkupBuilder::Choice::LineBreak)
        m_inserter->InsertText(markup);
    else
        m_inserter->InsertCaptionAsTag(markup);
}

} // namespace Tarnwick
