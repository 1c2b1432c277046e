// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/projecttree.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace Tarnwick {

// "Copy/Move a Page": chooses the project a page goes to and whether it is
// copied or moved. The command does the rest.
class TCopyMoveForm final : public QDialog
{
    Q_OBJECT

public:
    // pageRow: the page entry of tree that is copied or moved.
    TCopyMoveForm(const ProjectTree &tree, int pageRow, QWidget *parent = nullptr);

    // The row of the chosen project entry in the tree; -1 before a choice.
    int chosenProjectRow() const;
    bool move() const { return m_move; }

    void ListBox1Click();
    void CopyBtnClick();
    void MoveBtnClick();

private:
    int m_ownProjectRow;
    bool m_move = false;
    QLabel *m_label1 = nullptr;
    QListWidget *m_listBox1 = nullptr;
    QPushButton *m_copyBtn = nullptr;
    QPushButton *m_moveBtn = nullptr;
};

} // namespace Tarnwick
