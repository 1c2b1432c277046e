// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/cleanuptools.h"

#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "tags/editorcursor.h"
#include "tags/taginserter.h"
#include "testenvironment.h"

#include <QTest>
#include <QVBoxLayout>

using namespace Tarnwick;

namespace {

struct Fixture
{
    QWidget window;
    EditorControl *editor = new EditorControl(&window);
    ScriptedPrompter prompter;
    QDateTime now { QDate(2026, 3, 7), QTime(14, 5, 9) };
    QLocale locale { QLocale::English, QLocale::UnitedStates };
    int refreshes = 0;
    TagInserter inserter { editor, &prompter, { nullptr, [this] { ++refreshes; }, nullptr } };
    CleanupTools tools { editor, &prompter, &inserter,
                         CleanupTools::Collaborators { [this] { return now; }, locale,
                                                       [this] { ++refreshes; } } };

    Fixture() { (new QVBoxLayout(&window))->addWidget(editor); }
    void open(const QString &text) { editor->LoadFromText(text, {}); }
    void caret(int line, int column)
    {
        EditorCursor::SetEditorSelection(*editor, line, column, column, line);
    }
    QString stamp() const { return CleanupTools::marker(now, locale); }
};

} // namespace

class TestCleanupTools final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyColors_data();
    void emptyColors();
    void removeColorsAsksAndKeepsTheCaret();
    void title_data();
    void title();
    void standardTags();
    void marker_data();
    void marker();
    void lastModified_data();
    void lastModified();
    void lastModifiedTwiceKeepsOneMarker();
    void stampBeforeSave_data();
    void stampBeforeSave();
    void dateAndTime_data();
    void dateAndTime();
};

void TestCleanupTools::emptyColors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::addRow("FONT COLOR") << "<FONT COLOR=\"\">x</FONT>"
                                << "<FONT >x</FONT>";
    QTest::addRow("BODY bgcolor, lower case") << "<body bgcolor=\"\" text=\"#000000\">"
                                              << "<body  text=\"#000000\">";
    QTest::addRow("mixed case") << "<Font Color=\"\">"
                                << "<Font >";
    QTest::addRow("BORDERCOLOR removed whole") << "<TABLE BORDERCOLOR=\"\" BORDER=0>"
                                               << "<TABLE  BORDER=0>";
    QTest::addRow("set colour untouched") << "<FONT COLOR=\"#FF0000\">"
                                          << "<FONT COLOR=\"#FF0000\">";
    QTest::addRow("several, over lines") << "<TD BGCOLOR=\"\">\n<FONT COLOR=\"\">"
                                         << "<TD >\n<FONT >";
    QTest::addRow("at the very end") << "<FONT COLOR=\"\""
                                     << "<FONT ";
    QTest::addRow("COLOR as part of a longer word kept") << "<X COLORS=\"\">"
                                                         << "<X COLORS=\"\">";
    QTest::addRow("script text kept, tags after it cleaned")
        << "<SCRIPT>el.style.color=\"\";</SCRIPT><FONT COLOR=\"\">"
        << "<SCRIPT>el.style.color=\"\";</SCRIPT><FONT >";
    QTest::addRow("script with attributes, lower case")
        << "<script type=\"text/javascript\">\nif (a<b) x.bgcolor=\"\";\n</script>"
        << "<script type=\"text/javascript\">\nif (a<b) x.bgcolor=\"\";\n</script>";
    QTest::addRow("style sheet kept") << "<STYLE>/* color=\"\" */</STYLE><P>"
                                      << "<STYLE>/* color=\"\" */</STYLE><P>";
    QTest::addRow("comment kept") << "<!-- <FONT COLOR=\"\"> -->"
                                  << "<!-- <FONT COLOR=\"\"> -->";
    QTest::addRow("text between tags kept") << "<P>Write color=\"\" to clear it</P>"
                                            << "<P>Write color=\"\" to clear it</P>";
    QTest::addRow("inside another value kept") << "<IMG ALT='color=\"\"' SRC=a.gif>"
                                               << "<IMG ALT='color=\"\"' SRC=a.gif>";
    QTest::addRow("tag over lines") << "<FONT\nCOLOR=\"\"\nSIZE=2>"
                                    << "<FONT\n\nSIZE=2>";
}

void TestCleanupTools::emptyColors()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(CleanupTools::withoutEmptyColors(text), expected);

    Fixture f;
    f.open(text);
    f.prompter.answer(Prompter::Answer::Yes);
    f.tools.RemoveInvalidColors1Click();
    QCOMPARE(f.editor->Text(), expected);
    if (expected != text) {
        f.editor->Undo(); // one step brings it all back
        QCOMPARE(f.editor->Text(), text);
    }
}

void TestCleanupTools::removeColorsAsksAndKeepsTheCaret()
{
    Fixture f;
    const QString text = "<FONT COLOR=\"\">x</FONT>\nline two";
    f.open(text);
    f.caret(2, 4);
    f.prompter.answer(Prompter::Answer::No);
    f.tools.RemoveInvalidColors1Click();
    QCOMPARE(f.editor->Text(), text);
    QCOMPARE(
        f.prompter.texts(),
        QStringList { "Remove COLOR and BGCOLOR tags with empty contents such as COLOR=\"\"?" });
    QCOMPARE(f.prompter.messages().first().buttons, Prompter::Buttons::YesNo);

    f.prompter.answer(Prompter::Answer::Yes);
    f.tools.RemoveInvalidColors1Click();
    QCOMPARE(f.editor->Text(), QString("<FONT >x</FONT>\nline two"));
    f.editor->ReadSelection();
    QCOMPARE(f.editor->EndLine, 2);
    QCOMPARE(f.editor->EndPos, 4);
}

void TestCleanupTools::title_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("expected");

    QTest::addRow("replaced") << "<head>\n<TITLE>Old</TITLE>\n</head>" << true << "Old"
                              << "<head>\n<TITLE>New</TITLE>\n</head>";
    QTest::addRow("lower-case element replaced") << "<title>Old</title>" << true << "Old"
                                                 << "<TITLE>New</TITLE>";
    QTest::addRow("own line after head") << "<html><head></head>" << true << ""
                                         << "<html><head>\n<TITLE>New</TITLE></head>";
    QTest::addRow("at the top") << "<p>text</p>" << true << ""
                                << "\n<TITLE>New</TITLE><p>text</p>";
    QTest::addRow("cancel") << "<title>Old</title>" << false << "Old"
                            << "<title>Old</title>";
}

void TestCleanupTools::title()
{
    QFETCH(QString, text);
    QFETCH(bool, answer);
    QFETCH(QString, preset);
    QFETCH(QString, expected);

    Fixture f;
    f.open(text);
    f.caret(1, 3);
    if (answer)
        f.prompter.answerText("New");
    f.tools.EditTitle1Click();
    QCOMPARE(f.editor->Text(), expected);

    f.open(text);
    QCOMPARE(CleanupTools::GetTitleText(*f.editor), preset);
}

void TestCleanupTools::standardTags()
{
    Fixture f;
    f.open(QString());
    f.tools.InsertBasicTags();
    const QStringList lines = f.editor->Text().split('\n');
    QCOMPARE(lines,
             QStringList({ "<HTML>", "<HEAD>", "<TITLE>Web page Title</TITLE>", "</HEAD>", "<BODY>",
                           "", "</BODY>", "</HTML>" }));
}

void TestCleanupTools::marker_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    const QDateTime afternoon(QDate(2026, 3, 7), QTime(14, 5, 9));
    const QDateTime midnight(QDate(2026, 3, 7), QTime(0, 0, 0));
    QTest::addRow("afternoon, US")
        << afternoon << us
        << "<PAGEMODIFIED>" + us.toString(afternoon.date(), QLocale::ShortFormat) + " "
            + us.toString(afternoon.time(), QLocale::LongFormat) + "</PAGEMODIFIED>";
    QTest::addRow("midnight drops the time")
        << midnight << de << "<PAGEMODIFIED>07.03.26</PAGEMODIFIED>";
    QTest::addRow("a second after midnight keeps it") << midnight.addSecs(1) << de
                                                      << "<PAGEMODIFIED>07.03.26 "
            + de.toString(QTime(0, 0, 1), QLocale::LongFormat) + "</PAGEMODIFIED>";
}

void TestCleanupTools::marker()
{
    QFETCH(QDateTime, when);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(CleanupTools::marker(when, locale), expected);
}

void TestCleanupTools::lastModified_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // %1: the marker

    QTest::addRow("before the closing body") << "<BODY>\nx\n</BODY>"
                                             << "<BODY>\nx\n%1</BODY>";
    QTest::addRow("lower-case body") << "<body>x</body></html>"
                                     << "<body>x%1</body></html>";
    QTest::addRow("old marker refreshed in place")
        << "<BODY><PAGEMODIFIED>1/1/99</PAGEMODIFIED>x</BODY>"
        << "<BODY>%1x</BODY>";
    QTest::addRow("neither: at the top") << "<p>x</p>"
                                         << "%1<p>x</p>";
}

void TestCleanupTools::lastModified()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    Fixture f;
    f.open(text);
    f.caret(1, 2);
    f.tools.SetLastModifiedDate();
    QCOMPARE(f.editor->Text(), expected.arg(f.stamp()));
    QVERIFY(f.refreshes > 0);
}

void TestCleanupTools::lastModifiedTwiceKeepsOneMarker()
{
    Fixture f;
    f.open("<BODY>\ntext\n</BODY>\n");
    f.tools.SetLastModifiedDate();
    f.now = f.now.addSecs(3600 + 61);
    f.tools.SetLastModifiedDate();
    const QString text = f.editor->Text();
    QCOMPARE(text.count("<PAGEMODIFIED>"), 1);
    QCOMPARE(text, "<BODY>\ntext\n" + f.stamp() + "</BODY>\n");
}

void TestCleanupTools::stampBeforeSave_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stamped");

    QTest::addRow("page with a body") << "<BODY>\nsome text\n</BODY>" << true;
    QTest::addRow("page with a marker only") << "<PAGEMODIFIED>x</PAGEMODIFIED>\nsome text" << true;
    QTest::addRow("style sheet: left alone") << "p { color: red }\nsome text" << false;
}

void TestCleanupTools::stampBeforeSave()
{
    QFETCH(QString, text);
    QFETCH(bool, stamped);
    Fixture f;
    f.open(text);
    EditorCursor::SetEditorSelection(*f.editor, 2, 1, 4, 2);
    f.tools.stampBeforeSave();
    QCOMPARE(f.editor->Text().contains(f.stamp()), stamped);
    if (!stamped)
        QCOMPARE(f.editor->Text(), text);
    f.editor->ReadSelection();
    QCOMPARE(f.editor->StartLine, 2);
    QCOMPARE(f.editor->StartPos, 1);
    QCOMPARE(f.editor->EndLine, 2);
    QCOMPARE(f.editor->EndPos, 4);
}

void TestCleanupTools::dateAndTime_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("expected");

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    const QDate date(2026, 3, 7);
    const QTime time(14, 5, 9);
    for (const QLocale &locale : { us, de }) {
        const QString name = locale.name();
        const QString d = locale.toString(date, QLocale::ShortFormat);
        const QString t = locale.toString(time, QLocale::LongFormat);
        QTest::addRow("%s date", qPrintable(name)) << locale << 0 << " " + d + " ";
        QTest::addRow("%s time", qPrintable(name)) << locale << 1 << " " + t + " ";
        QTest::addRow("%s date/time", qPrintable(name)) << locale << 2 << " " + d + "/" + t + " ";
    }
}

void TestCleanupTools::dateAndTime()
{
    QFETCH(QLocale, locale);
    QFETCH(int, entry);
    QFETCH(QString, expected);
    QWidget window;
    auto *editor = new EditorControl(&window);
    ScriptedPrompter prompter;
    TagInserter inserter(editor, &prompter, {});
    CleanupTools tools(
        editor, &prompter, &inserter,
        { [] { return QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9)); }, locale, {} });
    editor->LoadFromText("ab", {});
    EditorCursor::SetEditorSelection(*editor, 1, 1, 1, 1);
    const std::array<void (CleanupTools::*)(), 3> entries
        = { &CleanupTools::Todaysdate1Click, &CleanupTools::CurrentTime1Click,
            &CleanupTools::DateTime2Click };
    (tools.*entries[entry])();
    QCOMPARE(editor->Text(), "a" + expected + "b");
}

QTEST_MAIN(TestCleanupTools)
#include "tst_cleanuptools.moc"
