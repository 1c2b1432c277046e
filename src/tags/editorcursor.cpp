// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/editorcursor.h"

#include "platform/editorcontrol.h"
#include "tags/tagposition.h"

#include <algorithm>

namespace Tarnwick {

CursorLocation EditorCursor::GetCursorLocation(EditorControl &editor)
{
    editor.ReadSelection();
    return { editor.StartLine, editor.StartPos,           editor.EndLine,
             editor.EndPos,    editor.FirstVisibleLine(), editor.FirstVisiblePos() };
}

void EditorCursor::SetCursorLocation(EditorControl &editor, const CursorLocation &location)
{
    editor.StartLine = location.startLine;
    editor.StartPos = location.startPos;
    editor.EndLine = location.endLine;
    editor.EndPos = location.endPos;
    editor.ApplySelection();
    // After the selection, which may have scrolled the caret into view.
    editor.SetFirstVisibleLine(location.firstVisibleLine);
    editor.SetFirstVisiblePos(location.firstVisiblePos);
}

void EditorCursor::SetEditorSelection(EditorControl &editor, int startLine, int startPos,
                                      int endPos, int endLine)
{
    editor.StartLine = std::max(1, startLine);
    editor.StartPos = startPos;
    editor.EndLine = std::max(1, endLine);
    editor.EndPos = endPos;
    editor.ApplySelection();
}

void EditorCursor::GoToTop(EditorControl &editor)
{
    SetEditorSelection(editor, 0, 0, 0, 0);
}

bool EditorCursor::HighlightTag(EditorControl &editor, const QString &open, const QString &close)
{
    const CursorLocation before = GetCursorLocation(editor);
    if (editor.FindText(open) == 1) {
        // The match is selected from its start (the anchor) to the caret.
        editor.ReadSelection();
        const int startLine = editor.StartLine;
        const int startPos = editor.StartPos;
        if (editor.FindText(close) == 1) {
            editor.ReadSelection();
            // The caret stands at the end of the close found.
            SetEditorSelection(editor, startLine, startPos, editor.EndPos, editor.EndLine);
            return true;
        }
    }
    SetCursorLocation(editor, before);
    return false;
}

bool EditorCursor::InATag(EditorControl &editor)
{
    editor.ReadSelection();
    return TagPosition::InATag(editor.GetLineText(editor.EndLine), editor.EndPos);
}

} // namespace Tarnwick
