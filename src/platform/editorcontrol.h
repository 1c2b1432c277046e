// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "platform/textfile.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QWidget>

#include <memory>
#include <utility>

class QAction;
class QInputMethodEvent;
class QKeyEvent;
class QPrinter;
class QsciScintilla;

namespace Tarnwick {

// The source-editor control. Everything in the program talks to the editor
// through these operations only; the QScintilla widget inside stays private.
//
// Coordinates: lines count from 1, columns from 0. Inside the control every
// line break is '\n'; text handed in may use "\r", "\r\n" or "\n" for a line
// break (a bare carriage return is the program's line break in inserted text).
class EditorControl final : public QWidget
{
    Q_OBJECT

public:
    enum class ScrollBarStyle { Both, Vertical };

    explicit EditorControl(QWidget *parent = nullptr);
    ~EditorControl() override;

    // Selection cache. ReadSelection fills it from the control, ApplySelection
    // makes it the selection; setting the fields alone moves nothing.
    // EndLine/EndPos is the caret. Lines below 1 are stored as 1.
    int StartLine = 1;
    int StartPos = 0;
    int EndLine = 1;
    int EndPos = 0;
    void ReadSelection();
    void ApplySelection();

    QString Text() const;
    void SetText(const QString &text); // "" clears
    QString GetTextBuffer() const; // one contiguous copy of the whole text
    int TextLength() const; // in characters
    int LineCount() const;
    int LineLength(int line) const; // without the line break
    int SelLength() const;

    QString GetSelText() const;
    QString GetSelTextToLineEnd(); // an empty selection is first extended to the line end
    QString GetLineText(int line) const; // clamped; selection and view unchanged
    // Columns [fromColumn, toColumn) of the line, clamped to it; a column
    // inside a surrogate pair stands before the pair.
    QString GetLineText(int line, int fromColumn, int toColumn) const;

    void ReplaceSelection(const QString &text); // caret after the text
    void InsertAtLine(int line, int column, const QString &text); // both clamped
    void AppendText(const QString &text);

    int FirstVisibleLine() const;
    void SetFirstVisibleLine(int line);
    int FirstVisiblePos() const; // horizontal scroll, in pixels
    void SetFirstVisiblePos(int pos);

    // Whole file in and out, in the file's own encoding and line ends
    // (see TextFile). LoadFromFile clears Modified and the undo history.
    Result LoadFromFile(const QString &path);
    Result SaveToFile(const QString &path);
    // Puts text in as a freshly opened document: no undo history, not modified.
    void LoadFromText(const QString &text, const TextFileFormat &format);
    TextFileFormat FileFormat() const;
    void SetFileFormat(const TextFileFormat &format);

    void ClearAll();
    void DeleteSelection();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // Changes made between these two calls are undone as one step; they nest.
    void BeginUndoAction();
    void EndUndoAction();
    void SelectAll();
    void DuplicateSelection(); // a selection is duplicated after itself, else the caret's line

    // The control's own modal dialogs.
    void FindDialog();
    void ReplaceDialog();
    void FindNext();
    void GoToLineDialog();
    void Print();
    void PrinterSetup();
    // The printer Print and PrinterSetup work on; other views of the page may
    // print on it too, so that one setup serves them all.
    QPrinter *Printer();
    // Prints the whole text on Printer() without asking; false when it failed.
    bool PrintText();

    // Both make text the control's search string (used by FindNext).
    int FindText(const QString &text); // forward from the caret; selects; 1 when found
    int FindTextFrom(const QString &text); // forward from StartLine/StartPos; range into the cache
    void ReplaceText(const QString &text, const QString &replacement); // every occurrence
    // Every occurrence of each first by its second, matching case; one undo step.
    void ReplaceEach(const QList<std::pair<QString, QString>> &replacements);
    QString SearchString() const;

    // n = 1..16: mark line StartLine; go selects that line whole.
    void SetBookmark(int n);
    void GotoBookmark(int n);
    int BookmarkLine(int n) const; // 0 when not set

    bool Modified() const;
    void SetModified(bool modified);

    // Properties.
    QFont Font() const;
    void SetFont(const QFont &font);
    QColor FontColor() const;
    void SetFontColor(const QColor &color);
    QColor Color() const; // background
    void SetColor(const QColor &color);
    QColor BackColorSelected() const;
    void SetBackColorSelected(const QColor &color);
    QColor ForeColorSelected() const;
    void SetForeColorSelected(const QColor &color);
    int TabStopSize() const;
    void SetTabStopSize(int size);
    bool AutoIndent() const;
    void SetAutoIndent(bool on);
    bool WordWrap() const;
    void SetWordWrap(bool on);
    ScrollBarStyle ScrollBars() const;
    void SetScrollBars(ScrollBarStyle style);
    bool UnixStyleSave() const;
    void SetUnixStyleSave(bool on);
    bool MacStyleSave() const;
    void SetMacStyleSave(bool on);
    bool InsertMode() const;
    void SetInsertMode(bool insert);
    int UndoLimit() const;
    void SetUndoLimit(int depth);
    bool Highlight() const;
    void SetHighlight(bool on);
    QString Syntax() const;
    void SetSyntax(const QString &syntax);
    // Tag colouring: text and background of everything from "<" to ">".
    void SetTagHighlightColors(const QColor &foreground, const QColor &background);
    QColor TagForeground() const;
    QColor TagBackground() const;

    // Caret position as (line from 1, column from 0).
    int CaretLine() const;
    int CaretColumn() const;

    // The keys of these actions (and of their menus' actions) go to the
    // actions: the control drops its own bindings of them, such as Ctrl+U
    // (lower case) or Ctrl+Shift+U (upper case).
    void ReleaseKeys(const QList<QAction *> &actions);

    // For an OnKeyPress handler that puts something else in the key's place:
    // the key that is being reported is not passed on to the editor.
    void DiscardKeyPress();

    // Text near the caret without walking its line: at most `limit`
    // characters before or after it, whole characters only.
    QString TextBeforeCaret(int limit) const;
    QString TextAfterCaret(int limit) const;
    // Replaces `before` characters before the caret and `after` characters
    // after it by text, as one undo step; the caret goes behind the text.
    void ReplaceAroundCaret(int before, int after, const QString &text);

    // A list to choose from at the caret (completion). The control inserts
    // nothing itself: the entry chosen comes back through ListChosen with the
    // list's id (1 or more). While a list is on show, Enter and Tab choose
    // and are not reported through OnKeyPress.
    void ShowList(int id, const QStringList &entries);
    void CancelList();
    bool ListActive() const;

    // Folding of elements and comments, with the fold margin beside the
    // text. Turning it off opens every fold first: no text stays hidden.
    bool Folding() const;
    void SetFolding(bool on);

Q_SIGNALS:
    void OnChange();
    void OnKeyUp(int key);
    void OnKeyPress(QChar character);
    void OnMouseDown();
    void OnClick();
    void OnDblClick();
    void OnChangeMode(bool insertMode);
    void OnFindBrace();
    void CaretMoved(int line, int column);
    void SelectionChanged();
    void ListChosen(int id, const QString &entry);
    // After the control handled a key press, or a character an input method
    // committed (key 0): typed is the character typed (null for a key that
    // types none), listWasActive whether a list was on show when it came.
    void KeyHandled(int key, QChar typed, bool listWasActive);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void deliver(QObject *watched, QEvent *event);
    bool keyPress(QObject *watched, QKeyEvent *event);
    bool inputMethod(QObject *watched, QInputMethodEvent *event);
    bool searchAgain();
    void applyStyle();
    void applyFolding();
    void showSelection();
    void clearBookmarks();
    void loadText(const QString &text);
    void notifyCaret();

private:
    QsciScintilla *m_sci = nullptr;
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace Tarnwick
