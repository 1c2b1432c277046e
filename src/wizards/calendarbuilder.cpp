// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizards/calendarbuilder.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <array>

namespace Tarnwick {

namespace {

constexpr std::array<const char *, 12> monthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};

QString quoted(const char *attribute, const QString &value)
{
    return QLatin1Char(' ') + QLatin1String(attribute) + QStringLiteral("=\"") + value
        + QLatin1Char('"');
}

bool given(const QString &alignment)
{
    return !alignment.isEmpty() && alignment != QLatin1String("none");
}

// A colour only when it can go into the markup as it stands.
bool usable(const QString &color)
{
    return !color.isEmpty() && CalendarBuilder::isColorText(color);
}

} // namespace

CalendarDate CalendarDate::stepMonth(int delta) const
{
    const int index = (year * 12 + month - 1) + delta;
    const int newYear = index / 12;
    if (index < 0 || newYear < CalendarBuilder::minYear || newYear > CalendarBuilder::maxYear)
        return *this;
    CalendarDate result { newYear, index % 12 + 1, day };
    result.day = std::min(day, CalendarBuilder::daysInMonth(result.year, result.month));
    return result;
}

CalendarDate CalendarDate::withYear(int newYear) const
{
    if (newYear < CalendarBuilder::minYear || newYear > CalendarBuilder::maxYear)
        return *this;
    return { newYear, month, std::min(day, CalendarBuilder::daysInMonth(newYear, month)) };
}

bool CalendarBuilder::isLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int CalendarBuilder::daysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> days = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

int CalendarBuilder::firstWeekday(int year, int month)
{
    // Qt counts Monday 1 .. Sunday 7.
    return QDate(year, month, 1).dayOfWeek() % 7 + 1;
}

int CalendarBuilder::monthOffset(int year, int month, int firstDayOfWeek)
{
    const int a = (firstWeekday(year, month) - firstDayOfWeek + 7) % 7;
    return a == 0 ? -5 : 2 - a;
}

int CalendarBuilder::dayAt(const CalendarOptions &options, int row, int column)
{
    const CalendarDate &date = options.date;
    const int n
        = monthOffset(date.year, date.month, options.firstDayOfWeek) + column + (row - 1) * 7;
    return n < 1 || n > daysInMonth(date.year, date.month) ? 0 : n;
}

QString CalendarBuilder::monthName(int month)
{
    return month >= 1 && month <= 12 ? QLatin1String(monthNames[month - 1]) : QString();
}

QStringList CalendarBuilder::dayNames(const QLocale &locale)
{
    QStringList names;
    for (int day = 0; day < 7; ++day)
        names << locale.dayName(day == 0 ? 7 : day, QLocale::ShortFormat);
    return names;
}

bool CalendarBuilder::isColorText(const QString &text)
{
    if (text.isEmpty())
        return true;
    if (text.size() != 6)
        return false;
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    });
}

QStringList CalendarBuilder::lines(const CalendarOptions &options, const QStringList &dayNames)
{
    const CalendarDate &date = options.date;
    const QString month = monthName(date.month);
    const QString year = QString::number(date.year);
    const QString indent = QStringLiteral("    ");
    QStringList out;

    if (options.links)
        out << QStringLiteral("<A NAME=\"TOP_OF_CALENDAR\"></A>");
    const bool textColor = usable(options.textColor);
    if (textColor)
        out << QStringLiteral("<FONT COLOR=\"#") + options.textColor + QStringLiteral("\">");

    QString table = QStringLiteral("<TABLE ");
    if (options.border)
        table += QStringLiteral("BORDER ");
    if (usable(options.tableColor))
        table += quoted("BGCOLOR", QLatin1Char('#') + options.tableColor);
    if (given(options.tableAlignment))
        table += quoted("ALIGN", options.tableAlignment);
    out << table + QLatin1Char('>');

    QString heading = QStringLiteral("    <TH COLSPAN=\"7\" ALIGN=\"CENTER\"");
    if (usable(options.headingColor))
        heading += quoted("BGCOLOR", QLatin1Char('#') + options.headingColor);
    out << QStringLiteral("<TR VALIGN=\"top\">") << heading + QLatin1Char('>')
        << indent + month + QLatin1Char(' ') + year << QStringLiteral("    </TH>")
        << QStringLiteral("</TR>");

    for (int row = 0; row <= 6; ++row) {
        if (row == 6 && dayAt(options, 6, 0) == 0)
            break;
        out << QStringLiteral("<TR VALIGN=\"top\"> ");
        for (int column = 0; column < 7; ++column) {
            QString open
                = row == 0 ? QStringLiteral("    <TH width=\"14%\"") : QStringLiteral("    <TD");
            if (column == 0 && options.rowHeight > 0)
                open += quoted("height", QString::number(options.rowHeight));
            if (given(options.dateAlignment))
                open += quoted("ALIGN", options.dateAlignment);
            out << open + QLatin1Char('>');
            if (row == 0) {
                out << indent + dayNames.value((column + options.firstDayOfWeek) % 7);
            } else if (const int day = dayAt(options, row, column); day > 0) {
                const QString d = QString::number(day);
                QString cell = d;
                if (options.links)
                    cell = QStringLiteral("<A HREF=\"#") + month + QLatin1Char('_') + year
                        + QLatin1Char('_') + d + QStringLiteral("\">") + d + QStringLiteral("</A>");
                out << indent + cell;
            }
            out << (row == 0 ? QStringLiteral("    </TH>") : QStringLiteral("    </TD>"));
        }
        out << QStringLiteral("</TR>");
    }

    out << QStringLiteral("</TABLE>");
    if (textColor)
        out << QStringLiteral("</FONT>");

    if (options.links) {
        for (int day = 1; day <= daysInMonth(date.year, date.month); ++day) {
            const QString d = QString::number(day);
            out << QStringLiteral("<BR>")
                << QStringLiteral("<A NAME=\"") + month + QLatin1Char('_') + year + QLatin1Char('_')
                    + d + QStringLiteral("\">") + month + QLatin1Char(' ') + d
                    + QStringLiteral(", ") + year
                    + QStringLiteral("</A> <A HREF=\"#TOP_OF_CALENDAR\">Go Back</A><BR>")
                << QString();
        }
    }
    return out;
}

} // namespace Tarnwick
