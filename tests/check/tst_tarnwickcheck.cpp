// SPDX-License-Identifier: GPL-3.0-or-later
// tarnwick-check run as the user runs it, on the fixture sites beside this file.
#include "support/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <algorithm>

using namespace Tarnwick;

namespace {

const QString fixtures = QStringLiteral(TARNWICK_CHECK_FIXTURES);

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

QStringList nonEmptyLines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestTarnwickCheck final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fixtureSite();
    void cleanSite();
    void exitStatus_data();
    void exitStatus();
    void json();
    void brokenLinksAgreeWithLinkchecker();

private:
    Run run(const QStringList &arguments);

    QTemporaryDir m_home;
    QTemporaryDir m_config;
};

void TestTarnwickCheck::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(QFileInfo(QStringLiteral(TARNWICK_CHECK_TOOL)).isExecutable());
}

Run TestTarnwickCheck::run(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARNWICK_HOME"), m_home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TARNWICK_CHECK_TOOL), arguments);
    Run r;
    if (!process.waitForFinished(TestEnvironment::signalBound))
        return r;
    r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

// One case of every kind, each line as expected; the project list leaves
// draft.htm out, so the link to it is warned about.
void TestTarnwickCheck::fixtureSite()
{
    const QString site = fixtures + QStringLiteral("/site");
    QByteArray list
        = "Fixture - " + site.toUtf8() + "\r\n\t#Default Project Settings - PROJECT.INI\r\n";
    for (const char *page : { "about.htm", "binary.htm", "frames.htm", "generated.htm", "index.htm",
                              "latin.htm", "my page.htm", "nodecl.htm", "utf8.htm" })
        list += QByteArray("\t") + page + " - " + page + "\r\n";
    TestEnvironment::writeFile(m_home.filePath(QStringLiteral("project.dat")), list);
    const Run r = run({ site });
    QFile::remove(m_home.filePath(QStringLiteral("project.dat")));
    QFile expected(fixtures + QStringLiteral("/site.expected"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    // The symbolic link's target is named as it lies on this machine.
    const QString lines
        = QString::fromUtf8(expected.readAll()).replace(QStringLiteral("${FIXTURES}"), fixtures);
    QCOMPARE(nonEmptyLines(r.out), nonEmptyLines(lines));
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, QStringLiteral("9 pages checked: 15 errors, 8 warnings, 2 notes.\n"));
}

void TestTarnwickCheck::cleanSite()
{
    const Run r = run({ fixtures + QStringLiteral("/clean") });
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, QStringLiteral("2 pages checked: 0 errors, 0 warnings, 0 notes.\n"));
    QCOMPARE(r.exitCode, 0);
}

void TestTarnwickCheck::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said"); // the start of the first line out or err

    const QString site = fixtures + QStringLiteral("/site");
    const QString clean = fixtures + QStringLiteral("/clean");
    QTest::newRow("help") << QStringList { "--help" } << 0 << "Usage: tarnwick-check";
    QTest::newRow("nothing named") << QStringList() << 2 << "Name a project folder or page files.";
    QTest::newRow("unknown option")
        << QStringList { site, "--fast" } << 2 << "Unknown argument: --fast";
    QTest::newRow("no such folder")
        << QStringList { site + "/nowhere/" } << 2 << "No such file or folder: ";
    QTest::newRow("two folders") << QStringList { site, clean } << 2
                                 << "Name one project folder, or page files: ";
    QTest::newRow("clean pages") << QStringList { clean + "/index.htm", clean + "/page2.htm" } << 0
                                 << "";
    QTest::newRow("a page with an error")
        << QStringList { site + "/latin.htm" } << 1 << "latin.htm:7:7: error: declares UTF-8";
    QTest::newRow("a missing page") << QStringList { clean + "/index.htm", clean + "/gone.htm" }
                                    << 2 << "No such file or folder: ";
    QTest::newRow("warnings alone") << QStringList { site + "/about.htm" } << 0
                                    << "about.htm: warning: page without a title [title]";
}

void TestTarnwickCheck::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    const Run r = run(arguments);
    QVERIFY2(r.exitCode == exitCode, qPrintable(r.out + r.err));
    const QString first = r.out.isEmpty() ? r.err : r.out;
    if (!said.isEmpty())
        QVERIFY2(first.startsWith(said), qPrintable(first));
}

void TestTarnwickCheck::json()
{
    const QString site = fixtures + QStringLiteral("/site");
    const Run text = run({ site });
    const Run r = run({ site, QStringLiteral("--json") });
    QCOMPARE(r.exitCode, 1);
    QJsonParseError error;
    const QJsonObject report = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray findings = report.value(QStringLiteral("findings")).toArray();
    const QStringList lines = nonEmptyLines(text.out);
    QCOMPARE(findings.size(), lines.size());
    int errors = 0;
    for (qsizetype i = 0; i < findings.size(); ++i) {
        const QJsonObject f = findings.at(i).toObject();
        const QString severity = f.value(QStringLiteral("severity")).toString();
        errors += severity == QStringLiteral("error");
        QString place = f.value(QStringLiteral("path")).toString();
        if (const int line = f.value(QStringLiteral("line")).toInt(); line > 0)
            place += QStringLiteral(":%1").arg(line);
        if (const int column = f.value(QStringLiteral("column")).toInt(); column > 0)
            place += QStringLiteral(":%1").arg(column);
        QCOMPARE(lines.at(i),
                 QStringLiteral("%1: %2: %3 [%4]")
                     .arg(place, severity, f.value(QStringLiteral("message")).toString(),
                          f.value(QStringLiteral("kind")).toString()));
    }
    QCOMPARE(report.value(QStringLiteral("errors")).toInt(), errors);
    QVERIFY(errors > 0);
}

// The local files the fixture's pages name that do not exist, as the check
// finds them (missing, or spelt with other capitals) and as linkchecker,
// run offline on the same pages, does.
void TestTarnwickCheck::brokenLinksAgreeWithLinkchecker()
{
    const QString linkchecker = QStandardPaths::findExecutable(QStringLiteral("linkchecker"));
    if (linkchecker.isEmpty())
        QSKIP("linkchecker is not installed");
    const QString site = fixtures + QStringLiteral("/site");

    QSet<QString> ours;
    const QRegularExpression target(QStringLiteral("^([^:]+):\\d+:\\d+: error: .* (?:names a file "
                                                   "that does not exist: (.+)|names \"([^\"]+)\" "
                                                   "but the file is .*) \\[(?:missing|case)\\]$"));
    for (const QString &line : nonEmptyLines(run({ site }).out)) {
        const QRegularExpressionMatch m = target.match(line);
        // linkchecker does not follow form actions.
        if (!m.hasMatch() || line.contains(QLatin1String("ACTION of <FORM>")))
            continue;
        const QString name = m.captured(2).isEmpty() ? m.captured(3) : m.captured(2);
        ours.insert(m.captured(1) + QStringLiteral(" -> ") + name);
    }
    QVERIFY(!ours.isEmpty());

    QSet<QString> theirs;
    const QString root = QUrl::fromLocalFile(site + QLatin1Char('/')).toString(QUrl::FullyEncoded);
    QStringList arguments { QStringLiteral("--no-status"), QStringLiteral("--no-warnings"),
                            QStringLiteral("-r1"), QStringLiteral("-ocsv") };
    for (const QString &page : QDir(site).entryList({ QStringLiteral("*.htm") }, QDir::Files))
        arguments
            << QUrl::fromLocalFile(site + QLatin1Char('/') + page).toString(QUrl::FullyEncoded);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home.path());
    process.setProcessEnvironment(env);
    process.start(linkchecker, arguments);
    QVERIFY(process.waitForFinished(TestEnvironment::signalBound));
    // urlname;parentname;base;result;warningstring;infostring;valid;url;...
    for (const QString &line : nonEmptyLines(QString::fromUtf8(process.readAllStandardOutput()))) {
        const QStringList cells = line.split(QLatin1Char(';'));
        if (line.startsWith(QLatin1Char('#')) || cells.size() < 8
            || cells.at(6) != QStringLiteral("False"))
            continue;
        const QString url = cells.at(7);
        if (!url.startsWith(root) || !cells.at(1).startsWith(root))
            continue; // outside the folder: the check names those apart
        const QString parent = QUrl::fromPercentEncoding(cells.at(1).mid(root.size()).toUtf8());
        const QString name = QUrl::fromPercentEncoding(url.mid(root.size()).toUtf8());
        theirs.insert(parent + QStringLiteral(" -> ") + name);
    }
    QCOMPARE(theirs, ours);
}

QTEST_GUILESS_MAIN(TestTarnwickCheck)
#include "tst_tarnwickcheck.moc"
