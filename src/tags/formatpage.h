// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tags/toolpage.h"

namespace Tarnwick {

class LCRPopup;

// "Format": headings, blocks, paragraphs, breaks and bars, each with an
// arrow button that offers the tag's aligned forms in the tag-choice pop-up.
class FormatPage final : public ToolPage
{
    Q_OBJECT

public:
    explicit FormatPage(TagInserter *inserter, QWidget *parent = nullptr);

    LCRPopup *choicePopup() const { return m_popup; }

private:
    void addArrow(QAnyStringView objectName, const QString &tagName);

    LCRPopup *m_popup;
};

} // namespace Tarnwick
