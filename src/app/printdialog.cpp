// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/printdialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Tarnwick {

PrintDialog::PrintDialog(bool graphicAvailable, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PrintDialog"));
    setWindowTitle(QStringLiteral("Print"));

    auto *group = new QGroupBox(QStringLiteral("Print:"), this);
    m_graphic = new QRadioButton(QStringLiteral("Graphic View"), group);
    m_text = new QRadioButton(QStringLiteral("Text View"), group);
    m_both = new QRadioButton(QStringLiteral("Both Views"), group);
    auto *groupLayout = new QVBoxLayout(group);
    for (QRadioButton *button : { m_graphic, m_text, m_both })
        groupLayout->addWidget(button);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *print = buttons->addButton(QStringLiteral("Print"), QDialogButtonBox::AcceptRole);
    print->setObjectName(QStringLiteral("PrintButton"));
    print->setDefault(true);
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    if (!graphicAvailable) {
        // Say why two choices are greyed rather than leave the user guessing.
        auto *note = new QLabel(
            QStringLiteral("The graphic view cannot be printed: there is no rendered preview."),
            this);
        note->setObjectName(QStringLiteral("NoPreviewNote"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addWidget(buttons);

    m_graphic->setEnabled(graphicAvailable);
    m_both->setEnabled(graphicAvailable);
    setChoice(graphicAvailable ? Choice::Graphic : Choice::Text);
}

PrintDialog::Choice PrintDialog::choice() const
{
    if (m_both->isChecked())
        return Choice::Both;
    if (m_text->isChecked())
        return Choice::Text;
    return Choice::Graphic;
}

void PrintDialog::setChoice(Choice choice)
{
    QRadioButton *button = choice == Choice::Both ? m_both
        : choice == Choice::Text                  ? m_text
                                                  : m_graphic;
    if (button->isEnabled())
        button->setChecked(true);
}

} // namespace Tarnwick
