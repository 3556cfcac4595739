#pragma once

#include "MyDB.h"

#include "calendar/DayTimes.h"
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

// The eight times of one day of a city, read from the store's text once:
// dawn azan, sunrise, noon azan, sunset, evening azan, religious midnight,
// and the next day's dawn azan and sunrise, each placed on its moment by
// DayTimes::moment().
using Times = DayTimes;

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
    bool operator==(const DayEvents&) const = default;
};

// The day page of a chosen city: its times of the day, or why it has none,
// and the day's events.
struct Page {
    enum class NoTimes { None, OutsideData, NoCityTimes };
    int cityId = 0;
    QString name;
    int key = 0;
    std::optional<Times> times;
    NoTimes noTimes = NoTimes::None;
    DayEvents events;
    bool operator==(const Page&) const = default;
};
// The day page of every chosen city, last chosen first; nothing when the
// database could not be read (which is not the same as no city chosen).
std::optional<QList<Page>> pages(int key);
// The days from `fromKey` to `toKey`, every one of them; nothing when the
// rules could not be read.
std::optional<QList<DayEvents>> events(int fromKey, int toKey);
// The rules of the occasions of the kinds the user shows, with the user's
// reminders by date as their own: what events() places, for a search over
// many years; nothing when they could not be read.
std::optional<EventRules> shownRules();
// Up to five days with events from `key` on, within the data, for the
// events notice: without the user's reminders, which come at their own
// times; nothing when unreadable.
std::optional<QList<DayEvents>> eventsFrom(int key);

} // namespace days
