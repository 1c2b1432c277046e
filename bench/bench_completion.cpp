// SPDX-License-Identifier: GPL-3.0-or-later
// Times completion while typing in the real editor control on a 1 MB page,
// on many lines and on one line: one key typed with completion on (a blank
// in text, where nothing is offered; "<" and "</", which open a list) beside
// the same key with completion off, and the reading of the text before the
// caret alone. The figures are the median and the fastest of the
// repetitions, in milliseconds per key.
// Usage: bench_completion [repetitions]   (runs offscreen unless told otherwise)

#include "benchpages.h"
#include "benchtiming.h"
#include "platform/editorcontrol.h"
#include "tags/completioncontext.h"
#include "tags/tagcompletion.h"

#include <QApplication>
#include <QTest>

#include <cstdio>

using namespace Tarnwick;

namespace {

// About 1 MB of markup in lines, the caret's body left open.
QString manyLines()
{
    return BenchPages::manyLines(QStringLiteral("<DIV>Last words"));
}

void typeKey(EditorControl &editor, QChar c)
{
    QTest::sendKeyEvent(QTest::Click, editor.focusProxy(), Qt::Key(c.unicode()), QString(c),
                        Qt::NoModifier);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 21;

    EditorControl editor;
    editor.resize(800, 600);
    editor.show();
    TagCompletion completion(&editor);
    std::printf("%d repetitions\n%-44s %8s %8s\n", repetitions, "milliseconds", "median",
                "fastest");

    const QString lines = manyLines();
    QString line = lines;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    for (const auto &[shape, page] : { std::pair { "many lines", lines }, { "one line", line } }) {
        editor.LoadFromText(page, {});
        editor.SetFolding(true);
        const auto atEnd = [&] {
            editor.CancelList();
            editor.SelectAll();
            editor.ReplaceSelection(page);
        };
        for (const auto &[what, keys] : { std::pair { "a blank in text", QStringLiteral(" ") },
                                          { "\"<\" (the elements)", QStringLiteral("<") },
                                          { "\"</\" (the open element)", QStringLiteral("</") } }) {
            for (const bool on : { true, false }) {
                completion.setOn(on);
                const BenchTiming::Times t = BenchTiming::timeIt(repetitions, atEnd, [&] {
                    for (QChar c : keys)
                        typeKey(editor, c);
                });
                const QString label = QStringLiteral("%1: %2, completion %3")
                                          .arg(QLatin1String(shape), QLatin1String(what),
                                               on ? QStringLiteral("on") : QStringLiteral("off"));
                BenchTiming::print(qPrintable(label), t, 44);
            }
        }
        atEnd();
        const BenchTiming::Times read = BenchTiming::timeIt(
            repetitions, [] {},
            [&] { CompletionContext::at(editor.TextBeforeCaret(CompletionContext::reach)); });
        BenchTiming::print(
            qPrintable(QStringLiteral("%1: reading before the caret").arg(QLatin1String(shape))),
            read, 44);
    }
    return 0;
}
