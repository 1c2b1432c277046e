// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorgotolinedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace Tarnwick {

EditorGoToLineDialog::EditorGoToLineDialog(int lineCount, int currentLine, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Go to Line"));
    setObjectName(QStringLiteral("EditorGoToLineDialog"));

    const int last = std::max(1, lineCount);
    m_line = new QSpinBox(this);
    m_line->setObjectName(QStringLiteral("LineNumber"));
    m_line->setRange(1, last);
    m_line->setValue(std::clamp(currentLine, 1, last));
    m_line->selectAll();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *form = new QFormLayout;
    form->addRow(tr("&Line number (1 - %1):").arg(last), m_line);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int EditorGoToLineDialog::line() const
{
    return m_line->value();
}

} // namespace Tarnwick
