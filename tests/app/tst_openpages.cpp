// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/openpages.h"
#include "app/settings.h"
#include "app/tips.h"
#include "app/tipsession.h"
#include "filesizelimit.h"
#include "openpagesfixture.h"
#include "platform/editorcontrol.h"
#include "platform/writelimit.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace Tarnwick;
using namespace Qt::StringLiterals;

namespace {

// The editor's caret to the end of line `line`, as the user would put it there.
void caretToLineEnd(EditorControl &editor, int line)
{
    editor.StartLine = editor.EndLine = line;
    editor.StartPos = editor.EndPos = editor.LineLength(line);
    editor.ApplySelection();
}

QString encodingQuestionText(const QString &path, const QString &characters)
{
    return path + " is saved as Windows-1252, which cannot hold: " + characters
        + ". Write them as character references (Yes), save the page as UTF-8 (No), or Cancel?";
}

// Everything OpenPages works with, in a temporary directory.
using Fixture = OpenPagesFixture;

// Makes a directory unwritable even for root (tests run as root in CI),
// and writable again when it goes.
class LockedDirectory
{
public:
    explicit LockedDirectory(const QString &path)
        : m_path(path)
    {
        if (QProcess::execute("chattr", { "+i", m_path }) == 0) {
            m_how = Immutable;
        } else if (QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ExeOwner)) {
            m_how = ReadOnly;
        }
    }
    ~LockedDirectory()
    {
        if (m_how == Immutable)
            QProcess::execute("chattr", { "-i", m_path });
        QFile::setPermissions(
            m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    // True when writing into the directory really fails.
    bool locked() const
    {
        QFile probe(m_path + "/probe");
        const bool writable = probe.open(QIODevice::WriteOnly);
        if (writable)
            probe.remove();
        return !writable;
    }

private:
    enum { None, Immutable, ReadOnly } m_how = None;
    QString m_path;
};

// A child process of this test opens a page, adds `size` characters and
// saves while the system lets it write at most 4096 bytes a file.
const char saveUnderLimitRole[] = "--save-under-limit";

int saveUnderLimit(int argc, char *argv[])
{
    WriteLimit::failWritesInsteadOfEnding(); // as the program does first
    QApplication application(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[2]);
    ScriptedPrompter prompter;
    QTemporaryDir scratch;
    Settings settings { std::make_unique<QSettings>(scratch.filePath("settings.conf"),
                                                    QSettings::IniFormat) };
    EditorControl editor;
    QTabBar tabs;
    OpenPages pages { &editor, &tabs, &prompter, &settings, QFileInfo(path).absolutePath() + "/" };
    if (!pages.LoadFile(path, false))
        return 2;
    const QString text = editor.Text() + QString(std::atoi(argv[3]), u'x');
    editor.SetText(text);
    const bool saved = pages.Save1Click();
    std::printf("saved %d\nmodified %d\nkept %d\n", int(saved), int(editor.Modified()),
                int(editor.Text() == text));
    for (const ScriptedPrompter::Message &m : prompter.messages())
        std::printf("%s %s\n", m.kind == Prompter::Kind::Error ? "error" : "other",
                    qPrintable(m.text));
    return 0;
}

// The names of a directory, hidden ones too: a temporary file left behind shows.
QStringList entries(const QString &directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot
                                     | QDir::System);
}

} // namespace

class TestOpenPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void missingFileAddsNoTab_data();
    void missingFileAddsNoTab();
    void loadKeepsEncodingAndLineEnds();
    void tabSwitchRestoresSelectionAndModified();
    void showOpenPageBringsItsTabBack();
    void backupWrittenOnSwitchAndDeletedOnClose();
    void tabReleaseWritesBackupAndPreviewFile();
    void zeroByteFileAsks_data();
    void zeroByteFileAsks();
    void readOnlyNotice();
    void newTwiceOpensNewpageTwice();
    void saveAsNameHandling_data();
    void saveAsNameHandling();
    void saveAsAsksBeforeOverwriting();
    void saveAsLeavesTheProject();
    void failedSaveKeepsEverything();
    void saveBeyondTheFileSizeLimit_data();
    void saveBeyondTheFileSizeLimit();
    void saveIntoRemovedDirectory();
    void saveThroughSymbolicLinkKeepsTheLink();
    void closeQuestion_data();
    void closeQuestion();
    void closeAllStopsAtCancel();
    void closingLastTabEmptiesEditor();
    void recentFilesFollowLoads();
    void binaryFileOpens();
    void pageKeepsItsBytes_data();
    void pageKeepsItsBytes();
    void notTextWarning_data();
    void notTextWarning();
    void encodingQuestion_data();
    void encodingQuestion();
    void encodingAnswerHoldsForThePage_data();
    void encodingAnswerHoldsForThePage();
    void windows1252ThatWouldReadAsUtf8();
    void hiddenPageBackupIsLossless();
    void saveAsAddsTheExtension_data();
    void saveAsAddsTheExtension();
    void helperTipsOnNewAndSave_data();
    void helperTipsOnNewAndSave();
};

void TestOpenPages::missingFileAddsNoTab_data()
{
    QTest::addColumn<QString>("name");
    QTest::addRow("missing file") << "nothere.htm";
    QTest::addRow("empty path") << "";
    QTest::addRow("a directory") << "sub";
}

void TestOpenPages::missingFileAddsNoTab()
{
    QFETCH(QString, name);
    Fixture f;
    QDir(f.dir.path()).mkdir("sub");
    const QString path = name.isEmpty() ? QString() : f.dir.filePath(name);
    QVERIFY(!f.pages.LoadFile(path, false));
    QCOMPARE(f.tabs.count(), 0);
    QCOMPARE(f.prompter.texts(), QStringList { "Could not find or open: " + path });
}

void TestOpenPages::loadKeepsEncodingAndLineEnds()
{
    Fixture f;
    const QByteArray bytes = "<p>caf\xe9</p>\r\n<p>\x93quoted\x94</p>\r\n";
    const QString path = f.file("latin.htm", bytes);
    QVERIFY(f.pages.LoadFile(path, false));
    QCOMPARE(f.editor.GetLineText(1), QString::fromUtf8("<p>café</p>"));
    QCOMPARE(f.editor.GetLineText(2), QString::fromUtf8("<p>“quoted”</p>"));
    f.editor.AppendText("<hr>");
    QVERIFY(f.pages.Save1Click());
    QCOMPARE(TestEnvironment::readFile(path), bytes + "<hr>");
}

void TestOpenPages::showOpenPageBringsItsTabBack()
{
    Fixture f;
    const QString a = f.file("a.htm", "first\n");
    const QString b = f.file("b.htm", "second\n");
    QVERIFY(!f.pages.ShowOpenPage(a));
    QCOMPARE(f.pages.count(), 0);

    QVERIFY(f.pages.LoadFile(a, false));
    f.editor.AppendText("unsaved\r");
    QVERIFY(f.pages.LoadFile(b, false));
    QVERIFY(f.pages.ShowOpenPage(QDir(f.dir.path()).filePath("./a.htm")));
    // The tab's own text comes back, not the file's, and no second tab opens.
    QCOMPARE(f.pages.count(), 2);
    QCOMPARE(f.tabs.currentIndex(), 0);
    QCOMPARE(f.pages.currentFileName(), a);
    QCOMPARE(f.editor.Text(), QStringLiteral("first\nunsaved\n"));
    QVERIFY(f.editor.Modified());
    // The page already in front stays as it is.
    QVERIFY(f.pages.ShowOpenPage(a));
    QCOMPARE(f.editor.Text(), QStringLiteral("first\nunsaved\n"));
    QVERIFY(!f.pages.ShowOpenPage(f.dir.filePath("c.htm")));
    QCOMPARE(f.tabs.currentIndex(), 0);
}

void TestOpenPages::tabSwitchRestoresSelectionAndModified()
{
    Fixture f;
    const QString a = f.file("a.htm", "line one\nline two\nline three\n");
    const QString b = f.file("b.htm", "other\n");
    QSignalSpy saveEnabled(&f.pages, &OpenPages::saveEnabledChanged);

    QVERIFY(f.pages.LoadFile(a, false));
    f.editor.StartLine = 2;
    f.editor.StartPos = 1;
    f.editor.EndLine = 3;
    f.editor.EndPos = 4;
    f.editor.ApplySelection();
    f.editor.ReplaceSelection("X"); // modifies page a
    f.editor.StartLine = f.editor.EndLine = 1;
    f.editor.StartPos = 2;
    f.editor.EndPos = 5;
    f.editor.ApplySelection();
    QVERIFY(f.editor.Modified());

    QVERIFY(f.pages.LoadFile(b, false));
    QCOMPARE(f.tabs.currentIndex(), 1);
    QVERIFY(!f.editor.Modified());
    QCOMPARE(f.editor.Text(), QStringLiteral("other\n"));

    saveEnabled.clear();
    f.tabs.setCurrentIndex(0); // the user picks the first tab
    QCOMPARE(f.pages.currentFileName(), a);
    QCOMPARE(f.editor.Text(), QStringLiteral("line one\nlX three\n"));
    QVERIFY(f.editor.Modified());
    QVERIFY(!saveEnabled.isEmpty());
    QCOMPARE(saveEnabled.last().first().toBool(), true);
    f.editor.ReadSelection();
    QCOMPARE(f.editor.StartLine, 1);
    QCOMPARE(f.editor.StartPos, 2);
    QCOMPARE(f.editor.EndLine, 1);
    QCOMPARE(f.editor.EndPos, 5);

    f.tabs.setCurrentIndex(1);
    QVERIFY(!f.editor.Modified());
    QCOMPARE(saveEnabled.last().first().toBool(), false);
    // Undo must not bring back the other page's text.
    f.editor.Undo();
    QCOMPARE(f.editor.Text(), QStringLiteral("other\n"));
}

void TestOpenPages::backupWrittenOnSwitchAndDeletedOnClose()
{
    Fixture f;
    const QString a = f.file("a.htm", "alpha\n");
    const QString b = f.file("b.htm", "beta\n");
    QVERIFY(f.pages.LoadFile(a, false));
    f.editor.AppendText("edited");
    QVERIFY(f.pages.LoadFile(b, false));
    QCOMPARE(TestEnvironment::readFile(a + "_"), QByteArray("alpha\nedited"));
    QCOMPARE(TestEnvironment::readFile(a), QByteArray("alpha\n")); // the page itself is untouched

    f.tabs.setCurrentIndex(0);
    f.prompter.answer(Prompter::Answer::No);
    QVERIFY(f.pages.CloseActivePage());
    QVERIFY(!QFile::exists(a + "_"));
    QCOMPARE(f.pages.count(), 1);
    QCOMPARE(f.pages.currentFileName(), b);
    QVERIFY(QFile::exists(b + "_"));
    QVERIFY(f.pages.CloseActivePage());
    QVERIFY(!QFile::exists(b + "_"));
}

void TestOpenPages::tabReleaseWritesBackupAndPreviewFile()
{
    Fixture f;
    const QString a = f.file("a.htm", "alpha\n");
    QVERIFY(f.pages.LoadFile(a, false));
    f.editor.AppendText("more");
    QSignalSpy status(&f.pages, &OpenPages::statusText);
    QTest::mouseRelease(&f.tabs, Qt::LeftButton);
    QCOMPARE(status.last().first().toString(),
             QStringLiteral("A backup of the File has been saved with a '_' character appended."));
    QCOMPARE(TestEnvironment::readFile(a + "_"), QByteArray("alpha\nmore"));
    QCOMPARE(TestEnvironment::readFile(f.dir.filePath("tarnview.htm")), QByteArray("alpha\nmore"));
    f.prompter.answer(Prompter::Answer::No);
    QVERIFY(f.pages.CloseActivePage());
    QVERIFY(!QFile::exists(f.dir.filePath("tarnview.htm")));

    // A Windows-1252 page: the browser's copy stays Windows-1252, the backup loses nothing.
    const QString latin = f.file("latin.htm", "caf\xE9\r\n");
    QVERIFY(f.pages.LoadFile(latin, false));
    f.editor.AppendText(u"Ω"_s);
    QTest::mouseRelease(&f.tabs, Qt::LeftButton);
    QCOMPARE(TestEnvironment::readFile(f.dir.filePath("tarnview.htm")),
             QByteArray("caf\xE9\r\n&#937;"));
    QCOMPARE(TestEnvironment::readFile(latin + "_"), QByteArray("caf\xC3\xA9\r\n\xCE\xA9"));
    QVERIFY(f.prompter.messages().size() == 1); // the close question only
}

void TestOpenPages::zeroByteFileAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("creationRequests");
    QTest::addRow("yes") << int(Prompter::Answer::Yes) << 1;
    QTest::addRow("no") << int(Prompter::Answer::No) << 0;
}

void TestOpenPages::zeroByteFileAsks()
{
    QFETCH(int, answer);
    QFETCH(int, creationRequests);
    Fixture f;
    const QString empty = f.file("empty.htm", "");
    QSignalSpy creation(&f.pages, &OpenPages::newPageCreationRequested);
    f.prompter.answer(Prompter::Answer(answer));
    QVERIFY(f.pages.LoadFile(empty, false));
    QCOMPARE(f.prompter.messages().size(), 1);
    QCOMPARE(f.prompter.messages().first().text,
             QStringLiteral("Empty file, start creation of new page?"));
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Information);
    QCOMPARE(f.prompter.messages().first().buttons, Prompter::Buttons::YesNo);
    QCOMPARE(creation.size(), creationRequests);
    QCOMPARE(f.pages.count(), 1);
    QVERIFY(!f.editor.Modified());
}

void TestOpenPages::readOnlyNotice()
{
    Fixture f;
    const QString path = f.file("ro.htm", "<p>x</p>");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QVERIFY(f.pages.LoadFile(path, false));
    QCOMPARE(f.prompter.texts(), QStringList { "File opened in Read-Only mode" });
    f.editor.AppendText("y");
    QCOMPARE(f.editor.Text(), QStringLiteral("<p>x</p>y"));
}

void TestOpenPages::newTwiceOpensNewpageTwice()
{
    Fixture f;
    f.prompter.answer(Prompter::Answer::No);
    f.prompter.answer(Prompter::Answer::No);
    f.pages.New1Click();
    f.pages.New1Click();
    const QString newPage = f.dir.path() + "/newpage.htm";
    QCOMPARE(f.pages.count(), 2);
    QCOMPARE(f.pages.page(0).fileName, newPage);
    QCOMPARE(f.pages.page(1).fileName, newPage);
    QVERIFY(QFile::exists(newPage));
    QCOMPARE(f.tabs.tabText(1), QStringLiteral("newpage.htm"));
}

void TestOpenPages::saveAsNameHandling_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("tabCaption");
    QTest::addRow("file name lower-cased") << "Site/Index.HTM"
                                           << "Site/index.htm"
                                           << "index.htm";
    QTest::addRow("directory keeps its case") << "My Pages/About.Html"
                                              << "My Pages/about.html"
                                              << "about.html";
    QTest::addRow("lower case unchanged") << "Site/plain.htm"
                                          << "Site/plain.htm"
                                          << "plain.htm";
}

void TestOpenPages::saveAsNameHandling()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QString, tabCaption);
    Fixture f;
    QDir(f.dir.path()).mkpath(chosen.section('/', 0, 0));
    const QString source = f.file("source.htm", "<p>hi</p>");
    QVERIFY(f.pages.LoadFile(source, false));
    f.prompter.answerFile(f.dir.filePath(chosen));
    QVERIFY(f.pages.SaveAs1Click());
    const QString target = f.dir.filePath(written);
    QCOMPARE(TestEnvironment::readFile(target), QByteArray("<p>hi</p>"));
    QCOMPARE(f.pages.currentFileName(), target);
    QCOMPARE(f.tabs.tabText(0), tabCaption);
    QCOMPARE(f.settings.LastFiles.File1, target);
    QVERIFY(!f.editor.Modified());
    const Prompter::FileRequest request = f.prompter.fileRequests().first();
    QCOMPARE(request.filter, QStringLiteral("HTML Documents|*.htm;*.html|Frame Settings|*.set"));
    QCOMPARE(request.filterIndex, 0);
}

void TestOpenPages::saveAsAsksBeforeOverwriting()
{
    Fixture f;
    const QString source = f.file("source.htm", "new text");
    const QString existing = f.file("existing.htm", "old text");
    QVERIFY(f.pages.LoadFile(source, false));

    f.prompter.answerFile(f.dir.filePath("Existing.htm")); // lower-cases onto the existing file
    f.prompter.answer(Prompter::Answer::Cancel);
    QVERIFY(!f.pages.SaveAs1Click());
    QCOMPARE(f.prompter.texts().last(), QStringLiteral("Overwrite existing file?"));
    QCOMPARE(f.prompter.messages().last().buttons, Prompter::Buttons::OkCancel);
    QCOMPARE(TestEnvironment::readFile(existing), QByteArray("old text"));
    QCOMPARE(f.pages.currentFileName(), source);

    f.prompter.answerFile(existing);
    f.prompter.answer(Prompter::Answer::Ok);
    QVERIFY(f.pages.SaveAs1Click());
    QCOMPARE(TestEnvironment::readFile(existing), QByteArray("new text"));
}

void TestOpenPages::saveAsLeavesTheProject()
{
    Fixture f;
    const QString source = f.file("page.htm", "x");
    QVERIFY(f.pages.LoadFile(source, true));
    f.prompter.answerFile(f.dir.filePath("copy.htm"));
    QVERIFY(f.pages.SaveAs1Click());
    QCOMPARE(f.prompter.texts().last(),
             QStringLiteral("A Save As function has been performed on document that was in a "
                            "project.  The file that is being edited is no longer part of that "
                            "project."));
    QVERIFY(!f.pages.page(0).inProject);
}

void TestOpenPages::failedSaveKeepsEverything()
{
    Fixture f;
    QDir(f.dir.path()).mkdir("locked");
    const QString path = f.file("locked/page.htm", "original");
    QVERIFY(f.pages.LoadFile(path, false));
    f.editor.SetText("changed text");
    QVERIFY(f.editor.Modified());

    LockedDirectory lock(f.dir.filePath("locked"));
    if (!lock.locked())
        QSKIP("cannot make a directory unwritable here");
    QVERIFY(!f.pages.Save1Click());
    QCOMPARE(f.prompter.messages().size(), 1);
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Error);
    QVERIFY(f.prompter.texts().first().contains(path));
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("original"));
    QCOMPARE(f.editor.Text(), QStringLiteral("changed text"));
    QVERIFY(f.editor.Modified());

    // Closing with "Yes" but a failing save keeps the page and its text.
    f.prompter.answer(Prompter::Answer::Yes);
    QVERIFY(!f.pages.CloseActivePage());
    QCOMPARE(f.pages.count(), 1);
    QCOMPARE(f.editor.Text(), QStringLiteral("changed text"));
}

void TestOpenPages::closeQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::addRow("yes saves and closes")
        << int(Prompter::Answer::Yes) << true << QByteArray("v1 plus");
    QTest::addRow("no closes without saving")
        << int(Prompter::Answer::No) << true << QByteArray("v1");
    QTest::addRow("cancel keeps the page")
        << int(Prompter::Answer::Cancel) << false << QByteArray("v1");
}

void TestOpenPages::closeQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(QByteArray, onDisk);
    Fixture f;
    const QString path = f.file("page.htm", "v1");
    QVERIFY(f.pages.LoadFile(path, false));
    f.editor.AppendText(" plus");
    f.prompter.answer(Prompter::Answer(answer));
    QCOMPARE(f.pages.CloseActivePage(), closed);
    QCOMPARE(f.prompter.texts(), QStringList { "Save " + path + " before closing?" });
    QCOMPARE(f.prompter.messages().first().buttons, Prompter::Buttons::YesNoCancel);
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Confirmation);
    QCOMPARE(TestEnvironment::readFile(path), onDisk);
    QCOMPARE(f.pages.count(), closed ? 0 : 1);
}

void TestOpenPages::closeAllStopsAtCancel()
{
    Fixture f;
    const QString a = f.file("a.htm", "a");
    const QString b = f.file("b.htm", "b");
    QVERIFY(f.pages.LoadFile(a, false));
    f.editor.AppendText("1");
    QVERIFY(f.pages.LoadFile(b, false));
    f.editor.AppendText("2");
    // The second tab is active, so it is asked about first.
    f.prompter.answer(Prompter::Answer::No);
    f.prompter.answer(Prompter::Answer::Cancel);
    QVERIFY(!f.pages.CloseAllPages());
    QCOMPARE(f.pages.count(), 1);
    QCOMPARE(f.pages.currentFileName(), a);
    QCOMPARE(f.editor.Text(), QStringLiteral("a1"));
    QVERIFY(f.editor.Modified());
}

void TestOpenPages::closingLastTabEmptiesEditor()
{
    Fixture f;
    QSignalSpy state(&f.pages, &OpenPages::pageStateChanged);
    QSignalSpy caption(&f.pages, &OpenPages::captionChanged);
    const QString a = f.file("a.htm", "a");
    QVERIFY(f.pages.LoadFile(a, false));
    QCOMPARE(caption.last().first().toString(), "Tarnwick - " + a.toUpper());
    QVERIFY(f.pages.CloseActivePage());
    QCOMPARE(state.last().first().toBool(), false);
    QCOMPARE(caption.last().first().toString(), QStringLiteral("Tarnwick - "));
    QCOMPARE(f.editor.Text(), QString());
    QCOMPARE(f.pages.currentFileName(), QString());
    QVERIFY(!f.pages.CloseActivePage());
}

void TestOpenPages::recentFilesFollowLoads()
{
    Fixture f;
    QStringList paths;
    for (int i = 1; i <= 5; ++i)
        paths << f.file(QStringLiteral("p%1.htm").arg(i), "x");
    for (const QString &p : paths)
        QVERIFY(f.pages.LoadFile(p, false));
    QCOMPARE(f.settings.LastFiles.files(),
             (QStringList { paths[4], paths[3], paths[2], paths[1] }));
    QVERIFY(f.pages.LoadFile(paths[2], false)); // already open: a second tab, moves to the top
    QCOMPARE(f.settings.LastFiles.files(),
             (QStringList { paths[2], paths[4], paths[3], paths[1] }));
}

void TestOpenPages::binaryFileOpens()
{
    Fixture f;
    QByteArray bytes; // every byte value, CR and NUL included
    for (int i = 0; i < 4096; ++i)
        bytes.append(char(i * 7 % 256));
    const QString path = f.file("image.gif", bytes);
    QVERIFY(f.pages.LoadFile(path, false));
    QCOMPARE(f.pages.count(), 1);
    f.editor.SetModified(true);
    QVERIFY(f.pages.Save1Click());
    QCOMPARE(TestEnvironment::readFile(path), bytes);
}

void TestOpenPages::pageKeepsItsBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("typed"); // at the start of the page
    QTest::addColumn<QByteArray>("typedAs");

    // 39 bytes; before, it came back as 40.
    const QByteArray crlfWithLf = "<p>a</p>\r\n<p>b</p>\n<p>c</p>\r\n<p>d</p>\r\n";
    QTest::addRow("crlf page with one bare lf") << crlfWithLf << QString() << QByteArray();
    QTest::addRow("crlf page with one bare lf, a line typed") << crlfWithLf << "<!-- x -->\n"
                                                              << QByteArray("<!-- x -->\r\n");
    QTest::addRow("lf page with a lone cr")
        << QByteArray("<p>\n<b>x</b>\r<i>y</i>\n</p>\n") << QString() << QByteArray();
    QTest::addRow("cr page, a line typed") << QByteArray("a\rb\r\nc\r") << "new\n"
                                           << QByteArray("new\r");
    QTest::addRow("1252 with mixed line ends, no final line end")
        << QByteArray("caf\xE9\r\n\x93q\x94\n\xFF\rend") << QString() << QByteArray();
    QTest::addRow("only line ends") << QByteArray("\r\n\n\r\r\n\n") << QString() << QByteArray();
}

void TestOpenPages::pageKeepsItsBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, typed);
    QFETCH(QByteArray, typedAs);
    Fixture f;
    const QString path = f.file("page.htm", bytes);
    const QString other = f.file("other.htm", "<p>other</p>\n");
    QVERIFY(f.pages.LoadFile(path, false));
    if (!typed.isEmpty())
        f.editor.InsertAtLine(1, 0, typed);

    // Through a hidden tab and its backup, and back.
    QVERIFY(f.pages.LoadFile(other, false));
    if (typed.isEmpty())
        QCOMPARE(TestEnvironment::readFile(path + "_"), bytes);
    f.tabs.setCurrentIndex(0);
    f.editor.SetModified(true); // "Save" writes whatever the state
    QVERIFY(f.pages.Save1Click());
    QCOMPARE(TestEnvironment::readFile(path), typedAs + bytes);
    QVERIFY(f.prompter.messages().isEmpty());
}

void TestOpenPages::notTextWarning_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("warned");
    QTest::addRow("nul bytes") << QByteArray("GIF89a\0\0\x01\r\n", 11) << true;
    QTest::addRow("mostly control characters") << QByteArray("\x01\x02\x03\x04\x05"
                                                             "abc")
                                               << true;
    QTest::addRow("a page") << QByteArray("<p>caf\xE9</p>\r\n\t\f") << false;
}

void TestOpenPages::notTextWarning()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, warned);
    Fixture f;
    const QString path = f.file("file.htm", bytes);
    QVERIFY(f.pages.LoadFile(path, false));
    QCOMPARE(f.pages.count(), 1);
    const QStringList expected { path
                                 + " does not look like a text page: it holds NUL bytes or many "
                                   "control characters. It is opened as it is, and saving it "
                                   "unchanged writes back the same bytes." };
    QCOMPARE(f.prompter.texts(), warned ? expected : QStringList {});
    if (warned)
        QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Information);
    f.editor.SetModified(true);
    QVERIFY(f.pages.Save1Click());
    QCOMPARE(TestEnvironment::readFile(path), bytes);
}

void TestOpenPages::encodingQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("utf8");

    QTest::addRow("yes writes character references")
        << int(Prompter::Answer::Yes) << true
        << QByteArray("<p>caf\xE9</p>&#937;&#8594;\r\n<p>\xE0</p>\r\n")
        << u"<p>café</p>&#937;&#8594;\n<p>à</p>\n"_s << false;
    QTest::addRow("no saves the page as utf-8")
        << int(Prompter::Answer::No) << true
        << QByteArray("<p>caf\xC3\xA9</p>\xCE\xA9\xE2\x86\x92\r\n<p>\xC3\xA0</p>\r\n")
        << u"<p>café</p>Ω→\n<p>à</p>\n"_s << true;
    QTest::addRow("cancel writes nothing")
        << int(Prompter::Answer::Cancel) << false << QByteArray("<p>caf\xE9</p>\r\n<p>\xE0</p>\r\n")
        << u"<p>café</p>Ω→\n<p>à</p>\n"_s << false;
}

void TestOpenPages::encodingQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, saved);
    QFETCH(QByteArray, onDisk);
    QFETCH(QString, shown);
    QFETCH(bool, utf8);
    Fixture f;
    const QString path = f.file("page.htm", "<p>caf\xE9</p>\r\n<p>\xE0</p>\r\n");
    QVERIFY(f.pages.LoadFile(path, false));
    caretToLineEnd(f.editor, 1);
    f.editor.ReplaceSelection(u"Ω→"_s);

    f.prompter.answer(Prompter::Answer(answer));
    QCOMPARE(f.pages.Save1Click(), saved);
    QCOMPARE(f.prompter.texts(), QStringList { encodingQuestionText(path, u"Ω → "_s) });
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Confirmation);
    QCOMPARE(f.prompter.messages().first().buttons, Prompter::Buttons::YesNoCancel);
    QCOMPARE(TestEnvironment::readFile(path), onDisk);
    QCOMPARE(f.editor.Text(), shown);
    QCOMPARE(f.editor.Modified(), !saved);
    QCOMPARE(f.editor.FileFormat().encoding == TextFileFormat::Encoding::Utf8, utf8);
    if (Prompter::Answer(answer) == Prompter::Answer::Yes) {
        // The references are one step to undo.
        f.editor.Undo();
        QCOMPARE(f.editor.Text(), u"<p>café</p>Ω→\n<p>à</p>\n"_s);
    }
}

void TestOpenPages::encodingAnswerHoldsForThePage_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("secondSave");
    QTest::addRow("yes") << int(Prompter::Answer::Yes)
                         << QByteArray("\xE9&#937;&#128512;&#937;\r\nx\r\n");
    QTest::addRow("no") << int(Prompter::Answer::No)
                        << QByteArray("\xC3\xA9\xCE\xA9\xF0\x9F\x98\x80\xCE\xA9\r\nx\r\n");
}

void TestOpenPages::encodingAnswerHoldsForThePage()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, secondSave);
    Fixture f;
    const QString a = f.file("a.htm", "\xE9\r\n");
    const QString b = f.file("b.htm", "\xE8\r\n");
    QVERIFY(f.pages.LoadFile(a, false));
    caretToLineEnd(f.editor, 1);
    f.editor.ReplaceSelection(u"Ω"_s);
    f.prompter.answer(Prompter::Answer(answer));
    QVERIFY(f.pages.Save1Click());

    // Another page is asked about on its own.
    QVERIFY(f.pages.LoadFile(b, false));
    f.editor.AppendText(u"→"_s);
    f.prompter.answer(Prompter::Answer::Cancel);
    QVERIFY(!f.pages.Save1Click());
    QCOMPARE(f.prompter.texts().last(), encodingQuestionText(b, u"→ "_s));

    // Back on the first page nothing is asked again.
    f.tabs.setCurrentIndex(0);
    const int asked = int(f.prompter.messages().size());
    caretToLineEnd(f.editor, 1);
    f.editor.ReplaceSelection(u"😀Ω"_s);
    f.editor.AppendText(u"x\n"_s);
    QVERIFY(f.pages.Save1Click());
    QCOMPARE(f.prompter.messages().size(), asked);
    QCOMPARE(TestEnvironment::readFile(a), secondSave);
}

void TestOpenPages::windows1252ThatWouldReadAsUtf8()
{
    Fixture f;
    // The lone 0xE9 makes it Windows-1252, so "\xC3\xA9" reads as two letters.
    const QString path = f.file("page.htm", "<p>\xC3\xA9</p><p>caf\xE9</p>\n");
    QVERIFY(f.pages.LoadFile(path, false));
    QCOMPARE(f.editor.Text(), u"<p>Ã©</p><p>café</p>\n"_s);
    f.editor.ReplaceText(u"<p>café</p>"_s, QString());
    QVERIFY(f.pages.Save1Click());
    // Plain Windows-1252 bytes would now be valid UTF-8 and read back as "é".
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("<p>&#195;&#169;</p>\n"));
    QCOMPARE(f.editor.Text(), u"<p>&#195;&#169;</p>\n"_s);
    QVERIFY(f.prompter.messages().isEmpty());
    QCOMPARE(TextFile::read(path)->text, f.editor.Text());
}

void TestOpenPages::hiddenPageBackupIsLossless()
{
    Fixture f;
    const QString a = f.file("a.htm", "caf\xE9\r\n");
    const QString b = f.file("b.htm", "b\n");
    QVERIFY(f.pages.LoadFile(a, false));
    f.editor.AppendText(u"Ω"_s);
    QVERIFY(f.pages.LoadFile(b, false));
    // No question for a backup: it holds the text in UTF-8 rather than lose the omega.
    QVERIFY(f.prompter.messages().isEmpty());
    QCOMPARE(TestEnvironment::readFile(a + "_"), QByteArray("caf\xC3\xA9\r\n\xCE\xA9"));
    QCOMPARE(TestEnvironment::readFile(a), QByteArray("caf\xE9\r\n"));
    // The page itself is still Windows-1252 when it comes back.
    f.tabs.setCurrentIndex(0);
    QCOMPARE(f.editor.FileFormat().encoding, TextFileFormat::Encoding::Windows1252);
}

void TestOpenPages::saveAsAddsTheExtension_data()
{
    QTest::addColumn<QString>("extensions");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");

    QTest::addRow("first valid extension") << "html,htm,shtm,shtml"
                                           << "NewOne"
                                           << "newone.html";
    QTest::addRow("name ending in a dot") << "html,htm"
                                          << "NewOne."
                                          << "newone.html";
    QTest::addRow("extensions written with dots") << ".htm, .html"
                                                  << "NewOne"
                                                  << "newone.htm";
    QTest::addRow("a dot in the folder only") << "html"
                                              << "my.site/NewOne"
                                              << "my.site/newone.html";
    QTest::addRow("an extension of its own is kept") << "html"
                                                     << "Notes.TXT"
                                                     << "notes.txt";
    QTest::addRow("no valid extension set") << ""
                                            << "NewOne"
                                            << "newone";
}

void TestOpenPages::saveAsAddsTheExtension()
{
    QFETCH(QString, extensions);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    Fixture f;
    f.settings.Defaults.Extension = extensions;
    QDir(f.dir.path()).mkpath("my.site");
    QVERIFY(f.pages.LoadFile(f.file("source.htm", "<p>hi</p>"), false));
    f.prompter.answerFile(f.dir.filePath(chosen));
    QVERIFY(f.pages.SaveAs1Click());
    const QString target = f.dir.filePath(written);
    QCOMPARE(f.pages.currentFileName(), target);
    QCOMPARE(TestEnvironment::readFile(target), QByteArray("<p>hi</p>"));

    // The name with its extension is the one asked about when it exists.
    f.prompter.answerFile(f.dir.filePath(chosen));
    f.prompter.answer(Prompter::Answer::Cancel);
    QVERIFY(!f.pages.SaveAs1Click());
    QCOMPARE(f.prompter.texts(), QStringList { "Overwrite existing file?" });
}

void TestOpenPages::helperTipsOnNewAndSave_data()
{
    QTest::addColumn<QByteArray>("stored"); // the [Helpers] group of the settings file
    QTest::addColumn<bool>("untick");
    QTest::addColumn<QStringList>("shown");

    QTest::addRow("flags stored as 1")
        << QByteArray("NewFile=1\nSavingToDefault=1\n") << false
        << QStringList { "Orphan Pages: tip 1", "Saving To Default: tip 9", "Orphan Pages: tip 1",
                         "Saving To Default: tip 9" };
    QTest::addRow("nothing stored")
        << QByteArray() << false
        << QStringList { "Orphan Pages: tip 1", "Saving To Default: tip 9", "Orphan Pages: tip 1",
                         "Saving To Default: tip 9" };
    QTest::addRow("unticked once, not shown again")
        << QByteArray("NewFile=1\nSavingToDefault=1\n") << true
        << QStringList { "Orphan Pages: tip 1", "Saving To Default: tip 9" };
    QTest::addRow("flags stored as 0")
        << QByteArray("NewFile=0\nSavingToDefault=0\n") << false << QStringList {};
}

void TestOpenPages::helperTipsOnNewAndSave()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, untick);
    QFETCH(QStringList, shown);

    QTemporaryDir dir;
    QStringList tipLines;
    for (int i = 1; i <= 12; ++i)
        tipLines << QStringLiteral("*tip %1").arg(i);
    QVERIFY(TestEnvironment::writeFile(dir.filePath("TIPS.TXT"), tipLines.join('\n').toUtf8()));
    QVERIFY(TestEnvironment::writeFile(dir.filePath("settings.conf"), "[Helpers]\n" + stored));
    Settings settings(
        std::make_unique<QSettings>(dir.filePath("settings.conf"), QSettings::IniFormat));
    QVERIFY(settings.ReadIni());
    ScriptedPrompter prompter;
    EditorControl editor;
    QTabBar tabs;
    OpenPages pages(&editor, &tabs, &prompter, &settings, dir.path() + "/");
    QStringList seen;
    Tips tips(settings, dir.path(), [&](TipSession &session) {
        seen << session.caption() + ": " + session.tip().text;
        session.setChecked(!untick);
    });
    pages.setHelperTipHook([&](int number) { tips.ShowHelperTip(number); });

    const QString other = dir.filePath("other.htm");
    QVERIFY(TestEnvironment::writeFile(other, "x"));
    prompter.answer(Prompter::Answer::No); // no new-page builder for the empty file
    for (int round = 0; round < 2; ++round) {
        pages.New1Click();
        editor.AppendText("<p>new</p>");
        QVERIFY(pages.Save1Click());
        // Saving any other page shows nothing.
        QVERIFY(pages.LoadFile(other, false));
        QVERIFY(pages.Save1Click());
    }
    QCOMPARE(seen, shown);
    QCOMPARE(TestEnvironment::readFile(dir.filePath("newpage.htm")),
             QByteArray("<p>new</p><p>new</p>"));
    QVERIFY(prompter.scriptUsedUp());
}

void TestOpenPages::saveBeyondTheFileSizeLimit_data()
{
    QTest::addColumn<int>("size");
    QTest::addRow("a small page") << 10000;
    QTest::addRow("a large page") << 100000;
}

void TestOpenPages::saveBeyondTheFileSizeLimit()
{
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString path = dir.filePath("page.htm");
    QVERIFY(TestEnvironment::writeFile(path, "<p>original</p>\n"));

    const FileSizeLimit::Child child = FileSizeLimit::runChild(
        { QString::fromLatin1(saveUnderLimitRole), path, QString::number(size) }, 4096);
    QVERIFY(child.finished);
    QCOMPARE(child.exitCode, 0);
    const QStringList report = QString::fromLocal8Bit(child.output).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(report.mid(0, 3), (QStringList { "saved 0", "modified 1", "kept 1" }));
    QCOMPARE(report.size(), 4); // one message, an error naming the page and the cause
    QVERIFY2(report.at(3).startsWith("error ") && report.at(3).contains(path)
                 && report.at(3).contains(QString::fromLocal8Bit(std::strerror(EFBIG))),
             qPrintable(report.at(3)));
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("<p>original</p>\n"));
    QCOMPARE(entries(dir.path()), QStringList { "page.htm" }); // no temporary file left
}

void TestOpenPages::saveIntoRemovedDirectory()
{
    Fixture f;
    const QString site = f.dir.filePath("site");
    const QString path = f.file("site/page.htm", "original");
    QVERIFY(f.pages.LoadFile(path, false));
    QVERIFY(QDir(site).removeRecursively()); // by another program, while the page is open
    f.editor.AppendText(" changed");

    QVERIFY(!f.pages.Save1Click());
    QCOMPARE(f.prompter.messages().size(), 1);
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Error);
    QVERIFY2(f.prompter.texts().first().contains(path), qPrintable(f.prompter.texts().first()));
    QCOMPARE(f.editor.Text(), QStringLiteral("original changed"));
    QVERIFY(f.editor.Modified());
    QVERIFY(!QFileInfo::exists(site));

    // The folder is back: the same page saves.
    QVERIFY(QDir().mkpath(site));
    QVERIFY(f.pages.Save1Click());
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("original changed"));
}

void TestOpenPages::saveThroughSymbolicLinkKeepsTheLink()
{
    Fixture f;
    const QString target = f.file("shared/page.htm", "original");
    const QString link = f.dir.filePath("page.htm");
    QVERIFY(QFile::link(target, link));
    QVERIFY(f.pages.LoadFile(link, false));
    QCOMPARE(f.pages.currentFileName(), link); // the page is known by the name it was opened as
    f.editor.AppendText(" changed");
    QVERIFY(f.pages.Save1Click());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QCOMPARE(TestEnvironment::readFile(target), QByteArray("original changed"));
    QVERIFY(!f.editor.Modified());
    QCOMPARE(entries(f.dir.filePath("shared")), QStringList { "page.htm" });
}

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], saveUnderLimitRole) == 0)
        return saveUnderLimit(argc, argv);
    QApplication application(argc, argv);
    TestOpenPages test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_openpages.moc"
