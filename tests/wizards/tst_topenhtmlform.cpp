// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "platform/filelistpane.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "testenvironment.h"
#include "testpictures.h"
#include "wizards/generatorcommands.h"
#include "wizards/pagefilepreview.h"
#include "wizards/topenhtmlform.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

#include <memory>

using namespace Tarnwick;
using TestEnvironment::signalBound;

namespace {

const QString pageFilter = QStringLiteral("Web Documents|*.html;*.htm|Graphics|*.gif;*.bmp|All "
                                          "Files|*.*");

struct Fixture
{
    QTemporaryDir dir;
    QStringList loaded; // what the dialog asked to open
    bool loadSucceeds = true;
    ScriptedPrompter prompter;
    int opened = 0;
    std::unique_ptr<TOpenHTMLForm> form;

    QString path(const QString &name) const { return dir.filePath(name); }

    void write(const QString &name, const QByteArray &bytes)
    {
        QVERIFY(TestEnvironment::writeFile(path(name), bytes));
    }

    // Shows the dialog on the directory, its list filled.
    void open(const QString &filter, const QStringList &expectListed)
    {
        TOpenHTMLForm::Context context;
        context.filter = filter;
        context.directory = dir.path();
        context.loadFile = [this](const QString &p) {
            loaded << p;
            return loadSucceeds;
        };
        context.pageOpened = [this] { ++opened; };
        context.prompter = &prompter;
        form = std::make_unique<TOpenHTMLForm>(context);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const QStringList names = form->listedNames();
                for (const QString &n : expectListed)
                    if (!names.contains(n))
                        return false;
                return true;
            }(),
            signalBound);
    }

    void select(const QString &name)
    {
        QVERIFY_LOADS(form->preview(), [&] { form->selectFile(path(name)); });
    }

    QVariant evaluate(const QString &script)
    {
        return TestEnvironment::evaluate(form->preview(), script);
    }
};

} // namespace

class TestTOpenHTMLForm final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }

    void picturesAreToldByExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("picture");
        QTest::addRow("gif") << "logo.gif" << true;
        QTest::addRow("upper case JPG") << "PHOTO.JPG" << true;
        QTest::addRow("jpeg") << "photo.jpeg" << true;
        QTest::addRow("mixed case bmp") << "scan.Bmp" << true;
        QTest::addRow("png") << "dir.d/shot.png" << true;
        QTest::addRow("gif inside the name") << "my.gif.htm" << false;
        QTest::addRow("GIF inside the name") << "old.GIFS.html" << false;
        QTest::addRow("page") << "index.htm" << false;
        QTest::addRow("no extension") << "gif" << false;
        QTest::addRow("hidden file named like an extension") << ".gif" << false;
        QTest::addRow("picture extension in the directory") << "pics.jpg/readme.txt" << false;
    }

    void picturesAreToldByExtension()
    {
        QFETCH(QString, name);
        QFETCH(bool, picture);
        QCOMPARE(PageFilePreview::isPicture(name), picture);
    }

    void previewMarkup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("images");
        QTest::addRow("page as text") << "a.htm" << QByteArray("<b>hi</b>\r\n") << "<b>hi</b>\n"
                                      << false;
        QTest::addRow("Windows-1252 page")
            << "w.htm" << QByteArray("caf\xe9") << "caf\u00e9" << false;
        QTest::addRow("picture") << "p.gif" << QByteArray("GIF89a") << "<IMG SRC=\"p.gif\">"
                                 << true;
        QTest::addRow("picture name with specials")
            << "a #1 \"x\"%.png" << QByteArray() << "<IMG SRC=\"a%20%231%20%22x%22%25.png\">"
            << true;
        QTest::addRow("executable read as text")
            << "tool.exe" << QByteArray("MZ\x01\x02") << "MZ\x01\x02" << false;
    }

    void previewMarkup()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, html);
        QFETCH(bool, images);
        QTemporaryDir dir;
        QVERIFY(TestEnvironment::writeFile(dir.filePath(name), bytes));
        const PageFilePreview::Content content = PageFilePreview::forFile(dir.filePath(name));
        QCOMPARE(content.html, html);
        QCOMPARE(content.images, images);
    }

    void hugeFileShowsItsBeginning()
    {
        QTemporaryDir dir;
        QByteArray bytes(PageFilePreview::previewLimit + 1000, 'a');
        bytes.replace(0, 3, "<p>");
        QVERIFY(TestEnvironment::writeFile(dir.filePath("big.log"), bytes));
        const QString html = PageFilePreview::forFile(dir.filePath("big.log")).html;
        QCOMPARE(html.size(), PageFilePreview::previewLimit);
        QVERIFY(html.startsWith("<p>aaa"));
    }

    void unreadableFileGivesNothing()
    {
        QTemporaryDir dir;
        const PageFilePreview::Content content = PageFilePreview::forFile(dir.filePath("gone.htm"));
        QVERIFY(content.html.isEmpty());
        QVERIFY(!content.images);
    }

    void linkTargets_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("listed");
        const QString d = QStringLiteral("/site/pages");
        const QString url = QUrl::fromLocalFile(d).toString();
        QTest::addRow("listed page") << url + "/b.htm"
                                     << "b.htm";
        QTest::addRow("listed page with an anchor") << url + "/b.htm#top"
                                                    << "b.htm";
        QTest::addRow("listed page with a query") << url + "/b.htm?x=1"
                                                  << "b.htm";
        QTest::addRow("encoded blank") << url + "/my%20page.htm"
                                       << "my page.htm";
        QTest::addRow("other case is another file") << url + "/B.HTM"
                                                    << "";
        QTest::addRow("not listed") << url + "/c.htm"
                                    << "";
        QTest::addRow("same name in a subdirectory") << url + "/sub/b.htm"
                                                     << "";
        QTest::addRow("same name above") << QUrl::fromLocalFile("/site/b.htm").toString() << "";
        QTest::addRow("through dot dot") << url + "/sub/../b.htm"
                                         << "b.htm";
        QTest::addRow("web address") << "http://example.com/b.htm"
                                     << "";
        QTest::addRow("directory itself") << url + "/"
                                          << "";
        QTest::addRow("empty") << ""
                               << "";
    }

    void linkTargets()
    {
        QFETCH(QString, address);
        QFETCH(QString, listed);
        const QStringList names = { "a.htm", "b.htm", "my page.htm" };
        QCOMPARE(PageFilePreview::listedFile(address, "/site/pages", names), listed);
    }

    void opensAPageButNotAPicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opens");
        QTest::addRow("page") << "index.htm" << true;
        QTest::addRow("bmp") << "scan.bmp" << false;
        QTest::addRow("gif") << "logo.gif" << false;
        QTest::addRow("gif in the middle of a page's name") << "logo.gif.htm" << true;
    }

    void opensAPageButNotAPicture()
    {
        QFETCH(QString, name);
        QFETCH(bool, opens);
        Fixture f;
        QByteArray bytes = "<p id=p>page</p>";
        if (name.endsWith(".gif")) {
            bytes = TestPictures::gif(QSize(8, 6));
        } else if (name.endsWith(".bmp")) {
            bytes.clear();
            QBuffer buffer(&bytes);
            QVERIFY(QImage(8, 6, QImage::Format_RGB32).save(&buffer, "BMP"));
        }
        f.write(name, bytes);
        f.open(QStringLiteral("All Files|*.*"), { name });
        f.select(name);
        QCOMPARE(f.form->fileToLoad(), f.path(name));
        QCOMPARE(f.form->findChild<QLineEdit *>("FileToLoad")->text(), f.path(name));
        // Pictures show with images on, pages with them off.
        QCOMPARE(f.form->preview()->ViewImages(), !opens);
        if (opens)
            QCOMPARE(f.evaluate("document.getElementById('p').textContent").toString(),
                     QStringLiteral("page"));
        else
            QTRY_COMPARE_WITH_TIMEOUT(f.evaluate("document.images[0].naturalWidth").toInt(), 8,
                                      signalBound);
        f.form->OKClick();
        QCOMPARE(f.loaded, opens ? QStringList { f.path(name) } : QStringList());
        QCOMPARE(f.opened, opens ? 1 : 0);
        QVERIFY(!f.form->isVisible());
    }

    void failedLoadLeavesTheEditorAlone()
    {
        Fixture f;
        f.loadSucceeds = false;
        f.write("a.htm", "<p>a</p>");
        f.open(pageFilter, { "a.htm" });
        f.select("a.htm");
        f.form->OKClick();
        QCOMPARE(f.loaded.size(), 1);
        QCOMPARE(f.opened, 0);
        QVERIFY(!f.form->isVisible());
    }

    void enterAndDoubleClickOpenOnce_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::addRow("Enter") << false;
        QTest::addRow("double click") << true;
    }

    void enterAndDoubleClickOpenOnce()
    {
        QFETCH(bool, doubleClick);
        Fixture f;
        f.write("a.htm", "<p>a</p>");
        f.write("b.htm", "<p>b</p>");
        f.open(pageFilter, { "a.htm", "b.htm" });
        QListView *list = f.form->files()->fileList();
        const QModelIndex b
            = list->model()->index(f.form->listedNames().indexOf("b.htm"), 0, list->rootIndex());
        list->setFocus();
        if (doubleClick) {
            const QRect r = list->visualRect(b);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
        } else {
            list->setCurrentIndex(b);
            QTest::keyClick(list, Qt::Key_Return);
        }
        QCOMPARE(f.loaded, QStringList { f.path("b.htm") });
        QCOMPARE(f.opened, 1);
        QVERIFY(!f.form->isVisible());
    }

    void typedNameAndEnter_data()
    {
        QTest::addColumn<QString>("typed"); // "%1": the temporary directory
        QTest::addColumn<QString>("opened"); // "" opens nothing
        QTest::addColumn<QString>("listed"); // the folder listed afterwards, "" unchanged
        QTest::addColumn<QString>("told");

        QTest::addRow("name in the listed folder") << "b.htm"
                                                   << "b.htm"
                                                   << ""
                                                   << "";
        QTest::addRow("path below it, with blanks around") << "  sub/c.htm "
                                                           << "sub/c.htm"
                                                           << ""
                                                           << "";
        QTest::addRow("absolute path") << "%1/sub/c.htm"
                                       << "sub/c.htm"
                                       << ""
                                       << "";
        QTest::addRow("folder is listed") << "sub"
                                          << ""
                                          << "sub"
                                          << "";
        QTest::addRow("missing file is told") << "nope.htm"
                                              << ""
                                              << ""
                                              << "Could not find or open: %1/nope.htm";
    }

    // Enter in the bottom box opens what was typed there, or says why not.
    void typedNameAndEnter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        QFETCH(QString, listed);
        QFETCH(QString, told);
        Fixture f;
        f.write("a.htm", "<p>a</p>");
        f.write("b.htm", "<p>b</p>");
        f.write("sub/c.htm", "<p>c</p>");
        f.open(pageFilter, { "a.htm", "b.htm" });
        f.select("a.htm");
        auto *box = f.form->findChild<QLineEdit *>("FileToLoad");
        QVERIFY(!box->isReadOnly());
        box->setText(typed.arg(f.dir.path()));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(f.loaded, opened.isEmpty() ? QStringList() : QStringList { f.path(opened) });
        QCOMPARE(f.form->isVisible(), opened.isEmpty());
        QCOMPARE(f.prompter.texts(),
                 told.isEmpty() ? QStringList() : QStringList { told.arg(f.dir.path()) });
        if (!listed.isEmpty())
            QCOMPARE(QDir(f.form->files()->directory()), QDir(f.path(listed)));
    }

    void linkToAListedFileSelectsIt_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<QString>("selected");
        QTest::addRow("listed page") << "b.htm"
                                     << "b.htm";
        QTest::addRow("listed picture") << "pic.gif"
                                        << "pic.gif";
        QTest::addRow("file the filter hides") << "notes.txt"
                                               << "";
    }

    void linkToAListedFileSelectsIt()
    {
        QFETCH(QString, href);
        QFETCH(QString, selected);
        Fixture f;
        f.write("a.htm",
                QStringLiteral("<body style='margin:0'><a href='%1' "
                               "style='display:block;height:60px'>go</a>")
                    .arg(href)
                    .toUtf8());
        f.write("b.htm", "<p id=p>second</p>");
        f.write("pic.gif", TestPictures::gif(QSize(4, 4)));
        f.write("notes.txt", "notes");
        f.open(pageFilter, { "a.htm", "b.htm" });
        if (selected == QLatin1String("pic.gif")) {
            f.form->files()->filterBox()->setCurrentIndex(2); // all files
            QTRY_VERIFY_WITH_TIMEOUT(f.form->listedNames().contains("pic.gif"), signalBound);
        }
        QCOMPARE(f.form->listedNames().contains("notes.txt"), selected == QLatin1String("pic.gif"));
        f.select("a.htm");

        QStringList clicked;
        connect(f.form->preview(), &Renderer::hotSpotClicked, this,
                [&](const QString &address, bool *) { clicked << address; });
        QWidget *surface = f.form->preview()->findChild<QWebEngineView *>()->focusProxy();
        QVERIFY(surface);
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(20, 20));
        QTRY_COMPARE_WITH_TIMEOUT(clicked.size(), 1, signalBound);
        if (selected.isEmpty()) {
            QCOMPARE(f.form->fileToLoad(), f.path("a.htm"));
            return;
        }
        QCOMPARE(f.form->fileToLoad(), f.path(selected));
        QListView *list = f.form->files()->fileList();
        QCOMPARE(list->currentIndex().data().toString(), selected);
        if (selected == QLatin1String("b.htm"))
            QTRY_COMPARE_WITH_TIMEOUT(
                f.evaluate("(document.getElementById('p')||{}).textContent").toString(),
                QStringLiteral("second"), signalBound);
        else
            QTRY_COMPARE_WITH_TIMEOUT(f.evaluate("document.images.length").toInt(), 1, signalBound);
    }

    // The main window's Open: a page opened through it gets the editor and
    // the tool notebook back and the focus.
    void openCommandEnablesTheEditor()
    {
        QTemporaryDir dir;
        QVERIFY(TestEnvironment::writeFile(dir.filePath("a.htm"), "<p>a</p>"));
        QWidget window;
        auto *editor = new EditorControl(&window);
        auto *toolBook = new QWidget(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        editor->setEnabled(false);
        toolBook->setEnabled(false);
        ScriptedPrompter prompter;
        QStringList loaded;
        GeneratorCommands::Parts parts;
        parts.editor = editor;
        parts.prompter = &prompter;
        parts.toolBook = toolBook;
        parts.loadFile = [&](const QString &path) {
            loaded << path;
            return true;
        };
        GeneratorCommands commands(std::move(parts));
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *form = window.findChild<TOpenHTMLForm *>();
            QVERIFY(form);
            seen = true;
            QTRY_VERIFY_WITH_TIMEOUT(form->listedNames().contains("a.htm"), signalBound);
            QCOMPARE(form->files()->directory(), dir.path());
            form->selectFile(dir.filePath("a.htm"));
            form->OKClick();
        });
        commands.OpenHTMLPageClick(pageFilter, dir.path());
        QVERIFY(seen);
        QCOMPARE(loaded, QStringList { dir.filePath("a.htm") });
        QVERIFY(editor->isEnabled());
        QVERIFY(toolBook->isEnabled());
        QWidget *focus = window.focusWidget();
        QVERIFY(focus == editor || editor->isAncestorOf(focus));
    }
};

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestTOpenHTMLForm test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_topenhtmlform.moc"
