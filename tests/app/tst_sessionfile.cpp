// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessionfile.h"
#include "testenvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestSessionFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void parse_data();
    void parse();
    void namesSurviveWritingAndReading_data();
    void namesSurviveWritingAndReading();
    void writtenReadAndRemoved();
    void oneRunningProgramKeepsTheSession();
};

void TestSessionFile::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QStringList>("pages");

    QTest::addRow("no page open") << QByteArray("Tarnwick session 1\n") << true << QStringList();
    QTest::addRow("pages in tab order")
        << QByteArray("Tarnwick session 1\n/site/b.htm\n/site/a.htm\n") << true
        << QStringList { "/site/b.htm", "/site/a.htm" };
    QTest::addRow("windows line ends and no final line end")
        << QByteArray("Tarnwick session 1\r\n/site/a.htm\r\n/site/b.htm") << true
        << QStringList { "/site/a.htm", "/site/b.htm" };
    QTest::addRow("relative names, resources and blank lines are skipped")
        << QByteArray("Tarnwick session 1\n\nsite/a.htm\n:/x.htm\n  \n/site/a.htm\n") << true
        << QStringList { "/site/a.htm" };
    QTest::addRow("a page listed twice counts once")
        << QByteArray("Tarnwick session 1\n/a.htm\n/b.htm\n/a.htm\n") << true
        << QStringList { "/a.htm", "/b.htm" };
    QTest::addRow("encoded line break and percent sign")
        << QByteArray("Tarnwick session 1\n/odd%0Aname%25.htm\n") << true
        << QStringList { "/odd\nname%.htm" };
    QTest::addRow("utf-8 names") << QByteArray(
        "Tarnwick session 1\n/caf\xC3\xA9/\xE2\x82\xAC.htm\n")
                                 << true << QStringList { QString::fromUtf8("/café/€.htm") };
    QTest::addRow("encoded nul is no name")
        << QByteArray("Tarnwick session 1\n/a%00b.htm\n") << true << QStringList();
    QTest::addRow("empty file") << QByteArray() << false << QStringList();
    QTest::addRow("another file format")
        << QByteArray("[Session]\n/site/a.htm\n") << false << QStringList();
    QTest::addRow("a later version")
        << QByteArray("Tarnwick session 2\n/site/a.htm\n") << false << QStringList();
}

void TestSessionFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QFETCH(QStringList, pages);
    const Expected<QStringList> read = SessionFile::parse(bytes);
    QCOMPARE(read.ok(), valid);
    if (valid)
        QCOMPARE(read.value(), pages);
}

void TestSessionFile::namesSurviveWritingAndReading_data()
{
    QTest::addColumn<QStringList>("pages");
    QTest::addRow("plain") << QStringList { "/home/u/site/index.htm" };
    QTest::addRow("spaces and percent signs")
        << QStringList { "/home/u/My Site/100% done.htm", "/home/u/%41.htm" };
    QTest::addRow("line breaks in a name") << QStringList { "/tmp/a\nb.htm", "/tmp/c\r.htm" };
    QTest::addRow("non-ascii") << QStringList { QString::fromUtf8("/tmp/Ωmega/日本.htm") };
}

void TestSessionFile::namesSurviveWritingAndReading()
{
    QFETCH(QStringList, pages);
    const QByteArray bytes = SessionFile::format(pages);
    // One line a page, whatever the names hold.
    QCOMPARE(bytes.count('\n'), pages.size() + 1);
    const Expected<QStringList> read = SessionFile::parse(bytes);
    QVERIFY(read);
    QCOMPARE(read.value(), pages);
}

void TestSessionFile::writtenReadAndRemoved()
{
    QTemporaryDir home;
    SessionFile session(home.path());
    QVERIFY(!session.exists());
    QVERIFY(session.remove()); // nothing to remove is no failure
    const QStringList pages { home.filePath("a.htm"), home.filePath("b.htm") };
    QVERIFY(session.write(pages));
    QVERIFY(session.exists());
    QCOMPARE(session.path(), home.filePath("tarnwick.session"));
    const Expected<QStringList> read = session.read();
    QVERIFY(read);
    QCOMPARE(read.value(), pages);
    QVERIFY(session.remove());
    QVERIFY(!QFile::exists(home.filePath("tarnwick.session")));
    QVERIFY(!session.read());
}

void TestSessionFile::oneRunningProgramKeepsTheSession()
{
    QTemporaryDir home;
    auto first = std::make_unique<SessionFile>(home.path());
    QVERIFY(first->lock());
    QVERIFY(first->lock()); // asking again keeps it
    SessionFile second(home.path());
    QVERIFY(!second.lock());
    QVERIFY(!second.locked());
    first.reset(); // that program ended
    QVERIFY(second.lock());
}

QTEST_GUILESS_MAIN(TestSessionFile)
#include "tst_sessionfile.moc"
