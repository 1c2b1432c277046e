// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/sitecheck.h"

#include "support/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QStringList lines(const QList<SiteFinding> &findings)
{
    QStringList out;
    for (const SiteFinding &f : findings)
        out << f.toLine();
    return out;
}

// A page with a title and a declared encoding, so that only its body is judged.
QByteArray page(const QByteArray &body)
{
    return "<html><head><meta charset=\"utf-8\"><title>t</title></head><body>\n" + body
        + "\n</body></html>\n";
}

} // namespace

class TestSiteCheck final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void references_data();
    void references();
    void pagesOfTheTree();
    void unreadablePages_data();
    void unreadablePages();
    void symbolicLinkLeavingTheFolder();
    void frameLoopAndSelfLinkEnd();
    void orphans();
    void progressCanStop();
    void pageExtensions_data();
    void pageExtensions();
};

void TestSiteCheck::references_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("files"); // besides p.htm
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("existing targets")
        << QByteArray("<img src=\"a.gif\" alt=\"\"><a href=\"sub/b.htm\">b</a><link href=\"s.css\">"
                      "<script src=\"./sub/../s.js\"></script><a href=\"sub/\">folder</a><a "
                      "href=\"/a.gif\">root</a>")
        << QStringList { "a.gif", "sub/b.htm", "s.css", "s.js" } << QStringList();
    QTest::newRow("missing kinds") << QByteArray(
        "<body background=\"bg.gif\"><form action=\"go.cgi\"></form><frame src=\"f.htm\">"
        "<object data=\"o.swf\"></object>")
                                   << QStringList()
                                   << QStringList { "p.htm:2:7: error: BACKGROUND of <BODY> names "
                                                    "a file that does not exist: bg.gif [missing]",
                                                    "p.htm:2:33: error: ACTION of <FORM> names a "
                                                    "file that does not exist: go.cgi [missing]",
                                                    "p.htm:2:63: error: SRC of <FRAME> names a "
                                                    "file that does not exist: f.htm [missing]",
                                                    "p.htm:2:83: error: DATA of <OBJECT> names a "
                                                    "file that does not exist: o.swf [missing]" };
    QTest::newRow("letter case in a folder and a name")
        << QByteArray("<img src=\"images/logo.gif\" alt=\"\">") << QStringList { "Images/Logo.GIF" }
        << QStringList {
               "p.htm:2:6: error: SRC of <IMG> names \"images/logo.gif\" but the file is "
               "\"Images/Logo.GIF\": a server that tells capitals apart will not find it [case]"
           };
    QTest::newRow("percent, spaces and accents")
        << QByteArray("<a href=\"my%20page.htm\">1</a><a href=\"my page.htm\">2</a><img "
                      "src=\"caf%C3%A9.gif\" alt=\"\"><img src=\"café.gif\" alt=\"\">")
        << QStringList { "my page.htm", "café.gif" } << QStringList();
    QTest::newRow("query and entity")
        << QByteArray("<a href=\"p.htm?a=1&amp;b=2#x\">me</a><a id=\"x\"></a>") << QStringList()
        << QStringList();
    QTest::newRow("anchors")
        << QByteArray("<a href=\"#a\">1</a><a href=\"#b\">2</a><a href=\"q.htm#c\">3</a><a "
                      "href=\"q.htm#d\">4</a>"
                      "<a href=\"#\">5</a><a href=\"#caf%C3%A9\">6</a><map name=\"a\"></map><h2 "
                      "id=\"café\">x</h2>")
        << QStringList { "q.htm" }
        << QStringList { "p.htm:2:22: error: no anchor named \"b\" in this page [anchor]",
                         "p.htm:2:63: error: no anchor named \"d\" in q.htm [anchor]" };
    QTest::newRow("image map")
        << QByteArray("<img src=\"m.gif\" usemap=\"#nav\" alt=\"\"><img src=\"m.gif\" "
                      "usemap=\"#navi\" alt=\"\"><map name=\"nav\"></map>")
        << QStringList { "m.gif" }
        << QStringList { "p.htm:2:56: error: no anchor named \"navi\" in this page [anchor]" };
    QTest::newRow("only on this computer")
        << QByteArray("<img src=\"C:\\site\\a.gif\" alt=\"\"><a href=\"file:///home/u/a.htm\">f</a>"
                      "<img src=\"img\\a.gif\" alt=\"\"><script src=\"/home/u/x.js\"></script><a "
                      "href=\"\\\\server\\share\">s</a>")
        << QStringList { "img/a.gif" }
        << QStringList { "p.htm:2:6: error: SRC of <IMG> names a Windows drive or share, which the "
                         "server does not have: C:\\site\\a.gif [local-path]",
                         "p.htm:2:36: error: HREF of <A> is a file: address, which only works on "
                         "this computer: file:///home/u/a.htm [local-path]",
                         "p.htm:2:74: error: SRC of <IMG> has backslashes, which only Windows "
                         "reads as folders: write \"img/a.gif\" [local-path]",
                         "p.htm:2:105: error: SRC of <SCRIPT> is a path of this computer, which "
                         "the server does not have: /home/u/x.js [local-path]",
                         "p.htm:2:136: error: HREF of <A> names a Windows drive or share, which "
                         "the server does not have: \\\\server\\share [local-path]" };
    QTest::newRow("outside the folder")
        << QByteArray("<link href=\"../style.css\"><a href=\"sub/../../x.htm\">x</a>")
        << QStringList()
        << QStringList { "p.htm:2:7: error: HREF of <LINK> points outside the project folder, "
                         "where nothing is published: ../style.css [outside]",
                         "p.htm:2:30: error: HREF of <A> points outside the project folder, where "
                         "nothing is published: sub/../../x.htm [outside]" };
    QTest::newRow("other sites listed") << QByteArray(
        "<a href=\"https://example.org/x\">1</a><img src=\"//cdn.example.org/a.png\" alt=\"\">"
        "<a href=\"mailto:a@b.c\">m</a><a href=\"javascript:void(0)\">j</a><a "
        "href=\"tel:123\">t</a>") << QStringList()
                                        << QStringList {
                                               "p.htm:2:4: note: address on another site, not "
                                               "checked: https://example.org/x [external]",
                                               "p.htm:2:43: note: address on another site, not "
                                               "checked: //cdn.example.org/a.png [external]"
                                           };
    QTest::newRow("picture without alt")
        << QByteArray("<img src=\"a.gif\">\n<IMG\nSRC=\"a.gif\" ALT=\"\">")
        << QStringList { "a.gif" }
        << QStringList { "p.htm:2:1: warning: picture without ALT text, which readers who cannot "
                         "see it and search engines need [alt]" };
    QTest::newRow("no markup for values without =")
        << QByteArray("<a href>x</a><img src alt>") << QStringList() << QStringList();
}

void TestSiteCheck::references()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("p.htm")), page(body));
    for (const QString &file : files)
        write(dir.filePath(file),
              file.endsWith(QLatin1String(".htm")) ? page("<p id=\"c\">c</p>") : "x");
    SiteCheck::Request request;
    request.projectDir = dir.path();
    request.pages = { QStringLiteral("p.htm") };
    request.orphans = false;
    request.markup = false;
    QCOMPARE(lines(SiteCheck::run(request)), expected);
}

void TestSiteCheck::pagesOfTheTree()
{
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("a.htm")),
          page("<a href=\"b.htm\">b</a> <a href=\"c.htm\">c</a> <a href=\"d.txt\">d</a>"));
    write(dir.filePath(QStringLiteral("b.htm")), page("b"));
    write(dir.filePath(QStringLiteral("c.htm")), page("c"));
    write(dir.filePath(QStringLiteral("d.txt")), "d");
    SiteCheck::Request request;
    request.projectDir = dir.path();
    request.pages = { QStringLiteral("a.htm"), QStringLiteral("b.htm") };
    request.markup = false;
    request.orphans = false;
    request.fromProjectTree = true;
    QCOMPARE(lines(SiteCheck::run(request)),
             QStringList { "a.htm:2:26: warning: links to c.htm, which is not a page of the "
                           "project [not-in-project]" });
    // Without the tree every page of the folder counts.
    request.fromProjectTree = false;
    QCOMPARE(lines(SiteCheck::run(request)), QStringList());
}

void TestSiteCheck::unreadablePages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("missing") << "gone.htm"
                             << QStringList {
                                    "gone.htm: error: cannot be read: no such file [unreadable]"
                                };
    QTest::newRow("a folder") << "folder.htm"
                              << QStringList {
                                     "folder.htm: error: is a folder, not a page [unreadable]"
                                 };
    QTest::newRow("binary")
        << "binary.htm"
        << QStringList { "binary.htm: warning: not checked: the file is not text [unreadable]" };
    QTest::newRow("50 MB") << "huge.htm"
                           << QStringList {
                                  "huge.htm: warning: not checked: larger than 8 MB [unreadable]"
                              };
    QTest::newRow("no title") << "untitled.htm"
                              << QStringList {
                                     "untitled.htm: warning: page without a title [title]"
                                 };
}

void TestSiteCheck::unreadablePages()
{
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("folder.htm"));
    QByteArray binary(4096, '\0');
    binary.prepend("<html>");
    write(dir.filePath(QStringLiteral("binary.htm")), binary);
    {
        QFile huge(dir.filePath(QStringLiteral("huge.htm")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(50LL * 1024 * 1024)); // sparse: no 50 MB written
    }
    write(dir.filePath(QStringLiteral("untitled.htm")),
          "<html><head><title> </title></head><body>x</body></html>");
    SiteCheck::Request request;
    request.projectDir = dir.path();
    request.pages = { name };
    request.orphans = false;
    QCOMPARE(lines(SiteCheck::run(request)), expected);
}

void TestSiteCheck::symbolicLinkLeavingTheFolder()
{
    QTemporaryDir outside;
    write(outside.filePath(QStringLiteral("shared/logo.gif")), "x");
    QTemporaryDir dir;
    QVERIFY(QFile::link(outside.filePath(QStringLiteral("shared")),
                        dir.filePath(QStringLiteral("shared"))));
    // A link into itself would loop a walker that followed links.
    QVERIFY(QFile::link(dir.path(), dir.filePath(QStringLiteral("loop"))));
    write(dir.filePath(QStringLiteral("p.htm")),
          page("<img src=\"shared/logo.gif\" alt=\"\"><img src=\"loop/loop/x.gif\" alt=\"\">"));
    SiteCheck::Request request;
    request.projectDir = dir.path();
    request.pages = { QStringLiteral("p.htm") };
    request.markup = false;
    request.orphans = false;
    const QString canonical
        = QFileInfo(outside.filePath(QStringLiteral("shared/logo.gif"))).canonicalFilePath();
    QCOMPARE(
        lines(SiteCheck::run(request)),
        QStringList(
            { "p.htm:2:6: warning: SRC of <IMG> reaches shared/logo.gif through a symbolic link to "
                  + canonical + ", outside the project folder [symlink]",
              "p.htm:2:40: error: SRC of <IMG> names a file that does not exist: loop/loop/x.gif "
              "[missing]" }));
}

void TestSiteCheck::frameLoopAndSelfLinkEnd()
{
    QTemporaryDir dir;
    write(
        dir.filePath(QStringLiteral("a.htm")),
        page("<frameset><frame src=\"b.htm\"><frame src=\"a.htm#x\"></frameset><a id=\"x\"></a>"));
    write(dir.filePath(QStringLiteral("b.htm")),
          page("<frameset><frame src=\"a.htm\"><frame src=\"b.htm\"></frameset>"));
    SiteCheck::Request request;
    request.projectDir = dir.path();
    request.pages = { QStringLiteral("a.htm"), QStringLiteral("b.htm") };
    request.markup = false;
    QCOMPARE(lines(SiteCheck::run(request)), QStringList());
}

void TestSiteCheck::orphans()
{
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("a.htm")),
          page("<img src=\"used.gif\" alt=\"\"><img src=\"sub/deep.gif\" alt=\"\">"));
    for (const char *name :
         { "used.gif", "unused.gif", "PROJECT.INI", "sub/deep.gif", "sub/other.gif" })
        write(dir.filePath(QString::fromLatin1(name)), "x");
    SiteCheck::Request request;
    request.projectDir = dir.path();
    request.pages = { QStringLiteral("a.htm") };
    request.markup = false;
    // As the orphan search: the files of the folder itself, never the settings file.
    QCOMPARE(lines(SiteCheck::run(request)),
             QStringList { "unused.gif: note: no page of the project uses this file [orphan]" });
}

void TestSiteCheck::progressCanStop()
{
    QTemporaryDir dir;
    SiteCheck::Request request;
    request.projectDir = dir.path();
    for (int i = 0; i < 5; ++i) {
        const QString name = QStringLiteral("p%1.htm").arg(i);
        write(dir.filePath(name), page("<a href=\"gone.htm\">x</a>"));
        request.pages << name;
    }
    request.markup = false;
    QList<qsizetype> seen;
    const QList<SiteFinding> found = SiteCheck::run(request, [&](qsizetype done, qsizetype total) {
        seen << done;
        return total == 5 && done < 2;
    });
    QCOMPARE(seen, QList<qsizetype>({ 0, 1, 2 }));
    QCOMPARE(found.size(), 2);
    QCOMPARE(SiteCheck::count(found, SiteFinding::Severity::Error), 2);
}

void TestSiteCheck::pageExtensions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extensions");
    QTest::addColumn<bool>("page");

    QTest::newRow("commas") << "a.htm"
                            << "html,htm" << true;
    QTest::newRow("masks and semicolons") << "a.htm"
                                          << "*.html; *.htm" << true;
    QTest::newRow("points and blanks") << "a.shtml"
                                       << ".shtml  htm" << true;
    QTest::newRow("any case") << "A.HTML"
                              << "html" << true;
    QTest::newRow("whole extension") << "a.html"
                                     << "htm" << false;
    QTest::newRow("no extension") << "README"
                                  << "html,htm" << false;
    QTest::newRow("nothing listed") << "a.htm"
                                    << " ,; " << false;
    QTest::newRow("folder with a point") << "v1.htm/a"
                                         << "htm" << false;
}

void TestSiteCheck::pageExtensions()
{
    QFETCH(QString, name);
    QFETCH(QString, extensions);
    QFETCH(bool, page);
    QCOMPARE(SiteCheck::hasPageExtension(name, extensions), page);
}

QTEST_GUILESS_MAIN(TestSiteCheck)
#include "tst_sitecheck.moc"
