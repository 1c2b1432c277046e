// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/calendarbuilder.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

using namespace Tarnwick;

Q_DECLARE_METATYPE(Tarnwick::CalendarDate)

namespace {

const QStringList english = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };

CalendarOptions month(int year, int monthNumber, int firstDay = 0)
{
    CalendarOptions options;
    options.date = { year, monthNumber, 1 };
    options.firstDayOfWeek = firstDay;
    return options;
}

// The day rows as the page shows them: "1 2 3|4 5 ..." with "." for an empty
// cell, read back from the markup rather than from the arithmetic.
QString dayGrid(const QStringList &lines)
{
    QStringList rows;
    QStringList cells;
    bool inDayRow = false;
    int headerRows = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line == QLatin1String("<TR VALIGN=\"top\"> ")) {
            inDayRow = ++headerRows > 1; // the first such row holds the day names
            cells.clear();
        } else if (line == QLatin1String("</TR>") && inDayRow) {
            rows << cells.join(QLatin1Char(' '));
            inDayRow = false;
        } else if (inDayRow && line.startsWith(QLatin1String("    <TD"))) {
            const QString next = lines.value(i + 1);
            cells << (next == QLatin1String("    </TD>")
                          ? QStringLiteral(".")
                          : next.trimmed().remove(QRegularExpression("<[^>]*>")));
        }
    }
    return rows.join(QLatin1Char('|'));
}

// The day names of the heading row, in column order.
QStringList headingNames(const QStringList &lines)
{
    QStringList names;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (lines.at(i).startsWith(QLatin1String("    <TH width=")))
            names << lines.at(i + 1).trimmed();
    }
    return names;
}

} // namespace

class TestCalendarBuilder final : public QObject
{
    Q_OBJECT

private slots:
    void dayRows_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<QString>("grid");
        QTest::addRow("28-day February on the first weekday: row 5 empty, no row 6")
            << 2009 << 2 << 0
            << "1 2 3 4 5 6 7|8 9 10 11 12 13 14|15 16 17 18 19 20 21|22 23 24 25 26 27 28|"
               ". . . . . . .";
        QTest::addRow("Saturday the first, weeks from Sunday: last column, row 6 written")
            << 2025 << 3 << 0
            << ". . . . . . 1|2 3 4 5 6 7 8|9 10 11 12 13 14 15|16 17 18 19 20 21 22|"
               "23 24 25 26 27 28 29|30 31 . . . . .";
        QTest::addRow("the same month from Monday")
            << 2025 << 3 << 1
            << ". . . . . 1 2|3 4 5 6 7 8 9|10 11 12 13 14 15 16|17 18 19 20 21 22 23|"
               "24 25 26 27 28 29 30|31 . . . . . .";
        QTest::addRow("February 1900, not a leap year")
            << 1900 << 2 << 0
            << ". . . . 1 2 3|4 5 6 7 8 9 10|11 12 13 14 15 16 17|18 19 20 21 22 23 24|"
               "25 26 27 28 . . .";
        QTest::addRow("February 2000, a leap year")
            << 2000 << 2 << 0
            << ". . 1 2 3 4 5|6 7 8 9 10 11 12|13 14 15 16 17 18 19|20 21 22 23 24 25 26|"
               "27 28 29 . . . .";
        QTest::addRow("February 2023")
            << 2023 << 2 << 0
            << ". . . 1 2 3 4|5 6 7 8 9 10 11|12 13 14 15 16 17 18|19 20 21 22 23 24 25|"
               "26 27 28 . . . .";
        const QStringList february2024 = {
            ". . . . 1 2 3|4 5 6 7 8 9 10|11 12 13 14 15 16 17|18 19 20 21 22 23 24|"
            "25 26 27 28 29 . .",
            ". . . 1 2 3 4|5 6 7 8 9 10 11|12 13 14 15 16 17 18|19 20 21 22 23 24 25|"
            "26 27 28 29 . . .",
            ". . 1 2 3 4 5|6 7 8 9 10 11 12|13 14 15 16 17 18 19|20 21 22 23 24 25 26|"
            "27 28 29 . . . .",
            ". 1 2 3 4 5 6|7 8 9 10 11 12 13|14 15 16 17 18 19 20|21 22 23 24 25 26 27|"
            "28 29 . . . . .",
            "1 2 3 4 5 6 7|8 9 10 11 12 13 14|15 16 17 18 19 20 21|22 23 24 25 26 27 28|"
            "29 . . . . . .",
            ". . . . . . 1|2 3 4 5 6 7 8|9 10 11 12 13 14 15|16 17 18 19 20 21 22|"
            "23 24 25 26 27 28 29",
            ". . . . . 1 2|3 4 5 6 7 8 9|10 11 12 13 14 15 16|17 18 19 20 21 22 23|"
            "24 25 26 27 28 29 .",
        };
        for (int day = 0; day < 7; ++day)
            QTest::addRow("February 2024 from %s", qPrintable(english.at(day)))
                << 2024 << 2 << day << february2024.at(day);
        QTest::addRow("January of year 1")
            << 1 << 1 << 0
            << ". 1 2 3 4 5 6|7 8 9 10 11 12 13|14 15 16 17 18 19 20|21 22 23 24 25 26 27|"
               "28 29 30 31 . . .";
        QTest::addRow("December 9999 from Saturday")
            << 9999 << 12 << 6
            << ". . . . 1 2 3|4 5 6 7 8 9 10|11 12 13 14 15 16 17|18 19 20 21 22 23 24|"
               "25 26 27 28 29 30 31";
    }

    void dayRows()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, firstDay);
        QFETCH(QString, grid);
        const QStringList lines = CalendarBuilder::lines(::month(year, month, firstDay), english);
        QCOMPARE(dayGrid(lines), grid);
        QStringList expectedNames;
        for (int column = 0; column < 7; ++column)
            expectedNames << english.at((column + firstDay) % 7);
        QCOMPARE(headingNames(lines), expectedNames);
    }

    void dayNames_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("firstDay");
        QTest::addColumn<QStringList>("heading");
        const QLocale c(QLocale::C);
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::addRow("C from Sunday")
            << c << 0 << QStringList { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
        QTest::addRow("C from Monday")
            << c << 1 << QStringList { "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun" };
        QTest::addRow("German from Sunday")
            << german << 0 << QStringList { "So.", "Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa." };
        QTest::addRow("German from Saturday")
            << german << 6 << QStringList { "Sa.", "So.", "Mo.", "Di.", "Mi.", "Do.", "Fr." };
    }

    void dayNames()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, firstDay);
        QFETCH(QStringList, heading);
        const QStringList lines
            = CalendarBuilder::lines(month(1999, 3, firstDay), CalendarBuilder::dayNames(locale));
        QCOMPARE(headingNames(lines), heading);
    }

    void tableTag_data()
    {
        QTest::addColumn<bool>("border");
        QTest::addColumn<QString>("color");
        QTest::addColumn<QString>("alignment");
        QTest::addColumn<QString>("tag");
        QTest::addRow("border off, no colour") << false << ""
                                               << "none"
                                               << "<TABLE >";
        QTest::addRow("border on") << true << ""
                                   << "none"
                                   << "<TABLE BORDER >";
        QTest::addRow("colour and alignment")
            << true << "00FF7F"
            << "center"
            << "<TABLE BORDER  BGCOLOR=\"#00FF7F\" ALIGN=\"center\">";
        QTest::addRow("alignment without border") << false << ""
                                                  << "right"
                                                  << "<TABLE  ALIGN=\"right\">";
        QTest::addRow("a colour short of six digits is left out") << false << "00FF7"
                                                                  << "none"
                                                                  << "<TABLE >";
        QTest::addRow("a colour with a leading # is left out") << false << "#00FF7F"
                                                               << "none"
                                                               << "<TABLE >";
    }

    void tableTag()
    {
        QFETCH(bool, border);
        QFETCH(QString, color);
        QFETCH(QString, alignment);
        QFETCH(QString, tag);
        CalendarOptions options = month(1999, 3);
        options.border = border;
        options.tableColor = color;
        options.tableAlignment = alignment;
        QCOMPARE(CalendarBuilder::lines(options, english).first(), tag);
    }

    void plainCalendarStart()
    {
        const QStringList lines = CalendarBuilder::lines(month(1999, 3), english);
        const QStringList head = {
            "<TABLE BORDER >",
            "<TR VALIGN=\"top\">",
            "    <TH COLSPAN=\"7\" ALIGN=\"CENTER\">",
            "    March 1999",
            "    </TH>",
            "</TR>",
            "<TR VALIGN=\"top\"> ",
            "    <TH width=\"14%\">",
            "    Sun",
            "    </TH>",
        };
        QCOMPARE(lines.mid(0, head.size()), head);
        // 1 March 1999 was a Monday: an empty first cell, then the first day.
        const qsizetype firstDayRow = lines.indexOf("<TR VALIGN=\"top\"> ", head.size());
        QCOMPARE(lines.mid(firstDayRow, 6),
                 QStringList({ "<TR VALIGN=\"top\"> ", "    <TD>", "    </TD>", "    <TD>", "    1",
                               "    </TD>" }));
        QCOMPARE(lines.last(), QStringLiteral("</TABLE>"));
    }

    void everyOption()
    {
        CalendarOptions options = month(1999, 3, 1);
        options.date.day = 7;
        options.links = true;
        options.tableAlignment = QStringLiteral("left");
        options.dateAlignment = QStringLiteral("center");
        options.headingColor = QStringLiteral("FF0000");
        options.tableColor = QStringLiteral("00FF00");
        options.textColor = QStringLiteral("0000FF");
        options.border = false;
        options.rowHeight = 40;
        const QStringList lines = CalendarBuilder::lines(options, english);
        const QStringList head = {
            "<A NAME=\"TOP_OF_CALENDAR\"></A>",
            "<FONT COLOR=\"#0000FF\">",
            "<TABLE  BGCOLOR=\"#00FF00\" ALIGN=\"left\">",
            "<TR VALIGN=\"top\">",
            "    <TH COLSPAN=\"7\" ALIGN=\"CENTER\" BGCOLOR=\"#FF0000\">",
            "    March 1999",
            "    </TH>",
            "</TR>",
            "<TR VALIGN=\"top\"> ",
            "    <TH width=\"14%\" height=\"40\" ALIGN=\"center\">",
            "    Mon",
            "    </TH>",
            "    <TH width=\"14%\" ALIGN=\"center\">",
            "    Tue",
            "    </TH>",
        };
        QCOMPARE(lines.mid(0, head.size()), head);
        // From Monday, 1 March 1999 opens the first day row, linked to its anchor.
        const qsizetype dayRow = lines.indexOf("<TR VALIGN=\"top\"> ", head.size());
        QCOMPARE(lines.mid(dayRow, 7),
                 QStringList({ "<TR VALIGN=\"top\"> ", "    <TD height=\"40\" ALIGN=\"center\">",
                               "    <A HREF=\"#March_1999_1\">1</A>", "    </TD>",
                               "    <TD ALIGN=\"center\">", "    <A HREF=\"#March_1999_2\">2</A>",
                               "    </TD>" }));
        const qsizetype tableEnd = lines.indexOf("</TABLE>");
        QCOMPARE(lines.mid(tableEnd, 5),
                 QStringList({ "</TABLE>", "</FONT>", "<BR>",
                               "<A NAME=\"March_1999_1\">March 1, 1999</A> <A "
                               "HREF=\"#TOP_OF_CALENDAR\">Go Back</A><BR>",
                               "" }));
        // One anchor per day of the month, the last at the end.
        QCOMPARE(lines.size() - tableEnd - 2, 31 * 3);
        QCOMPARE(lines.at(lines.size() - 2),
                 QStringLiteral("<A NAME=\"March_1999_31\">March 31, 1999</A> <A "
                                "HREF=\"#TOP_OF_CALENDAR\">Go Back</A><BR>"));
        QVERIFY(lines.contains("    <A HREF=\"#March_1999_7\">7</A>"));
    }

    void stepMonth_data()
    {
        QTest::addColumn<CalendarDate>("from");
        QTest::addColumn<int>("delta");
        QTest::addColumn<CalendarDate>("to");
        QTest::addRow("31 January to a common February")
            << CalendarDate { 2023, 1, 31 } << 1 << CalendarDate { 2023, 2, 28 };
        QTest::addRow("31 January to a leap February")
            << CalendarDate { 2024, 1, 31 } << 1 << CalendarDate { 2024, 2, 29 };
        QTest::addRow("31 March back to February 1900")
            << CalendarDate { 1900, 3, 31 } << -1 << CalendarDate { 1900, 2, 28 };
        QTest::addRow("December into the next year")
            << CalendarDate { 2023, 12, 15 } << 1 << CalendarDate { 2024, 1, 15 };
        QTest::addRow("January into the year before")
            << CalendarDate { 2000, 1, 5 } << -1 << CalendarDate { 1999, 12, 5 };
        QTest::addRow("before year 1 nothing changes")
            << CalendarDate { 1, 1, 10 } << -1 << CalendarDate { 1, 1, 10 };
        QTest::addRow("past year 9999 nothing changes")
            << CalendarDate { 9999, 12, 31 } << 1 << CalendarDate { 9999, 12, 31 };
    }

    void stepMonth()
    {
        QFETCH(CalendarDate, from);
        QFETCH(int, delta);
        QFETCH(CalendarDate, to);
        QCOMPARE(from.stepMonth(delta), to);
    }

    void withYear_data()
    {
        QTest::addColumn<CalendarDate>("from");
        QTest::addColumn<int>("year");
        QTest::addColumn<CalendarDate>("to");
        QTest::addRow("29 February into a common year becomes the 28th")
            << CalendarDate { 2024, 2, 29 } << 2023 << CalendarDate { 2023, 2, 28 };
        QTest::addRow("29 February into 2000 stays")
            << CalendarDate { 2024, 2, 29 } << 2000 << CalendarDate { 2000, 2, 29 };
        QTest::addRow("29 February into 1900 becomes the 28th")
            << CalendarDate { 2024, 2, 29 } << 1900 << CalendarDate { 1900, 2, 28 };
        QTest::addRow("year 0 is ignored")
            << CalendarDate { 2024, 5, 3 } << 0 << CalendarDate { 2024, 5, 3 };
        QTest::addRow("year 10000 is ignored")
            << CalendarDate { 2024, 5, 3 } << 10000 << CalendarDate { 2024, 5, 3 };
    }

    void withYear()
    {
        QFETCH(CalendarDate, from);
        QFETCH(int, year);
        QFETCH(CalendarDate, to);
        QCOMPARE(from.withYear(year), to);
    }

    void colorText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addRow("empty") << "" << true;
        QTest::addRow("upper case") << "FFA07A" << true;
        QTest::addRow("lower case") << "ffa07a" << true;
        QTest::addRow("five digits") << "FFA07" << false;
        QTest::addRow("seven digits") << "FFA07A0" << false;
        QTest::addRow("leading hash") << "#FFA07A" << false;
        QTest::addRow("not hexadecimal") << "GGA07A" << false;
        QTest::addRow("a quote that would break the tag") << "FF\"A07" << false;
    }

    void colorText()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(CalendarBuilder::isColorText(text), valid);
    }
};

QTEST_GUILESS_MAIN(TestCalendarBuilder)
#include "tst_calendarbuilder.moc"
