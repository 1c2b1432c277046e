// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/cleanupcommands.h"

#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "tags/bodysettings.h"
#include "tags/editorcursor.h"
#include "tags/safesurflabel.h"
#include "tags/stripcodes.h"
#include "tags/tagawareediting.h"
#include "tags/taginserter.h"
#include "tags/tbodyform.h"
#include "tags/trainbowform.h"
#include "tags/tsafesurfform.h"
#include "testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using namespace Tarnwick;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QWidget window;
    EditorControl *editor = new EditorControl(&window);
    Renderer *preview = new Renderer(&window);
    ScriptedPrompter prompter;
    BodySettings body;
    int refreshes = 0;
    std::function<bool(QDialog &)> dialog; // plays the user in the dialog
    QString pageDirectory = dir.filePath("site");
    TagInserter inserter { editor, &prompter, { nullptr, nullptr, nullptr } };
    CleanupCommands commands { { .webPage = editor,
                                 .prompter = &prompter,
                                 .inserter = &inserter,
                                 .body = &body,
                                 .preview = preview,
                                 .refresh = [this] { ++refreshes; },
                                 .pageDirectory = [this] { return pageDirectory; },
                                 .runDialog
                                 = [this](QDialog &d) { return dialog && dialog(d); } } };

    Fixture()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(editor);
        layout->addWidget(preview);
        window.resize(800, 600);
        window.show();
        QDir().mkpath(pageDirectory);
    }
    void open(const QString &text) { editor->LoadFromText(text, {}); }
    QString file(const QString &path, const QByteArray &bytes)
    {
        TestEnvironment::writeFile(path, bytes);
        return path;
    }
};

template<typename Form> std::function<bool(QDialog &)> with(std::function<bool(Form &)> play)
{
    return [play](QDialog &dialog) {
        auto *form = qobject_cast<Form *>(&dialog);
        return form && play(*form);
    };
}

} // namespace

class TestCleanupCommands final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void itemsFollowThePage();
    void bodyOk_data();
    void bodyOk();
    void bodyDialogShowsThePageTag();
    void bodyBadNumberStops();
    void bodyBackgroundCopied_data();
    void bodyBackgroundCopied();
    void bodyBackgroundOfThePageKept();
    void bodyTagReadInIsWrittenAsItWas_data();
    void bodyTagReadInIsWrittenAsItWas();
    void bodyDoubleClickOpensTheDialog();
    void rating_data();
    void rating();
    void ratingReadsTheLabel();
    void ratingPages();
    void rainbow_data();
    void rainbow();
    void strip();
    void stripCancelled();
    void stripNeverTakesAnotherText_data();
    void stripNeverTakesAnotherText();
    void stripLargePage();
    void stripOfThePageShown_data();
    void stripOfThePageShown();
};

void TestCleanupCommands::itemsFollowThePage()
{
    Fixture f;
    QMenu edit;
    QMenu codes;
    f.commands.fillEditMenu(&edit);
    f.commands.fillHtmlCodesMenu(&codes);
    const QStringList names = { "StripAllCodes1",
                                "RemoveInvalidColors1",
                                "EditTitle1",
                                "Standard",
                                "UpdateLastModifiedTag1",
                                "EditBodyStatement",
                                "SafeSurfRating1",
                                "RainbowizeMenu",
                                "Todaysdate1",
                                "CurrentTime1",
                                "DateTime2" };
    for (const QString &name : names) {
        QAction *item = f.commands.action(name);
        QVERIFY2(item, qPrintable(name));
        QVERIFY(!item->isEnabled());
    }
    QCOMPARE(f.commands.action("EditTitle1")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F2));
    QCOMPARE(f.commands.action("UpdateLastModifiedTag1")->shortcut(),
             QKeySequence(Qt::CTRL | Qt::Key_M));
    QCOMPARE(f.commands.action("EditBodyStatement")->shortcut(),
             QKeySequence(Qt::SHIFT | Qt::Key_F1));
    QCOMPARE(f.commands.action("SafeSurfRating1")->shortcut(),
             QKeySequence(Qt::SHIFT | Qt::Key_F4));
    f.commands.setPageOpen(true);
    for (const QString &name : names)
        QVERIFY(f.commands.action(name)->isEnabled());
    QCOMPARE(codes.actions().value(0)->text(), QString("Current &Date/Time"));
}

void TestCleanupCommands::bodyOk_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QList<int>>("margins");
    QTest::addColumn<QString>("expected");

    const QString tag
        = R"(<BODY TEXT="#000000" LINK="#000000" ALINK="#000000" VLINK="#000000" BGCOLOR="#FFFFFF" )";
    QTest::addRow("no BODY: own line after </head>")
        << "<html><head></head>\n<p>x</p>" << QList<int> { -1, -1, -1, -1 }
        << "<html><head></head>\n" + tag + ">\n<p>x</p>";
    QTest::addRow("old tag replaced, no margins")
        << "<HEAD></HEAD><BODY BGCOLOR=#FFFFFF>x</BODY>" << QList<int> { -1, -1, -1, -1 }
        << "<HEAD></HEAD>" + tag + ">x</BODY>";
    QTest::addRow("margins 0 and up, in order")
        << "<BODY>" << QList<int> { 5, -1, 0, 12 }
        << tag + R"(LEFTMARGIN="5" TOPMARGIN="0" BOTTOMMARGIN="12" >)";
}

void TestCleanupCommands::bodyOk()
{
    QFETCH(QString, page);
    QFETCH(QList<int>, margins);
    QFETCH(QString, expected);
    Fixture f;
    f.open(page);
    f.dialog = with<TBodyForm>([&](TBodyForm &form) {
        const char *names[] = { "LeftMargin", "RightMargin", "TopMargin", "BottomMargin" };
        for (int i = 0; i < 4; ++i)
            form.findChild<QSpinBox *>(names[i])->setValue(margins[i]);
        return true;
    });
    f.commands.EditBodyStatementClick();
    QCOMPARE(f.editor->Text(), expected);
    QCOMPARE(f.body.leftMargin, margins[0]);
    QVERIFY(f.refreshes > 0);
}

void TestCleanupCommands::bodyDialogShowsThePageTag()
{
    Fixture f;
    f.open("<BODY\n TEXT=#102030\n LINK=\"#0000FF\" LEFTMARGIN=4>");
    f.prompter.answerColor(QColor(0x11, 0x22, 0x33));
    f.dialog = with<TBodyForm>([&](TBodyForm &form) {
        const BodySettings shown = form.values();
        if (shown.text != QColor(0x10, 0x20, 0x30) || shown.leftMargin != 4)
            return false;
        form.chooseItem(TBodyForm::LinkItem); // the colour dialog answers
        auto *red = form.findChild<QSlider *>("Red");
        if (red->value() != 0x11 || form.findChild<QLabel *>("RedValue")->text() != "11")
            return false;
        red->setValue(0xAB); // the slider gives the chosen item its colour
        return true;
    });
    f.commands.EditBodyStatementClick();
    QCOMPARE(
        f.editor->Text(),
        QString(
            R"(<BODY TEXT="#102030" LINK="#AB2233" ALINK="#000000" VLINK="#000000" BGCOLOR="#FFFFFF" LEFTMARGIN="4" >)"));
    QCOMPARE(f.body.link, QColor(0xAB, 0x22, 0x33));
}

void TestCleanupCommands::bodyBadNumberStops()
{
    Fixture f;
    const QString page = "<BODY TEXT=\"#000000\" TOPMARGIN=\"x1\">";
    f.open(page);
    bool shown = false;
    f.dialog = [&](QDialog &) { return shown = true; };
    f.commands.EditBodyStatementClick();
    QVERIFY(!shown);
    QCOMPARE(f.prompter.texts(), QStringList { "'x1' is not a valid integer value" });
    QCOMPARE(f.editor->Text(), page);
    QVERIFY(f.body == BodySettings());
}

void TestCleanupCommands::bodyBackgroundCopied_data()
{
    QTest::addColumn<QByteArray>("existing"); // empty: no file of that name beside the page
    QTest::addColumn<QStringList>("messages");

    QTest::addRow("copied") << QByteArray() << QStringList();
    QTest::addRow("same file there") << QByteArray("GIF89a sky") << QStringList();
    QTest::addRow("different file kept")
        << QByteArray("GIF89a other")
        << QStringList { "The page's directory already holds a "
                         "different file named sky.gif. It was kept; "
                         "%1 was not copied." };
}

void TestCleanupCommands::bodyBackgroundCopied()
{
    QFETCH(QByteArray, existing);
    QFETCH(QStringList, messages);
    Fixture f;
    const QString image = f.file(f.dir.filePath("pictures/sky.gif"), "GIF89a sky");
    const QString target = f.pageDirectory + "/sky.gif";
    if (!existing.isEmpty())
        f.file(target, existing);
    f.open("<BODY>");
    f.prompter.answerFile(image);
    f.dialog = with<TBodyForm>([&](TBodyForm &form) {
        form.LoadBackgroundClick();
        return true;
    });
    f.commands.EditBodyStatementClick();
    QVERIFY(f.editor->Text().startsWith(R"(<BODY BACKGROUND="sky.gif" TEXT=)"));
    QCOMPARE(TestEnvironment::readFile(target),
             existing.isEmpty() ? QByteArray("GIF89a sky") : existing);
    for (QString &message : messages)
        message = message.arg(QDir::toNativeSeparators(image));
    QCOMPARE(f.prompter.texts(), messages);
    QCOMPARE(f.body.image, image);
    QCOMPARE(f.prompter.fileRequests().value(0).filter, TBodyForm::mediaFilter());

    // A copy that fails changes nothing.
    Fixture g;
    g.pageDirectory = g.dir.filePath("missing");
    g.open("<BODY>");
    g.prompter.answerFile(image);
    g.dialog = f.dialog;
    g.commands.EditBodyStatementClick();
    QCOMPARE(g.editor->Text(), QString("<BODY>"));
    QCOMPARE(g.prompter.texts(), QStringList { "Cannot find directory" });
    QVERIFY(g.body.image.isEmpty());
}

void TestCleanupCommands::bodyBackgroundOfThePageKept()
{
    Fixture f;
    const QString image = f.file(f.pageDirectory + "/tile.gif", "GIF89a tile");
    f.open("<BODY BACKGROUND=\"tile.gif\">");
    f.dialog = [](QDialog &) { return true; };
    f.commands.EditBodyStatementClick();
    QVERIFY(f.editor->Text().startsWith(R"(<BODY BACKGROUND="tile.gif" TEXT=)"));
    QVERIFY(f.prompter.messages().isEmpty());
    QCOMPARE(f.body.image, image);
}

void TestCleanupCommands::bodyTagReadInIsWrittenAsItWas_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("expected"); // after Ok with nothing changed
    const QString colours = R"(TEXT="#000000" LINK="#000000" ALINK="#000000" VLINK="#000000" )";
    QTest::addRow("background at a web address")
        << R"(<BODY BACKGROUND="http://example.com/bg.gif">)"
        << R"(<BODY BACKGROUND="http://example.com/bg.gif" )" + colours + R"(BGCOLOR="#FFFFFF" >)";
    QTest::addRow("background at an address without a scheme")
        << R"(<BODY BACKGROUND="//cdn.example.com/bg.gif">)"
        << R"(<BODY BACKGROUND="//cdn.example.com/bg.gif" )" + colours + R"(BGCOLOR="#FFFFFF" >)";
    QTest::addRow("empty BGCOLOR stays empty") << R"(<BODY TEXT="#000000" BGCOLOR="">)"
                                               << "<BODY " + colours + R"(BGCOLOR="" >)";
    QTest::addRow("margins beyond any screen")
        << R"(<BODY LEFTMARGIN="150000" BOTTOMMARGIN="2147483647">)"
        << "<BODY " + colours
            + R"(BGCOLOR="#FFFFFF" LEFTMARGIN="150000" BOTTOMMARGIN="2147483647" >)";
}

void TestCleanupCommands::bodyTagReadInIsWrittenAsItWas()
{
    QFETCH(QString, page);
    QFETCH(QString, expected);
    Fixture f;
    f.open(page);
    bool shown = false;
    f.dialog = with<TBodyForm>([&](TBodyForm &) { return shown = true; });
    f.commands.EditBodyStatementClick();
    QVERIFY(shown);
    QCOMPARE(f.editor->Text(), expected);
    QCOMPARE(f.prompter.texts(), QStringList());
    QVERIFY(QDir(f.pageDirectory).isEmpty()); // nothing copied
}

void TestCleanupCommands::bodyDoubleClickOpensTheDialog()
{
    Fixture f;
    TagAwareEditing editing(f.editor, &f.prompter, &f.body, {});
    editing.setBodyStatement([&] { f.commands.EditBodyStatementClick(); });
    f.open("<html>\n<body text=\"#FF0000\">\n</body>");
    int shown = 0;
    f.dialog = [&](QDialog &d) {
        shown += qobject_cast<TBodyForm *>(&d) ? 1 : 0;
        return false;
    };
    for (int line : { 2, 3 }) { // the opening tag's name, then the closing one's
        EditorCursor::SetEditorSelection(*f.editor, line, line == 2 ? 1 : 2, line == 2 ? 5 : 6,
                                         line);
        editing.WebPageDblClick();
    }
    QCOMPARE(shown, 1);
    QCOMPARE(f.body.text, QColor(Qt::red));
}

void TestCleanupCommands::rating_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QList<int>>("levels"); // question (from 1) and level pairs
    QTest::addColumn<QString>("site"); // empty: not site-wide
    QTest::addColumn<QString>("expected"); // %1: the label

    QTest::addRow("age 3 alone, after </title>")
        << "<head><title>x</title></head>" << QList<int> { 1, 3 } << ""
        << "<head><title>x</title>\n%1</head>";
    QTest::addRow("site-wide replaces the old label")
        << "<head><META http-equiv=\"PICS-Label\" content='(PICS-1.0 \"a\" l r (SS~~001 "
           "2))'></head>"
        << QList<int> { 1, 3, 11, 9 } << "http://www.example.org/club/"
        << "<head>%1</head>";
}

void TestCleanupCommands::rating()
{
    QFETCH(QString, page);
    QFETCH(QList<int>, levels);
    QFETCH(QString, site);
    QFETCH(QString, expected);
    Fixture f;
    f.open(page);
    f.dialog = with<TSafeSurfForm>([&](TSafeSurfForm &form) {
        form.findChild<QListWidget *>("Levels2")->setCurrentRow(0);
        for (int i = 0; i < levels.size(); i += 2)
            form.findChild<QListWidget *>(QString("Levels%1").arg(levels[i]))
                ->setCurrentRow(levels[i + 1]);
        if (!site.isEmpty()) {
            form.findChild<QLineEdit *>("SiteURL")->setText(site);
            form.findChild<QCheckBox *>("SiteWide")->setChecked(true);
        }
        return true;
    });
    f.commands.SafeSurfRating1Click();
    SafeSurfLabel label;
    for (int i = 0; i < levels.size(); i += 2)
        label.levels[levels[i] - 1] = levels[i + 1];
    label.siteWide = !site.isEmpty();
    label.site = site;
    QCOMPARE(f.editor->Text(), expected.arg(label.text()));
}

void TestCleanupCommands::ratingReadsTheLabel()
{
    SafeSurfLabel label;
    label.levels = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 5 };
    label.siteWide = true;
    label.site = "http://www.example.org/club/";
    Fixture f;
    f.open("<head><title>t</title>" + label.text() + "</head>");
    SafeSurfLabel shown;
    f.dialog = with<TSafeSurfForm>([&](TSafeSurfForm &form) {
        shown = form.label();
        return false;
    });
    f.commands.SafeSurfRating1Click();
    QVERIFY(shown == label);
}

void TestCleanupCommands::ratingPages()
{
    TSafeSurfForm form;
    QCOMPARE(form.heading(), QString("Question 1 of 12"));
    QCOMPARE(form.findChild<QLineEdit *>("SiteURL")->text(), SafeSurfLabel::sampleSite());
    for (int i = 0; i < 20; ++i)
        form.NextClick();
    QCOMPARE(form.heading(), QString("Question 12 of 12"));
    QVERIFY(!form.findChild<QPushButton *>("NextBtn")->isEnabled());
    form.PrevClick();
    QCOMPARE(form.heading(), QString("Question 11 of 12"));
    QCOMPARE(form.findChild<QListWidget *>("Levels11")->count(), 10);
}

void TestCleanupCommands::rainbow_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QList<int>>("selection"); // line, from, to
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected");

    QTest::addRow("three letters")
        << "xabcx" << QList<int> { 1, 1, 4 } << true
        << "x<FONT COLOR=\"#210021\">a</FONT><FONT COLOR=\"#420043\">b</FONT>"
           "<FONT COLOR=\"#640064\">c</FONT>x";
    QTest::addRow("no selection: to the line end")
        << "ab\ncd" << QList<int> { 1, 1, 1 } << true << "a<FONT COLOR=\"#210021\">b</FONT>\ncd";
    QTest::addRow("cancel changes nothing")
        << "xabcx" << QList<int> { 1, 1, 4 } << false << "xabcx";
}

void TestCleanupCommands::rainbow()
{
    QFETCH(QString, page);
    QFETCH(QList<int>, selection);
    QFETCH(bool, ok);
    QFETCH(QString, expected);
    Fixture f;
    f.open(page);
    EditorCursor::SetEditorSelection(*f.editor, selection[0], selection[1], selection[2],
                                     selection[0]);
    f.dialog = with<TRainbowForm>([&](TRainbowForm &form) {
        QSignalSpy loads(form.preview(), &Renderer::loadFinished);
        form.CreateRainbow();
        return loads.wait(TestEnvironment::signalBound) && ok;
    });
    f.commands.RainbowizeMenuClick();
    QCOMPARE(f.editor->Text(), expected);
    QVERIFY(f.refreshes > 0);
}

void TestCleanupCommands::strip()
{
    Fixture f;
    const QString page = "<html><head><title>T</title></head><body>\n<h1>Big  news</h1>\n"
                         "<p>Hello <b>bold</b> world</p><ul><li>one</li><li>two</li></ul>"
                         "<script>var hidden = 1;</script></body></html>";
    f.open(page);
    QApplication::clipboard()->setText("something else");
    f.prompter.answer(Prompter::Answer::Ok);
    QSignalSpy done(f.commands.stripCodes(), &StripCodes::done);
    f.commands.stripCodes()->StripAllCodes1Click();
    QVERIFY(done.wait(TestEnvironment::signalBound));
    QCOMPARE(done.first().first().toBool(), true);
    QCOMPARE(f.prompter.texts(),
             QStringList { "Are you sure that you want to strip all of the HTML codes from this "
                           "page?" });
    const QString stripped = f.editor->Text();
    QVERIFY(stripped.contains("Big news"));
    QVERIFY(stripped.contains("Hello bold world"));
    QVERIFY(!stripped.contains('<'));
    QVERIFY(!stripped.contains("hidden"));
    QCOMPARE(QApplication::clipboard()->text(), stripped);

    // Exactly what the preview shows.
    QString shown;
    bool answered = false;
    f.preview->DocumentText([&](const QString &text) {
        shown = text;
        answered = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(answered, TestEnvironment::signalBound);
    QCOMPARE(stripped, shown);

    f.editor->Undo();
    QCOMPARE(f.editor->Text(), page);
}

void TestCleanupCommands::stripCancelled()
{
    Fixture f;
    f.open("<b>x</b>");
    f.prompter.answer(Prompter::Answer::Cancel);
    QSignalSpy loads(f.preview, &Renderer::loadFinished);
    f.commands.stripCodes()->StripAllCodes1Click();
    QVERIFY(TestEnvironment::engineRoundTrip(f.preview));
    QCOMPARE(loads.count(), 0);
    QCOMPARE(f.editor->Text(), QString("<b>x</b>"));
}

void TestCleanupCommands::stripNeverTakesAnotherText_data()
{
    QTest::addColumn<bool>("previewBusy"); // loading another page when asked
    QTest::addColumn<bool>("editedMeanwhile");
    QTest::addRow("preview busy with another page") << true << false;
    QTest::addRow("page edited while the preview loads") << false << true;
}

void TestCleanupCommands::stripNeverTakesAnotherText()
{
    QFETCH(bool, previewBusy);
    QFETCH(bool, editedMeanwhile);
    Fixture f;
    f.open("<p>Page <b>text</b></p>");
    if (previewBusy) {
        f.preview->LoadFromBuffer("<p>OTHER VIEW</p>", QString());
        QVERIFY(f.preview->Busy());
    }
    f.prompter.answer(Prompter::Answer::Ok);
    QSignalSpy done(f.commands.stripCodes(), &StripCodes::done);
    f.commands.stripCodes()->StripAllCodes1Click();
    if (editedMeanwhile)
        f.editor->SetText("<p>typed meanwhile</p>");
    QVERIFY(done.wait(TestEnvironment::signalBound));
    QCOMPARE(done.first().first().toBool(), !editedMeanwhile);
    if (editedMeanwhile) {
        QCOMPARE(f.editor->Text(), QString("<p>typed meanwhile</p>"));
        QCOMPARE(f.prompter.texts().last(), StripCodes::pageChanged());
    } else {
        QCOMPARE(f.editor->Text(), QString("Page text"));
    }
}

void TestCleanupCommands::stripLargePage()
{
    Fixture f;
    QString page = "<html><body>";
    int rows = 0;
    while (page.size() < 1024 * 1024)
        page += QString("<p>Row <i>%1</i> of the table</p>\n").arg(++rows);
    page += "</body></html>";
    f.open(page);
    f.prompter.answer(Prompter::Answer::Ok);
    QSignalSpy done(f.commands.stripCodes(), &StripCodes::done);
    f.commands.stripCodes()->StripAllCodes1Click();
    QVERIFY(done.wait(TestEnvironment::signalBound));
    QCOMPARE(done.first().first().toBool(), true);
    const QString stripped = f.editor->Text();
    QVERIFY(!stripped.contains('<'));
    QVERIFY(stripped.contains(QString("Row %1 of the table").arg(rows)));
}

void TestCleanupCommands::stripOfThePageShown_data()
{
    QTest::addColumn<QString>("shown"); // in the preview when asked
    const QString page = "<p>Hello <b>bold</b>  world</p><ul><li>one</li><li>two</li></ul>";
    QTest::addRow("the page itself") << page;
    QTest::addRow("an older text of the page") << page + "<p>gone</p>";
}

// A preview showing exactly the editor's text is not loaded again; the text
// is the same as after a load.
void TestCleanupCommands::stripOfThePageShown()
{
    QFETCH(QString, shown);
    const QString page = "<p>Hello <b>bold</b>  world</p><ul><li>one</li><li>two</li></ul>";
    Fixture f;
    f.open(page);
    QVERIFY(TestEnvironment::waitForLoad(
        f.preview, [&] { f.preview->LoadFromBuffer(shown, f.pageDirectory); }));
    QSignalSpy loads(f.preview, &Renderer::loadFinished);
    f.prompter.answer(Prompter::Answer::Ok);
    QSignalSpy done(f.commands.stripCodes(), &StripCodes::done);
    f.commands.stripCodes()->StripAllCodes1Click();
    QVERIFY(done.wait(TestEnvironment::signalBound));
    QCOMPARE(done.first().first().toBool(), true);
    QCOMPARE(loads.count(), shown == page ? 0 : 1);
    const QString stripped = f.editor->Text();

    Renderer fresh;
    fresh.show();
    QVERIFY(
        TestEnvironment::waitForLoad(&fresh, [&] { fresh.LoadFromBuffer(page, f.pageDirectory); }));
    QString expected;
    bool answered = false;
    fresh.DocumentText([&](const QString &text) {
        expected = text;
        answered = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(answered, TestEnvironment::signalBound);
    QCOMPARE(stripped, expected);
    QVERIFY(stripped.contains("Hello bold world"));
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestCleanupCommands test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cleanupcommands.moc"
