// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/tagcommands.h"

#include "platform/editorcontrol.h"
#include "scriptedprompter.h"
#include "tags/ewspanel.h"
#include "tags/htmlcodesmenu.h"
#include "tags/lcrpopup.h"
#include "tags/powerbook.h"
#include "tags/tagawareediting.h"
#include "testenvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Tarnwick;

namespace {

// The tag commands over a page editor and an internal clipboard in a window
// of their own, with the tool notebook and the menus they fill.
struct Fixture
{
    QWidget window;
    EditorControl *page = new EditorControl(&window);
    EditorControl *spare = new EditorControl(&window);
    ScriptedPrompter prompter;
    TagSettings settings;
    int refreshes = 0;
    QMenu editMenu, insertMenu, popupEdit;
    TagCommands commands { { page, spare, &prompter, [this] { return settings; },
                             [] { return false; }, [this] { ++refreshes; },
                             [] { return QString(); } } };

    Fixture()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(commands.powerBook());
        layout->addWidget(commands.ewsPanel());
        layout->addWidget(page);
        layout->addWidget(spare);
        commands.fillEditMenu(&editMenu);
        commands.fillInsertMenu(&insertMenu);
        commands.fillEditorPopup(&popupEdit);
        commands.setPageOpen(true);
    }

    void open(const QString &text, int from, int to)
    {
        page->LoadFromText(text, {});
        page->StartPos = from;
        page->EndPos = to;
        page->ApplySelection();
    }

    // A tool button or a menu item of the tag commands, by object name.
    bool activate(const QString &name)
    {
        if (auto *button = commands.powerBook()->findChild<QToolButton *>(name)) {
            button->click();
            return true;
        }
        const QList<QAction *> actions = commands.findChildren<QAction *>(name)
            + commands.htmlCodesMenu()->findChildren<QAction *>(name);
        if (actions.size() != 1)
            return false;
        actions.first()->trigger();
        return true;
    }
    template<typename T> T *child(const char *name)
    {
        return commands.powerBook()->findChild<T *>(QLatin1String(name));
    }
};

} // namespace

class TagCommandsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }
    void everyButtonAndItem_data();
    void everyButtonAndItem();
    void notebookAndItemsFollowTheOpenPage();
    void fontBoxes();
    void choicePopup_data();
    void choicePopup();
    void definedList_data();
    void definedList();
    void listControlsKeepTheirPlaces();
    void quickTable();
    void enterKey_data();
    void enterKey();
    void lightsFollowUseEWS();
};

void TagCommandsTest::everyButtonAndItem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("result"); // of "a" + "word" selected + " b"

    const auto row = [](const char *name, const char *result) {
        QTest::addRow("%s", name) << QString::fromLatin1(name) << QString::fromUtf8(result);
    };
    // Font page and the Edit menu.
    row("BoldBtn", "a<B>word</B> b");
    row("Bold1", "a<B>word</B> b");
    row("ItalicsBtn", "a<I>word</I> b");
    row("Italics1", "a<I>word</I> b");
    row("UnderlineBtn", "a<U>word</U> b");
    row("Underline1", "a<U>word</U> b");
    row("SubscriptBtn", "a<SUB>word</SUB> b");
    row("SuperScriptBtn", "a<SUP>word</SUP> b");
    row("CenterBtn", "a<CENTER>word</CENTER> b");
    row("Center1", "a<CENTER>word</CENTER> b");
    row("CommentButton", "a<!--word--> b");
    row("FontPlus", "a<FONT SIZE=+2>word</FONT> b");
    row("SpeedButton5", "a<FONT SIZE=-2>word</FONT> b");
    // Format page.
    row("H1Btn", "a<H1>word</H1> b");
    row("H6Btn", "a<H6>word</H6> b");
    row("DIVBtn", "a<DIV>word</DIV> b");
    row("ParagraphBtn", "a<P> b");
    row("BRButton", "a<BR> b");
    row("HRSpeedButton", "a<HR> b");
    // Lists page, the editor pop-up.
    row("SpeedButton69", "a<UL><LI>word</UL> b");
    row("UnorderedListItem1", "a<UL><LI>word</UL> b");
    row("TableCell1", "a<TD>word</TD> b");
    // Forms page.
    row("CBButton", "a<INPUT TYPE=\"checkbox\" NAME=\"cb1\" VALUE=\"value1\">word<BR> b");
    row("RGButton", "a<INPUT TYPE=\"radio\" NAME=\"radio1\" VALUE=\"value1\" CHECKED>word<BR> b");
    row("DEButton", "a<INPUT TYPE=\"text\" NAME=\"text1\" SIZE=25> b");
    row("TAButton", "a<TEXTAREA NAME=\"textarea\" ROWS=5 COLS=25></TEXTAREA> b");
    row("BitBtn3", "a<INPUT TYPE=\"hidden\" NAME=\"name1\" VALUE=\"value1\"> b");
    row("LBButton", "a<SELECT NAME=\"listbox\" Size=\"0\">\n</SELECT> b");
    row("SpeedButton21", "a<OPTION> b");
    row("SpeedButton33",
        "a\n<FORM METHOD=\"POST\" ACTION=\"mailto:yourname@example.com\">\n<!--Put form fields "
        "after the above opening FORM tag and before the closing /FORM tag-->\n<P "
        "ALIGN=\"CENTER\"><INPUT TYPE=\"submit\" VALUE=\"Submit Form\"><INPUT TYPE=\"reset\" "
        "VALUE=\"Reset Form\"></P>\n</FORM> b");
    // ASP page.
    row("ASPPercent", "a<% word %> b");
    row("ASPEqual", "a<% =word %> b");
    row("SpeedButton8", "a<% If ... Then %>\nword\n<% End If %> b");
    row("SpeedButton58", "a<% If word Then %> b");
    row("SpeedButton62", "a<% Else If word Then %> b");
    row("SpeedButton57", "a\n<% While ... %>\nword\n<% Loop %>\n b");
    row("SpeedButton52", "a<% End If %> b");
    row("SpeedButton61", "a<% Else %> b");
    // Insert and HTML Codes menus.
    row("HorizontalBar1", "a<HR> b");
    row("H1Size1", "a<H1>word</H1> b");
    row("H4Size4", "a<H4>word</H4> b");
    row("PP1", "a<P>\n b");
    row("PLeft1", "a<P ALIGN=\"left\">word</P> b");
    row("PCenter1", "a<P ALIGN=\"center\">word</P> b");
    row("PRight1", "a<P ALIGN=\"right\">word</P> b");
    row("Div1", "a<DIV>word</DIV> b");
    row("DivLeft1", "a<DIV ALIGN=\"left\">word</DIV> b");
    row("DivCenter1", "a<DIV ALIGN=\"center\">word</DIV> b");
    row("DivRight1", "a<DIV ALIGN=\"right\">word</DIV> b");
    row("BR1", "a<BR> b");
    row("BRClearLeft1", "a<BR CLEAR=\"left\"> b");
    row("BRClearRight1", "a<BR CLEAR=\"right\"> b");
    row("HRHorizontalBar1", "a<HR> b");
    row("nbspNonbreakingSpace1", "a&nbsp; b");
}

void TagCommandsTest::everyButtonAndItem()
{
    QFETCH(QString, name);
    QFETCH(QString, result);
    Fixture f;
    f.open("aword b", 1, 5);
    QVERIFY2(f.activate(name), qPrintable("no button or item " + name));
    QCOMPARE(f.page->Text(), result);
    QCOMPARE(f.refreshes, 1);
}

void TagCommandsTest::notebookAndItemsFollowTheOpenPage()
{
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QVERIFY(f.commands.powerBook()->isVisible());
    f.commands.setPageOpen(false);
    QVERIFY(!f.commands.powerBook()->isVisible());
    QStringList enabled;
    for (QMenu *menu : { &f.editMenu, &f.insertMenu, &f.popupEdit,
                         static_cast<QMenu *>(f.commands.htmlCodesMenu()) })
        for (QAction *item : menu->actions())
            if (!item->isSeparator() && item->isEnabled())
                enabled << item->text();
    if (f.commands.checkCursorPositionAction()->isEnabled())
        enabled << f.commands.checkCursorPositionAction()->text();
    QCOMPARE(enabled, QStringList());
    // Nor do the items of submenus or their keys insert anything.
    f.page->LoadFromText("x", {});
    for (const char *name : { "Bold1", "PP1", "H1Size1", "BR1" }) {
        QVERIFY(f.activate(QLatin1String(name)));
        QCOMPARE(f.page->Text(), QString("x"));
    }
}

void TagCommandsTest::fontBoxes()
{
    Fixture f;
    f.open("aword b", 1, 5);
    auto *size = f.child<QComboBox>("FSize");
    QCOMPARE(size->count(), 7);
    QCOMPARE(size->currentText(), QString("3"));
    Q_EMIT size->activated(2); // the size shown, chosen again
    QCOMPARE(f.page->Text(), QString("a<FONT SIZE=3>word</FONT> b"));

    f.open("aword b", 1, 5);
    auto *face = f.child<QComboBox>("sf");
    QVERIFY(face->count() > 0);
    QStringList names;
    for (int i = 0; i < face->count(); ++i)
        names << face->itemText(i);
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    QCOMPARE(names, sorted);
    Q_EMIT face->activated(0);
    QCOMPARE(f.page->Text(), "a<FONT FACE=\"" + names.first() + "\">word</FONT> b");

    f.open("aword b", 1, 5);
    f.prompter.answerColor(QColor(0x12, 0x34, 0xab));
    f.activate("TextButton");
    QCOMPARE(f.page->Text(), QString("a<FONT COLOR=\"#1234AB\">word</FONT> b"));
    f.activate("TextButton"); // cancelled
    QCOMPARE(f.page->Text(), QString("a<FONT COLOR=\"#1234AB\">word</FONT> b"));
}

void TagCommandsTest::choicePopup_data()
{
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("result");
    QTest::addRow("P, none") << "PDnArrow"
                             << "none"
                             << "a<P>word</P> b";
    QTest::addRow("DIV, center") << "DIVDnArrow"
                                 << "center"
                                 << "a<DIV ALIGN=\"center\">word</DIV> b";
    QTest::addRow("H2, right") << "H2DnArrow"
                               << "right"
                               << "a<H2 ALIGN=\"right\">word</H2> b";
    QTest::addRow("BR, all: replaces the selection") << "SpeedButton24"
                                                     << "center"
                                                     << "a<BR CLEAR=\"all\"> b";
    QTest::addRow("HR, left: the selection stays behind the bar")
        << "SpeedButton25"
        << "left"
        << "a<HR ALIGN=\"left\" SIZE=\"2\" WIDTH=\"100%\">word b";
}

void TagCommandsTest::choicePopup()
{
    QFETCH(QString, arrow);
    QFETCH(QString, entry);
    QFETCH(QString, result);
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.commands.powerBook()->setCurrentIndex(1);
    f.open("aword b", 1, 5);
    auto *button = f.child<QToolButton>(arrow.toLatin1().constData());
    QVERIFY(button);
    button->click();
    auto *popup = f.commands.powerBook()->findChild<LCRPopup *>("LCRPopup");
    QVERIFY(popup);
    QTRY_VERIFY_WITH_TIMEOUT(popup->isVisible(), TestEnvironment::signalBound);
    // Just below the button.
    QCOMPARE(popup->pos().y(), button->mapToGlobal(QPoint(0, button->height())).y());
    QAction *chosen = popup->findChild<QAction *>(entry);
    QVERIFY(chosen);
    chosen->trigger();
    popup->close();
    QCOMPARE(f.page->Text(), result);
}

void TagCommandsTest::definedList_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("result");
    QTest::addRow("ordered, a (Lower), from 3, two items")
        << 0 << 2 << 3 << 2 << "<OL TYPE=\"a\" START=3 >\n<LI> Line:1\n<LI> Line:2\n</OL>\n";
    QTest::addRow("unordered circles")
        << 1 << 2 << 3 << 1 << "<UL TYPE=\"circle\" >\n<LI> Line:1\n</UL>\n";
}

void TagCommandsTest::definedList()
{
    QFETCH(int, type);
    QFETCH(int, style);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, result);
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.commands.powerBook()->setCurrentIndex(2);
    f.open("", 0, 0);
    f.child<QComboBox>("ListType")->setCurrentIndex(type);
    const bool ordered = type == 0;
    QCOMPARE(f.child<QComboBox>("OLTypes")->isVisible(), ordered);
    QCOMPARE(f.child<QSpinBox>("StartAt")->isVisible(), ordered);
    QCOMPARE(f.child<QComboBox>("ULTypes")->isVisible(), !ordered);
    f.child<QComboBox>(ordered ? "OLTypes" : "ULTypes")->setCurrentIndex(style);
    f.child<QSpinBox>("StartAt")->setValue(start);
    auto *items = f.child<QSpinBox>("ListCount");
    QCOMPARE(items->minimum(), 1);
    QCOMPARE(items->maximum(), 1600);
    items->setValue(count);
    f.activate("AddListSB");
    QCOMPARE(f.page->Text(), result);
}

// Changing the type of list moves no control under the pointer.
void TagCommandsTest::listControlsKeepTheirPlaces()
{
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.commands.powerBook()->setCurrentIndex(2);
    QWidget *page = f.child<QWidget>("ListsPage");
    const auto places = [&] {
        page->layout()->activate();
        QList<QPoint> at;
        for (const char *name : { "ListType", "ListCount", "AddListSB" })
            at.append(f.child<QWidget>(name)->mapTo(page, QPoint(0, 0)));
        at.append(f.child<QWidget>("StartAt")->geometry().topLeft());
        return at;
    };
    const QList<QPoint> ordered = places();
    const QPoint orderedStyle = f.child<QComboBox>("OLTypes")->mapTo(page, QPoint(0, 0));
    f.child<QComboBox>("ListType")->setCurrentIndex(1);
    QVERIFY(!f.child<QSpinBox>("StartAt")->isVisible());
    QCOMPARE(places(), ordered);
    QCOMPARE(f.child<QComboBox>("ULTypes")->mapTo(page, QPoint(0, 0)), orderedStyle);
    f.child<QComboBox>("ListType")->setCurrentIndex(0);
    QCOMPARE(places(), ordered);
}

void TagCommandsTest::quickTable()
{
    Fixture f;
    f.open("", 0, 0);
    QVERIFY(f.child<QCheckBox>("TableBorder")->isChecked());
    f.child<QCheckBox>("TableBorder")->setChecked(false);
    f.child<QSpinBox>("TableRows")->setValue(2);
    f.child<QSpinBox>("TableColumns")->setValue(2);
    QCOMPARE(f.child<QSpinBox>("TableRows")->maximum(), 1000);
    QCOMPARE(f.child<QSpinBox>("TableColumns")->maximum(), 30);
    f.activate("SpeedButton7");
    QCOMPARE(f.page->Text(),
             QString("<TABLE >\n<TR>\n<TD>Cell:1,1</TD>\n<TD>Cell:1,2</TD>\n</TR>\n<TR>\n"
                     "<TD>Cell:2,1</TD>\n<TD>Cell:2,2</TD>\n</TR>\n</TABLE>\n"));
}

void TagCommandsTest::enterKey_data()
{
    QTest::addColumn<bool>("spare");
    QTest::addColumn<bool>("useBR");
    QTest::addColumn<bool>("control");
    QTest::addColumn<QString>("result");
    QTest::addRow("Enter, no BR") << false << false << false << "ab\ncd";
    QTest::addRow("Enter with BR") << false << true << false << "ab<BR>\ncd";
    QTest::addRow("Ctrl+Enter, no BR") << false << false << true << "ab<BR>\ncd";
    QTest::addRow("Ctrl+Enter with BR") << false << true << true << "ab<BR>\ncd";
    QTest::addRow("internal clipboard, Enter with BR") << true << true << false << "ab<BR>\ncd";
    QTest::addRow("internal clipboard, Ctrl+Enter") << true << false << true << "ab<BR>\ncd";
}

void TagCommandsTest::enterKey()
{
    QFETCH(bool, spare);
    QFETCH(bool, useBR);
    QFETCH(bool, control);
    QFETCH(QString, result);
    Fixture f;
    f.settings.useBR = useBR;
    EditorControl *editor = spare ? f.spare : f.page;
    EditorControl *other = spare ? f.page : f.spare;
    for (EditorControl *e : { f.page, f.spare }) {
        e->SetText("abcd");
        e->StartPos = e->EndPos = 2;
        e->ApplySelection();
    }
    QTest::keyClick(editor->focusProxy(), Qt::Key_Return,
                    control ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(editor->Text(), result);
    QCOMPARE(other->Text(), QString("abcd"));
    QCOMPARE(editor->CaretLine(), 2);
}

void TagCommandsTest::lightsFollowUseEWS()
{
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.open("<body><B>x</B></body>", 8, 8);
    f.commands.setLightsOn(true);
    EWSPanel *panel = f.commands.ewsPanel();
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->bodyColor(), QColor(0, 255, 0));
    QCOMPARE(panel->tagColor(), QColor(255, 255, 0));

    f.commands.setLightsOn(false);
    QVERIFY(!panel->isVisible());
    QVERIFY(!f.commands.tagAwareEditing()->hooked());
    QCOMPARE(panel->tagColor(), panel->colorOf(TagAwareEditing::Light::Neutral));
    f.page->StartPos = f.page->EndPos = 10;
    f.page->ApplySelection();
    Q_EMIT f.page->OnClick();
    QCOMPARE(panel->tagColor(), panel->colorOf(TagAwareEditing::Light::Neutral));
    // The menu item still checks.
    f.commands.checkCursorPositionAction()->trigger();
    QCOMPARE(panel->tagColor(), QColor(0, 255, 0));
}

QTEST_MAIN(TagCommandsTest)
#include "tst_tagcommands.moc"
