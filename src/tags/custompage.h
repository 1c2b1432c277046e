// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class QToolButton;

namespace Tarnwick {

class LCRPopup;
class Prompter;
class TagInserter;

// A "Custom" page of the tool notebook: 19 user buttons in 30-pixel slots,
// configured from the lines of the page's button file.
class CustomPage final : public QWidget
{
    Q_OBJECT

public:
    CustomPage(int number, TagInserter *inserter, LCRPopup *popup, Prompter *prompter,
               QWidget *parent = nullptr);

    int number() const { return m_number; }
    const QList<QToolButton *> &buttons() const { return m_buttons; }

    void CreateButtons();
    void ReassignButtons(const QStringList &lines);

private:
    // The code a click inserts, shown as the button's hint.
    void setCode(int slot, const QString &code);
    void onClick(int slot);

    int m_number;
    TagInserter *m_inserter;
    LCRPopup *m_popup;
    Prompter *m_prompter;
    QList<QToolButton *> m_buttons;
    QList<int> m_kinds; // per slot: insert kind, or an arrow's pop-up, or nothing
    QStringList m_codes; // per slot
};

} // namespace Tarnwick
