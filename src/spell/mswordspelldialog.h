// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "spellingdialog.h"

namespace Tarnwick {

// The spelling dialog in its "MS Word" style: the layout with Change and Ignore buttons in two
// columns beside the list.
class MSWordSpellDialog final : public SpellingDialog
{
    Q_OBJECT

public:
    explicit MSWordSpellDialog(QWidget *parent = nullptr);
};

} // namespace Tarnwick
