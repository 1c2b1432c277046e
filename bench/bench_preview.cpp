// SPDX-License-Identifier: GPL-3.0-or-later
// Times a preview refresh as the user waits for it: from UpdateWebView with
// the page's text in the editor until the preview reports the load finished,
// for pages of 10 KB, 100 KB and 1 MB with an image beside them.
// Usage: bench_preview [repetitions]   (runs offscreen unless told otherwise)

#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "preview/previewcontroller.h"

#include "scriptedprompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

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

// Refreshes the preview from the editor's text and answers the milliseconds
// until loadFinished, or -1.
double timeLoad(PreviewController &preview, EditorControl &editor, Renderer &renderer,
                const QString &text)
{
    editor.SetText(text);
    QEventLoop loop;
    bool ok = false;
    const auto connection
        = QObject::connect(&renderer, &Renderer::loadFinished, &loop, [&](bool success) {
              ok = success;
              loop.quit();
          });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    preview.UpdateWebView();
    loop.exec();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    QObject::disconnect(connection);
    return ok ? ms : -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
    // The first load starts the engine's helper process; that belongs to start-up.
    if (timeLoad(preview, editor, renderer, page(1000, 0)) < 0) {
        std::fprintf(stderr, "the renderer did not load a page\n");
        return 1;
    }

    for (const int size : { 10 * 1024, 100 * 1024, 1024 * 1024 }) {
        std::vector<double> ms;
        for (int run = 0; run < runs; ++run) {
            // A different text each time, as after an edit.
            const double t = timeLoad(preview, editor, renderer, page(size, run + 1));
            if (t < 0) {
                std::fprintf(stderr, "load of %d bytes failed\n", size);
                return 1;
            }
            ms.push_back(t);
        }
        std::printf("UpdateWebView to loadFinished, %5d KB  median %8.1f ms   min %8.1f ms   max "
                    "%8.1f ms   (%zu "
                    "runs)\n",
                    size / 1024, median(ms), *std::min_element(ms.begin(), ms.end()),
                    *std::max_element(ms.begin(), ms.end()), ms.size());
    }
    return 0;
}
