// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/fontnamebox.h"

#include <QFontDatabase>
#include <QSignalBlocker>

#include <algorithm>

namespace Tarnwick {

FontNameBox::FontNameBox(QWidget *parent)
    : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(14);
    refill();
}

void FontNameBox::refill()
{
    const QString current = currentText();
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    const QSignalBlocker blocker(this);
    clear();
    addItems(families);
    setCurrentIndex(std::max(0, findText(current)));
}

void FontNameBox::showPopup()
{
    refill();
    QComboBox::showPopup();
}

} // namespace Tarnwick
