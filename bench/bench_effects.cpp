// SPDX-License-Identifier: GPL-3.0-or-later
// Times a Web Effects change as the user sees it: a field changed until the
// notebook's small preview reports the load finished. Three pages: a heading,
// a 10 x 100 table (the largest the page allows) and a list of 100 parents
// with their items. The builders alone (lines only) are timed too, to tell
// their share from the engine's.
// Usage: bench_effects [repetitions]   (runs offscreen unless told otherwise)

#include "benchrenderer.h"
#include "benchtiming.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "wizards/effectsbuilder.h"
#include "wizards/teffectsform.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

using namespace Tarnwick;

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    ScriptedPrompter prompter;
    EditorControl editor;
    TEffectsForm::Context context;
    context.editor = &editor;
    context.prompter = &prompter;
    TEffectsForm form(context);
    form.show();
    auto *header = form.findChild<QLineEdit *>(QStringLiteral("HeaderText"));
    auto *columns = form.findChild<QSpinBox *>(QStringLiteral("TableColumns"));
    auto *rows = form.findChild<QSpinBox *>(QStringLiteral("TableRows"));
    auto *padding = form.findChild<QSpinBox *>(QStringLiteral("TablePadding"));
    auto *parents = form.findChild<QSpinBox *>(QStringLiteral("ListParents"));
    auto *children = form.findChild<QSpinBox *>(QStringLiteral("ListChildren"));
    BenchRenderer::untilLoaded(form.preview(),
                               [&] { form.selectTab(TEffectsForm::Headers); }); // warm-up

    bool ok = true;
    int n = 0;
    std::printf("%-40s %8s %8s\n", "Web Effects change to preview, ms", "median", "fastest");
    BenchTiming::print("heading text typed",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               ok &= BenchRenderer::untilLoaded(form.preview(), [&] {
                                   header->setText(QStringLiteral("Heading %1").arg(++n));
                               });
                           }));
    BenchRenderer::untilLoaded(form.preview(), [&] { form.selectTab(TEffectsForm::Tables); });
    BenchRenderer::untilLoaded(form.preview(), [&] { columns->setValue(10); });
    BenchRenderer::untilLoaded(form.preview(), [&] { rows->setValue(100); });
    BenchTiming::print("10x100 table, padding changed",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               ok &= BenchRenderer::untilLoaded(form.preview(), [&] {
                                   padding->setValue(padding->value() == 5 ? 6 : 5);
                               });
                           }));
    BenchRenderer::untilLoaded(form.preview(), [&] { form.selectTab(TEffectsForm::ListTypes); });
    BenchRenderer::untilLoaded(form.preview(), [&] { parents->setValue(50); });
    BenchTiming::print("list of 50 parents, children changed",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               ok &= BenchRenderer::untilLoaded(form.preview(), [&] {
                                   children->setValue(children->value() == 1 ? 2 : 1);
                               });
                           }));
    EffectsBuilder::Table table;
    table.columns = 10;
    table.rows = 100;
    BenchTiming::print("10x100 table, lines only",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               if (EffectsBuilder::tableLines(table).size() < 1000)
                                   ok = false;
                           }));
    if (!ok)
        std::printf("a preview load failed\n");
    return ok ? 0 : 1;
}
