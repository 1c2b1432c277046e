// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "support/filesizelimit.h"
#include "support/testenvironment.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <memory>

using namespace Tarnwick;
using namespace Qt::StringLiterals;

namespace {

struct Selection
{
    int startLine, startPos, endLine, endPos;
    friend bool operator==(const Selection &, const Selection &) = default;
};

Selection cacheOf(const EditorControl &editor)
{
    return { editor.StartLine, editor.StartPos, editor.EndLine, editor.EndPos };
}

void select(EditorControl &editor, Selection s)
{
    editor.StartLine = s.startLine;
    editor.StartPos = s.startPos;
    editor.EndLine = s.endLine;
    editor.EndPos = s.endPos;
    editor.ApplySelection();
}

Selection readSelection(EditorControl &editor)
{
    editor.ReadSelection();
    return cacheOf(editor);
}

// Runs `act` on the next modal dialog as soon as it is shown.
void onNextDialog(std::function<void(QDialog *)> act)
{
    QTimer::singleShot(0, qApp, [act] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(dialog);
        // A failed check inside act() must not leave the test waiting on the dialog.
        if (dialog->isVisible())
            dialog->reject();
    });
}

// QTest::keyClicks only knows ASCII.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
}

template<typename T> T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no child %s", name);
    return found;
}

const QString twelveLines = u"line 1\nline 2\nline 3\nline 4\nline 5\nline 6\nline 7\nline 8\n"
                            u"line 9\nline 10\nline 11\nline 12"_s;

// A page with nested elements and a comment over two lines, in CRLF.
const QByteArray foldedPage = "<HTML>\r\n<BODY>\r\n<!-- a comment\r\nover lines -->\r\n"
                              "<TABLE>\r\n<TR>\r\n<TD>one</TD>\r\n</TR>\r\n</TABLE>\r\n"
                              "</BODY>\r\n</HTML>\r\n";

QsciScintilla *scintillaOf(EditorControl &editor)
{
    return qobject_cast<QsciScintilla *>(editor.focusProxy());
}

long sci(EditorControl &editor, unsigned int message, unsigned long wParam = 0, long lParam = 0)
{
    return scintillaOf(editor)->SendScintilla(message, wParam, lParam);
}

bool isFoldHeader(EditorControl &editor, int line)
{
    sci(editor, QsciScintillaBase::SCI_COLOURISE, 0, -1);
    return sci(editor, QsciScintillaBase::SCI_GETFOLDLEVEL, line - 1)
        & QsciScintillaBase::SC_FOLDLEVELHEADERFLAG;
}

bool lineShown(EditorControl &editor, int line)
{
    return sci(editor, QsciScintillaBase::SCI_GETLINEVISIBLE, line - 1) != 0;
}

int hiddenLines(EditorControl &editor)
{
    int hidden = 0;
    for (int line = 1; line <= editor.LineCount(); ++line)
        hidden += lineShown(editor, line) ? 0 : 1;
    return hidden;
}

// Closes the fold of a line as the user does: a click on its mark in the margin.
void clickFoldMark(EditorControl &editor, int line)
{
    QsciScintilla *control = scintillaOf(editor);
    int x = 0;
    for (int margin = 0; margin < 2; ++margin)
        x += control->marginWidth(margin);
    x += control->marginWidth(2) / 2;
    const long position = sci(editor, QsciScintillaBase::SCI_POSITIONFROMLINE, line - 1);
    const int y = int(sci(editor, QsciScintillaBase::SCI_POINTYFROMPOSITION, 0, position))
        + int(sci(editor, QsciScintillaBase::SCI_TEXTHEIGHT, line - 1)) / 2;
    QTest::mouseClick(control->viewport(), Qt::LeftButton, {}, QPoint(x, y));
}

} // namespace

Q_DECLARE_METATYPE(Selection)

class EditorControlTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void init() { m_editor = std::make_unique<EditorControl>(); }
    void cleanup() { m_editor.reset(); }

    void initialProperties();
    void tagColouring();
    void selectionCache_data();
    void selectionCache();
    void columnsAgreeWithScintilla_data();
    void columnsAgreeWithScintilla();
    void textWithNulSurvives();
    void getSelTextToLineEnd_data();
    void getSelTextToLineEnd();
    void getLineTextLeavesSelection();
    void getLineTextPart_data();
    void getLineTextPart();
    void replaceSelection_data();
    void replaceSelection();
    void insertAtLine_data();
    void insertAtLine();
    void deleteSelectionWithoutSelection();
    void duplicateSelection_data();
    void duplicateSelection();
    void findText_data();
    void findText();
    void findTextFrom_data();
    void findTextFrom();
    void chainedFindTextFrom();
    void replaceText();
    void replaceEach();
    void bookmarks();
    void bookmarkFollowsEdits();
    void loadSaveRoundTrip_data();
    void loadSaveRoundTrip();
    void saveStyles_data();
    void saveStyles();
    void saveFallsBackToUtf8();
    void failedSave();
    void failedSaveKeepsTheOldFile();
    void failedLoadKeepsTheText();
    void modifiedFlag();
    void undoLimitZeroTurnsUndoOff();
    void keyEvents();
    void discardedKeyIsNotTyped();
    void releasedKeysReachTheirActions_data();
    void releasedKeysReachTheirActions();
    void insertKeyChangesMode();
    void mouseEvents();
    void caretMovesAndBraces();
    void scrollPosition();
    void findDialog();
    void replaceDialogReplacesAll();
    void goToLineDialog();
    void foldsOfElementsAndComments();
    void foldedTextIsSaved_data();
    void foldedTextIsSaved();
    void foldedTextOnTheClipboard_data();
    void foldedTextOnTheClipboard();
    void foldingOffOpensEveryFold();
    void programSelectionOpensTheFold();
    void typingInAClosedFoldOpensIt();
    void innerFoldStaysClosed();
    void newTextStartsUnfolded();
    void textNearTheCaret();
    void replaceAroundCaret_data();
    void replaceAroundCaret();
    void userList();

private:
    std::unique_ptr<EditorControl> m_editor;
};

void EditorControlTest::initialProperties()
{
    EditorControl &e = *m_editor;
    QVERIFY(e.AutoIndent());
    QCOMPARE(e.TabStopSize(), 5);
    QCOMPARE(e.UndoLimit(), 100);
    QCOMPARE(e.BackColorSelected(), QColor(0, 0, 128));
    QCOMPARE(e.ForeColorSelected(), QColor(Qt::white));
    QCOMPARE(e.Color(), QColor(Qt::white));
    QVERIFY(e.Highlight());
    QCOMPARE(e.Syntax(), u"0001>1<"_s);
    QVERIFY(e.InsertMode());
    QCOMPARE(e.LineCount(), 1);
    QCOMPARE(readSelection(e), (Selection { 1, 0, 1, 0 }));
}

void EditorControlTest::tagColouring()
{
    EditorControl &e = *m_editor;
    auto *sci = qobject_cast<QsciScintilla *>(e.focusProxy());
    QVERIFY(sci);
    // Scintilla keeps colours as 0xBBGGRR.
    const auto styleColour = [sci](unsigned int message, int style) {
        const long bgr = sci->SendScintilla(message, style);
        return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
    };
    constexpr int textStyle = 0, tagStyle = 1, attributeStyle = 3;
    QFont font(u"Monospace"_s, 13);

    e.SetFont(font);
    e.SetFontColor(Qt::darkGreen);
    e.SetColor(Qt::lightGray);
    e.SetTagHighlightColors(Qt::red, Qt::yellow);
    QVERIFY(sci->lexer());
    QCOMPARE(styleColour(QsciScintillaBase::SCI_STYLEGETFORE, tagStyle), QColor(Qt::red));
    QCOMPARE(styleColour(QsciScintillaBase::SCI_STYLEGETBACK, tagStyle), QColor(Qt::yellow));
    QCOMPARE(styleColour(QsciScintillaBase::SCI_STYLEGETFORE, attributeStyle), QColor(Qt::red));
    QCOMPARE(styleColour(QsciScintillaBase::SCI_STYLEGETFORE, textStyle), QColor(Qt::darkGreen));
    QCOMPARE(styleColour(QsciScintillaBase::SCI_STYLEGETBACK, textStyle), QColor(Qt::lightGray));
    QCOMPARE(sci->SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, tagStyle), 13L);

    e.SetText(u"<p>text</p>"_s);
    sci->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0, -1);
    QCOMPARE(sci->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 1), long(tagStyle));
    QCOMPARE(sci->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 4), long(textStyle));

    // Without highlighting the tags look like the text.
    e.SetHighlight(false);
    QVERIFY(!sci->lexer());
    const int styleOfTag = int(sci->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 1));
    QCOMPARE(styleColour(QsciScintillaBase::SCI_STYLEGETFORE, styleOfTag), QColor(Qt::darkGreen));
    QCOMPARE(styleColour(QsciScintillaBase::SCI_STYLEGETBACK, styleOfTag), QColor(Qt::lightGray));
    e.SetHighlight(true);
    QCOMPARE(styleColour(QsciScintillaBase::SCI_STYLEGETFORE, tagStyle), QColor(Qt::red));
}

void EditorControlTest::selectionCache_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Selection>("applied");
    QTest::addColumn<Selection>("read");
    QTest::addColumn<QString>("selected");

    const QString abc = u"abcdef\nghij\nklm"_s;
    QTest::addRow("within a line")
        << abc << Selection { 1, 1, 1, 4 } << Selection { 1, 1, 1, 4 } << u"bcd"_s;
    QTest::addRow("across lines") << abc << Selection { 1, 4, 2, 2 } << Selection { 1, 4, 2, 2 }
                                  << u"ef\ngh"_s;
    QTest::addRow("caret before anchor")
        << abc << Selection { 2, 3, 1, 5 } << Selection { 2, 3, 1, 5 } << u"f\nghi"_s;
    QTest::addRow("line 0 is line 1")
        << abc << Selection { 0, 0, 0, 3 } << Selection { 1, 0, 1, 3 } << u"abc"_s;
    QTest::addRow("negative line and column")
        << abc << Selection { -5, -2, 1, 1 } << Selection { 1, 0, 1, 1 } << u"a"_s;
    QTest::addRow("line beyond the end is the last")
        << abc << Selection { 99, 0, 99, 2 } << Selection { 3, 0, 3, 2 } << u"kl"_s;
    QTest::addRow("column beyond the line end stops at it")
        << abc << Selection { 2, 0, 2, 255 } << Selection { 2, 0, 2, 4 } << u"ghij"_s;
    QTest::addRow("columns count characters, not bytes")
        << u"ééé abc\nçà x"_s << Selection { 1, 4, 2, 1 } << Selection { 1, 4, 2, 1 }
        << u"abc\nç"_s;
    QTest::addRow("column after non-ascii text")
        << u"€€ <b>"_s << Selection { 1, 3, 1, 6 } << Selection { 1, 3, 1, 6 } << u"<b>"_s;
    QTest::addRow("surrogate pair counts two, like QString")
        << u"\U0001F600x"_s << Selection { 1, 2, 1, 3 } << Selection { 1, 2, 1, 3 } << u"x"_s;
    QTest::addRow("a column inside a surrogate pair stands before it")
        << u"x\U0001F600y\nz"_s << Selection { 1, 2, 1, 4 } << Selection { 1, 1, 1, 4 }
        << u"\U0001F600y"_s;
    const QString longLine = QString(1001, u'a') + u"\u00E9\u20AC\U0001F600"_s + QString(37, u'b')
        + u"<b>\u4E00</b>"_s;
    QTest::addRow("columns far along a long line of mixed text")
        << longLine << Selection { 1, 1005, 1, 1045 } << Selection { 1, 1005, 1, 1045 }
        << longLine.mid(1005, 40);
    QTest::addRow("column beyond the end of a long line")
        << longLine << Selection { 1, 1040, 1, 5000 }
        << Selection { 1, 1040, 1, int(longLine.size()) } << longLine.mid(1040);
}

void EditorControlTest::selectionCache()
{
    QFETCH(QString, text);
    QFETCH(Selection, applied);
    QFETCH(Selection, read);
    QFETCH(QString, selected);

    EditorControl &e = *m_editor;
    e.SetText(text);
    select(e, applied);
    QCOMPARE(e.GetSelText(), selected);
    QCOMPARE(e.SelLength(), selected.size());
    QCOMPARE(readSelection(e), read);
    QCOMPARE(e.CaretLine(), read.endLine);
    QCOMPARE(e.CaretColumn(), read.endPos);
}

// The control counts columns itself; they must stay the ones Scintilla's own
// counting gives, also for the bytes Scintilla counts its own way.
void EditorControlTest::columnsAgreeWithScintilla_data()
{
    QTest::addColumn<QByteArray>("bytes"); // UTF-8 as the control holds it

    const QByteArray ascii(40, 'a');
    QTest::addRow("ascii") << QByteArray("<p>plain text</p>\nx") + ascii;
    QTest::addRow("two, three and four byte characters")
        << ascii + "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z\xE4\xB8\x80" + ascii;
    QTest::addRow("control characters and CR") << QByteArray("a\r\nb\rc\x01\x7F", 9) + ascii;
    QTest::addRow("noncharacters")
        << "a\xEF\xBF\xBF" + ascii + "\xEF\xB7\x90\xF0\x9F\xBF\xBEz" + "\xF4\x8F\xBF\xBF" + ascii;
    QTest::addRow("bytes that are not UTF-8")
        << "a\xC0\x80" + ascii + "\x80\xED\xA0\x80\xE0\x80\x80\xE4\xB8" + ascii + "\xF0\x9F";
}

void EditorControlTest::columnsAgreeWithScintilla()
{
    QFETCH(QByteArray, bytes);
    using Base = QsciScintillaBase;
    EditorControl &e = *m_editor;
    auto *sci = qobject_cast<QsciScintilla *>(e.focusProxy());
    QVERIFY(sci);
    sci->SendScintilla(Base::SCI_APPENDTEXT, uintptr_t(bytes.size()), bytes.constData());

    for (int line = 1; line <= e.LineCount(); ++line) {
        const long start = sci->SendScintilla(Base::SCI_POSITIONFROMLINE, line - 1);
        const long end = sci->SendScintilla(Base::SCI_GETLINEENDPOSITION, line - 1);
        const long units = sci->SendScintilla(Base::SCI_COUNTCODEUNITS, start, end);
        QCOMPARE(e.LineLength(line), int(units));
        // Position to column, at every character of the line.
        for (long p = start; p <= end;
             p = p == end ? end + 1 : sci->SendScintilla(Base::SCI_POSITIONAFTER, p)) {
            sci->SendScintilla(Base::SCI_GOTOPOS, p);
            QCOMPARE(e.CaretColumn(), int(sci->SendScintilla(Base::SCI_COUNTCODEUNITS, start, p)));
        }
        // Column to position: Scintilla's answer, the line's end beyond it,
        // and in front of a surrogate pair for a column inside one.
        for (int column = 0; column <= units + 2; ++column) {
            long expected = end;
            if (column < units) {
                expected = sci->SendScintilla(Base::SCI_POSITIONRELATIVECODEUNITS, start, column);
                if (expected == 0 && start + column > 0)
                    expected = sci->SendScintilla(Base::SCI_POSITIONRELATIVECODEUNITS, start,
                                                  column - 1);
            }
            select(e, { line, column, line, column });
            QCOMPARE(sci->SendScintilla(Base::SCI_GETCURRENTPOS), expected);
        }
    }
}

void EditorControlTest::textWithNulSurvives()
{
    EditorControl &e = *m_editor;
    const QString text(u"GIF89a\0\0\u00FF\nend"_s);
    e.SetText(text);
    QCOMPARE(e.Text(), text);
    QCOMPARE(e.TextLength(), text.size());
    QCOMPARE(e.LineLength(1), 9);
    QCOMPARE(e.GetLineText(1), text.left(9));
}

void EditorControlTest::getSelTextToLineEnd_data()
{
    QTest::addColumn<Selection>("before");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Selection>("after");

    QTest::addRow("caret mid-line")
        << Selection { 2, 2, 2, 2 } << u"llo wörld"_s << Selection { 2, 2, 2, 11 };
    QTest::addRow("caret at line end")
        << Selection { 1, 3, 1, 3 } << QString() << Selection { 1, 3, 1, 3 };
    QTest::addRow("selection kept")
        << Selection { 1, 0, 2, 1 } << u"abc\nh"_s << Selection { 1, 0, 2, 1 };
}

void EditorControlTest::getSelTextToLineEnd()
{
    QFETCH(Selection, before);
    QFETCH(QString, text);
    QFETCH(Selection, after);

    EditorControl &e = *m_editor;
    e.SetText(u"abc\nhello wörld\nxyz"_s);
    select(e, before);
    QCOMPARE(e.GetSelTextToLineEnd(), text);
    QCOMPARE(readSelection(e), after);
}

void EditorControlTest::getLineTextLeavesSelection()
{
    EditorControl &e = *m_editor;
    e.SetText(twelveLines);
    select(e, { 5, 1, 6, 2 });
    QCOMPARE(e.GetLineText(0), u"line 1"_s);
    QCOMPARE(e.GetLineText(10), u"line 10"_s);
    QCOMPARE(e.GetLineText(99), u"line 12"_s);
    QCOMPARE(readSelection(e), (Selection { 5, 1, 6, 2 }));
    QCOMPARE(e.LineLength(10), 7);
    QCOMPARE(e.LineLength(13), 0);
}

void EditorControlTest::getLineTextPart_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("part");
    QTest::addRow("within the line") << 2 << 1 << 4 << u"\u00E9\u20ACd"_s;
    QTest::addRow("clamped to the line") << 2 << -3 << 99 << u"c\u00E9\u20ACd\U0001F600e"_s;
    QTest::addRow("line clamped like GetLineText") << 9 << 0 << 2 << u"xy"_s;
    QTest::addRow("empty range") << 1 << 2 << 2 << QString();
    QTest::addRow("a column inside a pair stands before it") << 2 << 5 << 6 << u"\U0001F600"_s;
}

void EditorControlTest::getLineTextPart()
{
    QFETCH(int, line);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, part);
    EditorControl &e = *m_editor;
    e.SetText(u"abc\nc\u00E9\u20ACd\U0001F600e\nxyz"_s);
    select(e, { 1, 1, 3, 1 });
    QCOMPARE(e.GetLineText(line, from, to), part);
    QCOMPARE(readSelection(e), (Selection { 1, 1, 3, 1 }));
}

void EditorControlTest::replaceSelection_data()
{
    QTest::addColumn<Selection>("selection");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<int>("caretColumn");

    QTest::addRow("carriage returns break lines")
        << Selection { 1, 3, 1, 3 } << u"<P>\r<BR>\r"_s << u"abc<P>\n<BR>\ndef"_s << 3 << 0;
    QTest::addRow("crlf breaks lines once")
        << Selection { 1, 0, 1, 0 } << u"x\r\ny"_s << u"x\nyabcdef"_s << 2 << 1;
    QTest::addRow("selection replaced")
        << Selection { 1, 1, 1, 5 } << u"<B>é</B>"_s << u"a<B>é</B>f"_s << 1 << 9;
    QTest::addRow("backward selection replaced")
        << Selection { 1, 5, 1, 1 } << u""_s << u"af"_s << 1 << 1;
}

void EditorControlTest::replaceSelection()
{
    QFETCH(Selection, selection);
    QFETCH(QString, inserted);
    QFETCH(QString, result);
    QFETCH(int, caretLine);
    QFETCH(int, caretColumn);

    EditorControl &e = *m_editor;
    e.SetText(u"abcdef"_s);
    select(e, selection);
    e.ReplaceSelection(inserted);
    QCOMPARE(e.Text(), result);
    QCOMPARE(readSelection(e), (Selection { caretLine, caretColumn, caretLine, caretColumn }));
}

void EditorControlTest::insertAtLine_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("result");

    QTest::addRow("middle") << 2 << 1 << u"ab\ncXd\nef"_s;
    QTest::addRow("line 0 is line 1") << 0 << 0 << u"Xab\ncd\nef"_s;
    QTest::addRow("line beyond is the last") << 7 << 1 << u"ab\ncd\neXf"_s;
    QTest::addRow("column beyond the line end") << 1 << 255 << u"abX\ncd\nef"_s;
    QTest::addRow("negative column") << 2 << -3 << u"ab\nXcd\nef"_s;
}

void EditorControlTest::insertAtLine()
{
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, result);

    EditorControl &e = *m_editor;
    e.SetText(u"ab\ncd\nef"_s);
    e.InsertAtLine(line, column, u"X"_s);
    QCOMPARE(e.Text(), result);

    e.AppendText(u"\r<end>"_s);
    QCOMPARE(e.Text(), result + u"\n<end>"_s);
}

void EditorControlTest::deleteSelectionWithoutSelection()
{
    // Replacing an empty line selects nothing; deleting must not eat the line break.
    EditorControl &e = *m_editor;
    e.SetText(u"a\n\nb"_s);
    select(e, { 2, 0, 2, 255 });
    e.DeleteSelection();
    QCOMPARE(e.Text(), u"a\n\nb"_s);
    select(e, { 1, 0, 1, 1 });
    e.DeleteSelection();
    QCOMPARE(e.Text(), u"\n\nb"_s);
}

void EditorControlTest::duplicateSelection_data()
{
    QTest::addColumn<Selection>("selection");
    QTest::addColumn<QString>("result");

    QTest::addRow("selection") << Selection { 1, 1, 1, 3 } << u"abcbc\nxy"_s;
    QTest::addRow("no selection: the caret's line") << Selection { 2, 1, 2, 1 } << u"abc\nxy\nxy"_s;
}

void EditorControlTest::duplicateSelection()
{
    QFETCH(Selection, selection);
    QFETCH(QString, result);

    EditorControl &e = *m_editor;
    e.SetText(u"abc\nxy"_s);
    select(e, selection);
    e.DuplicateSelection();
    QCOMPARE(e.Text(), result);
}

void EditorControlTest::findText_data()
{
    QTest::addColumn<Selection>("caret");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("found");
    QTest::addColumn<Selection>("after");

    const Selection top { 1, 0, 1, 0 };
    QTest::addRow("found, case ignored") << top << u"<body"_s << 1 << Selection { 2, 0, 2, 5 };
    QTest::addRow("found after non-ascii") << top << u"</BODY>"_s << 1 << Selection { 3, 4, 3, 11 };
    QTest::addRow("not found") << top << u"<table"_s << 0 << top;
    QTest::addRow("only after the caret")
        << Selection { 3, 0, 3, 0 } << u"<body"_s << 0 << Selection { 3, 0, 3, 0 };
    QTest::addRow("from the caret, not the anchor")
        << Selection { 1, 0, 2, 1 } << u"<"_s << 1 << Selection { 2, 6, 2, 7 };
    QTest::addRow("line break in the search text")
        << top << u">\r<"_s << 1 << Selection { 1, 5, 2, 1 };
}

void EditorControlTest::findText()
{
    QFETCH(Selection, caret);
    QFETCH(QString, search);
    QFETCH(int, found);
    QFETCH(Selection, after);

    EditorControl &e = *m_editor;
    e.SetText(u"<html>\n<BODY><p>\néè x</body>"_s);
    select(e, caret);
    QCOMPARE(e.FindText(search), found);
    QCOMPARE(readSelection(e), after);
    QCOMPARE(e.SearchString(), search);
}

void EditorControlTest::findTextFrom_data()
{
    QTest::addColumn<Selection>("from");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("found");
    QTest::addColumn<Selection>("cache");

    QTest::addRow("from the top") << Selection { 1, 1, 1, 1 } << u"SRC=\""_s << 1
                                  << Selection { 2, 5, 2, 10 };
    QTest::addRow("from a later line")
        << Selection { 3, 0, 3, 0 } << u"src=\""_s << 1 << Selection { 4, 10, 4, 15 };
    QTest::addRow("not found leaves the cache")
        << Selection { 5, 0, 9, 9 } << u"src"_s << 0 << Selection { 5, 0, 9, 9 };
    QTest::addRow("line beyond the end finds nothing")
        << Selection { 6, 0, 6, 0 } << u"a"_s << 0 << Selection { 6, 0, 6, 0 };
}

void EditorControlTest::findTextFrom()
{
    QFETCH(Selection, from);
    QFETCH(QString, search);
    QFETCH(int, found);
    QFETCH(Selection, cache);

    EditorControl &e = *m_editor;
    e.SetText(u"<p>\n<img src=\"a.gif\">\n\n<p>ü <img src=\"b.gif\">\nend"_s);
    select(e, { 1, 1, 1, 2 });
    e.StartLine = from.startLine;
    e.StartPos = from.startPos;
    e.EndLine = from.endLine;
    e.EndPos = from.endPos;
    QCOMPARE(e.FindTextFrom(search), found);
    QCOMPARE(cacheOf(e), cache);
    QCOMPARE(e.SearchString(), search);
    // The visible selection did not move.
    QCOMPARE(e.GetSelText(), u"p"_s);
}

void EditorControlTest::chainedFindTextFrom()
{
    // "<body" then the next ">" from where it was found, as the body check does.
    EditorControl &e = *m_editor;
    e.SetText(u"<html>\n<body\n bgcolor=\"#FFFFFF\">\ntext"_s);
    e.StartLine = 1;
    e.StartPos = 1;
    QCOMPARE(e.FindTextFrom(u"<body"_s), 1);
    QCOMPARE(e.FindTextFrom(u">"_s), 1);
    QCOMPARE(cacheOf(e), (Selection { 3, 18, 3, 19 }));
}

void EditorControlTest::replaceText()
{
    EditorControl &e = *m_editor;
    const QString original = u"<td bgcolor=\"\">a</td><TD BGCOLOR=\"\">b</TD>"_s;
    e.SetText(original);
    e.SetModified(false);
    e.ReplaceText(u"bgcolor=\"\""_s, QString());
    QCOMPARE(e.Text(), u"<td >a</td><TD >b</TD>"_s);
    QVERIFY(e.Modified());

    // A replacement containing the search text does not loop.
    e.ReplaceText(u"td"_s, u"TDtd"_s);
    QCOMPARE(e.Text(), u"<TDtd >a</TDtd><TDtd >b</TDtd>"_s);

    // Each replacement is one undo step.
    e.Undo();
    QCOMPARE(e.Text(), u"<td >a</td><TD >b</TD>"_s);
    e.Undo();
    QCOMPARE(e.Text(), original);
}

void EditorControlTest::replaceEach()
{
    EditorControl &e = *m_editor;
    e.SetText(u"Ω ω →\nΩ"_s);
    e.SetModified(false);
    e.ReplaceEach({ { u"Ω"_s, u"&#937;"_s }, { u"→"_s, u"&#8594;"_s } });
    // Matching case: the small omega is another letter.
    QCOMPARE(e.Text(), u"&#937; ω &#8594;\n&#937;"_s);
    QVERIFY(e.Modified());
    e.Undo();
    QCOMPARE(e.Text(), u"Ω ω →\nΩ"_s);
}

void EditorControlTest::bookmarks()
{
    EditorControl &e = *m_editor;
    e.SetText(twelveLines);
    for (int n = 1; n <= 16; ++n)
        QCOMPARE(e.BookmarkLine(n), 0);

    for (int n = 1; n <= 16; ++n) {
        e.StartLine = (n - 1) % 12 + 1;
        e.SetBookmark(n);
    }
    for (int n = 1; n <= 16; ++n)
        QCOMPARE(e.BookmarkLine(n), (n - 1) % 12 + 1);

    // Bookmark 3 on line 10, then go there from elsewhere: line 10 is selected whole.
    select(e, { 10, 2, 10, 2 });
    e.SetBookmark(3);
    QCOMPARE(e.BookmarkLine(3), 10);
    select(e, { 1, 0, 1, 0 });
    e.GotoBookmark(3);
    QCOMPARE(e.GetSelText(), u"line 10"_s);
    QCOMPARE(readSelection(e), (Selection { 10, 0, 10, 7 }));

    // Out of range numbers are ignored.
    e.StartLine = 4;
    e.SetBookmark(0);
    e.SetBookmark(17);
    QCOMPARE(e.BookmarkLine(0), 0);
    QCOMPARE(e.BookmarkLine(17), 0);

    // A whole new text has no bookmarks; going to an unset one moves nothing.
    e.SetText(twelveLines);
    QCOMPARE(e.BookmarkLine(3), 0);
    select(e, { 2, 1, 2, 3 });
    e.GotoBookmark(3);
    QCOMPARE(readSelection(e), (Selection { 2, 1, 2, 3 }));
}

void EditorControlTest::bookmarkFollowsEdits()
{
    EditorControl &e = *m_editor;
    e.SetText(twelveLines);
    e.StartLine = 10;
    e.SetBookmark(5);
    e.InsertAtLine(2, 0, u"new\rnew\r"_s);
    QCOMPARE(e.BookmarkLine(5), 12);
    e.GotoBookmark(5);
    QCOMPARE(e.GetSelText(), u"line 10"_s);
}

void EditorControlTest::loadSaveRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::addRow("utf-8") << QByteArray("<p>caf\xC3\xA9 \xE2\x82\xAC</p>\n")
                           << u"<p>café €</p>\n"_s;
    QTest::addRow("utf-8 with bom")
        << QByteArray("\xEF\xBB\xBF<p>\xC3\xBC</p>\n") << u"<p>ü</p>\n"_s;
    QByteArray cp1252("<p>\xE9");
    for (int b = 0x80; b <= 0x9F; ++b)
        cp1252.append(char(b));
    cp1252.append("</p>\r\n");
    QTest::addRow("windows-1252 with 0x80-0x9F") << cp1252 << QString();
    QTest::addRow("crlf") << QByteArray("a\r\nb\r\n\r\nc") << u"a\nb\n\nc"_s;
    QTest::addRow("cr") << QByteArray("a\rb\r") << u"a\nb\n"_s;
    QTest::addRow("lf") << QByteArray("a\nb") << u"a\nb"_s;
    QTest::addRow("binary with nul") << QByteArray("GIF89a\0\x01\xFF\xFE\0\n\x80", 13) << QString();
    QTest::addRow("empty") << QByteArray() << QString();
    QTest::addRow("crlf with one bare lf")
        << QByteArray("<p>a</p>\r\n<p>b</p>\n<p>c</p>\r\n") << u"<p>a</p>\n<p>b</p>\n<p>c</p>\n"_s;
    QByteArray binary;
    for (int i = 0; i < 1024; ++i)
        binary.append(char(i * 13 % 256));
    QTest::addRow("binary, every byte with cr and nul") << binary << QString();
}

void EditorControlTest::loadSaveRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QTemporaryDir dir;
    const QString in = dir.filePath(u"in.htm"_s);
    const QString out = dir.filePath(u"out.htm"_s);
    QVERIFY(TestEnvironment::writeFile(in, bytes));

    EditorControl &e = *m_editor;
    e.SetText(u"previous page"_s);
    QVERIFY(e.LoadFromFile(in));
    if (!text.isEmpty())
        QCOMPARE(e.Text(), text);
    QVERIFY(!e.Modified());
    QVERIFY(!e.CanUndo());
    QVERIFY(e.SaveToFile(out));
    QCOMPARE(TestEnvironment::readFile(out), bytes);
}

void EditorControlTest::saveStyles_data()
{
    QTest::addColumn<bool>("mac");
    QTest::addColumn<bool>("unix");
    QTest::addColumn<QByteArray>("bytes");

    QTest::addRow("default keeps the file's crlf") << false << false << QByteArray("a\r\nb\r\n");
    QTest::addRow("mac style") << true << false << QByteArray("a\rb\r");
    QTest::addRow("unix style") << false << true << QByteArray("a\nb\n");
    QTest::addRow("mac style wins") << true << true << QByteArray("a\rb\r");
}

void EditorControlTest::saveStyles()
{
    QFETCH(bool, mac);
    QFETCH(bool, unix);
    QFETCH(QByteArray, bytes);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.htm"_s);
    QVERIFY(TestEnvironment::writeFile(path, "a\r\nb\r\n"));
    EditorControl &e = *m_editor;
    QVERIFY(e.LoadFromFile(path));
    e.SetMacStyleSave(mac);
    e.SetUnixStyleSave(unix);
    QVERIFY(e.SaveToFile(path));
    QCOMPARE(TestEnvironment::readFile(path), bytes);
    QCOMPARE(e.FileFormat().lineEnd, TextFileFormat::LineEnd::CRLF);
}

void EditorControlTest::saveFallsBackToUtf8()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.htm"_s);
    QVERIFY(TestEnvironment::writeFile(path, "caf\xE9\n"));
    EditorControl &e = *m_editor;
    QVERIFY(e.LoadFromFile(path));
    QCOMPARE(e.FileFormat().encoding, TextFileFormat::Encoding::Windows1252);

    e.AppendText(u"Ω"_s);
    QVERIFY(e.SaveToFile(path));
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("caf\xC3\xA9\n\xCE\xA9"));
    QCOMPARE(e.FileFormat().encoding, TextFileFormat::Encoding::Utf8);
}

void EditorControlTest::failedSave()
{
    QTemporaryDir dir;
    const QString notADirectory = dir.filePath(u"plain.txt"_s);
    QVERIFY(TestEnvironment::writeFile(notADirectory, "x"));
    const QString path = notADirectory + u"/page.htm"_s;

    EditorControl &e = *m_editor;
    e.SetText(u"text"_s);
    const Result result = e.SaveToFile(path);
    QVERIFY(!result);
    QVERIFY2(result.error().contains(path), qPrintable(result.error()));
    QVERIFY(e.Modified());
}

void EditorControlTest::failedSaveKeepsTheOldFile()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.htm"_s);
    QVERIFY(TestEnvironment::writeFile(path, "<p>old</p>\n"));
    EditorControl &e = *m_editor;
    QVERIFY(e.LoadFromFile(path));
    e.AppendText(QString(100000, u'x'));

    Result result = Result::success();
    {
        FileSizeLimit limit(4096);
        if (!limit.active())
            QSKIP("cannot limit the file size here");
        result = e.SaveToFile(path);
    }
    QVERIFY(!result);
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("<p>old</p>\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"page.htm"_s });
    QVERIFY(e.Modified());
#else
    QSKIP("needs a file size limit");
#endif
}

void EditorControlTest::failedLoadKeepsTheText()
{
    QTemporaryDir dir;
    EditorControl &e = *m_editor;
    e.SetText(u"keep me"_s);
    const QString missing = dir.filePath(u"missing.htm"_s);
    const Result result = e.LoadFromFile(missing);
    QVERIFY(!result);
    QVERIFY2(result.error().contains(missing), qPrintable(result.error()));
    QCOMPARE(e.Text(), u"keep me"_s);
}

void EditorControlTest::modifiedFlag()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.htm"_s);
    QVERIFY(TestEnvironment::writeFile(path, "<p>x</p>"));

    EditorControl &e = *m_editor;
    QSignalSpy changes(&e, &EditorControl::OnChange);
    e.SetText(u"abc"_s);
    QVERIFY(e.Modified());
    QVERIFY(changes.count() > 0);

    QVERIFY(e.LoadFromFile(path));
    QVERIFY(!e.Modified());
    changes.clear();
    e.InsertAtLine(1, 0, u"a"_s);
    QVERIFY(e.Modified());
    QCOMPARE(changes.count(), 1);

    e.SetModified(false);
    QVERIFY(!e.Modified());
    e.SetModified(true);
    QVERIFY(e.Modified());
    QVERIFY(e.SaveToFile(path));
    QVERIFY(e.Modified()); // the caller clears it
}

void EditorControlTest::undoLimitZeroTurnsUndoOff()
{
    EditorControl &e = *m_editor;
    e.SetText(u"abc"_s);
    QVERIFY(e.CanUndo());
    e.SetUndoLimit(0);
    QVERIFY(!e.CanUndo());
    e.AppendText(u"d"_s);
    QVERIFY(!e.CanUndo());
    e.SetUndoLimit(50);
    e.AppendText(u"e"_s);
    QVERIFY(e.CanUndo());
    e.Undo();
    QCOMPARE(e.Text(), u"abcd"_s);
}

void EditorControlTest::keyEvents()
{
    EditorControl &e = *m_editor;
    QWidget *target = e.focusProxy();
    QVERIFY(target);
    QSignalSpy typed(&e, &EditorControl::OnKeyPress);
    QSignalSpy released(&e, &EditorControl::OnKeyUp);

    typeText(target, u"aé"_s);
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Left);

    QCOMPARE(e.Text(), u"aé\n\n"_s);
    QCOMPARE(typed.count(), 4);
    QCOMPARE(typed.at(0).at(0).value<QChar>(), u'a');
    QCOMPARE(typed.at(1).at(0).value<QChar>(), u'é');
    QCOMPARE(typed.at(2).at(0).value<QChar>(), u'\r');
    QCOMPARE(typed.at(3).at(0).value<QChar>(), u'\n');
    QVERIFY(released.count() >= 5); // modifier keys come and go as well
    QCOMPARE(released.first().at(0).toInt(), int(Qt::Key_A));
    QCOMPARE(released.last().at(0).toInt(), int(Qt::Key_Left));
}

void EditorControlTest::discardedKeyIsNotTyped()
{
    // A handler may put an entity in place of the typed character.
    EditorControl &e = *m_editor;
    connect(&e, &EditorControl::OnKeyPress, &e, [&e](QChar c) {
        if (c == u'é') {
            e.ReplaceSelection(u"&eacute;"_s);
            e.DiscardKeyPress();
        }
    });
    typeText(e.focusProxy(), u"café!"_s);
    QCOMPARE(e.Text(), u"caf&eacute;!"_s);
}

void EditorControlTest::releasedKeysReachTheirActions_data()
{
    QTest::addColumn<QKeySequence>("menuKey");
    QTest::addColumn<QKeySequence>("typed");
    QTest::addColumn<int>("triggered");
    QTest::addColumn<QString>("text");

    const QKeySequence upper(Qt::CTRL | Qt::SHIFT | Qt::Key_U);
    const QKeySequence lower(Qt::CTRL | Qt::Key_U);
    const QKeySequence duplicate(Qt::CTRL | Qt::Key_D);
    QTest::addRow("Ctrl+Shift+U: the menu's, not upper case") << upper << upper << 1 << "abc";
    QTest::addRow("Ctrl+U: the menu's, not lower case") << lower << lower << 1 << "abc";
    QTest::addRow("Ctrl+D: the menu's, not a duplicate") << duplicate << duplicate << 1 << "abc";
    QTest::addRow("a key no menu uses stays the editor's") << upper << duplicate << 0 << "abcabc";
}

void EditorControlTest::releasedKeysReachTheirActions()
{
    QFETCH(QKeySequence, menuKey);
    QFETCH(QKeySequence, typed);
    QFETCH(int, triggered);
    QFETCH(QString, text);

    QWidget window;
    auto *editor = new EditorControl(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(editor);
    // The action sits in a submenu, as menu items do.
    QMenu menu;
    QMenu *submenu = menu.addMenu(u"Sub"_s);
    QAction *action = submenu->addAction(u"Item"_s);
    action->setShortcut(menuKey);
    window.addAction(action);
    QSignalSpy spy(action, &QAction::triggered);
    editor->ReleaseKeys({ menu.menuAction() });

    editor->SetText(u"abc"_s);
    editor->SelectAll();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    editor->setFocus();
    QTest::keySequence(QApplication::focusWidget(), typed);
    QCOMPARE(spy.count(), triggered);
    QCOMPARE(editor->Text(), text);
}

void EditorControlTest::insertKeyChangesMode()
{
    EditorControl &e = *m_editor;
    QSignalSpy modes(&e, &EditorControl::OnChangeMode);
    e.SetText(u"abc"_s);
    QTest::keyClick(e.focusProxy(), Qt::Key_Insert);
    QVERIFY(!e.InsertMode());
    QCOMPARE(modes.count(), 1);
    QCOMPARE(modes.at(0).at(0).toBool(), false);
    QTest::keyClick(e.focusProxy(), Qt::Key_X);
    QCOMPARE(e.Text(), u"xbc"_s);
    QTest::keyClick(e.focusProxy(), Qt::Key_Insert);
    QVERIFY(e.InsertMode());
    QCOMPARE(modes.last().at(0).toBool(), true);
}

void EditorControlTest::mouseEvents()
{
    EditorControl &e = *m_editor;
    e.resize(400, 300);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    e.SetText(u"hello world\nsecond"_s);
    auto *sci = qobject_cast<QsciScintilla *>(e.focusProxy());
    QVERIFY(sci);
    QWidget *viewport = sci->viewport();
    const long onSecond = sci->positionFromLineIndex(1, 2);
    const QPoint onSecondLine(
        int(sci->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, onSecond)),
        int(sci->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0, onSecond))
            + int(sci->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 1)) / 2);

    QSignalSpy down(&e, &EditorControl::OnMouseDown);
    QSignalSpy clicks(&e, &EditorControl::OnClick);
    QSignalSpy doubles(&e, &EditorControl::OnDblClick);

    int clickLine = 0;
    connect(&e, &EditorControl::OnClick, &e, [&] {
        e.ReadSelection();
        clickLine = e.StartLine;
    });
    QTest::mouseClick(viewport, Qt::LeftButton, {}, onSecondLine);
    QCOMPARE(down.count(), 1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clickLine, 2); // the handler sees where the click put the caret

    QString word;
    connect(&e, &EditorControl::OnDblClick, &e, [&] { word = e.GetSelText(); });
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, onSecondLine);
    QCOMPARE(doubles.count(), 1);
    QCOMPARE(word, u"second"_s);
}

void EditorControlTest::caretMovesAndBraces()
{
    EditorControl &e = *m_editor;
    e.SetText(u"<p>\nécrit (x)"_s);
    QSignalSpy moves(&e, &EditorControl::CaretMoved);
    QSignalSpy braces(&e, &EditorControl::OnFindBrace);

    select(e, { 2, 2, 2, 2 });
    QCOMPARE(moves.count(), 1);
    QCOMPARE(moves.last(), (QList<QVariant> { 2, 2 }));
    QCOMPARE(braces.count(), 0);

    select(e, { 2, 6, 2, 6 }); // just before "("
    QCOMPARE(moves.last(), (QList<QVariant> { 2, 6 }));
    QCOMPARE(braces.count(), 1);
    select(e, { 1, 3, 1, 3 }); // just after ">"
    QCOMPARE(braces.count(), 2);
}

void EditorControlTest::scrollPosition()
{
    EditorControl &e = *m_editor;
    e.resize(300, 200);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QStringList lines;
    for (int i = 1; i <= 200; ++i)
        lines << u"line %1 "_s.arg(i) + QString(300, u'x');
    e.SetText(lines.join(u'\r'));
    select(e, { 5, 3, 5, 3 });

    e.SetFirstVisibleLine(50);
    e.SetFirstVisiblePos(120);
    QCOMPARE(e.FirstVisibleLine(), 50);
    QCOMPARE(e.FirstVisiblePos(), 120);
    QCOMPARE(readSelection(e), (Selection { 5, 3, 5, 3 })); // scrolling moves no caret

    e.SetFirstVisibleLine(0);
    e.SetFirstVisiblePos(-5);
    QCOMPARE(e.FirstVisibleLine(), 1);
    QCOMPARE(e.FirstVisiblePos(), 0);
}

void EditorControlTest::findDialog()
{
    EditorControl &e = *m_editor;
    e.SetText(u"one Two two\nTWO"_s);
    onNextDialog([](QDialog *dialog) {
        child<QLineEdit>(dialog, "FindText")->setText(u"two"_s);
        child<QCheckBox>(dialog, "MatchCase")->setChecked(true);
        child<QPushButton>(dialog, "FindNextButton")->click();
        QVERIFY(child<QLabel>(dialog, "Status")->text().isEmpty());
        child<QPushButton>(dialog, "FindNextButton")->click();
        QVERIFY(child<QLabel>(dialog, "Status")->text().contains(u"two"_s));
        dialog->reject();
    });
    e.FindDialog();
    QCOMPARE(readSelection(e), (Selection { 1, 8, 1, 11 }));

    // F3 repeats with the dialog's options: case still matters.
    e.SetText(u"two TWO two"_s);
    e.FindNext();
    QCOMPARE(readSelection(e), (Selection { 1, 0, 1, 3 }));
    e.FindNext();
    QCOMPARE(readSelection(e), (Selection { 1, 8, 1, 11 }));
}

void EditorControlTest::replaceDialogReplacesAll()
{
    EditorControl &e = *m_editor;
    e.SetText(u"<B>a</B> <b>c</b>"_s);
    onNextDialog([](QDialog *dialog) {
        child<QLineEdit>(dialog, "FindText")->setText(u"<b>"_s);
        child<QLineEdit>(dialog, "ReplaceText")->setText(u"<strong>"_s);
        child<QPushButton>(dialog, "ReplaceAllButton")->click();
        QVERIFY(child<QLabel>(dialog, "Status")->text().contains(u'2'));
        dialog->reject();
    });
    e.ReplaceDialog();
    QCOMPARE(e.Text(), u"<strong>a</B> <strong>c</b>"_s);
    e.Undo();
    QCOMPARE(e.Text(), u"<B>a</B> <b>c</b>"_s);
}

void EditorControlTest::goToLineDialog()
{
    EditorControl &e = *m_editor;
    e.SetText(twelveLines);
    onNextDialog([](QDialog *dialog) {
        auto *line = child<QSpinBox>(dialog, "LineNumber");
        QCOMPARE(line->maximum(), 12);
        line->setValue(7);
        dialog->accept();
    });
    e.GoToLineDialog();
    QCOMPARE(readSelection(e), (Selection { 7, 0, 7, 0 }));
}

void EditorControlTest::foldsOfElementsAndComments()
{
    EditorControl &e = *m_editor;
    e.LoadFromText(QString::fromLatin1(foldedPage), {});
    QVERIFY(!e.Folding());
    QCOMPARE(scintillaOf(e)->marginWidth(2), 0);
    e.SetFolding(true);
    QVERIFY(e.Folding());
    QVERIFY(scintillaOf(e)->marginWidth(2) > 0);
    // Elements over several lines and the comment fold; one-line elements do not.
    for (int line : { 1, 2, 3, 5, 6 })
        QVERIFY2(isFoldHeader(e, line), qPrintable(QString::number(line)));
    for (int line : { 4, 7, 8 })
        QVERIFY2(!isFoldHeader(e, line), qPrintable(QString::number(line)));
    // Plain text has no folds; the colouring back brings them back.
    e.SetHighlight(false);
    QVERIFY(!isFoldHeader(e, 1));
    e.SetHighlight(true);
    QVERIFY(isFoldHeader(e, 1) && isFoldHeader(e, 3));
    QVERIFY(scintillaOf(e)->marginWidth(2) > 0);
}

void EditorControlTest::foldedTextIsSaved_data()
{
    QTest::addColumn<QList<int>>("marks"); // fold marks clicked; none: every fold closed
    QTest::addColumn<int>("hidden");
    QTest::addRow("the table") << QList<int> { 5 } << 4;
    QTest::addRow("the comment") << QList<int> { 3 } << 1;
    QTest::addRow("a row inside the closed table") << QList<int> { 6, 5 } << 4;
    QTest::addRow("the whole page") << QList<int> { 1 } << 10;
    QTest::addRow("every fold") << QList<int> {} << 10;
}

void EditorControlTest::foldedTextIsSaved()
{
    QFETCH(QList<int>, marks);
    QFETCH(int, hidden);

    QTemporaryDir dir;
    const QString in = dir.filePath(u"in.htm"_s);
    const QString out = dir.filePath(u"out.htm"_s);
    QVERIFY(TestEnvironment::writeFile(in, foldedPage));
    EditorControl &e = *m_editor;
    e.resize(400, 400);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    e.SetFolding(true);
    QVERIFY(e.LoadFromFile(in));
    const QString text = e.Text();
    isFoldHeader(e, 1); // lexed, so the fold levels are known
    if (marks.isEmpty())
        sci(e, QsciScintillaBase::SCI_FOLDALL, QsciScintillaBase::SC_FOLDACTION_CONTRACT);
    for (int line : std::as_const(marks))
        clickFoldMark(e, line);
    QCOMPARE(hiddenLines(e), hidden);

    QCOMPARE(e.Text(), text);
    QCOMPARE(e.TextLength(), int(text.size()));
    QVERIFY(e.SaveToFile(out));
    QCOMPARE(TestEnvironment::readFile(out), foldedPage);
    QCOMPARE(hiddenLines(e), hidden); // saving leaves the folds as they are
}

void EditorControlTest::foldedTextOnTheClipboard_data()
{
    QTest::addColumn<QString>("how");
    QTest::addRow("select all, copy") << u"copy all"_s;
    QTest::addRow("select all, cut, paste") << u"cut all"_s;
    QTest::addRow("lines around the fold, cut, paste") << u"cut lines"_s;
    QTest::addRow("lines around the fold, internal copy") << u"selected text"_s;
}

void EditorControlTest::foldedTextOnTheClipboard()
{
    QFETCH(QString, how);
    EditorControl &e = *m_editor;
    e.SetFolding(true);
    e.LoadFromText(QString::fromLatin1(foldedPage), {});
    const QString text = e.Text();
    isFoldHeader(e, 1);
    sci(e, QsciScintillaBase::SCI_FOLDLINE, 4, QsciScintillaBase::SC_FOLDACTION_CONTRACT);
    QVERIFY(!lineShown(e, 7));

    // From the line before the table to the line after it.
    const QString around = text.section(u'\n', 3, 8) + u'\n';
    if (how.endsWith(u"all"_s))
        e.SelectAll();
    else
        select(e, { 4, 0, 10, 0 });
    if (how == u"selected text"_s) {
        QCOMPARE(e.GetSelText(), around);
        return;
    }
    if (how.startsWith(u"cut"_s))
        e.CutToClipboard();
    else
        e.CopyToClipboard();
    QCOMPARE(QApplication::clipboard()->text(), how.endsWith(u"all"_s) ? text : around);
    if (how.startsWith(u"cut"_s)) {
        QVERIFY(e.Text() != text);
        e.PasteFromClipboard();
    }
    QCOMPARE(e.Text(), text);
}

void EditorControlTest::foldingOffOpensEveryFold()
{
    EditorControl &e = *m_editor;
    e.SetFolding(true);
    e.LoadFromText(QString::fromLatin1(foldedPage), {});
    isFoldHeader(e, 1);
    sci(e, QsciScintillaBase::SCI_FOLDALL, QsciScintillaBase::SC_FOLDACTION_CONTRACT);
    QVERIFY(hiddenLines(e) > 0);
    e.SetFolding(false);
    QCOMPARE(hiddenLines(e), 0);
    QCOMPARE(scintillaOf(e)->marginWidth(2), 0);
    QVERIFY(sci(e, QsciScintillaBase::SCI_GETFOLDEXPANDED, 0));
    QCOMPARE(e.Text().toLatin1(), QByteArray(foldedPage).replace("\r\n", "\n"));
}

void EditorControlTest::programSelectionOpensTheFold()
{
    EditorControl &e = *m_editor;
    e.SetFolding(true);
    e.LoadFromText(QString::fromLatin1(foldedPage), {});
    isFoldHeader(e, 1);
    sci(e, QsciScintillaBase::SCI_FOLDLINE, 4, QsciScintillaBase::SC_FOLDACTION_CONTRACT);
    QVERIFY(!lineShown(e, 7));
    QCOMPARE(e.FindText(u"one"_s), 1);
    QVERIFY(lineShown(e, 7));

    sci(e, QsciScintillaBase::SCI_FOLDLINE, 2, QsciScintillaBase::SC_FOLDACTION_CONTRACT);
    QVERIFY(!lineShown(e, 4));
    select(e, { 4, 0, 4, 4 });
    QVERIFY(lineShown(e, 4));
    QCOMPARE(e.GetSelText(), u"over"_s);

    const auto foldTable = [&] {
        sci(e, QsciScintillaBase::SCI_FOLDLINE, 4, QsciScintillaBase::SC_FOLDACTION_CONTRACT);
        QVERIFY(!lineShown(e, 8));
    };
    select(e, { 8, 0, 8, 0 });
    e.SetBookmark(2);
    foldTable();
    e.GotoBookmark(2);
    QVERIFY(lineShown(e, 8));
    foldTable();
    onNextDialog([](QDialog *dialog) {
        child<QSpinBox>(dialog, "LineNumber")->setValue(8);
        dialog->accept();
    });
    e.GoToLineDialog();
    QVERIFY(lineShown(e, 8));
    select(e, { 1, 0, 1, 0 });
    QCOMPARE(e.FindText(u"TD"_s), 1);
    QVERIFY(lineShown(e, 7));
    sci(e, QsciScintillaBase::SCI_FOLDLINE, 4, QsciScintillaBase::SC_FOLDACTION_CONTRACT);
    QVERIFY(!lineShown(e, 7));
    e.FindNext(); // the "TD" of the end tag
    QCOMPARE(readSelection(e), (Selection { 7, 9, 7, 11 }));
    QVERIFY(lineShown(e, 7));
}

void EditorControlTest::typingInAClosedFoldOpensIt()
{
    // A fold closed over the caret: what is typed there is not typed unseen.
    EditorControl &e = *m_editor;
    e.resize(400, 400);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    e.SetFolding(true);
    e.LoadFromText(QString::fromLatin1(foldedPage), {});
    select(e, { 7, 4, 7, 4 });
    isFoldHeader(e, 1);
    clickFoldMark(e, 5);
    QVERIFY(!lineShown(e, 7));
    typeText(e.focusProxy(), u"x"_s);
    e.ReadSelection();
    QVERIFY(lineShown(e, e.EndLine));
    QCOMPARE(e.Text().count(u'x'), 1);
}

void EditorControlTest::innerFoldStaysClosed()
{
    EditorControl &e = *m_editor;
    e.resize(400, 400);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    e.SetFolding(true);
    e.LoadFromText(QString::fromLatin1(foldedPage), {});
    isFoldHeader(e, 1);
    clickFoldMark(e, 6); // the row
    clickFoldMark(e, 5); // the table around it
    QCOMPARE(hiddenLines(e), 4);
    clickFoldMark(e, 5);
    QVERIFY(lineShown(e, 6) && lineShown(e, 9));
    QVERIFY(!lineShown(e, 7) && !lineShown(e, 8));
    clickFoldMark(e, 6);
    QCOMPARE(hiddenLines(e), 0);
}

void EditorControlTest::newTextStartsUnfolded()
{
    EditorControl &e = *m_editor;
    e.SetFolding(true);
    e.LoadFromText(QString::fromLatin1(foldedPage), {});
    isFoldHeader(e, 1);
    sci(e, QsciScintillaBase::SCI_FOLDALL, QsciScintillaBase::SC_FOLDACTION_CONTRACT);
    QVERIFY(hiddenLines(e) > 0);
    // Another page in the editor (a tab switch) starts with every line shown.
    e.LoadFromText(u"<P>\none\n</P>\n<P>\ntwo\n</P>"_s, {});
    QCOMPARE(hiddenLines(e), 0);
    QVERIFY(isFoldHeader(e, 1));
    QVERIFY(sci(e, QsciScintillaBase::SCI_GETFOLDEXPANDED, 0));
    e.SetText(u"<P>\nthree\n</P>"_s);
    QCOMPARE(hiddenLines(e), 0);
}

void EditorControlTest::textNearTheCaret()
{
    EditorControl &e = *m_editor;
    e.SetText(u"ab\n\u00e9\u4e2d\U0001F600cd"_s);
    select(e, { 2, 4, 2, 4 }); // behind the emoji
    QCOMPARE(e.TextBeforeCaret(100), u"ab\n\u00e9\u4e2d\U0001F600"_s);
    QCOMPARE(e.TextBeforeCaret(0), QString());
    // Four bytes hold the emoji only; five reach into the CJK character, which
    // is left out rather than cut.
    QCOMPARE(e.TextBeforeCaret(4), u"\U0001F600"_s);
    QCOMPARE(e.TextBeforeCaret(5), u"\U0001F600"_s);
    QCOMPARE(e.TextBeforeCaret(7), u"\u4e2d\U0001F600"_s);
    QCOMPARE(e.TextAfterCaret(100), u"cd"_s);
    select(e, { 2, 0, 2, 0 });
    QCOMPARE(e.TextAfterCaret(1), QString()); // the first byte of a two-byte character
    QCOMPARE(e.TextAfterCaret(2), u"\u00e9"_s);
    QCOMPARE(e.TextAfterCaret(4), u"\u00e9"_s);
    QCOMPARE(e.TextAfterCaret(5), u"\u00e9\u4e2d"_s);
    QCOMPARE(e.TextBeforeCaret(2), u"b\n"_s);
}

void EditorControlTest::replaceAroundCaret_data()
{
    QTest::addColumn<Selection>("caret");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<Selection>("caretAfter");

    QTest::addRow("the typed part") << Selection { 1, 3, 1, 3 } << 2 << 0 << u"table"_s
                                    << u"<table>\nx"_s << Selection { 1, 6, 1, 6 };
    QTest::addRow("and a quote behind") << Selection { 1, 3, 1, 3 } << 2 << 1 << u"tr\""_s
                                        << u"<tr\"\nx"_s << Selection { 1, 4, 1, 4 };
    QTest::addRow("more than there is before")
        << Selection { 1, 1, 1, 1 } << 9 << 0 << u"["_s << u"[ta>\nx"_s << Selection { 1, 1, 1, 1 };
    QTest::addRow("more than there is after")
        << Selection { 2, 0, 2, 0 } << 0 << 9 << u"y"_s << u"<ta>\ny"_s << Selection { 2, 1, 2, 1 };
    QTest::addRow("beyond the Basic Latin") << Selection { 2, 1, 2, 1 } << 1 << 0 << u"\U0001F600"_s
                                            << u"<ta>\n\U0001F600"_s << Selection { 2, 2, 2, 2 };
}

void EditorControlTest::replaceAroundCaret()
{
    QFETCH(Selection, caret);
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(Selection, caretAfter);

    EditorControl &e = *m_editor;
    e.LoadFromText(u"<ta>\nx"_s, {});
    select(e, caret);
    e.ReplaceAroundCaret(before, after, text);
    QCOMPARE(e.Text(), expected);
    QCOMPARE(readSelection(e), caretAfter);
    e.Undo(); // one step
    QCOMPARE(e.Text(), u"<ta>\nx"_s);
}

void EditorControlTest::userList()
{
    EditorControl &e = *m_editor;
    e.SetText(u"<"_s);
    select(e, { 1, 1, 1, 1 });
    QSignalSpy chosen(&e, &EditorControl::ListChosen);
    e.ShowList(3, { u"one"_s, u"two"_s });
    QVERIFY(e.ListActive());
    QTest::keyClick(e.focusProxy(), Qt::Key_Down);
    QTest::keyClick(e.focusProxy(), Qt::Key_Return);
    QVERIFY(!e.ListActive());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), 3);
    QCOMPARE(chosen.at(0).at(1).toString(), u"two"_s);
    QCOMPARE(e.Text(), u"<"_s); // the list's owner writes the choice

    e.ShowList(1, { u"x"_s });
    QVERIFY(e.ListActive());
    e.ShowList(1, {}); // nothing to show: closed
    QVERIFY(!e.ListActive());
    e.ShowList(1, { u"x"_s });
    e.CancelList();
    QVERIFY(!e.ListActive());
    QCOMPARE(chosen.count(), 1);
}

QTEST_MAIN(EditorControlTest)
#include "tst_editorcontrol.moc"
