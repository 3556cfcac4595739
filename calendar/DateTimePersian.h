#pragma once

#include "SolarDate.h"

#include <QDateTime>
#include <QString>

// One date of the Persian (Solar Hijri) calendar, with the clock-time
// operations on the time texts ("H:M", standard time) that the database holds.
class DateTimePersian {
public:
    // Today, by the device clock.
    DateTimePersian();
    // The Persian date of the moment's calendar day, as the moment is
    // expressed (the device clock gives moments in the device's zone).
    explicit DateTimePersian(const QDateTime& moment);
    explicit DateTimePersian(const SolarDate& date);
    // From a date key such as 910105 or 1050916; `year` then holds the key's
    // year digits (91, 105).
    static DateTimePersian initWithPersianDate(const QString& key);

    int year() const { return year_; }
    int month() const { return month_; }
    int day() const { return day_; }
    int dayOfYear() const { return dayOfYear_; }
    void setDayOfYear(int value) { dayOfYear_ = value; }

    // The full year (1391) whichever way the date was made.
    int fullYear() const;
    SolarDate date() const { return {fullYear(), month_, day_}; }
    // The Gregorian day that the day of the year stands for: setDayOfYear()
    // moves it (and with it formatHour, getDayOffWeek and getHijriDate).
    QDate gregorian() const;

    // The date key "%d%02d%02d" of year − 1300, month and day.
    QString getPersianDate() const;
    // "%02d %@": the day and the month's name.
    QString getFullPersianDate() const;
    static QString getMonthName(int index);
    QString getDayOffWeek() const;
    // A stored (standard) time as Iran's official clock shows it on this
    // day, "%02d:%02d".
    QString formatHour(const QString& time) const;
    // The time moved by `interval` minutes around the clock, "%d:%d".
    QString add(const QString& time, int interval) const;
    QString add(const QString& time, const QString& interval) const;
    // "%d رمضان" on the days of Ramadan, else "".
    QString getHijriDate() const;
    // Today by the platform's Persian calendar, "%d%d%d".
    QString getToday() const;

private:
    DateTimePersian(int year, int month, int day, int dayOfYear);

    int year_ = 0;
    int month_ = 0;
    int day_ = 0;
    int dayOfYear_ = 0;
};
