// SPDX-License-Identifier: GPL-3.0-or-later
// Times the tag tools on a 1 MB page in the real editor control, without
// the preview (its refresh is timed by bench_preview): wrapping a 100 KB
// selection, the quick table of 1000 rows by 30 columns, the list of 1600
// items, one update of the position lights per caret move (on a page of
// many lines and on one 1 MB line, the first after an edit included) and
// HighlightTag of the BODY tag and of the closing tag at the page's end.
// Each operation is also done on a bare QsciScintilla with the same settings
// and the same page, the Scintilla way (byte positions, its own searches),
// in turns with ours; "ratio" is our median over the bare one. The bare
// control is handed the same markup, built by the same builder.
// Every figure is the median of the repetitions, in milliseconds.
// Usage: bench_tags [repetitions [part of a name]]   (runs offscreen unless
// told otherwise); with a name, only the operations whose names hold it.

#include "benchpages.h"
#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "tags/editorcursor.h"
#include "tags/markupbuilder.h"
#include "tags/tagawareediting.h"
#include "tags/taginserter.h"

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

using namespace Tarnwick;

namespace {

// About 1 MB of markup in lines of some 60 characters.
QString manyLines()
{
    return BenchPages::manyLines();
}

// The same amount of text on one line.
QString oneLine()
{
    QString text = manyLines();
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double elapsed(const std::function<void()> &act)
{
    QElapsedTimer clock;
    clock.start();
    act();
    return double(clock.nsecsElapsed()) / 1e6;
}

// Our operation and the bare control's, in turns, each after its own
// untimed preparation.
struct Side
{
    std::function<void()> prepare;
    std::function<void()> act;
};

QString onlyThese;

void compare(const QString &what, int repetitions, const Side &ours, const Side &bare)
{
    if (!what.contains(onlyThese))
        return;
    std::vector<double> ourTimes;
    std::vector<double> bareTimes;
    for (int i = 0; i < repetitions; ++i) {
        ours.prepare();
        ourTimes.push_back(elapsed(ours.act));
        bare.prepare();
        bareTimes.push_back(elapsed(bare.act));
    }
    const double ourMedian = median(ourTimes);
    const double bareMedian = median(bareTimes);
    std::printf("%-46s %8.2f %8.2f %8.2f %6.2f\n", qPrintable(what), ourMedian,
                *std::min_element(ourTimes.begin(), ourTimes.end()), bareMedian,
                bareMedian > 0 ? ourMedian / bareMedian : 0.0);
}

void place(EditorControl &editor, int line, int from, int to)
{
    EditorCursor::SetEditorSelection(editor, line, from, to, line);
}

// A QsciScintilla set up as the editor control sets up its own, used the
// way a program written straight against Scintilla would use it.
class Bare
{
public:
    Bare()
    {
        using Sci = QsciScintilla;
        m_sci.resize(800, 600);
        m_sci.setUtf8(true);
        m_sci.setEolMode(Sci::EolUnix);
        m_sci.setEolVisibility(false);
        m_sci.setBraceMatching(Sci::SloppyBraceMatch);
        m_sci.setIndentationsUseTabs(true);
        m_sci.setTabWidth(5);
        m_sci.setAutoIndent(true);
        m_sci.setWrapMode(Sci::WrapNone);
        send(QsciScintillaBase::SCI_SETLAYOUTCACHE, QsciScintillaBase::SC_CACHE_DOCUMENT);
        m_sci.setMarginWidth(0, 0);
        m_sci.setMarginWidth(1, 16);
        m_sci.setMarginMarkerMask(1, 0xffff);
        m_sci.setMarginWidth(2, 0);
        for (int i = 0; i < 16; ++i)
            m_sci.markerDefine(Sci::SmallRectangle, i);
        const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        m_lexer.setDefaultFont(font);
        m_lexer.setDefaultColor(Qt::black);
        m_lexer.setDefaultPaper(Qt::white);
        m_lexer.setFont(font, -1);
        m_sci.setLexer(&m_lexer);
        m_sci.setSelectionBackgroundColor(QColor(0, 0, 128));
        m_sci.setSelectionForegroundColor(Qt::white);
    }
    ~Bare() { m_sci.setLexer(nullptr); }

    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0)
    {
        return m_sci.SendScintilla(message, wParam, lParam);
    }
    long send(unsigned int message, unsigned long wParam, const char *text)
    {
        return m_sci.SendScintilla(message, wParam, text);
    }

    void load(const QByteArray &text)
    {
        send(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0);
        send(QsciScintillaBase::SCI_CLEARALL);
        send(QsciScintillaBase::SCI_APPENDTEXT, text.size(), text.constData());
        send(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1);
        send(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
        send(QsciScintillaBase::SCI_SETSAVEPOINT);
        send(QsciScintillaBase::SCI_GOTOPOS, 0);
    }

    // Line from 1 and column in UTF-16 code units, as the tag tools have them.
    long position(int line, int column)
    {
        const long start = send(QsciScintillaBase::SCI_POSITIONFROMLINE, line - 1);
        return column > 0 ? send(QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, start, column)
                          : start;
    }

    void select(long anchor, long caret) { send(QsciScintillaBase::SCI_SETSEL, anchor, caret); }

    void wrap(const char *open, const char *close)
    {
        const long start = send(QsciScintillaBase::SCI_GETSELECTIONSTART);
        const long end = send(QsciScintillaBase::SCI_GETSELECTIONEND);
        send(QsciScintillaBase::SCI_BEGINUNDOACTION);
        send(QsciScintillaBase::SCI_INSERTTEXT, end, close);
        send(QsciScintillaBase::SCI_INSERTTEXT, start, open);
        send(QsciScintillaBase::SCI_ENDUNDOACTION);
        select(start, end + long(std::strlen(open) + std::strlen(close)));
    }

    void insert(const QString &text) { m_sci.replaceSelectedText(text); }

    // [start, end) of the match, -1 when there is none; ignoring case.
    std::pair<long, long> find(const char *text, long from, long to)
    {
        send(QsciScintillaBase::SCI_SETSEARCHFLAGS, 0);
        send(QsciScintillaBase::SCI_SETTARGETRANGE, from, to);
        if (send(QsciScintillaBase::SCI_SEARCHINTARGET, std::strlen(text), text) < 0)
            return { -1, -1 };
        return { send(QsciScintillaBase::SCI_GETTARGETSTART),
                 send(QsciScintillaBase::SCI_GETTARGETEND) };
    }

    long length() { return send(QsciScintillaBase::SCI_GETLENGTH); }
    QWidget *widget() { return &m_sci; }

    // The body's bounds and the two lights, by positions and by looking at
    // the characters around the caret.
    void findBody()
    {
        m_bodyOpen = find("<body", 0, length()).second;
        m_bodyClose = m_bodyOpen < 0 ? -1 : find("</body", m_bodyOpen, length()).first;
    }
    std::pair<bool, bool> lights()
    {
        const long caret = send(QsciScintillaBase::SCI_GETCURRENTPOS);
        const bool inside
            = m_bodyOpen >= 0 && caret >= m_bodyOpen && (m_bodyClose < 0 || caret <= m_bodyClose);
        const long line = send(QsciScintillaBase::SCI_LINEFROMPOSITION, caret);
        const long start = send(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
        const long end = send(QsciScintillaBase::SCI_GETLINEENDPOSITION, line);
        bool inTag = false;
        long i = caret;
        for (; i < end; ++i) {
            const int c = int(send(QsciScintillaBase::SCI_GETCHARAT, i));
            if (c == '>' || c == '<') {
                inTag = c == '>';
                break;
            }
        }
        if (!inTag) {
            for (i = caret - 1; i >= start; --i) {
                const int c = int(send(QsciScintillaBase::SCI_GETCHARAT, i));
                if (c == '<' || c == '>') {
                    inTag = c == '<';
                    break;
                }
            }
        }
        return { inside, inTag };
    }

    // HighlightTag: open and close searched forward from the caret.
    bool highlightTag(const char *open, const char *close)
    {
        const long caret = send(QsciScintillaBase::SCI_GETCURRENTPOS);
        const auto first = find(open, caret, length());
        if (first.first < 0)
            return false;
        const auto second = find(close, first.second, length());
        if (second.first < 0)
            return false;
        select(first.first, second.second);
        return true;
    }

private:
    QsciScintilla m_sci;
    QsciLexerHTML m_lexer;
    long m_bodyOpen = -1;
    long m_bodyClose = -1;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    onlyThese = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    EditorControl editor;
    editor.resize(800, 600);
    ScriptedPrompter prompter;
    TagInserter inserter(&editor, &prompter,
                         { [] { return false; }, [] {}, [] { return TagSettings(); } });
    TagAwareEditing lights(&editor, &prompter, nullptr, { [] { return QString(); }, [] {} });
    lights.setHooked(true);
    Bare bare;

    const QString lines = manyLines();
    const QString line = oneLine();
    const QByteArray linesBytes = lines.toUtf8();
    const QByteArray lineBytes = line.toUtf8();
    std::printf("page: %lld characters, %d lines; %d repetitions\n", qlonglong(lines.size()),
                int(lines.count(QLatin1Char('\n'))) + 1, repetitions);
    std::printf("%-46s %8s %8s %8s %6s\n", "milliseconds", "median", "fastest", "bare", "ratio");

    const auto load = [&editor](const QString &text) { editor.LoadFromText(text, {}); };

    // 1700 lines of about 70 characters in the middle of the page.
    compare("wrap a 100 KB selection", repetitions,
            { [&] {
                 load(lines);
                 EditorCursor::SetEditorSelection(editor, 8000, 0, 0, 9700);
             },
              [&] { inserter.InsertSelected(QStringLiteral("<B>")); } },
            { [&] {
                 bare.load(linesBytes);
                 bare.select(bare.position(8000, 0), bare.position(9700, 0));
             },
              [&] { bare.wrap("<B>", "</B>"); } });
    compare("wrap 100 KB of one 1 MB line", repetitions,
            { [&] {
                 load(line);
                 place(editor, 1, 400000, 400000 + 100 * 1024);
             },
              [&] { inserter.InsertSelected(QStringLiteral("<B>")); } },
            { [&] {
                 bare.load(lineBytes);
                 bare.select(400000, 400000 + 100 * 1024);
             },
              [&] { bare.wrap("<B>", "</B>"); } });
    const MarkupBuilder::TableOptions table { true, 100, 1000, 30 };
    compare("quick table 1000 x 30", repetitions,
            { [&] {
                 load(lines);
                 place(editor, 5000, 0, 0);
             },
              [&] { inserter.QuickTableClick(table); } },
            { [&] {
                 bare.load(linesBytes);
                 bare.select(bare.position(5000, 0), bare.position(5000, 0));
             },
              [&] { bare.insert(MarkupBuilder::joinLines(MarkupBuilder::quickTable(table))); } });
    const MarkupBuilder::ListOptions list { true, 0, 0, 1, 1600 };
    compare("list of 1600 items", repetitions,
            { [&] {
                 load(lines);
                 place(editor, 5000, 0, 0);
             },
              [&] { inserter.AddListSBClick(list); } },
            { [&] {
                 bare.load(linesBytes);
                 bare.select(bare.position(5000, 0), bare.position(5000, 0));
             },
              [&] { bare.insert(MarkupBuilder::joinLines(MarkupBuilder::definedList(list))); } });

    for (const auto &[name, text, bytes] : { std::tuple { "many lines", lines, linesBytes },
                                             std::tuple { "one 1 MB line", line, lineBytes } }) {
        load(text);
        lights.updateLights(); // the body found once for this text
        bare.load(bytes);
        bare.findBody();
        const int lineCount = editor.LineCount();
        const int lineLength = editor.LineLength(1);
        // The same places for both, one step after the other.
        int step = 0;
        int bareStep = 0;
        const auto target = [&](int n) {
            const int to = lineCount > 1 ? 1 + (n * 7919) % lineCount : 1;
            const int column = lineCount > 1 ? 10 : (n * 104729) % lineLength;
            return std::pair { to, column };
        };
        const auto moveCaret = [&] {
            const auto [to, column] = target(++step);
            place(editor, to, column, column); // the caret move updates the lights
        };
        const auto moveBare = [&] {
            const auto [to, column] = target(++bareStep);
            const long position = bare.position(to, column);
            bare.select(position, position);
        };
        const QString suffix = QLatin1String(name);
        compare(QStringLiteral("caret move with the lights, ") + suffix, repetitions * 20,
                { [] {}, moveCaret },
                { [] {},
                  [&] {
                      moveBare();
                      bare.lights();
                  } });
        compare(QStringLiteral("light update alone, ") + suffix, repetitions * 20,
                { moveCaret, [&] { lights.updateLights(); } },
                { moveBare, [&] { bare.lights(); } });
        // After an edit the body is looked for again.
        const int middle = lineCount > 1 ? lineCount / 2 : 1;
        compare(QStringLiteral("first light update after an edit, ") + suffix, repetitions,
                { [&] {
                     place(editor, middle, 20, 20);
                     editor.ReplaceSelection(QStringLiteral("x"));
                 },
                  [&] { lights.updateLights(); } },
                { [&] {
                     const long position = bare.position(middle, 20);
                     bare.select(position, position);
                     bare.insert(QStringLiteral("x"));
                 },
                  [&] {
                      bare.findBody();
                      bare.lights();
                  } });
    }

    load(lines);
    bare.load(linesBytes);
    const auto top = [&editor] { EditorCursor::GoToTop(editor); };
    const auto bareTop = [&bare] { bare.select(0, 0); };
    compare("HighlightTag <body .. >", repetitions,
            { top,
              [&] {
                  EditorCursor::HighlightTag(editor, QStringLiteral("<body"), QStringLiteral(">"));
              } },
            { bareTop, [&] { bare.highlightTag("<body", ">"); } });
    compare("HighlightTag </body .. </html> at the end", repetitions,
            { top,
              [&] {
                  EditorCursor::HighlightTag(editor, QStringLiteral("</body"),
                                             QStringLiteral("</html>"));
              } },
            { bareTop, [&] { bare.highlightTag("</body", "</html>"); } });
    compare("HighlightTag, nothing found", repetitions,
            { top,
              [&] {
                  EditorCursor::HighlightTag(editor, QStringLiteral("<frameset"),
                                             QStringLiteral(">"));
              } },
            { bareTop, [&] { bare.highlightTag("<frameset", ">"); } });

    // On screen: a minified page behind a short first line. Each repaint
    // shows the long line, which the control lays out unless it kept the
    // layout from before.
    editor.show();
    bare.widget()->show();
    if (!QTest::qWaitForWindowExposed(&editor) || !QTest::qWaitForWindowExposed(bare.widget()))
        return 1;
    const QString minified = QStringLiteral("<!DOCTYPE html>\n") + line;
    const QByteArray minifiedBytes = minified.toUtf8();
    load(minified);
    bare.load(minifiedBytes);
    const auto paintOurs = [&editor] { editor.repaint(); };
    const auto paintBare = [&bare] { bare.widget()->repaint(); };
    paintOurs();
    paintBare();
    compare("on screen: caret off a 1 MB line and back", repetitions,
            { [] {},
              [&] {
                  place(editor, 1, 5, 5);
                  paintOurs();
                  place(editor, 2, 20, 20);
                  paintOurs();
              } },
            { [] {},
              [&] {
                  bare.select(5, 5);
                  paintBare();
                  const long position = bare.position(2, 20);
                  bare.select(position, position);
                  paintBare();
              } });
    compare("on screen: typing above a 1 MB line", repetitions,
            { [&] { place(editor, 1, 5, 5); },
              [&] {
                  editor.ReplaceSelection(QStringLiteral("x"));
                  paintOurs();
              } },
            { [&] { bare.select(5, 5); },
              [&] {
                  bare.insert(QStringLiteral("x"));
                  paintBare();
              } });
    return 0;
}
