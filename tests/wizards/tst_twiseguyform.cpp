// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "testenvironment.h"
#include "wizards/generatorcommands.h"
#include "wizards/guidednotebook.h"
#include "wizards/teffectsform.h"
#include "wizards/twiseguyform.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRect>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Tarnwick;

namespace {

// Plays the Web Effects notebook: seven tabs, and a record of what the guide did to it.
class FakeNotebook final : public GuidedNotebook
{
public:
    QStringList tabs
        = { "Headers", "Tables", "List Types", "Images", "Document Text", "References", "Applet" };
    int current = 3;
    bool guided = false;
    bool shown = false;
    int refreshes = 0;
    int closes = 0;
    QRect besideOf;

    int tabCount() const override { return int(tabs.size()); }
    int currentTab() const override { return current; }
    QString tabText(int index) const override { return tabs.value(index); }
    void setGuided(bool on) override { guided = on; }
    bool isGuided() const override { return guided; }
    void selectTab(int index) override { current = index; }
    void refreshPreview() override { ++refreshes; }
    void showBeside(const QRect &guideFrame) override
    {
        shown = true;
        besideOf = guideFrame;
    }
    void closeNotebook() override
    {
        shown = false;
        ++closes;
    }
};

const QString credit = QStringLiteral("<p align=center><a href=\"https://tarnwick.example.org/\">"
                                      "This page created with Tarnwick, check it out...</a>");

struct Fixture
{
    ScriptedPrompter prompter;
    EditorControl editor;
    FakeNotebook book;
    QString activePage; // the open pages as the guide sees them
    int newPages = 0;
    int edits = 0; // changes the page saw
    std::unique_ptr<QMenu> fileMenu = std::make_unique<QMenu>();
    std::unique_ptr<GeneratorCommands> commands;

    explicit Fixture(bool withNotebook = true)
    {
        fileMenu->addAction("&New");
        fileMenu->addSeparator();
        fileMenu->addAction("E&xit");
        GeneratorCommands::Parts parts;
        parts.editor = &editor;
        parts.prompter = &prompter;
        parts.fileMenu = fileMenu.get();
        if (withNotebook)
            parts.effectsNotebook = [this] { return &book; };
        // New opens the empty page, whose Initial Values fill it.
        parts.newPage = [this] {
            ++newPages;
            activePage = QStringLiteral("/pages/newpage.htm");
            editor.SetText(QStringLiteral("<html>\n<body>\n\n</body>\n</html>\n"));
            editor.StartLine = editor.EndLine = 3;
            editor.StartPos = editor.EndPos = 0;
            editor.ApplySelection();
        };
        parts.currentFileName = [this] { return activePage; };
        commands = std::make_unique<GeneratorCommands>(std::move(parts));
        QObject::connect(&editor, &EditorControl::OnChange, &editor, [this] { ++edits; });
    }

    TWiseGuyForm *guide() const { return commands->pageGuide(); }
    QPushButton *button(const char *name) const { return guide()->findChild<QPushButton *>(name); }
    QString text(int label) const { return guide()->label(label)->text(); }
    int credits() const { return int(editor.Text().count(credit)); }

    void start()
    {
        commands->PageWiseGuyClick();
        QVERIFY(guide());
        guide()->StartClick();
    }
};

QAction *item(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

} // namespace

class TestTWiseGuyForm final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestEnvironment::isolate(); }

    // Without a notebook of its own the guide walks the controller's Web Effects.
    void menuItemOpensTheGuide_data()
    {
        QTest::addColumn<bool>("withNotebook");
        QTest::addRow("given notebook") << true;
        QTest::addRow("own Web Effects") << false;
    }

    void menuItemOpensTheGuide()
    {
        QFETCH(bool, withNotebook);
        Fixture f(withNotebook);
        QAction *guideItem = item(f.fileMenu.get(), "Page Wise &Guy...");
        QVERIFY(guideItem);
        QVERIFY(guideItem->isVisible());
        // It stands before the generators' other File items, above the Exit separator.
        const QList<QAction *> actions = f.fileMenu->actions();
        QCOMPARE(actions.indexOf(guideItem) + 1,
                 actions.indexOf(item(f.fileMenu.get(), "&Frame Creator...")));
        QVERIFY(actions.indexOf(guideItem) < actions.indexOf(item(f.fileMenu.get(), "E&xit")) - 1);
        guideItem->trigger();
        QVERIFY(f.guide());
        QCOMPARE(f.guide()->isVisible(), true);
    }

    void greetingBeforeStart()
    {
        Fixture f;
        f.commands->PageWiseGuyClick();
        TWiseGuyForm *guide = f.guide();
        QVERIFY(guide->isVisible());
        QVERIFY(!guide->isModal());
        QVERIFY(guide->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(guide->pos(), QPoint(10, 50));
        QVERIFY(!f.book.guided); // guided from Start on
        QVERIFY(!f.book.shown);
        QCOMPARE(guide->windowTitle(), QStringLiteral("The Vaza Ded"));
        QVERIFY(f.text(1).startsWith("Greetings, I am your Vaza Ded"));
        QVERIFY(f.text(1).contains("the standard \"Initial Values\" screen will appear.  Fill in"));
        // The label shows a single ampersand.
        QVERIFY(f.text(2).contains("either the Prev & Next button"));
        QCOMPARE(f.text(3), QStringLiteral("When you are finished select the close button."));
        QVERIFY(guide->findChild<QLabel *>("Image1")->isVisible());
        QVERIFY(f.button("StartBtn")->isVisible());
        for (const char *name : { "PrevBtn", "NextBtn", "CloseBtn" })
            QVERIFY2(!f.button(name)->isVisible(), name);
        // Made on first use and kept.
        f.commands->PageWiseGuyClick();
        QCOMPARE(f.guide(), guide);
    }

    void startRunsNewThenShowsTheFirstTab()
    {
        Fixture f;
        QString textsDuringNew;
        f.commands->PageWiseGuyClick();
        // What the guide says while Initial Values is open.
        auto newPage = [&] { textsDuringNew = f.text(1); };
        QObject::connect(&f.editor, &EditorControl::OnChange, &f.editor, newPage);
        f.guide()->StartClick();
        QCOMPARE(f.newPages, 1);
        QVERIFY(textsDuringNew.startsWith("Type in the title of you web page first."));
        QVERIFY(!f.guide()->findChild<QLabel *>("Image1")->isVisible());
        QVERIFY(!f.button("StartBtn")->isVisible());
        QVERIFY(f.button("NextBtn")->isEnabled());
        QVERIFY(!f.button("PrevBtn")->isEnabled());
        QVERIFY(f.button("CloseBtn")->isVisible());
        QCOMPARE(f.book.current, 0);
        QVERIFY(f.book.guided);
        QVERIFY(f.book.shown);
        QCOMPARE(f.book.besideOf, f.guide()->frameGeometry());
        QCOMPARE(f.guide()->windowTitle(), QStringLiteral("The Vaza Ded - Headers"));
        QVERIFY(f.text(1).startsWith("Type in the a heading"));
    }

    void tabsStepWithTheirTexts()
    {
        Fixture f;
        f.start();
        struct Step
        {
            const char *click;
            int tab;
            const char *title;
            const char *first; // start of label 1
            bool secondShown;
            bool prev, next;
        };
        const Step steps[] = {
            { "NextBtn", 1, "Tables", "Tables are a snap with Tarnwick", true, true, true },
            { "NextBtn", 2, "List Types", "To make it easier for you", true, true, true },
            { "NextBtn", 3, "Images", "To add an image simply", true, true, true },
            { "NextBtn", 4, "Document Text", "This simple memo field", false, true, true },
            { "NextBtn", 5, "References", "Adding links to your page", true, true, true },
            // The applet tab keeps the texts before it.
            { "NextBtn", 6, "Applet", "Adding links to your page", true, true, false },
            { "PrevBtn", 5, "References", "Adding links to your page", true, true, true },
            { "PrevBtn", 4, "Document Text", "This simple memo field", false, true, true },
            { "PrevBtn", 3, "Images", "To add an image simply", true, true, true },
            { "PrevBtn", 2, "List Types", "To make it easier for you", true, true, true },
            { "PrevBtn", 1, "Tables", "Tables are a snap with Tarnwick", true, true, true },
            { "PrevBtn", 0, "Headers", "Type in the a heading", true, false, true },
        };
        int refreshes = f.book.refreshes;
        for (const Step &s : steps) {
            const QByteArray where = QByteArray(s.click) + " to " + s.title;
            f.button(s.click)->setEnabled(true); // the step is made as a click would
            f.button(s.click)->click();
            QVERIFY2(f.book.current == s.tab, where);
            QCOMPARE(f.guide()->windowTitle(), QStringLiteral("The Vaza Ded - ") + s.title);
            QVERIFY2(f.text(1).startsWith(QLatin1String(s.first)), where);
            QVERIFY2(f.guide()->label(2)->isVisibleTo(f.guide()) == s.secondShown, where);
            QVERIFY2(f.text(3).startsWith("Changing your entry does not change it on the page."),
                     where);
            QVERIFY2(f.button("PrevBtn")->isEnabled() == s.prev, where);
            QVERIFY2(f.button("NextBtn")->isEnabled() == s.next, where);
            QVERIFY2(f.book.refreshes == ++refreshes, where);
        }
    }

    void closedNotebookComesBack_data()
    {
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("tab");
        QTest::addRow("Next") << "NextBtn" << 3;
        QTest::addRow("Prev") << "PrevBtn" << 1;
    }

    // The user closes the notebook during the run; the guide's buttons bring it back.
    void closedNotebookComesBack()
    {
        QFETCH(QString, click);
        QFETCH(int, tab);
        Fixture f;
        f.start();
        f.button("NextBtn")->click();
        f.button("NextBtn")->click();
        QCOMPARE(f.book.current, 2);
        f.book.guided = false; // as its own close does
        f.book.closeNotebook();
        f.button(click.toLatin1().constData())->click();
        QVERIFY(f.book.guided);
        QVERIFY(f.book.shown);
        QCOMPARE(f.book.besideOf, f.guide()->frameGeometry());
        QCOMPARE(f.book.current, tab);
        QCOMPARE(f.guide()->windowTitle(), QStringLiteral("The Vaza Ded - ") + f.book.tabs.at(tab));
    }

    // Web Effects itself: the Insert commands open it as usual until Start,
    // and closed during the run it comes back on Next.
    void webEffectsDuringTheRun()
    {
        Fixture f(false);
        f.commands->PageWiseGuyClick();
        TEffectsForm *effects = f.commands->effectsForm();
        QVERIFY(!effects->isGuided());
        bool modal = false;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, effects, [&] {
            modal = QApplication::activeModalWidget() == effects;
            effects->reject();
        });
        timer.start(0);
        f.commands->openEffects(TEffectsForm::ListTypes);
        QVERIFY(modal);
        QCOMPARE(effects->currentTab(), int(TEffectsForm::ListTypes));
        QVERIFY(!effects->isVisible());

        f.guide()->StartClick();
        QVERIFY(effects->isGuided());
        QVERIFY(effects->isVisible());
        QCOMPARE(effects->currentTab(), int(TEffectsForm::Headers));
        effects->close();
        QVERIFY(!effects->isGuided());
        f.button("NextBtn")->click();
        QVERIFY(effects->isVisible());
        QVERIFY(effects->isGuided());
        QVERIFY(!effects->isModal());
        QCOMPARE(effects->currentTab(), int(TEffectsForm::Tables));
        QCOMPARE(f.guide()->windowTitle(), QStringLiteral("The Vaza Ded - Tables"));
        f.guide()->close();
        QVERIFY(!effects->isVisible());
        QVERIFY(!effects->isGuided());
    }

    void creditLineOnClosing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("credits");
        QTest::addRow("close button") << "close button" << 1;
        QTest::addRow("window closed") << "window closed" << 1;
        QTest::addRow("escape") << "escape" << 1;
        QTest::addRow("menu item again before closing") << "asked again" << 1;
        QTest::addRow("another page active") << "another page" << 0;
        QTest::addRow("no page left") << "no page" << 0;
        QTest::addRow("start never ran") << "no start" << 0;
    }

    void creditLineOnClosing()
    {
        QFETCH(QString, how);
        QFETCH(int, credits);
        Fixture f;
        if (how == QLatin1String("no start"))
            f.commands->PageWiseGuyClick();
        else
            f.start();
        f.button("NextBtn")->click();
        const int changesBefore = f.edits;
        if (how == QLatin1String("another page"))
            f.activePage = QStringLiteral("/pages/other.htm");
        if (how == QLatin1String("no page"))
            f.activePage.clear();
        if (how == QLatin1String("asked again")) {
            f.commands->PageWiseGuyClick();
            QVERIFY(!f.button("StartBtn")->isVisible());
            QCOMPARE(f.book.current, 1);
        }
        if (how == QLatin1String("close button"))
            f.button("CloseBtn")->click();
        else if (how == QLatin1String("escape"))
            QTest::keyClick(f.guide(), Qt::Key_Escape);
        else
            f.guide()->close();
        QVERIFY(!f.guide()->isVisible());
        QCOMPARE(f.credits(), credits);
        if (credits) {
            // At the caret, as an edit the page sees (modified mark, preview).
            QCOMPARE(f.editor.GetLineText(3), credit);
            QVERIFY(f.edits > changesBefore);
        }
        // The notebook is let go either way.
        QVERIFY(!f.book.guided);
        QVERIFY(!f.book.shown);
        // Shown again, the guide starts over and a close without Start adds nothing.
        f.commands->PageWiseGuyClick();
        QVERIFY(f.button("StartBtn")->isVisible());
        QVERIFY(f.text(1).startsWith("Greetings"));
        f.guide()->close();
        QCOMPARE(f.credits(), credits);
    }

    void creditLineText() { QCOMPARE(TWiseGuyForm::creditLine(), credit); }
};

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestTWiseGuyForm test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_twiseguyform.moc"
