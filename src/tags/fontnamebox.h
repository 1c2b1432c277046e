// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

namespace Tarnwick {

// The font-name box: the screen fonts in sorted order, read again each time
// the list drops down so that fonts installed meanwhile are offered.
class FontNameBox final : public QComboBox
{
    Q_OBJECT

public:
    explicit FontNameBox(QWidget *parent = nullptr);

    void refill();
    void showPopup() override;
};

} // namespace Tarnwick
