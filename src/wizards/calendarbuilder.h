// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QLocale;

namespace Tarnwick {

// The month a calendar shows: year 1..9999, month 1..12, and the day kept
// while stepping, always a day the month has.
struct CalendarDate
{
    int year = 2000;
    int month = 1;
    int day = 1;

    // A month back or ahead; the day is cut to the new month's last day.
    // Past January of year 1 or December of year 9999 nothing changes.
    CalendarDate stepMonth(int delta) const;
    // The same month and day in another year (29 February becomes the 28th in
    // a common year); years outside 1..9999 change nothing.
    CalendarDate withYear(int newYear) const;

    friend bool operator==(const CalendarDate &, const CalendarDate &) = default;
};

struct CalendarOptions
{
    CalendarDate date;
    int firstDayOfWeek = 0; // 0 Sunday .. 6 Saturday
    bool links = false;
    QString tableAlignment = QStringLiteral("none"); // "none", "left", "center", "right"
    QString dateAlignment = QStringLiteral("none");
    QString headingColor; // six hex digits or empty
    QString tableColor;
    QString textColor;
    bool border = true;
    int rowHeight = 0; // 0: not written
};

// One month as an HTML table, with optional per-day anchors below it.
class CalendarBuilder
{
public:
    static constexpr int minYear = 1;
    static constexpr int maxYear = 9999;

    static bool isLeapYear(int year);
    static int daysInMonth(int year, int month);
    // 1 for Sunday .. 7 for Saturday.
    static int firstWeekday(int year, int month);
    // The number the first cell of row 1 would show (1 or less).
    static int monthOffset(int year, int month, int firstDayOfWeek);
    // The day in row 1..6, column 0..6; 0 for an empty cell.
    static int dayAt(const CalendarOptions &options, int row, int column);

    // "January" .. "December", whatever the system language.
    static QString monthName(int month);
    // The locale's abbreviated day names, Sunday first.
    static QStringList dayNames(const QLocale &locale);

    // Empty or six hexadecimal digits.
    static bool isColorText(const QString &text);

    // The calendar's lines. dayNames are seven abbreviations, Sunday first.
    // A colour that is not six hex digits is left out rather than written
    // into the markup.
    static QStringList lines(const CalendarOptions &options, const QStringList &dayNames);
};

} // namespace Tarnwick
