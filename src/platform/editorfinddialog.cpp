// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorfinddialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Tarnwick {

EditorFindDialog::EditorFindDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Find"));
    setObjectName(QStringLiteral("EditorFindDialog"));

    m_findText = new QLineEdit(this);
    m_findText->setObjectName(QStringLiteral("FindText"));
    m_matchCase = new QCheckBox(tr("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    m_wholeWord = new QCheckBox(tr("Match &whole word only"), this);
    m_wholeWord->setObjectName(QStringLiteral("WholeWord"));

    auto *direction = new QGroupBox(tr("Direction"), this);
    m_direction = direction;
    m_up = new QRadioButton(tr("&Up"), direction);
    m_up->setObjectName(QStringLiteral("DirectionUp"));
    m_down = new QRadioButton(tr("&Down"), direction);
    m_down->setObjectName(QStringLiteral("DirectionDown"));
    m_down->setChecked(true);
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));

    m_findNext = new QPushButton(tr("&Find Next"), this);
    m_findNext->setObjectName(QStringLiteral("FindNextButton"));
    m_findNext->setDefault(true);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *form = new QFormLayout;
    form->addRow(tr("Fi&nd what:"), m_findText);
    auto *options = new QVBoxLayout;
    options->addWidget(m_matchCase);
    options->addWidget(m_wholeWord);
    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(options);
    left->addWidget(direction);
    left->addWidget(m_status);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_findNext, &QPushButton::clicked, this, &EditorFindDialog::findNextRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_findText, &QLineEdit::textChanged, this, &EditorFindDialog::updateButtons);
    updateButtons();
}

QString EditorFindDialog::findText() const
{
    return m_findText->text();
}

void EditorFindDialog::setFindText(const QString &text)
{
    m_findText->setText(text);
    m_findText->selectAll();
}

bool EditorFindDialog::matchCase() const
{
    return m_matchCase->isChecked();
}

void EditorFindDialog::setMatchCase(bool on)
{
    m_matchCase->setChecked(on);
}

bool EditorFindDialog::wholeWord() const
{
    return m_wholeWord->isChecked();
}

void EditorFindDialog::setWholeWord(bool on)
{
    m_wholeWord->setChecked(on);
}

bool EditorFindDialog::searchForward() const
{
    return m_down->isChecked();
}

void EditorFindDialog::setSearchForward(bool forward)
{
    (forward ? m_down : m_up)->setChecked(true);
}

void EditorFindDialog::setStatus(const QString &text)
{
    m_status->setText(text);
}

void EditorFindDialog::setWholeWordAndDirectionShown(bool shown)
{
    m_wholeWord->setVisible(shown);
    m_direction->setVisible(shown);
    if (!shown) {
        m_wholeWord->setChecked(false);
        m_down->setChecked(true);
    }
    adjustSize();
}

void EditorFindDialog::updateButtons()
{
    m_findNext->setEnabled(!m_findText->text().isEmpty());
    m_status->clear();
}

} // namespace Tarnwick
