// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/refillingcombobox.h"

#include <QSignalBlocker>

namespace Tarnwick {

RefillingComboBox::RefillingComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    setMaxVisibleItems(20);
}

void RefillingComboBox::refill()
{
    const QString text = currentText();
    const QSignalBlocker blocker(this);
    clear();
    if (m_source)
        addItems(m_source());
    setCurrentIndex(-1);
    setEditText(text);
}

void RefillingComboBox::showPopup()
{
    refill();
    QComboBox::showPopup();
}

} // namespace Tarnwick
