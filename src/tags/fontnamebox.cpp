// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/fontnamebox.h"

#include <QFontDatabase>
#include <QSignalBlocker>

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
    // Nothing is shown until a font is chosen.
    setCurrentIndex(current.isEmpty() ? -1 : findText(current));
}

void FontNameBox::showPopup()
{
    refill();
    QComboBox::showPopup();
}

} // namespace Tarnwick
