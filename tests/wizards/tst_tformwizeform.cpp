// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "testenvironment.h"
#include "wizards/generatorcommands.h"
#include "wizards/tformentry.h"
#include "wizards/tformwizeform.h"
#include "wizards/tsubmitform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Tarnwick;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    EditorControl editor;
    TSubmitForm submit;
    int refreshes = 0;
    std::unique_ptr<TFormWizeForm> form;

    Fixture()
    {
        TFormWizeForm::Context context;
        context.editor = &editor;
        context.prompter = &prompter;
        context.pageDirectory = [this] { return dir.path(); };
        context.refreshPreview = [this] { ++refreshes; };
        context.submitResults = &submit;
        form = std::make_unique<TFormWizeForm>(context);
        form->findChild<QLineEdit *>("MailTo")->setText("ann@example.com");
    }

    template<typename T> T *entry(const char *name) const
    {
        return form->entryDialog()->findChild<T *>(QLatin1String(name));
    }

    // Adds a field through the entry dialog: fill sets its fields, then OK;
    // a refused OK leaves the dialog open, which is then cancelled.
    void add(int kind, const std::function<void()> &fill)
    {
        QTimer::singleShot(0, form.get(), [this, fill] {
            fill();
            form->entryDialog()->accept();
            if (form->entryDialog()->isVisible())
                form->entryDialog()->reject();
        });
        form->AddField(kind);
    }
};

// Submits the first form shown by a renderer.
void submitFirstForm(Renderer *renderer)
{
    TestEnvironment::evaluate(renderer,
                              "document.querySelector('input[type=submit]').click(); true");
}

} // namespace

class TestTFormWizeForm final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void fieldsThroughTheEntryDialog();
    void submitFillsSubmitResults();
    void listBoxEntryKeys_data();
    void listBoxEntryKeys();
    void leaving_data();
    void leaving();
    void moveAndRemoveAll();
};

void TestTFormWizeForm::fieldsThroughTheEntryDialog()
{
    Fixture f;
    f.add(TFormEntry::DataEntry, [&] {
        f.entry<QLineEdit>("DEName")->setText("name");
        f.entry<QLineEdit>("DECaption")->setText("Your name:");
    });
    QCOMPARE(f.form->records(), QStringList { "DE|name|Your name:|20|0" });
    QCOMPARE(f.form->entryDialog()->windowTitle(), QStringLiteral("Data Entry Definition"));
    f.add(TFormEntry::CheckBox, [&] { f.entry<QLineEdit>("CBName")->setText("two words"); });
    f.add(TFormEntry::Hidden, [&] { f.entry<QLineEdit>("HDValue")->setText("a|b"); });
    QCOMPARE(f.prompter.texts(),
             QStringList({ "No spaces allowed in variable name!",
                           "The character \"|\" cannot be used in a form field: \"a|b\"" }));
    QCOMPARE(f.form->records().size(), 1);
    // A new field goes in after the selected one; radio group names are offered.
    f.form->findChild<QListWidget *>("FieldList")->setCurrentRow(0);
    f.add(TFormEntry::RadioGroup, [&] {
        f.entry<QComboBox>("RGGroup")->setCurrentText("size");
        f.entry<QLineEdit>("RGValue")->setText("S");
        f.entry<QLineEdit>("RGCaption")->setText("Small");
    });
    f.add(TFormEntry::RadioGroup, [&] {
        QCOMPARE(f.entry<QComboBox>("RGGroup")->count(), 1);
        QCOMPARE(f.entry<QComboBox>("RGGroup")->itemText(0), QStringLiteral("size"));
        f.entry<QComboBox>("RGGroup")->setCurrentIndex(0);
        f.entry<QLineEdit>("RGValue")->setText("L");
    });
    f.add(TFormEntry::ListBox, [&] {
        f.entry<QLineEdit>("LBName")->setText("fruit");
        f.entry<QCheckBox>("LBSort")->setChecked(true);
        for (const char *entry : { "pear", "apple" }) {
            f.entry<QLineEdit>("LBEntry")->setText(entry);
            f.entry<QPushButton>("LBAdd")->click();
        }
    });
    QCOMPARE(f.form->records(),
             QStringList({ "DE|name|Your name:|20|0", "RG|size|S|Small|0", "RG|size|L||0",
                           "LB|fruit||1|0|0|apple|pear|" }));
    // Editing keeps the field's place.
    f.form->findChild<QListWidget *>("FieldList")->setCurrentRow(0);
    QTimer::singleShot(0, f.form.get(), [&] {
        QCOMPARE(f.entry<QLineEdit>("DEName")->text(), QStringLiteral("name"));
        f.entry<QCheckBox>("DEPassword")->setChecked(true);
        f.form->entryDialog()->accept();
    });
    f.form->EditSelected();
    QCOMPARE(f.form->records().at(0), QStringLiteral("DE|name|Your name:|20|1"));

    f.prompter.answer(Prompter::Answer::No);
    f.form->InsertClick();
    const QString text = f.editor.Text();
    QVERIFY(text.startsWith("<FORM METHOD=\"POST\" ACTION=\"mailto:ann@example.com\" >\n"
                            "Your name:  <INPUT TYPE=\"password\" NAME=\"name\" SIZE=20><BR>\n"));
    QVERIFY(text.contains("\n<OPTION SELECTED>apple\n<OPTION>pear\n</SELECT><BR>\n"));
    QVERIFY(text.endsWith("</P>\n</FORM>\n"));
    QCOMPARE(f.refreshes, 1);
}

void TestTFormWizeForm::listBoxEntryKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addRow("Return") << int(Qt::Key_Return);
    QTest::addRow("keypad Enter") << int(Qt::Key_Enter);
}

// Enter in the entry box adds the entry and leaves the dialog open; each new
// list box starts unsorted, whatever the one before chose.
void TestTFormWizeForm::listBoxEntryKeys()
{
    QFETCH(int, key);
    Fixture f;
    QStringList openAfterEnter;
    QList<bool> sortedAtStart;
    for (const char *name : { "fruit", "veg" }) {
        f.add(TFormEntry::ListBox, [&] {
            sortedAtStart << f.entry<QCheckBox>("LBSort")->isChecked();
            f.entry<QCheckBox>("LBSort")->setChecked(true);
            f.entry<QLineEdit>("LBName")->setText(name);
            auto *entry = f.entry<QLineEdit>("LBEntry");
            for (const char *item : { "pear", "apple" }) {
                entry->setText(item);
                QTest::keyClick(entry, Qt::Key(key));
                if (f.form->entryDialog()->isVisible())
                    openAfterEnter << item;
            }
            QVERIFY(entry->text().isEmpty());
        });
    }
    QCOMPARE(openAfterEnter, (QStringList { "pear", "apple", "pear", "apple" }));
    QCOMPARE(sortedAtStart, (QList<bool> { false, false }));
    QStringList records = f.form->records();
    records.sort();
    QCOMPARE(records, (QStringList { "LB|fruit||1|0|0|apple|pear|", "LB|veg||1|0|0|apple|pear|" }));
}

// A form submitted in the builder's preview or in the main preview fills Submit Results.
void TestTFormWizeForm::submitFillsSubmitResults()
{
    Fixture f;
    f.add(TFormEntry::Hidden, [&] {
        f.entry<QLineEdit>("HDName")->setText("who");
        f.entry<QLineEdit>("HDValue")->setText("Ann");
    });
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QTRY_VERIFY_WITH_TIMEOUT(!f.form->preview()->Busy(), TestEnvironment::signalBound);
    QVERIFY(TestEnvironment::waitForLoad(f.form->preview(), [&] { f.form->BuildClick(); }));
    QCOMPARE(TestEnvironment::evaluate(f.form->preview(), "document.forms.length").toInt(), 1);
    submitFirstForm(f.form->preview());
    QTRY_VERIFY_WITH_TIMEOUT(f.submit.isVisible(), TestEnvironment::signalBound);
    QCOMPARE(f.submit.action(), QStringLiteral("mailto:ann@example.com"));
    QCOMPARE(f.submit.method(), QStringLiteral("POST"));
    QCOMPARE(f.submit.results(), QStringList { "who=Ann" });

    EditorControl editor;
    ScriptedPrompter prompter;
    Renderer mainPreview;
    GeneratorCommands commands(
        { &editor, &prompter, nullptr, nullptr, {}, {}, nullptr, nullptr, &mainPreview });
    mainPreview.show();
    QVERIFY(TestEnvironment::waitForLoad(&mainPreview, [&] {
        mainPreview.LoadFromBuffer("<form action=\"send.cgi\" method=\"get\"><input name=\"q\" "
                                   "value=\"x y\"><input type=submit></form>",
                                   f.dir.path());
    }));
    submitFirstForm(&mainPreview);
    QTRY_VERIFY_WITH_TIMEOUT(commands.submitResults()->isVisible(), TestEnvironment::signalBound);
    QCOMPARE(commands.submitResults()->method(), QStringLiteral("GET"));
    QVERIFY(commands.submitResults()->action().endsWith("/send.cgi"));
    QCOMPARE(commands.submitResults()->results(), QStringList { "q=x y" });
}

void TestTFormWizeForm::leaving_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("file"); // "" cancels the save dialog
    QTest::addColumn<bool>("closes");
    QTest::addRow("Cancel") << int(Prompter::Answer::Cancel) << QString() << false;
    QTest::addRow("No") << int(Prompter::Answer::No) << QString() << true;
    QTest::addRow("Yes, save cancelled") << int(Prompter::Answer::Yes) << "" << false;
    QTest::addRow("Yes, saved") << int(Prompter::Answer::Yes) << "form" << true;
    QTest::addRow("Yes, save failed") << int(Prompter::Answer::Yes) << "no/such/dir/form" << false;
}

void TestTFormWizeForm::leaving()
{
    QFETCH(int, answer);
    QFETCH(QString, file);
    QFETCH(bool, closes);
    Fixture f;
    f.add(TFormEntry::Hidden, [&] { f.entry<QLineEdit>("HDName")->setText("k"); });
    f.form->show();
    f.prompter.answer(Prompter::Answer(answer));
    if (answer == int(Prompter::Answer::Yes)) {
        if (file.isEmpty())
            f.prompter.cancelNextFile();
        else
            f.prompter.answerFile(f.dir.filePath(file));
    }
    f.form->AbandonClick();
    QCOMPARE(f.form->isVisible(), !closes);
    QCOMPARE(QFile::exists(f.dir.filePath("form.frm")), file == "form");
    QCOMPARE(f.editor.Text(), QString());
    QVERIFY(f.prompter.scriptUsedUp());
}

void TestTFormWizeForm::moveAndRemoveAll()
{
    Fixture f;
    f.add(TFormEntry::Hidden, [&] { f.entry<QLineEdit>("HDName")->setText("a"); });
    auto *list = f.form->findChild<QListWidget *>("FieldList");
    list->setCurrentRow(0);
    f.add(TFormEntry::Hidden, [&] { f.entry<QLineEdit>("HDName")->setText("b"); });
    QCOMPARE(f.form->records(), QStringList({ "HD|a|", "HD|b|" }));
    list->setCurrentRow(1);
    f.form->UpClick();
    QCOMPARE(f.form->records(), QStringList({ "HD|b|", "HD|a|" }));
    QCOMPARE(list->currentRow(), 0);
    f.form->UpClick(); // at the top already
    QCOMPARE(f.form->records(), QStringList({ "HD|b|", "HD|a|" }));
    f.form->DownClick();
    QCOMPARE(f.form->records(), QStringList({ "HD|a|", "HD|b|" }));
    QCOMPARE(f.form->formLines().at(1),
             QStringLiteral("<INPUT TYPE=\"HIDDEN\" NAME=\"a\" VALUE=\"\">"));
    f.prompter.answer(Prompter::Answer::No);
    f.form->RemoveAllClick();
    QCOMPARE(f.form->records().size(), 2);
    f.prompter.answer(Prompter::Answer::Yes);
    f.form->RemoveAllClick();
    QCOMPARE(f.form->records(), QStringList());
    QCOMPARE(f.prompter.messages().constLast().text,
             QStringLiteral("Delete all the fields in this form?"));
    QCOMPARE(f.prompter.messages().constLast().kind, Prompter::Kind::Warning);
}

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestTFormWizeForm test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tformwizeform.moc"
