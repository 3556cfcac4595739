#pragma once

#include <compare>

// A day of the Solar Hijri calendar: the full year (1391), the month (1 is
// Farvardin) and the day of the month.
struct SolarDate {
    int year = 0;
    int month = 0;
    int day = 0;

    auto operator<=>(const SolarDate&) const = default;
};
