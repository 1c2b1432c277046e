// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "spellingdialog.h"

namespace Tarnwick {

// The spelling dialog in its "WordPro 96" style: the boxes above one row of buttons, without a
// Suggest button.
class WordProSpellDialog final : public SpellingDialog
{
    Q_OBJECT

public:
    explicit WordProSpellDialog(QWidget *parent = nullptr);
};

} // namespace Tarnwick
