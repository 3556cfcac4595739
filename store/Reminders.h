#pragma once

#include "calendar/ClockTime.h"
#include "calendar/EventRules.h"

#include <QList>
#include <QString>

#include <optional>

// The user's own reminders, kept in the user's preferences (tPreferences),
// which every upgrade and repair of the copy carries over:
//   "Reminder:<id>"      a reminder before or after one of the day's times
//   "DateReminder:<id>"  a reminder of the user's own on a date
// each a JSON object. One that cannot be read is left out, said in the log.
namespace reminders {

// The day's times a reminder can count from, as the day page lists them.
enum class DayTime { Dawn = 0, Sunrise, Noon, Sunset, Evening, Midnight };
constexpr int kDayTimes = 6;
constexpr int kMaxMinutes = 120;

// "اذان صبح", "طلوع آفتاب", ...
QString dayTimeName(DayTime time);

struct TimeReminder {
    int id = 0;
    DayTime time = DayTime::Noon;
    // Minutes from the time: negative before it, positive after, 0 at it;
    // at most kMaxMinutes either way.
    int minutes = -20;
    // The days it comes on, as Qt numbers them (1 Monday ... 7 Sunday);
    // empty for every day.
    QList<int> weekdays;
    bool ramadanOnly = false;

    bool comesOn(int dayOfWeek) const { return weekdays.isEmpty() || weekdays.contains(dayOfWeek); }
    // "۲۰ دقیقه پیش از اذان ظهر، جمعه‌ها" as the list of reminders shows it.
    QString summary() const;
    bool operator==(const TimeReminder&) const = default;
};

struct DateReminder {
    enum class Repeat { Once = 0, YearlyPersian, MonthlyPersian, YearlyHijri };
    int id = 0;
    Repeat repeat = Repeat::YearlyPersian;
    // A Solar Hijri date, or for YearlyHijri a lunar one; the year counts
    // for Once only, the month not for MonthlyPersian.
    int year = 0;
    int month = 1;
    int day = 1;
    QString text;
    ClockTime time{8, 0};

    // The rule that places it on the days, as the user's own event: a day
    // the month lacks moves to the month's last day.
    EventRules::Rule rule() const;
    // The days from `first` to `last` it comes on, as the calendar places it.
    QList<QDate> days(const QDate& first, const QDate& last) const;
    // "هر سال ۱۴ مهر" and the like.
    QString summary() const;
    bool operator==(const DateReminder&) const = default;
};

// As stored, in the order they were made; nothing when unreadable.
std::optional<QList<TimeReminder>> timeReminders();
std::optional<QList<DateReminder>> dateReminders();
// Stores it (a new id for id 0, set on it); false when it was not.
bool save(TimeReminder& reminder);
bool save(DateReminder& reminder);
bool removeTimeReminder(int id);
bool removeDateReminder(int id);

// The text form of one, as stored (and read back: nothing for a text that
// is not one).
QString toText(const TimeReminder& reminder);
QString toText(const DateReminder& reminder);
std::optional<TimeReminder> timeReminderFrom(const QString& text);
std::optional<DateReminder> dateReminderFrom(const QString& text);

} // namespace reminders
