// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/pagedetails.h"
#include "preview/pagereferences.h"

#include "support/testenvironment.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

// The detail lines of references, without progress lines, title and summary.
QStringList referenceLines(const PageDetailsReport &report)
{
    QStringList lines;
    for (qsizetype i = 0; i < report.WebDetails.size(); ++i) {
        if (report.detailPositions.at(i).first > 0)
            lines.append(report.WebDetails.at(i));
    }
    return lines;
}

} // namespace

class TestPageDetails final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void noReferences();
    void evaluate_data();
    void evaluate();
    void detailPositions();
    void broken_data();
    void broken();
    void localPath_data();
    void localPath();
    void binaryTextCrashesNothing();
};

void TestPageDetails::noReferences()
{
    const PageDetailsReport report = PageDetails::Evaluate(
        u"<html><head><title>Home</title></head>\n<body>Hi <b>there</b></body></html>",
        QStringLiteral("/nowhere"));
    QCOMPARE(report.WebDetails,
             QStringList({ "Searching for Title...", "Home", "Searching for image items...",
                           "Searching for link references...", "Searching for page markers...", "",
                           "Page contains 0 SRC references totalling 0 bytes." }));
    QCOMPARE(report.caption(), QStringLiteral("Web details for: <Home>"));
    QCOMPARE(report.totalBytes, 0);
    for (const QStringList *list :
         { &report.FilesFound, &report.FilesMissing, &report.Links, &report.LocatedLinks,
           &report.PageMarkers, &report.MissingPages })
        QVERIFY(list->isEmpty());
}

void TestPageDetails::evaluate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("files"); // "path:size" below the page's directory
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QStringList>("located");
    QTest::addColumn<QStringList>("markers");
    QTest::addColumn<QStringList>("missingMarkers");
    QTest::addColumn<QStringList>("details");
    QTest::addColumn<qint64>("total");

    const QStringList none;
    QTest::addRow("picture present")
        << "<body>\n<img src=\"pics/a.gif\">" << QStringList { "pics/a.gif:120" }
        << QStringList { "pics/a.gif" } << none << none << none << none << none
        << QStringList { "2:5: pics/a.gif Size=120 bytes." } << qint64(120);
    QTest::addRow("picture absent")
        << "<body>\n<img src=\"pics/a.gif\">" << none << none << QStringList { "pics/a.gif" }
        << none << none << none << none
        << QStringList { "2:5: pics/a.gif(Did not locate.) Size=-1 bytes." } << qint64(0);
    // The total is what the page's files weigh: a file used twice is one file.
    QTest::addRow("picture used twice counts once, listed once")
        << "<img src=\"a.gif\">\n<img src=\"a.gif\">" << QStringList { "a.gif:100" }
        << QStringList { "a.gif" } << none << none << none << none << none
        << QStringList { "1:5: a.gif Size=100 bytes.", "2:5: a.gif Size=100 bytes." }
        << qint64(100);
    QTest::addRow("one file as picture and background counts once")
        << "<body background=\"a.gif\">\n<img src=\"a.gif\"><img src=\"b.gif\">"
        << QStringList { "a.gif:100", "b.gif:7" } << QStringList { "a.gif", "b.gif" } << none
        << none << none << none << none
        << QStringList { "1:6: a.gif(Background Image) Size=100 bytes.",
                         "2:5: a.gif Size=100 bytes.", "2:22: b.gif Size=7 bytes." }
        << qint64(107);
    QTest::addRow("backgrounds on two lines")
        << "<body background=\"bg.gif\">\n<table background='tile.gif'>"
        << QStringList { "bg.gif:10" } << QStringList { "bg.gif" } << QStringList { "tile.gif" }
        << none << none << none << none
        << QStringList { "1:6: bg.gif(Background Image) Size=10 bytes.",
                         "2:7: tile.gif(Did not locate.)(Background Image) Size=-1 bytes." }
        << qint64(10);
    QTest::addRow("#top without anchor, #end never linked")
        << "<a href=\"#top\">Up</a>\n<a name=\"end\"></a>" << none << none << none
        << QStringList { "#top" } << none << QStringList { "end" } << QStringList { "#end", "top" }
        << QStringList { "1:3: #top(Did not locate.)", "2:3: end(Did not locate.)" } << qint64(0);
    QTest::addRow("anchor and its link")
        << "<a name=\"top\"></a>\n<a href=\"#top\">Up</a>" << none << none << none
        << QStringList { "#top" } << none << QStringList { "top" } << none
        << QStringList { "2:3: #top", "1:3: top" } << qint64(0);
    QTest::addRow("an id is a link target, not a marker")
        << "<a href=\"#sec\">Go</a><h2 id=\"sec\">Sec</h2>" << none << none << none
        << QStringList { "#sec" } << none << none << none << QStringList { "1:3: #sec" }
        << qint64(0);
    QTest::addRow("unquoted link")
        << "<a href=page.htm>Page</a> <a href=other.htm >x</a>" << QStringList { "page.htm:1" }
        << none << none << QStringList { "other.htm", "page.htm" } << QStringList { "page.htm" }
        << none << none << QStringList { "1:3: page.htm", "1:29: other.htm(Did not locate.)" }
        << qint64(0);
    QTest::addRow("upper case, single quotes, no quotes")
        << "<IMG SRC='A.GIF'><Img Src=b.gif>" << QStringList { "A.GIF:5", "b.gif:7" }
        << QStringList { "A.GIF", "b.gif" } << none << none << none << none << none
        << QStringList { "1:5: A.GIF Size=5 bytes.", "1:22: b.gif Size=7 bytes." } << qint64(12);
    QTest::addRow("names as the file system has them")
        << "<img src=\"Logo.gif\">" << QStringList { "logo.gif:5" } << none
        << QStringList { "Logo.gif" } << none << none << none << none
        << QStringList { "1:5: Logo.gif(Did not locate.) Size=-1 bytes." } << qint64(0);
    QTest::addRow("a tag over three lines")
        << "<p>\n<img\n  alt=\"x\"\n  src=\"a.gif\">" << none << none << QStringList { "a.gif" }
        << none << none << none << none
        << QStringList { "4:2: a.gif(Did not locate.) Size=-1 bytes." } << qint64(0);
    QTest::addRow("data-src is not src")
        << "<img data-src=\"a.gif\" src=\"b.gif\">" << QStringList { "a.gif:1" } << none
        << QStringList { "b.gif" } << none << none << none << none
        << QStringList { "1:22: b.gif(Did not locate.) Size=-1 bytes." } << qint64(0);
    QTest::addRow("page.htm#sec, the page without that anchor")
        << "<a href=\"page.htm#sec\">x</a>" << QStringList { "page.htm:3" } << none << none
        << QStringList { "page.htm#sec" } << none << none << none
        << QStringList { "1:3: page.htm#sec(Did not locate.)" } << qint64(0);
    QTest::addRow("my%%20pic.gif located")
        << "<img src=\"my%20pic.gif\">" << QStringList { "my pic.gif:3" }
        << QStringList { "my%20pic.gif" } << none << none << none << none << none
        << QStringList { "1:5: my%20pic.gif Size=3 bytes." } << qint64(3);
    QTest::addRow("&amp; and a query")
        << "<a href=\"list.htm?a=1&amp;b=2\">x</a><img src=\"a&amp;b.gif\">"
        << QStringList { "list.htm:1", "a&b.gif:4" } << QStringList { "a&amp;b.gif" } << none
        << QStringList { "list.htm?a=1&amp;b=2" } << QStringList { "list.htm?a=1&amp;b=2" } << none
        << none << QStringList { "1:41: a&amp;b.gif Size=4 bytes.", "1:3: list.htm?a=1&amp;b=2" }
        << qint64(4);
    QTest::addRow("a leading / stays below the page's directory")
        << "<img src=\"/pics/a.gif\">" << QStringList { "pics/a.gif:2" }
        << QStringList { "/pics/a.gif" } << none << none << none << none << none
        << QStringList { "1:5: /pics/a.gif Size=2 bytes." } << qint64(2);
    QTest::addRow("files above the page's folder are located and counted")
        << "<img src=\"../outside.gif\">\n<body background=\"../pics/../bg.gif\">"
           "<a href=\"../index.htm\">up</a>"
        << QStringList { "../outside.gif:2", "../bg.gif:5", "../index.htm:1" }
        << QStringList { "../outside.gif", "../pics/../bg.gif" } << none
        << QStringList { "../index.htm" } << QStringList { "../index.htm" } << none << none
        << QStringList { "2:6: ../pics/../bg.gif(Background Image) Size=5 bytes.",
                         "1:5: ../outside.gif Size=2 bytes.", "2:40: ../index.htm" }
        << qint64(7);
    QTest::addRow("missing above the page's folder")
        << "<img src=\"../../gone.gif\"><a href=\"../gone.htm\">x</a><img src=\"..\">" << none
        << none << QStringList { "..", "../../gone.gif" } << QStringList { "../gone.htm" } << none
        << none << none
        << QStringList { "1:5: ../../gone.gif(Did not locate.) Size=-1 bytes.",
                         "1:58: ..(Did not locate.) Size=-1 bytes.",
                         "1:29: ../gone.htm(Did not locate.)" }
        << qint64(0);
    QTest::addRow("words outside tags are no references")
        << "src=\"a.gif\" and <p>background=\"b.gif\" <a href>x</a>" << none << none << none << none
        << none << none << none << QStringList { "1: Appears to be a link without quotes" }
        << qint64(0);
    QTest::addRow("style sheets and image map areas are links")
        << "<link rel=stylesheet href=\"style.css\"><area href=\"map.htm\">"
        << QStringList { "style.css:1" } << none << none << QStringList { "map.htm", "style.css" }
        << QStringList { "style.css" } << none << none
        << QStringList { "1:21: style.css", "1:44: map.htm(Did not locate.)" } << qint64(0);
    QTest::addRow("empty values") << "<a href=\"\">x</a>\n<a name=>y</a><img src=''>" << none
                                  << none << none << none << none << none << none
                                  << QStringList { "1: Appears to be a link without quotes",
                                                   "2: Appears to be a name without quotes" }
                                  << qint64(0);
    QTest::addRow("mail address") << "<a HREF=\"mailto:me@example.com\">me</a>" << none << none
                                  << none << QStringList { "mailto:me@example.com" } << none << none
                                  << none << QStringList { "1:3: mailto:me@example.com" }
                                  << qint64(0);
}

void TestPageDetails::evaluate()
{
    QFETCH(QString, text);
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("site"));
    QDir().mkpath(site);
    for (const QString &file : files) {
        const QString path = file.section(QLatin1Char(':'), 0, 0);
        const int size = file.section(QLatin1Char(':'), 1).toInt();
        QVERIFY(TestEnvironment::writeFile(site + QLatin1Char('/') + path, QByteArray(size, 'x')));
    }

    const PageDetailsReport report = PageDetails::Evaluate(text, site);
    QTEST(report.FilesFound, "found");
    QTEST(report.FilesMissing, "missing");
    QTEST(report.Links, "links");
    QTEST(report.LocatedLinks, "located");
    QTEST(report.PageMarkers, "markers");
    QTEST(report.MissingPages, "missingMarkers");
    QTEST(referenceLines(report), "details");
    QTEST(report.totalBytes, "total");
    QFETCH(QStringList, found);
    QCOMPARE(report.WebDetails.constLast(), PageDetails::summary(found.size(), report.totalBytes));
    for (const QString &entry : report.FilesFound + report.LocatedLinks)
        QVERIFY2(QFileInfo(report.locatedPaths.value(entry)).isFile(), qPrintable(entry));
    // Nothing is both located and broken.
    for (const QString &entry : report.Broken)
        QVERIFY2(!report.LocatedLinks.contains(entry), qPrintable(entry));
}

// A double click goes to the attribute's own line and column.
void TestPageDetails::detailPositions()
{
    QString text;
    for (int line = 1; line < 12; ++line)
        text += QStringLiteral("line\n");
    text += QStringLiteral("<a  href=\"x.htm\">x</a>\n<img\n src=b.gif>");
    const PageDetailsReport report = PageDetails::Evaluate(text, QStringLiteral("/nowhere"));
    const qsizetype link
        = report.WebDetails.indexOf(QStringLiteral("12:4: x.htm(Did not locate.)"));
    QVERIFY(link > 0);
    QCOMPARE(report.detailPositions.at(link), std::make_pair(12, 4));
    const qsizetype image
        = report.WebDetails.indexOf(QStringLiteral("14:1: b.gif(Did not locate.) Size=-1 bytes."));
    QVERIFY(image > 0);
    QCOMPARE(report.detailPositions.at(image), std::make_pair(14, 1));
    QCOMPARE(report.detailPositions.constFirst(), std::make_pair(0, 0));
}

void TestPageDetails::broken_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("broken");
    QTest::addColumn<bool>("located"); // listed under Located
    QTest::addColumn<bool>("told"); // its detail line says "(Did not locate.)"

    QTest::addRow("missing page") << "gone.htm" << true << false << true;
    QTest::addRow("existing page") << "about.htm" << false << true << false;
    QTest::addRow("anchor named in the other page") << "about.htm#team" << false << true << false;
    QTest::addRow("id in the other page") << "about.htm#staff" << false << true << false;
    QTest::addRow("escaped anchor name") << "about.htm#sec%20one" << false << true << false;
    QTest::addRow("anchor the other page lacks") << "about.htm#prices" << true << false << true;
    QTest::addRow("anchor names match case") << "about.htm#Team" << true << false << true;
    QTest::addRow("missing page with anchor") << "gone.htm#team" << true << false << true;
    QTest::addRow("part of a document that is no page")
        << "manual.pdf#page=2" << false << true << false;
    // Not checked at all: neither located nor missing.
    QTest::addRow("web address") << "http://example.com/gone.htm" << false << false << false;
    QTest::addRow("address without scheme name")
        << "//example.com/gone.htm" << false << false << false;
    QTest::addRow("mail address") << "mailto:me@example.com" << false << false << false;
    QTest::addRow("marker of this page") << "#nowhere" << false << false << true;
    QTest::addRow("drive letter is no scheme") << "C:/site/gone.htm" << true << false << true;
}

void TestPageDetails::broken()
{
    QFETCH(QString, link);
    QFETCH(bool, broken);
    QFETCH(bool, located);
    QFETCH(bool, told);
    QTemporaryDir dir;
    QVERIFY(TestEnvironment::writeFile(
        dir.filePath("about.htm"),
        "<a NAME=team></a><h2 id='staff'>Staff</h2><a name=\"sec one\"></a>"));
    QVERIFY(TestEnvironment::writeFile(dir.filePath("manual.pdf"), "%PDF-1.4"));
    const PageDetailsReport report
        = PageDetails::Evaluate(QStringLiteral("<a href=\"%1\">x</a>").arg(link), dir.path());
    QCOMPARE(report.Broken, broken ? QStringList { link } : QStringList());
    QCOMPARE(report.LocatedLinks, located ? QStringList { link } : QStringList());
    QCOMPARE(report.WebDetails.contains(QString("1:3: " + link + PageDetails::notLocated())), told);
    QCOMPARE(report.WebDetails.contains(QString("1:3: " + link)), !told);
}

void TestPageDetails::localPath_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("path"); // below /site/web; empty for none
    QTest::addColumn<QString>("disk"); // anywhere on the disk; empty for none

    const QString same = QStringLiteral("same");
    QTest::addRow("plain") << "pics/a.gif"
                           << "/site/web/pics/a.gif" << same;
    QTest::addRow("dot segment") << "./logo.gif"
                                 << "/site/web/logo.gif" << same;
    QTest::addRow("anchor cut") << "page.htm#sec"
                                << "/site/web/page.htm" << same;
    QTest::addRow("query cut") << "form.htm?x=#y"
                               << "/site/web/form.htm" << same;
    QTest::addRow("escapes decoded") << "my%20pic.gif"
                                     << "/site/web/my pic.gif" << same;
    QTest::addRow("escaped # is a name") << "a%23b.gif"
                                         << "/site/web/a#b.gif" << same;
    QTest::addRow("&amp; decoded") << "a&amp;b.gif"
                                   << "/site/web/a&b.gif" << same;
    QTest::addRow("backslashes") << "pics\\a.gif"
                                 << "/site/web/pics/a.gif" << same;
    QTest::addRow("leading slash") << "//pics/a.gif"
                                   << "/site/web/pics/a.gif" << same;
    QTest::addRow("down and up again") << "pics/../a.gif"
                                       << "/site/web/a.gif" << same;
    QTest::addRow("climbing out") << "../a.gif"
                                  << ""
                                  << "/site/a.gif";
    QTest::addRow("climbing out and in again") << "../web/a.gif"
                                               << ""
                                               << "/site/web/a.gif";
    QTest::addRow("climbing out after a leading slash") << "/../../etc/passwd"
                                                        << ""
                                                        << "/etc/passwd";
    QTest::addRow("climbing past the root") << "../../../a.gif"
                                            << ""
                                            << "/a.gif";
    QTest::addRow("only climbing") << "../.."
                                   << ""
                                   << "";
    QTest::addRow("only an anchor") << "#top"
                                    << "" << same;
    QTest::addRow("NUL character") << "a%00b.gif"
                                   << "" << same;
    QTest::addRow("empty") << ""
                           << "" << same;
}

void TestPageDetails::localPath()
{
    QFETCH(QString, value);
    QFETCH(QString, path);
    QFETCH(QString, disk);
    const QString directory = QStringLiteral("/site/web");
    QCOMPARE(PageDetails::localPath(value, directory).value_or(QString()), path);
    QCOMPARE(PageDetails::diskPath(value, directory).value_or(QString()),
             disk == QStringLiteral("same") ? path : disk);
}

// Whatever a file holds, reading its references ends and reports lines in range.
void TestPageDetails::binaryTextCrashesNothing()
{
    QRandomGenerator random(13);
    const char16_t pieces[] = { u'<', u'>', u'"', u'\'', u'=', u'\n', u' ', u'a', u'\0', 0xFFFF };
    QString text;
    for (int i = 0; i < 200000; ++i)
        text += QChar(random.bounded(4) == 0 ? pieces[random.bounded(int(std::size(pieces)))]
                                             : char16_t(random.bounded(0x10000)));
    text += QStringLiteral("\n<img src=\"unclosed");
    const PageDetailsReport report = PageDetails::Evaluate(text, QStringLiteral("/nowhere"));
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;
    for (const auto &[line, column] : report.detailPositions)
        QVERIFY(line >= 0 && line <= lines && column >= 0);
    QCOMPARE(report.WebDetails.size(), report.detailPositions.size());
    QCOMPARE(PageReferences::parse(text).constLast().value, QStringLiteral("unclosed"));
}

QTEST_GUILESS_MAIN(TestPageDetails)
#include "tst_pagedetails.moc"
