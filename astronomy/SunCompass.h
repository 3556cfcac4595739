#pragma once

#include "PrayerTimes.h"

#include <QDate>
#include <QDateTime>
#include <QList>

// The sun as a compass: where the engine's sun stands seen from a place,
// the moments it stands in a given direction, and the days it passes
// overhead. Azimuths are degrees from true north toward the east; moments
// are instants in UTC, to the second.
namespace astronomy {

struct SunDirection {
    double azimuth = 0;   // [0, 360)
    double altitude = 0;  // of the centre, degrees, without refraction
};

// The sun's centre, as the prayer times place it, seen from `place`.
SunDirection sunDirection(const QDateTime& moment, const Place& place);

// The centre above the altitude of sunrise and sunset (-0.833 degrees,
// the upper limb on the horizon with refraction): the sun is up.
bool isUp(const SunDirection& sun);

struct CompassMoment {
    QDateTime moment;
    // False: the sun stands at the azimuth (face it, and one faces that
    // way). True: it stands opposite, so that a shadow points that way.
    bool behind = false;
};

// The moments of `date` (its 24 hours on Iran standard time) at which the
// sun, up, stands at `azimuth` or opposite it, in time order: none, one or
// two. The sun's vertical plane turns through a direction at most twice a
// day.
QList<CompassMoment> sunOnAzimuth(const QDate& date, const Place& place, double azimuth);

// The sun's way over `date` from sunrise to sunset: sunrise, then every
// `stepMinutes`, then sunset. Empty for a step below one minute.
QList<SunDirection> sunPath(const QDate& date, const Place& place, int stepMinutes);

struct Overhead {
    QDateTime moment;         // the transit
    double zenithDistance = 0;  // degrees, at the transit
};

// The days of the Gregorian `year` on which the sun passes (nearest)
// overhead at `place`: on each, its transit there. Two for a place between
// the tropics, none beyond them.
QList<Overhead> overheadTransits(int year, const Place& place);

// Julian date (UT) of an instant, and back.
double julianDate(const QDateTime& moment);
QDateTime momentOf(double julianDate);

} // namespace astronomy
