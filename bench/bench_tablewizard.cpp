// SPDX-License-Identifier: GPL-3.0-or-later
// Times the table and form builders as the user waits for them: a 100 x 20
// table built (Build) and previewed, until the dialog's preview reports the
// load finished; then one cell's text changed and previewed; then a form of
// 200 fields of every kind opened from its definition file, built and
// previewed. The builders alone (lines only, no preview) are timed too, to
// tell their share from the engine's.
// Usage: bench_tablewizard [repetitions]   (runs offscreen unless told otherwise)

#include "benchrenderer.h"
#include "benchtiming.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "wizards/formbuilder.h"
#include "wizards/formdefinition.h"
#include "wizards/tablebuilder.h"
#include "wizards/tformwizeform.h"
#include "wizards/ttblcreateform.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

using namespace Tarnwick;

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    ScriptedPrompter prompter;
    EditorControl editor;
    TTblCreateForm::Context context;
    context.editor = &editor;
    context.prompter = &prompter;
    TTblCreateForm form(context);
    form.show();
    auto *columns = form.findChild<QSpinBox *>(QStringLiteral("TblCols"));
    auto *rows = form.findChild<QSpinBox *>(QStringLiteral("TblRows"));
    auto *build = form.findChild<QPushButton *>(QStringLiteral("BuildBtn"));
    auto *confirm = form.findChild<QWidget *>(QStringLiteral("ConfirmRebuild"));
    auto *cellText = form.findChild<QLineEdit *>(QStringLiteral("CellText"));
    columns->setValue(20); // 100 rows of 20 cells
    rows->setValue(100);
    confirm->setProperty("checked", false);
    BenchRenderer::untilLoaded(form.preview(), [&] { build->click(); }); // engine warm-up

    std::printf("%-40s %8s %8s\n", "table builder, ms", "median", "fastest");
    bool ok = true;
    BenchTiming::print("100x20 lines only",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [] {
                               TableBuilder table;
                               table.build(20, 100, TableAttributes());
                           }));
    BenchTiming::print(
        "100x20 built and previewed",
        BenchTiming::timeIt(
            repetitions, [] {},
            [&] {
                ok = BenchRenderer::untilLoaded(form.preview(), [&] { build->click(); }) && ok;
            }));
    bool handled = false;
    form.cellClicked(QStringLiteral("cell:1000."), &handled);
    int n = 0;
    BenchTiming::print("one cell changed and previewed",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               ok = BenchRenderer::untilLoaded(
                                        form.preview(),
                                        [&] { cellText->setText(QString::number(++n)); })
                                   && ok;
                           }));

    // 200 fields, the seven kinds in turn.
    const QStringList kinds { "CB|c%1|v|Check %1|1",
                              "RG|group|%1|Radio %1|0",
                              "DE|e%1|Entry %1:|20|0",
                              "LB|l%1|List %1|1|0|3|a|b|c|",
                              "TA|t%1|Text %1|40|5",
                              "PT|1|0|0|0|3|Text %1",
                              "HD|h%1|%1" };
    QStringList records;
    for (int i = 0; i < 200; ++i)
        records.append(kinds.at(i % kinds.size()).arg(i));
    QTemporaryDir dir;
    const QString definition = dir.filePath("big.frm");
    FormDefinition::write(definition, records);
    TFormWizeForm::Context formContext;
    formContext.editor = &editor;
    formContext.prompter = &prompter;
    TFormWizeForm formWizard(formContext);
    formWizard.show();
    FormOptions options;
    options.tableFormat = true;
    BenchTiming::print("200-field form, lines only",
                       BenchTiming::timeIt(
                           repetitions, [] {}, [&] { FormBuilder::build(records, options); }));
    BenchTiming::print("200-field form opened and previewed",
                       BenchTiming::timeIt(
                           repetitions,
                           [&] {
                               if (!formWizard.records().isEmpty())
                                   prompter.answer(Prompter::Answer::No); // no save first
                               prompter.answerFile(definition);
                           },
                           [&] {
                               ok = BenchRenderer::untilLoaded(formWizard.preview(),
                                                               [&] { formWizard.OpenClick(); })
                                   && ok;
                           }));
    if (!ok)
        std::printf("a preview load failed\n");
    return ok ? 0 : 1;
}
