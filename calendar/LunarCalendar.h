#pragma once

#include <QDate>
#include <QList>
#include <QString>

// A day of the Islamic lunar calendar.
struct HijriDate {
    int year = 0;
    int month = 0;  // 1 Muharram ... 12 Dhu al-Hijja
    int day = 0;

    bool operator==(const HijriDate&) const = default;
};

// The lunar months as observed in Iran: the table of their first days
// (resources/data/lunar-months.tsv, built into the app), and after its last
// month the tabular Islamic calendar, kept to months of 29 or 30 days.
class LunarCalendar {
public:
    // The lunar date of a day; day 0 before the table's first month.
    static HijriDate fromGregorian(const QDate& date);
    // The first day of a lunar month; invalid outside the months known.
    static QDate firstDay(int year, int month);
    static int monthLength(int year, int month);
    // 1 to 29 or 30 on the days of Ramadan, else 0.
    static int ramadanDay(const QDate& date);

    // The last day that the observed table covers.
    static QDate lastObservedDay();

    // Replaces the table (tests); an empty text brings back the built-in one.
    static void setTable(const QString& tsv);

    static constexpr int kRamadan = 9;
    static constexpr int kMonths = 12;
};
