// SPDX-License-Identifier: GPL-3.0-or-later
#include "sitesearch/projectreplace.h"

#include "support/lockeddirectory.h"
#include "support/testenvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestProjectReplace final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void bytesOutsideTheMatchesStay_data();
    void bytesOutsideTheMatchesStay();
    void onlyTheChosenMatches();
    void fileChangedSinceTheSearchIsLeftAlone();
    void unwritableFileIsListed();
    void fileThatCannotBeWrittenIsListedOthersDone();
    void summary();
};

void TestProjectReplace::bytesOutsideTheMatchesStay_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("regex");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("answer"); // to the encoding question; -1: none asked
    QTest::addColumn<QByteArray>("after"); // empty: unchanged and failed

    QTest::newRow("utf-8, mark, mixed line ends")
        << QByteArray("\xEF\xBB\xBF<p>caf\xC3\xA9 2019</p>\r\n<p>2019</p>\n\r\nend 2019\r")
        << "2019" << false << "2026" << -1
        << QByteArray("\xEF\xBB\xBF<p>caf\xC3\xA9 2026</p>\r\n<p>2026</p>\n\r\nend 2026\r");
    QTest::newRow("1252, CR LF and bare CR")
        << QByteArray("<P>Caf\xE9 \xA9 2019</P>\r\n<P>2019</P>\r\r\n") << "2019" << false << "2026"
        << -1 << QByteArray("<P>Caf\xE9 \xA9 2026</P>\r\n<P>2026</P>\r\r\n");
    QTest::newRow("1252 gets a character it holds")
        << QByteArray("<p>Caf\xE9 (c) 2019</p>\r\n") << "(c)" << false
        << QString::fromUtf8("\xC2\xA9") << -1 << QByteArray("<p>Caf\xE9 \xA9 2019</p>\r\n");
    // A file of ASCII alone reads as UTF-8, and takes any character.
    QTest::newRow("ascii takes any character")
        << QByteArray("<p>Omega</p>\r\n") << "Omega" << false << QString::fromUtf8("\xCE\xA9") << -1
        << QByteArray("<p>\xCE\xA9</p>\r\n");
    QTest::newRow("1252 as character references")
        << QByteArray("<p>Caf\xE9 Euro</p>\r\n") << "Euro" << false
        << QString::fromUtf8("\xE2\x82\xAC \xCE\xA9") << int(Prompter::Answer::Yes)
        << QByteArray("<p>Caf\xE9 \x80 &#937;</p>\r\n");
    QTest::newRow("1252 saved as UTF-8")
        << QByteArray("<p>Caf\xE9 Omega</p>\r\n") << "Omega" << false
        << QString::fromUtf8("\xCE\xA9") << int(Prompter::Answer::No)
        << QByteArray("<p>Caf\xC3\xA9 \xCE\xA9</p>\r\n");
    QTest::newRow("1252 left alone")
        << QByteArray("<p>Caf\xE9 Omega</p>") << "Omega" << false << QString::fromUtf8("\xCE\xA9")
        << int(Prompter::Answer::Cancel) << QByteArray();
    QTest::newRow("match across a CR LF")
        << QByteArray("one\r\ntwo\r\nthree\n") << "one\\ntwo" << true << "1\\n2" << -1
        << QByteArray("1\r\n2\r\nthree\n");
    QTest::newRow("groups") << QByteArray("<FONT SIZE=2>a</FONT>\n<FONT SIZE=3>b</FONT>\n")
                            << "<FONT SIZE=(\\d)>" << true << "<span class=\"s\\1\">" << -1
                            << QByteArray(
                                   "<span class=\"s2\">a</FONT>\n<span class=\"s3\">b</FONT>\n");
}

void TestProjectReplace::bytesOutsideTheMatchesStay()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, find);
    QFETCH(bool, regex);
    QFETCH(QString, replacement);
    QFETCH(int, answer);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    TestEnvironment::writeFile(path, before);
    SearchQuery query { find, regex, true, false, replacement };
    const QRegularExpression expression = *query.compile();
    const SearchFile found = ProjectSearch::searchFile(path, expression, {});
    QVERIFY(!found.matches.isEmpty());
    int asked = 0;
    const ProjectReplace::Outcome outcome = ProjectReplace::replaceInFile(
        found, found.matches, expression, query, [&](const QString &, const QStringList &) {
            ++asked;
            return Prompter::Answer(answer);
        });
    QCOMPARE(asked, answer >= 0 ? 1 : 0);
    if (after.isEmpty()) {
        QVERIFY(!outcome.failed.isEmpty());
        QCOMPARE(contents(path), before);
    } else {
        QVERIFY2(outcome.failed.isEmpty(), qPrintable(outcome.failed));
        QCOMPARE(outcome.replaced, found.matches.size());
        QCOMPARE(contents(path), after);
    }
}

void TestProjectReplace::onlyTheChosenMatches()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    TestEnvironment::writeFile(path, "a x b x c x\n");
    SearchQuery query { QStringLiteral("x"), false, true, false, QStringLiteral("YY") };
    const QRegularExpression expression = *query.compile();
    const SearchFile found = ProjectSearch::searchFile(path, expression, {});
    QCOMPARE(found.matches.size(), 3);
    const ProjectReplace::Outcome outcome = ProjectReplace::replaceInFile(
        found, { found.matches.at(2), found.matches.at(0) }, expression, query, {});
    QCOMPARE(outcome.replaced, 2);
    QCOMPARE(contents(path), QByteArray("a YY b x c YY\n"));
    // In an editor's text the same way.
    QCOMPARE(ProjectReplace::replaced(QStringLiteral("a x b x c x"), { found.matches.at(1) },
                                      expression, query),
             QStringLiteral("a x b YY c x"));
}

void TestProjectReplace::fileChangedSinceTheSearchIsLeftAlone()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    TestEnvironment::writeFile(path, "old\n");
    SearchQuery query { QStringLiteral("old"), false, true, false, QStringLiteral("new") };
    const QRegularExpression expression = *query.compile();
    const SearchFile found = ProjectSearch::searchFile(path, expression, {});
    TestEnvironment::writeFile(path, "old, edited elsewhere\n");
    const ProjectReplace::Outcome outcome
        = ProjectReplace::replaceInFile(found, found.matches, expression, query, {});
    QCOMPARE(outcome.failed, ProjectReplace::changedSinceSearch());
    QCOMPARE(contents(path), QByteArray("old, edited elsewhere\n"));
}

void TestProjectReplace::unwritableFileIsListed()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gone/page.htm"));
    SearchFile found;
    found.path = path;
    SearchQuery query { QStringLiteral("x"), false, true, false, QStringLiteral("y") };
    const ProjectReplace::Outcome outcome
        = ProjectReplace::replaceInFile(found, {}, *query.compile(), query, {});
    QVERIFY(!outcome.failed.isEmpty());
    QCOMPARE(outcome.replaced, 0);
}

void TestProjectReplace::fileThatCannotBeWrittenIsListedOthersDone()
{
    QTemporaryDir dir;
    const QString locked = dir.filePath(QStringLiteral("locked/page.htm"));
    const QString free = dir.filePath(QStringLiteral("free/page.htm"));
    TestEnvironment::writeFile(locked, "old\n");
    TestEnvironment::writeFile(free, "old\n");
    SearchQuery query { QStringLiteral("old"), false, true, false, QStringLiteral("new") };
    const QRegularExpression expression = *query.compile();
    const SearchFile lockedFound = ProjectSearch::searchFile(locked, expression, {});
    const SearchFile freeFound = ProjectSearch::searchFile(free, expression, {});
    LockedDirectory lock(dir.filePath(QStringLiteral("locked")));
    if (!lock.locked())
        QSKIP("this file system lets every write through");
    const QList<ProjectReplace::Outcome> outcomes {
        ProjectReplace::replaceInFile(lockedFound, lockedFound.matches, expression, query, {}),
        ProjectReplace::replaceInFile(freeFound, freeFound.matches, expression, query, {})
    };
    QVERIFY(!outcomes.at(0).failed.isEmpty());
    QCOMPARE(contents(locked), QByteArray("old\n"));
    QCOMPARE(contents(free), QByteArray("new\n"));
    QVERIFY(ProjectReplace::summary(outcomes).startsWith(
        QStringLiteral("1 replacement in 1 file.\nNot changed:\n") + locked
        + QStringLiteral(": ")));
}

void TestProjectReplace::summary()
{
    QCOMPARE(ProjectReplace::summary(
                 { { "/a.htm", 3, {} }, { "/b.htm", 1, {} }, { "/c.htm", 0, "changed" } }),
             QStringLiteral("4 replacements in 2 files.\nNot changed:\n/c.htm: changed"));
    QCOMPARE(ProjectReplace::summary({ { "/a.htm", 1, {} } }),
             QStringLiteral("1 replacement in 1 file."));
}

QTEST_GUILESS_MAIN(TestProjectReplace)
#include "tst_projectreplace.moc"
