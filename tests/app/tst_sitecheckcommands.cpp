// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sitecheckcommands.h"
#include "app/sitecheckpane.h"

#include "platform/fileops.h"
#include "projectcommandsfixture.h"
#include "support/testenvironment.h"

#include <QComboBox>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using namespace Tarnwick;

namespace {

// The texts of the pane: a line per page, "  " and the finding below it.
QStringList shown(const SiteCheckPane &pane)
{
    QStringList lines;
    const QTreeWidget *tree = pane.tree();
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *page = tree->topLevelItem(i);
        lines << page->text(0);
        for (int j = 0; j < page->childCount(); ++j) {
            const QTreeWidgetItem *f = page->child(j);
            lines << QStringLiteral("  %1:%2 %3 [%4]")
                         .arg(f->text(1), f->text(2), f->text(0), f->text(3));
        }
    }
    return lines;
}

struct Fixture : ProjectCommandsFixture
{
    // Docked in a window, as in the program; the window is never shown.
    QMainWindow window;
    SiteCheckPane &pane = *new SiteCheckPane(&window);
    SiteCheckCommands check { &outline, &pages, &prompter, &settings, &pane };
    QString project = home + QStringLiteral("shop");

    explicit Fixture(int extraPages = 0)
    {
        window.addDockWidget(Qt::BottomDockWidgetArea, &pane);
        pane.hide();
        TestEnvironment::writeFile(
            project + QStringLiteral("/a.htm"),
            "<html><head><title>A</title></head><body>\n"
            "<p><a href=\"b.htm#more\">b</a> <a href=\"gone.htm\">x</a></p>\n"
            "</body></html>\n");
        TestEnvironment::writeFile(
            project + QStringLiteral("/b.htm"),
            "<html><head><title>B</title></head><body id=\"more\"></body></html>\n");
        TestEnvironment::writeFile(project + QStringLiteral("/unused.gif"), "GIF89a");
        QList<ProjectTreeEntry> entries { { 1, QStringLiteral("Shop - shop") },
                                          { 2, QStringLiteral("A - a.htm") },
                                          { 2, QStringLiteral("B - b.htm") } };
        for (int i = 0; i < extraPages; ++i) {
            const QString name = QStringLiteral("p%1.htm").arg(i, 4, 10, QLatin1Char('0'));
            TestEnvironment::writeFile(
                project + QLatin1Char('/') + name,
                "<html><head><title>P</title></head><body><a href=\"a.htm\">a</a></body></html>\n");
            entries.append({ 2, QStringLiteral("P - ") + name });
        }
        outline.showTree(ProjectTree(entries), 0);
    }

    bool runToEnd()
    {
        QSignalSpy finished(&check, &SiteCheckCommands::finished);
        check.CheckSiteClick();
        return finished.wait(TestEnvironment::signalBound) && !check.running();
    }
};

const QStringList shopFindings {
    "a.htm (1)", "  2:34 HREF of <A> names a file that does not exist: gone.htm [missing]",
    "unused.gif (1)", "  : no page of the project uses this file [orphan]"
};

} // namespace

class TestSiteCheckCommands final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void checksTheSelectedEntrysProject_data();
    void checksTheSelectedEntrysProject();
    void nothingSelected();
    void filterByKind();
    void doubleClickOpensThePageAtThePlace();
    void savingAPageChecksItAgain();
    void cancelStopsTheCheck();
    void checkingAgainReplacesARunningCheck();
    void beforeSending_data();
    void beforeSending();
};

void TestSiteCheckCommands::checksTheSelectedEntrysProject_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("project") << 0;
    QTest::newRow("page") << 2;
}

void TestSiteCheckCommands::checksTheSelectedEntrysProject()
{
    QFETCH(int, row);
    Fixture f;
    f.outline.setCurrentRow(row);
    QVERIFY(f.runToEnd());
    QVERIFY(!f.pane.isHidden());
    QCOMPARE(shown(f.pane), shopFindings);
    QCOMPARE(f.pane.status(), QStringLiteral("2 pages checked: 1 error, 0 warnings, 1 note"));
    QVERIFY(f.prompter.messages().isEmpty());
}

void TestSiteCheckCommands::nothingSelected()
{
    Fixture f;
    f.outline.setCurrentRow(-1);
    f.check.CheckSiteClick();
    QCOMPARE(f.prompter.texts(), QStringList { SiteCheckCommands::noProjectSelected() });
    QVERIFY(!f.check.running());
}

void TestSiteCheckCommands::filterByKind()
{
    Fixture f;
    QVERIFY(f.runToEnd());
    QComboBox *filter = f.pane.filter();
    filter->setCurrentIndex(filter->findText(QStringLiteral("orphan")));
    QCOMPARE(shown(f.pane), shopFindings.mid(2));
    QCOMPARE(f.pane.status(), QStringLiteral("1 error, 0 warnings, 1 note (1 shown)"));
    filter->setCurrentIndex(filter->findText(QStringLiteral("anchor")));
    QCOMPARE(shown(f.pane), QStringList());
    filter->setCurrentIndex(0);
    QCOMPARE(shown(f.pane), shopFindings);
}

void TestSiteCheckCommands::doubleClickOpensThePageAtThePlace()
{
    Fixture f;
    QVERIFY(f.runToEnd());
    QTreeWidgetItem *finding = f.pane.tree()->topLevelItem(0)->child(0);
    Q_EMIT f.pane.tree()->itemActivated(finding, 0);
    QCOMPARE(f.pages.count(), 1);
    QVERIFY(FileOps::samePath(f.pages.currentFileName(), f.project + QStringLiteral("/a.htm")));
    f.editor.ReadSelection();
    QCOMPARE(f.editor.EndLine, 2);
    QCOMPARE(f.editor.EndPos, 33);
    // Again, with the page open: its tab, not a second one.
    f.editor.StartLine = f.editor.EndLine = 1;
    f.editor.StartPos = f.editor.EndPos = 0;
    f.editor.ApplySelection();
    Q_EMIT f.pane.tree()->itemActivated(finding, 0);
    QCOMPARE(f.pages.count(), 1);
    f.editor.ReadSelection();
    QCOMPARE(f.editor.EndLine, 2);
}

void TestSiteCheckCommands::savingAPageChecksItAgain()
{
    Fixture f;
    QVERIFY(f.runToEnd());
    QVERIFY(f.pages.LoadFile(f.project + QStringLiteral("/a.htm"), true));
    f.editor.SetText(QStringLiteral("<html><head><title>A</title></head><body>\n<p><a "
                                    "href=\"b.htm#less\">b</a></p>\n</body></html>\n"));
    QVERIFY(f.pages.Save1Click());
    QCOMPARE(
        shown(f.pane),
        QStringList({ "a.htm (1)", "  2:7 no anchor named \"less\" in b.htm [anchor]",
                      "unused.gif (1)", "  : no page of the project uses this file [orphan]" }));
}

void TestSiteCheckCommands::cancelStopsTheCheck()
{
    Fixture f(400);
    QSignalSpy finished(&f.check, &SiteCheckCommands::finished);
    f.check.CheckSiteClick();
    QVERIFY(f.check.running());
    f.pane.findChild<QPushButton *>(QStringLiteral("SiteCheckCancel"))->click();
    QVERIFY(finished.wait(TestEnvironment::signalBound));
    QVERIFY2(f.pane.status().startsWith(QStringLiteral("Cancelled after ")),
             qPrintable(f.pane.status()));
    QVERIFY(f.pane.status().contains(QStringLiteral(" of 402 pages: ")));
}

void TestSiteCheckCommands::checkingAgainReplacesARunningCheck()
{
    Fixture f(400);
    QSignalSpy finished(&f.check, &SiteCheckCommands::finished);
    f.check.CheckSiteClick();
    f.check.CheckSiteClick();
    QVERIFY(finished.wait(TestEnvironment::signalBound));
    // The first run's end, still on its way, must not end the second one.
    QTest::qWait(200);
    QCOMPARE(finished.size(), 1);
    QVERIFY(!f.check.running());
    QCOMPARE(f.pane.status(), QStringLiteral("402 pages checked: 1 error, 0 warnings, 1 note"));
}

void TestSiteCheckCommands::beforeSending_data()
{
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<int>("answer"); // -1: no question
    QTest::addColumn<bool>("send");
    QTest::addColumn<bool>("paneShown");

    QTest::newRow("no errors") << QStringList { "b.htm" } << -1 << true << false;
    QTest::newRow("send anyway") << QStringList { "a.htm", "b.htm" } << int(Prompter::Answer::Yes)
                                 << true << false;
    QTest::newRow("review") << QStringList { "a.htm", "b.htm" } << int(Prompter::Answer::No)
                            << false << true;
}

void TestSiteCheckCommands::beforeSending()
{
    QFETCH(QStringList, pages);
    QFETCH(int, answer);
    QFETCH(bool, send);
    QFETCH(bool, paneShown);
    Fixture f;
    if (answer >= 0)
        f.prompter.answer(Prompter::Answer(answer));
    QStringList paths;
    for (const QString &page : pages)
        paths << f.project + QLatin1Char('/') + page;
    QCOMPARE(f.check.checkBeforeSend(f.project, paths), send);
    QCOMPARE(f.prompter.texts(),
             answer >= 0 ? QStringList { SiteCheckCommands::errorsBeforeSend(1) } : QStringList());
    QCOMPARE(!f.pane.isHidden(), paneShown);
    if (paneShown)
        QCOMPARE(shown(f.pane), shopFindings.mid(0, 2));
}

QTEST_MAIN(TestSiteCheckCommands)
#include "tst_sitecheckcommands.moc"
