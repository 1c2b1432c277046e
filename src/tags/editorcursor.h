// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tarnwick {

class EditorControl;

// Selection and scroll position of the source editor, saved and put back.
struct CursorLocation
{
    int startLine = 1;
    int startPos = 0;
    int endLine = 1;
    int endPos = 0;
    int firstVisibleLine = 1;
    int firstVisiblePos = 0;

    friend bool operator==(const CursorLocation &, const CursorLocation &) = default;
};

// The small selection operations the tag tools and the preview share.
class EditorCursor final
{
public:
    EditorCursor() = delete;

    static CursorLocation GetCursorLocation(EditorControl &editor);
    static void SetCursorLocation(EditorControl &editor, const CursorLocation &location);
    // Note the order: the end position comes before the end line.
    static void SetEditorSelection(EditorControl &editor, int startLine, int startPos, int endPos,
                                   int endLine);
    // The caret to the first character of the page.
    static void GoToTop(EditorControl &editor);
    // Searches forward from the caret for open and then for close (ignoring
    // case) and selects from the start of the one to the end of the other.
    // When either is missing the selection and view stay as they were.
    static bool HighlightTag(EditorControl &editor, const QString &open, const QString &close);
    // Whether the caret stands inside a tag on its line.
    static bool InATag(EditorControl &editor);
    // Whether that place stands inside a tag on its line.
    static bool InATagAt(EditorControl &editor, int line, int column);
};

} // namespace Tarnwick
