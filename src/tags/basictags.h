// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace Tarnwick {

class EditorControl;

// The standard skeleton of a page: HTML, HEAD with a title, and an empty BODY.
class BasicTags final
{
public:
    BasicTags() = delete;

    // The eight lines, with one empty line inside the body.
    static QStringList lines();
    // The lines joined by line breaks, without a break after the last one.
    static QString text();
    // A new page file of its own: the skeleton with its encoding (UTF-8, as
    // new files are written) declared right after <HEAD>.
    static QString pageText();
    // Puts the skeleton in at the caret, in place of any selection.
    static void InsertBasicTags(EditorControl &editor);
};

} // namespace Tarnwick
