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
    m_tagName = tagName;
    const QStringList markup = MarkupBuilder::choiceEntries(tagName);
    for (int i = 0; i < m_entries.size(); ++i) {
        m_entries[i]->setText(plainMenuText(markup.value(i)));
        m_entries[i]->setData(markup.value(i));
    }
}

void LCRPopup::showBelow(const QString &tagName, QWidget *button)
{
    fill(tagName);
    popup(button->mapToGlobal(QPoint(0, button->height())));
}

void LCRPopup::onEntry(QAction *entry)
{
    const QString markup = entry->data().toString();
    // A line break has no closing tag: it goes in as text, replacing the selection.
    if (MarkupBuilder::choiceFor(m_tagName) == MarkupBuilder::Choice::LineBreak)
        m_inserter->InsertText(markup);
    else
        m_inserter->InsertCaptionAsTag(markup);
}

} // namespace Tarnwick
