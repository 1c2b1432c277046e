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
    return InATagAt(editor, editor.EndLine, editor.EndPos);
}

bool EditorCursor::InATagAt(EditorControl &editor, int line, int column)
{
    // A minified page is one long line: read a little of it around the
    // place, and more only while no "<" or ">" has settled the answer.
    line = std::clamp(line, 1, editor.LineCount());
    const int length = editor.LineLength(line);
    column = std::clamp(column, 0, length);
    for (int reach = 256;; reach = std::min(reach, length) * 8) {
        const int from = std::max(0, column - reach);
        const int to = int(std::min<qint64>(length, qint64(column) + reach));
        const QString window = editor.GetLineText(line, from, to);
        // A window that would split a surrogate pair is read whole below.
        if (window.size() != to - from)
            break;
        if (const std::optional<bool> answer
            = TagPosition::InATagWithin(window, column - from, from == 0, to == length))
            return *answer;
        if (from == 0 && to == length)
            break;
    }
    return TagPosition::InATag(editor.GetLineText(line), column);
}

} // namespace Tarnwick
