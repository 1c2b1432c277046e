// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorreplacedialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Tarnwick {

EditorReplaceDialog::EditorReplaceDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Replace"));
    setObjectName(QStringLiteral("EditorReplaceDialog"));

    m_findText = new QLineEdit(this);
    m_findText->setObjectName(QStringLiteral("FindText"));
    m_replaceText = new QLineEdit(this);
    m_replaceText->setObjectName(QStringLiteral("ReplaceText"));
    m_matchCase = new QCheckBox(tr("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    m_wholeWord = new QCheckBox(tr("Match &whole word only"), this);
    m_wholeWord->setObjectName(QStringLiteral("WholeWord"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));

    m_findNext = new QPushButton(tr("&Find Next"), this);
    m_findNext->setObjectName(QStringLiteral("FindNextButton"));
    m_findNext->setDefault(true);
    m_replace = new QPushButton(tr("&Replace"), this);
    m_replace->setObjectName(QStringLiteral("ReplaceButton"));
    m_replaceAll = new QPushButton(tr("Replace &All"), this);
    m_replaceAll->setObjectName(QStringLiteral("ReplaceAllButton"));
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *form = new QFormLayout;
    form->addRow(tr("Fi&nd what:"), m_findText);
    form->addRow(tr("Re&place with:"), m_replaceText);
    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(m_matchCase);
    left->addWidget(m_wholeWord);
    left->addWidget(m_status);
    left->addStretch();
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(m_replace);
    buttons->addWidget(m_replaceAll);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_findNext, &QPushButton::clicked, this, &EditorReplaceDialog::findNextRequested);
    connect(m_replace, &QPushButton::clicked, this, &EditorReplaceDialog::replaceRequested);
    connect(m_replaceAll, &QPushButton::clicked, this, &EditorReplaceDialog::replaceAllRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_findText, &QLineEdit::textChanged, this, &EditorReplaceDialog::updateButtons);
    updateButtons();
}

QString EditorReplaceDialog::findText() const
{
    return m_findText->text();
}

void EditorReplaceDialog::setFindText(const QString &text)
{
    m_findText->setText(text);
    m_findText->selectAll();
}

QString EditorReplaceDialog::replaceText() const
{
    return m_replaceText->text();
}

void EditorReplaceDialog::setReplaceText(const QString &text)
{
    m_replaceText->setText(text);
}

bool EditorReplaceDialog::matchCase() const
{
    return m_matchCase->isChecked();
}

void EditorReplaceDialog::setMatchCase(bool on)
{
    m_matchCase->setChecked(on);
}

bool EditorReplaceDialog::wholeWord() const
{
    return m_wholeWord->isChecked();
}

void EditorReplaceDialog::setWholeWord(bool on)
{
    m_wholeWord->setChecked(on);
}

void EditorReplaceDialog::setStatus(const QString &text)
{
    m_status->setText(text);
}

void EditorReplaceDialog::updateButtons()
{
    const bool any = !m_findText->text().isEmpty();
    m_findNext->setEnabled(any);
    m_replace->setEnabled(any);
    m_replaceAll->setEnabled(any);
    m_status->clear();
}

} // namespace Tarnwick
