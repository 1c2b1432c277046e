// SPDX-License-Identifier: GPL-3.0-or-later
// Times the page details check (Evaluate) on pages of 10 KB, 100 KB and 1 MB
// full of references: pictures (half of them present beside the page),
// backgrounds, links to pages and markers, anchors. The time runs from the
// page's text to the finished report, existence checks on disk included.
// Then the whole command on the 1 MB page in the real editor control: the
// "Web Page Details" dialog shown, its lists filled, laid out and painted.
// Usage: bench_pagedetails [repetitions]   (runs offscreen unless told otherwise)

#include "platform/editorcontrol.h"
#include "preview/pagedetails.h"
#include "preview/tevaluateform.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Tarnwick;

namespace {

// About one reference every 40 characters, over 200 different files.
QString page(int targetBytes)
{
    QString text = QStringLiteral("<!DOCTYPE html>\n<html><head><title>Bench page</title></head>\n"
                                  "<body background=\"back.gif\">\n<table>\n");
    int row = 0;
    while (text.size() < targetBytes) {
        const int file = row % 200;
        text += QStringLiteral("<tr><td background='cell%1.gif'><a name=\"r%2\"></a>"
                               "<img src=\"pics/p%1.gif\" alt=\"Picture %1\">\n"
                               "<IMG SRC=pics/q%1.jpg></td><td><a href=\"page%1.htm#r%2\">"
                               "Row %2</a> <a href=\"#r%2\">here</a></td></tr>\n")
                    .arg(file)
                    .arg(row);
        ++row;
    }
    return text + QStringLiteral("</table></body></html>\n");
}

void makeFiles(const QString &directory)
{
    QDir().mkpath(directory + QStringLiteral("/pics"));
    for (int i = 0; i < 200; i += 2) {
        for (const QString &name :
             { QStringLiteral("/pics/p%1.gif").arg(i), QStringLiteral("/cell%1.gif").arg(i),
               QStringLiteral("/page%1.htm").arg(i) }) {
            QFile file(directory + name);
            if (file.open(QIODevice::WriteOnly))
                file.write(QByteArray(1000 + i, 'x'));
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    QTemporaryDir dir;
    makeFiles(dir.path());

    std::printf("Evaluate (page details), median of %d runs\n", repetitions);
    for (const int bytes : { 10 * 1024, 100 * 1024, 1024 * 1024 }) {
        const QString text = page(bytes);
        std::vector<double> times;
        qsizetype details = 0;
        for (int i = 0; i < repetitions; ++i) {
            QElapsedTimer clock;
            clock.start();
            const PageDetailsReport report = PageDetails::Evaluate(text, dir.path());
            times.push_back(double(clock.nsecsElapsed()) / 1e6);
            details = report.WebDetails.size();
        }
        std::sort(times.begin(), times.end());
        std::printf("%8d bytes, %6lld detail lines: median %8.2f ms (min %8.2f, max %8.2f)\n",
                    int(text.size()), static_cast<long long>(details), times[times.size() / 2],
                    times.front(), times.back());
    }

    EditorControl editor;
    editor.LoadFromText(page(1024 * 1024), {});
    ScriptedPrompter prompter;
    const QString pagePath = dir.filePath(QStringLiteral("page.htm"));
    TEvaluateForm form(&editor, &prompter, [&] { return pagePath; });
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer clock;
        clock.start();
        form.show(); // evaluates
        form.repaint();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
        form.hide();
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "dialog shown on 1 MB, %6lld detail lines: median %8.2f ms (min %8.2f, max %8.2f)\n",
        static_cast<long long>(form.report().WebDetails.size()), times[times.size() / 2],
        times.front(), times.back());
    return 0;
}
