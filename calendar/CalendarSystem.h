#pragma once

#include <QDate>
#include <QString>

// The three calendars a Persian reader counts days in, behind one face:
// a day's year, month and day in each, the length of a month, the names of
// the months, and back to the day. The Persian and the Gregorian calendar
// are arithmetic and serve any year; the lunar one is HijriDates'.
class CalendarSystem {
public:
    enum class Kind { Solar = 0, Gregorian = 1, Hijri = 2 };
    static constexpr int kKinds = 3;
    static constexpr int kMonths = 12;
    // The years a date may be given in, in any of them.
    static constexpr int kFirstYear = 1;
    static constexpr int kLastYear = 9999;

    struct Parts {
        int year = 0;
        int month = 0;
        int day = 0;
        bool operator==(const Parts&) const = default;
    };

    // Day 0 where the calendar has no such day (before the Hijra).
    static Parts partsOf(const QDate& day, Kind kind);
    // Invalid for a day the calendar does not have.
    static QDate toGregorian(Kind kind, const Parts& parts);
    // 0 for a month it does not have.
    static int daysInMonth(Kind kind, int year, int month);
    // The month `months` after (or before) `parts`' month, its day kept
    // or, past the month's end, its last day.
    static Parts addMonths(Kind kind, const Parts& parts, int months);

    // "آذر", "دسامبر", "جمادی‌الثانی"; empty outside 1 to 12.
    static QString monthName(Kind kind, int month);
    // "17 آذر 1405" (Western digits: the screens turn them).
    static QString text(Kind kind, const Parts& parts);
    // "شمسی", "میلادی", "قمری".
    static QString name(Kind kind);
};
