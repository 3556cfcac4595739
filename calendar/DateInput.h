#pragma once

#include "CalendarSystem.h"

#include <QDate>
#include <QString>

// A date as a person types it, in one of the three calendars: year, month
// and day in digits of any shape, with any marks between them
// ("۱۴۰۵/۹/۱۷", "2026-12-08"), the day first when the year comes last
// ("8/12/2026"), or the month by its name ("17 آذر 1405", "8 December
// 2026"), which names its calendar too. A date the calendar does not have
// is refused with the reason.
class DateInput {
public:
    struct Read {
        // Invalid when the text is not a day.
        QDate day;
        // Why not, for the user (Western digits: the screens turn them).
        QString error;
        // The calendar it was read in: the one asked for, or the one whose
        // month it names.
        CalendarSystem::Kind kind = CalendarSystem::Kind::Solar;
    };
    static Read read(const QString& text, CalendarSystem::Kind kind);

    // "1405/9/17", as the converter's field starts; a year of fewer than
    // kYearDigits digits padded with zeros ("026/1/8").
    static QString write(const QDate& day, CalendarSystem::Kind kind);

    // A year given with fewer digits is taken for a day or a month.
    static constexpr int kYearDigits = 3;
};
