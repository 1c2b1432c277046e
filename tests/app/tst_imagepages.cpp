// SPDX-License-Identifier: GPL-3.0-or-later
// Images, links, templates and the parameter dialog in the main window: the
// tool pages, their menu items, the gallery in the real preview and the
// attribute double click.
#include "app/mainwindow.h"
#include "app/openpages.h"
#include "app/tips.h"
#include "mainwindowsession.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "tags/imagespage.h"
#include "tags/powerbook.h"
#include "tags/tagcommands.h"
#include "tags/tparmform.h"
#include "testenvironment.h"
#include "testpictures.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>

using namespace Tarnwick;
using TestPictures::gif;

namespace {

QMenu *menu(MainWindow &w, const QString &title)
{
    for (QAction *a : w.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

QStringList captions(QMenu *menu)
{
    QStringList list;
    for (QAction *a : menu->actions())
        if (!a->isSeparator())
            list << a->text();
    return list;
}

void shoot(QWidget *window, const QString &name)
{
    if (!qEnvironmentVariableIsSet("TARNWICK_SCREENSHOTS"))
        return;
    // The screen, not the widget: the preview draws through the engine's own surface.
    (void)QTest::qWaitForWindowExposed(window);
    QTest::qWait(300);
    window->screen()
        ->grabWindow(0, window->frameGeometry().x(), window->frameGeometry().y(),
                     window->frameGeometry().width(), window->frameGeometry().height())
        .save(qEnvironmentVariable("TARNWICK_SCREENSHOTS") + QStringLiteral("/images-") + name
              + QStringLiteral(".png"));
}

} // namespace

class TestImagePages final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void menusAndPages();
    void galleryClickFillsTheImageBox();
    void galleryTakesThePlaceOfFrames();
    void doubleClickOnAlignOpensTheDialog();
    void metaTagKey();
};

void TestImagePages::menusAndPages()
{
    MainWindowSession s;
    const QString page = s.file("site/page.htm", "<p>x</p>");
    MainWindow &w = s.start();
    QMenu *insert = menu(w, "&Insert");
    QVERIFY(insert);
    QVERIFY(captions(insert).contains("Page Template"));
    QVERIFY(captions(insert).contains("# Include..."));
    QMenu *templates = w.findChild<QMenu *>("PageTemplate1");
    QCOMPARE(captions(templates),
             QStringList({ "Body Settings", "Hot Link", "Mailto: Link", "Image", "Page Defaults",
                           "Plain Text", "Heading" }));
    const QStringList codes = captions(menu(w, "HTML &Codes"));
    QCOMPARE(codes.mid(codes.indexOf("&Embed..."), 3),
             QStringList({ "&Embed...", "Meta...", "Param..." }));
    const QStringList edit = captions(menu(w, "&Edit"));
    QCOMPARE(edit.at(edit.indexOf("&Title...") + 1), QStringLiteral("Meta Tag..."));
    QAction *metaTag = w.findChild<QAction *>("EditMetaTag1");
    QCOMPARE(metaTag->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    QVERIFY(!metaTag->isEnabled());
    QVERIFY(!templates->menuAction()->isEnabled());

    QVERIFY(w.openPages()->LoadFile(page, false));
    QVERIFY(metaTag->isEnabled());
    auto *book = w.findChild<PowerBook *>("PowerBook");
    QStringList pages;
    for (int i = 0; i < book->count(); ++i)
        pages << book->tabText(i);
    // The tool bar's order, the user's four pages last.
    QCOMPARE(pages.mid(0, 10),
             QStringList({ "Font", "Special", "Format", "Lists", "Tables", "Images", "Links",
                           "Forms", "Templates", "ASP" }));
    QCOMPARE(pages.size(), 14);

    // A marker from the menu goes in at the caret.
    EditorControl *editor = w.editor();
    editor->StartLine = editor->EndLine = 1;
    editor->StartPos = editor->EndPos = 0;
    editor->ApplySelection();
    templates->actions().at(4)->trigger();
    QVERIFY(editor->Text().startsWith(QStringLiteral("\n<!--##Defaults-->\n\n\n"))
            || editor->Text().startsWith(QStringLiteral("\r\n<!--##Defaults-->\r\n\r\n\r\n")));
    w.resize(1200, 760);
    for (const char *name : { "Images", "Links", "Templates" }) {
        book->setCurrentIndex(pages.indexOf(QLatin1String(name)));
        QTest::qWait(0);
        shoot(&w, QString::fromLatin1(name).toLower() + QStringLiteral("-page"));
    }
}

void TestImagePages::galleryClickFillsTheImageBox()
{
    MainWindowSession s;
    const QString page = s.file("site/page.htm", "<p>x</p>");
    s.file("buttons/home page.gif", gif({ 88, 31 }, Qt::darkBlue));
    s.file("buttons/next.gif", gif({ 88, 31 }, Qt::darkGreen));
    MainWindow &w = s.start();
    auto *split = w.findChild<Renderer *>("HTMLSplit");
    QVERIFY_LOADS(split, [&] { QVERIFY(w.openPages()->LoadFile(page, false)); });
    auto *book = w.findChild<PowerBook *>("PowerBook");
    auto *images = book->findChild<ImagesPage *>("ImagesPage");
    QVERIFY(images);
    book->setCurrentWidget(images);
    auto *category = images->findChild<QComboBox *>("ImageTypeDir");
    QVERIFY(category->findText("buttons") > 0);
    QCOMPARE(category->itemText(0), QStringLiteral("Default"));
    category->setCurrentIndex(category->findText("buttons"));
    QVERIFY_LOADS(split, [&] { images->findChild<QToolButton *>("SpeedButton36")->click(); });
    QCOMPARE(TestEnvironment::evaluate(split, "document.images.length").toInt(), 2);
    // Both pictures show: the name with a blank too.
    QCOMPARE(
        TestEnvironment::evaluate(
            split, "Array.from(document.images).every(i => i.complete && i.naturalWidth == 88)")
            .toBool(),
        true);
    const QRect first = QRect(
        TestEnvironment::evaluate(split, "document.images[0].getBoundingClientRect().left").toInt(),
        TestEnvironment::evaluate(split, "document.images[0].getBoundingClientRect().top").toInt(),
        88, 31);
    shoot(&w, QStringLiteral("gallery"));
    QWidget *surface = split->findChild<QWebEngineView *>()->focusProxy();
    QVERIFY(surface);
    QTest::mouseClick(surface, Qt::LeftButton, {}, first.center());
    QVERIFY(QTest::qWaitFor([&] { return !images->imageName().isEmpty(); },
                            TestEnvironment::signalBound));
    QCOMPARE(images->imageName(), QStringLiteral("home page.gif"));

    // Inserted: copied beside the page, with its size.
    w.editor()->StartLine = w.editor()->EndLine = 1;
    w.editor()->StartPos = w.editor()->EndPos = 0;
    w.editor()->ApplySelection();
    images->findChild<QToolButton *>("InsertImageTabBtn")->click();
    QVERIFY(w.editor()->Text().startsWith(
        QStringLiteral(R"(<IMG SRC="home page.gif" WIDTH="88" HEIGHT="31">)")));
    QVERIFY(QFileInfo::exists(s.home() + QStringLiteral("site/home page.gif")));
}

// A frame-set page shows in the frame renderer; the gallery needs the split
// preview back, and the next refresh shows the frames again.
void TestImagePages::galleryTakesThePlaceOfFrames()
{
    MainWindowSession s;
    s.file("site/a.htm", "<p>a</p>");
    const QString page
        = s.file("site/frames.htm", "<frameset cols=\"50%,50%\"><frame src=\"a.htm\"></frameset>");
    MainWindow &w = s.start();
    auto *split = w.findChild<Renderer *>("HTMLSplit");
    auto *frames = w.findChild<Renderer *>("HTMLFrames");
    QVERIFY_LOADS(split, [&] { QVERIFY(w.openPages()->LoadFile(page, false)); });
    QVERIFY(frames->isVisible());
    QVERIFY(!split->isVisible());
    auto *images = w.findChild<ImagesPage *>("ImagesPage");
    QVERIFY_LOADS(split, [&] { images->findChild<QToolButton *>("SpeedButton36")->click(); });
    QVERIFY(split->isVisible());
    QVERIFY(!frames->isVisible());
    QCOMPARE(
        TestEnvironment::evaluate(split, "document.querySelector('h2').textContent").toString(),
        QStringLiteral("Select an image below to insert into the toolbar"));
    QVERIFY_LOADS(split, [&] { w.findChild<QToolButton *>("RefreshBtn")->click(); });
    QVERIFY(frames->isVisible());
}

void TestImagePages::doubleClickOnAlignOpensTheDialog()
{
    MainWindowSession s;
    const QString page = s.file("site/page.htm", "<P ALIGN=\"left\">x</P>");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(page, false));
    EditorControl *editor = w.editor();
    editor->StartLine = editor->EndLine = 1;
    editor->StartPos = 3;
    editor->EndPos = 8;
    editor->ApplySelection();
    QString page_;
    QString shown;
    QTimer::singleShot(0, &w, [&] {
        auto *form = w.findChild<TParmForm *>("TParmForm");
        page_ = form->findChild<QStackedWidget *>()->currentWidget()->objectName();
        auto *align = form->findChild<QComboBox *>("alignlist");
        shown = align->currentText();
        align->setCurrentIndex(align->findText("right"));
        form->accept();
    });
    Q_EMIT editor->OnDblClick();
    QCOMPARE(page_, QStringLiteral("align"));
    QCOMPARE(shown, QStringLiteral("left"));
    QCOMPARE(editor->Text(), QStringLiteral("<P ALIGN=\"right\">x</P>"));
}

void TestImagePages::metaTagKey()
{
    MainWindowSession s;
    const QString page
        = s.file("site/page.htm", "<HEAD>\n<META NAME=\"description\" CONTENT=\"old\">\n</HEAD>");
    MainWindow &w = s.start();
    QVERIFY(w.openPages()->LoadFile(page, false));
    EditorControl *editor = w.editor();
    editor->StartLine = editor->EndLine = 1;
    editor->StartPos = editor->EndPos = 0;
    editor->ApplySelection();
    QString name;
    QTimer::singleShot(0, &w, [&] {
        auto *form = w.findChild<TParmForm *>("TParmForm");
        name = form->findChild<QLineEdit *>("MetaName")->text();
        form->findChild<QLineEdit *>("MetaContent")->setText("new");
        if (qEnvironmentVariableIsSet("TARNWICK_SCREENSHOTS")) {
            shoot(form, QStringLiteral("parameter-meta"));
            form->findChild<QStackedWidget *>()->setCurrentIndex(4);
            shoot(form, QStringLiteral("parameter-embed"));
            form->findChild<QStackedWidget *>()->setCurrentIndex(3);
        }
        form->accept();
    });
    w.findChild<QAction *>("EditMetaTag1")->trigger();
    QCOMPARE(name, QStringLiteral("description"));
    QCOMPARE(editor->GetLineText(2),
             QStringLiteral("<META NAME=\"description\" CONTENT=\"new\" >"));
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestImagePages test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_imagepages.moc"
