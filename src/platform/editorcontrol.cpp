// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"

#include "platform/codeunitcount.h"
#include "platform/editorfinddialog.h"
#include "platform/editorgotolinedialog.h"
#include "platform/editorreplacedialog.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <tuple>
#include <utility>

namespace Tarnwick {

namespace {

constexpr int bookmarkCount = 16;
constexpr int foldMargin = 2;
constexpr int nothing = -1;

// Thin wrappers: QScintilla's overloads of SendScintilla are easy to get wrong.
long send(const QsciScintilla *sci, unsigned int msg, unsigned long wParam = 0, long lParam = 0)
{
    return sci->SendScintilla(msg, wParam, lParam);
}

long sendText(const QsciScintilla *sci, unsigned int msg, const QByteArray &bytes)
{
    return sci->SendScintilla(msg, uintptr_t(bytes.size()), bytes.constData());
}

long lineCount(const QsciScintilla *sci)
{
    return send(sci, QsciScintillaBase::SCI_GETLINECOUNT);
}

long lineStart(const QsciScintilla *sci, long line0)
{
    return send(sci, QsciScintillaBase::SCI_POSITIONFROMLINE, line0);
}

long lineEnd(const QsciScintilla *sci, long line0)
{
    return send(sci, QsciScintillaBase::SCI_GETLINEENDPOSITION, line0);
}

// Columns count UTF-16 code units, like QString, while Scintilla positions
// are UTF-8 bytes. Scintilla counts them by stepping character by character,
// which costs milliseconds on a long line; we count the bytes ourselves and
// leave to Scintilla only the characters it counts its own way.

QByteArrayView bytesOf(const QsciScintilla *sci, long from, long to)
{
    if (to <= from)
        return {};
    const auto pointer = send(sci, QsciScintillaBase::SCI_GETRANGEPOINTER, from, to - from);
    return QByteArrayView(reinterpret_cast<const char *>(pointer), to - from);
}

long codeUnits(const QsciScintilla *sci, long from, long to)
{
    const CodeUnitCount::Step step = CodeUnitCount::count(bytesOf(sci, from, to));
    if (step.finished)
        return long(step.units);
    return long(step.units)
        + send(sci, QsciScintillaBase::SCI_COUNTCODEUNITS, from + long(step.bytes), to);
}

long clampLine0(const QsciScintilla *sci, int line)
{
    return std::clamp<long>(line - 1, 0, lineCount(sci) - 1);
}

// The position column code units into [start, end), a line: its end when the
// line is shorter; a column inside a surrogate pair stands before the pair.
long positionInLine(const QsciScintilla *sci, long start, long end, long column)
{
    const CodeUnitCount::Step step
        = CodeUnitCount::advance(bytesOf(sci, start, end), std::max(0L, column));
    const long at = start + long(step.bytes);
    if (step.finished)
        return at;
    // Scintilla's own counting from there on.
    const long rest = column - long(step.units);
    if (rest >= send(sci, QsciScintillaBase::SCI_COUNTCODEUNITS, at, end))
        return end;
    const long position = send(sci, QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, at, rest);
    // Scintilla answers 0 for a place inside a surrogate pair.
    return position > at
        ? position
        : send(sci, QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, at, rest - 1);
}

long positionOf(const QsciScintilla *sci, int line, int column)
{
    const long line0 = clampLine0(sci, line);
    return positionInLine(sci, lineStart(sci, line0), lineEnd(sci, line0), column);
}

std::pair<int, int> lineColumnOf(const QsciScintilla *sci, long position)
{
    const long line0 = send(sci, QsciScintillaBase::SCI_LINEFROMPOSITION, position);
    return { int(line0 + 1), int(codeUnits(sci, lineStart(sci, line0), position)) };
}

QString textRange(const QsciScintilla *sci, long from, long to)
{
    if (to <= from)
        return {};
    const auto pointer = send(sci, QsciScintillaBase::SCI_GETRANGEPOINTER, from, to - from);
    return QString::fromUtf8(reinterpret_cast<const char *>(pointer), to - from);
}

// Replaces [from, to) by text; unlike SCI_REPLACESEL this keeps NUL characters.
long replaceRange(QsciScintilla *sci, long from, long to, const QString &text)
{
    const QByteArray bytes = TextFile::normaliseLineEnds(text).toUtf8();
    send(sci, QsciScintillaBase::SCI_SETTARGETRANGE, from, to);
    sendText(sci, QsciScintillaBase::SCI_REPLACETARGET, bytes);
    return from + bytes.size();
}

struct Match
{
    long start = 0;
    long end = 0;
};

// Searches [from, to); from > to searches backwards.
std::optional<Match> search(QsciScintilla *sci, const QString &text, long from, long to, int flags)
{
    const QByteArray needle = TextFile::normaliseLineEnds(text).toUtf8();
    if (needle.isEmpty())
        return std::nullopt;
    send(sci, QsciScintillaBase::SCI_SETSEARCHFLAGS, flags);
    send(sci, QsciScintillaBase::SCI_SETTARGETRANGE, from, to);
    if (sendText(sci, QsciScintillaBase::SCI_SEARCHINTARGET, needle) < 0)
        return std::nullopt;
    return Match { send(sci, QsciScintillaBase::SCI_GETTARGETSTART),
                   send(sci, QsciScintillaBase::SCI_GETTARGETEND) };
}

int replaceAll(QsciScintilla *sci, const QString &text, const QString &replacement, int flags)
{
    int count = 0;
    long from = 0;
    sci->beginUndoAction();
    while (const auto match
           = search(sci, text, from, send(sci, QsciScintillaBase::SCI_GETLENGTH), flags)) {
        from = replaceRange(sci, match->start, match->end, replacement);
        ++count;
    }
    sci->endUndoAction();
    return count;
}

// Styles of the HTML lexer that lie between "<" and ">": tags, attributes and
// their values, comments, SGML declarations, CDATA and processing instructions.
bool isTagStyle(int style)
{
    switch (style) {
    case QsciLexerHTML::Tag:
    case QsciLexerHTML::UnknownTag:
    case QsciLexerHTML::Attribute:
    case QsciLexerHTML::UnknownAttribute:
    case QsciLexerHTML::HTMLNumber:
    case QsciLexerHTML::HTMLDoubleQuotedString:
    case QsciLexerHTML::HTMLSingleQuotedString:
    case QsciLexerHTML::OtherInTag:
    case QsciLexerHTML::HTMLComment:
    case QsciLexerHTML::XMLTagEnd:
    case QsciLexerHTML::XMLStart:
    case QsciLexerHTML::XMLEnd:
    case QsciLexerHTML::ASPAtStart:
    case QsciLexerHTML::ASPStart:
    case QsciLexerHTML::CDATA:
    case QsciLexerHTML::PHPStart:
    case QsciLexerHTML::HTMLValue:
        return true;
    default:
        return style >= QsciLexerHTML::SGMLDefault && style <= QsciLexerHTML::SGMLBlockDefault;
    }
}

bool isBrace(int character)
{
    return character > 0 && character < 128 && std::strchr("()[]{}<>", character) != nullptr;
}

} // namespace

struct EditorControl::Private
{
    struct Search
    {
        QString text;
        bool matchCase = false;
        bool wholeWord = false;
        bool forward = true;

        int flags() const
        {
            return (matchCase ? QsciScintillaBase::SCFIND_MATCHCASE : 0)
                | (wholeWord ? QsciScintillaBase::SCFIND_WHOLEWORD : 0);
        }
    };

    QsciLexerHTML *lexer = nullptr; // child of the control
    std::unique_ptr<QsciPrinter> printer;

    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QColor fontColor = Qt::black;
    QColor color = Qt::white;
    QColor backColorSelected = QColor(0, 0, 128); // navy
    QColor foreColorSelected = Qt::white;
    QColor tagForeground = Qt::blue;
    QColor tagBackground = Qt::white;
    int tabStopSize = 5;
    bool autoIndent = true;
    bool wordWrap = false;
    ScrollBarStyle scrollBars = ScrollBarStyle::Both;
    bool unixStyleSave = false;
    bool macStyleSave = false;
    int undoLimit = 100;
    bool highlight = true;
    QString syntax = QStringLiteral("0001>1<");
    bool folding = false;
    TextFileFormat format;

    std::array<int, bookmarkCount> bookmarkHandles;
    bool forcedModified = false;
    Search search;

    int delivering = 0;
    bool discardKey = false;
    QPoint pressPosition;
    std::pair<int, int> lastCaret { 1, 0 };

    Private() { bookmarkHandles.fill(nothing); }
};

EditorControl::EditorControl(QWidget *parent)
    : QWidget(parent)
    , m_sci(new QsciScintilla(this))
    , d(std::make_unique<Private>())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_sci);
    setFocusProxy(m_sci);

    m_sci->setUtf8(true);
    m_sci->setEolMode(QsciScintilla::EolUnix);
    m_sci->setEolVisibility(false);
    m_sci->setBraceMatching(QsciScintilla::SloppyBraceMatch);
    m_sci->setIndentationsUseTabs(true);
    m_sci->setTabWidth(d->tabStopSize);
    m_sci->setAutoIndent(d->autoIndent);
    m_sci->setWrapMode(QsciScintilla::WrapNone);
    // Scintilla keeps only the caret's line laid out by default, so a long
    // line on show is laid out again (hundreds of milliseconds for a
    // one-line page of a megabyte) whenever the caret leaves or enters it
    // and at every repaint while the caret is elsewhere. Keeping every
    // line's layout until its text or style changes costs some memory per
    // character laid out.
    send(m_sci, QsciScintillaBase::SCI_SETLAYOUTCACHE, QsciScintillaBase::SC_CACHE_DOCUMENT);
    m_sci->setMarginWidth(0, 0);
    m_sci->setMarginWidth(1, 16);
    m_sci->setMarginMarkerMask(1, (1 << bookmarkCount) - 1);
    m_sci->setMarginWidth(foldMargin, 0);
    for (int i = 0; i < bookmarkCount; ++i)
        m_sci->markerDefine(QsciScintilla::SmallRectangle, i);

    d->lexer = new QsciLexerHTML(this);
    applyStyle();

    m_sci->installEventFilter(this);
    m_sci->viewport()->installEventFilter(this);

    // Lists are sorted by their owner; the typed part is matched ignoring
    // case, so that the list stays up while the owner follows the typing.
    send(m_sci, QsciScintillaBase::SCI_AUTOCSETIGNORECASE, 1);
    send(m_sci, QsciScintillaBase::SCI_AUTOCSETMAXHEIGHT, 10);
    connect(m_sci, &QsciScintilla::userListActivated, this, &EditorControl::ListChosen);

    connect(m_sci, &QsciScintilla::textChanged, this, &EditorControl::OnChange);
    connect(m_sci, &QsciScintilla::selectionChanged, this, &EditorControl::SelectionChanged);
    connect(m_sci, &QsciScintilla::cursorPositionChanged, this, [this](int, int) {
        Q_EMIT CaretMoved(CaretLine(), CaretColumn());
        const long caret = send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS);
        const long length = send(m_sci, QsciScintillaBase::SCI_GETLENGTH);
        const bool before
            = caret > 0 && isBrace(int(send(m_sci, QsciScintillaBase::SCI_GETCHARAT, caret - 1)));
        const bool after
            = caret < length && isBrace(int(send(m_sci, QsciScintillaBase::SCI_GETCHARAT, caret)));
        if (before || after)
            Q_EMIT OnFindBrace();
    });
}

EditorControl::~EditorControl()
{
    // The QScintilla widget goes before the lexer it still refers to.
    m_sci->viewport()->removeEventFilter(this);
    m_sci->removeEventFilter(this);
    m_sci->disconnect(this);
    delete m_sci;
    m_sci = nullptr;
}

// ---- selection cache ----

void EditorControl::ReadSelection()
{
    const auto [startLine, startPos]
        = lineColumnOf(m_sci, send(m_sci, QsciScintillaBase::SCI_GETANCHOR));
    const auto [endLine, endPos]
        = lineColumnOf(m_sci, send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS));
    StartLine = startLine;
    StartPos = startPos;
    EndLine = endLine;
    EndPos = endPos;
}

void EditorControl::ApplySelection()
{
    const long anchor = positionOf(m_sci, StartLine, StartPos);
    const long caret = positionOf(m_sci, EndLine, EndPos);
    send(m_sci, QsciScintillaBase::SCI_SETSEL, anchor, caret);
    showSelection();
    // Keep the cache equal to what is now selected.
    std::tie(StartLine, StartPos) = lineColumnOf(m_sci, anchor);
    std::tie(EndLine, EndPos) = lineColumnOf(m_sci, caret);
    notifyCaret();
}

// ---- text ----

QString EditorControl::Text() const
{
    return GetTextBuffer();
}

void EditorControl::SetText(const QString &text)
{
    m_sci->beginUndoAction();
    send(m_sci, QsciScintillaBase::SCI_CLEARALL);
    sendText(m_sci, QsciScintillaBase::SCI_APPENDTEXT, TextFile::normaliseLineEnds(text).toUtf8());
    m_sci->endUndoAction();
    clearBookmarks();
    notifyCaret();
}

QString EditorControl::GetTextBuffer() const
{
    const long length = send(m_sci, QsciScintillaBase::SCI_GETLENGTH);
    const auto pointer = send(m_sci, QsciScintillaBase::SCI_GETCHARACTERPOINTER);
    return QString::fromUtf8(reinterpret_cast<const char *>(pointer), length);
}

int EditorControl::TextLength() const
{
    return int(codeUnits(m_sci, 0, send(m_sci, QsciScintillaBase::SCI_GETLENGTH)));
}

int EditorControl::LineCount() const
{
    return int(lineCount(m_sci));
}

int EditorControl::LineLength(int line) const
{
    if (line < 1 || line > LineCount())
        return 0;
    return int(codeUnits(m_sci, lineStart(m_sci, line - 1), lineEnd(m_sci, line - 1)));
}

int EditorControl::SelLength() const
{
    return int(codeUnits(m_sci, send(m_sci, QsciScintillaBase::SCI_GETSELECTIONSTART),
                         send(m_sci, QsciScintillaBase::SCI_GETSELECTIONEND)));
}

QString EditorControl::GetSelText() const
{
    return textRange(m_sci, send(m_sci, QsciScintillaBase::SCI_GETSELECTIONSTART),
                     send(m_sci, QsciScintillaBase::SCI_GETSELECTIONEND));
}

QString EditorControl::GetSelTextToLineEnd()
{
    if (send(m_sci, QsciScintillaBase::SCI_GETSELECTIONEMPTY)) {
        const long caret = send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS);
        const long line0 = send(m_sci, QsciScintillaBase::SCI_LINEFROMPOSITION, caret);
        send(m_sci, QsciScintillaBase::SCI_SETSEL, caret, lineEnd(m_sci, line0));
        notifyCaret();
    }
    return GetSelText();
}

QString EditorControl::GetLineText(int line) const
{
    const long line0 = clampLine0(m_sci, line);
    return textRange(m_sci, lineStart(m_sci, line0), lineEnd(m_sci, line0));
}

QString EditorControl::GetLineText(int line, int fromColumn, int toColumn) const
{
    const long line0 = clampLine0(m_sci, line);
    const long start = lineStart(m_sci, line0);
    const long end = lineEnd(m_sci, line0);
    return textRange(m_sci, positionInLine(m_sci, start, end, fromColumn),
                     positionInLine(m_sci, start, end, toColumn));
}

void EditorControl::ReplaceSelection(const QString &text)
{
    const long start = send(m_sci, QsciScintillaBase::SCI_GETSELECTIONSTART);
    const long end = send(m_sci, QsciScintillaBase::SCI_GETSELECTIONEND);
    m_sci->beginUndoAction();
    const long after = replaceRange(m_sci, start, end, text);
    m_sci->endUndoAction();
    send(m_sci, QsciScintillaBase::SCI_GOTOPOS, after);
    notifyCaret();
}

void EditorControl::InsertAtLine(int line, int column, const QString &text)
{
    const long position = positionOf(m_sci, line, column);
    replaceRange(m_sci, position, position, text);
}

void EditorControl::AppendText(const QString &text)
{
    sendText(m_sci, QsciScintillaBase::SCI_APPENDTEXT, TextFile::normaliseLineEnds(text).toUtf8());
}

// ---- scrolling ----

int EditorControl::FirstVisibleLine() const
{
    const long visible = send(m_sci, QsciScintillaBase::SCI_GETFIRSTVISIBLELINE);
    return int(send(m_sci, QsciScintillaBase::SCI_DOCLINEFROMVISIBLE, visible)) + 1;
}

void EditorControl::SetFirstVisibleLine(int line)
{
    const long visible
        = send(m_sci, QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, clampLine0(m_sci, line));
    send(m_sci, QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, visible);
}

int EditorControl::FirstVisiblePos() const
{
    return int(send(m_sci, QsciScintillaBase::SCI_GETXOFFSET));
}

void EditorControl::SetFirstVisiblePos(int pos)
{
    send(m_sci, QsciScintillaBase::SCI_SETXOFFSET, std::max(0, pos));
}

// ---- files ----

void EditorControl::loadText(const QString &text)
{
    // A freshly loaded file is not an edit: nothing to undo, nothing modified.
    send(m_sci, QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0);
    send(m_sci, QsciScintillaBase::SCI_CLEARALL);
    sendText(m_sci, QsciScintillaBase::SCI_APPENDTEXT, text.toUtf8());
    send(m_sci, QsciScintillaBase::SCI_SETUNDOCOLLECTION, d->undoLimit > 0 ? 1 : 0);
    send(m_sci, QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    send(m_sci, QsciScintillaBase::SCI_SETSAVEPOINT);
    send(m_sci, QsciScintillaBase::SCI_GOTOPOS, 0);
    d->forcedModified = false;
    clearBookmarks();
    notifyCaret();
}

void EditorControl::LoadFromText(const QString &text, const TextFileFormat &format)
{
    loadText(TextFile::normaliseLineEnds(text));
    d->format = format;
}

Result EditorControl::LoadFromFile(const QString &path)
{
    const auto content = TextFile::read(path);
    if (!content)
        return Result::failure(content.error());
    loadText(content->text);
    d->format = content->format;
    return Result::success();
}

Result EditorControl::SaveToFile(const QString &path)
{
    TextFileFormat format = d->format;
    if (d->macStyleSave)
        format.setUniformLineEnd(TextFileFormat::LineEnd::CR);
    else if (d->unixStyleSave)
        format.setUniformLineEnd(TextFileFormat::LineEnd::LF);
    const QString text = Text();
    const Result result = TextFile::write(path, text, format);
    if (result) {
        // The file on disk is what the next save writes back. A Mac or Unix
        // style save leaves the file's own line ends for a later "Default".
        const TextFileFormat used = TextFile::writtenFormat(text, format);
        d->format.encoding = used.encoding;
        d->format.utf8Bom = used.utf8Bom;
        if (!d->macStyleSave && !d->unixStyleSave)
            d->format.lineEnds = used.lineEnds;
    }
    return result;
}

TextFileFormat EditorControl::FileFormat() const
{
    return d->format;
}

void EditorControl::SetFileFormat(const TextFileFormat &format)
{
    d->format = format;
}

// ---- editing commands ----

void EditorControl::ClearAll()
{
    send(m_sci, QsciScintillaBase::SCI_CLEARALL);
    clearBookmarks();
    notifyCaret();
}

void EditorControl::DeleteSelection()
{
    // SCI_CLEAR would delete the character after the caret when nothing is selected.
    if (!send(m_sci, QsciScintillaBase::SCI_GETSELECTIONEMPTY))
        m_sci->removeSelectedText();
}

void EditorControl::CutToClipboard()
{
    m_sci->cut();
}

void EditorControl::CopyToClipboard()
{
    m_sci->copy();
}

void EditorControl::PasteFromClipboard()
{
    m_sci->paste();
}

void EditorControl::Undo()
{
    m_sci->undo();
}

void EditorControl::Redo()
{
    m_sci->redo();
}

bool EditorControl::CanUndo() const
{
    return m_sci->isUndoAvailable();
}

bool EditorControl::CanRedo() const
{
    return m_sci->isRedoAvailable();
}

void EditorControl::SelectAll()
{
    m_sci->selectAll(true);
}

void EditorControl::DuplicateSelection()
{
    send(m_sci, QsciScintillaBase::SCI_SELECTIONDUPLICATE);
}

// ---- dialogs ----

bool EditorControl::searchAgain()
{
    const auto &s = d->search;
    const long start = send(m_sci, QsciScintillaBase::SCI_GETSELECTIONSTART);
    const long end = send(m_sci, QsciScintillaBase::SCI_GETSELECTIONEND);
    const auto match = s.forward
        ? search(m_sci, s.text, end, send(m_sci, QsciScintillaBase::SCI_GETLENGTH), s.flags())
        : search(m_sci, s.text, start, 0, s.flags());
    if (!match)
        return false;
    send(m_sci, QsciScintillaBase::SCI_SETSEL, match->start, match->end);
    showSelection();
    notifyCaret();
    return true;
}

void EditorControl::FindDialog()
{
    EditorFindDialog dialog(this);
    const QString selected = GetSelText();
    dialog.setFindText(
        !selected.isEmpty() && !selected.contains(QLatin1Char('\n')) ? selected : d->search.text);
    dialog.setMatchCase(d->search.matchCase);
    dialog.setWholeWord(d->search.wholeWord);
    dialog.setSearchForward(d->search.forward);
    connect(&dialog, &EditorFindDialog::findNextRequested, this, [this, &dialog] {
        d->search
            = { dialog.findText(), dialog.matchCase(), dialog.wholeWord(), dialog.searchForward() };
        if (searchAgain()) {
            dialog.setStatus(QString());
        } else {
            dialog.setStatus(tr("Cannot find \"%1\".").arg(d->search.text));
            QApplication::beep();
        }
    });
    dialog.exec();
}

void EditorControl::ReplaceDialog()
{
    EditorReplaceDialog dialog(this);
    const QString selected = GetSelText();
    dialog.setFindText(
        !selected.isEmpty() && !selected.contains(QLatin1Char('\n')) ? selected : d->search.text);
    dialog.setMatchCase(d->search.matchCase);
    dialog.setWholeWord(d->search.wholeWord);
    const auto takeOptions = [this, &dialog] {
        d->search = { dialog.findText(), dialog.matchCase(), dialog.wholeWord(), true };
    };
    const auto findNext = [this, &dialog] {
        if (searchAgain()) {
            dialog.setStatus(QString());
        } else {
            dialog.setStatus(tr("Cannot find \"%1\".").arg(d->search.text));
            QApplication::beep();
        }
    };
    connect(&dialog, &EditorReplaceDialog::findNextRequested, this, [=] {
        takeOptions();
        findNext();
    });
    connect(&dialog, &EditorReplaceDialog::replaceRequested, this, [=, this, &dialog] {
        takeOptions();
        // Replace the current match, if the selection is one, then move on.
        const long start = send(m_sci, QsciScintillaBase::SCI_GETSELECTIONSTART);
        const long end = send(m_sci, QsciScintillaBase::SCI_GETSELECTIONEND);
        const auto match = search(m_sci, d->search.text, start, end, d->search.flags());
        if (match && match->start == start && match->end == end) {
            m_sci->beginUndoAction();
            const long after = replaceRange(m_sci, start, end, dialog.replaceText());
            m_sci->endUndoAction();
            send(m_sci, QsciScintillaBase::SCI_GOTOPOS, after);
        }
        findNext();
    });
    connect(&dialog, &EditorReplaceDialog::replaceAllRequested, this, [=, this, &dialog] {
        takeOptions();
        const int count
            = replaceAll(m_sci, d->search.text, dialog.replaceText(), d->search.flags());
        if (count > 0) {
            dialog.setStatus(tr("%n occurrence(s) replaced.", nullptr, count));
        } else {
            dialog.setStatus(tr("Cannot find \"%1\".").arg(d->search.text));
            QApplication::beep();
        }
    });
    dialog.exec();
}

void EditorControl::FindNext()
{
    if (d->search.text.isEmpty()) {
        FindDialog();
        return;
    }
    if (!searchAgain())
        QApplication::beep();
}

void EditorControl::GoToLineDialog()
{
    EditorGoToLineDialog dialog(LineCount(), CaretLine(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const long line0 = clampLine0(m_sci, dialog.line());
    m_sci->ensureLineVisible(int(line0));
    send(m_sci, QsciScintillaBase::SCI_GOTOPOS, lineStart(m_sci, line0));
    notifyCaret();
}

void EditorControl::Print()
{
    QPrintDialog dialog(Printer(), this);
    if (dialog.exec() == QDialog::Accepted)
        PrintText();
}

void EditorControl::PrinterSetup()
{
    QPageSetupDialog dialog(Printer(), this);
    dialog.exec();
}

QPrinter *EditorControl::Printer()
{
    if (!d->printer)
        d->printer = std::make_unique<QsciPrinter>();
    return d->printer.get();
}

bool EditorControl::PrintText()
{
    Printer();
    return d->printer->printRange(m_sci) != 0;
}

// ---- searching ----

int EditorControl::FindText(const QString &text)
{
    d->search.text = text;
    const long caret = send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS);
    const auto match = search(m_sci, text, caret, send(m_sci, QsciScintillaBase::SCI_GETLENGTH), 0);
    if (!match)
        return 0;
    send(m_sci, QsciScintillaBase::SCI_SETSEL, match->start, match->end);
    showSelection();
    notifyCaret();
    return 1;
}

int EditorControl::FindTextFrom(const QString &text)
{
    d->search.text = text;
    const long length = send(m_sci, QsciScintillaBase::SCI_GETLENGTH);
    // A start below the last line finds nothing rather than the last line again.
    const long from = StartLine > LineCount() ? length : positionOf(m_sci, StartLine, StartPos);
    const auto match = search(m_sci, text, from, length, 0);
    if (!match)
        return 0;
    std::tie(StartLine, StartPos) = lineColumnOf(m_sci, match->start);
    std::tie(EndLine, EndPos) = lineColumnOf(m_sci, match->end);
    return 1;
}

void EditorControl::ReplaceText(const QString &text, const QString &replacement)
{
    replaceAll(m_sci, text, replacement, 0);
}

void EditorControl::BeginUndoAction()
{
    m_sci->beginUndoAction();
}

void EditorControl::EndUndoAction()
{
    m_sci->endUndoAction();
}

void EditorControl::ReplaceEach(const QList<std::pair<QString, QString>> &replacements)
{
    m_sci->beginUndoAction(); // nests: the replacements below make one step
    for (const auto &[text, replacement] : replacements)
        replaceAll(m_sci, text, replacement, QsciScintillaBase::SCFIND_MATCHCASE);
    m_sci->endUndoAction();
}

QString EditorControl::SearchString() const
{
    return d->search.text;
}

// ---- bookmarks ----

void EditorControl::clearBookmarks()
{
    for (int i = 0; i < bookmarkCount; ++i)
        m_sci->markerDeleteAll(i);
    d->bookmarkHandles.fill(nothing);
}

void EditorControl::SetBookmark(int n)
{
    if (n < 1 || n > bookmarkCount)
        return;
    int &handle = d->bookmarkHandles[n - 1];
    if (handle != nothing)
        m_sci->markerDeleteHandle(handle);
    m_sci->setMarkerForegroundColor(d->fontColor, n - 1);
    m_sci->setMarkerBackgroundColor(d->color, n - 1);
    handle = m_sci->markerAdd(int(clampLine0(m_sci, StartLine)), n - 1);
}

void EditorControl::GotoBookmark(int n)
{
    const int line = BookmarkLine(n);
    if (line == 0)
        return;
    m_sci->ensureLineVisible(line - 1);
    send(m_sci, QsciScintillaBase::SCI_SETSEL, lineStart(m_sci, line - 1),
         lineEnd(m_sci, line - 1));
    notifyCaret();
}

int EditorControl::BookmarkLine(int n) const
{
    if (n < 1 || n > bookmarkCount || d->bookmarkHandles[n - 1] == nothing)
        return 0;
    const int line0 = m_sci->markerLine(d->bookmarkHandles[n - 1]);
    return line0 < 0 ? 0 : line0 + 1;
}

// ---- modified flag ----

bool EditorControl::Modified() const
{
    return d->forcedModified || m_sci->isModified();
}

void EditorControl::SetModified(bool modified)
{
    // Scintilla can only clear its flag (save point); setting it is ours.
    d->forcedModified = modified;
    if (!modified)
        send(m_sci, QsciScintillaBase::SCI_SETSAVEPOINT);
}

// ---- properties ----

void EditorControl::applyStyle()
{
    if (d->highlight) {
        QsciLexerHTML *lexer = d->lexer;
        lexer->setDefaultFont(d->font);
        lexer->setDefaultColor(d->fontColor);
        lexer->setDefaultPaper(d->color);
        for (int style = 0; style < 128; ++style) {
            if (lexer->description(style).isEmpty())
                continue;
            const bool tag = isTagStyle(style);
            lexer->setColor(tag ? d->tagForeground : d->fontColor, style);
            lexer->setPaper(tag ? d->tagBackground : d->color, style);
        }
        lexer->setFont(d->font, -1);
        if (m_sci->lexer() != lexer)
            m_sci->setLexer(lexer);
    } else {
        if (m_sci->lexer())
            m_sci->setLexer(nullptr);
        // Plain text: every style looks like the default one, and no text
        // keeps the tag styles the lexer gave it.
        m_sci->setFont(d->font);
        m_sci->SendScintilla(QsciScintillaBase::SCI_STYLESETFORE, QsciScintillaBase::STYLE_DEFAULT,
                             d->fontColor);
        m_sci->SendScintilla(QsciScintillaBase::SCI_STYLESETBACK, QsciScintillaBase::STYLE_DEFAULT,
                             d->color);
        send(m_sci, QsciScintillaBase::SCI_STYLECLEARALL);
        send(m_sci, QsciScintillaBase::SCI_CLEARDOCUMENTSTYLE);
        m_sci->setColor(d->fontColor);
        m_sci->setPaper(d->color);
        m_sci->setMatchedBraceForegroundColor(Qt::blue);
        m_sci->setUnmatchedBraceForegroundColor(Qt::red);
    }
    m_sci->setCaretForegroundColor(d->fontColor);
    m_sci->setSelectionBackgroundColor(d->backColorSelected);
    m_sci->setSelectionForegroundColor(d->foreColorSelected);
}

QFont EditorControl::Font() const
{
    return d->font;
}

void EditorControl::SetFont(const QFont &font)
{
    d->font = font;
    applyStyle();
}

QColor EditorControl::FontColor() const
{
    return d->fontColor;
}

void EditorControl::SetFontColor(const QColor &color)
{
    d->fontColor = color;
    applyStyle();
}

QColor EditorControl::Color() const
{
    return d->color;
}

void EditorControl::SetColor(const QColor &color)
{
    d->color = color;
    applyStyle();
}

QColor EditorControl::BackColorSelected() const
{
    return d->backColorSelected;
}

void EditorControl::SetBackColorSelected(const QColor &color)
{
    d->backColorSelected = color;
    m_sci->setSelectionBackgroundColor(color);
}

QColor EditorControl::ForeColorSelected() const
{
    return d->foreColorSelected;
}

void EditorControl::SetForeColorSelected(const QColor &color)
{
    d->foreColorSelected = color;
    m_sci->setSelectionForegroundColor(color);
}

int EditorControl::TabStopSize() const
{
    return d->tabStopSize;
}

void EditorControl::SetTabStopSize(int size)
{
    d->tabStopSize = std::max(1, size);
    m_sci->setTabWidth(d->tabStopSize);
}

bool EditorControl::AutoIndent() const
{
    return d->autoIndent;
}

void EditorControl::SetAutoIndent(bool on)
{
    d->autoIndent = on;
    m_sci->setAutoIndent(on);
}

bool EditorControl::WordWrap() const
{
    return d->wordWrap;
}

void EditorControl::SetWordWrap(bool on)
{
    d->wordWrap = on;
    m_sci->setWrapMode(on ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
}

EditorControl::ScrollBarStyle EditorControl::ScrollBars() const
{
    return d->scrollBars;
}

void EditorControl::SetScrollBars(ScrollBarStyle style)
{
    d->scrollBars = style;
    send(m_sci, QsciScintillaBase::SCI_SETHSCROLLBAR, style == ScrollBarStyle::Both ? 1 : 0);
}

bool EditorControl::UnixStyleSave() const
{
    return d->unixStyleSave;
}

void EditorControl::SetUnixStyleSave(bool on)
{
    d->unixStyleSave = on;
}

bool EditorControl::MacStyleSave() const
{
    return d->macStyleSave;
}

void EditorControl::SetMacStyleSave(bool on)
{
    d->macStyleSave = on;
}

bool EditorControl::InsertMode() const
{
    return !m_sci->overwriteMode();
}

void EditorControl::SetInsertMode(bool insert)
{
    if (insert == InsertMode())
        return;
    m_sci->setOverwriteMode(!insert);
    Q_EMIT OnChangeMode(insert);
}

int EditorControl::UndoLimit() const
{
    return d->undoLimit;
}

void EditorControl::SetUndoLimit(int depth)
{
    // Scintilla keeps an unlimited history and cannot drop its oldest steps;
    // a depth of 0 turns undo off, any other depth keeps everything.
    d->undoLimit = std::max(0, depth);
    const bool collect = d->undoLimit > 0;
    send(m_sci, QsciScintillaBase::SCI_SETUNDOCOLLECTION, collect ? 1 : 0);
    if (!collect)
        send(m_sci, QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
}

bool EditorControl::Highlight() const
{
    return d->highlight;
}

void EditorControl::SetHighlight(bool on)
{
    d->highlight = on;
    applyStyle();
}

QString EditorControl::Syntax() const
{
    return d->syntax;
}

void EditorControl::SetSyntax(const QString &syntax)
{
    // Kept for the settings; the colouring itself comes from the HTML lexer.
    d->syntax = syntax;
}

void EditorControl::SetTagHighlightColors(const QColor &foreground, const QColor &background)
{
    d->tagForeground = foreground;
    d->tagBackground = background;
    applyStyle();
}

QColor EditorControl::TagForeground() const
{
    return d->tagForeground;
}

QColor EditorControl::TagBackground() const
{
    return d->tagBackground;
}

int EditorControl::CaretLine() const
{
    // Without the column, which takes counting along the line.
    const long caret = send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS);
    return int(send(m_sci, QsciScintillaBase::SCI_LINEFROMPOSITION, caret)) + 1;
}

int EditorControl::CaretColumn() const
{
    return lineColumnOf(m_sci, send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS)).second;
}

void EditorControl::ReleaseKeys(const QList<QAction *> &actions)
{
    for (const QAction *action : actions) {
        if (const QMenu *menu = action->menu())
            ReleaseKeys(menu->actions());
        for (const QKeySequence &shortcut : action->shortcuts()) {
            if (shortcut.count() != 1)
                continue;
            const int key = shortcut[0].toCombined();
            for (QsciCommand *command : m_sci->standardCommands()->commands()) {
                if (command->key() == key)
                    command->setKey(0);
                if (command->alternateKey() == key)
                    command->setAlternateKey(0);
            }
        }
    }
}

void EditorControl::DiscardKeyPress()
{
    d->discardKey = true;
}

// ---- completion ----

QString EditorControl::TextBeforeCaret(int limit) const
{
    const long caret = send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS);
    // A character takes at least as many bytes as code units: `limit` bytes
    // are at most `limit` characters. Start on a character's first byte.
    long from = std::max(0L, caret - std::max(0, limit));
    const QByteArrayView bytes = bytesOf(m_sci, from, caret);
    qsizetype skip = 0;
    while (skip < bytes.size() && (uchar(bytes[skip]) & 0xC0) == 0x80)
        ++skip;
    from += long(skip);
    return textRange(m_sci, from, caret);
}

QString EditorControl::TextAfterCaret(int limit) const
{
    const long caret = send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS);
    const long length = send(m_sci, QsciScintillaBase::SCI_GETLENGTH);
    const long to = std::min(length, caret + std::max(0, limit));
    // With the byte behind the end: when it continues a character, end
    // before that character.
    const QByteArrayView bytes = bytesOf(m_sci, caret, std::min(length, to + 1));
    qsizetype end = to - caret;
    while (end > 0 && end < bytes.size() && (uchar(bytes[end]) & 0xC0) == 0x80)
        --end;
    return textRange(m_sci, caret, caret + long(end));
}

void EditorControl::ReplaceAroundCaret(int before, int after, const QString &text)
{
    const long caret = send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS);
    const long length = send(m_sci, QsciScintillaBase::SCI_GETLENGTH);
    // Scintilla answers 0 for a place beyond either end of the text.
    const long from = before <= 0
        ? caret
        : send(m_sci, QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, caret, -before);
    long to = after <= 0
        ? caret
        : send(m_sci, QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, caret, after);
    if (to <= caret && after > 0)
        to = length;
    m_sci->beginUndoAction();
    const long behind = replaceRange(m_sci, from, to, text);
    m_sci->endUndoAction();
    send(m_sci, QsciScintillaBase::SCI_GOTOPOS, behind);
    notifyCaret();
}

void EditorControl::ShowList(int id, const QStringList &entries)
{
    if (id < 1 || entries.isEmpty()) {
        CancelList();
        return;
    }
    m_sci->showUserList(id, entries);
}

void EditorControl::CancelList()
{
    if (m_sci->isListActive())
        m_sci->cancelList();
}

bool EditorControl::ListActive() const
{
    return m_sci->isListActive();
}

// ---- folding ----

bool EditorControl::Folding() const
{
    return d->folding;
}

void EditorControl::SetFolding(bool on)
{
    const bool was = d->folding;
    d->folding = on;
    // Without its margin a fold could not be opened again.
    if (!on && was)
        send(m_sci, QsciScintillaBase::SCI_FOLDALL, QsciScintillaBase::SC_FOLDACTION_EXPAND);
    applyFolding();
}

void EditorControl::applyFolding()
{
    // The HTML lexer folds elements and comments when asked to.
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETPROPERTY, "fold", d->folding ? "1" : "0");
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETPROPERTY, "fold.html", d->folding ? "1" : "0");
    m_sci->setFolding(d->folding ? QsciScintilla::BoxedTreeFoldStyle : QsciScintilla::NoFoldStyle,
                      foldMargin);
    if (d->folding) {
        // Lines a change makes part of a closed fold are shown, not hidden.
        send(m_sci, QsciScintillaBase::SCI_SETAUTOMATICFOLD,
             QsciScintillaBase::SC_AUTOMATICFOLD_SHOW | QsciScintillaBase::SC_AUTOMATICFOLD_CHANGE);
    }
}

// A selection the program sets may lie in a closed fold: open it. (A fold
// the user closes over the caret stays closed until an edit reaches into it.)
void EditorControl::showSelection()
{
    if (send(m_sci, QsciScintillaBase::SCI_GETALLLINESVISIBLE))
        return;
    for (const long position : { send(m_sci, QsciScintillaBase::SCI_GETANCHOR),
                                 send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS) }) {
        const long line0 = send(m_sci, QsciScintillaBase::SCI_LINEFROMPOSITION, position);
        if (!send(m_sci, QsciScintillaBase::SCI_GETLINEVISIBLE, line0))
            send(m_sci, QsciScintillaBase::SCI_ENSUREVISIBLE, line0);
    }
}

// ---- events ----

// QScintilla reports caret moves only when it repaints; the control also
// reports them right after its own operations and after input it handled.
void EditorControl::notifyCaret()
{
    const long caret = send(m_sci, QsciScintillaBase::SCI_GETCURRENTPOS);
    const auto lineColumn = lineColumnOf(m_sci, caret);
    if (lineColumn == d->lastCaret)
        return;
    d->lastCaret = lineColumn;
    Q_EMIT CaretMoved(lineColumn.first, lineColumn.second);

    const long length = send(m_sci, QsciScintillaBase::SCI_GETLENGTH);
    const bool before
        = caret > 0 && isBrace(int(send(m_sci, QsciScintillaBase::SCI_GETCHARAT, caret - 1)));
    const bool after
        = caret < length && isBrace(int(send(m_sci, QsciScintillaBase::SCI_GETCHARAT, caret)));
    if (before || after)
        Q_EMIT OnFindBrace();
}

void EditorControl::deliver(QObject *watched, QEvent *event)
{
    // Let QScintilla handle the event first, so that handlers of our signals
    // see the caret and selection it leads to.
    ++d->delivering;
    QCoreApplication::sendEvent(watched, event);
    --d->delivering;
    notifyCaret();
}

bool EditorControl::keyPress(QObject *watched, QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers
        = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QChar typed;
    bool controlEnter = false;
    if (enter && modifiers == Qt::NoModifier) {
        typed = QLatin1Char('\r');
    } else if (enter && modifiers == Qt::ControlModifier) {
        typed = QLatin1Char('\n');
        controlEnter = true;
    } else if (!enter && !event->text().isEmpty() && event->text().at(0) != QChar(0x7f)
               && !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        typed = event->text().at(0);
    }

    // With a list on show, Enter and Tab choose from it: no handler of
    // typed characters (such as "<BR>" on Enter) gets them.
    const bool listWasActive = m_sci->isListActive();
    const bool choosing
        = listWasActive && (typed == QLatin1Char('\r') || typed == QLatin1Char('\t'));
    if (!typed.isNull() && !choosing) {
        d->discardKey = false;
        Q_EMIT OnKeyPress(typed);
        if (std::exchange(d->discardKey, false)) {
            Q_EMIT KeyHandled(event->key(), typed, listWasActive);
            return true;
        }
    }
    if (controlEnter) {
        // Ctrl+Enter is a line feed: it breaks the line like Enter does.
        send(m_sci, QsciScintillaBase::SCI_NEWLINE);
        Q_EMIT KeyHandled(event->key(), typed, listWasActive);
        return true;
    }
    const bool wasInsert = InsertMode();
    deliver(watched, event);
    if (InsertMode() != wasInsert)
        Q_EMIT OnChangeMode(InsertMode());
    Q_EMIT KeyHandled(event->key(), typed, listWasActive);
    return true;
}

// Characters that an input method commits (dead keys, compose) are typed
// characters too: each is reported like a key, and one a handler took over
// does not reach the editor. The rest go in one by one, in order.
bool EditorControl::inputMethod(QObject *watched, QInputMethodEvent *event)
{
    const QString committed = event->commitString();
    if (committed.isEmpty() || event->replacementLength() != 0)
        return false;
    QString kept;
    const auto flush = [&] {
        if (kept.isEmpty())
            return;
        QInputMethodEvent part;
        part.setCommitString(std::exchange(kept, QString()));
        deliver(watched, &part);
    };
    for (qsizetype i = 0; i < committed.size(); ++i) {
        const QChar c = committed.at(i);
        if (c.isSurrogate()) {
            kept += c;
            continue;
        }
        const bool listWasActive = m_sci->isListActive();
        d->discardKey = false;
        Q_EMIT OnKeyPress(c);
        if (!std::exchange(d->discardKey, false))
            kept += c;
        flush();
        Q_EMIT KeyHandled(0, c, listWasActive);
    }
    // What the input method is still composing stays on show.
    if (!event->preeditString().isEmpty()) {
        QInputMethodEvent rest(event->preeditString(), event->attributes());
        deliver(watched, &rest);
    }
    return true;
}

bool EditorControl::eventFilter(QObject *watched, QEvent *event)
{
    if (d->delivering > 0 || !m_sci || (watched != m_sci && watched != m_sci->viewport()))
        return QWidget::eventFilter(watched, event);
    const bool onEditor = watched == m_sci;
    const bool onViewport = watched == m_sci->viewport();

    switch (event->type()) {
    case QEvent::KeyPress:
        if (onEditor)
            return keyPress(watched, static_cast<QKeyEvent *>(event));
        break;
    case QEvent::InputMethod:
        return inputMethod(watched, static_cast<QInputMethodEvent *>(event));
    case QEvent::KeyRelease:
        if (onEditor && !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
            deliver(watched, event);
            const auto *key = static_cast<QKeyEvent *>(event);
            // A character composed by the keyboard layout may come without a key code.
            const bool unknown = key->key() == 0 || key->key() == Qt::Key_unknown;
            Q_EMIT OnKeyUp(unknown && !key->text().isEmpty() ? int(key->text().at(0).unicode())
                                                             : key->key());
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        if (onViewport) {
            d->pressPosition = static_cast<QMouseEvent *>(event)->position().toPoint();
            deliver(watched, event);
            Q_EMIT OnMouseDown();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (onViewport) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const bool click = mouse->button() == Qt::LeftButton
                && (mouse->position().toPoint() - d->pressPosition).manhattanLength()
                    < QApplication::startDragDistance();
            deliver(watched, event);
            if (click)
                Q_EMIT OnClick();
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (onViewport) {
            deliver(watched, event);
            Q_EMIT OnDblClick();
            return true;
        }
        break;
    case QEvent::ContextMenu:
        // The program's own pop-up menu replaces QScintilla's when the control
        // asks for one.
        if (contextMenuPolicy() == Qt::CustomContextMenu) {
            const auto *menu = static_cast<QContextMenuEvent *>(event);
            Q_EMIT customContextMenuRequested(mapFromGlobal(menu->globalPos()));
            return true;
        }
        if (contextMenuPolicy() == Qt::ActionsContextMenu && !actions().isEmpty()) {
            QMenu::exec(actions(), static_cast<QContextMenuEvent *>(event)->globalPos(), nullptr,
                        this);
            return true;
        }
        if (contextMenuPolicy() == Qt::NoContextMenu)
            return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Tarnwick
