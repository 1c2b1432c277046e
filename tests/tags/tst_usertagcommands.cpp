// SPDX-License-Identifier: GPL-3.0-or-later
// The user's tags over the real editor: tag menus and their dialog, custom
// button pages and their setup dialog, the special characters and the
// expansion of typed accented letters.
#include "tags/usertagcommands.h"

#include "lockeddirectory.h"
#include "platform/editorcontrol.h"
#include "platform/menutext.h"
#include "scriptedprompter.h"
#include "tags/custombuttonform.h"
#include "tags/custompage.h"
#include "tags/htmlcodesmenu.h"
#include "tags/lcrpopup.h"
#include "tags/powerbook.h"
#include "tags/speccharform.h"
#include "tags/specialcharacters.h"
#include "tags/specialpage.h"
#include "tags/taginserter.h"
#include "tags/tagmenus.h"
#include "tags/usercodeform.h"
#include "testenvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Tarnwick;

namespace {

struct MemoryStore final : SpecialCharacterStore
{
    QHash<QString, QString> texts;
    QHash<QString, bool> flags;
    QString readText(const QString &name) override { return texts.value(name); }
    bool readFlag(const QString &name) override { return flags.value(name); }
    void writeText(const QString &name, const QString &value) override { texts[name] = value; }
    void writeFlag(const QString &name, bool value) override { flags[name] = value; }
};

const QString loadMenuWarning = "Exception occured during LoadMenu!";
const QString reassignWarning = "Exception occured during ReassignButtons!";

// The commands over a page editor and an internal clipboard, with the tool
// notebook and "HTML &Codes"; files go to a temporary program directory.
struct Fixture
{
    QTemporaryDir dir;
    QWidget window;
    EditorControl *page = new EditorControl(&window);
    EditorControl *spare = new EditorControl(&window);
    ScriptedPrompter prompter;
    MemoryStore store;
    bool expand = true;
    TagInserter inserter { page,
                           &prompter,
                           { [] { return false; }, [] {}, [] { return TagSettings(); } } };
    PowerBook *book = new PowerBook(&inserter, &window);
    HTMLCodesMenu codes { &inserter };
    std::unique_ptr<UserTagCommands> commands;

    explicit Fixture(const QHash<QString, QByteArray> &files = {})
    {
        for (auto it = files.begin(); it != files.end(); ++it)
            TestEnvironment::writeFile(path(it.key()), it.value());
        commands = std::make_unique<UserTagCommands>(
            UserTagCommands::Parts { dir.path(), &inserter, &prompter, &store, page, spare,
                                     [this] { return expand; }, &window });
        commands->buildButtons();
        commands->fillHtmlCodesMenu(&codes, codes.headings());
        commands->addPages(book);
        commands->setPageOpen(true);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(book);
        layout->addWidget(page);
        layout->addWidget(spare);
        book->show();
        window.show();
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    void open(const QString &text, int from, int to)
    {
        page->LoadFromText(text, {});
        page->StartPos = from;
        page->EndPos = to;
        page->ApplySelection();
    }
    QMenu *menu(int index) const { return commands->tagMenus()->menu(index); }
    QStringList captions(int index) const
    {
        QStringList result;
        for (QAction *a : menu(index)->actions())
            result << a->text();
        return result;
    }
    QToolButton *button(int page, int slot) const
    {
        return commands->customPage(page)->buttons().at(slot);
    }
};

QByteArray crlf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

void typeText(EditorControl *editor, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, editor->focusProxy(), Qt::Key(c.toUpper().unicode()),
                            QString(c), Qt::NoModifier);
}

} // namespace

class TestUserTagCommands final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void menuEntryInserts_data();
    void menuEntryInserts();
    void menuFiles_data();
    void menuFiles();
    void menusGoFirstOnHtmlCodes();
    void definableTagsOk_data();
    void definableTagsOk();
    void definableTagsWriteFailure();
    void buttons_data();
    void buttons();
    void arrows_data();
    void arrows();
    void arrowOnTheLastLine();
    void setupDialogFlow();
    void setupDialogRefusesBar();
    void setupDialogKeepsLongCaptions_data();
    void setupDialogKeepsLongCaptions();
    void codeHintsArePlainText_data();
    void codeHintsArePlainText();
    void setupDialogWriteFailure();
    void specialPageFirstStart();
    void specialDialog_data();
    void specialDialog();
    void expansion_data();
    void expansion();
    void expansionIsOneUndoStep();
    void inputMethodCharacters();
};

void TestUserTagCommands::menuEntryInserts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("result");
    QTest::addRow("TT - Teletype") << QByteArray("TT - Teletype\r\n") << 0 << "TT - Teletype"
                                   << "a <TT>word</TT> b";
    QTest::addRow("anchor pair") << QByteArray("<A HREF=\"\">..</A> - Anchor\r\n") << 0
                                 << "<A HREF=\"\">..</A> - Anchor"
                                 << "a <A HREF=\"\">word</A> b";
    QTest::addRow("dots in a quoted value")
        << QByteArray("<A HREF=\"../index.htm\">..</A> - Up\r\n") << 0
        << "<A HREF=\"../index.htm\">..</A> - Up"
        << "a <A HREF=\"../index.htm\">word</A> b";
    QTest::addRow("ampersand in the caption")
        << QByteArray("<A HREF=\"?a=1&b=2\">..</A> - Q & A\r\n") << 0
        << "<A HREF=\"?a=1&&b=2\">..</A> - Q && A"
        << "a <A HREF=\"?a=1&b=2\">word</A> b";
    QTest::addRow("no blank: the whole line names the tag")
        << QByteArray("BLINK\r\n") << 0 << "BLINK"
        << "a <BLINK>word</BLINK> b";
    QTest::addRow("after a blank line")
        << QByteArray("B - Bold\r\n\r\nI - Italic\r\n") << 1 << "I - Italic"
        << "a <I>word</I> b";
    const QByteArray longLine = "KBD " + QByteArray(4996, 'k');
    QTest::addRow("5,000 characters")
        << QByteArray(longLine + "\r\n") << 0
        << QString::fromLatin1(longLine.left(100)) + QChar(0x2026) << "a <KBD>word</KBD> b";
}

void TestUserTagCommands::menuEntryInserts()
{
    QFETCH(QByteArray, file);
    QFETCH(int, entry);
    QFETCH(QString, caption);
    QFETCH(QString, result);
    Fixture f({ { "usercode.mnu", file } });
    QAction *item = f.menu(2)->actions().value(entry);
    QVERIFY(item);
    QCOMPARE(item->text(), caption);
    f.open("a word b", 2, 6);
    item->trigger();
    QCOMPARE(f.page->Text(), result);
}

void TestUserTagCommands::menuFiles_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("messages");
    QTest::addRow("missing") << false << QByteArray() << QStringList {} << QStringList {};
    QTest::addRow("empty") << true << QByteArray() << QStringList {} << QStringList {};
    QTest::addRow("binary") << true << QByteArray("B\0\0\1\2", 5) << QStringList {}
                            << QStringList { loadMenuWarning };
    QTest::addRow("Windows-1252") << true << QByteArray("EM - Betont \xe9\r\nB\r\n")
                                  << QStringList { QString::fromUtf8("EM - Betont é"), "B" }
                                  << QStringList {};
    QTest::addRow("blank lines only")
        << true << QByteArray("\r\n  \r\n") << QStringList {} << QStringList {};
}

void TestUserTagCommands::menuFiles()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, messages);
    QHash<QString, QByteArray> files;
    if (exists)
        files.insert("blkhlght.mnu", file);
    Fixture f(files);
    QCOMPARE(f.captions(0), captions);
    QCOMPARE(f.prompter.texts(), messages);
}

void TestUserTagCommands::menusGoFirstOnHtmlCodes()
{
    Fixture f;
    QStringList items;
    for (QAction *a : f.codes.actions())
        items << a->text();
    QCOMPARE(items.mid(0, 5),
             QStringList({ "&Block Tags", "&Text Attributes", "&Additional Tags", "&Headings",
                           "&Modify Menu Tags..." }));
    f.commands->setPageOpen(false);
    QVERIFY(!f.menu(0)->menuAction()->isEnabled());
}

void TestUserTagCommands::definableTagsOk_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("typed"); // appended to the text-attribute box
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QStringList>("captions");
    QTest::addRow("unchanged twice, not doubled")
        << QByteArray("B - Bold\r\nI - Italic\r\n") << ""
        << QByteArray("B - Bold\r\nI - Italic\r\n") << QStringList { "B - Bold", "I - Italic" };
    QTest::addRow("missing file written empty")
        << QByteArray("-") << "" << QByteArray() << QStringList {};
    QTest::addRow("Windows-1252 bytes kept")
        << QByteArray("EM - Betont \xe9\n") << "\nU" << QByteArray("EM - Betont \xe9\r\nU\r\n")
        << QStringList { QString::fromUtf8("EM - Betont é"), "U" };
    QTest::addRow("blank line kept, no entry")
        << QByteArray("B\r\n\r\nI\r\n") << "" << QByteArray("B\r\n\r\nI\r\n")
        << QStringList { "B", "I" };
    QTest::addRow("binary file left alone")
        << QByteArray("B\0\0\1", 4) << "" << QByteArray("B\0\0\1", 4) << QStringList {};
}

void TestUserTagCommands::definableTagsOk()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, typed);
    QFETCH(QByteArray, after);
    QFETCH(QStringList, captions);
    QHash<QString, QByteArray> files;
    if (before != "-")
        files.insert("textattr.mnu", before);
    Fixture f(files);
    for (int round = 0; round < 2; ++round) {
        f.prompter.clear();
        TUserCodeForm dialog(f.commands->tagMenus(), &f.prompter);
        QCOMPARE(dialog.windowTitle(), QString("Definable Tags"));
        QPlainTextEdit *box = dialog.findChild<QPlainTextEdit *>("TextTags");
        QVERIFY(box);
        if (round == 0 && !typed.isEmpty())
            box->setPlainText(box->toPlainText() + typed);
        QVERIFY(dialog.OkBtnClick());
        QVERIFY(QFileInfo::exists(f.path("blkhlght.mnu")));
        QVERIFY(QFileInfo::exists(f.path("usercode.mnu")));
        QCOMPARE(TestEnvironment::readFile(f.path("textattr.mnu")), after);
        QCOMPARE(f.captions(1), captions);
    }
}

void TestUserTagCommands::definableTagsWriteFailure()
{
    Fixture f({ { "blkhlght.mnu", "B - Bold\r\n" } });
    TUserCodeForm dialog(f.commands->tagMenus(), &f.prompter);
    dialog.findChild<QPlainTextEdit *>("BlockTags")->setPlainText("I - Italic");
    LockedDirectory lock(f.dir.path());
    if (!lock.locked())
        QSKIP("the directory cannot be made unwritable here");
    QVERIFY(!dialog.OkBtnClick());
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY2(f.prompter.texts().first().contains(f.path("blkhlght.mnu")),
             qPrintable(f.prompter.texts().first()));
    QCOMPARE(TestEnvironment::readFile(f.path("blkhlght.mnu")), QByteArray("B - Bold\r\n"));
    QCOMPARE(f.captions(0), QStringList { "B - Bold" });
    QCOMPARE(dialog.findChild<QPlainTextEdit *>("BlockTags")->toPlainText(), QString("I - Italic"));
}

void TestUserTagCommands::buttons_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("visible");
    QTest::addColumn<int>("click"); // slot clicked with "word" selected; -1 none
    QTest::addColumn<QString>("result");
    QTest::addRow("three lines") << QStringList { "B|B|1|0", "I|I|1|0", "U|U|1|0" } << 3 << 2
                                 << "a <U>word</U> b";
    QTest::addRow("B|B|1|0 wraps") << QStringList { "B|B|1|0" } << 1 << 0 << "a <B>word</B> b";
    QTest::addRow("Hi|Hello|0|0 replaces")
        << QStringList { "Hi|Hello|0|0" } << 1 << 0 << "a Hello b";
    QTest::addRow("uneven") << QStringList { "||0|0", "A|A HREF=\"x\"../A - Link|2|0" } << 1 << 1
                            << "a <A HREF=\"x\">word</A> b";
    QTest::addRow("uneven, dots in a quoted value")
        << QStringList { "Up|<A HREF=\"../index.htm\">..</A> - Up|2|0" } << 1 << 0
        << "a <A HREF=\"../index.htm\">word</A> b";
    QTest::addRow("kind 7 does nothing") << QStringList { "Q|Q|7|0" } << 1 << 0 << "a word b";
    QTest::addRow("long caption shown whole")
        << QStringList { "ABCDE|EM|1|0" } << 1 << 0 << "a <EM>word</EM> b";
    QTest::addRow("missing file") << QStringList {} << 0 << -1 << "a word b";
}

void TestUserTagCommands::buttons()
{
    QFETCH(QStringList, lines);
    QFETCH(int, visible);
    QFETCH(int, click);
    QFETCH(QString, result);
    QHash<QString, QByteArray> files { { "page1.btn", "X|X|1|0\r\n" } };
    if (!lines.isEmpty())
        files.insert("page2.btn", crlf(lines));
    Fixture f(files);
    int shown = 0;
    for (QToolButton *b : f.commands->customPage(1)->buttons())
        shown += b->isVisibleTo(f.commands->customPage(1)) ? 1 : 0;
    QCOMPARE(shown, visible);
    QCOMPARE(f.commands->customPage(1)->buttons().size(), 19);
    if (click < 0)
        return;
    QToolButton *b = f.button(1, click);
    QCOMPARE(b->text(), plainMenuText(lines[click].section(QLatin1Char('|'), 0, 0)));
    QCOMPARE(b->geometry(), QRect(30 * click, 0, 30, 26));
    QCOMPARE(b->isEnabled(), result != "a word b");
    f.open("a word b", 2, 6);
    b->click();
    QCOMPARE(f.page->Text(), result);
}

void TestUserTagCommands::arrows_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("result");
    QTest::addRow("double: the P tag and its alignments")
        << QStringList { "***||0|0", "P|P|1|0" }
        << QStringList { "<P></P>", "<P ALIGN=\"left\"></P>", "<P ALIGN=\"center\"></P>",
                         "<P ALIGN=\"right\"></P>" }
        << 2 << "a <P ALIGN=\"center\">word</P> b";
    QTest::addRow("single: the line-break pattern, as text")
        << QStringList { "***||0|1", "BR|BR|0|0" }
        << QStringList { "<BR>", "<BR CLEAR=\"left\">", "<BR CLEAR=\"all\">",
                         "<BR CLEAR=\"right\">" }
        << 1 << "a <BR CLEAR=\"left\"> b";
}

void TestUserTagCommands::arrows()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, entries);
    QFETCH(int, chosen);
    QFETCH(QString, result);
    Fixture f({ { "page1.btn", crlf(lines) } });
    QToolButton *arrow = f.button(0, 0);
    QVERIFY(arrow->isVisibleTo(f.commands->customPage(0)));
    QCOMPARE(arrow->geometry(), QRect(12, 0, 19, 26));
    QCOMPARE(arrow->text(), QString());
    QCOMPARE(arrow->arrowType(), Qt::DownArrow);
    f.open("a word b", 2, 6);
    arrow->click();
    LCRPopup *shown = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<LCRPopup *>(w); p && p->isVisible())
            shown = p;
    QVERIFY(shown);
    QStringList texts;
    for (QAction *a : shown->entries())
        texts << a->data().toString();
    QCOMPARE(texts, entries);
    shown->entries().at(chosen)->trigger();
    shown->hide();
    QCOMPARE(f.page->Text(), result);
}

void TestUserTagCommands::arrowOnTheLastLine()
{
    QStringList lines = QStringList(17, "||0|0");
    lines.prepend("***||0|0"); // serves a free slot: hidden
    lines.prepend("B|B|1|0");
    lines.append("***||0|0");
    QCOMPARE(lines.size(), 20);
    lines.removeAt(2);
    Fixture f({ { "page1.btn", crlf(lines) } });
    QCOMPARE(f.prompter.texts(), QStringList { reassignWarning });
    QVERIFY(f.button(0, 0)->isVisibleTo(f.commands->customPage(0)));
    QCOMPARE(f.button(0, 0)->text(), QString("B"));
    QVERIFY(!f.button(0, 1)->isVisibleTo(f.commands->customPage(0)));
    QVERIFY(!f.button(0, 18)->isVisibleTo(f.commands->customPage(0)));
}

void TestUserTagCommands::setupDialogFlow()
{
    Fixture f({ { "page1.btn", "Hi|Hello|0|0\r\n***||0|1\r\nP|P|1|0\r\n" } });
    TCustomButtonForm dialog(
        f.path(""), f.commands->customCaptions(), &f.prompter,
        [&f](const QStringList &captions) { f.commands->buttonFilesWritten(captions); });
    QCOMPARE(dialog.windowTitle(), QString("Custom Button Setup"));
    QVERIFY(dialog.tabWarningBox()->isChecked());
    QVERIFY(!dialog.dropdownStyleGroup()->isVisibleTo(&dialog));
    QVERIFY(!dialog.assignButton()->isEnabled());
    QCOMPARE(dialog.lines(0).size(), 19);

    // Choosing the arrow: drop-down ticked, its kind read back.
    dialog.button(0, 1)->click();
    QVERIFY(dialog.dropTypeBox()->isChecked());
    QVERIFY(!dialog.insertStyleGroup()->isVisibleTo(&dialog));
    QVERIFY(!dialog.captionEdit()->isEnabled());
    QCOMPARE(dialog.captionEdit()->text(), QString("***"));
    QCOMPARE(dialog.dropdownStyle(), 1);
    dialog.dropTypeBox()->click();
    QVERIFY(dialog.insertStyleGroup()->isVisibleTo(&dialog));
    QVERIFY(dialog.captionEdit()->isEnabled());
    QCOMPARE(dialog.captionEdit()->text(), QString());

    // A new button on the first page.
    dialog.button(0, 3)->click();
    QVERIFY(dialog.assignButton()->isEnabled());
    QTest::keyClicks(dialog.captionEdit(), "Emph");
    QCOMPARE(dialog.captionEdit()->text(), QString("Emp")); // three characters typed at most
    dialog.captionEdit()->setText("Em");
    dialog.sourceEdit()->setText("EM");
    dialog.setInsertStyle(1);
    dialog.assignButton()->click();
    QVERIFY(dialog.changed());
    QCOMPARE(dialog.lines(0).at(3), QString("Em|EM|1|0"));
    QCOMPARE(dialog.captionEdit()->text(), QString());
    QVERIFY(!dialog.assignButton()->isEnabled());
    QVERIFY(!dialog.button(0, 3)->isChecked());

    // Changing pages with a chosen button asks; Cancel stays.
    dialog.button(0, 0)->click();
    f.prompter.answer(Prompter::Answer::Cancel);
    dialog.pages()->setCurrentIndex(2);
    QCOMPARE(dialog.pages()->currentIndex(), 0);
    QCOMPARE(f.prompter.texts().last(),
             QString("Change Button tabs without Assigning properties?"));
    QCOMPARE(f.prompter.messages().last().kind, Prompter::Kind::Information);
    f.prompter.answer(Prompter::Answer::Ok);
    dialog.pages()->setCurrentIndex(2);
    QCOMPARE(dialog.pages()->currentIndex(), 2);
    QVERIFY(!dialog.button(0, 0)->isChecked());
    QCOMPARE(dialog.sourceEdit()->text(), QString());

    // Shift and a click on the tab: a new caption; an empty one keeps the old.
    f.prompter.answerText("A very long caption text");
    QTest::mouseClick(dialog.pages()->tabBar(), Qt::LeftButton, Qt::ShiftModifier,
                      dialog.pages()->tabBar()->tabRect(2).center());
    QCOMPARE(dialog.pages()->tabText(2), QString("A very long cap"));
    f.prompter.answerText("");
    dialog.TabCaptionClick();
    QCOMPARE(dialog.pages()->tabText(2), QString("A very long cap"));

    // Cancel with changes asks first.
    f.prompter.answer(Prompter::Answer::Cancel);
    dialog.cancelButton()->click();
    QCOMPARE(f.prompter.texts().last(), QString("Abandon changes?"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted) - 1);

    QVERIFY(dialog.OKBtnClick());
    QVERIFY(!dialog.changed());
    for (int page = 1; page <= 4; ++page) {
        const QByteArray bytes = TestEnvironment::readFile(f.path(QString("page%1.btn").arg(page)));
        QCOMPARE(bytes.count("\r\n"), 19);
        QCOMPARE(bytes.count('\n'), 19);
    }
    QVERIFY(TestEnvironment::readFile(f.path("page1.btn"))
                .startsWith("Hi|Hello|0|0\r\n***||0|1\r\nP|P|1|0\r\nEm|EM|1|0\r\n||0|0\r\n"));
    QCOMPARE(f.button(0, 3)->text(), QString("Em"));
    QVERIFY(f.button(0, 3)->isVisibleTo(f.commands->customPage(0)));
    QCOMPARE(f.commands->customCaptions(),
             QStringList({ "Custom 1", "Custom 2", "A very long cap", "Custom 4" }));
    QVERIFY(f.prompter.scriptUsedUp());
}

void TestUserTagCommands::setupDialogRefusesBar()
{
    Fixture f;
    TCustomButtonForm dialog(f.path(""), f.commands->customCaptions(), &f.prompter, {});
    dialog.button(0, 0)->click();
    dialog.captionEdit()->setText("X");
    dialog.sourceEdit()->setText("a|b");
    dialog.assignButton()->click();
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY(f.prompter.texts().first().contains("\"|\""));
    QCOMPARE(dialog.lines(0).at(0), QString("||0|0"));
    QVERIFY(!dialog.changed());
    // Closing without a change asks nothing.
    dialog.cancelButton()->click();
    QCOMPARE(f.prompter.messages().size(), 1);
}

void TestUserTagCommands::setupDialogKeepsLongCaptions_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("shown"); // in the caption edit
    QTest::addColumn<QString>("typing"); // keys into the caption edit, "<" is Backspace
    QTest::addColumn<QString>("written");
    QTest::addRow("only the code changed") << "Bold|B|1|0"
                                           << "Bold"
                                           << ""
                                           << "Bold|STRONG|1|0";
    QTest::addRow("cannot be lengthened") << "Bold|B|1|0"
                                          << "Bold"
                                          << "X"
                                          << "Bold|STRONG|1|0";
    QTest::addRow("shortened by the user") << "Bold|B|1|0"
                                           << "Bold"
                                           << "<"
                                           << "Bol|STRONG|1|0";
    QTest::addRow("shortened, then no longer than three") << "Bold|B|1|0"
                                                          << "Bold"
                                                          << "<<XY"
                                                          << "BoX|STRONG|1|0";
    QTest::addRow("three characters as ever") << "B|B|1|0"
                                              << "B"
                                              << "old"
                                              << "Bol|STRONG|1|0";
}

void TestUserTagCommands::setupDialogKeepsLongCaptions()
{
    QFETCH(QString, line);
    QFETCH(QString, shown);
    QFETCH(QString, typing);
    QFETCH(QString, written);
    Fixture f({ { "page1.btn", crlf({ line }) } });
    TCustomButtonForm dialog(
        f.path(""), f.commands->customCaptions(), &f.prompter,
        [&f](const QStringList &captions) { f.commands->buttonFilesWritten(captions); });
    dialog.button(0, 0)->click();
    QLineEdit *caption = dialog.captionEdit();
    QCOMPARE(caption->text(), shown);
    caption->end(false);
    for (QChar c : typing) {
        if (c == QLatin1Char('<'))
            QTest::keyClick(caption, Qt::Key_Backspace);
        else
            QTest::keyClicks(caption, QString(c));
    }
    dialog.sourceEdit()->setText("STRONG");
    dialog.assignButton()->click();
    QCOMPARE(dialog.lines(0).at(0), written);
    QVERIFY(dialog.OKBtnClick());
    QVERIFY(TestEnvironment::readFile(f.path("page1.btn"))
                .startsWith(QByteArray(written.toUtf8() + "\r\n")));
    QCOMPARE(f.button(0, 0)->text(), written.section(QLatin1Char('|'), 0, 0));
}

// What a tip shows: rich text as the tip label renders it, else the text itself.
static QString shownTip(const QString &tip)
{
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}

void TestUserTagCommands::codeHintsArePlainText_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("result"); // "word" selected in "a word b"
    QTest::addRow("a tag") << "<BR>" << 0 << "a <BR> b";
    QTest::addRow("an entity for <") << "&lt;" << 0 << "a &lt; b";
    QTest::addRow("an uneven pair")
        << "<A HREF=\"x\">..</A> - Link" << 2 << "a <A HREF=\"x\">word</A> b";
    QTest::addRow("blanks kept") << "<P>  x" << 0 << "a <P>  x b";
    QTest::addRow("plain word") << "EM" << 1 << "a <EM>word</EM> b";
}

// Codes that look like markup are shown as written, and still inserted as written.
void TestUserTagCommands::codeHintsArePlainText()
{
    QFETCH(QString, code);
    QFETCH(int, kind);
    QFETCH(QString, result);
    const QString line = QString("X|" + code + "|" + QString::number(kind) + "|0");
    Fixture f({ { "page1.btn", crlf({ line }) } });
    QToolButton *button = f.button(0, 0);
    QCOMPARE(shownTip(button->toolTip()), code);
    QCOMPARE(button->statusTip(), code);
    f.open("a word b", 2, 6);
    button->click();
    QCOMPARE(f.page->Text(), result);

    TCustomButtonForm dialog(f.path(""), f.commands->customCaptions(), &f.prompter, {});
    QCOMPARE(shownTip(dialog.button(0, 0)->toolTip()), code);
    dialog.button(0, 0)->click();
    QCOMPARE(dialog.sourceEdit()->text(), code);
    dialog.sourceEdit()->setText(QString(code + "!"));
    dialog.assignButton()->click();
    QCOMPARE(shownTip(dialog.button(0, 0)->toolTip()), QString(code + "!"));
    QCOMPARE(dialog.lines(0).at(0), QString("X|" + code + "!|" + QString::number(kind) + "|0"));
}

void TestUserTagCommands::setupDialogWriteFailure()
{
    Fixture f({ { "page1.btn", "B|B|1|0\r\n" } });
    int written = 0;
    TCustomButtonForm dialog(f.path(""), f.commands->customCaptions(), &f.prompter,
                             [&written](const QStringList &) { ++written; });
    dialog.button(0, 0)->click();
    dialog.captionEdit()->setText("I");
    dialog.sourceEdit()->setText("I");
    dialog.assignButton()->click();
    LockedDirectory lock(f.dir.path());
    if (!lock.locked())
        QSKIP("the directory cannot be made unwritable here");
    QVERIFY(!dialog.OKBtnClick());
    QVERIFY(f.prompter.texts().last().contains(f.path("page1.btn")));
    QCOMPARE(TestEnvironment::readFile(f.path("page1.btn")), QByteArray("B|B|1|0\r\n"));
    QCOMPARE(written, 0);
    QVERIFY(dialog.changed());
    QCOMPARE(f.button(0, 0)->text(), QString("B"));
}

void TestUserTagCommands::specialPageFirstStart()
{
    Fixture f;
    QCOMPARE(f.store.flags.value("Setup"), true);
    QCOMPARE(f.store.texts.value("Spec8"), QString("<|&lt;"));
    SpecialPage *special = f.commands->specialPage();
    QCOMPARE(f.book->tabText(1), QString("Special"));
    QCOMPARE(special->buttons().size(), 19);
    QStringList captions;
    int hidden = 0;
    for (QToolButton *b : special->buttons()) {
        if (b->isVisibleTo(special))
            captions << b->text();
        else
            ++hidden;
    }
    QCOMPARE(captions,
             QStringList({ QString(QChar(0xA9)), QString(QChar(0xAE)), QString(QChar(0x2122)),
                           QString(QChar(0xBC)), QString(QChar(0xBD)), QString(QChar(0xBE)),
                           QString(QChar(0xA7)), "<", ">", "&&" }));
    QCOMPARE(hidden, 9);
    QCOMPARE(special->buttons().at(2)->toolTip(), QString("&#153;"));
    QCOMPARE(shownTip(special->buttons().at(7)->toolTip()), QString("&lt;")); // not "<"
    QCOMPARE(special->buttons().at(9)->size(), QSize(25, 25));
    f.open("a word b", 2, 6);
    special->buttons().at(9)->click();
    QCOMPARE(f.page->Text(), QString("a &amp; b"));
}

void TestUserTagCommands::specialDialog_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("ok"); // OK, else Cancel
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("shown");
    QTest::addRow("new slot") << 12 << QString::fromUtf8("€") << "&euro;" << true
                              << QString::fromUtf8("€|&euro;") << true;
    QTest::addRow("no code clears the slot")
        << 0 << QString::fromUtf8("©") << "" << true << "|" << false;
    QTest::addRow("no character clears the slot") << 1 << ""
                                                  << "&#174;" << true << "|" << false;
    QTest::addRow("Cancel writes nothing") << 12 << "x"
                                           << "&#120;" << false << "" << false;
    QTest::addRow("a bar is refused") << 12 << "|"
                                      << "&#124;" << true << "" << false;
}

void TestUserTagCommands::specialDialog()
{
    QFETCH(int, row);
    QFETCH(QString, character);
    QFETCH(QString, code);
    QFETCH(bool, ok);
    QFETCH(QString, stored);
    QFETCH(bool, shown);
    Fixture f;
    TSpecCharForm dialog(f.commands->specialCharacters(), &f.prompter);
    QCOMPARE(dialog.windowTitle(), QString("Special Characters"));
    QCOMPARE(dialog.characterBox(7)->text(), QString("<"));
    QCOMPARE(dialog.codeBox(7)->text(), QString("&lt;"));
    QCOMPARE(dialog.characterBox(0)->maxLength(), 1);
    QCOMPARE(dialog.codeBox(0)->maxLength(), 20);
    dialog.characterBox(row)->setText(character);
    dialog.codeBox(row)->setText(code);
    const QString key = QString("Spec%1").arg(row + 1);
    const QString before = f.store.texts.value(key);
    if (ok) {
        const bool accepted = dialog.OKBtnClick();
        QCOMPARE(accepted, !character.contains('|'));
        if (accepted)
            f.commands->specialPage()->ReassignSpecialCharacters();
    } else {
        dialog.cancelButton()->click();
    }
    QCOMPARE(f.store.texts.value(key), stored.isEmpty() ? before : stored);
    QCOMPARE(f.commands->specialPage()->buttons().at(row)->isVisibleTo(f.commands->specialPage()),
             shown);
    // The other slots are kept.
    QCOMPARE(f.store.texts.value("Spec9"), QString(">|&gt;"));
}

void TestUserTagCommands::expansion_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("clipboard");
    QTest::addColumn<QString>("result");
    QTest::addRow("192") << 192 << true << false << "x&Agrave;";
    QTest::addRow("208") << 208 << true << false << "x&ETH;";
    QTest::addRow("222") << 222 << true << false << "x&THORN;";
    QTest::addRow("223") << 223 << true << false << "x&szlig;";
    QTest::addRow("233") << 233 << true << false << "x&eacute;";
    QTest::addRow("254") << 254 << true << false << "x&thorn;";
    QTest::addRow("255") << 255 << true << false << "x&yuml;";
    QTest::addRow("215 as it is") << 215 << true << false << QString("x") + QChar(215);
    QTest::addRow("247 as it is") << 247 << true << false << QString("x") + QChar(247);
    QTest::addRow("169 as it is") << 169 << true << false << QString("x") + QChar(169);
    QTest::addRow("option off") << 233 << false << false << QString("x") + QChar(233);
    QTest::addRow("internal clipboard") << 233 << true << true << "x&eacute;";
}

void TestUserTagCommands::expansion()
{
    QFETCH(int, code);
    QFETCH(bool, on);
    QFETCH(bool, clipboard);
    QFETCH(QString, result);
    Fixture f;
    f.expand = on;
    EditorControl *editor = clipboard ? f.spare : f.page;
    EditorControl *other = clipboard ? f.page : f.spare;
    editor->LoadFromText("x", {});
    editor->StartPos = editor->EndPos = 1;
    editor->ApplySelection();
    other->LoadFromText("", {});
    typeText(editor, QString(QChar(code)));
    QCOMPARE(editor->Text(), result);
    QCOMPARE(other->Text(), QString());
}

void TestUserTagCommands::expansionIsOneUndoStep()
{
    Fixture f;
    f.page->LoadFromText("x", {});
    f.page->StartPos = f.page->EndPos = 1;
    f.page->ApplySelection();
    typeText(f.page, QString::fromUtf8("é"));
    QCOMPARE(f.page->Text(), QString("x&eacute;"));
    f.page->Undo();
    QCOMPARE(f.page->Text(), QString("x"));
}

void TestUserTagCommands::inputMethodCharacters()
{
    Fixture f;
    f.page->LoadFromText("", {});
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8("aé×b"));
    QApplication::sendEvent(f.page->focusProxy(), &event);
    QCOMPARE(f.page->Text(), QString::fromUtf8("a&eacute;×b"));
    f.expand = false;
    QInputMethodEvent plain;
    plain.setCommitString(QString::fromUtf8("ü"));
    QApplication::sendEvent(f.page->focusProxy(), &plain);
    QCOMPARE(f.page->Text(), QString::fromUtf8("a&eacute;×bü"));
}

QTEST_MAIN(TestUserTagCommands)
#include "tst_usertagcommands.moc"
