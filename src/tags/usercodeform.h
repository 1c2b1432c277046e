// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/userfile.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace Tarnwick {

class Prompter;
class TagMenus;

// "Definable Tags": the three menu files in a box each; "&Ok" writes them
// and rebuilds the menus.
class TUserCodeForm final : public QDialog
{
    Q_OBJECT

public:
    TUserCodeForm(TagMenus *menus, Prompter *prompter, QWidget *parent = nullptr);

    QPlainTextEdit *box(int index) const { return m_boxes[index]; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }

    // "&Ok": false when a file could not be written (the dialog stays open).
    bool OkBtnClick();

private:
    void FormShow();

    TagMenus *m_menus;
    Prompter *m_prompter;
    QTabWidget *m_pages;
    QPlainTextEdit *m_boxes[3] = {};
    UserFileContent m_files[3];
    bool m_readable[3] = { true, true, true };
    QPushButton *m_ok;
    QPushButton *m_close;
};

} // namespace Tarnwick
