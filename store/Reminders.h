#pragma once

#include "Settings.h"

#include "calendar/ClockTime.h"
#include "calendar/DayTimes.h"
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

// What a reminder counts from: one of the day's six times, as the day
// page lists them, or the moments the sun stands in line with the Qibla
// (facing it, or with it behind so that a shadow points the way), which a
// reminder comes before or at, not after.
enum class DayTime { Dawn = 0, Sunrise, Noon, Sunset, Evening, Midnight, SunQibla };
constexpr int kDayTimes = 7;
constexpr int kMaxMinutes = 120;
// The longest text of a reminder on a date, as its form takes it.
constexpr int kMaxText = 120;
constexpr bool comesAfter(DayTime time) { return time != DayTime::SunQibla; }

// "اذان صبح", "طلوع آفتاب", ... (the day page's names), "خورشید در راستای قبله".
QString dayTimeName(DayTime time);
// The day page's time a reminder counts from (none for the sun's moments).
::DayTime timeOfDay(DayTime time);
// The sun-Qibla moment by its kind: "خورشید در راستای قبله", or with the
// sun behind, "سایه در راستای قبله".
QString sunQiblaName(bool behind);

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
    ClockTime time = Settings::kDefaultEventsTime;

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

// A sentence for the user when rows were left out because they could not
// be read and it has not been said of them yet: "یک یادآوری خوانده نشد و
// کنار گذاشته شد."; nothing otherwise.
std::optional<QString> takeLeftOut();

} // namespace reminders
