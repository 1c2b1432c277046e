// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programdirectory.h"
#include "app/startup.h"
#include "testenvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestProgramDirectory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void resolveOrder_data();
    void resolveOrder();
    void seedingNeverOverwrites();
    void missingDataDirectoryIsNoError();
    void commandLine_data();
    void commandLine();
};

void TestProgramDirectory::resolveOrder_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("expectedEnd");
    QTest::addRow("option wins") << "/tmp/opt-home"
                                 << "/tmp/env-home"
                                 << "/tmp/opt-home/";
    QTest::addRow("environment next") << ""
                                      << "/tmp/env-home"
                                      << "/tmp/env-home/";
    QTest::addRow("XDG data home last") << ""
                                        << ""
                                        << "/XDG_DATA_HOME/tarnwick/";
}

void TestProgramDirectory::resolveOrder()
{
    QFETCH(QString, option);
    QFETCH(QString, environment);
    QFETCH(QString, expectedEnd);
    if (environment.isEmpty())
        qunsetenv("TARNWICK_HOME");
    else
        qputenv("TARNWICK_HOME", environment.toLocal8Bit());
    const QString home = ProgramDirectory::resolve(option);
    qunsetenv("TARNWICK_HOME");
    QVERIFY2(home.endsWith(expectedEnd), qPrintable(home));
    QVERIFY(QDir::isAbsolutePath(home));
}

void TestProgramDirectory::seedingNeverOverwrites()
{
    QTemporaryDir data;
    QTemporaryDir home;
    TestEnvironment::writeFile(data.filePath("TIPS.TXT"), "shipped tips");
    TestEnvironment::writeFile(data.filePath("Welcome/readme.htm"), "shipped readme");
    TestEnvironment::writeFile(data.filePath("help/index.html"), "help stays");
    TestEnvironment::writeFile(data.filePath("icons/tarnwick.svg"), "<svg/>");
    TestEnvironment::writeFile(home.filePath("Welcome/readme.htm"), "the user's own readme");

    QVERIFY(ProgramDirectory::prepare(home.path() + "/", data.path()).ok());
    QCOMPARE(TestEnvironment::readFile(home.filePath("TIPS.TXT")), QByteArray("shipped tips"));
    QCOMPARE(TestEnvironment::readFile(home.filePath("Welcome/readme.htm")),
             QByteArray("the user's own readme"));
    QVERIFY(!QFile::exists(home.filePath("help/index.html")));
    QVERIFY(!QFile::exists(home.filePath("icons/tarnwick.svg")));

    // A second start copies again only what went missing.
    QFile::remove(home.filePath("TIPS.TXT"));
    QVERIFY(ProgramDirectory::prepare(home.path() + "/", data.path()).ok());
    QVERIFY(QFile::exists(home.filePath("TIPS.TXT")));
}

void TestProgramDirectory::missingDataDirectoryIsNoError()
{
    QTemporaryDir home;
    const QString fresh = home.filePath("new/home/");
    QVERIFY(ProgramDirectory::prepare(fresh, home.filePath("no-such-data")).ok());
    QVERIFY(QDir(fresh).exists());
}

void TestProgramDirectory::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("runs");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("home");
    QTest::addColumn<bool>("splash");
    QTest::addColumn<QStringList>("files");
    QTest::addRow("plain") << QStringList { "tarnwick" } << true << 0 << "" << true
                           << QStringList {};
    QTest::addRow("files and options")
        << QStringList { "tarnwick", "--no-splash", "--home", "/tmp/h", "a.htm", "b.htm" } << true
        << 0 << "/tmp/h" << false << QStringList { "a.htm", "b.htm" };
    QTest::addRow("version") << QStringList { "tarnwick", "--version" } << false << 0 << "" << true
                             << QStringList {};
    QTest::addRow("unknown option")
        << QStringList { "tarnwick", "--bogus" } << false << 2 << "" << true << QStringList {};
}

void TestProgramDirectory::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, runs);
    QFETCH(int, exitCode);
    QFETCH(QString, home);
    QFETCH(bool, splash);
    QFETCH(QStringList, files);
    int code = -1;
    const std::optional<Startup::Options> options = Startup::parse(arguments, &code);
    QCOMPARE(options.has_value(), runs);
    QCOMPARE(code, exitCode);
    if (options) {
        QCOMPARE(options->home, home);
        QCOMPARE(options->splash, splash);
        QCOMPARE(options->files, files);
    }
}

QTEST_MAIN(TestProgramDirectory)
#include "tst_programdirectory.moc"
