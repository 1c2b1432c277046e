// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/toolpage.h"

namespace Tarnwick {

// "ASP": script delimiters and the If, Else and Loop statements.
class ASPPage final : public ToolPage
{
    Q_OBJECT

public:
    explicit ASPPage(TagInserter *inserter, QWidget *parent = nullptr);
};

} // namespace Tarnwick
