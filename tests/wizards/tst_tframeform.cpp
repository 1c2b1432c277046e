// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "tags/markupbuilder.h"
#include "testenvironment.h"
#include "wizards/generatorcommands.h"
#include "wizards/tframeform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace Tarnwick;

namespace {

using Bars = QList<int>; // split, which, value, ... in the order they are set

struct Fixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    EditorControl editor;
    std::unique_ptr<TFrameForm> form;

    Fixture() { form = makeForm(); }

    std::unique_ptr<TFrameForm> makeForm()
    {
        TFrameForm::Context context;
        context.editor = &editor;
        context.prompter = &prompter;
        context.pageDirectory = [this] { return dir.path(); };
        auto made = std::make_unique<TFrameForm>(context);
        made->show();
        if (!QTest::qWaitForWindowExposed(made.get()))
            qWarning("the dialog was not exposed");
        return made;
    }

    void setBars(const Bars &bars)
    {
        for (qsizetype i = 0; i + 2 < bars.size(); i += 3)
            form->setBar(bars.at(i), bars.at(i + 1), bars.at(i + 2));
        QCoreApplication::processEvents();
    }

    QPushButton *finished() const { return form->findChild<QPushButton *>("FinishedBtn"); }

    // Steps with Next from the start page until Finished shows; the frames
    // visited, in order.
    QList<int> stepThrough()
    {
        QList<int> seen;
        form->NextClick();
        seen.append(form->currentFrame());
        for (int i = 0; i < 10 && !finished()->isVisible(); ++i) {
            form->NextClick();
            if (!finished()->isVisible())
                seen.append(form->currentFrame());
        }
        return seen;
    }
};

} // namespace

class TestTFrameForm final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void stepping_data();
    void stepping();
    void generationReplacesThePage_data();
    void generationReplacesThePage();
    void savedLayoutReturnsExactly_data();
    void savedLayoutReturnsExactly();
    void badRecordsChangeNothing();
    void fileButtonStoresRelativeNames_data();
    void fileButtonStoresRelativeNames();
    void blankOrOverlongNameIsRefused();
    void fileMenuStartsTheDialog();
    void draggingAHandleMovesItsBar_data();
    void draggingAHandleMovesItsBar();
};

void TestTFrameForm::stepping_data()
{
    QTest::addColumn<Bars>("bars");
    QTest::addColumn<QList<int>>("visited");
    QTest::addRow("defaults visit all nine") << Bars {} << QList<int> { 1, 2, 3, 4, 5, 6, 7, 8, 9 };
    QTest::addRow("main second bar at 100 hides row 3")
        << Bars { 0, 1, 100 } << QList<int> { 1, 2, 3, 4, 5, 6 };
    QTest::addRow("main bars at 99 and 100 leave row 1")
        << Bars { 0, 1, 100, 0, 0, 99 } << QList<int> { 1, 2, 3 };
    QTest::addRow("row 1 at 99 and 100 is one cell")
        << Bars { 1, 1, 100, 1, 0, 99 } << QList<int> { 1, 4, 5, 6, 7, 8, 9 };
    QTest::addRow("row 2 second bar at 100 drops its third cell")
        << Bars { 2, 1, 100 } << QList<int> { 1, 2, 3, 4, 5, 7, 8, 9 };
    QTest::addRow("by columns, column 3 split at 99 and 100")
        << Bars { -1, 0, 1, 3, 1, 100, 3, 0, 99 } << QList<int> { 1, 2, 3, 4, 5, 6, 7 };
}

void TestTFrameForm::stepping()
{
    QFETCH(Bars, bars);
    QFETCH(QList<int>, visited);
    Fixture f;
    if (!bars.isEmpty() && bars.first() == -1) { // orientation first
        f.form->setByColumns(true);
        bars = bars.mid(3);
    }
    f.setBars(bars);
    QCOMPARE(f.stepThrough(), visited);
    QCOMPARE(f.form->currentFrame(), visited.constLast());
    for (int n = 1; n <= 9; ++n)
        QCOMPARE(f.form->records()[n - 1].name.isEmpty(), !visited.contains(n));
    // Prev walks back over the same frames, then to the layout.
    QList<int> back;
    while (!f.form->onStartPage()) {
        back.prepend(f.form->currentFrame());
        f.form->PrevClick();
        QVERIFY(back.size() <= 9);
    }
    QCOMPARE(back, visited);
    QVERIFY(!f.finished()->isVisible());
}

void TestTFrameForm::generationReplacesThePage_data()
{
    QTest::addColumn<Bars>("bars");
    QTest::addColumn<QStringList>("frameset");
    const QString f1 = "<FRAME SRC=\"top.htm\" NAME=\"Frame: 1\" MARGINWIDTH=\"4\">";
    QTest::addRow("defaults") << Bars {}
                              << QStringList {
                                     "<FRAMESET ROWS=\"33%,*,34%\">",
                                     "<FRAMESET COLS=\"33%,*,34%\">",
                                     f1,
                                     "<FRAME SRC=\"\" NAME=\"Frame: 2\">",
                                     "<FRAME SRC=\"\" NAME=\"Frame: 3\">",
                                     "</FRAMESET>",
                                 };
    QTest::addRow("two rows, row 1 one frame")
        << Bars { 0, 1, 100, 0, 0, 40, 1, 1, 100, 1, 0, 99 }
        << QStringList { "<FRAMESET ROWS=\"40%,*\">", f1, "<FRAMESET COLS=\"33%,*,34%\">",
                         "<FRAME SRC=\"\" NAME=\"Frame: 4\">" };
}

void TestTFrameForm::generationReplacesThePage()
{
    QFETCH(Bars, bars);
    QFETCH(QStringList, frameset);
    Fixture f;
    f.editor.SetText("<P>the old page</P>");
    f.setBars(bars);
    f.form->NextClick();
    QCOMPARE(f.form->currentFrame(), 1);
    auto *source = f.form->findChild<QLineEdit *>("HtmlFilename");
    source->setText("top.htm");
    emit source->editingFinished();
    f.form->findChild<QSpinBox *>("MarginWidth")->setValue(4);
    f.form->GenerateClick();
    QCOMPARE(f.form->result(), int(QDialog::Accepted));
    const QStringList lines
        = f.editor.Text().split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.mid(0, 5),
             QStringList({ "<HTML>", "<HEAD>", "<meta charset=\"utf-8\">",
                           "<TITLE>Document Title</TITLE>", "</HEAD>" }));
    QCOMPARE(lines.mid(5, frameset.size()), frameset);
    QVERIFY(lines.contains("<NOFRAMES>"));
    QCOMPARE(lines.constLast(), QStringLiteral("</HTML>"));
    f.editor.Undo();
    QCOMPARE(f.editor.Text(), QStringLiteral("<P>the old page</P>"));
}

void TestTFrameForm::savedLayoutReturnsExactly_data()
{
    QTest::addColumn<Bars>("bars");
    QTest::addColumn<bool>("byColumns");
    QTest::addRow("defaults") << Bars {} << false;
    // Set one bar at a time over the shown 33/66, the 20 would be refused.
    QTest::addRow("second bar below the first shown")
        << Bars { 1, 0, 10, 1, 1, 20, 2, 1, 90, 2, 0, 80 } << true;
    QTest::addRow("hidden rows and cells")
        << Bars { 0, 1, 100, 0, 0, 99, 3, 1, 100, 3, 0, 99 } << false;
}

void TestTFrameForm::savedLayoutReturnsExactly()
{
    QFETCH(Bars, bars);
    QFETCH(bool, byColumns);
    Fixture f;
    f.form->setByColumns(byColumns);
    f.setBars(bars);
    f.form->NextClick();
    auto *name = f.form->findChild<QLineEdit *>("FrameName");
    name->setText("menu \"left\"");
    emit name->editingFinished();
    const FrameLayout layout = f.form->layout();
    const FrameRecords records = f.form->records();
    QCOMPARE(records[0].name, QStringLiteral("menu \"left\""));
    const QString path = f.dir.filePath("layout");
    f.prompter.answerFile(path);
    f.form->SaveClick();
    QCOMPARE(QFileInfo(f.dir.filePath("layout.par")).size(), 1728);

    f.form = f.makeForm();
    f.prompter.answerFile(f.dir.filePath("layout.set"));
    f.form->OpenClick();
    QCOMPARE(f.prompter.texts(), QStringList());
    QVERIFY(f.form->layout() == layout);
    QVERIFY(f.form->records() == records);
    for (int split = 0; split < 4; ++split)
        for (int which = 0; which < 2; ++which)
            QCOMPARE(f.form->bar(split, which)->value(), layout.bars[split][which]);
    // Stepping after loading visits the same frames as before saving.
    QCOMPARE(f.form->cell(5)->isVisibleTo(f.form.get()), layout.bars[0][0] < 99);
}

void TestTFrameForm::badRecordsChangeNothing()
{
    Fixture f;
    QFile set(f.dir.filePath("bad.set"));
    QVERIFY(set.open(QIODevice::WriteOnly));
    set.write("1\r\n90\r\n20\r\n66\r\n33\r\n66\r\n33\r\n66\r\n33\r\n");
    set.close();
    QFile par(f.dir.filePath("bad.par"));
    QVERIFY(par.open(QIODevice::WriteOnly));
    par.write(QByteArray(1727, '\0'));
    par.close();
    const FrameLayout before = f.form->layout();
    f.prompter.answerFile(set.fileName());
    f.form->OpenClick();
    QVERIFY(f.form->layout() == before);
    QCOMPARE(f.prompter.messages().size(), 1);
    QCOMPARE(f.prompter.messages().constLast().kind, Prompter::Kind::Error);
    QVERIFY(f.prompter.texts().constFirst().contains("bad.par"));

    // Without its .par the layout applies, and the user is told.
    QVERIFY(par.remove());
    f.prompter.answerFile(set.fileName());
    f.form->OpenClick();
    QVERIFY(f.form->layout().byColumns);
    QCOMPARE(f.form->layout().bars[0], (std::array<int, 2> { 20, 90 }));
    QCOMPARE(f.prompter.messages().constLast().kind, Prompter::Kind::Information);
}

void TestTFrameForm::fileButtonStoresRelativeNames_data()
{
    QTest::addColumn<QString>("chosen"); // relative to the page's folder, or absolute
    QTest::addColumn<QString>("stored"); // "" when the full path is expected
    QTest::addRow("beside the page") << "menu.htm"
                                     << "menu.htm";
    QTest::addRow("below the page") << "parts/menu.htm"
                                    << "parts/menu.htm";
    QTest::addRow("outside the page's folder") << "/tmp/elsewhere/menu.htm"
                                               << "";
}

void TestTFrameForm::fileButtonStoresRelativeNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, stored);
    Fixture f;
    const QString full = QDir::isAbsolutePath(chosen) ? chosen : f.dir.filePath(chosen);
    f.form->NextClick();
    f.prompter.answerFile(full);
    f.form->findChild<QPushButton *>("FileBtn")->click();
    QCOMPARE(f.form->records()[0].source, stored.isEmpty() ? full : stored);
}

void TestTFrameForm::blankOrOverlongNameIsRefused()
{
    Fixture f;
    f.form->NextClick();
    auto *name = f.form->findChild<QLineEdit *>("FrameName");
    name->clear();
    emit name->editingFinished();
    QCOMPARE(f.prompter.texts(), QStringList { "Frame name cannot be blank." });
    QCOMPARE(f.form->records()[0].name, QStringLiteral("Frame: 1"));
    name->setText(QString(81, 'n'));
    emit name->editingFinished();
    QCOMPARE(f.prompter.messages().size(), 2);
    QCOMPARE(f.form->records()[0].name, QStringLiteral("Frame: 1"));
    // Abandoning still works with the name refused.
    name->clear();
    f.form->reject();
    QCOMPARE(f.form->result(), int(QDialog::Rejected));
}

void TestTFrameForm::fileMenuStartsTheDialog()
{
    ScriptedPrompter prompter;
    EditorControl editor;
    editor.SetText("<P>kept</P>");
    QMenu file;
    file.addAction("&Open ...");
    file.addSeparator();
    QAction *exit = file.addAction("E&xit");
    GeneratorCommands::Parts parts;
    parts.editor = &editor;
    parts.prompter = &prompter;
    parts.fileMenu = &file;
    parts.pageExtensions = [] { return QStringLiteral("htm,shtml"); };
    parts.graphicExtensions = [] { return QStringLiteral("png"); };
    GeneratorCommands commands(parts);
    const QList<QAction *> actions = file.actions();
    const qsizetype creator = actions.indexOf(commands.findChild<QAction *>("FrameWiseGuy"));
    QVERIFY(creator > 0);
    QCOMPARE(actions.at(creator)->text(), QStringLiteral("&Frame Creator..."));
    QCOMPARE(actions.at(creator + 1)->text(), QStringLiteral("Frame Vaza Ded"));
    QVERIFY(actions.indexOf(exit) > creator + 1);

    // No page open: neither item asks or writes anything.
    for (qsizetype at : { creator, creator + 1 }) {
        QVERIFY(!actions.at(at)->isEnabled());
        actions.at(at)->trigger();
        commands.FrameWiseGuyClick();
    }
    QVERIFY(prompter.texts().isEmpty());
    QCOMPARE(editor.Text(), QStringLiteral("<P>kept</P>"));

    commands.setPageOpen(true);
    QVERIFY(actions.at(creator)->isEnabled() && actions.at(creator + 1)->isEnabled());
    prompter.answer(Prompter::Answer::No);
    actions.at(creator)->trigger();
    QCOMPARE(editor.Text(), QStringLiteral("<P>kept</P>"));
    QCOMPARE(prompter.texts(), QStringList { "Clear current page to create Frame Structure?" });

    // The file button offers what the main open dialog offers.
    prompter.answer(Prompter::Answer::Yes);
    prompter.answerFile(QString()); // cancelled
    QTimer::singleShot(0, &commands, [&prompter] {
        auto *form = qobject_cast<TFrameForm *>(QApplication::activeModalWidget());
        QVERIFY(form);
        form->NextClick();
        form->findChild<QPushButton *>("FileBtn")->click();
        QCOMPARE(prompter.fileRequests().size(), 1);
        QCOMPARE(prompter.fileRequests().at(0).filter,
                 QStringLiteral("Web Documents|*.htm;*.shtml;|HTMLFiles|*.html|Graphics|*.png;"
                                "|Executable|*.exe|FrameSettings|*.set|JavaClass|*.class"
                                "|All files|*.*"));
        form->GenerateClick();
    });
    actions.at(creator + 1)->trigger();
    QVERIFY(editor.Text().startsWith("<HTML>"));

    commands.setPageOpen(false);
    QVERIFY(!actions.at(creator)->isEnabled() && !actions.at(creator + 1)->isEnabled());
}

void TestTFrameForm::draggingAHandleMovesItsBar_data()
{
    QTest::addColumn<QString>("splitter");
    QTest::addColumn<int>("handle");
    QTest::addColumn<int>("delta"); // pixels along the splitter
    QTest::addColumn<int>("split");
    QTest::addRow("main second handle to the end hides row 3") << "MainSplit" << 2 << 2000 << 0;
    QTest::addRow("row 2 first handle a little right") << "Split2" << 1 << 40 << 2;
    QTest::addRow("row 1 first handle to the start stops at the lowest bar")
        << "Split1" << 1 << -2000 << 1;
}

void TestTFrameForm::draggingAHandleMovesItsBar()
{
    QFETCH(QString, splitter);
    QFETCH(int, handle);
    QFETCH(int, delta);
    QFETCH(int, split);
    Fixture f;
    auto *s = f.form->findChild<QSplitter *>(splitter);
    QVERIFY(s);
    QSplitterHandle *h = s->handle(handle);
    const QPoint from(h->width() / 2, h->height() / 2);
    const QPoint step = s->orientation() == Qt::Vertical ? QPoint(0, delta) : QPoint(delta, 0);
    auto send = [h](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, h->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(h, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, from + step, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, from + step, Qt::NoButton);
    const int which = handle - 1;
    const int bar = f.form->layout().bars[split][which];
    QCOMPARE(f.form->bar(split, which)->value(), bar);
    if (delta > 1000) {
        QCOMPARE(bar, 100);
        QVERIFY(!s->widget(2)->isVisibleTo(f.form.get()));
    } else if (delta < -1000) {
        QCOMPARE(bar, f.form->bar(split, which)->minimum());
    } else {
        const QList<int> sizes = s->sizes();
        const int total = sizes.at(0) + sizes.at(1) + sizes.at(2);
        QCOMPARE(bar, int(std::lround(sizes.at(0) * 100.0 / total)));
        QVERIFY(bar > 33);
    }
    // The other bar of the split stays where it was.
    QCOMPARE(f.form->layout().bars[split][1 - which], which == 0 ? 66 : 33);
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestTFrameForm test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tframeform.moc"
