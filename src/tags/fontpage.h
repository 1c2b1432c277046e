// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/toolpage.h"

namespace Tarnwick {

// "Font": text attributes, font size steps, colour, size, name and the font dialog.
class FontPage final : public ToolPage
{
    Q_OBJECT

public:
    explicit FontPage(TagInserter *inserter, QWidget *parent = nullptr);
};

} // namespace Tarnwick
