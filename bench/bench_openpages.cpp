// SPDX-License-Identifier: GPL-3.0-or-later
// Times the page operations a user waits for on big pages: opening a 10 MB
// page, switching between two tabs of 10 MB pages, and saving one; then the
// same for a 10 MB page with mixed line ends, whose lines are matched against
// the page as read on every write.
// Usage: bench_openpages [repetitions]   (runs offscreen unless told otherwise)

#include "app/openpages.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Tarnwick;

namespace {

QByteArray bigPage(int targetBytes, char variant)
{
    QByteArray page = "<!DOCTYPE html>\n<html><head><title>Big</title></head><body>\n";
    int row = 0;
    while (page.size() < targetBytes) {
        page += "<tr><td class=\"c" + QByteArray::number(row % 7) + "\">Row "
            + QByteArray::number(row) + " of the long table " + variant + "</td><td><a href=\"page"
            + QByteArray::number(row) + ".htm\">link</a></td></tr>\n";
        ++row;
    }
    page += "</body></html>\n";
    return page;
}

// CR LF line ends, but every tenth line ends in a bare LF.
QByteArray mixedLineEnds(const QByteArray &page)
{
    QByteArray mixed;
    mixed.reserve(page.size() + page.size() / 50);
    int line = 0;
    for (const char c : page) {
        if (c == '\n' && ++line % 10 != 0)
            mixed += '\r';
        mixed += c;
    }
    return mixed;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const char *what, const std::vector<double> &ms)
{
    std::printf("%-38s median %8.1f ms   min %8.1f ms   max %8.1f ms   (%zu runs)\n", what,
                median(ms), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()), ms.size());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QTemporaryDir dir;
    const QString a = dir.filePath("a.htm");
    const QString b = dir.filePath("b.htm");
    for (const auto &[path, variant] : { std::pair { a, 'A' }, std::pair { b, 'B' } }) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bigPage(10 * 1024 * 1024, variant)) < 0)
            return 1;
    }
    std::printf("page size: %lld bytes each\n", QFile(a).size());

    std::vector<double> open, toFirst, toSecond, save;
    for (int run = 0; run < runs; ++run) {
        ScriptedPrompter prompter;
        Settings settings(
            std::make_unique<QSettings>(dir.filePath("s.conf"), QSettings::IniFormat));
        EditorControl editor;
        QTabBar tabs;
        OpenPages pages(&editor, &tabs, &prompter, &settings, dir.path() + "/");
        editor.resize(800, 600);
        editor.show();

        QElapsedTimer timer;
        timer.start();
        pages.LoadFile(a, false);
        app.processEvents();
        open.push_back(timer.nsecsElapsed() / 1e6);

        pages.LoadFile(b, false);
        app.processEvents();
        editor.AppendText("<!-- edited -->\n");

        timer.restart();
        tabs.setCurrentIndex(0);
        app.processEvents();
        toFirst.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        tabs.setCurrentIndex(1);
        app.processEvents();
        toSecond.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        pages.Save1Click();
        save.push_back(timer.nsecsElapsed() / 1e6);

        pages.CloseAllPages();
    }
    report("open a 10 MB page", open);
    report("switch to the other 10 MB tab", toFirst);
    report("switch back (modified page)", toSecond);
    report("save a 10 MB page", save);

    const QString mixed = dir.filePath("mixed.htm");
    {
        QFile file(mixed);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(mixedLineEnds(bigPage(10 * 1024 * 1024, 'M'))) < 0)
            return 1;
    }
    const QByteArray rewritten = bigPage(10 * 1024 * 1024, 'Z');
    std::vector<double> mixedOpen, mixedSaveUnchanged, mixedSwitch, mixedSaveEdited,
        mixedSaveRewritten;
    for (int run = 0; run < runs; ++run) {
        ScriptedPrompter prompter;
        Settings settings(
            std::make_unique<QSettings>(dir.filePath("s.conf"), QSettings::IniFormat));
        EditorControl editor;
        QTabBar tabs;
        OpenPages pages(&editor, &tabs, &prompter, &settings, dir.path() + "/");

        QElapsedTimer timer;
        timer.start();
        pages.LoadFile(mixed, false);
        app.processEvents();
        mixedOpen.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        pages.Save1Click();
        mixedSaveUnchanged.push_back(timer.nsecsElapsed() / 1e6);

        // Three edits far apart: only unique lines can anchor the middle.
        editor.InsertAtLine(1, 0, "<!-- top -->\n");
        editor.InsertAtLine(editor.LineCount() / 2, 0, "<!-- middle -->\n");
        editor.AppendText("<!-- end -->\n");
        timer.restart();
        pages.LoadFile(a, false); // hides the edited page: its backup is written
        app.processEvents();
        mixedSwitch.push_back(timer.nsecsElapsed() / 1e6);
        tabs.setCurrentIndex(0);
        app.processEvents();

        timer.restart();
        pages.Save1Click();
        mixedSaveEdited.push_back(timer.nsecsElapsed() / 1e6);

        editor.SetText(QString::fromLatin1(rewritten)); // no line left as it was
        timer.restart();
        pages.Save1Click();
        mixedSaveRewritten.push_back(timer.nsecsElapsed() / 1e6);

        prompter.answer(Prompter::Answer::No);
        pages.CloseAllPages();
        // Back to the page as first written for the next run.
        QFile file(mixed);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(mixedLineEnds(bigPage(10 * 1024 * 1024, 'M'))) < 0)
            return 1;
    }
    report("open a 10 MB mixed page", mixedOpen);
    report("save it unchanged", mixedSaveUnchanged);
    report("hide it after 3 edits (backup)", mixedSwitch);
    report("save it after 3 edits", mixedSaveEdited);
    report("save it rewritten throughout", mixedSaveRewritten);
    return 0;
}
