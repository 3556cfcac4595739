#include "Crescent.h"

#include "Sun.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;
constexpr double kMoonRadiusKm = 1737.4;
constexpr double kAuKm = ERFA_DAU / 1000.0;
// Refraction at the horizon, degrees: the upper limb touches it when the
// centre stands this far and a semi-diameter below.
constexpr double kHorizonRefraction = 34.0 / 60.0;
constexpr double kStandardZone = kIranStandardZone;

struct Sky {
    double moonAltitude;   // topocentric, degrees, no refraction
    double sunAltitude;    // degrees, no refraction
    double elongation;     // topocentric, degrees
    double semiDiameter;   // the moon's, topocentric, degrees
    double moonLongitude;  // geocentric ecliptic longitudes of date, radians
    double sunLongitude;
};

double altitude(double rightAscension, double declination, double localSidereal, double latitude)
{
    const double h = localSidereal - rightAscension;
    return std::asin(std::sin(latitude) * std::sin(declination) + std::cos(latitude) * std::cos(declination) * std::cos(h)) / kDegree;
}

// The precession and nutation of an evening: over its few hours they move
// by far less than the moon's place is known to.
struct Frame {
    double npb[3][3];
};

Frame frameAt(double jd)
{
    Frame f{};
    eraPnm06a(jd, 0.0, f.npb);
    return f;
}

// The moon and the sun seen from `place` at the instant `jd` (UT).
Sky skyAt(double jd, const Place& place, const Frame& frame)
{
    const double ut0 = std::floor(jd - 0.5) + 0.5;
    const double ut = jd - ut0;
    const double year = 2000.0 + (jd - ERFA_DJ00) / ERFA_DJY;
    const double tt = ut + astronomy::deltaTSeconds(year) / ERFA_DAYSEC;

    // The moon from the earth's centre, turned to the true equator of date.
    double pv[2][3];
    eraMoon98(ut0, tt, pv);
    double npb[3][3];
    std::memcpy(npb, frame.npb, sizeof npb);
    double moon[3];
    eraRxp(npb, pv[0], moon);
    const double sidereal = eraGst06(ut0, ut, ut0, tt, npb);

    // The observer, turned with the earth; from there, the moon.
    const double longitude = place.longitude * kDegree;
    const double latitude = place.latitude * kDegree;
    double itrs[3];
    eraGd2gc(ERFA_WGS84, longitude, latitude, 0.0, itrs);
    const double c = std::cos(sidereal);
    const double s = std::sin(sidereal);
    const double observer[3] = {(c * itrs[0] - s * itrs[1]) / ERFA_DAU, (s * itrs[0] + c * itrs[1]) / ERFA_DAU, itrs[2] / ERFA_DAU};
    double topo[3];
    for (int i = 0; i < 3; ++i)
        topo[i] = moon[i] - observer[i];
    double moonRa = 0;
    double moonDec = 0;
    eraC2s(topo, &moonRa, &moonDec);
    const double distanceKm = eraPm(topo) * kAuKm;

    const SunSample sun = astronomy::sunAt(jd);
    const double local = sidereal + longitude;

    Sky sky{};
    sky.moonAltitude = altitude(moonRa, moonDec, local, latitude);
    sky.sunAltitude = altitude(sun.rightAscension, sun.declination, local, latitude);
    sky.elongation = std::acos(std::clamp(std::sin(moonDec) * std::sin(sun.declination)
                                   + std::cos(moonDec) * std::cos(sun.declination) * std::cos(moonRa - sun.rightAscension),
                         -1.0, 1.0))
        / kDegree;
    sky.semiDiameter = std::asin(kMoonRadiusKm / distanceKm) / kDegree;

    // The conjunction: the moon's geocentric longitude past the sun's.
    const double obliquity = eraObl06(ut0, tt);
    double geoRa = 0;
    double geoDec = 0;
    eraC2s(moon, &geoRa, &geoDec);
    auto eclipticLongitude = [obliquity](double ra, double dec) {
        return std::atan2(std::sin(ra) * std::cos(obliquity) + std::tan(dec) * std::sin(obliquity), std::cos(ra));
    };
    sky.moonLongitude = eclipticLongitude(geoRa, geoDec);
    sky.sunLongitude = eclipticLongitude(sun.rightAscension, sun.declination);
    return sky;
}

double jdOf(const QDate& date, double hours)
{
    return static_cast<double>(date.toJulianDay()) - 0.5 + (hours - kStandardZone) / 24.0;
}

// How far the moon's upper limb stands above the horizon, degrees.
double aboveHorizon(const Sky& sky)
{
    return sky.moonAltitude + sky.semiDiameter + kHorizonRefraction;
}

} // namespace

Crescent crescentOn(const QDate& date, const Place& place)
{
    Crescent c;
    c.sunsetHours = computePrayerTimes(date, place).sunset;
    const double sunset = jdOf(date, c.sunsetHours);
    const Frame frame = frameAt(sunset);
    const Sky atSunset = skyAt(sunset, place, frame);

    // The moon's age: how long since its longitude passed the sun's, found
    // from the difference and the moon's mean gain on the sun.
    constexpr double kSynodicGainPerHour = 2 * kPi / (29.530589 * 24.0);
    double lead = std::remainder(atSunset.moonLongitude - atSunset.sunLongitude, 2 * kPi);
    c.ageHours = lead / kSynodicGainPerHour;

    // Moonset: the first time after sunset that the upper limb goes down.
    c.moonsetHours = c.sunsetHours;
    if (aboveHorizon(atSunset) > 0) {
        constexpr double kStepHours = 5.0 / 60.0;
        double before = c.sunsetHours;
        double after = before;
        for (int i = 0; i < 12 * 6; ++i) {
            after = before + kStepHours;
            if (aboveHorizon(skyAt(jdOf(date, after), place, frame)) <= 0)
                break;
            before = after;
        }
        for (int i = 0; i < 12; ++i) {
            const double mid = (before + after) / 2;
            (aboveHorizon(skyAt(jdOf(date, mid), place, frame)) > 0 ? before : after) = mid;
        }
        c.moonsetHours = (before + after) / 2;
    }

    // At the best time.
    const double best = c.sunsetHours + 4.0 / 9.0 * (c.moonsetHours - c.sunsetHours);
    const Sky sky = skyAt(jdOf(date, best), place, frame);
    c.arcOfVision = sky.moonAltitude - sky.sunAltitude;
    c.elongation = sky.elongation;
    c.width = sky.semiDiameter * 60.0 * (1 - std::cos(sky.elongation * kDegree));
    const double w = c.width;
    c.v = c.arcOfVision - (-0.1018 * w * w * w + 0.7319 * w * w - 6.3226 * w + 7.1651);
    return c;
}
