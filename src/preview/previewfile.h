// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>

namespace Tarnwick {

class EditorControl;

// "tarnview.htm" beside the page: a copy of the editor's text for frame sets,
// external browsers and the tab strip. It lives until the page is closed.
class PreviewFile final
{
public:
    static constexpr char FileName[] = "tarnview.htm";

    static QString path(const QString &pageDirectory);
    // Writes the editor's whole text in the page's own format; characters its
    // encoding cannot hold are written as character references.
    static Result write(const EditorControl &editor, const QString &pageDirectory);
};

} // namespace Tarnwick
