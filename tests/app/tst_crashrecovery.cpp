// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/activepagebackup.h"
#include "app/crashrecovery.h"
#include "app/mainwindow.h"
#include "app/openpages.h"
#include "app/programrun.h"
#include "app/sessionfile.h"
#include "app/settings.h"
#include "openpagesfixture.h"
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>

using namespace Tarnwick;
using namespace Qt::StringLiterals;

namespace {

// Everything the recovery works with, in a temporary home.
struct Fixture : OpenPagesFixture
{
    SessionFile session { dir.path() };
    CrashRecovery recovery { &session, &pages, &prompter };

    // What a run that was killed leaves behind.
    void leaveSession(const QStringList &listed)
    {
        QVERIFY(TestEnvironment::writeFile(session.path(), SessionFile::format(listed)));
    }
};

QString question(const QString &page)
{
    return "Recover unsaved changes to " + page + "?";
}

// The first run of killedRunIsRecovered, played in a process of its own.
const char firstRunRole[] = "--play-first-run";

const QByteArray pageA = "<html>\r\n<body>\r\n<p>first page</p>\r\n</body>\r\n</html>\r\n";
const QByteArray pageB = "<p>caf\xe9 au lait</p>\n";
const QString typedA = u"typed into the hidden page"_s;
const QString typedB = u"typed into the active page"_s;

// QTest::keyClicks knows no text for the space bar.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
}

void typeAtTheEnd(MainWindow &window, const QString &text)
{
    QWidget *typing = window.editor()->focusProxy();
    QTest::keyClick(typing, Qt::Key_End, Qt::ControlModifier);
    typeText(typing, text);
    QTest::keyClick(typing, Qt::Key_Return);
}

QSettings *storeWithoutTips(const QString &path)
{
    auto *store = new QSettings(path, QSettings::IniFormat);
    store->setValue("Helpers/ShowTipOfTheDay", false);
    return store;
}

// Starts the program on two pages, edits both, waits until the active page's
// backup is written and says so with both texts on standard output. Then it
// runs until it is killed.
int playFirstRun(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString home = arguments.value(2);
    const QString a = arguments.value(4);
    const QString b = arguments.value(5);
    Settings settings { std::unique_ptr<QSettings>(storeWithoutTips(arguments.value(3))) };
    ScriptedPrompter prompter;
    ProgramRun program(home, &prompter, &settings);
    program.start({ a, b });
    MainWindow &window = program.window();
    auto *tabs = window.findChild<QTabBar *>(u"WebPageTabBar"_s);
    if (window.openPages()->fileNames() != QStringList { a, b } || !tabs)
        return 2;

    tabs->setCurrentIndex(0);
    typeAtTheEnd(window, typedA);
    tabs->setCurrentIndex(1); // page a is hidden now
    QSignalSpy written(window.activePageBackup(), &ActivePageBackup::backupWritten);
    typeAtTheEnd(window, typedB);
    while (!written.contains(QVariantList { QVariant(b + '_') })) {
        if (!written.wait(TestEnvironment::signalBound))
            return 3;
    }
    // The texts as the program held them: the hidden tab's and the editor's.
    const QByteArray textA = window.openPages()->page(0).text.toUtf8().toBase64();
    const QByteArray textB = window.editor()->Text().toUtf8().toBase64();
    std::printf("ready %s %s\n", textA.constData(), textB.constData());
    std::fflush(stdout);
    // Should nobody kill it, it does not run for ever.
    QTimer::singleShot(300000, &application, &QCoreApplication::quit);
    return application.exec();
}

} // namespace

class TestCrashRecovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void leftOverText_data();
    void leftOverText();
    void sessionOfAnUncleanEnd();
    void closedQuestionAsksAgainNextTime();
    void cleanEndLeavesNothingToOffer();
    void listedPageAlreadyOpen_data();
    void listedPageAlreadyOpen();
    void pageGoneSinceIsWrittenOnSave();
    void anotherRunningProgramKeepsItsSession();
    void sessionListsTheOpenPages();
    void killedRunIsRecovered();
};

void TestCrashRecovery::leftOverText_data()
{
    QTest::addColumn<bool>("pageExists");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("backupExists");
    QTest::addColumn<QByteArray>("backup");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("text");

    QTest::addRow("no backup") << true << QByteArray("a\n") << false << QByteArray() << false
                               << QString();
    QTest::addRow("backup holds the page's bytes")
        << true << QByteArray("a\n") << true << QByteArray("a\n") << false << QString();
    QTest::addRow("only the line ends differ")
        << true << QByteArray("a\r\nb\r\n") << true << QByteArray("a\nb\n") << false << QString();
    QTest::addRow("only a byte order mark differs")
        << true << QByteArray("\xEF\xBB\xBFx") << true << QByteArray("x") << false << QString();
    QTest::addRow("other text") << true << QByteArray("a\n") << true << QByteArray("a\nb\n") << true
                                << u"a\nb\n"_s;
    QTest::addRow("page file gone")
        << false << QByteArray() << true << QByteArray("kept") << true << u"kept"_s;
    QTest::addRow("empty new page, text in the backup")
        << true << QByteArray() << true << QByteArray("<p>x</p>") << true << u"<p>x</p>"_s;
    QTest::addRow("page emptied") << true << QByteArray("x") << true << QByteArray() << true
                                  << QString();
    QTest::addRow("windows-1252") << true << QByteArray("caf\xe9\r\n") << true
                                  << QByteArray("caf\xe9\r\nna\xefve\r\n") << true
                                  << u"café\nnaïve\n"_s;
}

void TestCrashRecovery::leftOverText()
{
    QFETCH(bool, pageExists);
    QFETCH(QByteArray, page);
    QFETCH(bool, backupExists);
    QFETCH(QByteArray, backup);
    QFETCH(bool, offered);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath("page.htm");
    if (pageExists)
        QVERIFY(TestEnvironment::writeFile(path, page));
    if (backupExists)
        QVERIFY(TestEnvironment::writeFile(path + "_", backup));

    const std::optional<TextFileContent> found = CrashRecovery::leftOverText(path);
    QCOMPARE(found.has_value(), offered);
    if (!found)
        return;
    QCOMPARE(found->text, text);
    // Saved again, the page keeps its own encoding and line ends.
    if (pageExists)
        QVERIFY(found->format == TextFile::decode(page).format);
}

void TestCrashRecovery::sessionOfAnUncleanEnd()
{
    Fixture f;
    const QString changed = f.file("changed.htm", "<p>old</p>\n");
    f.file("changed.htm_", "<p>old</p>\n<p>new</p>\n");
    const QString same = f.file("same.htm", "same\n");
    f.file("same.htm_", "same\n");
    const QString gone = f.dir.filePath("gone.htm"); // neither page nor backup any more
    const QString declined = f.file("declined.htm", "v1");
    f.file("declined.htm_", "v2");
    const QString unlisted = f.file("unlisted.htm", "u1");
    f.file("unlisted.htm_", "u2");
    f.leaveSession({ changed, same, gone, declined });

    f.recovery.collect();
    QCOMPARE(f.recovery.leftOvers().size(), 2);
    QVERIFY(!QFile::exists(same + "_")); // nothing new in it
    f.prompter.answer(Prompter::Answer::Yes);
    f.prompter.answer(Prompter::Answer::No);
    f.recovery.offer();

    QCOMPARE(f.prompter.texts(), (QStringList { question(changed), question(declined) }));
    for (const ScriptedPrompter::Message &m : f.prompter.messages()) {
        QCOMPARE(m.kind, Prompter::Kind::Confirmation);
        QCOMPARE(m.buttons, Prompter::Buttons::YesNoCancel);
    }
    QCOMPARE(f.pages.fileNames(), QStringList { changed });
    QCOMPARE(f.editor.Text(), u"<p>old</p>\n<p>new</p>\n"_s);
    QVERIFY(f.editor.Modified());
    QCOMPARE(TestEnvironment::readFile(changed), QByteArray("<p>old</p>\n"));
    // The recovered page keeps its backup until it is saved or closed.
    QVERIFY(QFile::exists(changed + "_"));
    QVERIFY(!QFile::exists(declined + "_"));
    QCOMPARE(TestEnvironment::readFile(declined), QByteArray("v1"));
    QCOMPARE(TestEnvironment::readFile(unlisted + "_"), QByteArray("u2")); // not ours to judge
    QVERIFY(!QFile::exists(gone));

    QVERIFY(f.pages.Save1Click());
    QCOMPARE(TestEnvironment::readFile(changed), QByteArray("<p>old</p>\n<p>new</p>\n"));
    QVERIFY(!QFile::exists(changed + "_"));
}

void TestCrashRecovery::closedQuestionAsksAgainNextTime()
{
    const QTemporaryDir home;
    const QString page = home.filePath("page.htm");
    QVERIFY(TestEnvironment::writeFile(page, "v1"));
    QVERIFY(TestEnvironment::writeFile(page + "_", "v2"));
    {
        SessionFile killed(home.path());
        QVERIFY(TestEnvironment::writeFile(killed.path(), SessionFile::format({ page })));
    }
    for (int run = 0; run < 2; ++run) {
        Fixture f;
        SessionFile session(home.path());
        CrashRecovery recovery(&session, &f.pages, &f.prompter);
        recovery.collect();
        QCOMPARE(recovery.leftOvers().size(), 1);
        f.prompter.answer(Prompter::Answer::Cancel); // the question closed with Escape
        recovery.offer();
        recovery.track();
        QCOMPARE(f.pages.count(), 0);
        recovery.finish(); // a clean end
        QCOMPARE(TestEnvironment::readFile(page + "_"), QByteArray("v2"));
        QVERIFY(QFile::exists(session.path()));
    }
}

void TestCrashRecovery::cleanEndLeavesNothingToOffer()
{
    Fixture f;
    const QString page = f.file("page.htm", "v1");
    f.file("page.htm_", "v2"); // left by hand, or by an older version
    f.recovery.collect();
    f.recovery.offer();
    QVERIFY(f.recovery.leftOvers().isEmpty());
    QVERIFY(f.prompter.texts().isEmpty());
    QCOMPARE(TestEnvironment::readFile(page + "_"), QByteArray("v2"));
    QCOMPARE(f.pages.count(), 0);
}

void TestCrashRecovery::listedPageAlreadyOpen_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::addRow("opened and in front") << false;
    QTest::addRow("opened, then hidden behind another page") << true;
}

void TestCrashRecovery::listedPageAlreadyOpen()
{
    QFETCH(bool, hidden);
    Fixture f;
    const QString page = f.file("page.htm", "on disk\n");
    f.file("page.htm_", "typed before the crash\n");
    const QString other = f.file("other.htm", "other\n");
    f.leaveSession({ page });
    f.recovery.collect();

    // As the command line or the last-file option opens pages before the question.
    QVERIFY(f.pages.LoadFile(page, false));
    if (hidden)
        QVERIFY(f.pages.LoadFile(other, false)); // rewrites the page's backup
    f.prompter.answer(Prompter::Answer::Yes);
    f.recovery.offer();

    QCOMPARE(f.pages.fileNames(), hidden ? (QStringList { page, other }) : QStringList { page });
    QCOMPARE(f.pages.currentFileName(), page);
    QCOMPARE(f.tabs.currentIndex(), 0);
    QCOMPARE(f.editor.Text(), u"typed before the crash\n"_s);
    QVERIFY(f.editor.Modified());
    if (hidden) {
        f.tabs.setCurrentIndex(1);
        QCOMPARE(f.editor.Text(), u"other\n"_s);
        QVERIFY(!f.editor.Modified());
    }
}

void TestCrashRecovery::pageGoneSinceIsWrittenOnSave()
{
    Fixture f;
    const QString page = f.dir.filePath("renamed-away.htm");
    f.file("renamed-away.htm_", "<p>only here</p>\r\n");
    f.leaveSession({ page });
    f.recovery.collect();
    f.prompter.answer(Prompter::Answer::Yes);
    f.recovery.offer();
    QCOMPARE(f.pages.fileNames(), QStringList { page });
    QCOMPARE(f.tabs.tabText(0), u"renamed-away.htm"_s);
    QVERIFY(f.editor.Modified());
    QVERIFY(f.pages.Save1Click());
    QCOMPARE(TestEnvironment::readFile(page), QByteArray("<p>only here</p>\r\n"));
}

void TestCrashRecovery::anotherRunningProgramKeepsItsSession()
{
    Fixture f;
    SessionFile running(f.dir.path());
    QVERIFY(running.lock()); // the other program took it first
    const QString page = f.file("page.htm", "v1");
    f.file("page.htm_", "v2 typed in the other program");
    f.leaveSession({ page });

    f.recovery.collect();
    f.recovery.offer();
    f.recovery.track();
    QVERIFY(f.prompter.texts().isEmpty());
    QCOMPARE(TestEnvironment::readFile(page + "_"), QByteArray("v2 typed in the other program"));
    QVERIFY(f.pages.LoadFile(f.file("mine.htm", "x"), false));
    f.recovery.finish();
    // Its list is left as it is.
    QCOMPARE(f.session.read().value(), QStringList { page });
}

void TestCrashRecovery::sessionListsTheOpenPages()
{
    Fixture f;
    const QString a = f.file("a.htm", "a");
    const QString b = f.file("b.htm", "b");
    const auto listed = [&f] { return f.session.read().value(); };

    f.recovery.collect();
    f.recovery.track();
    QCOMPARE(listed(), QStringList());
    QVERIFY(f.pages.LoadFile(a, false));
    QVERIFY(f.pages.LoadFile(b, false));
    QCOMPARE(listed(), (QStringList { a, b }));
    f.prompter.answerFile(f.dir.filePath("c.htm"));
    QVERIFY(f.pages.SaveAs1Click());
    QCOMPARE(listed(), (QStringList { a, f.dir.filePath("c.htm") }));
    QVERIFY(f.pages.CloseActivePage());
    QCOMPARE(listed(), QStringList { a });

    // The event loop may end with pages open: then the list stays for next time.
    f.recovery.finish();
    QVERIFY(f.session.exists());
    QVERIFY(f.pages.CloseAllPages());
    f.recovery.finish();
    QVERIFY(!f.session.exists());
}

void TestCrashRecovery::killedRunIsRecovered()
{
    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    const QString store = dir.filePath("Tarnwick.conf");
    const QString a = dir.filePath("site/a.htm");
    const QString b = dir.filePath("site/b.htm");
    QVERIFY(TestEnvironment::writeFile(a, pageA));
    QVERIFY(TestEnvironment::writeFile(b, pageB));

    QProcess first;
    first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    first.start(QCoreApplication::applicationFilePath(),
                { QString::fromLatin1(firstRunRole), home, store, a, b });
    QByteArray output;
    while (!output.contains('\n')) {
        if (!first.waitForReadyRead(60000)) {
            first.kill();
            QFAIL(qPrintable("the first run did not get ready: exit code "
                             + QString::number(first.exitCode())));
        }
        output += first.readAllStandardOutput();
    }
    const QList<QByteArray> words = output.trimmed().split(' ');
    QCOMPARE(words.size(), 3);
    QCOMPARE(words.first(), QByteArray("ready"));
    const QString editedA = QString::fromUtf8(QByteArray::fromBase64(words.at(1)));
    const QString editedB = QString::fromUtf8(QByteArray::fromBase64(words.at(2)));
    first.kill(); // SIGKILL: nothing of the program runs any more
    QVERIFY(first.waitForFinished(TestEnvironment::signalBound));
    QCOMPARE(first.exitStatus(), QProcess::CrashExit);

    // What the editor held, in each page's own encoding and line ends.
    const QByteArray expectedA = pageA + typedA.toLatin1() + "\r\n";
    const QByteArray expectedB = pageB + typedB.toLatin1() + "\n";
    QCOMPARE(TextFile::encode(editedA, TextFile::decode(pageA).format), expectedA);
    QCOMPARE(TextFile::encode(editedB, TextFile::decode(pageB).format), expectedB);
    QCOMPARE(TestEnvironment::readFile(a), pageA);
    QCOMPARE(TestEnvironment::readFile(b), pageB);
    QVERIFY(QFile::exists(home + "/tarnwick.session"));

    // The second start: the user takes both texts back.
    ScriptedPrompter prompter;
    prompter.answer(Prompter::Answer::Yes);
    prompter.answer(Prompter::Answer::Yes);
    Settings settings { std::unique_ptr<QSettings>(storeWithoutTips(store)) };
    ProgramRun second(home, &prompter, &settings);
    QVERIFY(second.hasLeftOvers());
    second.start({});
    QCOMPARE(prompter.texts(), (QStringList { question(a), question(b) }));
    OpenPages *pages = second.window().openPages();
    EditorControl *editor = second.window().editor();
    QCOMPARE(pages->fileNames(), (QStringList { a, b }));
    QCOMPARE(pages->currentFileName(), b);
    QCOMPARE(editor->Text(), editedB);
    QVERIFY(editor->Modified());
    QVERIFY(pages->Save1Click());
    QCOMPARE(TestEnvironment::readFile(b), expectedB);

    second.window().findChild<QTabBar *>(u"WebPageTabBar"_s)->setCurrentIndex(0);
    QCOMPARE(editor->Text(), editedA);
    QVERIFY(editor->Modified());
    QVERIFY(pages->Save1Click());
    QCOMPARE(TestEnvironment::readFile(a), expectedA);

    // A clean exit leaves neither session file nor backups.
    QVERIFY(second.window().close());
    second.finish();
    QVERIFY(!QFile::exists(home + "/tarnwick.session"));
    QVERIFY(!QFile::exists(a + "_"));
    QVERIFY(!QFile::exists(b + "_"));
    QCOMPARE(prompter.texts().size(), 2);
}

int main(int argc, char *argv[])
{
    if (argc == 6 && std::strcmp(argv[1], firstRunRole) == 0)
        return playFirstRun(argc, argv);
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestCrashRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_crashrecovery.moc"
