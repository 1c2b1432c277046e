// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>

class QLineEdit;
class QPushButton;

namespace Tarnwick {

class Prompter;
class SpecialCharacters;

// "Special Characters": a row per slot, the character and its HTML code.
class TSpecCharForm final : public QDialog
{
    Q_OBJECT

public:
    TSpecCharForm(SpecialCharacters *characters, Prompter *prompter, QWidget *parent = nullptr);

    QLineEdit *characterBox(int row) const { return m_characterBoxes[row]; }
    QLineEdit *codeBox(int row) const { return m_codeBoxes[row]; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    // OK: false when a row holds a "|" (the dialog stays open).
    bool OKBtnClick();

private:
    SpecialCharacters *m_characters;
    Prompter *m_prompter;
    QList<QLineEdit *> m_characterBoxes;
    QList<QLineEdit *> m_codeBoxes;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};

} // namespace Tarnwick
