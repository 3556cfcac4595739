#pragma once

#include "SolarDate.h"

#include <QString>

#include <optional>

// How the database keys a day: the number "%d%02d%02d" of year − 1300, month
// and day, so 5 Farvardin 1391 is 910105 and 16 Azar 1405 is 1050916. Keys
// are compared as numbers; the last four digits are the month and the day,
// the rest is the year.
class DateKey {
public:
    static int make(const SolarDate& date);
    static QString text(const SolarDate& date);
    static SolarDate read(int key);
    // Nothing for a text that is not a whole positive number.
    static std::optional<SolarDate> read(const QString& key);

    // The date of a user-made city's offsets row: after every day's key.
    static constexpr int kOffsetsSentinel = 14000101;
    static constexpr int kYearBase = 1300;
};
