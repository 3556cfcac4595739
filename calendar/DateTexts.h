#pragma once

#include "LunarCalendar.h"
#include "SolarDate.h"

#include <QDate>
#include <QString>

// A day as a Persian reader writes it in each of the three calendars, with
// Western digits (the screens draw them in Persian shapes): "سه‌شنبه 17
// آذر 1405", "27 جمادی‌الثانی 1448", "8 دسامبر 2026". Days and months are
// not padded with zeros.
class DateTexts {
public:
    static QString solar(const SolarDate& date);
    // Without the weekday: "17 آذر 1405".
    static QString solarDay(const SolarDate& date);
    static QString hijri(const QDate& date);
    static QString gregorian(const QDate& date);
    // The weekday, Saturday first: "سه‌شنبه".
    static QString weekday(const QDate& date);
    static QString gregorianMonthName(int month);
};
