// SPDX-License-Identifier: GPL-3.0-or-later
// Times the frame set dialog as the user waits for it: made and shown until
// all nine cells of its preview report their first load finished.
// Usage: bench_frameform [repetitions]   (runs offscreen unless told otherwise)

#include "benchtiming.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "wizards/tframeform.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <memory>

using namespace Tarnwick;

namespace {

// Makes and shows the dialog; true when all nine cells loaded.
bool openAndRender(EditorControl *editor, Prompter *prompter)
{
    TFrameForm::Context context;
    context.editor = editor;
    context.prompter = prompter;
    TFrameForm form(context);
    QEventLoop loop;
    int loaded = 0;
    bool ok = true;
    for (int n = 1; n <= 9; ++n)
        QObject::connect(form.cell(n), &Renderer::loadFinished, &loop, [&](bool good) {
            ok = ok && good;
            if (++loaded == 9)
                loop.quit();
        });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    form.show();
    loop.exec();
    return ok && loaded == 9;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    ScriptedPrompter prompter;
    EditorControl editor;
    bool ok = openAndRender(&editor, &prompter); // engine warm-up
    std::printf("%-40s %8s %8s\n", "frame set dialog, ms", "median", "fastest");
    BenchTiming::print(
        "opened, nine cells rendered",
        BenchTiming::timeIt(
            repetitions, [] {}, [&] { ok = openAndRender(&editor, &prompter) && ok; }));
    if (!ok)
        std::printf("a cell failed to load\n");
    return ok ? 0 : 1;
}
