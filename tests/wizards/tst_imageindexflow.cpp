// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "testenvironment.h"
#include "wizards/generatorcommands.h"
#include "wizards/imageindex.h"
#include "wizards/timageindexform.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Tarnwick;

namespace {

// The generators over a real editor; opening a page loads it into the editor
// as a tab switch would, and the page stays "open" until another one is loaded.
struct Fixture
{
    QTemporaryDir program;
    QTemporaryDir images;
    ScriptedPrompter prompter;
    EditorControl editor;
    QString openPage;
    bool openFails = false;
    QStringList loads;
    std::unique_ptr<GeneratorCommands> commands;

    Fixture()
    {
        for (const char *name : { "a.gif", "B.JPG", "c.png" })
            TestEnvironment::writeFile(images.filePath(name), "GIF89a");
        editor.SetText("<P>another page</P>\n");
        GeneratorCommands::Parts parts;
        parts.editor = &editor;
        parts.prompter = &prompter;
        parts.programDirectory = program.path() + '/';
        parts.pageDirectory = [this] { return images.path(); };
        parts.loadFile = [this](const QString &path) {
            loads << path;
            if (openFails || !editor.LoadFromFile(path).ok())
                return false;
            openPage = path;
            return true;
        };
        parts.showOpenPage = [this](const QString &path) { return path == openPage; };
        commands = std::make_unique<GeneratorCommands>(parts);
    }

    QString indexPath() const { return program.filePath("images.htm"); }

    // Runs the command; when its dialog shows, act on it. False when no dialog came.
    bool run(const std::function<void(TImageIndexForm *)> &act)
    {
        bool shown = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            if (auto *form = qobject_cast<TImageIndexForm *>(QApplication::activeModalWidget())) {
                poll.stop();
                shown = true;
                act(form);
            }
        });
        poll.start();
        commands->ImageIndexClick();
        return shown;
    }

    static void create(TImageIndexForm *form, const QString &directory)
    {
        form->setDirectory(directory);
        form->findChild<QPushButton *>("CreateBtn")->click();
    }

    QString entries() const
    {
        const QString d = images.path() + '/';
        // By name, ignoring case, as the list shows them.
        return "File location: " + d + "a.gif><br>\n<img src=\"" + d + "a.gif\"><br>\n"
            + "File location: " + d + "B.JPG><br>\n<img src=\"" + d + "B.JPG\"><br>\n\n";
    }
};

} // namespace

class TestImageIndexFlow final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void twoRunsAppendToTheSamePage()
    {
        Fixture f;
        QVERIFY(!QFile::exists(f.indexPath()));
        QVERIFY(f.run([&](TImageIndexForm *form) {
            // The page exists with its heading before the dialog opens.
            QCOMPARE(TestEnvironment::readFile(f.indexPath()),
                     QByteArray("<CENTER><H2>Image Index</H2></CENTER>\n"));
            QCOMPARE(form->findChild<QLabel *>("DirLabel")->text(), f.images.path());
            QCOMPARE(form->mask(), QStringLiteral("*.gif;*.jpg"));
            Fixture::create(form, f.images.path());
        }));
        const QString heading = "<CENTER><H2>Image Index</H2></CENTER>\n";
        QCOMPARE(f.editor.Text(), heading + f.entries());
        QCOMPARE(f.loads, QStringList { f.indexPath() });

        // The page is still open in its tab: it is shown again, not loaded a second time.
        QVERIFY(f.run([&](TImageIndexForm *form) { Fixture::create(form, f.images.path()); }));
        QCOMPARE(f.editor.Text(), heading + f.entries() + f.entries());
        QCOMPARE(f.loads, QStringList { f.indexPath() });
        QVERIFY(f.prompter.messages().isEmpty());
    }

    void failedOpenAppendsNothing()
    {
        Fixture f;
        f.openFails = true;
        QVERIFY(!f.run([](TImageIndexForm *form) { form->reject(); }));
        QCOMPARE(f.editor.Text(), QStringLiteral("<P>another page</P>\n"));
        QCOMPARE(f.loads, QStringList { f.indexPath() });
    }

    void pageThatCannotBeWrittenIsReported()
    {
        Fixture f;
        GeneratorCommands::Parts parts;
        parts.editor = &f.editor;
        parts.prompter = &f.prompter;
        parts.programDirectory = f.program.filePath("missing");
        parts.loadFile = [&](const QString &path) {
            f.loads << path;
            return true;
        };
        GeneratorCommands commands(parts);
        commands.ImageIndexClick();
        QCOMPARE(f.prompter.messages().size(), 1);
        QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Error);
        QVERIFY(f.loads.isEmpty());
        QCOMPARE(f.editor.Text(), QStringLiteral("<P>another page</P>\n"));
    }

    void cancelAndOtherMasks_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("create");
        QTest::addColumn<int>("imageLines");
        QTest::addRow("cancel") << "*.gif;*.jpg" << false << 0;
        QTest::addRow("typed mask, any case") << "*.PNG" << true << 1;
        QTest::addRow("mask matching nothing") << "*.bmp" << true << 0;
    }

    void cancelAndOtherMasks()
    {
        QFETCH(QString, mask);
        QFETCH(bool, create);
        QFETCH(int, imageLines);
        Fixture f;
        QVERIFY(f.run([&](TImageIndexForm *form) {
            form->setMask(mask);
            if (create)
                Fixture::create(form, f.images.path());
            else
                form->findChild<QPushButton *>("CancelBtn")->click();
        }));
        const QString text = f.editor.Text();
        QCOMPARE(int(text.count("<img src=")), imageLines);
        QCOMPARE(text.endsWith("\n\n"), create);
    }

    void menuPlaces()
    {
        QMenu file;
        for (const char *caption : { "&Save", "&Print...", "P&rinter Setup..." })
            file.addAction(caption);
        file.addSeparator();
        file.addAction("E&xit");
        QMenu insert;
        Fixture f;
        f.commands->fillFileMenu(&file);
        f.commands->fillInsertMenu(&insert);
        QStringList captions;
        for (QAction *action : file.actions())
            captions << (action->isSeparator() ? "-" : action->text());
        QCOMPARE(captions,
                 QStringList({ "&Save", "&Print...", "P&rinter Setup...", "Create &Index of Images",
                               "Page Wise &Guy...", "&Frame Creator...", "Frame Vaza Ded", "-",
                               "E&xit" }));
        captions.clear();
        for (QAction *action : insert.actions().first()->menu()->actions())
            captions << action->text();
        QCOMPARE(captions,
                 QStringList({ "&Table Vaza Ded...", "&Data Form Vaza Ded...",
                               "&Calendar Vaza Ded...", "Zazureva Rido Rev..." }));
    }
};

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestImageIndexFlow test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_imageindexflow.moc"
