// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "tags/taginserter.h"
#include "testenvironment.h"
#include "wizards/tabledefinition.h"
#include "wizards/ttableattrform.h"
#include "wizards/ttblcreateform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>

using namespace Tarnwick;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    EditorControl editor;
    int refreshes = 0;
    std::unique_ptr<TTblCreateForm> form;

    Fixture()
    {
        editor.SetText("<P>before</P>\n");
        TTblCreateForm::Context context;
        context.editor = &editor;
        context.prompter = &prompter;
        context.pageDirectory = dir.path();
        context.refreshPreview = [this] { ++refreshes; };
        form = std::make_unique<TTblCreateForm>(context);
    }

    template<typename T> T *child(const char *name) const
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }

    // Builds a table of that size and waits for its preview.
    bool build(int columns, int rows)
    {
        child<QSpinBox>("TblCols")->setValue(columns);
        child<QSpinBox>("TblRows")->setValue(rows);
        return TestEnvironment::waitForLoad(form->preview(),
                                            [this] { button("BuildBtn")->click(); });
    }

    // A real mouse click on the "*" of a cell in the preview.
    bool clickCell(int number)
    {
        const QVariantList centre
            = TestEnvironment::evaluate(
                  form->preview(),
                  QStringLiteral("(function(){var a=document.querySelector('a[href=\"Cell:%1.\"]');"
                                 "var r=a.getBoundingClientRect();"
                                 "return [r.left+r.width/2, r.top+r.height/2];})()")
                      .arg(number))
                  .toList();
        if (centre.size() != 2)
            return false;
        QWidget *surface = form->preview()->findChild<QWebEngineView *>()->focusProxy();
        const QString before = form->table().lines().value(form->table().selectedLine());
        QTest::mouseClick(surface, Qt::LeftButton, {},
                          QPoint(centre.at(0).toInt(), centre.at(1).toInt()));
        return QTest::qWaitFor(
            [&] {
                return form->pageIndex() == TTblCreateForm::CellsPage
                    && form->table().selectedLine() >= 0
                    && form->table()
                           .lines()
                           .at(form->table().selectedLine())
                           .contains(QStringLiteral("\"Cell:%1.\"").arg(number));
            },
            TestEnvironment::signalBound);
    }
};

void caretAt(EditorControl &editor, int column)
{
    editor.StartLine = editor.EndLine = 1;
    editor.StartPos = editor.EndPos = column;
    editor.ApplySelection();
}

} // namespace

class TestTTblCreateForm final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void clickEditInsert();
    void firstBuildTakesTheFieldsAsTyped();
    void rebuildAnswered_data();
    void rebuildAnswered();
    void leaving_data();
    void leaving();
    void openDefinition();
    void openMalformedChangesNothing();
    void cellAttributes();
    void cellChangeShowsWhatALoadShows_data();
    void cellChangeShowsWhatALoadShows();
};

// A click on a cell's "*" in the preview picks it; its fields change that
// cell alone, and Insert puts the table in view form at the caret.
void TestTTblCreateForm::cellChangeShowsWhatALoadShows_data()
{
    QTest::addColumn<QString>("text"); // typed as the cell's text
    QTest::addColumn<bool>("header");
    QTest::addColumn<bool>("inPlace"); // the document is changed, not loaded again
    QTest::addRow("plain text") << "Total &amp; more" << false << true;
    QTest::addRow("header style") << "Head" << true << true;
    QTest::addRow("markup") << "<b>bold</b> <i>italic" << false << false;
    QTest::addRow("markup closing the cell") << "a</TD><TD>b" << false << false;
}

// However a changed cell reaches the preview, the preview shows what loading
// the table's text shows, and stays about where the user scrolled to.
void TestTTblCreateForm::cellChangeShowsWhatALoadShows()
{
    QFETCH(QString, text);
    QFETCH(bool, header);
    QFETCH(bool, inPlace);
    Fixture f;
    f.form->show();
    f.form->resize(700, 500);
    QVERIFY(f.build(4, 60));
    QVERIFY(f.clickCell(5));
    Renderer *preview = f.form->preview();
    preview->SetPosition(150);
    QTRY_COMPARE_WITH_TIMEOUT(preview->Position(), 150, TestEnvironment::signalBound);
    TestEnvironment::evaluate(preview, "window.mark = 'kept'; 0");
    QVERIFY(TestEnvironment::waitForLoad(preview, [&] {
        f.child<QCheckBox>("HeaderStyle")->setChecked(header);
        f.child<QLineEdit>("CellText")->setText(text);
    }));
    QTRY_COMPARE_WITH_TIMEOUT(preview->Busy(), false, TestEnvironment::signalBound);
    QCOMPARE(TestEnvironment::evaluate(preview, "String(window.mark)").toString(),
             inPlace ? QStringLiteral("kept") : QStringLiteral("undefined"));
    // The engine may shift the view by the change of a row above it.
    QVERIFY2(preview->Position() > 100, qPrintable(QString::number(preview->Position())));

    const QString body = QStringLiteral("document.body.innerHTML");
    Renderer fresh;
    fresh.resize(preview->size());
    fresh.show();
    const QString table = f.form->table().lines().join('\n');
    QVERIFY(table.contains(text));
    QVERIFY(
        TestEnvironment::waitForLoad(&fresh, [&] { fresh.LoadFromBuffer(table, f.dir.path()); }));
    QCOMPARE(TestEnvironment::evaluate(preview, body).toString(),
             TestEnvironment::evaluate(&fresh, body).toString());
}

void TestTTblCreateForm::clickEditInsert()
{
    Fixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QVERIFY(!f.child<QLineEdit>("CellText")->isEnabled());
    QVERIFY(f.build(4, 3));
    QVERIFY(f.clickCell(5));
    // The click on a link the engine cannot follow leaves the preview idle.
    QVERIFY(TestEnvironment::engineRoundTrip(f.form->preview()));
    QVERIFY(!f.form->preview()->Busy());
    QCOMPARE(f.child<QLineEdit>("CellText")->text(), QStringLiteral("Cell:6"));
    QVERIFY(f.child<QLineEdit>("CellText")->isEnabled());
    QVERIFY(f.button("PrevBtn")->isEnabled());
    QVERIFY(!f.button("NextBtn")->isEnabled());
    f.child<QLineEdit>("CellText")->setText("Total");
    f.child<QCheckBox>("HeaderStyle")->setChecked(true);
    f.child<QSpinBox>("ColSpan")->setValue(2);
    f.child<QLineEdit>("CellColor")->setText("ff8800");
    const int line = f.form->table().selectedLine();
    QCOMPARE(f.form->table().lines().at(line),
             QStringLiteral("<TH ROWSPAN=\"1\" COLSPAN=\"2\" VALIGN=\"top\" ALIGN=\"left\" "
                            "BGCOLOR=\"#FF8800\"><A HREF=\"Cell:5.\">*</A>Total</TH>"));
    // The preview shows the change, and the cell stays clickable.
    QTRY_VERIFY_WITH_TIMEOUT(!f.form->preview()->Busy(), TestEnvironment::signalBound);
    QVERIFY(TestEnvironment::waitForLoad(f.form->preview(),
                                         [&] { f.child<QLineEdit>("CellText")->setText("Sum"); }));
    QVERIFY(f.clickCell(5));
    QCOMPARE(f.child<QLineEdit>("CellText")->text(), QStringLiteral("Sum"));
    QVERIFY(f.child<QCheckBox>("HeaderStyle")->isChecked());

    caretAt(f.editor, 0);
    f.prompter.answer(Prompter::Answer::No);
    f.form->findChild<QAction *>("InsertTable")->trigger();
    QCOMPARE(f.prompter.texts(),
             QStringList { "Would you like to save the Table Definition before proceeding?" });
    QCOMPARE(f.form->result(), int(QDialog::Accepted));
    const QString text = f.editor.Text();
    QVERIFY(
        text.startsWith("<TABLE BORDER=\"1\" WIDTH=\"0%\"  ALIGN=\"None\"  CELLPADDING=\"1\"  "
                        "CELLSPACING=\"2\" >\n<CAPTION ALIGN=\"Top\"><H1></H1></CAPTION>\n<TR>\n"));
    QVERIFY(text.contains("\n<TH ROWSPAN=\"1\" COLSPAN=\"2\" VALIGN=\"top\" ALIGN=\"left\" "
                          "BGCOLOR=\"#FF8800\">Sum</TH>\n"));
    QVERIFY(text.contains(
        "\n<TD ROWSPAN=\"1\" COLSPAN=\"1\" VALIGN=\"top\" ALIGN=\"left\" >Cell:12</TD>\n"));
    QVERIFY(!text.contains("HREF"));
    QVERIFY(text.endsWith("</TABLE>\n<P>before</P>\n"));
    QCOMPARE(f.refreshes, 1);
}

// Nothing to reset before the first table: what was typed goes into it.
void TestTTblCreateForm::firstBuildTakesTheFieldsAsTyped()
{
    Fixture f;
    f.child<QLineEdit>("TblCaption")->setText("Club fixtures");
    f.child<QSpinBox>("TblCaptionSize")->setValue(3);
    f.child<QComboBox>("CaptionLocation")->setCurrentText("Bottom");
    f.child<QSpinBox>("BorderWidth")->setValue(4);
    QVERIFY(f.build(2, 2));
    QVERIFY(f.prompter.texts().isEmpty());
    const QStringList lines = f.form->table().lines();
    QVERIFY2(lines.at(0).startsWith("<TABLE BORDER=\"4\""), qPrintable(lines.at(0)));
    QCOMPARE(lines.at(1), "<CAPTION ALIGN=\"Bottom\"><H3>Club fixtures</H3></CAPTION>");
    QCOMPARE(f.child<QLineEdit>("TblCaption")->text(), "Club fixtures");
}

void TestTTblCreateForm::rebuildAnswered_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("rebuilt");
    QTest::addRow("No keeps the table") << int(Prompter::Answer::No) << false;
    QTest::addRow("Yes rebuilds and resets the fields") << int(Prompter::Answer::Yes) << true;
}

void TestTTblCreateForm::rebuildAnswered()
{
    QFETCH(int, answer);
    QFETCH(bool, rebuilt);
    Fixture f;
    QVERIFY(f.build(2, 2));
    f.child<QSpinBox>("BorderWidth")->setValue(5);
    f.child<QLineEdit>("TblCaption")->setText("Old");
    const QStringList before = f.form->table().lines();
    QVERIFY(before.at(0).startsWith("<TABLE BORDER=\"5\""));
    f.child<QSpinBox>("TblCols")->setValue(3);
    f.prompter.answer(Prompter::Answer(answer));
    f.button("BuildBtn")->click();
    QCOMPARE(f.prompter.texts(),
             QStringList { "If you select to rebuild a table your current settings will be reset.  "
                           "Build anyway?" });
    if (!rebuilt) {
        QCOMPARE(f.form->table().lines(), before);
        QCOMPARE(f.child<QSpinBox>("BorderWidth")->value(), 5);
        return;
    }
    QCOMPARE(f.form->table().lines().size(), 2 + 2 * 5 + 1);
    QCOMPARE(f.child<QSpinBox>("BorderWidth")->value(), 1);
    QCOMPARE(f.child<QLineEdit>("TblCaption")->text(), QString());
}

// The save question: Cancel, or a save that did not happen, keeps the dialog open.
void TestTTblCreateForm::leaving_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("file"); // for the save dialog: "" cancels, "ro" cannot be written
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::addRow("Cancel") << int(Prompter::Answer::Cancel) << QString() << false << false;
    QTest::addRow("No") << int(Prompter::Answer::No) << QString() << true << false;
    QTest::addRow("Yes, save cancelled") << int(Prompter::Answer::Yes) << "" << false << false;
    QTest::addRow("Yes, saved") << int(Prompter::Answer::Yes) << "mine" << true << true;
    QTest::addRow("Yes, save failed")
        << int(Prompter::Answer::Yes) << "missing/dir/mine" << false << false;
}

void TestTTblCreateForm::leaving()
{
    QFETCH(int, answer);
    QFETCH(QString, file);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    Fixture f;
    f.form->show();
    QVERIFY(f.build(2, 1));
    f.prompter.answer(Prompter::Answer(answer));
    if (answer == int(Prompter::Answer::Yes)) {
        if (file.isEmpty())
            f.prompter.cancelNextFile();
        else
            f.prompter.answerFile(f.dir.filePath(file));
    }
    f.form->findChild<QAction *>("AbandonTable")->trigger();
    QCOMPARE(f.form->isVisible(), !closes);
    QCOMPARE(QFile::exists(f.dir.filePath("mine.tbl")), saved);
    QCOMPARE(f.editor.Text(), QStringLiteral("<P>before</P>\n"));
    if (file.startsWith("missing"))
        QCOMPARE(f.prompter.messages().constLast().kind, Prompter::Kind::Error);
    QVERIFY(f.prompter.scriptUsedUp());
}

// A saved definition opens with its fields read back, border colour included,
// in edit form, and asks first when the table in the dialog is unsaved.
void TestTTblCreateForm::openDefinition()
{
    Fixture f;
    QVERIFY(f.build(3, 2));
    f.child<QLineEdit>("TblCaption")->setText("Prices");
    f.child<QComboBox>("TableJustification")->setCurrentText("Center");
    f.child<QLineEdit>("BorderColor")->setText("00AA00");
    f.child<QSpinBox>("TableWidth")->setValue(80);
    f.form->findChild<QAction *>("ViewTable")->trigger(); // saving goes back to edit form
    QCOMPARE(f.form->viewAction()->text(), QStringLiteral("&Edit"));
    f.prompter.answerFile(f.dir.filePath("prices"));
    QVERIFY(f.form->SaveClick());
    QCOMPARE(f.form->viewAction()->text(), QStringLiteral("&View"));
    const QString saved = f.dir.filePath("prices.tbl");
    QVERIFY(QFile::exists(saved));

    Fixture g;
    QVERIFY(g.build(1, 1)); // unsaved: opening asks first
    g.prompter.answer(Prompter::Answer::No);
    g.prompter.answerFile(saved);
    QVERIFY(TestEnvironment::waitForLoad(g.form->preview(), [&] { g.form->OpenClick(); }));
    QCOMPARE(g.prompter.texts(),
             QStringList { "Would you like to save the Table Definition before proceeding?" });
    QCOMPARE(g.form->table().lines(), f.form->table().lines());
    QCOMPARE(g.child<QLineEdit>("TblCaption")->text(), QStringLiteral("Prices"));
    QCOMPARE(g.child<QComboBox>("TableJustification")->currentText(), QStringLiteral("Center"));
    QCOMPARE(g.child<QLineEdit>("BorderColor")->text(), QStringLiteral("00AA00"));
    QCOMPARE(g.child<QSpinBox>("TableWidth")->value(), 80);
    QVERIFY(!g.form->modified());
    QVERIFY(g.form->viewAction()->isEnabled());
    // A change of a field now keeps the border colour.
    g.child<QSpinBox>("BorderWidth")->setValue(2);
    QVERIFY(g.form->table().lines().at(0).endsWith(" BORDERCOLOR=\"#00AA00\">"));
}

void TestTTblCreateForm::openMalformedChangesNothing()
{
    Fixture f;
    QVERIFY(f.build(2, 2));
    f.prompter.answerFile(f.dir.filePath("x"));
    QVERIFY(f.form->SaveClick());
    const QStringList before = f.form->table().lines();
    const QString bad = f.dir.filePath("bad.tbl");
    TestEnvironment::writeFile(bad, "<TABLE>\r\n<TR>\r\n</TABLE>\r\n");
    f.prompter.answerFile(bad);
    f.form->OpenClick();
    QCOMPARE(f.prompter.texts(), QStringList { "bad.tbl, line 2: the CAPTION line is missing." });
    QCOMPARE(f.prompter.messages().constLast().kind, Prompter::Kind::Error);
    QCOMPARE(f.form->table().lines(), before);
}

void TestTTblCreateForm::cellAttributes()
{
    EditorControl editor;
    ScriptedPrompter prompter;
    int refreshes = 0;
    TagInserter inserter(
        &editor, &prompter,
        { [] { return false; }, [&] { ++refreshes; }, [] { return TagSettings(); } });
    editor.SetText("<TD>x</TD>");
    caretAt(editor, 3);
    TTableAttrForm form(&inserter, &prompter);
    form.findChild<QSpinBox *>("SpanColumns")->setValue(2);
    form.findChild<QComboBox *>("VertAlign")->setCurrentText("bottom");
    prompter.answerColor(QColor(0x12, 0xab, 0xff));
    form.findChild<QToolButton *>("ColorBtn")->click();
    form.findChild<QSpinBox *>("CellWidth")->setValue(30);
    form.findChild<QCheckBox *>("WidthPercent")->setChecked(true);
    form.findChild<QPushButton *>("OKBtn")->click();
    QCOMPARE(editor.Text(),
             QStringLiteral(
                 "<TD COLSPAN=\"2\" VALIGN=\"bottom\" BGCOLOR=\"12ABFF\" WIDTH=\"30%\">x</TD>"));
    QCOMPARE(refreshes, 1);
    QCOMPARE(form.result(), int(QDialog::Accepted));
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestTTblCreateForm test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ttblcreateform.moc"
