// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/projectsearchcommands.h"
#include "app/projectsearchpane.h"
#include "sitesearch/projectreplace.h"

#include "projectcommandsfixture.h"
#include "support/testenvironment.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using namespace Tarnwick;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The pane's lines: a file, then "  line:column text" for its matches.
QStringList shown(const ProjectSearchPane &pane)
{
    QStringList lines;
    const QTreeWidget *tree = pane.tree();
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *file = tree->topLevelItem(i);
        lines << file->text(0);
        for (int j = 0; j < file->childCount(); ++j)
            lines << QStringLiteral("  %1:%2 %3")
                         .arg(file->child(j)->text(1), file->child(j)->text(2),
                              file->child(j)->text(0));
    }
    return lines;
}

struct Fixture : ProjectCommandsFixture
{
    QMainWindow window;
    ProjectSearchPane &pane = *new ProjectSearchPane(&window);
    ProjectSearchCommands search { &outline, &pages, &prompter, &pane, &window };
    QString project = home + QStringLiteral("shop");
    // What the user does in the preview before pressing Replace; false cancels.
    std::function<bool(QTreeWidget *)> inPreview = [](QTreeWidget *) { return true; };

    Fixture()
    {
        window.addDockWidget(Qt::BottomDockWidgetArea, &pane);
        pane.hide();
        TestEnvironment::writeFile(project + QStringLiteral("/a.htm"),
                                   "<p>Footer 2019</p>\r\n<p>Footer 2019</p>\r\n");
        TestEnvironment::writeFile(project + QStringLiteral("/b.htm"), "<P>Caf\xE9 2019</P>\n");
        TestEnvironment::writeFile(project + QStringLiteral("/c.htm"), "<p>no year</p>\n");
        outline.showTree(ProjectTree({ { 1, QStringLiteral("Shop - shop") },
                                       { 2, QStringLiteral("A - a.htm") },
                                       { 2, QStringLiteral("B - b.htm") },
                                       { 2, QStringLiteral("C - c.htm") } }),
                         0);
        search.runDialog = [this](QDialog &dialog) {
            if (auto *preview = dialog.findChild<QTreeWidget *>(QStringLiteral("ReplacePreview")))
                return inPreview(preview);
            return true; // the Find dialog, with the query set before
        };
    }

    bool run(const SearchQuery &query, bool replace,
             ProjectSearch::Scope scope = ProjectSearch::Scope::ProjectPages)
    {
        search.lastQuery = query;
        search.lastScope = scope;
        QSignalSpy finished(&search, &ProjectSearchCommands::finished);
        replace ? search.ReplaceInProjectClick() : search.FindInProjectClick();
        return search.running() ? finished.wait(TestEnvironment::signalBound) : false;
    }
};

SearchQuery find(const QString &text, const QString &replacement = {}, bool regex = false)
{
    return { text, regex, false, false, replacement };
}

} // namespace

class TestProjectSearchCommands final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void findListsEveryMatch();
    void openPageIsSearchedInItsTab();
    void replaceInOpenAndClosedPages();
    void untickedFileStaysAsItIs();
    void fileChangedAfterTheSearchIsSkipped();
    void refusedQueries_data();
    void refusedQueries();
    void manyMatchesAskFirst();
};

void TestProjectSearchCommands::findListsEveryMatch()
{
    Fixture f;
    QVERIFY(f.run(find(QStringLiteral("2019")), false));
    QCOMPARE(shown(f.pane),
             QStringList({ "a.htm (2)", "  1:11 <p>Footer 2019</p>", "  2:11 <p>Footer 2019</p>",
                           "b.htm (1)", "  1:9 <P>Café 2019</P>" }));
    QCOMPARE(f.pane.status(), QStringLiteral("\"2019\": 3 matches in 2 files"));
    // A double click opens the page with the match selected.
    Q_EMIT f.pane.tree()->itemActivated(f.pane.tree()->topLevelItem(0)->child(1), 0);
    QCOMPARE(f.pages.count(), 1);
    QCOMPARE(f.editor.GetSelText(), QStringLiteral("2019"));
    f.editor.ReadSelection();
    QCOMPARE(f.editor.StartLine, 2);
}

void TestProjectSearchCommands::openPageIsSearchedInItsTab()
{
    Fixture f;
    QVERIFY(f.pages.LoadFile(f.project + QStringLiteral("/c.htm"), true));
    f.editor.SetText(QStringLiteral("<p>typed 2019, not saved</p>"));
    QVERIFY(f.run(find(QStringLiteral("2019")), false, ProjectSearch::Scope::OpenPages));
    QCOMPARE(shown(f.pane),
             QStringList({ "c.htm (1), open in a tab", "  1:10 <p>typed 2019, not saved</p>" }));
}

void TestProjectSearchCommands::replaceInOpenAndClosedPages()
{
    Fixture f;
    const QString a = f.project + QStringLiteral("/a.htm");
    const QString b = f.project + QStringLiteral("/b.htm");
    QVERIFY(f.pages.LoadFile(a, true));
    QVERIFY(f.pages.LoadFile(b, true)); // b in front, a hidden
    const QByteArray aBefore = contents(a);
    const QByteArray bBefore = contents(b);
    TestEnvironment::writeFile(f.project + QStringLiteral("/c.htm"),
                               "<p>2019</p>\r\n\r\n<p>x</p>\n");
    QVERIFY(f.run(find(QStringLiteral("2019"), QStringLiteral("2026")), true));
    QCOMPARE(f.prompter.texts(), QStringList { "4 replacements in 3 files." });
    // The closed page is written, every other byte as it was.
    QCOMPARE(contents(f.project + QStringLiteral("/c.htm")),
             QByteArray("<p>2026</p>\r\n\r\n<p>x</p>\n"));
    // Open pages change in their tabs and stay unsaved.
    QCOMPARE(contents(a), aBefore);
    QCOMPARE(contents(b), bBefore);
    QCOMPARE(f.editor.Text(), QStringLiteral("<P>Café 2026</P>\n"));
    QVERIFY(f.editor.Modified());
    f.editor.Undo();
    QCOMPARE(f.editor.Text(), QStringLiteral("<P>Café 2019</P>\n"));
    QVERIFY(!f.editor.Modified());
    // The hidden page shows the change, and one Undo takes it back.
    QVERIFY(f.pages.ShowOpenPage(a));
    QCOMPARE(f.editor.Text(), QStringLiteral("<p>Footer 2026</p>\n<p>Footer 2026</p>\n"));
    QVERIFY(f.editor.Modified());
    f.editor.Undo();
    QCOMPARE(f.editor.Text(), QStringLiteral("<p>Footer 2019</p>\n<p>Footer 2019</p>\n"));
    QVERIFY(!f.editor.CanUndo());
}

void TestProjectSearchCommands::untickedFileStaysAsItIs()
{
    Fixture f;
    const QByteArray aBefore = contents(f.project + QStringLiteral("/a.htm"));
    f.inPreview = [](QTreeWidget *preview) {
        preview->topLevelItem(0)->setCheckState(0, Qt::Unchecked); // a.htm
        preview->topLevelItem(1)->child(0)->setCheckState(0, Qt::Checked);
        return true;
    };
    QVERIFY(f.run(find(QStringLiteral("2019"), QStringLiteral("2026")), true));
    QCOMPARE(f.prompter.texts(), QStringList { "1 replacement in 1 file." });
    QCOMPARE(contents(f.project + QStringLiteral("/a.htm")), aBefore);
    QCOMPARE(contents(f.project + QStringLiteral("/b.htm")), QByteArray("<P>Caf\xE9 2026</P>\n"));
}

void TestProjectSearchCommands::fileChangedAfterTheSearchIsSkipped()
{
    Fixture f;
    const QString b = f.project + QStringLiteral("/b.htm");
    f.inPreview = [&](QTreeWidget *) {
        TestEnvironment::writeFile(b, "<P>2019, edited elsewhere</P>\n");
        return true;
    };
    QVERIFY(f.run(find(QStringLiteral("2019"), QStringLiteral("2026")), true));
    QCOMPARE(f.prompter.texts(),
             QStringList { "2 replacements in 1 file.\nNot changed:\n" + b + ": "
                           + ProjectReplace::changedSinceSearch() });
    QCOMPARE(contents(b), QByteArray("<P>2019, edited elsewhere</P>\n"));
}

void TestProjectSearchCommands::refusedQueries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<int>("row"); // selected in the tree
    QTest::addColumn<QString>("message");

    QTest::newRow("broken expression")
        << "(2019" << false << 0
        << "The regular expression does not work: missing closing parenthesis, at character 6.";
    QTest::newRow("empty match for Replace")
        << "\\d*" << true << 0 << ProjectSearchCommands::emptyMatch();
    QTest::newRow("no project") << "2019" << false << -1 << ProjectSearchCommands::noProject();
}

void TestProjectSearchCommands::refusedQueries()
{
    QFETCH(QString, text);
    QFETCH(bool, replace);
    QFETCH(int, row);
    QFETCH(QString, message);
    Fixture f;
    f.outline.setCurrentRow(row);
    QVERIFY(!f.run(find(text, QStringLiteral("x"), true), replace));
    QCOMPARE(f.prompter.texts(), QStringList { message });
    QVERIFY(f.pane.isHidden());
}

void TestProjectSearchCommands::manyMatchesAskFirst()
{
    Fixture f;
    const QByteArray many(ProjectSearchCommands::PreviewLimit + 1, 'x');
    TestEnvironment::writeFile(f.project + QStringLiteral("/c.htm"), many);
    f.prompter.answer(Prompter::Answer::No);
    QVERIFY(f.run(find(QStringLiteral("x"), QStringLiteral("y")), true));
    QCOMPARE(f.prompter.texts(),
             QStringList {
                 ProjectSearchCommands::manyMatches(ProjectSearchCommands::PreviewLimit + 1, 1) });
    QCOMPARE(contents(f.project + QStringLiteral("/c.htm")), many);
    // The pane lists a part and counts the rest.
    QVERIFY(f.pane.status().endsWith(QStringLiteral("(the first 20000 listed)")));
}

QTEST_MAIN(TestProjectSearchCommands)
#include "tst_projectsearchcommands.moc"
