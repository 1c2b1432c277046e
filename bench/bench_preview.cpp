// SPDX-License-Identifier: GPL-3.0-or-later
// Times a preview refresh as the user waits for it: from UpdateWebView with
// the page's text in the editor until the preview reports the load finished,
// for pages of 10 KB, 100 KB and 1 MB with an image beside them. In the same
// run, a bare engine view of the same size loads the same page from a file:
// the ratio says what the preview costs beyond the engine's own work.
// Tarnwick's time is split into its phases: taking the text from the editor,
// writing the document, the engine's load, and the work after it.
// Usage: bench_preview [repetitions]   (runs offscreen unless told otherwise)

#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "platform/rendererdocument.h"
#include "preview/previewcontroller.h"

#include "scriptedprompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Tarnwick;

namespace {

QString page(int targetBytes, int variant)
{
    QString text
        = QStringLiteral("<!DOCTYPE html>\n<html><head><title>Preview</title></head><body>\n"
                         "<p><img src=\"picture.png\" alt=picture></p><table>\n");
    int row = 0;
    while (text.size() < targetBytes) {
        text += QStringLiteral("<tr><td class=\"c%1\">Row %2 of version %3</td><td><a "
                               "href=\"page%2.htm\">link</a>"
                               "</td></tr>\n")
                    .arg(row % 7)
                    .arg(row)
                    .arg(variant);
        ++row;
    }
    return text + QStringLiteral("</table></body></html>\n");
}

double ms(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One refresh of the preview, split into its phases (milliseconds; total -1 when it failed).
struct Refresh
{
    double total = -1;
    double engine = 0; // from the page load's start until the engine reports it done
    double after = 0; // from there until the preview reports the load finished
};

Refresh timeRefresh(PreviewController &preview, EditorControl &editor, Renderer &renderer,
                    const QString &text)
{
    editor.SetText(text);
    QWebEnginePage *enginePage = renderer.findChild<QWebEngineView *>()->page();
    Refresh result;
    QEventLoop loop;
    QElapsedTimer clock;
    double started = -1, engineDone = -1;
    bool ok = false;
    const auto a = QObject::connect(enginePage, &QWebEnginePage::loadStarted, &loop,
                                    [&] { started = ms(clock); });
    const auto b = QObject::connect(enginePage, &QWebEnginePage::loadFinished, &loop,
                                    [&] { engineDone = ms(clock); });
    const auto c = QObject::connect(&renderer, &Renderer::loadFinished, &loop, [&](bool success) {
        ok = success;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    clock.start();
    preview.UpdateWebView();
    loop.exec();
    const double total = ms(clock);
    for (const auto &connection : { a, b, c })
        QObject::disconnect(connection);
    if (!ok || started < 0 || engineDone < 0)
        return result;
    result.total = total;
    result.engine = engineDone - started;
    result.after = total - engineDone;
    return result;
}

double timeBareLoad(QWebEnginePage &bare, const QString &path)
{
    QEventLoop loop;
    bool ok = false;
    const auto connection
        = QObject::connect(&bare, &QWebEnginePage::loadFinished, &loop, [&](bool success) {
              ok = success;
              loop.quit();
          });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    bare.setUrl(QUrl::fromLocalFile(path));
    loop.exec();
    QObject::disconnect(connection);
    return ok ? ms(clock) : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Renderer::prepareEngine();
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    QTemporaryDir dir;
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    if (!dir.isValid() || !picture.save(dir.filePath(QStringLiteral("picture.png"))))
        return 1;

    EditorControl editor;
    Renderer renderer, frames, full;
    renderer.resize(800, 600);
    renderer.show();
    ScriptedPrompter prompter;
    PreviewController preview(&editor, &renderer, &frames, &full, &prompter);
    const QString base = dir.path();
    preview.setPageDirectory([base] { return base; });

    QWebEngineProfile bareProfile;
    QWebEngineView bareView;
    QWebEnginePage barePage(&bareProfile);
    bareView.setPage(&barePage);
    bareView.resize(800, 600);
    bareView.show();

    // The first loads start the engine's helper process; that belongs to start-up.
    const QString warmPath = dir.filePath(QStringLiteral("warm.htm"));
    QFile warm(warmPath);
    if (!warm.open(QIODevice::WriteOnly) || warm.write(page(1000, 0).toUtf8()) < 0)
        return 1;
    warm.close();
    if (timeRefresh(preview, editor, renderer, page(1000, 0)).total < 0
        || timeBareLoad(barePage, warmPath) < 0) {
        std::fprintf(stderr, "the engine did not load a page\n");
        return 1;
    }

    std::printf("%8s %10s %10s %7s | %9s %9s %9s %9s\n", "page", "Tarnwick", "bare", "ratio",
                "text", "document", "engine", "after");
    for (const int size : { 10 * 1024, 100 * 1024, 1024 * 1024 }) {
        std::vector<double> ours, bare, textCopy, document, engine, after;
        RendererDocument scratch;
        for (int run = 0; run < runs; ++run) {
            // A different text each time, as after an edit; the two views take turns.
            const QString text = page(size, run + 1);
            const QString path = dir.filePath(QStringLiteral("bare%1.htm").arg(run));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
                return 1;
            file.close();

            const Refresh refresh = timeRefresh(preview, editor, renderer, text);
            const double bareMs = timeBareLoad(barePage, path);
            if (refresh.total < 0 || bareMs < 0) {
                std::fprintf(stderr, "load of %d bytes failed\n", size);
                return 1;
            }
            ours.push_back(refresh.total);
            bare.push_back(bareMs);
            engine.push_back(refresh.engine);
            after.push_back(refresh.after);

            // The steps before the engine starts, timed on their own.
            QElapsedTimer clock;
            clock.start();
            const QString copy = editor.GetTextBuffer();
            textCopy.push_back(ms(clock));
            clock.restart();
            if (!scratch.write(copy, base))
                return 1;
            document.push_back(ms(clock));
        }
        const double a = median(ours), b = median(bare);
        std::printf(
            "%5d KB %7.1f ms %7.1f ms %6.2fx | %6.1f ms %6.1f ms %6.1f ms %6.1f ms  (%d runs, "
            "medians)\n",
            size / 1024, a, b, a / b, median(textCopy), median(document), median(engine),
            median(after), runs);
    }
    return 0;
}
