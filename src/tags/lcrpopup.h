// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/markupbuilder.h"

#include <QMenu>

namespace Tarnwick {

class TagInserter;

// The tag-choice pop-up of the Format page's arrow buttons: four forms of
// one tag ("none", "left", "center", "right"), shown below the button.
class LCRPopup final : public QMenu
{
    Q_OBJECT

public:
    explicit LCRPopup(TagInserter *inserter, QWidget *parent = nullptr);

    // Fills the entries for the tag named by the arrow's hint.
    void fill(const QString &tagName);
    void showBelow(const QString &tagName, QWidget *button);
    // The same with the pattern chosen by the caller (the custom arrows).
    void fill(const QString &tagName, MarkupBuilder::Choice choice);
    void showBelow(const QString &tagName, MarkupBuilder::Choice choice, QWidget *button);
    QList<QAction *> entries() const { return m_entries; }

private:
    void onEntry(QAction *entry);

    TagInserter *m_inserter;
    QList<QAction *> m_entries;
    MarkupBuilder::Choice m_choice = MarkupBuilder::Choice::Block;
};

} // namespace Tarnwick
