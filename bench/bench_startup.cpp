// SPDX-License-Identifier: GPL-3.0-or-later
// Times the start of the program as a user meets it: from starting the
// process until the main window is shown, and until the preview of the page
// given on the command line is rendered. Each run is a fresh process with a
// home and settings of its own (after one run that seeds the home).
// Usage: bench_startup [runs] [program]   (offscreen unless QT_QPA_PLATFORM is set;
// another build of the program gives the figures to compare with)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Times
{
    double window = -1;
    double preview = -1;
};

QString program = QStringLiteral(TARNWICK_PROGRAM);

Times startOnce(const QString &home, const QString &config, const QString &page)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);

    Times times;
    QByteArray pending;
    QElapsedTimer clock;
    QObject::connect(&process, &QProcess::readyReadStandardError, [&] {
        const double now = double(clock.nsecsElapsed()) / 1e6;
        pending += process.readAllStandardError();
        if (times.window < 0 && pending.contains("tarnwick: window shown"))
            times.window = now;
        if (times.preview < 0 && pending.contains("tarnwick: first preview rendered"))
            times.preview = now;
    });
    clock.start();
    process.start(program,
                  { QStringLiteral("--home"), home, QStringLiteral("--no-splash"),
                    QStringLiteral("--startup-trace"), page });
    if (!process.waitForFinished(60000))
        process.kill();
    return times;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    if (argc > 2)
        program = QString::fromLocal8Bit(argv[2]);

    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    const QString config = dir.filePath(QStringLiteral("config"));
    const QString page = dir.filePath(QStringLiteral("page.htm"));
    QFile file(page);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly))
        return 1;
    QByteArray text = "<!DOCTYPE html>\n<html><head><title>Start</title></head><body>\n";
    while (text.size() < 20 * 1024)
        text += "<p>A paragraph of the page opened at start-up, <b>with</b> some markup.</p>\n";
    file.write(text + "</body></html>\n");
    file.close();

    // The first start copies the program's data into the new home.
    const Times seeding = startOnce(home, config, page);
    if (seeding.preview < 0) {
        std::fprintf(stderr, "the program did not report its first preview\n");
        return 1;
    }
    std::vector<double> window, preview;
    for (int run = 0; run < runs; ++run) {
        const Times t = startOnce(home, config, page);
        if (t.window < 0 || t.preview < 0) {
            std::fprintf(stderr, "run %d did not report both milestones\n", run + 1);
            return 1;
        }
        window.push_back(t.window);
        preview.push_back(t.preview);
    }
    for (const auto &[what, ms] : { std::pair { "process start to window shown   ", window },
                                    std::pair { "process start to first preview  ", preview } })
        std::printf("%s median %7.1f ms   min %7.1f ms   max %7.1f ms   (%zu runs)\n", what,
                    median(ms), *std::min_element(ms.begin(), ms.end()),
                    *std::max_element(ms.begin(), ms.end()), ms.size());
    std::printf("(first start, seeding a new home: window %.1f ms, preview %.1f ms)\n",
                seeding.window, seeding.preview);
    return 0;
}
