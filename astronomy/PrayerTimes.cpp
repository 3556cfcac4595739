#include "PrayerTimes.h"

#include "Sun.h"

#include <QString>

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <unordered_map>

namespace {

// Geometric altitudes of the sun's centre, degrees.
constexpr double kDawnAltitude = -17.7;
constexpr double kRiseSetAltitude = -0.833;
constexpr double kEveningAltitude = -4.5;

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
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

} // namespace

// Linear between the table's entries, held at its ends.
double astronomy::deltaTSeconds(double year)
{
    if (year <= kDeltaT.front().year)
        return kDeltaT.front().seconds;
    if (year >= kDeltaT.back().year)
        return kDeltaT.back().seconds;
    const auto next = std::find_if(kDeltaT.begin(), kDeltaT.end(), [year](const DeltaT& d) { return d.year > year; });
    const auto prev = std::prev(next);
    return prev->seconds + (next->seconds - prev->seconds) * (year - prev->year);
}

namespace {

using astronomy::deltaTSeconds;

// The sun seen from the earth's centre at one instant, and how fast it moves.
struct Sun {
    double declination;      // radians, true equator of date
    double hourAngle;        // radians at the place, in (-pi, pi]
    double declinationRate;  // radians a day
    double hourAngleRate;    // radians a day
};

// The sun's apparent place, which does not depend on the place on earth: the
// geometric direction from the earth's heliocentric position, corrected for
// annual aberration, then rotated to the true equator and equinox of date;
// with the difference between apparent sidereal time and the earth rotation
// angle. UTC stands in for UT1; the second it may be off moves no time by
// more than that.
struct Apparent {
    double rightAscension;  // radians
    double declination;     // radians
    double siderealLead;    // apparent sidereal time minus the earth rotation angle, radians
};

Apparent apparentSun(double ut0, double ut)
{
    const double year = 2000.0 + (ut0 + ut - ERFA_DJ00) / ERFA_DJY;
    const double tt = ut + deltaTSeconds(year) / ERFA_DAYSEC;
    double heliocentric[2][3];
    double barycentric[2][3];
    eraEpv00(ut0, tt, heliocentric, barycentric);

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
    eraPnm06a(ut0, tt, npb);
    double ofDate[3];
    eraRxp(npb, proper, ofDate);
    Apparent sun{};
    eraC2s(ofDate, &sun.rightAscension, &sun.declination);
    // eraGst06a would compute the same matrix again.
    sun.siderealLead = wrapPi(eraGst06(ut0, ut, ut0, tt, npb) - eraEra00(ut0, ut));
    return sun;
}

// The apparent sun at any instant, interpolated from samples every few hours
// that are computed once and shared by every place: the full computation
// costs a tenth of a millisecond, and twenty years of times for thirty-one
// places ask for it millions of times. A cubic through samples six hours
// apart follows the sun to far better than a millisecond of time. Samples
// handed in (the ones the builder stored) are taken as they are.
class SunTable {
public:
    void know(long k, const Apparent& sun) const { samples_.emplace(k, sun); }
    bool knows(long k) const { return samples_.count(k) > 0; }
    Apparent sample(long k) const
    {
        const auto it = samples_.find(k);
        if (it != samples_.end())
            return it->second;
        const double days = static_cast<double>(k) * kSunSampleDays;
        const double whole = std::floor(days);
        const Apparent sun = apparentSun(kEpoch + whole, days - whole);
        samples_.emplace(k, sun);
        return sun;
    }

    Apparent at(double jd) const
    {
        const double x = (jd - kEpoch) / kStep;
        const long k = static_cast<long>(std::floor(x));
        const double u = x - static_cast<double>(k);
        const Apparent p[4] = {sample(k - 1), sample(k), sample(k + 1), sample(k + 2)};
        // Lagrange weights for the nodes -1, 0, 1, 2.
        const double w[4] = {-u * (u - 1) * (u - 2) / 6, (u + 1) * (u - 1) * (u - 2) / 2, -(u + 1) * u * (u - 2) / 2,
            (u + 1) * u * (u - 1) / 6};
        Apparent sun{0, 0, 0};
        for (int i = 0; i < 4; ++i) {
            // Right ascension unwrapped around the sample before the instant.
            sun.rightAscension += w[i] * (p[1].rightAscension + wrapPi(p[i].rightAscension - p[1].rightAscension));
            sun.declination += w[i] * p[i].declination;
            sun.siderealLead += w[i] * p[i].siderealLead;
        }
        return sun;
    }

    static constexpr double kEpoch = 2451544.5;  // 0h UT, 1 January 2000

private:
    static constexpr double kStep = kSunSampleDays;

    mutable std::unordered_map<long, Apparent> samples_;
};

const SunTable& sunTable()
{
    static const SunTable table;
    return table;
}

class Observer {
public:
    Observer(const QDate& date, const Place& place)
        : ut0_(static_cast<double>(date.toJulianDay()) - 0.5), latitude_(rad(place.latitude)), longitude_(rad(place.longitude))
    {
    }

    // Days from 0h UT of the date.
    Sun at(double ut) const
    {
        constexpr double kRateStep = 1.0 / 24;
        const Apparent sun = sunTable().at(ut0_ + ut);
        const Apparent later = sunTable().at(ut0_ + ut + kRateStep);
        const double hourAngle = eraEra00(ut0_, ut) + sun.siderealLead + longitude_ - sun.rightAscension;
        const double laterHourAngle = eraEra00(ut0_, ut + kRateStep) + later.siderealLead + longitude_ - later.rightAscension;
        return {sun.declination, wrapPi(hourAngle), (later.declination - sun.declination) / kRateStep,
            wrapPi(laterHourAngle - hourAngle) / kRateStep};
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
    double ut0_;  // Julian date of 0h UT
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

int minutesOfDay(double hours)
{
    constexpr long kMinutesPerDay = 24 * 60;
    const long minutes = std::lround(hours * 60.0);
    return static_cast<int>(((minutes % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay);
}

QString formatClock(double hours)
{
    const int clock = minutesOfDay(hours);
    return QString::asprintf("%d:%02d", clock / 60, clock % 60);
}

std::array<int, 6> storedMinutes(const QDate& date, const Place& place)
{
    const PrayerTimes t = computePrayerTimes(date, place);
    return {minutesOfDay(t.dawn), minutesOfDay(t.sunrise), minutesOfDay(t.noon), minutesOfDay(t.sunset), minutesOfDay(t.evening),
        minutesOfDay(t.midnight)};
}

std::array<QString, 6> storedTimes(const QDate& date, const Place& place)
{
    const PrayerTimes t = computePrayerTimes(date, place);
    return {formatClock(t.dawn), formatClock(t.sunrise), formatClock(t.noon), formatClock(t.sunset), formatClock(t.evening),
        formatClock(t.midnight)};
}

long sunSampleIndex(const QDate& date)
{
    return std::lround((static_cast<double>(date.toJulianDay()) - 0.5 - SunTable::kEpoch) / kSunSampleDays);
}

SunSample sunSample(long k)
{
    const Apparent sun = sunTable().sample(k);
    return {sun.rightAscension, sun.declination, sun.siderealLead};
}

void knowSunSample(long k, const SunSample& sample)
{
    sunTable().know(k, {sample.rightAscension, sample.declination, sample.siderealLead});
}

bool knowsSunSample(long k)
{
    return sunTable().knows(k);
}

SunSample astronomy::sunAt(double jdUt)
{
    const Apparent sun = sunTable().at(jdUt);
    return {sun.rightAscension, sun.declination, sun.siderealLead};
}
