// SPDX-License-Identifier: GPL-3.0-or-later
// Times the site check on a generated site of 1,000 pages in ten folders,
// each page with 20 references (pages of its own and other folders, some with
// "#name", pictures, a style sheet, a script, addresses of other sites, one
// page in ten with a broken link and one with a name in other capitals): the
// whole check, and the check without the markup part. Beside it, in the same
// run, linkchecker on the same pages when it is installed (offline: other
// sites are not fetched), and the ratio. Then a folder of 100,000 files with
// one page, which the orphan part lists in full.
// Usage: bench_sitecheck [repetitions]

#include "benchtiming.h"
#include "check/sitecheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>

using namespace Tarnwick;

namespace {

constexpr int folders = 10;
constexpr int pagesPerFolder = 100;
constexpr int pictures = 200;

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
}

QString pageName(int folder, int page)
{
    return QStringLiteral("f%1/page%2.htm").arg(folder).arg(page);
}

// The pages, relative to the root.
QStringList makeSite(const QString &root)
{
    QDir dir(root);
    dir.mkpath(QStringLiteral("images"));
    dir.mkpath(QStringLiteral("css"));
    for (int i = 0; i < pictures; ++i)
        write(dir.filePath(QStringLiteral("images/pic%1.gif").arg(i)), "GIF89a");
    write(dir.filePath(QStringLiteral("images/Logo.GIF")), "GIF89a");
    write(dir.filePath(QStringLiteral("css/site.css")), "body { margin: 0 }\n");
    write(dir.filePath(QStringLiteral("css/menu.js")), "var x = 1;\n");
    QStringList pages;
    for (int f = 0; f < folders; ++f) {
        dir.mkpath(QStringLiteral("f%1").arg(f));
        for (int p = 0; p < pagesPerFolder; ++p) {
            const int n = f * pagesPerFolder + p;
            QByteArray page
                = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                  "<title>Page "
                + QByteArray::number(n)
                + "</title>\n"
                  "<link rel=\"stylesheet\" href=\"../css/site.css\">\n"
                  "<script src=\"../css/menu.js\"></script>\n</head>\n<body>\n"
                  "<h1 id=\"top-"
                + QByteArray::number(n) + "\">Page</h1>\n<ul>\n";
            // 8 links to pages: 4 of this folder, 4 of others, half with an anchor.
            for (int k = 1; k <= 8; ++k) {
                const int other = (n + k * 37) % (folders * pagesPerFolder);
                const int of = k <= 4 ? f : other / pagesPerFolder;
                const int op = k <= 4 ? (p + k) % pagesPerFolder : other % pagesPerFolder;
                QByteArray href = of == f ? QByteArray("page" + QByteArray::number(op) + ".htm")
                                          : QByteArray("../" + pageName(of, op).toUtf8());
                if (k % 2 == 0)
                    href += "#top-" + QByteArray::number(of * pagesPerFolder + op);
                page += "<li><a href=\"" + href + "\">Page " + QByteArray::number(op)
                    + "</a></li>\n";
            }
            page += "</ul>\n<p>";
            // 6 pictures, 2 addresses of other sites.
            for (int k = 0; k < 6; ++k)
                page += "<img src=\"../images/pic" + QByteArray::number((n * 7 + k) % pictures)
                    + ".gif\" alt=\"Picture\"> ";
            page += "</p>\n<p><a href=\"https://example.org/" + QByteArray::number(n)
                + "\">away</a> <a href=\"http://example.com/\">there</a></p>\n";
            // Two more links: one in ten pages broken, one in ten with other capitals.
            page += n % 10 == 0
                ? "<p><a href=\"missing" + QByteArray::number(n) + ".htm\">gone</a> "
                : QByteArray("<p><a href=\"page0.htm\">first</a> ");
            page += n % 10 == 5 ? "<img src=\"../images/logo.gif\" alt=\"Logo\"></p>\n"
                                : QByteArray("<img src=\"../images/Logo.GIF\" alt=\"Logo\"></p>\n");
            page += "<p>Some text of the page, a paragraph long, to give it the size of a page "
                    "written by hand: a few hundred bytes of words between the links.</p>\n"
                    "</body>\n</html>\n";
            write(dir.filePath(pageName(f, p)), page);
            pages << pageName(f, p);
        }
    }
    return pages;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    QTemporaryDir root;
    // linkchecker started by root reads files as nobody: the folder must be readable to all.
    QFile::setPermissions(root.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                              | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                              | QFileDevice::ReadOther | QFileDevice::ExeOther);
    const QStringList pages = makeSite(root.path());
    std::printf("site: %lld pages, 20 references each, %d pictures\n", qlonglong(pages.size()),
                pictures);
    std::printf("%-40s %8s %8s\n", "milliseconds", "median", "fastest");

    SiteCheck::Request request;
    request.projectDir = root.path();
    request.pages = pages;
    qsizetype findings = 0;
    const BenchTiming::Times whole = BenchTiming::timeIt(
        repetitions, [] {}, [&] { findings = SiteCheck::run(request).size(); });
    BenchTiming::print("whole check", whole);
    request.markup = false;
    const BenchTiming::Times noMarkup = BenchTiming::timeIt(
        repetitions, [] {}, [&] { (void)SiteCheck::run(request); });
    BenchTiming::print("without the markup check", noMarkup);
    std::printf("findings: %lld\n", qlonglong(findings));

    const QString linkchecker = QStandardPaths::findExecutable(QStringLiteral("linkchecker"));
    if (linkchecker.isEmpty()) {
        std::printf("linkchecker: not installed\n");
    } else {
        QStringList arguments { QStringLiteral("--no-status"), QStringLiteral("--no-warnings"),
                                QStringLiteral("-r1"), QStringLiteral("-ocsv") };
        for (const QString &page : pages)
            arguments << QUrl::fromLocalFile(root.filePath(page)).toString();
        QProcess process;
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        process.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        process.start(linkchecker, arguments);
        process.waitForFinished(-1);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        // urlname;parentname;base;result;warningstring;infostring;valid;...
        qsizetype broken = 0;
        for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
            if (line.split(';').value(6) != "False")
                continue;
            if (++broken <= 3)
                std::printf("  linkchecker: %s\n", line.constData());
        }
        std::printf("%-40s %8.2f (one run, %lld broken)\n", "linkchecker, same pages", ms,
                    qlonglong(broken));
        std::printf("ratio linkchecker / whole check: %.1f\n", ms / whole.median);
    }

    // A folder of 100,000 files and one page.
    QTemporaryDir big;
    write(big.filePath(QStringLiteral("index.htm")),
          "<html><head><meta charset=\"utf-8\"><title>Big</title></head><body><img src=\"f5.gif\" "
          "alt=\"x\"><a href=\"F7.GIF\">x</a></body></html>\n");
    for (int i = 0; i < 100000; ++i)
        write(big.filePath(QStringLiteral("f%1.gif").arg(i)), QByteArray());
    SiteCheck::Request bigRequest;
    bigRequest.projectDir = big.path();
    bigRequest.pages = { QStringLiteral("index.htm") };
    qsizetype bigFindings = 0;
    const BenchTiming::Times bigTimes = BenchTiming::timeIt(
        repetitions, [] {}, [&] { bigFindings = SiteCheck::run(bigRequest).size(); });
    BenchTiming::print("100,000 files, one page", bigTimes);
    std::printf("findings: %lld\n", qlonglong(bigFindings));
    return 0;
}
