#pragma once

#include "SolarDate.h"

#include <QDate>

// The Solar Hijri calendar as Iran keeps it (Qt's Jalali calendar agrees
// with the official one over the years the app serves): month lengths, leap
// years, the Gregorian day of a Persian date and back, weekdays, and the
// years the shipped data covers.
class PersianCalendar {
public:
    static bool isLeapYear(int year);
    static int daysInMonth(int year, int month);
    static int daysInYear(int year);
    static bool isValid(const SolarDate& date);

    static QDate toGregorian(const SolarDate& date);
    static SolarDate fromGregorian(const QDate& date);
    // 1 for 1 Farvardin.
    static int dayOfYear(const SolarDate& date);
    static SolarDate addDays(const SolarDate& date, int days);
    static SolarDate addMonths(const SolarDate& date, int months);

    // The weekday counted the Persian way: 0 Saturday ... 6 Friday.
    static int weekday(const SolarDate& date);

    // The years of the shipped data: 1 Farvardin 1391 to the last day of 1410.
    static constexpr int kFirstYear = 1391;
    static constexpr int kLastYear = 1410;
    static SolarDate firstDataDay();
    static SolarDate lastDataDay();
    static bool inData(const SolarDate& date);

    static constexpr int kMonths = 12;
    static constexpr int kDaysPerWeek = 7;
    static constexpr int kFriday = 6;
};
