// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/toolpage.h"

namespace Tarnwick {

class ImageTools;

// The Templates page of the tool notebook: one button per template marker.
class TemplatesPage final : public ToolPage
{
    Q_OBJECT

public:
    TemplatesPage(ImageTools *tools, TagInserter *inserter, QWidget *parent = nullptr);
};

} // namespace Tarnwick
