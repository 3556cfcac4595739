#include "PrayerTimes.h"

#include <QString>

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace {

// Geometric altitudes of the sun's centre, degrees.
constexpr double kDawnAltitude = -17.7;
constexpr double kRiseSetAltitude = -0.833;
constexpr double kEveningAltitude = -4.5;

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
// Turns of the earth a day of UT.
constexpr double kSiderealTurnsPerDay = 1.00273781191135448;
double rad(double d) { return d * kPi / 180.0; }
// An angle in radians brought into (-pi, pi].
double wrapPi(double a) { return a - kTwoPi * std::ceil((a - kPi) / kTwoPi); }

// TT - UT1 in seconds on 1 January of each year (IERS); the years after the
// last measured one keep its value, which has hardly moved since 2020.
struct DeltaT {
    int year;
    double seconds;
};
constexpr std::array<DeltaT, 23> kDeltaT{{
    {2011, 66.32}, {2012, 66.60}, {2013, 66.91}, {2014, 67.28}, {2015, 67.64}, {2016, 68.10},
    {2017, 68.59}, {2018, 68.97}, {2019, 69.22}, {2020, 69.36}, {2021, 69.36}, {2022, 69.29},
    {2023, 69.20}, {2024, 69.18}, {2025, 69.15}, {2026, 69.2}, {2027, 69.2}, {2028, 69.2},
    {2029, 69.2}, {2030, 69.2}, {2031, 69.2}, {2032, 69.2}, {2033, 69.2},
}};

// Linear between the table's entries, held at its ends.
double deltaTSeconds(double year)
{
    if (year <= kDeltaT.front().year)
        return kDeltaT.front().seconds;
    if (year >= kDeltaT.back().year)
        return kDeltaT.back().seconds;
    const auto next = std::find_if(kDeltaT.begin(), kDeltaT.end(), [year](const DeltaT& d) { return d.year > year; });
    const auto prev = std::prev(next);
    return prev->seconds + (next->seconds - prev->seconds) * (year - prev->year);
}

// The sun seen from the earth's centre at one instant, and how fast it moves.
struct Sun {
    double declination;      // radians, true equator of date
    double hourAngle;        // radians at the place, in (-pi, pi]
    double declinationRate;  // radians a day
    double hourAngleRate;    // radians a day
};

// The sun's apparent place: the geometric direction from the earth's
// heliocentric position, corrected for annual aberration, then rotated to the
// true equator and equinox of date. UTC stands in for UT1; the second it may
// be off moves no time by more than that.
class Observer {
public:
    Observer(const QDate& date, const Place& place)
        : ut0_(static_cast<double>(date.toJulianDay()) - 0.5),
          deltaT_(deltaTSeconds(date.year() + (date.dayOfYear() - 1) / static_cast<double>(date.daysInYear()))
              / ERFA_DAYSEC),
          latitude_(rad(place.latitude)), longitude_(rad(place.longitude))
    {
    }

    // Days from 0h UT of the date.
    Sun at(double ut) const
    {
        const double tt = ut + deltaT_;
        double heliocentric[2][3];
        double barycentric[2][3];
        eraEpv00(ut0_, tt, heliocentric, barycentric);

        const double distance = std::sqrt(heliocentric[0][0] * heliocentric[0][0]
            + heliocentric[0][1] * heliocentric[0][1] + heliocentric[0][2] * heliocentric[0][2]);
        double direction[3];
        for (int i = 0; i < 3; ++i)
            direction[i] = -heliocentric[0][i] / distance;
        double velocity[3];  // units of c
        double v2 = 0;
        for (int i = 0; i < 3; ++i) {
            velocity[i] = barycentric[1][i] * ERFA_AULT / ERFA_DAYSEC;
            v2 += velocity[i] * velocity[i];
        }
        double proper[3];
        eraAb(direction, velocity, distance, std::sqrt(1 - v2), proper);

        double npb[3][3];
        eraPnm06a(ut0_, tt, npb);
        double ofDate[3];
        eraRxp(npb, proper, ofDate);
        double rightAscension = 0;
        double declination = 0;
        eraC2s(ofDate, &rightAscension, &declination);

        // The rates only steer the search for a time, so the motion of the
        // line of sight from the earth's heliocentric velocity is enough.
        const double* earthVelocity = heliocentric[1];  // au a day
        const double alongSight = earthVelocity[0] * direction[0] + earthVelocity[1] * direction[1]
            + earthVelocity[2] * direction[2];
        double motion[3];  // of the unit vector towards the sun, a day
        for (int i = 0; i < 3; ++i)
            motion[i] = -(earthVelocity[i] - alongSight * direction[i]) / distance;
        double motionOfDate[3];
        eraRxp(npb, motion, motionOfDate);
        const double x = ofDate[0], y = ofDate[1];
        const double equatorial2 = x * x + y * y;
        const double raRate = (x * motionOfDate[1] - y * motionOfDate[0]) / equatorial2;
        const double decRate = motionOfDate[2] / std::sqrt(equatorial2);

        // eraGst06a would compute the same matrix again.
        const double sidereal = eraGst06(ut0_, ut, ut0_, tt, npb);
        return {declination, wrapPi(sidereal + longitude_ - rightAscension), decRate,
            kTwoPi * kSiderealTurnsPerDay - raRate};
    }

    // The instant at which the sun's centre stands at `altitude` degrees
    // before (side -1) or after (+1) the transit, or the transit (side 0),
    // by Newton's method on the hour angle from the sun `first` seen at `t`.
    // The hour angle and declination run almost straight over a day, so the
    // first step lands within a second and the next far closer.
    double solve(double altitude, int side, double t, Sun first) const
    {
        constexpr int kMaxSteps = 20;
        constexpr double kSettled = 1.0 / ERFA_DAYSEC;
        const double sinAltitude = std::sin(rad(altitude));
        const double sinLatitude = std::sin(latitude_), cosLatitude = std::cos(latitude_);
        Sun sun = first;
        for (int i = 0; i < kMaxSteps; ++i) {
            double target = 0;
            double targetRate = 0;
            if (side != 0) {
                const double sinDec = std::sin(sun.declination), cosDec = std::cos(sun.declination);
                const double cosH = std::clamp(
                    (sinAltitude - sinLatitude * sinDec) / (cosLatitude * cosDec), -1.0, 1.0);
                target = side * std::acos(cosH);
                const double cosHPerDec = (sinAltitude * sinDec / cosLatitude - sinLatitude / cosLatitude)
                    / (cosDec * cosDec);
                targetRate = -side * cosHPerDec * sun.declinationRate / std::sqrt(std::max(1 - cosH * cosH, 1e-12));
            }
            const double step = wrapPi(target - sun.hourAngle) / (sun.hourAngleRate - targetRate);
            t += step;
            if (std::abs(step) < kSettled)
                break;
            sun = at(t);
        }
        return t;
    }

    // Days from 0h UT to the place's mean noon.
    double meanNoon() const { return 0.5 - longitude_ / kTwoPi; }

private:
    double ut0_;     // Julian date of 0h UT
    double deltaT_;  // TT - UT, days
    double latitude_;
    double longitude_;
};

} // namespace

PrayerTimes computePrayerTimes(const QDate& date, const Place& place, double zoneHours)
{
    // Days from 0h UT to hours of the zone's day.
    const auto hours = [zoneHours](double ut) { return ut * 24 + zoneHours; };

    // Every time of the day starts from the sun at the place's mean noon.
    const Observer today(date, place);
    const double noon = today.meanNoon();
    const Sun atNoon = today.at(noon);
    PrayerTimes t;
    t.dawn = hours(today.solve(kDawnAltitude, -1, noon, atNoon));
    t.sunrise = hours(today.solve(kRiseSetAltitude, -1, noon, atNoon));
    t.noon = hours(today.solve(0, 0, noon, atNoon));
    t.sunset = hours(today.solve(kRiseSetAltitude, +1, noon, atNoon));
    t.evening = hours(today.solve(kEveningAltitude, +1, noon, atNoon));

    const Observer tomorrow(date.addDays(1), place);
    const double nextNoon = tomorrow.meanNoon();
    const double nextDawn = hours(tomorrow.solve(kDawnAltitude, -1, nextNoon, tomorrow.at(nextNoon))) + 24;
    t.midnight = t.sunset + (nextDawn - t.sunset) / 2;
    return t;
}

QString formatClock(double hours)
{
    const long minutes = std::lround(hours * 60.0);
    const long clock = ((minutes % 1440) + 1440) % 1440;
    return QString::asprintf("%ld:%02ld", clock / 60, clock % 60);
}
