// SPDX-License-Identifier: GPL-3.0-or-later
// Times what the user waits for in the calendar dialog and the image index:
// a step to the next month until the dialog's preview reports the load
// finished (with page links on, the largest calendar); and an index of 1,000
// GIF files appended to the index page by Create and the main preview
// refreshed until it reports the load finished. The calendar lines and the
// index text alone are timed too, and the index page in a bare engine view,
// to tell their share from the engine's.
// Usage: bench_calendar [repetitions]   (runs offscreen unless told otherwise)

#include "benchrenderer.h"
#include "benchtiming.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "preview/previewcontroller.h"
#include "scriptedprompter.h"
#include "testpictures.h"
#include "wizards/calendarbuilder.h"
#include "wizards/imageindex.h"
#include "wizards/tcalendarform.h"
#include "wizards/timageindexform.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

using namespace Tarnwick;

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    bool ok = true;

    ScriptedPrompter prompter;
    EditorControl editor;
    TCalendarForm::Context context;
    context.editor = &editor;
    context.prompter = &prompter;
    context.dayNames = CalendarBuilder::dayNames(QLocale::c());
    context.today = QDate(2024, 1, 31);
    TCalendarForm form(context);
    form.show();
    BenchRenderer::untilLoaded(form.preview(), [&] {
        form.findChild<QCheckBox *>(QStringLiteral("PageLinksBox"))->setChecked(true);
    }); // engine warm-up

    std::printf("%-40s %8s %8s\n", "calendar, ms", "median", "fastest");
    CalendarOptions options = form.options();
    BenchTiming::print(
        "month lines only",
        BenchTiming::timeIt(
            repetitions, [] {}, [&] { CalendarBuilder::lines(options, context.dayNames); }));
    BenchTiming::print("next month until previewed",
                       BenchTiming::timeIt(
                           repetitions, [] {},
                           [&] {
                               ok = BenchRenderer::untilLoaded(form.preview(),
                                                               [&] { form.NextMonthClick(); })
                                   && ok;
                           }));
    form.hide();

    // 1,000 small GIFs and the index page in a program directory of their own.
    QTemporaryDir program;
    QTemporaryDir images;
    const QByteArray picture = TestPictures::gif(QSize(16, 16));
    for (int i = 0; i < 1000; ++i) {
        QFile file(
            images.filePath(QStringLiteral("picture%1.gif").arg(i, 4, 10, QLatin1Char('0'))));
        ok = file.open(QIODevice::WriteOnly) && file.write(picture) == picture.size() && ok;
    }
    const QString page = ImageIndex::pagePath(program.path());
    ok = ImageIndex::createPage(page).ok() && ok;

    Renderer split;
    Renderer frames;
    Renderer full;
    split.resize(800, 600);
    split.show();
    PreviewController preview(&editor, &split, &frames, &full, &prompter);
    preview.setPageDirectory([&] { return program.path(); });
    const QString heading = ImageIndex::headingLine() + QLatin1Char('\n');
    const auto freshPage = [&] { editor.SetText(heading); };
    BenchRenderer::untilLoaded(&split, [&] { preview.UpdateWebView(); }); // engine warm-up

    std::printf("%-40s %8s %8s\n", "index of 1,000 images, ms", "median", "fastest");
    const QString prefix = ImageIndex::directoryPrefix(images.path());
    BenchTiming::print(
        "index text only",
        BenchTiming::timeIt(
            repetitions, [] {},
            [&] {
                ImageIndex::entryText(
                    prefix, ImageIndex::imageFiles(images.path(), QStringLiteral("*.gif;*.jpg")));
            }));
    TImageIndexForm dialog(&editor, images.path());
    BenchTiming::print(
        "Create (appended, no preview)",
        BenchTiming::timeIt(repetitions, freshPage, [&] { dialog.CreateBtnClick(); }));
    BenchTiming::print(
        "preview of the page with 1,000 images",
        BenchTiming::timeIt(
            repetitions, [] {},
            [&] {
                ok = BenchRenderer::untilLoaded(&split, [&] { preview.UpdateWebView(); }) && ok;
            }));
    BenchTiming::print("Create until previewed", BenchTiming::timeIt(repetitions, freshPage, [&] {
                           dialog.CreateBtnClick();
                           ok = BenchRenderer::untilLoaded(&split, [&] { preview.UpdateWebView(); })
                               && ok;
                       }));
    // The same page as a file in a bare engine view of the same size: what the engine alone takes.
    const QString copy = program.filePath(QStringLiteral("bare.htm"));
    {
        QFile file(copy);
        const QByteArray bytes = editor.Text().toUtf8();
        ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && ok;
    }
    QWebEngineProfile bareProfile;
    QWebEngineView bareView;
    QWebEnginePage barePage(&bareProfile);
    bareView.setPage(&barePage);
    bareView.resize(split.size());
    bareView.show();
    const auto bareLoad = [&] {
        QEventLoop loop;
        QObject::connect(&barePage, &QWebEnginePage::loadFinished, &loop, [&](bool good) {
            ok = good && ok;
            loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        barePage.setUrl(QUrl::fromLocalFile(copy));
        loop.exec();
    };
    bareLoad(); // its own warm-up
    BenchTiming::print("the same page in a bare engine view",
                       BenchTiming::timeIt(
                           repetitions, [] {}, bareLoad));
    const int imageLines = int(editor.Text().count(QStringLiteral("<img src=")));
    std::printf("image lines in the page: %d\n", imageLines);
    ok = imageLines == 1000 && ok;
    if (!ok)
        std::printf("a load failed or an image was missing\n");
    return ok ? 0 : 1;
}
