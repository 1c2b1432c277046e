// SPDX-License-Identifier: GPL-3.0-or-later
// Times Find in Project on a generated folder of 2,000 pages of about 20 KB
// (40 MB): a word, and a regular expression, over the folder's files as the
// search reads them (each file read, decoded and searched, the matches with
// their lines). Beside it, in the same run, `grep -r` on the same folder for
// the same, and `rg` when it is installed, with the ratios.
// Usage: bench_findinproject [repetitions]

#include "benchtiming.h"
#include "sitesearch/projectsearch.h"
#include "sitesearch/searchquery.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

using namespace Tarnwick;

namespace {

constexpr int pages = 2000;

QByteArray pageText(int n)
{
    QByteArray page = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Page "
        + QByteArray::number(n) + "</title>\n</head>\n<body>\n";
    int paragraph = 0;
    while (page.size() < 20000) {
        ++paragraph;
        page += "<p class=\"text\">Paragraph " + QByteArray::number(paragraph)
            + " of a page written by hand, with a <a href=\"page"
            + QByteArray::number((n + paragraph) % pages)
            + ".htm\">link</a> and some words about the club, its members and the season.</p>\n";
    }
    // One page in ten has the footer text searched for.
    if (n % 10 == 0)
        page += "<div id=\"footer\">Copyright 2019 The Club</div>\n";
    page += "</body>\n</html>\n";
    return page;
}

double timeProcess(const QString &program, const QStringList &arguments, qsizetype *lines)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    *lines = process.readAllStandardOutput().count('\n');
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    QTemporaryDir root;
    for (int n = 0; n < pages; ++n) {
        QFile file(root.filePath(QStringLiteral("page%1.htm").arg(n)));
        if (!file.open(QIODevice::WriteOnly) || file.write(pageText(n)) < 0)
            return 2;
    }
    std::printf("folder: %d pages of about 20 KB\n", pages);
    std::printf("%-44s %8s %8s %8s\n", "milliseconds", "median", "fastest", "matches");

    ProjectSearch::Request request;
    request.scope = ProjectSearch::Scope::FolderFiles;
    request.projectDir = root.path();
    request.mask = QStringLiteral("*.htm");
    struct Case
    {
        const char *name;
        SearchQuery query;
        QStringList grep; // the same search for grep -r and rg
    };
    const QList<Case> cases = {
        { "word \"Copyright\"",
          { QStringLiteral("Copyright"), false, true, false, {} },
          { QStringLiteral("-F"), QStringLiteral("Copyright") } },
        { "regex \"Copyright \\d{4}\"",
          { QStringLiteral("Copyright \\d{4}"), true, true, false, {} },
          { QStringLiteral("-P"), QStringLiteral("Copyright \\d{4}") } },
        { "word \"season\" (every paragraph)",
          { QStringLiteral("season"), false, true, false, {} },
          { QStringLiteral("-F"), QStringLiteral("season") } },
    };
    const QString rg = QStandardPaths::findExecutable(QStringLiteral("rg"));
    for (const Case &c : cases) {
        const QRegularExpression expression = *c.query.compile();
        const ProjectSearch::Prefilter prefilter = ProjectSearch::Prefilter::of(c.query);
        qsizetype matches = 0;
        const BenchTiming::Times ours = BenchTiming::timeIt(
            repetitions, [] {},
            [&] {
                matches = 0;
                for (const QString &path : ProjectSearch::filesOf(request))
                    matches += ProjectSearch::searchFile(path, expression, {}, prefilter)
                                   .matches.size();
            });
        std::printf("%-44s %8.2f %8.2f %8lld\n", c.name, ours.median, ours.fastest,
                    qlonglong(matches));
        qsizetype lines = 0;
        std::vector<double> grepTimes;
        for (int i = 0; i < repetitions; ++i)
            grepTimes.push_back(timeProcess(QStringLiteral("grep"),
                                            QStringList { QStringLiteral("-rn") } + c.grep
                                                + QStringList { root.path() },
                                            &lines));
        std::sort(grepTimes.begin(), grepTimes.end());
        std::printf("%-44s %8.2f %8.2f %8lld lines  ratio %.2f\n", "  grep -rn, same folder",
                    grepTimes[grepTimes.size() / 2], grepTimes.front(), qlonglong(lines),
                    ours.median / grepTimes[grepTimes.size() / 2]);
        if (!rg.isEmpty()) {
            std::vector<double> rgTimes;
            for (int i = 0; i < repetitions; ++i)
                rgTimes.push_back(timeProcess(
                    rg, QStringList { QStringLiteral("-n"), c.grep.last(), root.path() }, &lines));
            std::sort(rgTimes.begin(), rgTimes.end());
            std::printf("%-44s %8.2f %8.2f %8lld lines  ratio %.2f\n", "  rg -n, same folder",
                        rgTimes[rgTimes.size() / 2], rgTimes.front(), qlonglong(lines),
                        ours.median / rgTimes[rgTimes.size() / 2]);
        } else {
            std::printf("  rg: not installed\n");
        }
    }
    return 0;
}
