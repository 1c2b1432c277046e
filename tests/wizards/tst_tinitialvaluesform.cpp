// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "testenvironment.h"
#include "wizards/tinitialvaluesform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Tarnwick;

namespace {

// The dialog over a new, empty page in a project directory of its own.
struct Fixture
{
    QTemporaryDir dir;
    QString program = dir.filePath("program");
    QString page = dir.filePath("site");
    ScriptedPrompter prompter;
    EditorControl editor;
    BodySettings body;
    int refreshes = 0;
    std::unique_ptr<TInitialValuesForm> form;

    explicit Fixture(const QByteArray &projectIni = QByteArray())
    {
        for (const char *prefix : { "t_", "l_", "w_", "e_", "n_", "s_", "q_" })
            TestEnvironment::writeFile(program + "/themes/" + prefix + "ocean.gif",
                                       TestEnvironment::readFile(TestEnvironment::dataDirectory()
                                                                 + "themes/" + prefix
                                                                 + "ocean.gif"));
        QDir().mkpath(page);
        if (!projectIni.isEmpty())
            TestEnvironment::writeFile(page + "/PROJECT.INI", projectIni);
        TInitialValuesForm::Context context;
        context.editor = &editor;
        context.prompter = &prompter;
        context.programDirectory = program;
        context.pageDirectory = page;
        context.author = "Ann Smith";
        context.body = &body;
        context.refreshPreview = [this] { ++refreshes; };
        form = std::make_unique<TInitialValuesForm>(context);
    }

    template<typename T> T *child(const char *name) const
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }
};

} // namespace

class TestTInitialValuesForm final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void fieldsFromProjectSettings_data();
    void fieldsFromProjectSettings();
    void backNextFinish();
    void finishWritesThePage();
    void cancelLeavesThePageEmpty();
    void chosenColorInUpperCaseHex();
    void previewShowsTheTheme();
    void finishTakesOnlyColours_data();
    void finishTakesOnlyColours();
    void headingColourCanBeCleared();
    void labelsShowTheirColoursOnThePageBackground_data();
    void labelsShowTheirColoursOnThePageBackground();
};

void TestTInitialValuesForm::fieldsFromProjectSettings_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("linkColor");
    QTest::addColumn<QString>("theme");

    QTest::addRow("no settings file") << QByteArray() << ""
                                      << "FF0000"
                                      << "[None]";
    QTest::addRow("settings of the project")
        << QByteArray("[PROJECT]\r\nmailto=ann@example.com\r\nLinkColor=0000FF\r\n"
                      "ThemeStyle=ocean\r\n")
        << "ann@example.com"
        << "0000FF"
        << "ocean";
    QTest::addRow("colour stored with its hash")
        << QByteArray("[PROJECT]\r\nLinkColor=#0000FF\r\n") << ""
        << "0000FF"
        << "[None]";
    QTest::addRow("theme not installed") << QByteArray("[PROJECT]\r\nThemeStyle=desert\r\n") << ""
                                         << "FF0000"
                                         << "[None]";
}

void TestTInitialValuesForm::fieldsFromProjectSettings()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, email);
    QFETCH(QString, linkColor);
    QFETCH(QString, theme);
    Fixture f(ini);
    QCOMPARE(f.child<QLineEdit>("EmailText")->text(), email);
    QCOMPARE(f.child<QLineEdit>("LinkColorText")->text(), linkColor);
    QCOMPARE(f.child<QComboBox>("ThemeCombo")->currentText(), theme);
    QCOMPARE(f.child<QLineEdit>("AuthorName")->text(), QStringLiteral("Ann Smith"));
    QCOMPARE(f.child<QLabel>("LinkColorLabel")->palette().color(QPalette::WindowText),
             QColor("#" + linkColor));
}

void TestTInitialValuesForm::backNextFinish()
{
    Fixture f;
    QPushButton *back = f.button("BackBtn");
    QPushButton *next = f.button("NextBtn");
    QPushButton *finish = f.button("FinishBtn");
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QCOMPARE(f.form->pageIndex(), 0);
    QVERIFY(!back->isEnabled());
    QVERIFY(next->isEnabled() && next->isVisible());
    QVERIFY(!finish->isVisible());
    for (int page = 1; page < TInitialValuesForm::PageCount; ++page) {
        next->click();
        QCOMPARE(f.form->pageIndex(), page);
        QVERIFY(back->isEnabled());
    }
    QVERIFY(!next->isEnabled() && !next->isVisible());
    QVERIFY(finish->isVisible());
    back->click();
    QCOMPARE(f.form->pageIndex(), TInitialValuesForm::PageCount - 2);
    QVERIFY(next->isEnabled() && next->isVisible());
    QVERIFY(!finish->isVisible());
    back->click();
    back->click();
    back->click();
    QCOMPARE(f.form->pageIndex(), 0);
    QVERIFY(!back->isEnabled());
}

void TestTInitialValuesForm::finishWritesThePage()
{
    Fixture f;
    TestEnvironment::writeFile(f.dir.filePath("pics/logo.gif"), "GIF logo");
    f.child<QComboBox>("ThemeCombo")->setCurrentText("ocean");
    f.child<QCheckBox>("QuestionMark")->setChecked(true);
    f.child<QLineEdit>("Logo")->setText(f.dir.filePath("pics/logo.gif"));
    f.child<QLineEdit>("PageTitle")->setText("Ann's page");
    f.child<QLineEdit>("AuthorName")->setText("Ann Jones");
    f.child<QLineEdit>("bgColorText")->setText("FFFFFF");
    for (int i = 1; i < TInitialValuesForm::PageCount; ++i)
        f.button("NextBtn")->click();
    f.button("FinishBtn")->click();

    QCOMPARE(f.form->result(), int(QDialog::Accepted));
    QCOMPARE(f.form->author(), QStringLiteral("Ann Jones"));
    const QString text = f.editor.Text();
    QVERIFY(text.startsWith("<HTML>\n<HEAD>\n<meta charset=\"utf-8\">\n<TITLE>Ann's page</TITLE>\n"));
    QVERIFY(text.contains("<META NAME=\"Author\" CONTENT=\"Ann Jones\">\n"));
    QVERIFY(text.contains("<BODY BACKGROUND=\"t_ocean.gif\"  TEXT="));
    QVERIFY(text.contains("\n<IMG SRC=\"logo.gif\">\n"));
    QVERIFY(text.contains("\n<IMG SRC=\"q_ocean.gif\">\n"));
    QVERIFY(!text.contains(f.program)); // no path of the program's themes
    QVERIFY(text.endsWith("</BODY>\n</HTML>\n"));
    QCOMPARE(TestEnvironment::readFile(f.page + "/logo.gif"), QByteArray("GIF logo"));
    QStringList copied = QDir(f.page).entryList({ "*_ocean.gif" }, QDir::Files);
    QCOMPARE(copied.size(), 7);
    QCOMPARE(f.body.background, QColor(Qt::white));
    QCOMPARE(f.body.link, QColor(Qt::red));
    QCOMPARE(f.body.image, f.program + "/themes/t_ocean.gif");
    QCOMPARE(f.refreshes, 1);
}

void TestTInitialValuesForm::cancelLeavesThePageEmpty()
{
    Fixture f;
    f.editor.SetText("\n");
    f.child<QComboBox>("ThemeCombo")->setCurrentText("ocean");
    f.button("NextBtn")->click();
    f.button("CancelBtn")->click();
    QCOMPARE(f.form->result(), int(QDialog::Rejected));
    QCOMPARE(f.editor.Text(), QString());
    QCOMPARE(QDir(f.page).entryList(QDir::Files), QStringList());
    QCOMPARE(f.body, BodySettings());
    QCOMPARE(f.refreshes, 0);
}

void TestTInitialValuesForm::chosenColorInUpperCaseHex()
{
    Fixture f;
    f.prompter.answerColor(QColor(0xab, 0x0c, 0xef));
    f.child<QToolButton>("TextButton")->click();
    QCOMPARE(f.child<QLineEdit>("TextColorText")->text(), QStringLiteral("AB0CEF"));
    QCOMPARE(f.child<QLabel>("TextColorLabel")->palette().color(QPalette::WindowText),
             QColor(0xab, 0x0c, 0xef));
    f.prompter.answerColor(QColor(0x01, 0x02, 0x03));
    f.child<QToolButton>("HeaderBtn")->click();
    f.child<QLineEdit>("PageHeading")->setText("Hello");
    QVERIFY(f.form->fields().headingColor == QColor(0x01, 0x02, 0x03));
    f.form->UpdatePreview();
    QVERIFY(f.form->lines().contains("<FONT COLOR=\"#010203\">"));
    QVERIFY(f.prompter.scriptUsedUp());
}

void TestTInitialValuesForm::finishTakesOnlyColours_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written"); // the TEXT attribute; "-": refused
    QTest::addRow("six digits") << "AB0CEF"
                                << " TEXT=\"#AB0CEF\"";
    QTest::addRow("with its hash") << "#FF0000"
                                   << " TEXT=\"#FF0000\"";
    QTest::addRow("empty, left out") << ""
                                     << "";
    QTest::addRow("markup") << "zz<>\"q"
                            << "-";
    QTest::addRow("cut short") << "#FF000"
                               << "-";
    QTest::addRow("colour name") << "red"
                                 << "-";
}

void TestTInitialValuesForm::finishTakesOnlyColours()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    Fixture f;
    for (const char *other : { "LinkColorText", "vLinkColorText", "ALinkColorText", "bgColorText" })
        f.child<QLineEdit>(other)->clear();
    f.child<QLineEdit>("TextColorText")->setText(typed);
    QCOMPARE(f.child<QLineEdit>("TextColorText")->text(), typed);
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.button("FinishBtn")->click();
    if (written == "-") {
        QCOMPARE(f.prompter.texts(),
                 QStringList { "Text Color: \"" + typed
                               + "\" is not a colour. Give six hexadecimal digits, RRGGBB or "
                                 "#RRGGBB." });
        QVERIFY(f.form->isVisible());
        QCOMPARE(f.form->pageIndex(), TInitialValuesForm::PageCount - 1);
        QCOMPARE(QApplication::focusWidget(), f.child<QLineEdit>("TextColorText"));
        QCOMPARE(f.editor.Text(), QString());
        return;
    }
    QCOMPARE(f.form->result(), int(QDialog::Accepted));
    QVERIFY(f.prompter.texts().isEmpty());
    QVERIFY2(f.editor.Text().contains("\n<BODY" + written + ">\n"), qPrintable(f.editor.Text()));
}

// Once chosen, the heading colour can be taken away again.
void TestTInitialValuesForm::labelsShowTheirColoursOnThePageBackground_data()
{
    QTest::addColumn<QString>("background"); // typed; "" keeps the starting C0C0C0
    QTest::addColumn<QString>("swatch");
    QTest::addColumn<QString>("caption"); // colour of the Background caption

    QTest::addRow("starting grey") << ""
                                   << "#c0c0c0"
                                   << "#000000";
    QTest::addRow("navy") << "000080"
                          << "#000080"
                          << "#ffffff";
    QTest::addRow("white") << "FFFFFF"
                           << "#ffffff"
                           << "#000000";
    QTest::addRow("black") << "#000000"
                           << "#000000"
                           << "#ffffff";
}

// The Background caption stands on its colour and can be read; the other
// captions are drawn in their colours.
void TestTInitialValuesForm::labelsShowTheirColoursOnThePageBackground()
{
    QFETCH(QString, background);
    QFETCH(QString, swatch);
    QFETCH(QString, caption);
    Fixture f;
    if (!background.isEmpty())
        f.child<QLineEdit>("bgColorText")->setText(background);
    const auto *label = f.child<QLabel>("bgColorLabel");
    QVERIFY(label->autoFillBackground());
    QCOMPARE(label->palette().color(QPalette::Window), QColor(swatch));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(caption));
    QCOMPARE(f.child<QLabel>("LinkColorLabel")->palette().color(QPalette::WindowText),
             QColor("#ff0000"));
}

void TestTInitialValuesForm::headingColourCanBeCleared()
{
    Fixture f;
    auto *clear = f.child<QToolButton>("HeaderClearBtn");
    QVERIFY(clear);
    QVERIFY(!clear->isEnabled());
    f.child<QLineEdit>("PageHeading")->setText("Hello");
    f.prompter.answerColor(QColor(Qt::black));
    f.child<QToolButton>("HeaderBtn")->click();
    QVERIFY(clear->isEnabled());
    f.form->UpdatePreview();
    QVERIFY(f.form->lines().contains("<FONT COLOR=\"#000000\">"));
    clear->click();
    QVERIFY(!clear->isEnabled());
    QVERIFY(!f.form->fields().headingColor.has_value());
    QVERIFY(!f.form->lines().join('\n').contains("<FONT COLOR"));
    QVERIFY(f.form->lines().contains("<H1>Hello</H1>"));
}

// The preview shows the page with the theme's pictures by their full paths;
// a change made while it still loads waits for the next one.
void TestTInitialValuesForm::previewShowsTheTheme()
{
    Fixture f;
    Renderer *preview = f.form->preview();
    // Picking the theme shows it at once; let that load end first.
    QSignalSpy picked(preview, &Renderer::loadFinished);
    f.child<QComboBox>("ThemeCombo")->setCurrentText("ocean");
    if (preview->Busy())
        QVERIFY(picked.wait(TestEnvironment::signalBound));
    f.child<QLineEdit>("PageTitle")->setText("First");
    QSignalSpy finished(preview, &Renderer::loadFinished);
    f.form->UpdatePreview();
    QVERIFY(preview->Busy());
    f.child<QLineEdit>("PageTitle")->setText("Second");
    f.form->UpdatePreview(); // skipped: the first load is still under way
    QVERIFY(finished.wait(TestEnvironment::signalBound));
    QVERIFY(finished.last().at(0).toBool());
    QVERIFY(TestEnvironment::engineRoundTrip(preview));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(preview->DocumentTitle(), QStringLiteral("First"));
    QVERIFY(f.form->lines().contains("<IMG SRC=\"" + f.program + "/themes/l_ocean.gif\">"));
    QVERIFY_LOADS(preview, [&] { f.form->UpdatePreview(); });
    QCOMPARE(preview->DocumentTitle(), QStringLiteral("Second"));
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestTInitialValuesForm test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tinitialvaluesform.moc"
