#pragma once

#include "LunarCalendar.h"

#include <QDate>
#include <QString>

// The lunar date of any day, and the day of any lunar date: within the
// months LunarCalendar knows (the table, the official calendar, the user's
// word, the prediction, and the tabular months it joins to them), as it
// has them; before and after them, the tabular Islamic calendar, each
// month 29 or 30 days after its neighbour, so that the seam loses or
// repeats no day. The day page, the calendar's cells and the converter
// read it here.
class HijriDates {
public:
    using Source = LunarCalendar::Source;

    struct Dated {
        // Day 0 before 1 Muharram of the first Hijri year.
        HijriDate date;
        Source source = Source::Tabular;
    };
    static Dated of(const QDate& day);
    // Invalid for a day the month does not have, or before the first year.
    static QDate toGregorian(const HijriDate& date);
    // 29 or 30; 0 for a month before the first year.
    static int monthLength(int year, int month);

    // "مشاهدهٔ ماه", "تقویم رسمی", ...: where a month's first day comes from,
    // as the converter says it.
    static QString sourceName(Source source);
};
