// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class QToolButton;

namespace Tarnwick {

class SpecialCharacters;
class TagInserter;

// "Special": up to 19 buttons, each showing a character and inserting its
// HTML code.
class SpecialPage final : public QWidget
{
    Q_OBJECT

public:
    SpecialPage(TagInserter *inserter, SpecialCharacters *characters, QWidget *parent = nullptr);

    const QList<QToolButton *> &buttons() const { return m_buttons; }

    void CreateButtons();
    void ReassignSpecialCharacters();

private:
    void SpecialChar1Click(int slot);

    TagInserter *m_inserter;
    SpecialCharacters *m_characters;
    QList<QToolButton *> m_buttons;
    QStringList m_codes; // per slot: what a click inserts
};

} // namespace Tarnwick
