// SPDX-License-Identifier: GPL-3.0-or-later
// Times the tag tools on a 1 MB page in the real editor control, without
// the preview (its refresh is timed by bench_preview): wrapping a 100 KB
// selection, the quick table of 1000 rows by 30 columns, the list of 1600
// items, one update of the position lights per caret move (on a page of
// many lines and on one 1 MB line, the first after an edit included) and
// HighlightTag of the BODY tag and of the closing tag at the page's end.
// Every figure is the median of the repetitions, in milliseconds.
// Usage: bench_tags [repetitions]   (runs offscreen unless told otherwise)

#include "benchtiming.h"
#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "tags/editorcursor.h"
#include "tags/tagawareediting.h"
#include "tags/taginserter.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Tarnwick;

namespace {

// About 1 MB of markup in lines of some 60 characters.
QString manyLines()
{
    QString text
        = QStringLiteral("<HTML><HEAD><TITLE>Bench</TITLE></HEAD>\n<BODY BGCOLOR=\"#FFFFFF\">\n");
    for (int row = 0; text.size() < 1024 * 1024; ++row)
        text += QStringLiteral(
                    "<P>Paragraph %1 with <B>bold</B> and <A HREF=\"p%1.htm\">a link</A>\n")
                    .arg(row);
    return text + QStringLiteral("</BODY>\n</HTML>\n");
}

// The same amount of text on one line.
QString oneLine()
{
    QString text = manyLines();
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

using BenchTiming::timeIt;
using BenchTiming::Times;

void report(const char *what, const Times &t)
{
    BenchTiming::print(what, t, 46);
}

void place(EditorControl &editor, int line, int from, int to)
{
    EditorCursor::SetEditorSelection(editor, line, from, to, line);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    EditorControl editor;
    editor.resize(800, 600);
    ScriptedPrompter prompter;
    TagInserter inserter(&editor, &prompter,
                         { [] { return false; }, [] {}, [] { return TagSettings(); } });
    TagAwareEditing lights(&editor, &prompter, nullptr, { [] { return QString(); }, [] {} });
    lights.setHooked(true);

    const QString lines = manyLines();
    const QString line = oneLine();
    std::printf("page: %lld characters, %d lines; %d repetitions\n", qlonglong(lines.size()),
                int(lines.count(QLatin1Char('\n'))) + 1, repetitions);
    std::printf("%-46s %8s %8s\n", "milliseconds", "median", "fastest");

    const auto load = [&editor](const QString &text) { editor.LoadFromText(text, {}); };

    // 1700 lines of about 70 characters in the middle of the page.
    report("wrap a 100 KB selection",
           timeIt(
               repetitions,
               [&] {
                   load(lines);
                   EditorCursor::SetEditorSelection(editor, 8000, 0, 0, 9700);
               },
               [&] { inserter.InsertSelected(QStringLiteral("<B>")); }));
    report("wrap 100 KB of one 1 MB line",
           timeIt(
               repetitions,
               [&] {
                   load(line);
                   place(editor, 1, 400000, 400000 + 100 * 1024);
               },
               [&] { inserter.InsertSelected(QStringLiteral("<B>")); }));
    report("quick table 1000 x 30",
           timeIt(
               repetitions,
               [&] {
                   load(lines);
                   place(editor, 5000, 0, 0);
               },
               [&] {
                   inserter.QuickTableClick({ true, 100, 1000, 30 });
               }));
    report("list of 1600 items",
           timeIt(
               repetitions,
               [&] {
                   load(lines);
                   place(editor, 5000, 0, 0);
               },
               [&] {
                   inserter.AddListSBClick({ true, 0, 0, 1, 1600 });
               }));

    for (const auto &[name, text] :
         { std::pair { "many lines", lines }, std::pair { "one 1 MB line", line } }) {
        load(text);
        lights.updateLights(); // the body found once for this text
        int step = 0;
        const int lineCount = editor.LineCount();
        const auto moveCaret = [&] {
            ++step;
            const int to = lineCount > 1 ? 1 + (step * 7919) % lineCount : 1;
            const int column = lineCount > 1 ? 10 : (step * 104729) % editor.LineLength(1);
            place(editor, to, column, column); // the caret move updates the lights
        };
        report(qPrintable(QStringLiteral("caret move with the lights, ") + QLatin1String(name)),
               timeIt(
                   repetitions * 20, [] {}, moveCaret));
        report(qPrintable(QStringLiteral("light update alone, ") + QLatin1String(name)),
               timeIt(repetitions * 20, moveCaret, [&] { lights.updateLights(); }));
        // After an edit the body is looked for again.
        report(
            qPrintable(QStringLiteral("first light update after an edit, ") + QLatin1String(name)),
            timeIt(
                repetitions,
                [&] {
                    place(editor, lineCount > 1 ? lineCount / 2 : 1, 20, 20);
                    editor.ReplaceSelection(QStringLiteral("x"));
                },
                [&] { lights.updateLights(); }));
    }

    load(lines);
    const auto top = [&editor] { EditorCursor::GoToTop(editor); };
    report("HighlightTag <body .. >", timeIt(repetitions, top, [&] {
               EditorCursor::HighlightTag(editor, QStringLiteral("<body"), QStringLiteral(">"));
           }));
    report("HighlightTag </body .. </html> at the end", timeIt(repetitions, top, [&] {
               EditorCursor::HighlightTag(editor, QStringLiteral("</body"),
                                          QStringLiteral("</html>"));
           }));
    report("HighlightTag, nothing found", timeIt(repetitions, top, [&] {
               EditorCursor::HighlightTag(editor, QStringLiteral("<frameset"), QStringLiteral(">"));
           }));
    return 0;
}
