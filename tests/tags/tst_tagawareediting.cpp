// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tagawareediting.h"

#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "tags/bodysettings.h"
#include "tags/editorcursor.h"
#include "testenvironment.h"

#include <Qsci/qsciscintilla.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using namespace Tarnwick;

using Light = TagAwareEditing::Light;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QWidget window;
    EditorControl *editor = new EditorControl(&window);
    ScriptedPrompter prompter;
    BodySettings body;
    int refreshes = 0;
    QString pageDirectory = dir.filePath("site");
    TagAwareEditing editing {
        editor, &prompter, &body, { [this] { return pageDirectory; }, [this] { ++refreshes; } }
    };

    Fixture()
    {
        (new QVBoxLayout(&window))->addWidget(editor);
        QDir().mkpath(pageDirectory);
    }

    void open(const QString &text) { editor->LoadFromText(text, {}); }
    void select(int line, int from, int to, int toLine = 0)
    {
        EditorCursor::SetEditorSelection(*editor, line, from, to, toLine ? toLine : line);
    }
    // What the editor selects on a double click: the word at the text given.
    void doubleClickOn(const QString &word)
    {
        const QString text = editor->Text();
        const qsizetype at = text.indexOf(word);
        QVERIFY(at >= 0);
        const int line = int(text.left(at).count(QLatin1Char('\n'))) + 1;
        const int column = int(at - text.lastIndexOf(QLatin1Char('\n'), at) - 1);
        select(line, column, column + int(word.size()));
        editing.WebPageDblClick();
    }
    QString file(const QString &path, const QByteArray &bytes)
    {
        TestEnvironment::writeFile(dir.filePath(path), bytes);
        return dir.filePath(path);
    }
};

} // namespace

class TagAwareEditingTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void lights_data();
    void lights();
    void twoClosingsWarnOnClicksOnly();
    void lightsFollowTheKeyboard();
    void unhookedLightsStayNeutral();
    void highlightTag_data();
    void highlightTag();
    void cursorLocationRoundTrip();
    void colorDoubleClick_data();
    void colorDoubleClick();
    void imageDoubleClick_data();
    void imageDoubleClick();
    void realDoubleClickTakesTheQuotedValue();
    void bigAndBinaryPages_data();
    void bigAndBinaryPages();
};

void TagAwareEditingTest::lights_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("selectTo"); // -1 for no selection
    QTest::addColumn<Light>("body");
    QTest::addColumn<Light>("tag");

    const QString page = "<HTML><HEAD></HEAD>\n<BODY>\n<B>bold</B> text\n</BODY>\n</HTML>";
    QTest::addRow("between <B and >") << page << 3 << 2 << -1 << Light::Green << Light::Yellow;
    QTest::addRow("plain text after </B>") << page << 3 << 13 << -1 << Light::Green << Light::Green;
    QTest::addRow("in the head") << page << 1 << 8 << -1 << Light::Red << Light::Yellow;
    QTest::addRow("right in front of </BODY>")
        << page << 4 << 0 << -1 << Light::Green << Light::Green;
    QTest::addRow("right behind </BODY>") << page << 4 << 7 << -1 << Light::Red << Light::Green;
    QTest::addRow("a selection: neutral")
        << page << 3 << 3 << 7 << Light::Neutral << Light::Neutral;
    QTest::addRow("no body at all: red")
        << "<P>text</P>" << 1 << 5 << -1 << Light::Red << Light::Green;
    // One long line: the "<" or ">" that decides lies far from the caret.
    const QString run(5000, QLatin1Char('x'));
    QTest::addRow("far inside a long tag") << "<BODY><A TITLE=\"" + run + "\">link</A></BODY>" << 1
                                           << 3000 << -1 << Light::Green << Light::Yellow;
    QTest::addRow("far behind a tag")
        << "<BODY><P>" + run + "</BODY>" << 1 << 3000 << -1 << Light::Green << Light::Green;
    QTest::addRow("right behind a tag, a surrogate pair further back")
        << "<BODY>" + QString(100, QLatin1Char('a')) + QString::fromUcs4(U"\U0001F600")
            + QString(252, QLatin1Char('b')) + "<B>text</BODY>"
        << 1 << 363 << -1 << Light::Green << Light::Green;
}

void TagAwareEditingTest::lights()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(int, selectTo);
    QFETCH(Light, body);
    QFETCH(Light, tag);
    Fixture f;
    f.open(text);
    f.select(line, column, selectTo < 0 ? column : selectTo);
    f.editing.WebPageClick();
    QCOMPARE(f.editing.bodyLight(), body);
    QCOMPARE(f.editing.tagLight(), tag);
    QVERIFY(f.prompter.messages().isEmpty());
}

void TagAwareEditingTest::twoClosingsWarnOnClicksOnly()
{
    Fixture f;
    f.editing.setHooked(true);
    f.open("<body>\none</body>\ntwo</BODY>\nthree");
    f.select(3, 1, 1);
    f.editing.updateLights(); // as a caret move does
    QVERIFY(f.prompter.messages().isEmpty());
    Q_EMIT f.editor->OnClick();
    Q_EMIT f.editor->OnClick();
    QCOMPARE(f.prompter.texts(),
             QStringList(2,
                         "It appears as if you have two closing </BODY> tags in your "
                         "document.  Remember that anything appearing after the first closing "
                         "tag may not display in all browsers!  It will NOT appear in this "
                         "viewer."));
    QCOMPARE(f.prompter.messages().first().kind, Prompter::Kind::Warning);
    // The second closing tag ends the body.
    QCOMPARE(f.editing.bodyLight(), Light::Green);
    f.select(4, 1, 1);
    Q_EMIT f.editor->OnClick();
    QCOMPARE(f.editing.bodyLight(), Light::Red);
}

void TagAwareEditingTest::lightsFollowTheKeyboard()
{
    Fixture f;
    f.editing.setHooked(true);
    f.open("<body><B>x</B></body></body>");
    f.select(1, 7, 7);
    // The lights follow an edit (the page loaded) once it is over.
    QTRY_COMPARE_WITH_TIMEOUT(f.editing.tagLight(), Light::Yellow, TestEnvironment::signalBound);
    QSignalSpy changed(&f.editing, &TagAwareEditing::lightsChanged);
    QTest::keyClick(f.editor->focusProxy(), Qt::Key_Right);
    QTest::keyClick(f.editor->focusProxy(), Qt::Key_Right);
    QCOMPARE(f.editor->CaretColumn(), 9);
    QCOMPARE(f.editing.tagLight(), Light::Green);
    QVERIFY(!changed.isEmpty());
    // Typing a "<" in front of the caret puts it in a tag: the text changed.
    QTest::keyClicks(f.editor->focusProxy(), "<");
    QTRY_COMPARE_WITH_TIMEOUT(f.editing.tagLight(), Light::Yellow, TestEnvironment::signalBound);
    QVERIFY(f.prompter.messages().isEmpty()); // two closings, yet no warning from the keyboard
}

void TagAwareEditingTest::unhookedLightsStayNeutral()
{
    Fixture f;
    f.editing.setHooked(true);
    f.open("<body>x</body>");
    f.select(1, 7, 7);
    QTRY_COMPARE_WITH_TIMEOUT(f.editing.bodyLight(), Light::Green, TestEnvironment::signalBound);
    f.editing.setHooked(false);
    QCOMPARE(f.editing.bodyLight(), Light::Neutral);
    f.select(1, 2, 2);
    Q_EMIT f.editor->OnClick();
    QTest::keyClick(f.editor->focusProxy(), Qt::Key_Right);
    QCOMPARE(f.editing.bodyLight(), Light::Neutral);
    QCOMPARE(f.editing.tagLight(), Light::Neutral);
}

void TagAwareEditingTest::highlightTag_data()
{
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("close");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("selected");

    QTest::addRow("tag over lines, case ignored")
        << "<body"
        << ">" << true << "<BODY BGCOLOR=\"#FFFFFF\"\nTEXT=\"#000000\">";
    QTest::addRow("a pair") << "<title>"
                            << "</title>" << true << "<TITLE>Home</TITLE>";
    QTest::addRow("only the first half") << "<title>"
                                         << "</head>" << false << "x";
    QTest::addRow("neither half") << "<frameset"
                                  << ">" << false << "x";
}

void TagAwareEditingTest::highlightTag()
{
    QFETCH(QString, open);
    QFETCH(QString, close);
    QFETCH(bool, found);
    QFETCH(QString, selected);
    Fixture f;
    f.open("x<HTML><TITLE>Home</TITLE>\n<BODY BGCOLOR=\"#FFFFFF\"\nTEXT=\"#000000\">\ntext");
    f.select(1, 0, 1);
    const CursorLocation before = EditorCursor::GetCursorLocation(*f.editor);
    QCOMPARE(EditorCursor::HighlightTag(*f.editor, open, close), found);
    QCOMPARE(f.editor->GetSelText(), selected);
    if (!found)
        QCOMPARE(EditorCursor::GetCursorLocation(*f.editor), before);
}

void TagAwareEditingTest::cursorLocationRoundTrip()
{
    Fixture f;
    f.window.resize(200, 100);
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QString text;
    for (int i = 1; i <= 200; ++i)
        text += QString(300, QLatin1Char('a' + i % 26)) + QLatin1Char('\n');
    f.open(text);
    f.select(150, 200, 10, 120);
    f.editor->SetFirstVisibleLine(100);
    f.editor->SetFirstVisiblePos(500);
    const CursorLocation saved = EditorCursor::GetCursorLocation(*f.editor);
    QCOMPARE(saved.startLine, 150);
    QCOMPARE(saved.endLine, 120);
    QCOMPARE(saved.firstVisibleLine, 100);

    EditorCursor::GoToTop(*f.editor);
    QCOMPARE(f.editor->CaretLine(), 1);
    QCOMPARE(f.editor->CaretColumn(), 0);
    QCOMPARE(f.editor->SelLength(), 0);
    EditorCursor::SetCursorLocation(*f.editor, saved);
    QCOMPARE(EditorCursor::GetCursorLocation(*f.editor), saved);
}

void TagAwareEditingTest::colorDoubleClick_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word"); // what the editor selected
    QTest::addColumn<QColor>("chosen"); // invalid: dialog cancelled or not shown
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("selected"); // after the double click, before any change
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("asked"); // the colour dialog was shown

    QTest::addRow("VLINK to pure red")
        << "<BODY LINK=\"#0000FF\" VLINK=\"#800080\">"
        << "VLINK" << QColor(255, 0, 0) << "<BODY LINK=\"#0000FF\" VLINK=\"#FF0000\">"
        << ""
        << "" << true;
    QTest::addRow("unquoted BGCOLOR")
        << "<body bgcolor=#FFFFFF text=#000000>"
        << "bgcolor" << QColor(0, 128, 255) << "<body bgcolor=\"#0080FF\" text=#000000>"
        << ""
        << "" << true;
    QTest::addRow("cancelled") << "<BODY TEXT=\"#000000\">"
                               << "TEXT" << QColor() << "<BODY TEXT=\"#000000\">"
                               << "TEXT=\"#000000\""
                               << "" << true;
    QTest::addRow("anchor: no colour dialog") << "<A HREF=\"#top\">up</A>"
                                              << "HREF" << QColor() << "<A HREF=\"#top\">up</A>"
                                              << "HREF=\"#top\""
                                              << "" << false;
    QTest::addRow("anchor in hex digits: no colour dialog")
        << "<A HREF=\"#add\">up</A>"
        << "HREF" << QColor() << "<A HREF=\"#add\">up</A>"
        << "HREF=\"#add\""
        << "" << false;
    QTest::addRow("BORDERCOLOR, short form")
        << "<TABLE BORDERCOLOR=\"#ABC\">"
        << "BORDERCOLOR" << QColor(1, 2, 3) << "<TABLE BORDERCOLOR=\"#010203\">"
        << ""
        << "" << true;
    QTest::addRow("bad colour value") << "<FONT COLOR=\"#12345G\">x</FONT>"
                                      << "COLOR" << QColor() << "<FONT COLOR=\"#12345G\">x</FONT>"
                                      << "COLOR=\"#12345G\""
                                      << "'#12345G' is not a valid color value for COLOR." << false;
    QTest::addRow("plain text: the word stays") << "some words"
                                                << "words" << QColor() << "some words"
                                                << "words"
                                                << "" << false;
}

void TagAwareEditingTest::colorDoubleClick()
{
    QFETCH(QString, text);
    QFETCH(QString, word);
    QFETCH(QColor, chosen);
    QFETCH(QString, result);
    QFETCH(QString, selected);
    QFETCH(QString, message);
    QFETCH(bool, asked);
    Fixture f;
    f.open(text);
    if (chosen.isValid())
        f.prompter.answerColor(chosen);
    f.doubleClickOn(word);
    QCOMPARE(f.editor->Text(), result);
    if (!selected.isEmpty())
        QCOMPARE(f.editor->GetSelText(), selected);
    QCOMPARE(f.prompter.texts(), message.isEmpty() ? QStringList() : QStringList { message });
    QCOMPARE(f.refreshes, 1);
    QVERIFY(f.prompter.scriptUsedUp());
    QCOMPARE(f.prompter.unscriptedQuestions(), asked && !chosen.isValid() ? 1 : 0);
    if (word == "VLINK")
        QCOMPARE(f.body.visitedLink, QColor(255, 0, 0));
    if (word == "bgcolor")
        QCOMPARE(f.body.background, QColor(0, 128, 255));
    if (word != "VLINK")
        QCOMPARE(f.body.visitedLink, QColor(Qt::black));
    QCOMPARE(f.body.link, QColor(Qt::black)); // LINK is not VLINK
}

void TagAwareEditingTest::imageDoubleClick_data()
{
    QTest::addColumn<QString>("chosen"); // relative to the test directory; "" cancels
    QTest::addColumn<QByteArray>("existing"); // already beside the page; null for none
    QTest::addColumn<QString>("result");
    QTest::addColumn<QByteArray>("besideThePage"); // the file's bytes afterwards
    QTest::addColumn<QString>("message");

    const QString original = "<IMG SRC=\"old.gif\">";
    QTest::addRow("from another directory: copied")
        << "images/my pic.gif" << QByteArray() << "<IMG SRC=\"my pic.gif\">" << QByteArray("GIF")
        << "";
    QTest::addRow("from the page's directory")
        << "site/here.gif" << QByteArray("GIF") << "<IMG SRC=\"here.gif\">" << QByteArray("GIF")
        << "";
    QTest::addRow("the same file already there")
        << "images/my pic.gif" << QByteArray("GIF") << "<IMG SRC=\"my pic.gif\">"
        << QByteArray("GIF") << "";
    QTest::addRow("a different file of that name is kept")
        << "images/my pic.gif" << QByteArray("OTHER") << "<IMG SRC=\"my pic.gif\">"
        << QByteArray("OTHER") << "kept";
    QTest::addRow("a quote in the name") << "images/a\"b.gif" << QByteArray()
                                         << "<IMG SRC=\"a&quot;b.gif\">" << QByteArray("GIF") << "";
    QTest::addRow("cancelled") << "" << QByteArray() << original << QByteArray() << "";
    QTest::addRow("copy fails: nothing changes")
        << "images/missing.gif" << QByteArray() << original << QByteArray() << "Unable to copy";
}

void TagAwareEditingTest::imageDoubleClick()
{
    QFETCH(QString, chosen);
    QFETCH(QByteArray, existing);
    QFETCH(QString, result);
    QFETCH(QByteArray, besideThePage);
    QFETCH(QString, message);
    Fixture f;
    f.open("<IMG SRC=\"old.gif\">");
    QString path;
    if (!chosen.isEmpty()) {
        path = f.dir.filePath(chosen);
        if (!chosen.contains("missing") && !chosen.startsWith("site/"))
            f.file(chosen, "GIF");
        if (!existing.isNull())
            f.file("site/" + QFileInfo(chosen).fileName(), existing);
        f.prompter.answerFile(path);
    } else {
        f.prompter.cancelNextFile();
    }
    f.doubleClickOn("SRC");

    QCOMPARE(f.editor->Text(), result);
    QCOMPARE(f.prompter.fileRequests().size(), 1);
    const Prompter::FileRequest request = f.prompter.fileRequests().first();
    QCOMPARE(request.caption, QString("Open File"));
    QCOMPARE(request.directory, f.pageDirectory);
    QCOMPARE(request.filter,
             QString("Images|*.GIF;*.JPG;*.PNG;*.SVG;*.WEBP;*.gif;*.jpg;*.png;*.svg;*.webp"));
    if (!besideThePage.isNull())
        QCOMPARE(TestEnvironment::readFile(f.pageDirectory + "/" + QFileInfo(chosen).fileName()),
                 besideThePage);
    if (message.isEmpty())
        QCOMPARE(f.prompter.texts(), QStringList());
    else
        QVERIFY2(f.prompter.texts().size() == 1 && f.prompter.texts().first().contains(message),
                 qPrintable(f.prompter.texts().join('\n')));
    QCOMPARE(f.refreshes, 1);
}

void TagAwareEditingTest::realDoubleClickTakesTheQuotedValue()
{
    Fixture f;
    f.window.resize(600, 200);
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    connect(f.editor, &EditorControl::OnDblClick, &f.editing, &TagAwareEditing::WebPageDblClick);
    f.open("<IMG SRC=\"my pic.gif\" ALT=\"x\">");
    auto *sci = f.editor->findChild<QsciScintilla *>();
    QVERIFY(sci);
    const long position = f.editor->Text().indexOf("pic");
    const QPoint at(
        int(sci->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, position)) + 3,
        int(sci->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0, position)) + 3);
    QTest::mouseDClick(sci->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(f.editor->GetSelText(), QString("SRC=\"my pic.gif\""));
    QCOMPARE(f.prompter.fileRequests().size(), 1); // the image branch was taken
    QCOMPARE(f.editor->Text(), QString("<IMG SRC=\"my pic.gif\" ALT=\"x\">"));
}

void TagAwareEditingTest::bigAndBinaryPages_data()
{
    QTest::addColumn<QString>("text");
    QString oneLine = "<body>" + QString(1024 * 1024, QLatin1Char('x')) + "<IMG SRC=a.gif>";
    QTest::addRow("1 MB on one line") << oneLine;
    QString binary;
    for (int i = 0; i < 0x10000; ++i)
        binary += QChar(char16_t(i % 0xd800));
    QTest::addRow("binary text") << binary;
}

void TagAwareEditingTest::bigAndBinaryPages()
{
    QFETCH(QString, text);
    Fixture f;
    f.editing.setHooked(true);
    f.open(text);
    const QString before = f.editor->Text();
    const int lines = f.editor->LineCount();
    for (int line : { 1, lines / 2, lines }) {
        for (int column : { 0, f.editor->LineLength(line) / 2, f.editor->LineLength(line) }) {
            f.select(line, column, column);
            f.editing.WebPageClick();
            QVERIFY(f.editing.bodyLight() != Light::Neutral);
            f.select(line, column, column + 1);
            f.prompter.cancelNextFile();
            f.editing.WebPageDblClick();
        }
    }
    QCOMPARE(f.editor->Text(), before);
    QCOMPARE(f.refreshes, 9);
}

QTEST_MAIN(TagAwareEditingTest)
#include "tst_tagawareediting.moc"
