#pragma once

#include <QDate>

// Prayer times by the method of the Institute of Geophysics, University of
// Tehran, from the sun's apparent place computed with ERFA.
struct PrayerTimes {
    // Hours of the day in the given zone, unrounded; midnight may exceed 24.
    double dawn = 0;      // sun 17.7 degrees below the horizon, morning
    double sunrise = 0;   // upper limb on the horizon (-0.833 degrees)
    double noon = 0;      // transit
    double sunset = 0;    // -0.833 degrees, evening
    double evening = 0;   // 4.5 degrees below the horizon, evening
    double midnight = 0;  // halfway from sunset to the next day's dawn
};

struct Place {
    double latitude = 0;   // degrees north
    double longitude = 0;  // degrees east
};

constexpr double kIranStandardZone = 3.5;

PrayerTimes computePrayerTimes(const QDate& date, const Place& place, double zoneHours = kIranStandardZone);

// Hours rounded to the nearest minute, as "H:MM" around the clock.
QString formatClock(double hours);
