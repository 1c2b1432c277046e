// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/imagetools.h"

#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "tags/imagelibrary.h"
#include "tags/linkmarkup.h"
#include "tags/linkspage.h"
#include "tags/taginserter.h"
#include "testenvironment.h"
#include "testpictures.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Tarnwick;

namespace {
QByteArray picture(const char *format, QSize size = { 88, 31 }, QColor color = Qt::red)
{
    return TestPictures::encoded(format, size, color);
}

// A program directory with two categories, a shared directory with one, and
// a page directory; the editor holds a page from that directory.
struct Fixture
{
    QTemporaryDir dir;
    QString program = dir.filePath(QStringLiteral("program")) + QLatin1Char('/');
    QString shared = dir.filePath(QStringLiteral("shared"));
    QString page = dir.filePath(QStringLiteral("site"));
    QString graphicExtensions = QStringLiteral("gif,jpg");
    QString sharedSetting;
    EditorControl editor;
    ScriptedPrompter prompter;
    TagInserter inserter { &editor,
                           &prompter,
                           { [] { return false; }, [] {}, [] { return TagSettings {}; } } };
    QString shownHtml, shownBase;
    ImageTools tools { { &inserter, &prompter, program, [this] { return page; },
                         [this] { return graphicExtensions; },
                         [] { return QStringLiteral("htm,html"); },
                         [this] { return sharedSetting; },
                         [this](const QString &html, const QString &base) {
                             shownHtml = html;
                             shownBase = base;
                         } } };

    Fixture()
    {
        QDir().mkpath(program + QStringLiteral("buttons"));
        QDir().mkpath(program + QStringLiteral("Bullets"));
        QDir().mkpath(shared + QStringLiteral("/photos"));
        QDir().mkpath(page);
        editor.LoadFromText(QStringLiteral("<BODY>\n\n</BODY>"), {});
        caretAt(2, 0);
    }
    void write(const QString &path, const QByteArray &bytes)
    {
        QVERIFY(TestEnvironment::writeFile(path, bytes));
    }
    void caretAt(int line, int column)
    {
        editor.StartLine = editor.EndLine = line;
        editor.StartPos = editor.EndPos = column;
        editor.ApplySelection();
    }
    void select(int line, int from, int to)
    {
        editor.StartLine = editor.EndLine = line;
        editor.StartPos = from;
        editor.EndPos = to;
        editor.ApplySelection();
    }
    QString line(int n) const { return editor.GetLineText(n); }
};

} // namespace

class ImageToolsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void imageTag_data();
    void imageTag();
    void categoryImageIsCopiedBesideThePage();
    void differentImageBesideThePageIsKept();
    void failedCopyInsertsNothing();
    void categories();
    void sharedButtonWithoutDirectory();
    void sharedDirectoryWithOrWithoutSeparator_data();
    void sharedDirectoryWithOrWithoutSeparator();
    void unreadableFoldersAreReported_data();
    void unreadableFoldersAreReported();
    void imageList_data();
    void imageList();
    void galleryWritesEncodedAddresses();
    void links_data();
    void links();
    void linkPrefixesOfferHttps();
    void markers_data();
    void markers();
    void include();
};

void ImageToolsTest::imageTag_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<QString>("hotLink");
    QTest::addColumn<QString>("expected");

    const QByteArray gif = picture("GIF");
    QTest::addRow("88 x 31, left, no hot link")
        << gif << "left"
        << ""
        << R"(<IMG SRC="logo.gif" ALIGN="left" WIDTH="88" HEIGHT="31">)";
    QTest::addRow("with a hot link")
        << gif << "left"
        << "index.htm"
        << R"(<A HREF="index.htm"><IMG SRC="logo.gif" ALIGN="left" WIDTH="88" HEIGHT="31"></A>)";
    QTest::addRow("none is written")
        << gif << "none"
        << ""
        << R"(<IMG SRC="logo.gif" ALIGN="none" WIDTH="88" HEIGHT="31">)";
    QTest::addRow("no alignment") << gif << ""
                                  << ""
                                  << R"(<IMG SRC="logo.gif" WIDTH="88" HEIGHT="31">)";
    QTest::addRow("unreadable: no WIDTH or HEIGHT") << QByteArray("not a picture") << "top"
                                                    << ""
                                                    << R"(<IMG SRC="logo.gif" ALIGN="top">)";
    QTest::addRow("a quote in the hot link")
        << gif << ""
        << R"(a"b.htm)"
        << R"(<A HREF="a&quot;b.htm"><IMG SRC="logo.gif" WIDTH="88" HEIGHT="31"></A>)";
}

// "Default" is the page's own directory: nothing is copied.
void ImageToolsTest::imageTag()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, alignment);
    QFETCH(QString, hotLink);
    QFETCH(QString, expected);
    Fixture f;
    f.write(f.page + QStringLiteral("/logo.gif"), bytes);
    f.tools.InsertImageTabBtnClick(QStringLiteral("Default"), QStringLiteral("logo.gif"), alignment,
                                   hotLink);
    QCOMPARE(f.line(2), expected);
    QCOMPARE(f.prompter.texts(), QStringList());
    QCOMPARE(QDir(f.page).entryList(QDir::Files), QStringList { QStringLiteral("logo.gif") });
}

void ImageToolsTest::categoryImageIsCopiedBesideThePage()
{
    Fixture f;
    const QByteArray bytes = picture("GIF", { 16, 16 });
    f.write(f.program + QStringLiteral("Bullets/ball.gif"), bytes);
    f.tools.InsertImageTabBtnClick(QStringLiteral("Bullets"), QStringLiteral("ball.gif"), {}, {});
    QCOMPARE(f.line(2), QStringLiteral(R"(<IMG SRC="ball.gif" WIDTH="16" HEIGHT="16">)"));
    QCOMPARE(TestEnvironment::readFile(f.page + QStringLiteral("/ball.gif")), bytes);
    // Nothing to ask the second time: the same file is there already.
    f.tools.InsertImageTabBtnClick(QStringLiteral("Bullets"), QStringLiteral("ball.gif"), {}, {});
    QCOMPARE(f.prompter.texts(), QStringList());
}

void ImageToolsTest::differentImageBesideThePageIsKept()
{
    Fixture f;
    f.write(f.program + QStringLiteral("buttons/home.gif"), picture("GIF", { 88, 31 }));
    const QByteArray mine = picture("GIF", { 40, 20 }, Qt::blue);
    f.write(f.page + QStringLiteral("/home.gif"), mine);
    f.tools.InsertImageTabBtnClick(QStringLiteral("buttons"), QStringLiteral("home.gif"), {}, {});
    QCOMPARE(TestEnvironment::readFile(f.page + QStringLiteral("/home.gif")), mine);
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY(f.prompter.texts().first().contains(QStringLiteral("It was kept")));
    // The tag still names the image the page will show.
    QVERIFY(f.line(2).startsWith(QStringLiteral(R"(<IMG SRC="home.gif")")));
}

void ImageToolsTest::failedCopyInsertsNothing()
{
    Fixture f;
    f.write(f.program + QStringLiteral("buttons/home.gif"), picture("GIF"));
    f.page = f.dir.filePath(QStringLiteral("no such site"));
    f.tools.InsertImageTabBtnClick(QStringLiteral("buttons"), QStringLiteral("home.gif"), {}, {});
    QCOMPARE(f.prompter.texts(), QStringList { QStringLiteral("Cannot find directory") });
    QCOMPARE(f.editor.Text(), QStringLiteral("<BODY>\n\n</BODY>"));
}

void ImageToolsTest::categories()
{
    Fixture f;
    // Sorted as the file system names them, "Default" first; files are no categories.
    f.write(f.program + QStringLiteral("TIPS.TXT"), "tip");
    QCOMPARE(f.tools.categories(),
             (QStringList { QStringLiteral("Default"), QStringLiteral("Bullets"),
                            QStringLiteral("buttons") }));
    f.sharedSetting = f.shared;
    QVERIFY(f.tools.UseSharedImagesBtnClick(true));
    QCOMPARE(f.tools.categories(),
             (QStringList { QStringLiteral("Default"), QStringLiteral("photos") }));
    QVERIFY(f.tools.UseSharedImagesBtnClick(false));
    QCOMPARE(f.tools.categories().size(), 3);
    // A root that is gone leaves "Default" alone.
    f.sharedSetting = f.dir.filePath(QStringLiteral("gone"));
    QVERIFY(f.tools.UseSharedImagesBtnClick(true));
    QCOMPARE(f.tools.categories(), QStringList { QStringLiteral("Default") });
}

void ImageToolsTest::sharedButtonWithoutDirectory()
{
    Fixture f;
    f.sharedSetting = QStringLiteral("  ");
    QVERIFY(!f.tools.UseSharedImagesBtnClick(true));
    QVERIFY(!f.tools.shared());
    QCOMPARE(f.prompter.texts(), QStringList { ImageTools::noSharedDirectoryMessage() });
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Information);
    QCOMPARE(f.tools.root(), f.program);
}

void ImageToolsTest::sharedDirectoryWithOrWithoutSeparator_data()
{
    QTest::addColumn<bool>("trailingSeparator");
    QTest::addRow("without") << false;
    QTest::addRow("with") << true;
}

void ImageToolsTest::sharedDirectoryWithOrWithoutSeparator()
{
    QFETCH(bool, trailingSeparator);
    Fixture f;
    f.write(f.shared + QStringLiteral("/photos/sea.jpg"), picture("JPEG"));
    f.sharedSetting = f.shared + (trailingSeparator ? QStringLiteral("/") : QString());
    QVERIFY(f.tools.UseSharedImagesBtnClick(true));
    QCOMPARE(f.tools.categoryDirectory(QStringLiteral("photos")),
             f.shared + QStringLiteral("/photos/"));
    QCOMPARE(f.tools.imageList(QStringLiteral("photos")),
             QStringList { QStringLiteral("sea.jpg") });
    f.tools.InsertImageTabBtnClick(QStringLiteral("photos"), QStringLiteral("sea.jpg"), {}, {});
    QCOMPARE(f.line(2), QStringLiteral(R"(<IMG SRC="sea.jpg" WIDTH="88" HEIGHT="31">)"));
}

void ImageToolsTest::unreadableFoldersAreReported_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addRow("shared directory is a file")
        << "shared file"
        << "Exception occured during FillImageDirectoryListing!";
    QTest::addRow("category turned into a file") << "category file"
                                                 << "Exception occured during BuildDirList!";
    QTest::addRow("category without read permission") << "category locked"
                                                      << "Exception occured during BuildDirList!";
    QTest::addRow("missing directories stay silent") << "missing"
                                                     << "";
}

// A folder that is there but cannot be listed is said so, not shown as empty.
void ImageToolsTest::unreadableFoldersAreReported()
{
    QFETCH(QString, how);
    QFETCH(QString, message);
    Fixture f;
    const QString buttons = f.program + QStringLiteral("buttons");
    f.write(buttons + QStringLiteral("/home.gif"), picture("GIF"));
    QStringList listed;
    if (how == QLatin1String("shared file") || how == QLatin1String("missing")) {
        f.sharedSetting = f.dir.filePath(how == QLatin1String("missing") ? "gone" : "shared.txt");
        if (how != QLatin1String("missing"))
            f.write(f.sharedSetting, "not a folder");
        QVERIFY(f.tools.UseSharedImagesBtnClick(true));
        QCOMPARE(f.tools.categories(), QStringList { QStringLiteral("Default") });
        listed = f.tools.imageList(QStringLiteral("photos"));
    } else {
        QCOMPARE(f.tools.categories().size(), 3);
        if (how == QLatin1String("category file")) {
            QVERIFY(QDir(buttons).removeRecursively());
            f.write(buttons, "not a folder");
        } else {
            QVERIFY(QFile::setPermissions(buttons, QFileDevice::WriteOwner));
            if (QFileInfo(buttons).isReadable()) {
                QFile::setPermissions(buttons,
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner);
                QSKIP("this user reads every directory");
            }
        }
        listed = f.tools.imageList(QStringLiteral("buttons"));
        f.tools.SpeedButton36Click(QStringLiteral("buttons"));
        QFile::setPermissions(
            buttons, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QCOMPARE(listed, QStringList());
    const QStringList expected = message.isEmpty()  ? QStringList()
        : how.startsWith(QLatin1String("category")) ? QStringList { message, message }
                                                    : QStringList { message };
    QCOMPARE(f.prompter.texts(), expected);
    for (const auto &m : f.prompter.messages())
        QCOMPARE(m.kind, Prompter::Kind::Warning);
}

void ImageToolsTest::imageList_data()
{
    QTest::addColumn<QString>("extensions");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");

    const QStringList files { "b.jpg",     "a.gif", "PHOTO.GIF", "c.Jpg",
                              "notes.txt", "gif",   "x.gif.bak", "z.jpeg" };
    QTest::addRow("extension by extension, names sorted")
        << "gif,jpg" << files << QStringList { "a.gif", "PHOTO.GIF", "b.jpg", "c.Jpg" };
    QTest::addRow("the list's order decides")
        << "jpg,gif" << files << QStringList { "b.jpg", "c.Jpg", "a.gif", "PHOTO.GIF" };
    QTest::addRow("an extension twice lists each name once")
        << "gif, GIF ,.gif" << files << QStringList { "a.gif", "PHOTO.GIF" };
    QTest::addRow("jpeg is not jpg") << "jpeg" << files << QStringList { "z.jpeg" };
    QTest::addRow("no extensions") << "" << files << QStringList();
    QTest::addRow("missing directory") << "gif" << QStringList() << QStringList();
}

void ImageToolsTest::imageList()
{
    QFETCH(QString, extensions);
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    Fixture f;
    f.graphicExtensions = extensions;
    for (const QString &file : files)
        f.write(f.program + QStringLiteral("buttons/") + file, "x");
    const QString category = files.isEmpty() ? QStringLiteral("gone") : QStringLiteral("buttons");
    QCOMPARE(f.tools.imageList(category), expected);
}

void ImageToolsTest::galleryWritesEncodedAddresses()
{
    Fixture f;
    for (const char *name : { "my photo.gif", "a#1.gif", "100%.gif" })
        f.write(f.program + QStringLiteral("buttons/") + QLatin1String(name), picture("GIF"));
    f.tools.SpeedButton36Click(QStringLiteral("buttons"));
    QCOMPARE(f.shownBase, f.program + QStringLiteral("buttons/"));
    const QStringList lines = f.shownHtml.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0],
             QStringLiteral(
                 R"(<H2 align="center">Select an image below to insert into the toolbar</H2>)"));
    const QString address = QUrl::fromLocalFile(f.program + QStringLiteral("buttons/a#1.gif"))
                                .toString(QUrl::FullyEncoded);
    QVERIFY(address.contains(QStringLiteral("a%231.gif")));
    QCOMPARE(lines[2], QStringLiteral(R"(<a href="%1"><img src="%1"></a><br>)").arg(address));
    // Every address reads back to its file.
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString href = lines[i].section(QLatin1Char('"'), 1, 1);
        QVERIFY2(QFileInfo::exists(QUrl(href).toLocalFile()), qPrintable(href));
    }
}

void ImageToolsTest::links_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selectWord");
    QTest::addColumn<QString>("expected");

    QTest::addRow("address and text")
        << "http://"
        << "example.org"
        << "Example" << false << R"(see <A HREF="http://example.org">Example</A>here)";
    QTest::addRow("mailto, empty address, a word selected")
        << "mailto:"
        << ""
        << "" << true << R"(see <A HREF="mailto:">here</A>)";
    QTest::addRow("no text, nothing selected")
        << ""
        << "page.htm"
        << "" << false << R"(see <A HREF="page.htm"></A>here)";
    QTest::addRow("a quote in the address")
        << ""
        << R"(a"b.htm)"
        << "x" << false << R"(see <A HREF="a&quot;b.htm">x</A>here)";
}

void ImageToolsTest::links()
{
    QFETCH(QString, prefix);
    QFETCH(QString, address);
    QFETCH(QString, text);
    QFETCH(bool, selectWord);
    QFETCH(QString, expected);
    Fixture f;
    f.editor.LoadFromText(QStringLiteral("see here"), {});
    if (selectWord)
        f.select(1, 4, 8);
    else
        f.caretAt(1, 4);
    f.tools.BitBtn1Click(prefix, address, text);
    QCOMPARE(f.line(1), expected);
}

// Secure addresses beside plain ones on the Links page; the box starts empty.
void ImageToolsTest::linkPrefixesOfferHttps()
{
    Fixture f;
    LinksPage page(&f.tools, &f.inserter);
    auto *prefix = page.findChild<QComboBox *>("LinkPrefix");
    QVERIFY(prefix);
    QStringList offered;
    for (int i = 0; i < prefix->count(); ++i)
        offered << prefix->itemText(i);
    QCOMPARE(offered.mid(0, 4),
             (QStringList { "http://", "http://www.", "https://", "https://www." }));
    QVERIFY(offered.contains("mailto:"));
    QCOMPARE(prefix->currentText(), QString());
}

void ImageToolsTest::markers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::addRow("Body") << "Body"
                          << "x\n<!--##Body-->\ny";
    QTest::addRow("MailLink") << "MailLink"
                              << "x\n<!--##MailLink-->\ny";
    QTest::addRow("Defaults: three line breaks") << "Defaults"
                                                 << "x\n<!--##Defaults-->\n\n\ny";
}

void ImageToolsTest::markers()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    Fixture f;
    f.editor.LoadFromText(QStringLiteral("xy"), {});
    f.caretAt(1, 1);
    f.tools.insertMarker(name);
    QString text = f.editor.Text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QCOMPARE(text, expected);
    QCOMPARE(LinkMarkup::markers().size(), 7);
}

void ImageToolsTest::include()
{
    Fixture f;
    const QString file = f.page + QStringLiteral("/footer.htm");
    f.write(file, "footer");
    f.prompter.answerFile(file);
    f.tools.Inkludge1Click();
    QCOMPARE(f.line(2), QStringLiteral(R"(<!--#include FILE="%1"-->)").arg(file));
    const Prompter::FileRequest request = f.prompter.fileRequests().first();
    QCOMPARE(request.filterIndex, 0);
    QCOMPARE(request.filter.split(QLatin1Char('|')).size(), 12); // six filters
    QVERIFY(request.filter.startsWith(QStringLiteral("HTM Files|*.htm|")));
    // Cancelled: nothing.
    f.prompter.cancelNextFile();
    f.tools.Inkludge1Click();
    QCOMPARE(f.editor.LineCount(), 3);
}

QTEST_MAIN(ImageToolsTest)
#include "tst_imagetools.moc"
