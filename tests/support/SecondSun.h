#pragma once

// A second computation of the sun, for checking the engine's: ERFA's
// CIO-based route (GCRS to CIRS, and the earth rotation angle), with TT
// from the leap seconds, computed afresh at every instant. The engine goes
// by the equinox (precession-nutation and apparent sidereal time), with
// TT - UT1 from its own table, and interpolates samples six hours apart.
#include "astronomy/PrayerTimes.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace secondsun {

struct Seen {
    double azimuth;      // degrees from north, eastward
    double altitude;     // degrees, of the centre, no refraction
    double declination;  // degrees
    double hourAngle;    // radians
};

// The sun seen from the place at a Julian date of UTC (UT1 taken as UTC, as
// the engine takes it). Light time (8 minutes: 20 arcseconds of the sun's
// yearly way, taken up by the aberration) and the observer's own
// aberration (a third of an arcsecond) are left out.
inline Seen independentSun(double jdUtc, const Place& place)
{
    const double utc1 = std::floor(jdUtc - 0.5) + 0.5;
    const double utc2 = jdUtc - utc1;
    double tai1 = 0, tai2 = 0, tt1 = 0, tt2 = 0;
    eraUtctai(utc1, utc2, &tai1, &tai2);
    eraTaitt(tai1, tai2, &tt1, &tt2);
    double heliocentric[2][3], barycentric[2][3];
    eraEpv00(tt1, tt2, heliocentric, barycentric);
    const double distance = eraPm(heliocentric[0]);
    double toSun[3], velocity[3];
    for (int i = 0; i < 3; ++i) {
        toSun[i] = -heliocentric[0][i] / distance;
        velocity[i] = barycentric[1][i] * ERFA_AULT / ERFA_DAYSEC;
    }
    double aberrated[3];
    eraAb(toSun, velocity, distance, std::sqrt(1 - eraPm(velocity) * eraPm(velocity)), aberrated);
    double c2i[3][3];
    eraC2i06a(tt1, tt2, c2i);
    double cirs[3];
    eraRxp(c2i, aberrated, cirs);
    double ra = 0, dec = 0;
    eraC2s(cirs, &ra, &dec);
    const double hourAngle = eraAnpm(eraEra00(utc1, utc2) + place.longitude * ERFA_DD2R - ra);
    double az = 0, el = 0;
    eraHd2ae(hourAngle, dec, place.latitude * ERFA_DD2R, &az, &el);
    return {az / ERFA_DD2R, el / ERFA_DD2R, dec / ERFA_DD2R, hourAngle};
}

// Which side of the vertical plane through `azimuth` the sun stands on:
// its sign changes where the sun stands at the azimuth or opposite it.
inline double sideOf(const Seen& s, double azimuth)
{
    return std::cos(s.altitude * ERFA_DD2R) * std::sin((s.azimuth - azimuth) * ERFA_DD2R);
}

} // namespace secondsun
