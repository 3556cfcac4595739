#pragma once

#include "MyDB.h"

#include <optional>

// The days of the data: each centre's times with the next day's dawn and
// sunrise, and the events and holidays of every day. Dates are date keys.
namespace days {

// The day row of the city whose times are stored under `stateId` (its own
// or its centre's): its name, T1 to T8 and the day's events; nothing when
// the date has no data.
std::optional<Row> dayRow(int stateId, int key);
// The day rows of every chosen city at once, last chosen first, as
// chosenForPages() and dayRow() give them city by city: the chosen city's
// own StateID ("CityID"), name ("CityName") and flag ("CityIsCenter"), the
// day row of the StateID whose times serve it, and for a city that is not a
// centre its offsets row ("OffsetsDate", "O1" to "O6"; empty without one).
// A city whose times have no row for the day is left out. One query.
RowSet pageRows(int key);

// The events and holidays of the month whose first day has the key
// `firstDayKey`, one row per day in date order.
RowSet monthEvents(int firstDayKey);
// Up to five rows of stored times from `key` on, for the city and its
// centre (a user-made city's offsets row sorts first), with the columns the
// notifications use: "0" T1, "1" T3, "2" T5, "3" T2, "4" T1, "5" T5.
// Nothing when they could not be read.
std::optional<RowSet> timesFrom(int key, int ownId, int centreId);
// Up to five days with events from `key` on; nothing when unreadable.
std::optional<RowSet> eventsFrom(int key);

} // namespace days
