#pragma once

#include "MyDB.h"

#include "calendar/EventRules.h"

#include <QDateTime>
#include <QList>

#include <array>
#include <optional>

// The days of the data: each city's times and the events and holidays of
// every day. Dates are date keys. Every city's times come from one place,
// cityTimes(): a province centre's are stored; a place chosen from the
// places of Iran, or a city the user made at coordinates, has its own,
// computed from its coordinates by the engine the shipped times came from;
// a city the user made from a centre has the centre's moved by its minute
// offsets. The main screen, the calendar's "show times" and the
// notifications all read them here.
namespace days {

// The eight times of one day of a city, as the database keeps times
// (standard time, "H:M"): dawn azan, sunrise, noon azan, sunset, evening
// azan, religious midnight, and the next day's dawn azan and sunrise.
struct Times {
    int key = 0;
    std::array<QString, 8> t;
    bool operator==(const Times&) const = default;
};
constexpr int kTimesOfDay = 6;
constexpr int kTimesOnPage = 8;

// The moment of a day's time `index` (0 to 7), stored in standard time: the
// next day's dawn and sunrise (6, 7) on the next day, and religious
// midnight stored earlier than the evening azan (past 00:00) in the night
// after the day. Invalid for a key that is no day or a time not there.
QDateTime momentOf(const Times& day, int index);

// The city's own times on the `count` days from `fromKey` on, in date
// order, as far as the data holds them; an empty list when the city has no times
// (a province, a city whose centre or offsets are missing), nothing when the
// database could not be read.
std::optional<QList<Times>> cityTimes(int cityId, int fromKey, int count);

// A chosen city with its times from `fromKey` on, as cityTimes() gives them.
struct CityDays {
    int cityId = 0;
    QString name;
    QList<Times> days;
};
// The city the notifications follow: the one the user chose for the
// azans (cities::azanCity) when it has times from `fromKey` on, else the
// first chosen city, in the user's order, that has; `name` as it is shown
// alone. An empty `days` when none has; nothing when the database could
// not be read.
std::optional<CityDays> firstWithTimes(int fromKey, int count);

// The day page of every chosen city, last chosen first: "CityID", "Name",
// "Date" (the key), "T1" to "T8" (the city's own times, as cityTimes() gives them) and the
// day's events "Description". A city without times for the day has the
// key kNoTimes instead of the times, holding why: kOutsideData or kNoCityTimes.
RowSet pageRows(int key);
extern const QString kNoTimes;
extern const QString kOutsideData;
extern const QString kNoCityTimes;

// The events of a day, each with its calendar and whether it is a holiday,
// predicted or the user's own; the description with "@" between them (the
// holidays first, as one, their occasions joined with "؛ "), and whether the
// day is a holiday. The events come from the rules of tEventRules, placed
// on the lunar months as they stand now (a month announced otherwise
// included), and the user's reminders by date (store/Reminders.h).
struct DayEvents {
    int key = 0;
    QString description;
    bool holiday = false;
    QList<EventRules::Event> events;
};
// The days from `fromKey` to `toKey`, every one of them; nothing when the
// rules could not be read.
std::optional<QList<DayEvents>> events(int fromKey, int toKey);
// The events and holidays of the month whose first day has the key
// `firstDayKey`, one row per day in date order: "Description",
// "IsHoliday" ("1" or "0"), "Predicted" ("1" when a lunar event of it
// is predicted) and "Own" ("1" when a reminder of the user's is on it).
RowSet monthEvents(int firstDayKey);
// Up to five days with events from `key` on, within the data, for the
// events notice: without the user's reminders, which come at their own
// times; nothing when unreadable.
std::optional<QList<DayEvents>> eventsFrom(int key);

} // namespace days
