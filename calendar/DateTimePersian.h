#pragma once

#include <QDateTime>
#include <QString>

// One date of the Persian (Solar Hijri) calendar, with the clock-time
// operations on the time texts ("H:M", standard time) that the database holds.
class DateTimePersian {
public:
    // Today, by the device clock.
    DateTimePersian();
    // The Persian date of `moment`'s local calendar day.
    explicit DateTimePersian(const QDateTime& moment);
    // From a six-digit date key such as 910105; `year` then holds two digits.
    static DateTimePersian initWithPersianDate(const QString& key);

    int year() const { return year_; }
    int month() const { return month_; }
    int day() const { return day_; }
    int dayOfYear() const { return dayOfYear_; }
    void setDayOfYear(int value) { dayOfYear_ = value; }

    // The date key "%d%02d%02d" of year mod 1300, month and day.
    QString getPersianDate() const;
    // "%02d %@": the day and the month's name.
    QString getFullPersianDate() const;
    static QString getMonthName(int index);
    QString getDayOffWeek() const;
    // The time with the summer hour added on days 1 to 185, "%02d:%02d".
    QString formatHour(const QString& time) const;
    // The time moved by `interval` minutes around the clock, "%d:%d".
    QString add(const QString& time, int interval) const;
    QString add(const QString& time, const QString& interval) const;
    QString getHijriDate() const;
    // Today by the platform's Persian calendar, "%d%d%d".
    QString getToday() const;

    // Last day of the summer hour: 30 Shahrivar.
    static constexpr int kLastSummerDay = 185;

private:
    DateTimePersian(int year, int month, int day, int dayOfYear);

    int year_ = 0;
    int month_ = 0;
    int day_ = 0;
    int dayOfYear_ = 0;
};
