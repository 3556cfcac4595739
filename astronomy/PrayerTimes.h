#pragma once

#include <QDate>
#include <QString>

#include <array>

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

// Hours rounded to the nearest minute, around the clock: the minutes since
// midnight, and as "H:MM" (the database's text, which the builder writes).
int minutesOfDay(double hours);
QString formatClock(double hours);

// The day's six times: dawn azan, sunrise, noon azan, sunset, evening azan
// and religious midnight, in Iran standard time, rounded to the minute; as
// minutes since midnight, and as the database keeps them ("H:MM"). The
// shipped centres' times are these, and so are every other place's: there
// is no second way to a time.
std::array<int, 6> storedMinutes(const QDate& date, const Place& place);
std::array<QString, 6> storedTimes(const QDate& date, const Place& place);

// The sun's apparent place, sampled every six hours from 0h UT of 1 January
// 2000 (sample 0): what every time of every place is interpolated from. A
// sample takes a tenth of a millisecond to compute; the builder stores the
// samples of the data's years, and the app hands them back before it asks
// for a place's times, so that a new place costs microseconds. The same
// numbers give the same times.
struct SunSample {
    double rightAscension;  // radians, true equator and equinox of date
    double declination;     // radians
    double siderealLead;    // apparent sidereal time minus the earth rotation angle, radians
};
constexpr double kSunSampleDays = 0.25;
// The sample at 0h UT of the date.
long sunSampleIndex(const QDate& date);
// Sample k, as known or computed now.
SunSample sunSample(long k);
void knowSunSample(long k, const SunSample& sample);
bool knowsSunSample(long k);
// The samples a day's times may read lie this far around it.
constexpr long kSunSamplesBefore = 2;
constexpr long kSunSamplesAfter = 10;
