// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/teffectsform.h"

#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "tags/refillingcombobox.h"
#include "tags/tsimpleform.h"
#include "testenvironment.h"
#include "testpictures.h"
#include "wizards/effectsfileplacement.h"
#include "wizards/generatorcommands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>

using namespace Tarnwick;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    EditorControl editor;
    int changes = 0;
    std::unique_ptr<TEffectsForm> form;

    Fixture()
    {
        TEffectsForm::Context context;
        context.editor = &editor;
        context.prompter = &prompter;
        context.pageDirectory = [this] { return dir.path(); };
        context.graphicExtensions = [] { return QStringLiteral("gif,png"); };
        context.pageExtensions = [] { return QStringLiteral("htm,html"); };
        context.pageChanged = [this] { ++changes; };
        form = std::make_unique<TEffectsForm>(context);
    }

    template<typename T> T *child(const char *name) const
    {
        T *found = form->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no child %s", name);
        return found;
    }
    // Text "before <sel> after" with the middle selected.
    void select(const QString &before, const QString &selected, const QString &after)
    {
        editor.SetText(before + selected + after);
        editor.StartLine = 1;
        editor.StartPos = int(before.size());
        const qsizetype lastBreak = selected.lastIndexOf(QLatin1Char('\n'));
        editor.EndLine = 1 + int(selected.count(QLatin1Char('\n')));
        editor.EndPos = lastBreak < 0 ? int(before.size() + selected.size())
                                      : int(selected.size() - lastBreak - 1);
        editor.ApplySelection();
    }
    // Shows the notebook on a tab as the Insert commands do, without blocking.
    void show(int tab)
    {
        form->selectTab(tab);
        form->setModal(true);
        form->show();
    }
    void add() { child<QPushButton>("AddBtn")->click(); }
};

} // namespace

class TestTEffectsForm final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void addFromSelection_data();
    void addFromSelection();
    void longSelectionIsNotCarried();
    void appletNeedsCodeWidthAndHeight_data();
    void appletNeedsCodeWidthAndHeight();
    void appletClassFileIsCopied_data();
    void appletClassFileIsCopied();
    void guidedAddKeepsLineBreaksAndStaysOpen();
    void closingEndsGuidedMode();
    void previewFollowsEveryChange();
    void tableAndListGoInWithLineBreaks();
    void imagePickFillsSizeAndAddCopies();
    void imageBesideDifferentFileInsertsNothing();
    void createMapNeedsAnExistingFile();
    void changeClearsIsAMap();
    void mapLinesGoInBeforeTheImage();
    void referenceChoicesFromPageAndDirectory();
    void previewLinkIsNotFollowed();
    void externalPageOffersItsLinks();
    void insertItemsAndButtons();
};

void TestTEffectsForm::addFromSelection_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("inserted");
    QTest::addRow("heading") << int(TEffectsForm::Headers) << "<H1>two words</H1>";
    QTest::addRow("document text") << int(TEffectsForm::DocumentText) << "two words";
    QTest::addRow("reference") << int(TEffectsForm::References) << "<a href=\"\">two words</a>";
}

void TestTEffectsForm::addFromSelection()
{
    QFETCH(int, tab);
    QFETCH(QString, inserted);
    Fixture f;
    QApplication::clipboard()->clear();
    f.select("A ", "two\nwords", " B");
    f.show(tab);
    QCOMPARE(f.form->carried(), QStringLiteral("two words"));
    f.add();
    QCOMPARE(f.editor.Text(), "A " + inserted + " B");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("two\nwords"));
    QCOMPARE(f.changes, 1);
    QVERIFY(!f.form->isVisible());
    QCOMPARE(f.form->result(), int(QDialog::Accepted));
}

void TestTEffectsForm::longSelectionIsNotCarried()
{
    Fixture f;
    f.child<QLineEdit>("HeaderText")->setText("kept");
    f.select("", QString(155, 'x'), "");
    f.show(TEffectsForm::Headers);
    QCOMPARE(f.form->carried(), QString());
    QCOMPARE(f.form->scratchLines(), (QStringList { "<H1>kept</H1>", "" }));
    f.add();
    // Nothing carried, nothing cut: the heading replaces the selection.
    QCOMPARE(f.editor.Text(), QStringLiteral("<H1>kept</H1>"));
}

void TestTEffectsForm::appletNeedsCodeWidthAndHeight_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addRow("no code") << ""
                             << "10"
                             << "20";
    QTest::addRow("no width") << "A.class"
                              << ""
                              << "20";
    QTest::addRow("no height") << "A.class"
                               << "10"
                               << "";
}

void TestTEffectsForm::appletNeedsCodeWidthAndHeight()
{
    QFETCH(QString, code);
    QFETCH(QString, width);
    QFETCH(QString, height);
    Fixture f;
    f.select("A ", "sel", " B");
    f.show(TEffectsForm::Applet);
    f.child<QLineEdit>("Code")->setText(code);
    f.child<QLineEdit>("AppletWidth")->setText(width);
    f.child<QLineEdit>("AppletHeight")->setText(height);
    f.add();
    QCOMPARE(f.prompter.messages().size(), 1);
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Warning);
    QCOMPARE(f.prompter.texts().first(),
             QStringLiteral("Missing entry in Code, Height or Width field!"));
    // The selection stays in the page: it is cut only when something goes in.
    QCOMPARE(f.editor.Text(), QStringLiteral("A sel B"));
    QCOMPARE(f.changes, 0);
    QVERIFY(f.form->isVisible());
}

void TestTEffectsForm::appletClassFileIsCopied_data()
{
    QTest::addColumn<QString>("align");
    QTest::addColumn<QString>("alignLine");
    QTest::addRow("no alignment chosen") << ""
                                         << "";
    QTest::addRow("alignment chosen") << "right"
                                      << "ALIGN=\"right\" \n";
}

void TestTEffectsForm::appletClassFileIsCopied()
{
    QFETCH(QString, align);
    QFETCH(QString, alignLine);
    Fixture f;
    QTemporaryDir classes;
    const QString classFile = classes.filePath("Clock.class");
    QVERIFY(TestEnvironment::writeFile(classFile, "CAFEBABE"));
    f.editor.SetText("");
    f.show(TEffectsForm::Applet);
    f.prompter.answerFile(classFile);
    f.child<QToolButton>("AppletFileBtn")->click();
    f.child<QLineEdit>("AppletWidth")->setText("100");
    f.child<QLineEdit>("AppletHeight")->setText("50");
    f.child<QLineEdit>("AppletTitle")->setText("A \"clock\"");
    auto *alignment = f.child<QComboBox>("AppletAlign");
    QCOMPARE(alignment->currentText(), QString()); // none chosen at first
    QCOMPARE(alignment->count(), 7);
    alignment->setCurrentIndex(alignment->findText(align));
    f.add();
    QCOMPARE(f.editor.Text(),
             QStringLiteral("<APPLET CODE=\"Clock.class\" \n"
                            "TITLE=\"A &quot;clock&quot;\" \n")
                 + alignLine
                 + QStringLiteral("WIDTH=\"100\" \n"
                                  "HEIGHT=\"50\">\n"
                                  "</APPLET>\n"));
    QCOMPARE(TestEnvironment::readFile(f.dir.filePath("Clock.class")), QByteArray("CAFEBABE"));
}

void TestTEffectsForm::guidedAddKeepsLineBreaksAndStaysOpen()
{
    Fixture f;
    f.editor.SetText("");
    f.form->setGuided(true);
    f.form->showBeside(QRect(10, 50, 300, 400));
    QCOMPARE(f.form->pos(), QPoint(325, 50));
    QVERIFY(!f.form->isModal());
    QVERIFY(!f.child<QTabWidget>("EffectsNotebook")->tabBar()->isEnabled());
    QVERIFY(f.child<QPushButton>("CloseBtn")->isHidden());
    f.form->selectTab(TEffectsForm::DocumentText);
    QCOMPARE(f.form->currentTab(), int(TEffectsForm::DocumentText));
    f.child<QPlainTextEdit>("DocumentText")->setPlainText("one\ntwo");
    f.child<QCheckBox>("Bold")->setChecked(true);
    f.add();
    QCOMPARE(f.editor.Text(), QStringLiteral("<b>\none\ntwo\n</b>\n"));
    QVERIFY(f.form->isVisible());
    f.form->selectTab(TEffectsForm::Headers);
    f.child<QLineEdit>("HeaderText")->setText("Head");
    f.add();
    QCOMPARE(f.editor.Text(), QStringLiteral("<b>\none\ntwo\n</b>\n<H1>Head</H1>\n\n"));
    QCOMPARE(f.changes, 2);
    if (qEnvironmentVariableIsSet("TARNWICK_SCREENSHOTS")) {
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        QTRY_VERIFY_WITH_TIMEOUT(!f.form->preview()->Busy(), TestEnvironment::signalBound);
        QVERIFY(TestEnvironment::waitForLoad(f.form->preview(), [&] { f.form->refreshPreview(); }));
        QTest::qWait(300);
        const QRect frame = f.form->frameGeometry();
        f.form->screen()
            ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
            .save(qEnvironmentVariable("TARNWICK_SCREENSHOTS")
                  + QStringLiteral("/effects-guided.png"));
    }
}

void TestTEffectsForm::closingEndsGuidedMode()
{
    Fixture f;
    f.form->setGuided(true);
    f.form->showBeside(QRect(0, 0, 100, 100));
    QCOMPARE(f.form->tabCount(), 7);
    QCOMPARE(f.form->tabText(5), QStringLiteral("References"));
    f.form->closeNotebook();
    QVERIFY(!f.form->isVisible());
    QVERIFY(!f.form->isGuided());
    QVERIFY(f.child<QTabWidget>("EffectsNotebook")->tabBar()->isEnabled());
    QVERIFY(!f.child<QPushButton>("CloseBtn")->isHidden());
}

void TestTEffectsForm::previewFollowsEveryChange()
{
    Fixture f;
    f.editor.SetText("");
    QVERIFY(
        TestEnvironment::waitForLoad(f.form->preview(), [&] { f.show(TEffectsForm::Headers); }));
    QVERIFY(TestEnvironment::waitForLoad(
        f.form->preview(), [&] { f.child<QLineEdit>("HeaderText")->setText("Shown"); }));
    QVERIFY(TestEnvironment::waitForLoad(f.form->preview(),
                                         [&] { f.child<QSpinBox>("HeaderSize")->setValue(2); }));
    QCOMPARE(TestEnvironment::evaluate(f.form->preview(),
                                       "document.querySelector('h2') ? "
                                       "document.querySelector('h2').textContent : ''")
                 .toString(),
             QStringLiteral("Shown"));
    QVERIFY(TestEnvironment::waitForLoad(f.form->preview(),
                                         [&] { f.form->selectTab(TEffectsForm::Tables); }));
    QCOMPARE(TestEnvironment::evaluate(f.form->preview(), "document.querySelectorAll('td').length")
                 .toInt(),
             4);
}

void TestTEffectsForm::tableAndListGoInWithLineBreaks()
{
    Fixture f;
    f.editor.SetText("");
    f.show(TEffectsForm::Tables);
    f.child<QSpinBox>("TableRows")->setValue(1);
    f.child<QTableWidget>("CellGrid")->setItem(0, 1, new QTableWidgetItem("Two"));
    f.add();
    QCOMPARE(f.editor.Text(),
             QStringLiteral("<table border align=left cellspacing=2 >\n<tr>\n"
                            "<td>Cell:1,1</td>\n<td>Two</td>\n</tr>\n</table>\n"));
    f.editor.SetText("");
    f.show(TEffectsForm::ListTypes);
    f.child<QComboBox>("ListType")->setCurrentText("Directory");
    f.child<QSpinBox>("ListParents")->setValue(2);
    f.child<QTableWidget>("ListItems")->setItem(1, 0, new QTableWidgetItem("second"));
    f.add();
    QCOMPARE(f.editor.Text(), QStringLiteral("<dir>\n<li> Line:1\n<li>second\n</dir>\n"));
}

void TestTEffectsForm::imagePickFillsSizeAndAddCopies()
{
    Fixture f;
    QVERIFY(TestEnvironment::writeFile(f.dir.filePath("here.gif"), TestPictures::gif({ 3, 4 })));
    QTemporaryDir elsewhere;
    const QString picture = elsewhere.filePath("far.gif");
    QVERIFY(TestEnvironment::writeFile(picture, TestPictures::gif({ 7, 9 })));
    f.editor.SetText("");
    f.show(TEffectsForm::Images);
    auto *file = f.child<QComboBox>("ImageFilename");
    static_cast<RefillingComboBox *>(file)->refill();
    QCOMPARE(file->findText("here.gif") >= 0, true);
    f.prompter.answerFile(picture);
    f.child<QToolButton>("ImageSearchBtn")->click();
    QCOMPARE(f.child<QLineEdit>("ImageWidth")->text(), QStringLiteral("7"));
    QCOMPARE(f.child<QLineEdit>("ImageHeight")->text(), QStringLiteral("9"));
    f.child<QLineEdit>("AlternateText")->setText("say \"far\"");
    f.child<QCheckBox>("CenterImage")->setChecked(true);
    f.add();
    QCOMPARE(f.editor.Text(),
             QStringLiteral("<CENTER><IMG SRC=\"far.gif\" ALT=\"say &quot;far&quot;\""
                            " WIDTH=\"7\" HEIGHT=\"9\"></CENTER>"));
    QCOMPARE(TestEnvironment::readFile(f.dir.filePath("far.gif")),
             TestEnvironment::readFile(picture));
    // Not copied: named by its path from the page.
    f.editor.SetText("");
    f.show(TEffectsForm::Images);
    f.child<QCheckBox>("CenterImage")->setChecked(false);
    f.child<QCheckBox>("CopyImage")->setChecked(false);
    QFile::remove(f.dir.filePath("far.gif"));
    f.add();
    const QString relative = QDir(f.dir.path()).relativeFilePath(picture);
    QVERIFY(relative.startsWith(QLatin1String("../")));
    QCOMPARE(f.editor.Text(),
             "<IMG SRC=\"" + relative + "\" ALT=\"say &quot;far&quot;\" WIDTH=\"7\" HEIGHT=\"9\">");
    QVERIFY(!QFile::exists(f.dir.filePath("far.gif")));
}

void TestTEffectsForm::imageBesideDifferentFileInsertsNothing()
{
    Fixture f;
    QVERIFY(TestEnvironment::writeFile(f.dir.filePath("far.gif"), "OTHER"));
    QTemporaryDir elsewhere;
    const QString picture = elsewhere.filePath("far.gif");
    QVERIFY(TestEnvironment::writeFile(picture, TestPictures::gif({ 7, 9 })));
    f.editor.SetText("page");
    f.show(TEffectsForm::Images);
    f.prompter.answerFile(picture);
    f.child<QToolButton>("ImageSearchBtn")->click();
    f.add();
    QCOMPARE(f.prompter.texts(),
             QStringList { EffectsFilePlacement::keptMessage("far.gif", picture) });
    QCOMPARE(f.editor.Text(), QStringLiteral("page"));
    QCOMPARE(TestEnvironment::readFile(f.dir.filePath("far.gif")), QByteArray("OTHER"));
    QCOMPARE(f.changes, 0);
    QVERIFY(f.form->isVisible());
}

void TestTEffectsForm::createMapNeedsAnExistingFile()
{
    Fixture f;
    f.show(TEffectsForm::Images);
    f.child<QComboBox>("ImageFilename")->setEditText("missing.gif");
    f.child<QCheckBox>("IsMap")->setChecked(true);
    QVERIFY(f.child<QPushButton>("CreateMap")->isEnabled());
    f.child<QPushButton>("CreateMap")->click();
    QCOMPARE(f.prompter.texts(),
             QStringList { "File specified in Image Filename field does not exist!" });
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Information);
}

void TestTEffectsForm::changeClearsIsAMap()
{
    Fixture f;
    f.show(TEffectsForm::Images);
    f.child<QComboBox>("ImageFilename")->setEditText("m.gif");
    f.child<QCheckBox>("IsMap")->setChecked(true);
    QVERIFY(f.form->scratchLines().first().contains(" ismap "));
    f.child<QLineEdit>("AlternateText")->setText("x");
    QVERIFY(!f.child<QCheckBox>("IsMap")->isChecked());
    QVERIFY(!f.child<QPushButton>("CreateMap")->isEnabled());
    QVERIFY(!f.form->scratchLines().first().contains(" ismap "));
}

void TestTEffectsForm::mapLinesGoInBeforeTheImage()
{
    Fixture f;
    QVERIFY(TestEnvironment::writeFile(f.dir.filePath("nav.gif"), TestPictures::gif({ 40, 30 })));
    f.editor.SetText("");
    f.show(TEffectsForm::Images);
    auto *file = static_cast<RefillingComboBox *>(f.child<QComboBox>("ImageFilename"));
    file->refill();
    file->setCurrentText("nav.gif");
    f.form->imageChosen();
    f.child<QCheckBox>("IsMap")->setChecked(true);
    f.prompter.answerText("nav");
    bool mapped = false;
    QTimer::singleShot(0, this, [&] {
        auto *mapping = qobject_cast<TSimpleForm *>(QApplication::activeModalWidget());
        if (!mapping)
            return;
        mapping->MapNameClick();
        mapping->SaveMapToPageClick();
        mapped = true;
    });
    f.child<QPushButton>("CreateMap")->click();
    QVERIFY(mapped);
    QCOMPARE(f.form->mapLines().first(), QStringLiteral("<MAP NAME=\"nav\">"));
    QVERIFY(f.child<QCheckBox>("IsMap")->isChecked());
    f.add();
    QCOMPARE(f.editor.Text(),
             f.form->mapLines().join('\n')
                 + "\n<IMG SRC=\"nav.gif\" ALT=\"\" WIDTH=\"40\" HEIGHT=\"30\" USEMAP=\"#nav\">\n");
}

void TestTEffectsForm::referenceChoicesFromPageAndDirectory()
{
    Fixture f;
    QVERIFY(TestEnvironment::writeFile(f.dir.filePath("other.htm"), "<p>x</p>"));
    QVERIFY(TestEnvironment::writeFile(f.dir.filePath("note.txt"), "x"));
    f.editor.SetText("<a href=\"http://example.org/\">e</a> <a href=\"#top\">t</a>");
    f.show(TEffectsForm::References);
    auto *url = static_cast<RefillingComboBox *>(f.child<QComboBox>("URLLink"));
    url->refill();
    QStringList items;
    for (int i = 0; i < url->count(); ++i)
        items << url->itemText(i);
    QVERIFY2(items.contains("http://example.org/") && items.contains("#top")
                 && items.contains("other.htm") && !items.contains("note.txt"),
             qPrintable(items.join(',')));
    auto *prefix = f.child<QToolButton>("PrefixBtn");
    prefix->menu()->actions().at(1)->trigger();
    QCOMPARE(url->currentText(), QStringLiteral("http://www."));
    QCOMPARE(url->lineEdit()->cursorPosition(), 11);
}

void TestTEffectsForm::previewLinkIsNotFollowed()
{
    Fixture f;
    QVERIFY(TestEnvironment::writeFile(f.dir.filePath("next.htm"), "<p id=next>next</p>"));
    f.editor.SetText("");
    QVERIFY(
        TestEnvironment::waitForLoad(f.form->preview(), [&] { f.show(TEffectsForm::References); }));
    QVERIFY(TestEnvironment::waitForLoad(
        f.form->preview(), [&] { f.child<QComboBox>("URLLink")->setEditText("next.htm"); }));
    const QVariantList centre
        = TestEnvironment::evaluate(f.form->preview(),
                                    "(function(){var r=document.querySelector('a')"
                                    ".getBoundingClientRect();"
                                    "return [r.left+r.width/2, r.top+r.height/2];})()")
              .toList();
    QCOMPARE(centre.size(), 2);
    QWidget *surface = f.form->preview()->findChild<QWebEngineView *>()->focusProxy();
    QTest::mouseClick(surface, Qt::LeftButton, {},
                      QPoint(centre.at(0).toInt(), centre.at(1).toInt()));
    QVERIFY(TestEnvironment::engineRoundTrip(f.form->preview()));
    QVERIFY(!f.form->preview()->Busy());
    QCOMPARE(TestEnvironment::evaluate(f.form->preview(), "document.querySelectorAll('a').length")
                 .toInt(),
             1);
}

void TestTEffectsForm::externalPageOffersItsLinks()
{
    Fixture f;
    QTemporaryDir other;
    const QString page = other.filePath("links.htm");
    QVERIFY(TestEnvironment::writeFile(page, "<a href=\"far.htm\">f</a>"));
    QVERIFY(TestEnvironment::writeFile(other.filePath("beside.html"), "x"));
    f.editor.SetText("<a href=\"mine.htm\">m</a>");
    f.show(TEffectsForm::References);
    auto *url = static_cast<RefillingComboBox *>(f.child<QComboBox>("URLLink"));
    const auto choices = [url] {
        url->refill();
        QStringList items;
        for (int i = 0; i < url->count(); ++i)
            items << url->itemText(i);
        return items;
    };
    // Cancelling the first choice of a page keeps the page's own links.
    f.prompter.cancelNextFile();
    f.child<QRadioButton>("ExternalPage")->click();
    QVERIFY(f.child<QRadioButton>("YourPage")->isChecked());
    QCOMPARE(choices(), QStringList { "mine.htm" });
    f.prompter.answerFile(page);
    f.child<QRadioButton>("ExternalPage")->click();
    QCOMPARE(choices(), (QStringList { "far.htm", "links.htm", "beside.html" }));
    f.child<QRadioButton>("YourPage")->click();
    QCOMPARE(choices(), QStringList { "mine.htm" });
}

void TestTEffectsForm::insertItemsAndButtons()
{
    ScriptedPrompter prompter;
    EditorControl editor;
    QWidget book;
    for (const char *name : { "ListsPage", "ImagesPage" }) {
        auto *page = new QWidget(&book);
        page->setObjectName(QLatin1String(name));
        auto *layout = new QHBoxLayout(page);
        layout->addStretch(1);
    }
    QMenu insert;
    insert.addAction("Horizontal &Bar");
    GeneratorCommands::Parts parts;
    parts.editor = &editor;
    parts.prompter = &prompter;
    parts.toolBook = &book;
    parts.insertMenu = &insert;
    GeneratorCommands commands(parts);
    QStringList captions;
    QStringList keys;
    for (QAction *item : insert.actions()) {
        captions << item->text();
        keys << item->shortcut().toString();
    }
    QCOMPARE(captions,
             (QStringList { "&Heading...", "&List Type...", "Te&xt", "Horizontal &Bar",
                            "Table Cell &Attributes", "&Image...", "Applet...",
                            "&URL Reference/Page Anchor", "WizeGuys" }));
    QCOMPARE(keys.mid(0, 8),
             (QStringList { "Ctrl+H", "Ctrl+L", "F4", "", "", "Ctrl+I", "Ctrl+J", "Ctrl+U" }));
    QCOMPARE(book.findChild<QToolButton *>("EffectsListBtn")->toolTip(),
             QStringLiteral("Open List page in Effects Notebook"));
    QCOMPARE(book.findChild<QToolButton *>("EffectsImageBtn")->toolTip(),
             QStringLiteral("Open Image page in Effects Notebook"));
    GuidedNotebook *notebook = commands.effectsNotebook();
    QVERIFY(notebook);
    QCOMPARE(commands.effectsNotebook(), notebook);
    QCOMPARE(notebook->tabText(2), QStringLiteral("List Types"));
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestTEffectsForm test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_teffectsform.moc"
