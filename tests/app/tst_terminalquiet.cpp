// SPDX-License-Identifier: GPL-3.0-or-later
// Started from a terminal, the program keeps it quiet unless asked.
#include "testenvironment.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestTerminalQuiet final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void engineDiagnostics_data();
    void engineDiagnostics();
};

void TestTerminalQuiet::engineDiagnostics_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("rules"); // QT_LOGGING_RULES, "" for none
    QTest::addColumn<bool>("shown");

    QTest::addRow("quiet by default") << QStringList() << "" << false;
    QTest::addRow("--verbose") << QStringList { "--verbose" } << "" << true;
    QTest::addRow("QT_LOGGING_RULES asks")
        << QStringList() << "qt.webenginecontext.info=true" << true;
}

void TestTerminalQuiet::engineDiagnostics()
{
    QFETCH(QStringList, options);
    QFETCH(QString, rules);
    QFETCH(bool, shown);

    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    QVERIFY(TestEnvironment::writeFile(page, "<p>a page</p>\n"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    environment.remove("QT_LOGGING_RULES");
    environment.remove("QT_LOGGING_CONF");
    if (!rules.isEmpty())
        environment.insert("QT_LOGGING_RULES", rules);
    QProcess run;
    run.setProcessEnvironment(environment);
    // The trace ends the run once the page is in the preview: by then the
    // engine has started and said whatever it says.
    run.start(QStringLiteral(TARNWICK_PROGRAM),
              options
                  + QStringList { "--home", dir.filePath("home"), "--no-splash", "--startup-trace",
                                  page });
    QVERIFY(run.waitForFinished(TestEnvironment::signalBound));
    const QString told = QString::fromLocal8Bit(run.readAllStandardError());
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, qPrintable(told));
    QVERIFY2(told.contains("tarnwick: first preview rendered"), qPrintable(told));
    QCOMPARE(told.contains("Init Parameters"), shown);
    QCOMPARE(told.contains("GL Type"), shown);
}

QTEST_GUILESS_MAIN(TestTerminalQuiet)
#include "tst_terminalquiet.moc"
