#pragma once

#include "ClockTime.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

// The eight times of a day page, in their order: the day's dawn azan,
// sunrise, noon azan, sunset, evening azan and religious midnight, then the
// next day's dawn azan and sunrise.
enum class DayTime { Dawn = 0, Sunrise, Noon, Sunset, Evening, Midnight, NextDawn, NextSunrise };
constexpr int kTimesOfDay = 6;
constexpr int kTimesOnPage = 8;

// What the day page calls each time: "اذان صبح", ... "طلوع آفتاب فردا";
// the one table of the times' names.
QString dayTimeName(DayTime time);
// The short form a row of buttons has room for: "صبح", "طلوع", ...
QString dayTimeShortName(DayTime time);
// The day's own time that a time of the next day is: NextDawn is a Dawn.
DayTime ofTheDay(DayTime time);

// One day's times as the store keeps them (standard time, UTC+3:30), and
// the moment each falls on. A time the store does not have is none.
struct DayTimes {
    int key = 0;  // the day's date key
    std::array<std::optional<ClockTime>, kTimesOnPage> stored{};

    const std::optional<ClockTime>& at(DayTime time) const { return stored[static_cast<size_t>(time)]; }
    void set(DayTime time, const std::optional<ClockTime>& value) { stored[static_cast<size_t>(time)] = value; }
    // The moment a time falls on (Iran's clock gives it its clock time):
    // the next day's dawn and sunrise on the next day, and a religious
    // midnight stored earlier than the evening azan (past 00:00) in the
    // night after the day. Invalid for a key that is no day or a time the
    // store does not have. The one place that says where a time falls.
    QDateTime moment(DayTime time) const;
    // The clock time it shows on Iran's official clock, "%02d:%02d"
    // (Western digits); empty for none.
    QString shown(DayTime time) const;

    bool operator==(const DayTimes&) const = default;
};
