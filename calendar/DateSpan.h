#pragma once

#include "CalendarSystem.h"

#include <QDate>
#include <QString>

#include <algorithm>
#include <cstdlib>

// How far one day lies from another, as people say it: in days, in weeks
// and days, and in years, months and days of a calendar (as an age is
// told), a month from a day to the same day of the next month, or to its
// last day where that month is shorter.
struct DateSpan {
    // From the first day to the second: negative when the second is earlier.
    int days = 0;
    // The rest counts the distance, whichever day is earlier.
    int years = 0;
    int months = 0;
    int monthDays = 0;

    static DateSpan between(const QDate& from, const QDate& to, CalendarSystem::Kind kind);

    int weeks() const { return std::abs(days) / kDaysPerWeek; }
    int weekDays() const { return std::abs(days) % kDaysPerWeek; }
    // The days that lie strictly between the two, and counting both.
    int daysBetween() const { return std::max(0, std::abs(days) - 1); }
    int daysCountingBoth() const { return std::abs(days) + 1; }

    // "8 ماه و 16 روز", "37 هفته و 3 روز" (Western digits); empty parts
    // left out, "0 روز" for none.
    QString yearsMonthsDays() const;
    QString weeksAndDays() const;

    static constexpr int kDaysPerWeek = 7;
};
