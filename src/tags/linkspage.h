// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/toolpage.h"

class QComboBox;
class QLineEdit;

namespace Tarnwick {

class ImageTools;
class RefillingComboBox;

// The Links page of the tool notebook: prefix, address and link text of an anchor.
class LinksPage final : public ToolPage
{
    Q_OBJECT

public:
    LinksPage(ImageTools *tools, TagInserter *inserter, QWidget *parent = nullptr);

private:
    ImageTools *m_tools;
    QComboBox *m_prefix;
    RefillingComboBox *m_address;
    QLineEdit *m_linkText;
};

} // namespace Tarnwick
