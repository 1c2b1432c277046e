// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/toolpage.h"

namespace Tarnwick {

// "Forms": the form fields and the opening and closing form tags.
class FormsPage final : public ToolPage
{
    Q_OBJECT

public:
    explicit FormsPage(TagInserter *inserter, QWidget *parent = nullptr);
};

} // namespace Tarnwick
