// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/taginserter.h"

#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QTest>

#include <functional>

using namespace Tarnwick;

namespace {

struct Place
{
    int line, column;
};

// The page editor with an inserter over it; the preview is a counter and
// the full-screen switch a flag.
struct Fixture
{
    EditorControl editor;
    ScriptedPrompter prompter;
    bool fullScreen = false;
    int refreshes = 0;
    TagSettings settings;
    TagInserter inserter { &editor,
                           &prompter,
                           { [this] { return fullScreen; }, [this] { ++refreshes; },
                             [this] { return settings; } } };

    void open(const QString &text, Place anchor, Place caret)
    {
        editor.LoadFromText(text, {});
        editor.StartLine = anchor.line;
        editor.StartPos = anchor.column;
        editor.EndLine = caret.line;
        editor.EndPos = caret.column;
        editor.ApplySelection();
    }
    QList<int> selection()
    {
        editor.ReadSelection();
        return { editor.StartLine, editor.StartPos, editor.EndLine, editor.EndPos };
    }
};

const QString ite = "<% If ... Then %>\r";
const QString endIf = "\r<% End If %>";

} // namespace

class TagInserterTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void wrap_data();
    void wrap();
    void everyInsertionIsOneUndoStepWithARefresh_data();
    void everyInsertionIsOneUndoStepWithARefresh();
    void nothingWhileFullScreen_data();
    void nothingWhileFullScreen();
    void paragraphs_data();
    void paragraphs();
    void fontSizeStepIsReadAtClickTime();
    void fontDialog_data();
    void fontDialog();
    void userButtons_data();
    void userButtons();
    void bigPages_data();
    void bigPages();
};

void TagInserterTest::wrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("before"); // anchor line, column, caret line, column
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("close");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QList<int>>("after");

    QTest::addRow("nothing selected: caret between the halves")
        << "ab cd" << QList { 1, 2, 1, 2 } << "<B>"
        << "</B>"
        << "ab<B></B> cd" << QList { 1, 5, 1, 5 };
    QTest::addRow("a word: the whole block selected") << "a word b" << QList { 1, 2, 1, 6 } << "<B>"
                                                      << "</B>"
                                                      << "a <B>word</B> b" << QList { 1, 2, 1, 13 };
    QTest::addRow("selected right to left: the same") << "a word b" << QList { 1, 6, 1, 2 } << "<B>"
                                                      << "</B>"
                                                      << "a <B>word</B> b" << QList { 1, 2, 1, 13 };
    QTest::addRow("over three lines") << "one\ntwo\nthree" << QList { 1, 1, 3, 2 } << "<B>"
                                      << "</B>"
                                      << "o<B>ne\ntwo\nth</B>ree" << QList { 1, 1, 3, 6 };
    QTest::addRow("over lines right to left") << "one\ntwo\nthree" << QList { 3, 2, 1, 1 } << "<B>"
                                              << "</B>"
                                              << "o<B>ne\ntwo\nth</B>ree" << QList { 1, 1, 3, 6 };
    QTest::addRow("close with a line break: caret in front of it")
        << "ab" << QList { 1, 1, 1, 1 } << ite << endIf << "a<% If ... Then %>\n\n<% End If %>b"
        << QList { 2, 0, 2, 0 };
    QTest::addRow("Loop at the caret")
        << "ab" << QList { 1, 1, 1, 1 } << "\r<% While ... %>\r"
        << "\r<% Loop %>\r"
        << "a\n<% While ... %>\n\n<% Loop %>\nb" << QList { 3, 0, 3, 0 };
    QTest::addRow("close with a line break round a selection")
        << "ab" << QList { 1, 0, 1, 2 } << ite << endIf << "<% If ... Then %>\nab\n<% End If %>"
        << QList { 1, 0, 3, 12 };
    QTest::addRow("empty page") << "" << QList { 1, 0, 1, 0 } << "<!--"
                                << "-->"
                                << "<!---->" << QList { 1, 4, 1, 4 };
    QTest::addRow("characters beyond the BMP before the caret")
        << "\U0001F600x" << QList { 1, 2, 1, 2 } << "<I>"
        << "</I>"
        << "\U0001F600<I></I>x" << QList { 1, 5, 1, 5 };
}

void TagInserterTest::wrap()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, before);
    QFETCH(QString, open);
    QFETCH(QString, close);
    QFETCH(QString, result);
    QFETCH(QList<int>, after);

    Fixture f;
    f.open(text, { before[0], before[1] }, { before[2], before[3] });
    f.inserter.InsertSelected2(open, close);
    QCOMPARE(f.editor.Text(), result);
    QCOMPARE(f.selection(), after);
}

void TagInserterTest::everyInsertionIsOneUndoStepWithARefresh_data()
{
    using Insert = std::function<void(TagInserter &)>;
    QTest::addColumn<Insert>("insert");
    QTest::addColumn<QString>("result");

    QTest::addRow("tag") << Insert([](TagInserter &i) { i.InsertSelected("<FONT SIZE=2>"); })
                         << "a<FONT SIZE=2>word</FONT> b";
    QTest::addRow("pair") << Insert([](TagInserter &i) { i.InsertSelected2(ite, endIf); })
                          << "a<% If ... Then %>\nword\n<% End If %> b";
    QTest::addRow("text") << Insert([](TagInserter &i) { i.InsertText("<HR>"); }) << "a<HR> b";
    QTest::addRow("caption") << Insert([](TagInserter &i) {
        i.InsertCaptionAsTag("<P ALIGN=\"left\"></P>");
    }) << "a<P ALIGN=\"left\">word</P> b";
    QTest::addRow("uneven") << Insert([](TagInserter &i) { i.CreateUnevenTags("<!--..-->"); })
                            << "a<!--word--> b";
    QTest::addRow("list") << Insert([](TagInserter &i) { i.AddListSBClick({}); })
                          << "a<OL >\n<LI> Line:1\n</OL>\n b";
    QTest::addRow("table") << Insert([](TagInserter &i) {
        i.QuickTableClick({ true, 0, 1, 1 });
    }) << "a<TABLE BORDER >\n<TR>\n<TD>Cell:1,1</TD>\n</TR>\n</TABLE>\n b";
    QTest::addRow("form tags, one insertion")
        << Insert([](TagInserter &i) { i.FormTagsClick(); })
        << "a\n<FORM METHOD=\"POST\" ACTION=\"mailto:yourname@example.com\">\n<!--Put form fields "
           "after the above opening FORM tag and before the closing /FORM tag-->\n<P "
           "ALIGN=\"CENTER\"><INPUT TYPE=\"submit\" VALUE=\"Submit Form\"><INPUT TYPE=\"reset\" "
           "VALUE=\"Reset Form\"></P>\n</FORM> b";
}

void TagInserterTest::everyInsertionIsOneUndoStepWithARefresh()
{
    QFETCH(std::function<void(TagInserter &)>, insert);
    QFETCH(QString, result);

    Fixture f;
    f.open("aword b", { 1, 1 }, { 1, 5 });
    insert(f.inserter);
    QCOMPARE(f.editor.Text(), result);
    QCOMPARE(f.refreshes, 1);
    QVERIFY(f.editor.Modified());
    f.editor.Undo();
    QCOMPARE(f.editor.Text(), QString("aword b"));
    QVERIFY(!f.editor.CanUndo());
}

void TagInserterTest::nothingWhileFullScreen_data()
{
    using Insert = std::function<void(TagInserter &)>;
    QTest::addColumn<Insert>("insert");
    QTest::addRow("tag") << Insert([](TagInserter &i) { i.InsertSelected("<B>"); });
    QTest::addRow("text") << Insert([](TagInserter &i) { i.InsertText("<HR>"); });
    QTest::addRow("list") << Insert([](TagInserter &i) { i.AddListSBClick({}); });
    QTest::addRow("colour dialog") << Insert([](TagInserter &i) { i.TextButtonClick(); });
    QTest::addRow("font dialog") << Insert([](TagInserter &i) { i.FontDialogClick(); });
}

void TagInserterTest::nothingWhileFullScreen()
{
    QFETCH(std::function<void(TagInserter &)>, insert);
    Fixture f;
    f.open("a word", { 1, 2 }, { 1, 6 });
    f.fullScreen = true;
    f.prompter.answerColor(Qt::red);
    insert(f.inserter);
    QCOMPARE(f.editor.Text(), QString("a word"));
    QCOMPARE(f.refreshes, 0);
    QVERIFY(!f.editor.Modified());
    QCOMPARE(f.prompter.unscriptedQuestions(), 0); // no dialog was even shown
}

void TagInserterTest::paragraphs_data()
{
    QTest::addColumn<bool>("menuItem");
    QTest::addColumn<bool>("closingP");
    QTest::addColumn<QString>("result");
    QTest::addRow("button, closing P") << false << true << "a<P>word</P> b";
    QTest::addRow("button, no closing P: replaces the selection") << false << false << "a<P> b";
    QTest::addRow("menu, closing P") << true << true << "a<P>word</P> b";
    QTest::addRow("menu, no closing P: a line break") << true << false << "a<P>\n b";
}

void TagInserterTest::paragraphs()
{
    QFETCH(bool, menuItem);
    QFETCH(bool, closingP);
    QFETCH(QString, result);
    Fixture f;
    f.open("aword b", { 1, 1 }, { 1, 5 });
    f.settings.useClosingP = closingP;
    if (menuItem)
        f.inserter.ParagraphMarkerClick();
    else
        f.inserter.ParagraphBtnClick();
    QCOMPARE(f.editor.Text(), result);
}

void TagInserterTest::fontSizeStepIsReadAtClickTime()
{
    Fixture f;
    f.open("x", { 1, 0 }, { 1, 1 });
    f.inserter.FontPlusClick();
    QCOMPARE(f.editor.Text(), QString("<FONT SIZE=+2>x</FONT>"));
    f.settings.fontSizeChange = 5;
    f.inserter.FontMinusClick();
    QCOMPARE(f.editor.Text(), QString("<FONT SIZE=-5><FONT SIZE=+2>x</FONT></FONT>"));
}

void TagInserterTest::fontDialog_data()
{
    QTest::addColumn<bool>("chooseFont");
    QTest::addColumn<bool>("chooseColor");
    QTest::addColumn<QString>("result");
    QTest::addRow("bold italic, red") << true << true
                                      << "<I><B><FONT FACE=\"Serif\" SIZE=\"14\" "
                                         "COLOR=\"#FF0000\">x</FONT></B></I>";
    QTest::addRow("font dialog cancelled") << false << true << "x";
    QTest::addRow("colour dialog cancelled") << true << false << "x";
}

void TagInserterTest::fontDialog()
{
    QFETCH(bool, chooseFont);
    QFETCH(bool, chooseColor);
    QFETCH(QString, result);
    Fixture f;
    f.open("x", { 1, 0 }, { 1, 1 });
    QFont font("Serif", 14);
    font.setBold(true);
    font.setItalic(true);
    if (chooseFont)
        f.prompter.answerFont(font);
    if (chooseColor)
        f.prompter.answerColor(QColor(255, 0, 0));
    f.inserter.FontDialogClick();
    QCOMPARE(f.editor.Text(), result);
}

void TagInserterTest::userButtons_data()
{
    QTest::addColumn<int>("kind"); // 0 as is, 1 even, 2 uneven
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("result");
    QTest::addRow("as is") << 0 << "&copy;"
                           << "a&copy; b";
    QTest::addRow("even") << 1 << "FONT SIZE=2"
                          << "a<FONT SIZE=2>word</FONT> b";
    QTest::addRow("uneven") << 2 << "<A HREF=\"\">..</A> - Link"
                            << "a<A HREF=\"\">word</A> b";
}

void TagInserterTest::userButtons()
{
    QFETCH(int, kind);
    QFETCH(QString, hint);
    QFETCH(QString, result);
    Fixture f;
    f.open("aword b", { 1, 1 }, { 1, 5 });
    if (kind == 0)
        f.inserter.ButtonInsertAsIs(hint);
    else if (kind == 1)
        f.inserter.ButtonInsertEven(hint);
    else
        f.inserter.ButtonInsertUnEven(hint);
    QCOMPARE(f.editor.Text(), result);
}

void TagInserterTest::bigPages_data()
{
    QTest::addColumn<QString>("page");
    QString oneLine(1024 * 1024, QLatin1Char('x'));
    QTest::addRow("1 MB on one line") << oneLine;
    QString binary;
    for (int i = 0; i < 0x10000; ++i)
        binary += QChar(char16_t(i % 0xd800)); // every code unit but lone surrogates
    QTest::addRow("binary text") << binary;
}

void TagInserterTest::bigPages()
{
    QFETCH(QString, page);
    Fixture f;
    f.editor.LoadFromText(page, {});
    const QString before = f.editor.Text();
    const int lines = f.editor.LineCount();
    // About 100 KB from the middle of the first line.
    const int from = std::min(f.editor.LineLength(1) / 2, 1000);
    f.open(before, { 1, from }, { 1, from + std::min(100 * 1024, f.editor.LineLength(1) - from) });
    const QString selected = f.editor.GetSelText();
    f.inserter.InsertSelected("<B>");
    QCOMPARE(f.editor.GetSelText(), "<B>" + selected + "</B>");
    QCOMPARE(f.editor.LineCount(), lines);
    f.editor.Undo();
    QCOMPARE(f.editor.Text(), before);
}

QTEST_MAIN(TagInserterTest)
#include "tst_taginserter.moc"
