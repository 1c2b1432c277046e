// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/openpages.h"
#include "app/projectcommands.h"
#include "app/settings.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "project/projectoutline.h"
#include "project/textrafilesfrm.h"
#include "projectcommandsfixture.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Tarnwick;

namespace {

QStringList entries(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// A program directory with a project "site", the tree, the open pages and
// the project commands, as the main window wires them.
struct Fixture : ProjectCommandsFixture
{
    Fixture() { QDir().mkpath(home + "site"); }
    QString file(const QString &name, const QByteArray &bytes)
    {
        TestEnvironment::writeFile(home + "site/" + name, bytes);
        return home + "site/" + name;
    }
    void setPages(const QStringList &pages)
    {
        QList<ProjectTreeEntry> tree { { 1, "Other - other" },
                                       { 2, "Page - other.htm" },
                                       { 1, "Site - site" },
                                       { 2, "#Default Project Settings - PROJECT.INI" } };
        for (const QString &page : pages)
            tree.append({ 2, page + " - " + page });
        outline.setTree(ProjectTree(tree));
        outline.setCurrentRow(2);
    }
    std::unique_ptr<TExtraFilesFrm> dialog()
    {
        return std::make_unique<TExtraFilesFrm>(
            outline.GetSelectedProjectDir(), commands.selectedProjectPages(),
            [this](const QString &page) { return commands.pageReferences(page); }, &prompter,
            TExtraFilesFrm::Extensions { settings.Defaults.Extension,
                                         settings.Defaults.GraphicExtension });
    }
    std::unique_ptr<TExtraFilesFrm> wiredDialog()
    {
        auto form = dialog();
        form->setOpenPageCheck([this](const QString &page) { return pages.IsFileNameOpen(page); });
        return form;
    }
};

template<typename T> T *child(QWidget *w, const char *name)
{
    T *found = w->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

} // namespace

class TestProjectOrphans final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void search_data();
    void search();
    void openModifiedPagesCountAsTheyAre();
    void unreadablePage();
    void commandFromTheTree();
    void missingProjectDirectory();
    void statusWhileSearching();
    void trashChosenOrphans_data();
    void trashChosenOrphans();
    void displayKind_data();
    void displayKind();
    void clickShowsTheFile();
};

void TestProjectOrphans::search_data()
{
    QTest::addColumn<QStringList>("files"); // "name=content" in the project directory
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QStringList>("supporting");
    QTest::addColumn<QStringList>("orphans");

    QTest::addRow("a page, its picture, an old page and the settings file")
        << QStringList { "index.htm=<img src=\"logo.gif\">", "logo.gif=GIF", "old.htm=<p>",
                         "PROJECT.INI=[PROJECT]" }
        << QStringList { "index.htm" } << QStringList { "logo.gif" }
        << QStringList { "old.htm", "PROJECT.INI" };
    QTest::addRow("images/logo.gif keeps no logo.gif off the list")
        << QStringList { "index.htm=<img src=\"images/logo.gif\">", "logo.gif=GIF",
                         "images/logo.gif=GIF" }
        << QStringList { "index.htm" } << QStringList { "images/logo.gif" }
        << QStringList { "logo.gif" };
    QTest::addRow("one picture of two pages, once as ./pic.gif")
        << QStringList { "a.htm=<img src=\"pic.gif\">", "b.htm=<body background='./pic.gif'>",
                         "pic.gif=GIF" }
        << QStringList { "a.htm", "b.htm" } << QStringList { "pic.gif" } << QStringList();
    QTest::addRow("names compared as the file system does")
        << QStringList { "index.htm=<img src=\"LOGO.GIF\">", "logo.gif=GIF" }
        << QStringList { "index.htm" } << QStringList() << QStringList { "logo.gif" };
    QTest::addRow("links keep files too; a linked page stays a page")
        << QStringList { "index.htm=<a href=\"about.htm#team\">a</a><a href=price%20list.pdf>p</a>"
                         "<link rel=stylesheet href=\"site.css\">",
                         "about.htm=<p>", "price list.pdf=PDF", "site.css=p{}", "draft.txt=x" }
        << QStringList { "index.htm", "about.htm" } << QStringList { "price list.pdf", "site.css" }
        << QStringList { "draft.txt" };
}

void TestProjectOrphans::search()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, pages);
    Fixture f;
    QStringList all;
    for (const QString &file : files) {
        f.file(file.section('=', 0, 0), file.section('=', 1).toUtf8());
        if (!file.section('=', 0, 0).contains('/'))
            all.append(file.section('=', 0, 0));
    }
    f.setPages(pages);
    auto form = f.dialog();
    QListWidget *orphans = child<QListWidget>(form.get(), "FileListBox1");
    all.sort(Qt::CaseInsensitive);
    QCOMPARE(entries(orphans), all);
    QStringList sortedPages = pages;
    sortedPages.sort(Qt::CaseInsensitive);
    QCOMPARE(entries(child<QListWidget>(form.get(), "FilesInUse")), sortedPages);
    QLabel *status = child<QLabel>(form.get(), "SearchStatus");
    QCOMPARE(status->text(), QStringLiteral("0 of %1").arg(pages.size()));

    child<QPushButton>(form.get(), "SearchBtn")->click();
    QTEST(entries(child<QListWidget>(form.get(), "SupportingFiles")), "supporting");
    QTEST(entries(orphans), "orphans");
    QCOMPARE(status->text(), QStringLiteral("Complete"));
    QVERIFY(!child<QPushButton>(form.get(), "SearchBtn")->isEnabled());
    QVERIFY(child<QPushButton>(form.get(), "CloseBtn")->isEnabled());
    QVERIFY(f.prompter.texts().isEmpty());
}

// The search reads open pages from their tabs: the tab stays, with its text,
// and no question comes up.
void TestProjectOrphans::openModifiedPagesCountAsTheyAre()
{
    Fixture f;
    const QString index = f.file("index.htm", "<img src=\"logo.gif\">");
    const QString about = f.file("about.htm", "<img src=\"team.gif\">");
    for (const char *name : { "logo.gif", "new.gif", "team.gif", "staff.gif" })
        f.file(name, "GIF");
    f.setPages({ "index.htm", "about.htm" });
    QVERIFY(f.pages.LoadFile(about, true));
    f.editor.SetText(QStringLiteral("<img src=\"staff.gif\">"));
    QVERIFY(f.pages.LoadFile(index, true)); // about.htm is hidden now, modified
    f.editor.SetText(QStringLiteral("<img src=\"new.gif\">"));
    QVERIFY(f.editor.Modified());

    auto form = f.dialog();
    child<QPushButton>(form.get(), "SearchBtn")->click();
    QCOMPARE(entries(child<QListWidget>(form.get(), "SupportingFiles")),
             QStringList({ "new.gif", "staff.gif" }));
    // The hidden page's backup beside it is no page of the project.
    QCOMPARE(entries(child<QListWidget>(form.get(), "FileListBox1")),
             QStringList({ "about.htm_", "logo.gif", "team.gif" }));
    QCOMPARE(f.pages.count(), 2);
    QCOMPARE(f.pages.currentFileName(), index);
    QCOMPARE(f.editor.Text(), QStringLiteral("<img src=\"new.gif\">"));
    QVERIFY(f.editor.Modified());
    QVERIFY(f.prompter.texts().isEmpty());
    QCOMPARE(f.prompter.unscriptedQuestions(), 0);
}

void TestProjectOrphans::unreadablePage()
{
    Fixture f;
    f.file("index.htm", "<img src=\"logo.gif\">");
    f.file("logo.gif", "GIF");
    f.setPages({ "gone.htm", "index.htm" });
    auto form = f.dialog();
    child<QPushButton>(form.get(), "SearchBtn")->click();
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY(f.prompter.texts().constFirst().contains("gone.htm"));
    QCOMPARE(entries(child<QListWidget>(form.get(), "SupportingFiles")),
             QStringList { "logo.gif" });
}

void TestProjectOrphans::commandFromTheTree()
{
    Fixture f;
    f.file("index.htm", "<p>");
    f.setPages({ "index.htm" });
    QStringList shownPages;
    QTimer::singleShot(0, &f.outline, [&shownPages] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        shownPages = entries(dialog->findChild<QListWidget *>("FilesInUse"));
        dialog->findChild<QPushButton *>("CloseBtn")->click();
    });
    f.commands.FindOrphansClick();
    // The settings entry is no page; the other project's pages are not this one's.
    QCOMPARE(shownPages, QStringList { "index.htm" });
    QVERIFY(f.prompter.texts().isEmpty());
}

void TestProjectOrphans::missingProjectDirectory()
{
    Fixture f;
    f.setPages({ "index.htm" });
    QDir(f.home + "site").removeRecursively();
    f.commands.FindOrphansClick();
    QCOMPARE(f.prompter.texts(),
             QStringList { "The project directory " + QDir::cleanPath(f.home + "site")
                           + " does not exist, so there are no files to compare with its pages." });
}

// "i of N" names each page as it is read.
void TestProjectOrphans::statusWhileSearching()
{
    Fixture f;
    for (const char *name : { "a.htm", "b.htm", "c.htm" })
        f.file(name, "<p>");
    f.setPages({ "a.htm", "b.htm", "c.htm" });
    QLabel *status = nullptr;
    QStringList seen;
    TExtraFilesFrm form(f.outline.GetSelectedProjectDir(), f.commands.selectedProjectPages(),
                        [&](const QString &page) {
                            seen.append(status->text() + " " + QFileInfo(page).fileName());
                            return f.commands.pageReferences(page);
                        },
                        &f.prompter, {});
    status = child<QLabel>(&form, "SearchStatus");
    QCOMPARE(status->text(), QStringLiteral("0 of 3"));
    form.SearchBtnClick();
    QCOMPARE(seen, QStringList({ "1 of 3 a.htm", "2 of 3 b.htm", "3 of 3 c.htm" }));
    QCOMPARE(status->text(), QStringLiteral("Complete"));
}

void TestProjectOrphans::trashChosenOrphans_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addRow("confirmed") << true;
    QTest::addRow("declined") << false;
}

// Chosen orphans go to the trash after a question; the settings file and the
// backup of an open page stay.
void TestProjectOrphans::trashChosenOrphans()
{
    QFETCH(bool, confirmed);
    Fixture f;
    const QString index = f.file("index.htm", "<img src=\"logo.gif\">");
    const QString about = f.file("about.htm", "<p>");
    f.file("logo.gif", "GIF");
    const QString old = f.file("old.htm", "<p>old");
    f.file("PROJECT.INI", "[PROJECT]");
    f.setPages({ "index.htm", "about.htm" });
    QVERIFY(f.pages.LoadFile(index, true));
    f.editor.SetText(QStringLiteral("<img src=\"logo.gif\"> edited"));
    QVERIFY(f.pages.LoadFile(about, true)); // index.htm's text is in its backup now
    QVERIFY(QFileInfo::exists(index + "_"));

    auto form = f.wiredDialog();
    QPushButton *trash = child<QPushButton>(form.get(), "TrashBtn");
    QListWidget *orphans = child<QListWidget>(form.get(), "FileListBox1");
    orphans->selectAll();
    QVERIFY(!trash->isEnabled()); // every file is listed before the search
    child<QPushButton>(form.get(), "SearchBtn")->click();
    QCOMPARE(entries(orphans), QStringList({ "index.htm_", "old.htm", "PROJECT.INI" }));
    QVERIFY(!trash->isEnabled());
    orphans->selectAll();
    QVERIFY(trash->isEnabled());

    f.prompter.answer(confirmed ? Prompter::Answer::Yes : Prompter::Answer::No);
    trash->click();
    QCOMPARE(f.prompter.texts(),
             QStringList({ "index.htm_ keeps the text of a page that is open.\nPROJECT.INI holds "
                           "the project's settings.\nThey stay where they are.",
                           "Move to the trash?\nold.htm" }));
    QCOMPARE(f.prompter.messages().at(1).kind, Prompter::Kind::Confirmation);
    QCOMPARE(QFileInfo::exists(old), !confirmed);
    QCOMPARE(entries(orphans),
             confirmed ? QStringList({ "index.htm_", "PROJECT.INI" })
                       : QStringList({ "index.htm_", "old.htm", "PROJECT.INI" }));
    QVERIFY(QFileInfo::exists(index + "_"));
    QVERIFY(QFileInfo::exists(f.home + "site/PROJECT.INI"));
    if (confirmed) {
        // In the trash, not gone: the user can get it back.
        const QString trashed
            = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + "/Trash/files/old.htm";
        QVERIFY2(QFileInfo::exists(trashed), qPrintable(trashed));
        QCOMPARE(TestEnvironment::readFile(trashed), QByteArray("<p>old"));
        QFile::remove(trashed);
        QFile::remove(QFileInfo(trashed).absolutePath() + "/../info/old.htm.trashinfo");
    }
}

void TestProjectOrphans::displayKind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");

    QTest::addRow("picture") << "logo.gif" << int(TExtraFilesFrm::Display::Image);
    QTest::addRow("picture, upper case") << "LOGO.JPG" << int(TExtraFilesFrm::Display::Image);
    QTest::addRow("page") << "index.html" << int(TExtraFilesFrm::Display::Page);
    QTest::addRow("page, upper case") << "INDEX.HTM" << int(TExtraFilesFrm::Display::Page);
    QTest::addRow("text") << "notes.txt" << int(TExtraFilesFrm::Display::PlainText);
    QTest::addRow("settings file") << "PROJECT.INI" << int(TExtraFilesFrm::Display::PlainText);
    QTest::addRow("no extension") << "README" << int(TExtraFilesFrm::Display::PlainText);
    QTest::addRow("backup of a page") << "index.htm_" << int(TExtraFilesFrm::Display::PlainText);
    QTest::addRow("extension inside another") << "a.if" << int(TExtraFilesFrm::Display::PlainText);
}

void TestProjectOrphans::displayKind()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QCOMPARE(int(TExtraFilesFrm::displayFor(name, { "html,htm,shtm,shtml", "gif,jpg" })), kind);
}

void TestProjectOrphans::clickShowsTheFile()
{
    Fixture f;
    f.file("index.htm", "<title>Index</title><p>");
    f.file("notes.txt", "a <b> & c");
    f.setPages({ "index.htm" });
    auto form = f.dialog();
    form->show();
    QListWidget *pages = child<QListWidget>(form.get(), "FilesInUse");
    QListWidget *orphans = child<QListWidget>(form.get(), "FileListBox1");
    orphans->setCurrentItem(orphans->findItems("notes.txt", Qt::MatchExactly).constFirst());
    Renderer *viewer = form->viewer();
    QVERIFY(TestEnvironment::waitForLoad(viewer, [&] {
        QTest::mouseClick(pages->viewport(), Qt::LeftButton, {},
                          pages->visualItemRect(pages->item(0)).center());
    }));
    QCOMPARE(viewer->DocumentTitle(), QStringLiteral("Index"));
    QVERIFY(orphans->selectedItems().isEmpty());
    QListWidgetItem *notes = orphans->findItems("notes.txt", Qt::MatchExactly).constFirst();
    QVERIFY(TestEnvironment::waitForLoad(viewer, [&] {
        QTest::mouseClick(orphans->viewport(), Qt::LeftButton, {},
                          orphans->visualItemRect(notes).center());
    }));
    QVERIFY(pages->selectedItems().isEmpty());
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestProjectOrphans test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_projectorphans.moc"
