// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "spellingdialog.h"

namespace Tarnwick {

// The spelling dialog in its "Wordperfect" style: one column of buttons beside the boxes, and Skip
// instead of Ignore.
class WordPerfectSpellDialog final : public SpellingDialog
{
    Q_OBJECT

public:
    explicit WordPerfectSpellDialog(QWidget *parent = nullptr);
};

} // namespace Tarnwick
