// SPDX-License-Identifier: GPL-3.0-or-later
#include "sitesearch/projectsearch.h"
#include "sitesearch/searchquery.h"

#include "support/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

// "line:column [length] line text" for each match.
QStringList shown(const QList<SearchMatch> &matches)
{
    QStringList out;
    for (const SearchMatch &m : matches)
        out << QStringLiteral("%1:%2 [%3] %4")
                   .arg(m.line)
                   .arg(m.column)
                   .arg(m.length)
                   .arg(m.lineText);
    return out;
}

} // namespace

class TestProjectSearch final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void compile_data();
    void compile();
    void matches_data();
    void matches();
    void longLineIsShownAroundTheMatch();
    void replacementText_data();
    void replacementText();
    void filesOfEachScope();
    void filesSkippedAndListed();
    void openPageIsSearchedInItsTab();
    void quickLookLosesNoMatch_data();
    void quickLookLosesNoMatch();
};

void TestProjectSearch::compile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<QString>("error"); // empty: compiles
    QTest::addColumn<bool>("empty"); // matches the empty string

    QTest::newRow("plain with specials") << "a.b(c)*" << false << "" << false;
    QTest::newRow("regex") << "h[1-6]" << true << "" << false;
    QTest::newRow("broken regex")
        << "(abc" << true
        << "The regular expression does not work: missing closing parenthesis, at character 5."
        << false;
    QTest::newRow("nothing to find") << "" << false << "Type the text to find." << false;
    QTest::newRow("star") << "x*" << true << "" << true;
    QTest::newRow("alternative with nothing") << "a|" << true << "" << true;
    QTest::newRow("anchor") << "^" << true << "" << true;
    QTest::newRow("word boundary") << "\\b" << true << "" << true;
}

void TestProjectSearch::compile()
{
    QFETCH(QString, text);
    QFETCH(bool, regex);
    QFETCH(QString, error);
    QFETCH(bool, empty);
    SearchQuery query;
    query.text = text;
    query.regularExpression = regex;
    const Expected<QRegularExpression> compiled = query.compile();
    QCOMPARE(compiled ? QString() : compiled.error(), error);
    if (compiled)
        QCOMPARE(SearchQuery::matchesEmpty(*compiled), empty);
}

void TestProjectSearch::matches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWords");
    QTest::addColumn<QStringList>("expected");

    const QString page
        = QStringLiteral("<p>Footer &copy; 2019</p>\n<P>footer</P> footers\n\tFooter");
    QTest::newRow("any case") << page << "footer" << false << false << false
                              << QStringList { "1:4 [6] <p>Footer &copy; 2019</p>",
                                               "2:4 [6] <P>footer</P> footers",
                                               "2:15 [6] <P>footer</P> footers",
                                               "3:2 [6] \tFooter" };
    QTest::newRow("match case") << page << "Footer" << false << true << false
                                << QStringList { "1:4 [6] <p>Footer &copy; 2019</p>",
                                                 "3:2 [6] \tFooter" };
    QTest::newRow("whole words") << page << "footer" << false << false << true
                                 << QStringList { "1:4 [6] <p>Footer &copy; 2019</p>",
                                                  "2:4 [6] <P>footer</P> footers",
                                                  "3:2 [6] \tFooter" };
    QTest::newRow("regex with groups")
        << page << "<(p|P)>" << true << true << false
        << QStringList { "1:1 [3] <p>Footer &copy; 2019</p>", "2:1 [3] <P>footer</P> footers" };
    QTest::newRow("plain text is not a pattern")
        << QStringLiteral("a.c abc") << "a.c" << false << false << false
        << QStringList { "1:1 [3] a.c abc" };
    QTest::newRow("across a line break") << QStringLiteral("one\ntwo") << "e\\nt" << true << false
                                         << false << QStringList { "1:3 [3] one" };
    QTest::newRow("non-ASCII words") << QStringLiteral("café cafés") << "café" << false << false
                                     << true << QStringList { "1:1 [4] café cafés" };
}

void TestProjectSearch::matches()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(bool, regex);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWords);
    QFETCH(QStringList, expected);
    SearchQuery query { find, regex, matchCase, wholeWords, {} };
    const Expected<QRegularExpression> compiled = query.compile();
    QVERIFY(compiled);
    QCOMPARE(shown(ProjectSearch::matchesIn(text, *compiled)), expected);
}

void TestProjectSearch::longLineIsShownAroundTheMatch()
{
    const QString line = QString(5000, QLatin1Char('a')) + QStringLiteral("NEEDLE")
        + QString(5000, QLatin1Char('b'));
    SearchQuery query { QStringLiteral("needle"), false, false, false, {} };
    const QList<SearchMatch> found = ProjectSearch::matchesIn(line, *query.compile());
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().column, 5001);
    QVERIFY(found.first().lineText.size() <= ProjectSearch::MaxLineText + 6);
    QVERIFY(found.first().lineText.contains(QStringLiteral("NEEDLE")));
    QVERIFY(found.first().lineText.startsWith(QStringLiteral("...")));
}

void TestProjectSearch::replacementText_data()
{
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain keeps backslashes") << "2019" << false << "\\1 2026"
                                             << "\\1 2026";
    QTest::newRow("groups") << "(\\d+)-(\\d+)" << true << "\\2-\\1 (\\0)"
                            << "2026-2019 (2019-2026)";
    QTest::newRow("escaped backslash") << "\\d+" << true << "a\\\\b"
                                       << "a\\b";
    QTest::newRow("line break and tab") << "\\d+" << true << "x\\ny\\tz"
                                        << "x\ny\tz";
    QTest::newRow("missing group is empty") << "\\d+" << true << "[\\5]"
                                            << "[]";
    QTest::newRow("trailing backslash") << "\\d+" << true << "a\\"
                                        << "a\\";
}

void TestProjectSearch::replacementText()
{
    QFETCH(QString, find);
    QFETCH(bool, regex);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    SearchQuery query { find, regex, false, false, replacement };
    const QRegularExpression expression = *query.compile();
    const QRegularExpressionMatch m = expression.match(QStringLiteral("2019-2026"));
    QVERIFY(m.hasMatch());
    QCOMPARE(query.replacementFor(m), expected);
}

void TestProjectSearch::filesOfEachScope()
{
    QTemporaryDir dir;
    for (const char *name : { "a.htm", "b.html", "sub/c.htm", "sub/d.css", "e.txt" })
        TestEnvironment::writeFile(dir.filePath(QString::fromLatin1(name)), "x");
    QVERIFY(QFile::link(dir.path(), dir.filePath(QStringLiteral("sub/loop"))));
    ProjectSearch::Request request;
    request.projectDir = dir.path();
    request.pages
        = { QStringLiteral("b.html"), QStringLiteral("a.htm"), QStringLiteral("./a.htm") };
    request.openTexts.insert(dir.filePath(QStringLiteral("e.txt")), QStringLiteral("x"));
    const QString root = QDir::cleanPath(dir.path()) + QLatin1Char('/');
    QCOMPARE(ProjectSearch::filesOf(request), QStringList({ root + "a.htm", root + "b.html" }));
    request.scope = ProjectSearch::Scope::FolderFiles;
    QCOMPARE(ProjectSearch::filesOf(request),
             QStringList({ root + "a.htm", root + "b.html", root + "sub/c.htm" }));
    // Masks ignore letter case.
    request.mask = QStringLiteral("*.css, *.TXT");
    QCOMPARE(ProjectSearch::filesOf(request), QStringList({ root + "e.txt", root + "sub/d.css" }));
    request.scope = ProjectSearch::Scope::OpenPages;
    QCOMPARE(ProjectSearch::filesOf(request), QStringList({ root + "e.txt" }));
}

void TestProjectSearch::filesSkippedAndListed()
{
    QTemporaryDir dir;
    QByteArray binary("<p>x</p>");
    binary.append(QByteArray(100, '\0'));
    TestEnvironment::writeFile(dir.filePath(QStringLiteral("binary.htm")), binary);
    {
        QFile huge(dir.filePath(QStringLiteral("huge.htm")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(50LL * 1024 * 1024));
    }
    const QRegularExpression x(QStringLiteral("x"));
    QCOMPARE(ProjectSearch::searchFile(dir.filePath(QStringLiteral("binary.htm")), x, {}).skipped,
             QStringLiteral("not text"));
    QCOMPARE(ProjectSearch::searchFile(dir.filePath(QStringLiteral("huge.htm")), x, {}).skipped,
             QStringLiteral("larger than 16 MB"));
    QCOMPARE(ProjectSearch::searchFile(dir.filePath(QStringLiteral("gone.htm")), x, {}).skipped,
             QStringLiteral("not found"));
}

void TestProjectSearch::openPageIsSearchedInItsTab()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.htm"));
    TestEnvironment::writeFile(path, "<p>old\r\nold</p>");
    const QRegularExpression old(QStringLiteral("old"));
    const SearchFile onDisk = ProjectSearch::searchFile(path, old, {});
    QCOMPARE(shown(onDisk.matches), QStringList({ "1:4 [3] <p>old", "2:1 [3] old</p>" }));
    QVERIFY(!onDisk.open);
    const SearchFile inTab
        = ProjectSearch::searchFile(path, old, { { path, QStringLiteral("new old") } });
    QVERIFY(inTab.open);
    QCOMPARE(shown(inTab.matches), QStringList({ "1:5 [3] new old" }));
    QCOMPARE(inTab.digest, ProjectSearch::digestOfText(QStringLiteral("new old")));
}

// The look at a file's bytes before it is decoded rules out only files
// without a match, in either encoding, any case and any case folding.
void TestProjectSearch::quickLookLosesNoMatch_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<int>("matches");
    QTest::addColumn<bool>("ruledOut"); // the bytes alone tell there is none

    QTest::newRow("plain, found") << QByteArray("<p>Copyright 2019</p>") << "copyright" << false
                                  << false << 1 << false;
    QTest::newRow("plain, absent")
        << QByteArray("<p>nothing</p>") << "copyright" << false << false << 0 << true;
    QTest::newRow("case told apart")
        << QByteArray("<p>COPYRIGHT</p>") << "copyright" << true << false << 0 << true;
    QTest::newRow("1252 page") << QByteArray("<p>Caf\xe9 Copyright</p>") << "COPYRIGHT" << false
                               << false << 1 << false;
    QTest::newRow("Kelvin sign folds to k")
        << QByteArray("<p>50 \xe2\x84\xaa</p>") << "k" << false << false << 1 << false;
    QTest::newRow("long s folds to s")
        << QByteArray("<p>\xc5\xbftar</p>") << "star" << false << false << 1 << false;
    QTest::newRow("k in ASCII only")
        << QByteArray("<p>none</p>") << "k" << false << false << 0 << true;
    QTest::newRow("non-ASCII needle: no quick look")
        << QByteArray("<p>Caf\xe9</p>") << QString::fromUtf8("caf\xc3\xa9") << false << false << 1
        << false;
    QTest::newRow("regex: no quick look")
        << QByteArray("<p>h2</p>") << "h[1-6]" << false << true << 1 << false;
}

void TestProjectSearch::quickLookLosesNoMatch()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, find);
    QFETCH(bool, matchCase);
    QFETCH(bool, regex);
    QFETCH(int, matches);
    QFETCH(bool, ruledOut);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.htm"));
    TestEnvironment::writeFile(path, bytes);
    const SearchQuery query { find, regex, matchCase, false, {} };
    const ProjectSearch::Prefilter prefilter = ProjectSearch::Prefilter::of(query);
    QCOMPARE(!prefilter.mayMatch(bytes), ruledOut);
    const QRegularExpression expression = *query.compile();
    QCOMPARE(ProjectSearch::searchFile(path, expression, {}, prefilter).matches.size(), matches);
    QCOMPARE(ProjectSearch::searchFile(path, expression, {}).matches.size(), matches);
}

QTEST_GUILESS_MAIN(TestProjectSearch)
#include "tst_projectsearch.moc"
