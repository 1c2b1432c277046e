// SPDX-License-Identifier: GPL-3.0-or-later
// Times Open HTML Page as the user waits for it: a file chosen in the list
// until its preview has loaded, for a page of about 200 KB and for a
// 1600x1200 picture.
// Usage: bench_openhtmlform [repetitions]   (runs offscreen unless told otherwise)

#include "benchrenderer.h"
#include "benchtiming.h"
#include "platform/renderer.h"
#include "wizards/topenhtmlform.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

using namespace Tarnwick;

namespace {

// Chooses the file; true when its preview loaded.
bool chooseAndRender(TOpenHTMLForm &form, const QString &path)
{
    return BenchRenderer::untilLoaded(form.preview(), [&] { form.selectFile(path); });
}

bool writePage(const QString &path)
{
    QByteArray page = "<html><body>\n";
    for (int i = 0; page.size() < 200 * 1024; ++i)
        page += "<p>Paragraph " + QByteArray::number(i)
            + " with <b>bold</b> text and <a href=\"x.htm\">a link</a>.</p>\n";
    page += "</body></html>\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(page) == page.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    QTemporaryDir dir;
    bool ok = writePage(dir.filePath("a.htm")) && writePage(dir.filePath("b.htm"));
    QImage picture(1600, 1200, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ok = ok && picture.save(dir.filePath("a.png")) && picture.save(dir.filePath("b.png"));

    TOpenHTMLForm form({ QStringLiteral("All files|*.*"), dir.path(), {}, {} });
    form.show();
    ok = chooseAndRender(form, dir.filePath("a.htm")) && ok; // engine warm-up
    std::printf("%-40s %8s %8s\n", "Open HTML Page preview, ms", "median", "fastest");
    for (const char *kind : { "htm", "png" }) {
        int turn = 0;
        const auto next = [&] {
            return dir.filePath(QLatin1String(turn++ % 2 ? "a." : "b.") + QLatin1String(kind));
        };
        BenchTiming::print(
            qstrcmp(kind, "htm") == 0 ? "200 KB page chosen until shown"
                                      : "1600x1200 picture chosen until shown",
            BenchTiming::timeIt(
                repetitions, [] {}, [&] { ok = chooseAndRender(form, next()) && ok; }));
    }
    if (!ok)
        std::printf("a preview failed to load\n");
    return ok ? 0 : 1;
}
