// SPDX-License-Identifier: GPL-3.0-or-later
// The page and project commands of the project tree, as the main window wires
// them: real files in a program directory of their own, the real editor and
// open pages, the scripted user. After each command the project list on disk
// reads back as the tree shows it.
#include "app/linkupdater.h"
#include "app/openpages.h"
#include "app/projectcommands.h"
#include "app/settings.h"
#include "lockeddirectory.h"
#include "platform/editorcontrol.h"
#include "project/entrynames.h"
#include "project/pageoperations.h"
#include "project/projectoutline.h"
#include "project/projectsetup.h"
#include "projectcommandsfixture.h"
#include "scriptedprompter.h"
#include "tags/basictags.h"
#include "testenvironment.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Tarnwick;
using Entries = QList<ProjectTreeEntry>;

namespace {

const QString settingsEntry = QStringLiteral("#Default Project Settings - PROJECT.INI");
const QString fileIsOpen = QStringLiteral(
    "Selected operation may not be performed on an open file.  Please close the file and try "
    "again.");

// Two projects: Shop (row 0) with its settings and Zoo, Blog (row 3) with Home.
Entries twoProjects()
{
    return { { 1, "Shop - shop" },
             { 2, settingsEntry },
             { 2, "Zoo - zoo.htm" },
             { 1, "Blog - blog" },
             { 2, "Home - index.htm" } };
}

struct Fixture : ProjectCommandsFixture
{

    // Files of the two projects: PROJECT.INI and zoo.htm, index.htm.
    void twoProjectsOnDisk()
    {
        file("shop/PROJECT.INI", "[PROJECT]\r\n");
        file("shop/zoo.htm", "<HTML><TITLE>Zoo</TITLE></HTML>\n");
        file("blog/PROJECT.INI", "[PROJECT]\r\n");
        file("blog/index.htm", "<HTML><TITLE>Blog</TITLE></HTML>\n");
    }

    void show(const Entries &entries, int row)
    {
        outline.setTree(ProjectTree(entries));
        outline.expandAll();
        outline.setCurrentRow(row);
    }

    QString path(const QString &relative) const { return home + relative; }
    QString file(const QString &relative, const QByteArray &bytes)
    {
        TestEnvironment::writeFile(path(relative), bytes);
        return path(relative);
    }
    QByteArray read(const QString &relative) const
    {
        return TestEnvironment::readFile(path(relative));
    }
    bool exists(const QString &relative) const { return QFileInfo::exists(path(relative)); }
    // The files of a directory, in byte order.
    QStringList filesOf(const QString &relative) const
    {
        QStringList files = QDir(path(relative)).entryList(QDir::Files | QDir::Hidden);
        files.sort();
        return files;
    }

    Entries entries() const { return outline.tree().entries(); }
    QString selected() const { return outline.selectedText(); }

    // The list on disk holds what the tree shows.
    bool listWritten() const
    {
        const Expected<ProjectTree> written = ProjectTree::load(home + "project.dat");
        return written && written.value() == outline.tree();
    }
};

// Fills "Create Page" and presses Ok. style: the caption of its radio button.
void fillNewPage(QWidget *dialog, const QString &name, const QString &extension,
                 const QString &description, const QString &style = "Default Page",
                 const QString &templateName = QString())
{
    dialog->findChild<QLineEdit *>("PageName")->setText(name);
    auto *extensions = dialog->findChild<QComboBox *>("ExtensionList");
    extensions->setCurrentIndex(extensions->findText(extension));
    dialog->findChild<QLineEdit *>("PageDesc")->setText(description);
    for (QRadioButton *button : dialog->findChildren<QRadioButton *>()) {
        if (button->text() == style)
            button->click();
    }
    auto *templates = dialog->findChild<QComboBox *>("TemplateList");
    templates->setCurrentIndex(templates->findText(templateName));
    dialog->findChild<QPushButton *>("BitBtn1")->click();
}

// Chooses a project in "Copy/Move a Page" by its text and presses a button.
void chooseProject(QWidget *dialog, const QString &project, const char *button)
{
    auto *list = dialog->findChild<QListWidget *>("ListBox1");
    const QList<QListWidgetItem *> found = list->findItems(project, Qt::MatchExactly);
    if (!found.isEmpty())
        list->setCurrentItem(found.constFirst());
    dialog->findChild<QPushButton *>(button)->click();
}

} // namespace

class TestPageOperations final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void newPageRefusals_data();
    void newPageRefusals();
    void newPageStyles_data();
    void newPageStyles();
    void newPageWithNothingSelected();
    void newPageInUnusableDirectory_data();
    void newPageInUnusableDirectory();

    void importCopiesPageAndImages();
    void importDescriptions_data();
    void importDescriptions();
    void importRefusals_data();
    void importRefusals();
    void importFromProjectDirectory();
    void importCancelled();
    void importKeepsOpenTabs();

    void renameFile_data();
    void renameFile();
    void changeDescription_data();
    void changeDescription();
    void copyMoveToOtherProject_data();
    void copyMoveToOtherProject();
    void copyMoveRefusals_data();
    void copyMoveRefusals();
    void moveDisabledInOwnProject();
    void copyInOwnProjectAsksName();
    void copyMoveBetweenProjectsOnOneDirectory();
    void copyMoveOpenPage();
    void copyMoveOffersThePictures_data();
    void copyMoveOffersThePictures();
    void linksFollowMovedPage_data();
    void linksFollowMovedPage();

    void deletePage_data();
    void deletePage();
    void removeFromProject();
    void deleteProject_data();
    void deleteProject();
};

// ---------------------------------------------------------------- New Page

void TestPageOperations::newPageRefusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("message");

    const QString badName = EntryNames::badPageName();
    const QString missing = ProjectSetup::requiredFieldMissing();
    QTest::addRow("name with a point") << "index.htm"
                                       << "Home" << badName;
    QTest::addRow("name with a slash") << "a/b"
                                       << "Home" << badName;
    QTest::addRow("name with a backslash") << "a\\b"
                                           << "Home" << badName;
    QTest::addRow("name with a drive") << "c:index"
                                       << "Home" << badName;
    QTest::addRow("name with a tab") << "in\tdex"
                                     << "Home" << badName;
    QTest::addRow("empty name") << "  "
                                << "Home" << missing;
    QTest::addRow("empty description") << "index"
                                       << " " << missing;
    QTest::addRow("dash in description") << "index"
                                         << "Home - page" << ProjectSetup::dashNotAllowed();
    QTest::addRow("line break in description") << "index"
                                               << "Ho\nme" << EntryNames::controlCharacters();
    QTest::addRow("page file already there") << "zoo"
                                             << "Zoo again" << PageOperations::pageExists();
    QTest::addRow("entry already there") << "gone"
                                         << "Gone" << PageOperations::pageExists();
}

void TestPageOperations::newPageRefusals()
{
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(QString, message);
    Fixture f;
    f.twoProjectsOnDisk();
    Entries entries = twoProjects();
    entries.insert(2, { 2, "Gone - gone.htm" }); // its file is missing
    f.show(entries, 1);
    const QByteArray zoo = f.read("shop/zoo.htm");
    const QStringList before = f.filesOf("shop");

    const QString caption = withDialog(
        &f.outline, [&] { f.commands.AddPageClick(); },
        [&](QWidget *dialog) { fillNewPage(dialog, name, "htm", description); });
    QCOMPARE(caption, QStringLiteral("Create Page"));
    QCOMPARE(f.prompter.texts(), QStringList { message });
    QCOMPARE(f.entries(), entries);
    QCOMPARE(f.filesOf("shop"), before);
    QCOMPARE(f.read("shop/zoo.htm"), zoo);
    QCOMPARE(f.pages.count(), 0);
    QVERIFY(f.listWritten());
}

void TestPageOperations::newPageStyles_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<QByteArray>("defaultTemplate"); // "-": none in the program directory
    QTest::addColumn<QByteArray>("fileBytes"); // of the new page
    QTest::addColumn<QString>("editorText");
    QTest::addColumn<QStringList>("messages");

    const QByteArray standard = "<HTML>\n<BODY>Standard</BODY>\n</HTML>\n";
    const QByteArray business = "<HTML>\n<!--##Heading-->\n<H1>Ours</H1>\n</HTML>\n";
    const QString empty = QStringLiteral("Empty file, start creation of new page?");
    QTest::addRow("default page") << "Default Page"
                                  << "" << standard << standard << QString::fromUtf8(standard)
                                  << QStringList();
    // A page file of its own says how it is encoded.
    const QByteArray skeleton = "<HTML>\n<HEAD>\n<meta charset=\"utf-8\">\n<TITLE>Web page "
                                "Title</TITLE>\n</HEAD>\n<BODY>\n\n</BODY>\n</HTML>";
    QTest::addRow("default page without a default template")
        << "Default Page"
        << "" << QByteArray("-") << skeleton << QString::fromUtf8(skeleton) << QStringList();
    QTest::addRow("empty default template gets the standard tags")
        << "Default Page"
        << "" << QByteArray() << QByteArray() << BasicTags::text() << QStringList { empty };
    // A page made from a template says how it is encoded, unless the template did.
    const QByteArray headed = "<HTML>\n<HEAD>\n<TITLE>T</TITLE>\n</HEAD>\n</HTML>\n";
    const QByteArray declared
        = "<HTML>\n<HEAD>\n<meta charset=\"utf-8\">\n<TITLE>T</TITLE>\n</HEAD>"
          "\n</HTML>\n";
    QTest::addRow("default template without a declaration")
        << "Default Page"
        << "" << headed << declared << QString::fromUtf8(declared) << QStringList();
    QTest::addRow("default template with a declaration")
        << "Default Page"
        << "" << declared << declared << QString::fromUtf8(declared) << QStringList();
    const QByteArray western = "<html><head><title>Caf\xe9</title></head></html>\n";
    QTest::addRow("Windows-1252 default template")
        << "Default Page"
        << "" << western
        << QByteArray("<html><head><meta charset=\"windows-1252\"><title>Caf\xe9</title></head>"
                      "</html>\n")
        << QStringLiteral("<html><head><meta charset=\"windows-1252\"><title>Caf\u00e9</title>"
                          "</head></html>\n")
        << QStringList();
    QTest::addRow("template") << "Use Template"
                              << "business.htm" << standard << business
                              << QString::fromUtf8(business) << QStringList();
    QTest::addRow("no template chosen")
        << "Use Template"
        << "" << standard << QByteArray() << QString() << QStringList { empty };
    QTest::addRow("theme page") << "Theme Page"
                                << "" << standard << QByteArray() << QString()
                                << QStringList { empty };
    // Not empty, so no new-page question: the frame set dialog is started instead.
    QTest::addRow("frame page") << "Frame Page"
                                << "" << standard << QByteArray(" \r\n") << QString(" \n")
                                << QStringList();
}

// New Page with name index, extension htm and description Home adds
// "Home - index.htm" in its sorted place and opens the page.
void TestPageOperations::newPageStyles()
{
    QFETCH(QString, style);
    QFETCH(QString, templateName);
    QFETCH(QByteArray, defaultTemplate);
    QFETCH(QByteArray, fileBytes);
    QFETCH(QString, editorText);
    QFETCH(QStringList, messages);
    Fixture f;
    f.twoProjectsOnDisk();
    if (defaultTemplate != "-")
        f.file("template/default.htm", defaultTemplate);
    f.file("template/business.htm", "<HTML>\n<!--##Heading-->\n<H1>Ours</H1>\n</HTML>\n");
    f.file("template/notes.txt", "not a template");
    f.show(twoProjects(), 2);
    QSignalSpy creation(&f.pages, &OpenPages::newPageCreationRequested);
    QSignalSpy frameSet(&f.commands, &ProjectCommands::framePageOpened);
    QSignalSpy templateFill(&f.commands, &ProjectCommands::templatePageOpened);
    // What the tree shows while the new page opens (and may ask questions).
    QString shownWhileOpening;
    QObject::connect(&f.pages, &OpenPages::openPagesChanged, &f.outline,
                     [&] { shownWhileOpening = f.selected(); });

    QStringList templates;
    withDialog(
        &f.outline, [&] { f.commands.AddPageClick(); },
        [&](QWidget *dialog) {
            auto *list = dialog->findChild<QComboBox *>("TemplateList");
            for (int i = 0; i < list->count(); ++i)
                templates.append(list->itemText(i));
            fillNewPage(dialog, " index ", "htm", " Home ", style, templateName);
        });
    QVERIFY(templates.contains("business.htm"));
    QVERIFY(!templates.contains("notes.txt")); // "ht..." extensions only
    QCOMPARE(f.prompter.texts(), messages);
    QCOMPARE(creation.size(), 0); // the empty-file question was answered No
    QCOMPARE(f.read("shop/index.htm"), fileBytes);
    QCOMPARE(f.entries(),
             Entries({ { 1, "Shop - shop" },
                       { 2, settingsEntry },
                       { 2, "Home - index.htm" },
                       { 2, "Zoo - zoo.htm" },
                       { 1, "Blog - blog" },
                       { 2, "Home - index.htm" } }));
    QCOMPARE(f.selected(), QStringLiteral("Home - index.htm"));
    QCOMPARE(shownWhileOpening, QStringLiteral("Home - index.htm"));
    QCOMPARE(f.outline.currentRow(), 2);
    QCOMPARE(f.pages.currentFileName(), f.path("shop/index.htm"));
    QVERIFY(f.pages.page(0).inProject);
    QCOMPARE(f.editor.Text(), editorText);
    QCOMPARE(frameSet.size(), style == "Frame Page" ? 1 : 0);
    QCOMPARE(templateFill.size(), style == "Use Template" && !templateName.isEmpty() ? 1 : 0);
    QVERIFY(QFileInfo(f.path("shop/index.htm")).permissions() & QFileDevice::WriteOwner);
    QVERIFY(f.listWritten());
}

void TestPageOperations::newPageWithNothingSelected()
{
    Fixture f;
    f.twoProjectsOnDisk();
    f.show(twoProjects(), -1);
    const QString caption = withDialog(
        &f.outline, [&] { f.commands.AddPageClick(); }, [](QWidget *dialog) { dialog->close(); });
    QCOMPARE(caption, QString());
    QCOMPARE(f.prompter.texts(), QStringList { "Please Highlight a project." });
}

void TestPageOperations::newPageInUnusableDirectory_data()
{
    QTest::addColumn<bool>("locked"); // else missing
    QTest::addRow("missing project directory") << false;
    QTest::addRow("read-only project directory") << true;
}

void TestPageOperations::newPageInUnusableDirectory()
{
    QFETCH(bool, locked);
    Fixture f;
    f.twoProjectsOnDisk();
    f.file("template/default.htm", "<HTML></HTML>\n");
    if (!locked)
        QVERIFY(QDir(f.path("blog")).removeRecursively());
    f.show(twoProjects(), 3);
    std::unique_ptr<LockedDirectory> lock;
    if (locked) {
        lock = std::make_unique<LockedDirectory>(f.path("blog"));
        if (!lock->locked())
            QSKIP("this system lets every directory be written");
    }
    withDialog(
        &f.outline, [&] { f.commands.AddPageClick(); },
        [&](QWidget *dialog) { fillNewPage(dialog, "about", "html", "About"); });
    QCOMPARE(f.prompter.messages().size(), 1);
    QCOMPARE(f.prompter.messages().constFirst().kind, Prompter::Kind::Error);
    if (!locked)
        QCOMPARE(f.prompter.texts().constFirst(), PageOperations::missingDirectory(f.path("blog")));
    QVERIFY(!f.exists("blog/about.html"));
    QCOMPARE(f.entries(), twoProjects());
    QCOMPARE(f.pages.count(), 0);
    lock.reset();
    QVERIFY(f.listWritten());
}

// ---------------------------------------------------------------- Import

void TestPageOperations::importCopiesPageAndImages()
{
    Fixture f;
    f.twoProjectsOnDisk();
    const QString source = f.dir.filePath("old/catalogue.htm");
    TestEnvironment::writeFile(source,
                               "<HTML><TITLE>Catalogue</TITLE><BODY BACKGROUND=\"back.gif\">\n"
                               "<IMG SRC=\"images/a.gif\"><IMG SRC=\"b.gif\">\n"
                               "<IMG SRC=\"absent.gif\"><IMG SRC=\"http://example.com/c.gif\">\n"
                               "<IMG SRC=\"../up.gif\"><IMG SRC=\"zoo.gif\">\n</BODY></HTML>\n");
    TestEnvironment::writeFile(f.dir.filePath("old/back.gif"), "GIF back");
    TestEnvironment::writeFile(f.dir.filePath("old/images/a.gif"), "GIF a");
    TestEnvironment::writeFile(f.dir.filePath("old/b.gif"), "GIF b");
    TestEnvironment::writeFile(f.dir.filePath("up.gif"), "GIF up");
    TestEnvironment::writeFile(f.dir.filePath("old/zoo.gif"), "GIF old zoo");
    f.file("shop/zoo.gif", "GIF shop zoo"); // already in the project: kept
    f.show(twoProjects(), 2);

    f.prompter.answerFiles({ source });
    f.prompter.answerText("Catalogue");
    f.commands.ImportPageClick();

    QCOMPARE(f.prompter.inputRequests(),
             QList<ScriptedPrompter::InputRequest>(
                 { { "Importing Page", "Description for " + source + ":", "New Page" } }));
    QCOMPARE(
        f.prompter.texts(),
        QStringList({ PageOperations::imagesMissing(),
                      PageOperations::notCopied({ "../up.gif", "http://example.com/c.gif" }) }));
    QCOMPARE(f.read("shop/catalogue.htm"), TestEnvironment::readFile(source));
    QCOMPARE(f.read("shop/back.gif"), QByteArray("GIF back"));
    QCOMPARE(f.read("shop/images/a.gif"), QByteArray("GIF a"));
    QCOMPARE(f.read("shop/b.gif"), QByteArray("GIF b"));
    QCOMPARE(f.read("shop/zoo.gif"), QByteArray("GIF shop zoo"));
    QVERIFY(!f.exists("up.gif"));
    QVERIFY(!f.exists("shop/absent.gif"));
    QCOMPARE(f.selected(), QStringLiteral("Catalogue - catalogue.htm"));
    QCOMPARE(f.entries().value(2), ProjectTreeEntry({ 2, "Catalogue - catalogue.htm" }));
    QCOMPARE(f.pages.count(), 0); // read, not opened
    QVERIFY(f.listWritten());
}

void TestPageOperations::importDescriptions_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("entry");

    QTest::addRow("typed") << "Price list"
                           << "Prices"
                           << "Price list - page.htm";
    QTest::addRow("long title") << ""
                                << "A Title Longer Than Twenty Five Characters"
                                << "A Title Longer Than Twent - page.htm";
    QTest::addRow("title with a dash") << ""
                                       << "Prices - 1998"
                                       << "Prices   1998 - page.htm";
    QTest::addRow("no title") << ""
                              << ""
                              << "New Page - page.htm";
    QTest::addRow("typed with a dash") << "A-B"
                                       << ""
                                       << "A B - page.htm";
}

void TestPageOperations::importDescriptions()
{
    QFETCH(QString, typed);
    QFETCH(QString, title);
    QFETCH(QString, entry);
    Fixture f;
    f.twoProjectsOnDisk();
    const QString source = f.dir.filePath("old/page.htm");
    const QString titleElement = title.isEmpty() ? QString() : "<TITLE>" + title + "</TITLE>";
    TestEnvironment::writeFile(source, ("<HTML>" + titleElement + "</HTML>\n").toUtf8());
    f.show(twoProjects(), 1);
    f.prompter.answerFiles({ source });
    f.prompter.answerText(typed);
    f.commands.ImportPageClick();
    QCOMPARE(f.prompter.texts(), QStringList());
    QCOMPARE(f.entries().value(2), ProjectTreeEntry({ 2, entry }));
    QCOMPARE(f.entries().value(3), ProjectTreeEntry({ 2, "Zoo - zoo.htm" }));
    QCOMPARE(f.selected(), entry);
    QVERIFY(f.listWritten());
}

void TestPageOperations::importRefusals_data()
{
    QTest::addColumn<QString>("inProject"); // the file of that name in the project, "" none
    QTest::addColumn<bool>("entry"); // the project has an entry of that name
    QTest::addColumn<bool>("imported");

    QTest::addRow("different file of that name") << "other text\n" << false << false;
    QTest::addRow("same bytes already there") << "<HTML>new</HTML>\n" << false << true;
    QTest::addRow("entry already there") << "" << true << false;
}

// A file of the same name in the project is never replaced, nor an entry doubled.
void TestPageOperations::importRefusals()
{
    QFETCH(QString, inProject);
    QFETCH(bool, entry);
    QFETCH(bool, imported);
    Fixture f;
    f.twoProjectsOnDisk();
    const QString source = f.dir.filePath("old/new.htm");
    TestEnvironment::writeFile(source, "<HTML>new</HTML>\n");
    if (!inProject.isEmpty())
        f.file("shop/new.htm", inProject.toUtf8());
    Entries entries = twoProjects();
    if (entry)
        entries.insert(2, { 2, "New - new.htm" });
    f.show(entries, 0);
    f.prompter.answerFiles({ source });
    f.prompter.answerText("Fresh");
    f.commands.ImportPageClick();

    QCOMPARE(TestEnvironment::readFile(source), QByteArray("<HTML>new</HTML>\n"));
    if (!inProject.isEmpty())
        QCOMPARE(f.read("shop/new.htm"), inProject.toUtf8());
    else
        QVERIFY(!f.exists("shop/new.htm"));
    if (imported) {
        QCOMPARE(f.prompter.texts(), QStringList());
        QVERIFY(f.entries().contains(ProjectTreeEntry({ 2, "Fresh - new.htm" })));
    } else {
        QCOMPARE(f.prompter.texts().size(), 1);
        QCOMPARE(f.prompter.texts().constFirst(),
                 entry ? PageOperations::alreadyInProject("new.htm", "Shop")
                       : PageOperations::differentFileExists(f.path("shop/new.htm"), source));
        QCOMPARE(f.entries(), entries);
    }
    QVERIFY(f.listWritten());
}

// A file that already lies in the project directory is not copied and still gets its entry.
void TestPageOperations::importFromProjectDirectory()
{
    Fixture f;
    f.twoProjectsOnDisk();
    const QString page = f.file("shop/lost.htm", "<HTML><IMG SRC=\"gone.gif\"></HTML>\n");
    const QDateTime modified = QFileInfo(page).lastModified();
    f.show(twoProjects(), 1);
    f.prompter.answerFiles({ page });
    f.prompter.answerText("Lost");
    f.commands.ImportPageClick();
    QCOMPARE(f.prompter.texts(), QStringList { PageOperations::imagesMissing() });
    QCOMPARE(QFileInfo(page).lastModified(), modified);
    QCOMPARE(f.filesOf("shop"), QStringList({ "PROJECT.INI", "lost.htm", "zoo.htm" }));
    QCOMPARE(f.selected(), QStringLiteral("Lost - lost.htm"));
    QVERIFY(f.listWritten());
}

void TestPageOperations::importCancelled()
{
    Fixture f;
    f.twoProjectsOnDisk();
    const QString first = f.dir.filePath("old/first.htm");
    const QString second = f.dir.filePath("old/second.htm");
    TestEnvironment::writeFile(first, "<HTML>1</HTML>\n");
    TestEnvironment::writeFile(second, "<HTML>2</HTML>\n");
    f.show(twoProjects(), 3);

    f.prompter.answerFiles({}); // the file choice cancelled
    f.commands.ImportPageClick();
    QCOMPARE(f.entries(), twoProjects());

    f.prompter.answerFiles({ first, second });
    f.prompter.cancelNextText(); // the first file's description
    f.prompter.answerText("Second");
    f.commands.ImportPageClick();
    QVERIFY(!f.exists("blog/first.htm"));
    QVERIFY(f.exists("blog/second.htm"));
    QCOMPARE(f.entries().value(5), ProjectTreeEntry({ 2, "Second - second.htm" }));
    QVERIFY(f.prompter.scriptUsedUp());
    QVERIFY(f.listWritten());
}

// Import reads the page's text; the user's tabs stay as they are.
void TestPageOperations::importKeepsOpenTabs()
{
    Fixture f;
    f.twoProjectsOnDisk();
    QVERIFY(f.pages.LoadFile(f.path("blog/index.htm"), true));
    f.editor.SetText("typed, not saved");
    const QString source = f.dir.filePath("old/about.htm");
    TestEnvironment::writeFile(source, "<HTML><TITLE>About us</TITLE></HTML>\n");
    f.show(twoProjects(), 4);
    f.prompter.answerFiles({ source });
    f.prompter.answerText("");
    f.commands.ImportPageClick();
    QCOMPARE(f.pages.count(), 1);
    QCOMPARE(f.pages.currentFileName(), f.path("blog/index.htm"));
    QCOMPARE(f.editor.Text(), QStringLiteral("typed, not saved"));
    QVERIFY(f.editor.Modified());
    QCOMPARE(f.selected(), QStringLiteral("About us - about.htm"));
}

// ---------------------------------------------------------------- Rename, describe

void TestPageOperations::renameFile_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed"); // "-": the input box is not shown
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("files"); // of shop/ afterwards
    QTest::addColumn<QString>("selected");

    const QStringList unchanged = { "PROJECT.INI", "apes.htm", "zoo.htm" };
    QTest::addRow("new name sorts again")
        << 3 << " aquarium.htm " << QStringList()
        << QStringList({ "PROJECT.INI", "apes.htm", "aquarium.htm" }) << "Zoo - aquarium.htm";
    QTest::addRow("same name") << 3 << "zoo.htm" << QStringList() << unchanged << "Zoo - zoo.htm";
    QTest::addRow("name of an existing file")
        << 3 << "apes.htm" << QStringList { PageOperations::renameFailed() } << unchanged
        << "Zoo - zoo.htm";
    QTest::addRow("name of an existing entry")
        << 3 << "lion.htm" << QStringList { PageOperations::alreadyInProject("lion.htm", "Shop") }
        << unchanged << "Zoo - zoo.htm";
    QTest::addRow("name leading elsewhere")
        << 3 << "../zoo.htm" << QStringList { EntryNames::badFileName("../zoo.htm") } << unchanged
        << "Zoo - zoo.htm";
    QTest::addRow("settings entry") << 1 << "-" << QStringList() << unchanged << settingsEntry;
}

void TestPageOperations::renameFile()
{
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, files);
    QFETCH(QString, selected);
    Fixture f;
    f.twoProjectsOnDisk();
    f.file("shop/apes.htm", "apes\n");
    const QByteArray zoo = f.read("shop/zoo.htm");
    f.show({ { 1, "Shop - shop" },
             { 2, settingsEntry },
             { 2, "Lions - lion.htm" },
             { 2, "Zoo - zoo.htm" },
             { 1, "Blog - blog" } },
           row);
    if (typed != "-")
        f.prompter.answerText(typed);
    f.commands.RenameFileClick();

    if (typed != "-")
        QCOMPARE(f.prompter.inputRequests().value(0),
                 ScriptedPrompter::InputRequest(
                     { "Rename File:", "Change filename for zoo.htm", "zoo.htm" }));
    QVERIFY(f.prompter.scriptUsedUp());
    QCOMPARE(f.prompter.texts(), messages);
    QCOMPARE(f.filesOf("shop"), files);
    QCOMPARE(f.read(files.contains("zoo.htm") ? "shop/zoo.htm" : "shop/aquarium.htm"), zoo);
    QCOMPARE(f.read("shop/apes.htm"), QByteArray("apes\n"));
    QCOMPARE(f.selected(), selected);
    QVERIFY(f.listWritten());
}

void TestPageOperations::changeDescription_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed"); // "-": no input box
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("messages");

    const Entries before = {
        { 1, "Shop - shop" }, { 2, settingsEntry }, { 2, "Apes - apes.htm" }, { 2, "Zoo - zoo.htm" }
    };
    QTest::addRow("page moves to its sorted place") << 3 << "Aardvarks"
                                                    << Entries({ { 1, "Shop - shop" },
                                                                 { 2, settingsEntry },
                                                                 { 2, "Aardvarks - zoo.htm" },
                                                                 { 2, "Apes - apes.htm" } })
                                                    << "Aardvarks - zoo.htm" << QStringList();
    QTest::addRow("project in place")
        << 0 << "Our Shop"
        << Entries({ { 1, "Our Shop - shop" }, before.at(1), before.at(2), before.at(3) })
        << "Our Shop - shop" << QStringList();
    QTest::addRow("dash refused") << 3 << "Zoo - new" << before << "Zoo - zoo.htm"
                                  << QStringList { ProjectSetup::dashNotAllowed() };
    QTest::addRow("tab refused") << 3 << "Zoo\tnew" << before << "Zoo - zoo.htm"
                                 << QStringList { EntryNames::controlCharacters() };
    QTest::addRow("settings entry") << 1 << "-" << before << settingsEntry << QStringList();
}

void TestPageOperations::changeDescription()
{
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(Entries, entries);
    QFETCH(QString, selected);
    QFETCH(QStringList, messages);
    Fixture f;
    f.show({ { 1, "Shop - shop" },
             { 2, settingsEntry },
             { 2, "Apes - apes.htm" },
             { 2, "Zoo - zoo.htm" } },
           row);
    if (typed != "-")
        f.prompter.answerText(typed);
    f.commands.ChangeDescriptionClick();
    QVERIFY(f.prompter.scriptUsedUp());
    if (typed != "-") {
        const QString target = row == 0 ? "shop" : "zoo.htm";
        const QString current = row == 0 ? "Shop" : "Zoo";
        QCOMPARE(f.prompter.inputRequests().value(0),
                 ScriptedPrompter::InputRequest(
                     { "Page Description:", "Description for " + target, current }));
    }
    QCOMPARE(f.prompter.texts(), messages);
    QCOMPARE(f.entries(), entries);
    QCOMPARE(f.selected(), selected);
}

// ---------------------------------------------------------------- Copy/Move

void TestPageOperations::copyMoveToOtherProject_data()
{
    QTest::addColumn<bool>("move");
    QTest::addRow("copy") << false;
    QTest::addRow("move") << true;
}

void TestPageOperations::copyMoveToOtherProject()
{
    QFETCH(bool, move);
    Fixture f;
    f.twoProjectsOnDisk();
    const QByteArray zoo = f.read("shop/zoo.htm");
    f.show(twoProjects(), 2);
    QString label;
    const QString caption = withDialog(
        &f.outline, [&] { f.commands.CopyMovepageClick(); },
        [&](QWidget *dialog) {
            label = dialog->findChild<QLabel *>("Label1")->text();
            chooseProject(dialog, "Blog - blog", move ? "MoveBtn" : "CopyBtn");
        });
    QCOMPARE(caption, QStringLiteral("Copy/Move a Page"));
    QCOMPARE(label, QStringLiteral("Working with: shop/zoo.htm"));
    QCOMPARE(f.prompter.texts(), QStringList());
    QCOMPARE(f.read("blog/zoo.htm"), zoo);
    QCOMPARE(f.exists("shop/zoo.htm"), !move);
    Entries expected = twoProjects();
    expected.append({ 2, "Zoo - zoo.htm" });
    if (move)
        expected.removeAt(2);
    QCOMPARE(f.entries(), expected);
    // A copy leaves the selection on the page copied; a move follows the page.
    QCOMPARE(f.outline.currentRow(), move ? 4 : 2);
    QVERIFY(f.listWritten());
}

void TestPageOperations::copyMoveRefusals_data()
{
    QTest::addColumn<QString>("blogFile"); // already in blog/ under the page's name
    QTest::addColumn<bool>("blogEntry"); // blog has an entry of that name
    QTest::addColumn<bool>("locked"); // blog/ cannot be written

    QTest::addRow("destination exists") << "other zoo\n" << false << false;
    QTest::addRow("entry exists in the other project") << "" << true << false;
    QTest::addRow("read-only destination") << "" << false << true;
}

// Nothing is overwritten; both files stay as they were, and so does the tree.
void TestPageOperations::copyMoveRefusals()
{
    QFETCH(QString, blogFile);
    QFETCH(bool, blogEntry);
    QFETCH(bool, locked);
    Fixture f;
    f.twoProjectsOnDisk();
    const QByteArray zoo = f.read("shop/zoo.htm");
    if (!blogFile.isEmpty())
        f.file("blog/zoo.htm", blogFile.toUtf8());
    Entries entries = twoProjects();
    if (blogEntry)
        entries.append({ 2, "Old zoo - zoo.htm" });
    f.show(entries, 2);
    std::unique_ptr<LockedDirectory> lock;
    if (locked) {
        lock = std::make_unique<LockedDirectory>(f.path("blog"));
        if (!lock->locked())
            QSKIP("this system lets every directory be written");
    }
    withDialog(
        &f.outline, [&] { f.commands.CopyMovepageClick(); },
        [&](QWidget *dialog) { chooseProject(dialog, "Blog - blog", "MoveBtn"); });
    lock.reset();
    QCOMPARE(f.prompter.texts().size(), 1);
    if (!blogFile.isEmpty())
        QCOMPARE(f.prompter.texts().constFirst(),
                 PageOperations::destinationExists(f.path("blog/zoo.htm")));
    if (blogEntry)
        QCOMPARE(f.prompter.texts().constFirst(),
                 PageOperations::alreadyInProject("zoo.htm", "Blog"));
    QCOMPARE(f.read("shop/zoo.htm"), zoo);
    QCOMPARE(f.exists("blog/zoo.htm"), !blogFile.isEmpty());
    if (!blogFile.isEmpty())
        QCOMPARE(f.read("blog/zoo.htm"), blogFile.toUtf8());
    QCOMPARE(f.entries(), entries);
    QCOMPARE(f.outline.currentRow(), 2);
}

void TestPageOperations::moveDisabledInOwnProject()
{
    Fixture f;
    f.twoProjectsOnDisk();
    f.show(twoProjects(), 2);
    bool copyBefore = true, moveOwn = true, moveOther = false;
    withDialog(
        &f.outline, [&] { f.commands.CopyMovepageClick(); },
        [&](QWidget *dialog) {
            auto *list = dialog->findChild<QListWidget *>("ListBox1");
            auto *copy = dialog->findChild<QPushButton *>("CopyBtn");
            auto *move = dialog->findChild<QPushButton *>("MoveBtn");
            copyBefore = copy->isEnabled();
            list->setCurrentRow(0);
            moveOwn = move->isEnabled();
            list->setCurrentRow(1);
            moveOther = move->isEnabled();
            dialog->findChild<QPushButton *>("Cancel")->click();
        });
    QVERIFY(!copyBefore);
    QVERIFY(!moveOwn);
    QVERIFY(moveOther);
    QCOMPARE(f.entries(), twoProjects());
}

void TestPageOperations::copyInOwnProjectAsksName()
{
    Fixture f;
    f.twoProjectsOnDisk();
    f.show(twoProjects(), 2);
    f.prompter.answerText("aviary.htm");
    withDialog(
        &f.outline, [&] { f.commands.CopyMovepageClick(); },
        [&](QWidget *dialog) { chooseProject(dialog, "Shop - shop", "CopyBtn"); });
    QCOMPARE(f.prompter.inputRequests(),
             QList<ScriptedPrompter::InputRequest>({ { "New Name", "New name:", "" } }));
    QCOMPARE(f.read("shop/aviary.htm"), f.read("shop/zoo.htm"));
    QCOMPARE(f.entries(),
             Entries({ { 1, "Shop - shop" },
                       { 2, settingsEntry },
                       { 2, "Zoo - aviary.htm" },
                       { 2, "Zoo - zoo.htm" },
                       { 1, "Blog - blog" },
                       { 2, "Home - index.htm" } }));
    QCOMPARE(f.selected(), QStringLiteral("Zoo - zoo.htm"));
    QVERIFY(f.listWritten());
}

// Two projects on one directory share the file: a move changes the entries only.
void TestPageOperations::copyMoveBetweenProjectsOnOneDirectory()
{
    Fixture f;
    f.twoProjectsOnDisk();
    const QByteArray zoo = f.read("shop/zoo.htm");
    const Entries entries
        = { { 1, "Shop - shop" }, { 2, "Zoo - zoo.htm" }, { 1, "Same shop - " + f.path("shop") } };
    f.show(entries, 1);
    withDialog(
        &f.outline, [&] { f.commands.CopyMovepageClick(); },
        [&](QWidget *dialog) { chooseProject(dialog, entries.at(2).text, "MoveBtn"); });
    QCOMPARE(f.prompter.texts(), QStringList());
    QCOMPARE(f.read("shop/zoo.htm"), zoo);
    QCOMPARE(f.entries(), Entries({ { 1, "Shop - shop" }, entries.at(2), { 2, "Zoo - zoo.htm" } }));
    QVERIFY(f.listWritten());
}

void TestPageOperations::copyMoveOpenPage()
{
    Fixture f;
    f.twoProjectsOnDisk();
    // The same file through another spelling of its path.
    QVERIFY(f.pages.LoadFile(f.home + "shop/../shop/zoo.htm", true));
    f.show(twoProjects(), 2);
    const QString caption = withDialog(
        &f.outline, [&] { f.commands.CopyMovepageClick(); },
        [](QWidget *dialog) { dialog->close(); });
    QCOMPARE(caption, QString());
    QCOMPARE(f.prompter.texts(), QStringList { fileIsOpen });
}

// ---------------------------------------------------------------- Links

void TestPageOperations::copyMoveOffersThePictures_data()
{
    QTest::addColumn<bool>("move");
    QTest::addColumn<bool>("agree");

    QTest::addRow("copy with its pictures") << false << true;
    QTest::addRow("move with its pictures") << true << true;
    QTest::addRow("move the page alone") << true << false;
}

// The pictures a page uses go with it when the user agrees; nothing at the
// new place is overwritten, and what is missing or elsewhere is not offered.
void TestPageOperations::copyMoveOffersThePictures()
{
    QFETCH(bool, move);
    QFETCH(bool, agree);
    Fixture f;
    f.twoProjectsOnDisk();
    const QByteArray page = "<HTML><BODY>\n<IMG SRC=\"logo.gif\">\n<img src='img/photo.png'>\n"
                            "<IMG SRC=\"gone.gif\"><IMG SRC=\"http://example.com/x.gif\">\n"
                            "<IMG SRC=\"kept.gif\"><IMG SRC=logo.gif>\n</BODY></HTML>\n";
    f.file("shop/pics.htm", page);
    f.file("shop/logo.gif", "GIF89a shop logo");
    f.file("shop/img/photo.png", "\x89PNG photo");
    f.file("shop/kept.gif", "GIF89a shop's");
    f.file("blog/kept.gif", "GIF89a blog's");
    Entries entries = twoProjects();
    entries.insert(2, { 2, "Pics - pics.htm" });
    f.show(entries, 2);
    f.prompter.answer(agree ? Prompter::Answer::Yes : Prompter::Answer::No);
    withDialog(
        &f.outline, [&] { f.commands.CopyMovepageClick(); },
        [&](QWidget *dialog) {
            chooseProject(dialog, "Blog - blog", move ? "MoveBtn" : "CopyBtn");
        });

    QVERIFY(f.prompter.scriptUsedUp());
    QCOMPARE(f.prompter.texts(),
             QStringList { PageOperations::copyReferencesToo({ "img/photo.png", "logo.gif" },
                                                             f.path("blog")) });
    QCOMPARE(f.read("blog/pics.htm"), page);
    QCOMPARE(f.read("blog/kept.gif"), QByteArray("GIF89a blog's"));
    QCOMPARE(f.exists("blog/logo.gif"), agree);
    QCOMPARE(f.exists("blog/img/photo.png"), agree);
    if (agree) {
        QCOMPARE(f.read("blog/logo.gif"), QByteArray("GIF89a shop logo"));
        QCOMPARE(f.read("blog/img/photo.png"), QByteArray("\x89PNG photo"));
    }
    // The pictures stay for the pages left behind.
    QCOMPARE(f.read("shop/logo.gif"), QByteArray("GIF89a shop logo"));
    QCOMPARE(f.exists("shop/pics.htm"), !move);
}

void TestPageOperations::linksFollowMovedPage_data()
{
    QTest::addColumn<bool>("move"); // else rename to park.htm
    QTest::addColumn<bool>("birdsShown"); // the open page is in the editor, else in its tab
    QTest::addColumn<bool>("agree");
    QTest::addColumn<QString>("link"); // what the other pages link to afterwards

    QTest::addRow("rename, open page shown") << false << true << true << "park.htm";
    QTest::addRow("rename, open page in its tab") << false << false << true << "park.htm";
    QTest::addRow("rename, links kept") << false << true << false << "zoo.htm";
    QTest::addRow("move") << true << false << true << "../blog/zoo.htm";
}

// Rename and Move list the lines of the project's other pages that link to
// the page, and change them if the user agrees: open pages in their tabs,
// the others on disk.
void TestPageOperations::linksFollowMovedPage()
{
    QFETCH(bool, move);
    QFETCH(bool, birdsShown);
    QFETCH(bool, agree);
    QFETCH(QString, link);
    Fixture f;
    f.twoProjectsOnDisk();
    const QString animals = f.file("shop/animals.htm", "<p>\n<a href=\"zoo.htm\">Zoo</a>\n");
    // Characters beyond one UTF-16 unit before the link: columns count units.
    const QString birds
        = f.file("shop/birds.htm", "\xf0\x9f\xa6\x9c \xc3\xa9 <a href=zoo.htm#top>Zoo</a>\n");
    const QString apes = f.file("shop/apes.htm", "<a href=\"apes.htm\">Apes</a>\n");
    f.file("blog/index.htm", "<a href=\"zoo.htm\">Zoo</a>\n");
    f.file("shop/zoo.htm", "<a name=top></a>\n<a href=\"zoo.htm#top\">Top</a>\n");
    QVERIFY(f.pages.LoadFile(birds, true));
    f.editor.StartLine = 1;
    f.editor.SetBookmark(3);
    if (!birdsShown)
        QVERIFY(f.pages.LoadFile(apes, true));
    f.show({ { 1, "Shop - shop" },
             { 2, settingsEntry },
             { 2, "Animals - animals.htm" },
             { 2, "Apes - apes.htm" },
             { 2, "Birds - birds.htm" },
             { 2, "Zoo - zoo.htm" },
             { 1, "Blog - blog" },
             { 2, "Home - index.htm" } },
           5);
    f.prompter.answer(agree ? Prompter::Answer::Yes : Prompter::Answer::No);
    if (move) {
        withDialog(
            &f.outline, [&] { f.commands.CopyMovepageClick(); },
            [&](QWidget *dialog) { chooseProject(dialog, "Blog - blog", "MoveBtn"); });
    } else {
        f.prompter.answerText("park.htm");
        f.commands.RenameFileClick();
    }
    QVERIFY(f.prompter.scriptUsedUp());
    const QString to = move ? f.path("blog/zoo.htm") : f.path("shop/park.htm");
    QVERIFY(QFileInfo::exists(to));
    QStringList listed = { "animals.htm, line 2: <a href=\"zoo.htm\">Zoo</a>",
                           "birds.htm, line 1: \U0001F99C \u00e9 <a href=zoo.htm#top>Zoo</a>" };
    // A renamed page's links to itself follow it; a moved page's still find it.
    if (!move)
        listed.append("park.htm, line 2: <a href=\"zoo.htm#top\">Top</a>");
    QCOMPARE(f.prompter.texts(),
             QStringList { LinkUpdater::question(f.path("shop/zoo.htm"), to, listed) });
    QCOMPARE(TestEnvironment::readFile(to),
             "<a name=top></a>\n<a href=\""
                 + (move || !agree ? QByteArray("zoo.htm") : QByteArray("park.htm"))
                 + "#top\">Top</a>\n");

    QCOMPARE(f.read("shop/animals.htm"), "<p>\n<a href=\"" + link.toUtf8() + "\">Zoo</a>\n");
    QCOMPARE(f.pages.openPageText(birds), "\U0001F99C \u00e9 <a href=" + link + "#top>Zoo</a>\n");
    QCOMPARE(f.read("shop/birds.htm"),
             QByteArray("\xf0\x9f\xa6\x9c \xc3\xa9 <a href=zoo.htm#top>Zoo</a>\n"));
    const bool birdsModified = birdsShown ? f.editor.Modified() : f.pages.page(0).modified;
    QCOMPARE(birdsModified, agree);
    if (birdsShown) {
        QCOMPARE(f.editor.BookmarkLine(3), 1);
        QCOMPARE(f.editor.CanUndo(), agree);
    }
    QCOMPARE(f.read("shop/apes.htm"), QByteArray("<a href=\"apes.htm\">Apes</a>\n"));
    // Another project's page; after the move its link finds a page of its own.
    QCOMPARE(f.read("blog/index.htm"), QByteArray("<a href=\"zoo.htm\">Zoo</a>\n"));
    QVERIFY(f.listWritten());
}

// ---------------------------------------------------------------- Delete, remove

void TestPageOperations::deletePage_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<QString>("setup"); // "open", "locked", "outside", "shared" or ""
    QTest::addColumn<bool>("fileGone");
    QTest::addColumn<bool>("entryGone");
    QTest::addColumn<QStringList>("messages");

    const QString question = PageOperations::deleteSelectedFile();
    QTest::addRow("page and backup gone")
        << 2 << Prompter::Answer::Ok << "" << true << true << QStringList { question };
    QTest::addRow("cancel") << 2 << Prompter::Answer::Cancel << "" << false << false
                            << QStringList { question };
    QTest::addRow("open page") << 2 << Prompter::Answer::Ok << "open" << false << false
                               << QStringList { fileIsOpen };
    QTest::addRow("undeletable file") << 2 << Prompter::Answer::Ok << "locked" << false << false
                                      << QStringList { question, "cannot" };
    QTest::addRow("target leading outside")
        << 2 << Prompter::Answer::Ok << "outside" << false << true
        << QStringList { question, PageOperations::targetNotPlain("../zoo.htm") };
    QTest::addRow("file another project lists") << 2 << Prompter::Answer::Ok << "shared" << false
                                                << true << QStringList { question, "kept" };
}

void TestPageOperations::deletePage()
{
    QFETCH(int, row);
    QFETCH(Prompter::Answer, answer);
    QFETCH(QString, setup);
    QFETCH(bool, fileGone);
    QFETCH(bool, entryGone);
    QFETCH(QStringList, messages);
    Fixture f;
    f.twoProjectsOnDisk();
    f.file("shop/zoo.htm_", "backup");
    f.file("zoo.htm", "outside the project");
    Entries entries = twoProjects();
    if (setup == "outside")
        entries[2].text = "Zoo - ../zoo.htm";
    if (setup == "shared") {
        entries.append({ 1, "Shop again - " + f.path("shop") });
        entries.append({ 2, "Zoo - zoo.htm" });
    }
    f.show(entries, row);
    if (setup == "open")
        QVERIFY(f.pages.LoadFile(f.path("shop/zoo.htm"), true));
    std::unique_ptr<LockedDirectory> lock;
    if (setup == "locked") {
        lock = std::make_unique<LockedDirectory>(f.path("shop"));
        if (!lock->locked())
            QSKIP("this system lets every directory be written");
    }
    f.prompter.answer(answer);
    f.commands.DeletePageClick();
    lock.reset();

    QStringList texts = f.prompter.texts();
    QCOMPARE(texts.size(), messages.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (messages.at(i) == "cannot")
            QVERIFY2(texts.at(i).endsWith("\nThe page stays in the project."),
                     qPrintable(texts.at(i)));
        else if (messages.at(i) == "kept")
            QCOMPARE(texts.at(i), PageOperations::keptForOtherEntry(f.path("shop/zoo.htm")));
        else
            QCOMPARE(texts.at(i), messages.at(i));
    }
    QCOMPARE(!f.exists("shop/zoo.htm"), fileGone);
    if (setup.isEmpty())
        QCOMPARE(!f.exists("shop/zoo.htm_"), fileGone);
    QCOMPARE(f.read("zoo.htm"), QByteArray("outside the project"));
    Entries expected = entries;
    if (entryGone)
        expected.removeAt(row);
    QCOMPARE(f.entries(), expected);
    if (entryGone) {
        QCOMPARE(f.outline.currentRow(), row - 1);
        QVERIFY(f.listWritten());
    }
}

void TestPageOperations::removeFromProject()
{
    Fixture f;
    f.twoProjectsOnDisk();
    f.show(twoProjects(), 2);
    f.prompter.answer(Prompter::Answer::Cancel);
    f.commands.RemovefromprojectClick();
    QCOMPARE(f.entries(), twoProjects());
    f.prompter.answer(Prompter::Answer::Ok);
    f.commands.RemovefromprojectClick();
    QCOMPARE(f.prompter.texts(),
             QStringList(2,
                         "Remove selected file from project?\n(File will not be deleted from "
                         "drive)"));
    QVERIFY(f.exists("shop/zoo.htm"));
    Entries expected = twoProjects();
    expected.removeAt(2);
    QCOMPARE(f.entries(), expected);
    QVERIFY(f.listWritten());
}

void TestPageOperations::deleteProject_data()
{
    QTest::addColumn<QString>("setup"); // "open", "extra", "shared", "locked", "empty" or ""
    QTest::addColumn<QList<Prompter::Answer>>("answers");
    QTest::addColumn<QStringList>("messages"); // "file": the question about a page file
    QTest::addColumn<QStringList>("left"); // files of blog/ afterwards; "-": no directory
    QTest::addColumn<Entries>("entries");

    using A = Prompter::Answer;
    const Entries shopOnly = { { 1, "Shop - shop" }, { 2, settingsEntry }, { 2, "Zoo - zoo.htm" } };
    const Entries blog = shopOnly
        + Entries({ { 1, "Blog - blog" }, { 2, settingsEntry }, { 2, "Home - index.htm" } });
    const Entries otherBlog
        = { { 1, "Blog again - blog/." }, { 2, settingsEntry }, { 2, "Home - index.htm" } };
    const QStringList all = { "PROJECT.INI", "index.htm", "index.htm_" };
    const QString everything = PageOperations::removeEverything();
    const QString directory = PageOperations::errorRemovingDirectory();
    QTest::addRow("pages and directory gone")
        << "" << QList<A> { A::Ok } << QStringList { everything } << QStringList { "-" }
        << shopOnly;
    QTest::addRow("cancel") << "" << QList<A> { A::Cancel } << QStringList { everything } << all
                            << blog;
    QTest::addRow("open page") << "open" << QList<A>()
                               << QStringList { PageOperations::closeProjectFiles() } << all
                               << blog;
    QTest::addRow("empty project")
        << "empty" << QList<A> { A::Ok } << QStringList { PageOperations::removeEmptyProject() }
        << QStringList { "-" } << shopOnly;
    QTest::addRow("extra files, removed from the list")
        << "extra" << QList<A> { A::Ok, A::Yes } << QStringList { everything, directory }
        << QStringList { "logo.gif" } << shopOnly;
    QTest::addRow("extra files, kept in the list")
        << "extra" << QList<A> { A::Ok, A::No } << QStringList { everything, directory }
        << QStringList { "logo.gif" } << shopOnly + Entries({ { 1, "Blog - blog" } });
    QTest::addRow("directory of another project too")
        << "shared" << QList<A> { A::Ok } << QStringList { everything } << all
        << shopOnly + otherBlog;
    QTest::addRow("undeletable files, removed from the list")
        << "locked" << QList<A> { A::Ok, A::Yes, A::Yes, A::Yes }
        << QStringList { everything, "file", "file", directory } << all << shopOnly;
    QTest::addRow("undeletable file, stop")
        << "locked" << QList<A> { A::Ok, A::No, A::No }
        << QStringList { everything, "file", directory } << all << blog;
}

void TestPageOperations::deleteProject()
{
    QFETCH(QString, setup);
    QFETCH(QList<Prompter::Answer>, answers);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, left);
    QFETCH(Entries, entries);
    Fixture f;
    f.twoProjectsOnDisk();
    f.file("blog/index.htm_", "backup");
    Entries tree = {
        { 1, "Shop - shop" }, { 2, settingsEntry }, { 2, "Zoo - zoo.htm" }, { 1, "Blog - blog" }
    };
    if (setup == "empty")
        QVERIFY(QDir(f.path("blog")).removeRecursively() && QDir().mkpath(f.path("blog")));
    else
        tree += Entries({ { 2, settingsEntry }, { 2, "Home - index.htm" } });
    if (setup == "extra")
        f.file("blog/logo.gif", "GIF");
    if (setup == "shared")
        tree += Entries(
            { { 1, "Blog again - blog/." }, { 2, settingsEntry }, { 2, "Home - index.htm" } });
    f.show(tree, 3);
    if (setup == "open")
        QVERIFY(f.pages.LoadFile(f.path("blog/index.htm"), true));
    std::unique_ptr<LockedDirectory> lock;
    if (setup == "locked") {
        lock = std::make_unique<LockedDirectory>(f.path("blog"));
        if (!lock->locked())
            QSKIP("this system lets every directory be written");
    }
    for (const Prompter::Answer a : answers)
        f.prompter.answer(a);
    f.commands.DeleteProjectClick();
    lock.reset();

    const QStringList texts = f.prompter.texts();
    QCOMPARE(texts.size(), messages.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (messages.at(i) == "file")
            QVERIFY2(texts.at(i).startsWith("Error removing file " + f.path("blog/")),
                     qPrintable(texts.at(i)));
        else
            QCOMPARE(texts.at(i), messages.at(i));
    }
    QVERIFY(f.prompter.scriptUsedUp());
    if (left == QStringList { "-" })
        QVERIFY(!f.exists("blog"));
    else
        QCOMPARE(f.filesOf("blog"), left);
    QCOMPARE(f.entries(), entries);
    QCOMPARE(f.read("shop/zoo.htm"), QByteArray("<HTML><TITLE>Zoo</TITLE></HTML>\n"));
    if (setup != "open")
        QVERIFY(f.listWritten());
}

QTEST_MAIN(TestPageOperations)
#include "tst_pageoperations.moc"
