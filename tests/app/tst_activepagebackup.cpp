// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/activepagebackup.h"
#include "app/openpages.h"
#include "app/settings.h"
#include "openpagesfixture.h"
#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarnwick;
using namespace std::chrono_literals;

namespace {

struct Fixture : OpenPagesFixture
{
    QObject window;
    ActivePageBackup backup { &editor, &pages };
    QSignalSpy written { &backup, &ActivePageBackup::backupWritten };
    QSignalSpy status { &backup, &ActivePageBackup::statusText };

    Fixture() { backup.watchWindow(&window); }

    void loseFocus()
    {
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(&window, &deactivate);
    }
};

} // namespace

class TestActivePageBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void writtenAfterAPauseInTyping();
    void writtenWhenTheWindowLosesFocus_data();
    void writtenWhenTheWindowLosesFocus();
    void savingOrClosingRemovesIt_data();
    void savingOrClosingRemovesIt();
    void sameFileInTwoTabsKeepsTheBackup();
    void failureReportedOncePerStreak();
};

void TestActivePageBackup::writtenAfterAPauseInTyping()
{
    Fixture f;
    f.backup.setPause(50ms);
    const QString page = f.file("page.htm", "<p>one</p>\r\n<p>caf\xe9</p>\r\n");
    QVERIFY(f.pages.LoadFile(page, false));
    f.editor.AppendText("<p>two \u00e9</p>\n");
    QVERIFY(f.written.wait(TestEnvironment::signalBound));
    QCOMPARE(f.written.size(), 1);
    QCOMPARE(f.written.first().first().toString(), page + "_");
    // The page's own encoding and line ends, as a hidden tab's backup has them.
    QCOMPARE(TestEnvironment::readFile(page + "_"),
             QByteArray("<p>one</p>\r\n<p>caf\xe9</p>\r\n<p>two \xe9</p>\r\n"));
    QCOMPARE(TestEnvironment::readFile(page), QByteArray("<p>one</p>\r\n<p>caf\xe9</p>\r\n"));
    QVERIFY(f.editor.Modified());
}

void TestActivePageBackup::writtenWhenTheWindowLosesFocus_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addRow("modified page") << true;
    QTest::addRow("unmodified page") << false;
}

void TestActivePageBackup::writtenWhenTheWindowLosesFocus()
{
    QFETCH(bool, edited);
    Fixture f; // the pause is the program's own: far longer than this test
    const QString page = f.file("page.htm", "text");
    QVERIFY(f.pages.LoadFile(page, false));
    if (edited)
        f.editor.AppendText(" more");
    f.loseFocus();
    QCOMPARE(f.written.size(), edited ? 1 : 0);
    QCOMPARE(QFile::exists(page + "_"), edited);
    if (edited)
        QCOMPARE(TestEnvironment::readFile(page + "_"), QByteArray("text more"));
    // Nothing typed since: leaving again writes nothing new.
    f.loseFocus();
    QCOMPARE(f.written.size(), edited ? 1 : 0);
}

void TestActivePageBackup::savingOrClosingRemovesIt_data()
{
    QTest::addColumn<bool>("save");
    QTest::addRow("saved") << true;
    QTest::addRow("closed without saving") << false;
}

void TestActivePageBackup::savingOrClosingRemovesIt()
{
    QFETCH(bool, save);
    Fixture f;
    const QString page = f.file("page.htm", "v1");
    QVERIFY(f.pages.LoadFile(page, false));
    f.editor.AppendText(" v2");
    f.loseFocus();
    QVERIFY(QFile::exists(page + "_"));
    if (save) {
        QVERIFY(f.pages.Save1Click());
        QCOMPARE(TestEnvironment::readFile(page), QByteArray("v1 v2"));
        f.loseFocus(); // saved: nothing to keep
    } else {
        f.prompter.answer(Prompter::Answer::No);
        QVERIFY(f.pages.CloseActivePage());
        QCOMPARE(TestEnvironment::readFile(page), QByteArray("v1"));
    }
    QVERIFY(!QFile::exists(page + "_"));
    QCOMPARE(f.written.size(), 1);
}

void TestActivePageBackup::sameFileInTwoTabsKeepsTheBackup()
{
    Fixture f;
    const QString page = f.file("page.htm", "v1");
    QVERIFY(f.pages.LoadFile(page, false));
    f.editor.AppendText(" first tab");
    QVERIFY(f.pages.LoadFile(page, false)); // hides the first tab: its text goes to the backup
    QCOMPARE(TestEnvironment::readFile(page + "_"), QByteArray("v1 first tab"));
    QVERIFY(f.pages.Save1Click());
    // The first tab still keeps its text there.
    QCOMPARE(TestEnvironment::readFile(page + "_"), QByteArray("v1 first tab"));
    QVERIFY(f.pages.CloseActivePage());
    QCOMPARE(TestEnvironment::readFile(page + "_"), QByteArray("v1 first tab"));
    f.prompter.answer(Prompter::Answer::No);
    QVERIFY(f.pages.CloseActivePage());
    QVERIFY(!QFile::exists(page + "_"));
}

void TestActivePageBackup::failureReportedOncePerStreak()
{
    Fixture f;
    QDir(f.dir.path()).mkdir("site");
    const QString page = f.file("site/page.htm", "text");
    QVERIFY(f.pages.LoadFile(page, false));
    QVERIFY(QDir(f.dir.filePath("site")).removeRecursively());

    for (int key = 0; key < 3; ++key) {
        f.editor.AppendText("x");
        f.loseFocus();
    }
    QCOMPARE(f.status.size(), 1);
    QVERIFY2(f.status.first().first().toString().contains(page + "_"),
             qPrintable(f.status.first().first().toString()));
    QCOMPARE(f.written.size(), 0);
    QVERIFY(!QFileInfo::exists(f.dir.filePath("site")));

    // The folder is back: the next chance writes it, without typing again.
    QVERIFY(QDir(f.dir.path()).mkdir("site"));
    f.loseFocus();
    QCOMPARE(f.written.size(), 1);
    QCOMPARE(TestEnvironment::readFile(page + "_"), QByteArray("textxxx"));

    // A new failure after a success is told again.
    QVERIFY(QDir(f.dir.filePath("site")).removeRecursively());
    f.editor.AppendText("y");
    f.loseFocus();
    QCOMPARE(f.status.size(), 2);
}

QTEST_MAIN(TestActivePageBackup)
#include "tst_activepagebackup.moc"
