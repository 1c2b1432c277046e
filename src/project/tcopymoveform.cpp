// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/tcopymoveform.h"

#include "project/entrytext.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Tarnwick {

TCopyMoveForm::TCopyMoveForm(const ProjectTree &tree, int pageRow, QWidget *parent)
    : QDialog(parent)
    , m_ownProjectRow(tree.projectRowOf(pageRow))
{
    setObjectName(QStringLiteral("TCopyMoveForm"));
    setWindowTitle(QStringLiteral("Copy/Move a Page"));

    const QString project = m_ownProjectRow >= 0
        ? EntryText::EntryTarget(tree.entry(m_ownProjectRow).text)
        : QString();
    const QString page = pageRow >= 0 && pageRow < tree.size()
        ? EntryText::EntryTarget(tree.entry(pageRow).text)
        : QString();
    m_label1
        = new QLabel(QStringLiteral("Working with: ") + project + QLatin1Char('/') + page, this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setTextFormat(Qt::PlainText);
    m_listBox1 = new QListWidget(this);
    m_listBox1->setObjectName(QStringLiteral("ListBox1"));
    for (const int row : tree.projectRows()) {
        auto *item = new QListWidgetItem(tree.entry(row).text, m_listBox1);
        item->setData(Qt::UserRole, row);
    }

    auto *buttons = new QDialogButtonBox(this);
    m_copyBtn = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    m_copyBtn->setObjectName(QStringLiteral("CopyBtn"));
    m_moveBtn = buttons->addButton(QStringLiteral("&Move"), QDialogButtonBox::ActionRole);
    m_moveBtn->setObjectName(QStringLiteral("MoveBtn"));
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("Cancel"));
    // Nothing to copy to before a project is chosen.
    m_copyBtn->setEnabled(false);
    m_moveBtn->setEnabled(false);
    connect(m_listBox1, &QListWidget::currentRowChanged, this, &TCopyMoveForm::ListBox1Click);
    connect(m_copyBtn, &QPushButton::clicked, this, &TCopyMoveForm::CopyBtnClick);
    connect(m_moveBtn, &QPushButton::clicked, this, &TCopyMoveForm::MoveBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addWidget(m_listBox1, 1);
    layout->addWidget(buttons);
}

int TCopyMoveForm::chosenProjectRow() const
{
    const QListWidgetItem *item = m_listBox1->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void TCopyMoveForm::ListBox1Click()
{
    const int chosen = chosenProjectRow();
    m_copyBtn->setEnabled(chosen >= 0);
    // The chosen entry itself, not its text: two projects may read alike.
    m_moveBtn->setEnabled(chosen >= 0 && chosen != m_ownProjectRow);
}

void TCopyMoveForm::CopyBtnClick()
{
    m_move = false;
    accept();
}

void TCopyMoveForm::MoveBtnClick()
{
    m_move = true;
    accept();
}

} // namespace Tarnwick
