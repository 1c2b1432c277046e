// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/editorcontrol.h"
#include "platform/renderer.h"
#include "scriptedprompter.h"
#include "testenvironment.h"
#include "wizards/tcalendarform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Tarnwick;

namespace {

const QStringList english = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };

struct Fixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    EditorControl editor;
    std::unique_ptr<TCalendarForm> form;

    explicit Fixture(QDate today = QDate(2024, 2, 29))
    {
        editor.SetText("<P>before</P>\n<P>after</P>\n");
        TCalendarForm::Context context;
        context.editor = &editor;
        context.prompter = &prompter;
        context.pageDirectory = dir.path();
        context.dayNames = english;
        context.today = today;
        form = std::make_unique<TCalendarForm>(context);
    }

    template<typename T> T *child(const char *name) const
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    QString monthLabel() const { return child<QLabel>("MonthLabel")->text(); }
    int year() const { return child<QSpinBox>("YearSpin")->value(); }
    // The calendar's heading as the preview shows it.
    QString shownHeading() const
    {
        return TestEnvironment::evaluate(form->preview(),
                                         "document.querySelector('th[colspan]').textContent.trim()")
            .toString();
    }
};

} // namespace

class TestTCalendarForm final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void everyChangeReachesThePreview_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("expectedLine");
        QTest::addRow("next month") << "NextMonthBtn"
                                    << "March 2024"
                                    << "    March 2024";
        QTest::addRow("previous month") << "PrevMonthBtn"
                                        << "January 2024"
                                        << "    January 2024";
        QTest::addRow("start day") << "StartWeekCombo"
                                   << "February 2024"
                                   << "    Mon";
        QTest::addRow("page links") << "PageLinksBox"
                                    << "February 2024"
                                    << "<A NAME=\"TOP_OF_CALENDAR\"></A>";
        QTest::addRow("border") << "BorderBox"
                                << "February 2024"
                                << "<TABLE >";
        QTest::addRow("row height") << "RowHeightSpin"
                                    << "February 2024"
                                    << "    <TH width=\"14%\" height=\"1\">";
        QTest::addRow("table colour") << "TableColorEdit"
                                      << "February 2024"
                                      << "<TABLE BORDER  BGCOLOR=\"#00FF00\">";
    }

    void everyChangeReachesThePreview()
    {
        QFETCH(QString, control);
        QFETCH(QString, heading);
        QFETCH(QString, expectedLine);
        Fixture f;
        QVERIFY(TestEnvironment::waitForLoad(f.form->preview(), [] {}));
        const QByteArray name = control.toLatin1();
        QVERIFY_LOADS(f.form->preview(), [&] {
            if (auto *button = f.child<QToolButton>(name.constData()))
                button->click();
            else if (auto *combo = f.child<QComboBox>(name.constData()))
                combo->setCurrentIndex(1);
            else if (auto *box = f.child<QCheckBox>(name.constData()))
                box->toggle();
            else if (auto *spin = f.child<QSpinBox>(name.constData()))
                spin->stepUp();
            else
                f.child<QLineEdit>(name.constData())->setText("00FF00");
        });
        QVERIFY(f.form->lines().contains(expectedLine));
        QCOMPARE(f.shownHeading(), heading);
    }

    void leapDayStepsAndYears()
    {
        Fixture f(QDate(2024, 2, 29));
        QCOMPARE(f.monthLabel(), QStringLiteral("February"));
        QCOMPARE(f.year(), 2024);
        // Typing a leap year passes common years on the way; the day must survive them.
        auto *yearBox = f.child<QSpinBox>("YearSpin");
        yearBox->setFocus();
        yearBox->selectAll();
        QTest::keyClicks(yearBox, "2028");
        QTest::keyClick(yearBox, Qt::Key_Return);
        QCOMPARE(f.form->options().date, (CalendarDate { 2028, 2, 29 }));
        // A common year has no 29 February: the 28th is shown.
        f.child<QSpinBox>("YearSpin")->setValue(2023);
        QCOMPARE(f.form->options().date, (CalendarDate { 2023, 2, 28 }));
        QVERIFY(f.form->lines().contains("    28"));
        QVERIFY(!f.form->lines().contains("    29"));
        f.form->NextMonthClick();
        QCOMPARE(f.monthLabel(), QStringLiteral("March"));
        QCOMPARE(f.form->options().date, (CalendarDate { 2023, 3, 28 }));
        // Stepping over the year's end moves the spinner along.
        for (int i = 0; i < 10; ++i)
            f.form->NextMonthClick();
        QCOMPARE(f.monthLabel(), QStringLiteral("January"));
        QCOMPARE(f.year(), 2024);
        QCOMPARE(f.child<QSpinBox>("YearSpin")->minimum(), 1);
        QCOMPARE(f.child<QSpinBox>("YearSpin")->maximum(), 9999);
    }

    void okInsertsAtTheCaret()
    {
        Fixture f(QDate(2009, 2, 10));
        f.editor.StartLine = f.editor.EndLine = 2;
        f.editor.StartPos = f.editor.EndPos = 0;
        f.editor.ApplySelection();
        f.child<QCheckBox>("PageLinksBox")->setChecked(true);
        const QStringList lines = f.form->lines();
        f.child<QPushButton>("OKBtn")->click();
        QCOMPARE(f.form->result(), int(QDialog::Accepted));
        QCOMPARE(f.editor.Text(), "<P>before</P>\n" + lines.join('\n') + "\n<P>after</P>\n");
        QVERIFY(lines.contains("    <A HREF=\"#February_2009_28\">28</A>"));
        QVERIFY(f.prompter.messages().isEmpty());
    }

    void cancelInsertsNothing()
    {
        Fixture f;
        f.child<QPushButton>("CancelBtn")->click();
        QCOMPARE(f.form->result(), int(QDialog::Rejected));
        QCOMPARE(f.editor.Text(), QStringLiteral("<P>before</P>\n<P>after</P>\n"));
    }

    void colours_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addRow("hex digits pass") << "HeadingColorEdit"
                                         << "a0b1c2"
                                         << "a0b1c2";
        QTest::addRow("other characters are not taken") << "TableColorEdit"
                                                        << "#zz\"12"
                                                        << "12";
        QTest::addRow("at most six digits") << "TextColorEdit"
                                            << "123456789"
                                            << "123456";
    }

    void colours()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Fixture f;
        auto *edit = f.child<QLineEdit>(field.toLatin1().constData());
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
    }

    void shortColourKeepsTheDialogOpen()
    {
        Fixture f;
        f.child<QLineEdit>("TextColorEdit")->setText("ABC");
        // The preview leaves the unfinished colour out instead of writing it.
        QVERIFY(!f.form->lines().join('\n').contains("ABC"));
        f.child<QPushButton>("OKBtn")->click();
        QCOMPARE(f.prompter.texts(),
                 QStringList { "Calendar Text Color: a colour is six hexadecimal digits "
                               "(RRGGBB), or empty." });
        QVERIFY(f.form->result() != int(QDialog::Accepted));
        QCOMPARE(f.editor.Text(), QStringLiteral("<P>before</P>\n<P>after</P>\n"));
    }

    void colourButtonWritesUpperCase()
    {
        Fixture f;
        f.prompter.answerColor(QColor(0x1a, 0x2b, 0x3c));
        f.child<QToolButton>("HeadingColorBtn")->click();
        QCOMPARE(f.child<QLineEdit>("HeadingColorEdit")->text(), QStringLiteral("1A2B3C"));
        QVERIFY(f.form->lines().contains(
            "    <TH COLSPAN=\"7\" ALIGN=\"CENTER\" BGCOLOR=\"#1A2B3C\">"));
        // A cancelled choice keeps the colour.
        f.child<QToolButton>("HeadingColorBtn")->click();
        QCOMPARE(f.child<QLineEdit>("HeadingColorEdit")->text(), QStringLiteral("1A2B3C"));
    }
};

int main(int argc, char *argv[])
{
    Renderer::prepareEngine();
    QApplication application(argc, argv);
    TestTCalendarForm test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tcalendarform.moc"
