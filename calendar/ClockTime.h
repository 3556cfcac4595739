#pragma once

#include <QString>

#include <optional>

// A clock time as the database and the settings write it: hours and minutes
// separated by ":", with or without leading zeros ("4:05", "04:5", "21:05").
// This is the one place that reads such texts.
struct ClockTime {
    int hour = 0;
    int minute = 0;

    // Lenient, as stored times are read: a missing or non-numeric piece is 0.
    static ClockTime read(const QString& text);
    // Strict, as a setting is checked: exactly "H:M" with an hour 0-23 and a
    // minute 0-59, else nothing.
    static std::optional<ClockTime> readStrict(const QString& text);

    // "%02d:%02d"
    QString padded() const;
    // Minutes since midnight.
    int minutes() const { return hour * 60 + minute; }
    // `minutes` past midnight, around the clock.
    static ClockTime fromMinutes(int minutes);
    // A stored time moved by `minutes` around the clock, written "%d:%d"
    // (no leading zeros), as a user-made city's times are kept.
    static QString shift(const QString& time, int minutes);

    bool operator==(const ClockTime&) const = default;

    static constexpr int kMinutesPerDay = 24 * 60;
};
