// SPDX-License-Identifier: GPL-3.0-or-later
// Times the page-wide tools on a 1 MB page in the real editor control:
// Remove Invalid Colors (a few thousand empty colours), Title, Update Last
// Modified, reading the BODY tag (find and SetBodyVars), CreateRainbow of
// 10,000 characters, and Strip HTML Codes through the real preview: load and
// read back, and read back alone when the preview shows the page already.
// Figures are the median and the fastest run, in ms.
// Usage: bench_cleanup [repetitions]   (runs offscreen unless told otherwise)

#include "benchrenderer.h"
#include "benchtiming.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "tags/bodysettings.h"
#include "tags/bodytag.h"
#include "tags/cleanuptools.h"
#include "tags/editorcursor.h"
#include "tags/rainbow.h"
#include "tags/stripcodes.h"
#include "tags/taginserter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Tarnwick;

namespace {

QString page()
{
    QString text
        = QStringLiteral("<HTML><HEAD><TITLE>Bench</TITLE></HEAD>\n<BODY BGCOLOR=\"#FFFFFF\" "
                         "TEXT=\"#000000\" LINK=\"#0000FF\">\n");
    for (int row = 0; text.size() < 1024 * 1024; ++row)
        text += row % 10 == 0
            ? QStringLiteral("<P><FONT COLOR=\"\">Row %1</FONT> <TD BGCOLOR=\"\">cell</TD>\n")
                  .arg(row)
            : QStringLiteral(
                  "<P>Paragraph %1 with <B>bold</B> and <A HREF=\"p%1.htm\">a link</A>\n")
                  .arg(row);
    return text + QStringLiteral("</BODY>\n</HTML>\n");
}

using BenchTiming::timeIt;
using BenchTiming::Times;

void report(const char *what, const Times &t)
{
    BenchTiming::print(what, t, 40);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Renderer::prepareEngine();
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    EditorControl editor;
    editor.resize(800, 600);
    ScriptedPrompter prompter;
    TagInserter inserter(&editor, &prompter, { [] { return false; }, [] {}, {} });
    CleanupTools tools(&editor, &prompter, &inserter, {});
    const QString text = page();
    const auto load = [&] { editor.LoadFromText(text, {}); };
    std::printf("page: %lld characters; %d repetitions\n", qlonglong(text.size()), repetitions);
    std::printf("%-40s %8s %8s\n", "milliseconds", "median", "fastest");

    report("Remove Invalid Colors",
           timeIt(
               repetitions,
               [&] {
                   load();
                   prompter.answer(Prompter::Answer::Yes);
               },
               [&] { tools.RemoveInvalidColors1Click(); }));
    report("Title",
           timeIt(
               repetitions,
               [&] {
                   load();
                   prompter.answerText(QStringLiteral("New title"));
               },
               [&] { tools.EditTitle1Click(); }));
    report("Update Last Modified (first)",
           timeIt(repetitions, load, [&] { tools.SetLastModifiedDate(); }));
    report("Update Last Modified (again)",
           timeIt(
               repetitions,
               [&] {
                   load();
                   tools.SetLastModifiedDate();
               },
               [&] { tools.SetLastModifiedDate(); }));
    report("read the BODY tag", timeIt(repetitions, load, [&] {
               EditorCursor::GoToTop(editor);
               BodySettings settings;
               if (EditorCursor::HighlightTag(editor, QStringLiteral("<BODY"), QStringLiteral(">")))
                   BodyTag::SetBodyVars(editor.GetSelText(), settings);
           }));

    QString letters;
    for (int i = 0; i < 10000; ++i)
        letters += QChar(u'a' + i % 26);
    for (const auto &[name, options] :
         { std::pair { "CreateRainbow 10,000, Standard", Rainbow::Options {} },
           std::pair { "CreateRainbow 10,000, random colours",
                       Rainbow::Options { true, false, Rainbow::Walk::Standard } } }) {
        QRandomGenerator random(1);
        report(name,
               timeIt(
                   repetitions, [] {},
                   [&] { Rainbow::CreateRainbow(letters, options, Qt::red, random); }));
    }

    Renderer preview;
    preview.resize(800, 600);
    preview.show();
    StripCodes strip(&editor, &prompter, &preview, {});
    const auto stripNow = [&] {
        QEventLoop loop;
        QObject::connect(&strip, &StripCodes::done, &loop, &QEventLoop::quit);
        strip.StripAllCodes1Click();
        loop.exec();
    };
    report("Strip HTML Codes (load and read back)",
           timeIt(
               std::min(repetitions, 3),
               [&] {
                   load();
                   BenchRenderer::untilLoaded(&preview, [&] { preview.Clear(); });
                   prompter.answer(Prompter::Answer::Ok);
               },
               stripNow));
    // As in the program, where the preview follows the editor: only the read back is left.
    report("Strip HTML Codes, page previewed",
           timeIt(
               std::min(repetitions, 3),
               [&] {
                   load();
                   BenchRenderer::untilLoaded(&preview,
                                              [&] { preview.LoadFromBuffer(text, QString()); });
                   prompter.answer(Prompter::Answer::Ok);
               },
               stripNow));
    return 0;
}
