// SPDX-License-Identifier: GPL-3.0-or-later
// Times the user's tags: what they add to the start (the menus, pages and
// buttons from the shipped files), LoadMenu of a menu file of 2,000 lines
// (and ClearMenu before each load, as "&Ok" does), and ReassignButtons of
// a full custom page. Every figure is the median of the repetitions, in
// milliseconds.
// Usage: bench_usertags [repetitions]   (runs offscreen unless told otherwise)

#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "tags/custompage.h"
#include "tags/htmlcodesmenu.h"
#include "tags/lcrpopup.h"
#include "tags/specialcharacters.h"
#include "tags/taginserter.h"
#include "tags/tagmenus.h"
#include "tags/usertagcommands.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMenu>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Tarnwick;

namespace {

double medianOf(int repetitions, const std::function<void()> &before,
                const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        before();
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct MemoryStore final : SpecialCharacterStore
{
    QHash<QString, QString> texts;
    bool setup = false;
    QString readText(const QString &name) override { return texts.value(name); }
    bool readFlag(const QString &) override { return setup; }
    void writeText(const QString &name, const QString &value) override { texts[name] = value; }
    void writeFlag(const QString &, bool value) override { setup = value; }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 21;

    QTemporaryDir dir;
    QByteArray menu;
    for (int i = 0; i < 2000; ++i) {
        const QByteArray n = QByteArray::number(i);
        if (i % 3 == 0)
            menu += QByteArray("<A HREF=\"p") + n + ".htm\">..</A> - Link " + n + "\r\n";
        else
            menu += QByteArray("TT") + n + " - Tag " + n + "\r\n";
    }
    const QString menuPath = QDir(dir.path()).filePath(QStringLiteral("usercode.mnu"));
    QFile file(menuPath);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly))
        return 1;
    file.write(menu);
    file.close();

    EditorControl editor;
    ScriptedPrompter prompter;
    TagInserter inserter(&editor, &prompter, {});
    TagMenus menus(dir.path(), &inserter, &prompter);
    const double load = medianOf(
        repetitions, [&] { menus.ClearMenu(2); }, [&] { menus.LoadMenu(menuPath, 2); });
    const double clear = medianOf(
        repetitions, [&] { menus.LoadMenu(menuPath, 2); }, [&] { menus.ClearMenu(2); });

    LCRPopup popup(&inserter);
    CustomPage page(1, &inserter, &popup, &prompter);
    page.CreateButtons();
    QStringList lines;
    for (int i = 0; i < 19; ++i)
        lines << (i % 2 == 0 ? QStringLiteral("***||0|0") : QStringLiteral("P|P|1|0"));
    lines[18] = QStringLiteral("Em|EM|1|0");
    const double reassign = medianOf(
        repetitions, [] {}, [&] { page.ReassignButtons(lines); });

    // The start: the shipped menu and button files, the special characters set up.
    QTemporaryDir shipped;
    for (const char *name : { "blkhlght.mnu", "textattr.mnu", "usercode.mnu", "page1.btn" })
        QFile::copy(QStringLiteral(TARNWICK_SOURCE_DATA "/") + QLatin1String(name),
                    QDir(shipped.path()).filePath(QLatin1String(name)));
    MemoryStore store;
    const double start = medianOf(
        repetitions, [] {},
        [&] {
            PowerBook book(&inserter);
            HTMLCodesMenu codes(&inserter);
            UserTagCommands commands({ shipped.path(), &inserter, &prompter, &store, &editor,
                                       nullptr, [] { return true; }, nullptr });
            commands.addPages(&book);
            commands.fillHtmlCodesMenu(&codes, codes.headings());
            commands.buildButtons();
        });

    std::printf("start: menus, pages, buttons     %8.2f ms\n", start);
    std::printf("LoadMenu, 2,000 lines            %8.2f ms\n", load);
    std::printf("ClearMenu, 2,000 entries         %8.2f ms\n", clear);
    std::printf("ReassignButtons, 19 buttons      %8.2f ms\n", reassign);
    std::printf("(median of %d repetitions)\n", repetitions);
    return 0;
}
