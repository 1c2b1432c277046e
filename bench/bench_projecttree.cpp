// SPDX-License-Identifier: GPL-3.0-or-later
// Times the project tree with a project list of 10,000 pages: loading
// project.dat into the tree view, and adding, renaming and removing a page as
// the tree commands do it (the files first, then the tree shown again with its
// selection and open branches, then project.dat written). Each step's time is
// split into the command itself, the tree view's refresh and the write. The
// rename also looks through the 500 pages of its project (10 KB each, one in
// ten linking to the page) for links to change, as the program offers to.
// Usage: bench_projecttree [repetitions]

#include "platform/prompter.h"
#include "platform/textfile.h"
#include "preview/linkupdate.h"
#include "project/openpageaccess.h"
#include "project/pageoperations.h"
#include "project/projectoutline.h"
#include "project/projecttree.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Tarnwick;

namespace {

constexpr int projectCount = 20;
constexpr int pagesPerProject = 500;

// No page is open in a tab; opening one succeeds.
class NoOpenPages final : public OpenPageAccess
{
public:
    bool IsSelectedFileOpen(const QString &, bool) override { return false; }
    bool LoadFile(const QString &, bool) override { return true; }
};

// project.dat with 20 projects of 500 pages each, their folders below home.
void writeProjectList(const QString &home)
{
    QByteArray list;
    for (int p = 0; p < projectCount; ++p) {
        const QByteArray folder = "site" + QByteArray::number(p);
        QDir().mkpath(home + QString::fromLatin1(folder));
        list += "Site " + QByteArray::number(p) + " - " + folder + "\r\n";
        for (int i = 0; i < pagesPerProject; ++i)
            list += "\tPage " + QByteArray::number(i).rightJustified(4, '0') + " - page"
                + QByteArray::number(i) + ".htm\r\n";
    }
    QFile file(home + QStringLiteral("project.dat"));
    if (file.open(QIODevice::WriteOnly))
        file.write(list);
}

struct Times
{
    std::vector<double> command, refresh, write;
};

double ms(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// One tree command the way the project commands run it.
void step(ProjectOutline &outline, const QString &listPath, Times &times,
          const std::function<bool(TreeSelection &)> &command)
{
    QElapsedTimer clock;
    clock.start();
    TreeSelection s { outline.tree(), outline.currentRow() };
    const bool write = command(s);
    times.command.push_back(ms(clock));
    clock.restart();
    outline.showTree(s.tree, s.row);
    times.refresh.push_back(ms(clock));
    clock.restart();
    if (write)
        (void)outline.tree().save(listPath);
    times.write.push_back(ms(clock));
}

void report(const char *name, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("  %-8s median %8.2f ms (min %8.2f, max %8.2f)\n", name, times[times.size() / 2],
                times.front(), times.back());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    QTemporaryDir dir;
    const QString home = dir.path() + QLatin1Char('/');
    const QString listPath = home + QStringLiteral("project.dat");
    writeProjectList(home);

    // The middle project's pages on disk, for the link search after a rename.
    const int middle = projectCount / 2;
    for (int i = 0; i < pagesPerProject; ++i) {
        QString text = QStringLiteral("<html><head><title>Page %1</title></head><body>\n").arg(i);
        while (text.size() < 10 * 1024)
            text += QStringLiteral("<p><a href=\"page%1.htm\">next</a> <img src=\"pic%1.gif\">"
                                   " Some words of the page to read through.</p>\n")
                        .arg(i % 10 == 0 ? pagesPerProject + 1 : i + 1);
        (void)TextFile::write(home + QStringLiteral("site%1/page%2.htm").arg(middle).arg(i),
                              text + QStringLiteral("</body></html>\n"), TextFileFormat());
    }

    ScriptedPrompter prompter;
    NoOpenPages pages;
    Times linkSearch;
    PageOperations::Hooks hooks;
    // What the program does before it asks: read each page and find the lines.
    hooks.pageMoved = [&](const QStringList &paths, const QString &from, const QString &to) {
        QElapsedTimer clock;
        clock.start();
        int linking = 0;
        for (const QString &path : paths) {
            const Expected<TextFileContent> read = TextFile::read(path);
            if (read
                && LinkUpdate::rewrite(read->text, QFileInfo(path).absolutePath(), from, to)
                       .changes())
                ++linking;
        }
        linkSearch.command.push_back(ms(clock));
        if (linking == 0)
            std::printf("warning: no page links to %s\n", qPrintable(from));
    };
    PageOperations operations(home, &prompter, &pages, std::move(hooks));
    ProjectOutline outline;
    outline.setProgramDirectory(home);
    outline.resize(300, 600);
    outline.show();

    std::vector<double> loads;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer clock;
        clock.start();
        const Expected<ProjectTree> tree = ProjectTree::load(listPath);
        outline.setTree(tree.value());
        outline.expandAll();
        loads.push_back(ms(clock));
    }
    std::printf("Project tree of %d pages in %d projects, median of %d runs\n",
                projectCount * pagesPerProject, projectCount, repetitions);
    std::printf("Load project.dat into the tree:\n");
    report("total", loads);

    // The middle project: its page entries sit in the middle of the view.
    const int project = (projectCount / 2) * (pagesPerProject + 1);
    Times added, renamed, removed;
    for (int i = 0; i < repetitions; ++i) {
        // The page that one in ten pages of the project links to.
        const QString name = QStringLiteral("page%1").arg(pagesPerProject + 1);
        outline.setCurrentRow(project);
        step(outline, listPath, added, [&](TreeSelection &s) {
            return operations.createPage(s,
                                         { name,
                                           QStringLiteral("htm"),
                                           QStringLiteral("New"),
                                           PageOperations::Style::ThemePage,
                                           {} });
        });
        prompter.answerText(QStringLiteral("renamed%1.htm").arg(i));
        step(outline, listPath, renamed,
             [&](TreeSelection &s) { return operations.renameFile(s); });
        prompter.answer(Prompter::Answer::Ok);
        step(outline, listPath, removed,
             [&](TreeSelection &s) { return operations.deletePage(s); });
    }
    for (const auto &[caption, times] :
         { std::pair { "Add a page:", &added }, std::pair { "Rename a page:", &renamed },
           std::pair { "Remove and delete a page:", &removed } }) {
        std::printf("%s\n", caption);
        report("command", times->command);
        report("refresh", times->refresh);
        report("write", times->write);
    }
    std::printf("  of the rename's command, the search for links in the 500 pages of its "
                "project:\n");
    report("search", linkSearch.command);
    // Every step did its work: nothing was refused, no page is left over.
    for (const QString &text : prompter.texts()) {
        if (text != PageOperations::deleteSelectedFile())
            std::printf("warning: %s\n", qPrintable(text));
    }
    if (outline.tree().size() != projectCount * (pagesPerProject + 1))
        std::printf("warning: the tree ends with %lld entries\n",
                    static_cast<long long>(outline.tree().size()));
    return 0;
}
