// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/publishplan.h"

#include "app/publishcommands.h"

#include "support/testenvironment.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;

class TestPublishPlan final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void modeType_data();
    void modeType();
    void references_data();
    void references();
    void settingsFileNeverPlanned();
    void lineBreakInPageName();

private:
    QTemporaryDir m_dir;
};

void TestPublishPlan::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_dir.isValid());
}

void TestPublishPlan::modeType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("smartAscii");
    QTest::addColumn<QString>("extensions");
    QTest::addColumn<bool>("binary");
    QTest::addRow("image") << "logo.gif"
                           << "txt"
                           << "html,htm" << true;
    QTest::addRow("text") << "notes.txt"
                          << "txt"
                          << "html,htm" << false;
    QTest::addRow("page extension") << "page.HTM"
                                    << "txt"
                                    << "html,htm" << false;
    // Whole entries only: "t" is inside "txt" and "html" but is no entry.
    QTest::addRow("part of an entry") << "a.t"
                                      << "txt"
                                      << "html,htm" << true;
    QTest::addRow("no extension") << "README"
                                  << "txt"
                                  << "html,htm" << true;
    QTest::addRow("trailing dot") << "name."
                                  << "txt"
                                  << "html,htm" << true;
    QTest::addRow("masks and dots") << "x.CSS"
                                    << "*.txt; .css"
                                    << "" << false;
    QTest::addRow("last extension counts") << "a.txt.gz"
                                           << "txt"
                                           << "htm" << true;
    QTest::addRow("folder with a dot") << "v1.2/file"
                                       << "2/file"
                                       << "" << true;
    QTest::addRow("empty lists") << "a.htm"
                                 << ""
                                 << "" << true;
}

void TestPublishPlan::modeType()
{
    QFETCH(QString, name);
    QFETCH(QString, smartAscii);
    QFETCH(QString, extensions);
    QFETCH(bool, binary);
    QCOMPARE(PublishPlan::ModeType(name, smartAscii, extensions), binary);
}

void TestPublishPlan::references_data()
{
    QTest::addColumn<QByteArray>("markup");
    QTest::addColumn<QString>("remote"); // planned reference, or empty
    QTest::addColumn<QString>("reason"); // skipped or missing reason, or empty
    QTest::addRow("image in a folder") << QByteArray("<img src=\"img/a.gif\">") << "img/a.gif"
                                       << "";
    QTest::addRow("style sheet") << QByteArray("<link rel=stylesheet href='css/s.css'>")
                                 << "css/s.css"
                                 << "";
    QTest::addRow("dot-dot inside the path") << QByteArray("<img src=\"./img/../img/a.gif\">") << ""
                                             << PublishPlan::aboveRemoteDirectory();
    QTest::addRow("escaped name") << QByteArray("<img src=\"img/my%20pic.gif\">")
                                  << "img/my pic.gif"
                                  << "";
    QTest::addRow("backslashes") << QByteArray("<img src=\"img\\a.gif\">") << "img/a.gif"
                                 << "";
    QTest::addRow("scheme") << QByteArray("<img src=\"http://x.org/a.gif\">") << ""
                            << PublishPlan::outsideSite();
    QTest::addRow("mail address") << QByteArray("<a href=\"mailto:me@x.org\">") << ""
                                  << PublishPlan::outsideSite();
    QTest::addRow("absolute") << QByteArray("<img src=\"/img/a.gif\">") << ""
                              << PublishPlan::absolutePath();
    QTest::addRow("parent folder")
        << QByteArray("<a href=\"../up.htm\">") << "" << PublishPlan::aboveRemoteDirectory();
    QTest::addRow("folder") << QByteArray("<a href=\"img\">") << "" << PublishPlan::folder();
    QTest::addRow("missing") << QByteArray("<img src=\"img/none.gif\">") << ""
                             << PublishPlan::notFound();
    QTest::addRow("settings file")
        << QByteArray("<a href=\"project.ini\">") << "" << PublishPlan::settingsFile();
    QTest::addRow("selected page") << QByteArray("<a href=\"p.htm\">") << ""
                                   << "";
    QTest::addRow("anchor only") << QByteArray("<a href=\"#top\">") << ""
                                 << "";
    QTest::addRow("page anchor") << QByteArray("<a href=\"other.htm#x\">") << "other.htm"
                                 << "";
}

// What one reference of a page becomes in the plan.
void TestPublishPlan::references()
{
    QFETCH(QByteArray, markup);
    QFETCH(QString, remote);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("site"));
    TestEnvironment::writeFile(project + QStringLiteral("/p.htm"), markup);
    TestEnvironment::writeFile(project + QStringLiteral("/img/a.gif"), "GIF");
    TestEnvironment::writeFile(project + QStringLiteral("/img/my pic.gif"), "GIF");
    TestEnvironment::writeFile(project + QStringLiteral("/css/s.css"), "b{}");
    TestEnvironment::writeFile(project + QStringLiteral("/project.ini"), "[PROJECT]");
    TestEnvironment::writeFile(project + QStringLiteral("/other.htm"), "<a name=x>");
    TestEnvironment::writeFile(dir.filePath(QStringLiteral("up.htm")), "up");

    PublishPlan::Request request;
    request.projectDir = project;
    request.pages = { QStringLiteral("p.htm") };
    request.scanner = PublishCommands::scanner(nullptr);
    const PublishPlan plan = PublishPlan::build(request);
    QCOMPARE(plan.pages.size(), 1);
    QStringList planned;
    for (const PublishFile &f : plan.references)
        planned << f.remoteName;
    QCOMPARE(planned, remote.isEmpty() ? QStringList() : QStringList { remote });
    if (!remote.isEmpty())
        QCOMPARE(plan.references.first().size, QFileInfo(project + "/" + remote).size());
    QStringList reasons;
    for (const PublishSkip &s : plan.skipped + plan.missing)
        reasons << s.reason;
    QCOMPARE(reasons, reason.isEmpty() ? QStringList() : QStringList { reason });
}

// Selected alone or named by a page, in any case, the settings file stays home.
void TestPublishPlan::settingsFileNeverPlanned()
{
    const QString project = m_dir.filePath(QStringLiteral("ini"));
    TestEnvironment::writeFile(project + QStringLiteral("/PROJECT.INI"), "[PROJECT]");
    PublishPlan::Request request;
    request.projectDir = project;
    request.pages = { QStringLiteral("PROJECT.INI"), QStringLiteral("Project.ini") };
    request.scanner = PublishCommands::scanner(nullptr);
    const PublishPlan plan = PublishPlan::build(request);
    QVERIFY(plan.pages.isEmpty());
    QVERIFY(plan.references.isEmpty());
}

// A page name with a line break never reaches the wire.
void TestPublishPlan::lineBreakInPageName()
{
    const QString project = m_dir.filePath(QStringLiteral("names"));
    TestEnvironment::writeFile(project + QStringLiteral("/a.htm"), "<p>");
    PublishPlan::Request request;
    request.projectDir = project;
    request.pages = { QStringLiteral("a.htm"), QStringLiteral("b\r\nDELE a.htm") };
    const PublishPlan plan = PublishPlan::build(request);
    QCOMPARE(plan.pages.size(), 1);
    QCOMPARE(plan.skipped.size(), 1);
    QCOMPARE(plan.skipped.first().reason, PublishPlan::lineBreak());
}

QTEST_GUILESS_MAIN(TestPublishPlan)
#include "tst_publishplan.moc"
