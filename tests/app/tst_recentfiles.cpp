// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recentfiles.h"
#include "platform/filefilter.h"

#include <QTest>

using namespace Tarnwick;

class TestRecentFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setLastFiles_data();
    void setLastFiles();
    void longPathsStayWhole();
    void filter_data();
    void filter();
};

void TestRecentFiles::setLastFiles_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<bool>("changed");

    QTest::addRow("first into empty list")
        << QStringList { "", "", "", "" } << "/a" << QStringList { "/a", "", "", "" } << true;
    QTest::addRow("already first") << QStringList { "/a", "/b", "/c", "/d" } << "/a"
                                   << QStringList { "/a", "/b", "/c", "/d" } << false;
    QTest::addRow("second moves up") << QStringList { "/a", "/b", "/c", "/d" } << "/b"
                                     << QStringList { "/b", "/a", "/c", "/d" } << true;
    QTest::addRow("third moves to the top without duplicates")
        << QStringList { "/a", "/b", "/c", "/d" } << "/c" << QStringList { "/c", "/a", "/b", "/d" }
        << true;
    QTest::addRow("fourth moves to the top") << QStringList { "/a", "/b", "/c", "/d" } << "/d"
                                             << QStringList { "/d", "/a", "/b", "/c" } << true;
    QTest::addRow("fifth distinct drops the oldest")
        << QStringList { "/a", "/b", "/c", "/d" } << "/e" << QStringList { "/e", "/a", "/b", "/c" }
        << true;
    QTest::addRow("comparison is case-sensitive") << QStringList { "/a", "/B", "", "" } << "/b"
                                                  << QStringList { "/b", "/a", "/B", "" } << true;
    QTest::addRow("short list is padded")
        << QStringList { "/a" } << "/b" << QStringList { "/b", "/a", "", "" } << true;
}

void TestRecentFiles::setLastFiles()
{
    QFETCH(QStringList, before);
    QFETCH(QString, opened);
    QFETCH(QStringList, after);
    QFETCH(bool, changed);

    RecentFiles recent(before);
    QCOMPARE(recent.SetLastFiles(opened), changed);
    QCOMPARE(recent.entries(), after);
}

void TestRecentFiles::longPathsStayWhole()
{
    const QString longPath
        = QLatin1Char('/') + QString(150, QLatin1Char('x')) + QStringLiteral(".htm");
    RecentFiles recent;
    recent.SetLastFiles(longPath);
    QCOMPARE(recent.entries().first(), longPath);
}

void TestRecentFiles::filter_data()
{
    QTest::addColumn<QString>("extensions");
    QTest::addColumn<QString>("graphics");
    QTest::addColumn<QString>("expected");

    QTest::addRow("defaults") << "html,htm,shtm,shtml"
                              << "gif,jpg"
                              << "Web Documents|*.html;*.htm;*.shtm;*.shtml;|HTMLFiles|*.html|"
                                 "Graphics|*.gif;*.jpg;|Executable|*.exe|FrameSettings|*.set|"
                                 "JavaClass|*.class|All files|*.*";
    QTest::addRow("empty settings fall back") << ""
                                              << ""
                                              << "Web Documents|*.htm;*.html|HTMLFiles|*.html|"
                                                 "Graphics|*.gif;*.jpg|Executable|*.exe|"
                                                 "FrameSettings|*.set|JavaClass|*.class|"
                                                 "All files|*.*";
    QTest::addRow("blanks and points are dropped")
        << " htm , .php"
        << "png"
        << "Web Documents|*.htm;*.php;|HTMLFiles|*.html|Graphics|*.png;|Executable|*.exe|"
           "FrameSettings|*.set|JavaClass|*.class|All files|*.*";
}

void TestRecentFiles::filter()
{
    QFETCH(QString, extensions);
    QFETCH(QString, graphics);
    QFETCH(QString, expected);
    const QString built = FileFilter::build(extensions, graphics);
    QCOMPARE(built, expected);

    const QList<FileFilter::Entry> entries = FileFilter::parse(built);
    QCOMPARE(entries.size(), 7);
    QCOMPARE(entries.first().label, QStringLiteral("Web Documents"));
    QCOMPARE(entries.last().patterns, QStringList { QStringLiteral("*.*") });
}

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
