#include "SunCompass.h"

#include "Sun.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace astronomy {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;
constexpr double kRiseSetAltitude = -0.833;
constexpr double kRightAngle = 90.0;
constexpr double kFullTurn = 360.0;
constexpr double kHoursPerDay = 24.0;
constexpr int kMinutesPerDay = 24 * 60;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kUnixEpoch = 2440587.5;  // 1970-01-01T00:00Z
// The sun's vertical plane is looked for every few minutes; it crosses a
// direction at most twice a day, hours apart except at a graze.
constexpr double kScanDays = 5.0 / kMinutesPerDay;
constexpr double kSettledDays = 0.5 / kSecondsPerDay;
// The earth turns this much faster against the sun than a day of 24 hours
// would say: near enough 1 for the transit's steps, which settle anyway.
constexpr double kSiderealRatio = 1.00273790935;
constexpr int kTransitSteps = 6;
// The declination is looked at every few days, then day by day where it
// passes the latitude: it moves less than half a degree a day.
constexpr int kCoarseDays = 8;

// The sun seen from the place, radians.
struct Sky {
    double azimuth;
    double altitude;
    double hourAngle;
    double declination;
};

Sky skyAt(double jd, const Place& place)
{
    const SunSample sun = sunAt(jd);
    const double ut0 = std::floor(jd - 0.5) + 0.5;
    const double hourAngle = eraAnpm(eraEra00(ut0, jd - ut0) + sun.siderealLead + place.longitude * kDegree - sun.rightAscension);
    Sky sky{0, 0, hourAngle, sun.declination};
    eraHd2ae(hourAngle, sun.declination, place.latitude * kDegree, &sky.azimuth, &sky.altitude);
    return sky;
}

// Julian date of 0h of the date on Iran standard time.
double dayStart(const QDate& date)
{
    return static_cast<double>(date.toJulianDay()) - 0.5 - kIranStandardZone / kHoursPerDay;
}

// Julian date of an hour of the date on Iran standard time.
double atHour(const QDate& date, double hours)
{
    return dayStart(date) + hours / kHoursPerDay;
}

SunDirection directionOf(const Sky& sky)
{
    return {eraAnp(sky.azimuth) / kDegree, sky.altitude / kDegree};
}

// The transit nearest `jd`: the hour angle brought to 0.
double transitNear(double jd, const Place& place)
{
    for (int i = 0; i < kTransitSteps; ++i) {
        const double step = skyAt(jd, place).hourAngle / (2 * kPi * kSiderealRatio);
        jd -= step;
        if (std::abs(step) < kSettledDays)
            break;
    }
    return jd;
}

// The transit on the date (0h UT), from the place's mean noon.
double transitOn(const QDate& date, const Place& place)
{
    return transitNear(static_cast<double>(date.toJulianDay()) - place.longitude / kFullTurn, place);
}

// How far the declination stands north of the latitude at the date's
// transit, degrees.
double northOfLatitude(const QDate& date, const Place& place)
{
    return skyAt(transitOn(date, place), place).declination / kDegree - place.latitude;
}

} // namespace

double julianDate(const QDateTime& moment)
{
    return kUnixEpoch + static_cast<double>(moment.toMSecsSinceEpoch()) / (kSecondsPerDay * 1000.0);
}

QDateTime momentOf(double julianDate)
{
    const auto seconds = static_cast<qint64>(std::llround((julianDate - kUnixEpoch) * kSecondsPerDay));
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

SunDirection sunDirection(const QDateTime& moment, const Place& place)
{
    return directionOf(skyAt(julianDate(moment), place));
}

bool isUp(const SunDirection& sun)
{
    return sun.altitude >= kRiseSetAltitude;
}

QList<CompassMoment> sunOnAzimuth(const QDate& date, const Place& place, double azimuth)
{
    QList<CompassMoment> moments;
    if (!date.isValid())
        return moments;
    const double target = azimuth * kDegree;
    // The sun's side of the vertical plane through the direction: smooth
    // over the day, where the azimuth itself jumps at north.
    const auto side = [&](double jd) {
        const Sky s = skyAt(jd, place);
        return std::cos(s.altitude) * std::sin(s.azimuth - target);
    };
    const double start = dayStart(date);
    const int steps = static_cast<int>(std::lround(1.0 / kScanDays));
    double before = start;
    double sideBefore = side(before);
    for (int i = 1; i <= steps; ++i) {
        const double after = start + i * kScanDays;
        const double sideAfter = side(after);
        if ((sideBefore < 0) != (sideAfter < 0)) {
            double low = before;
            double high = after;
            const bool lowNegative = sideBefore < 0;
            while (high - low > kSettledDays) {
                const double mid = (low + high) / 2;
                ((side(mid) < 0) == lowNegative ? low : high) = mid;
            }
            const double at = (low + high) / 2;
            const Sky sky = skyAt(at, place);
            if (isUp(directionOf(sky)))
                moments.append({momentOf(at), std::cos(sky.azimuth - target) < 0});
        }
        before = after;
        sideBefore = sideAfter;
    }
    return moments;
}

QList<SunDirection> sunPath(const QDate& date, const Place& place, int stepMinutes)
{
    QList<SunDirection> path;
    if (!date.isValid() || stepMinutes < 1)
        return path;
    const PrayerTimes times = computePrayerTimes(date, place);
    path.append(directionOf(skyAt(atHour(date, times.sunrise), place)));
    const double step = stepMinutes / 60.0;
    for (double h = (std::floor(times.sunrise / step) + 1) * step; h < times.sunset; h += step)
        path.append(directionOf(skyAt(atHour(date, h), place)));
    path.append(directionOf(skyAt(atHour(date, times.sunset), place)));
    return path;
}

QList<Overhead> overheadTransits(int year, const Place& place)
{
    QList<Overhead> found;
    const QDate first(year, 1, 1);
    const QDate last(year, 12, 31);
    if (!first.isValid())
        return found;
    // Where the declination passes the latitude between two looks, the day
    // of the two around the passage whose transit comes nearer overhead.
    QDate coarse = first;
    double coarseNorth = northOfLatitude(coarse, place);
    while (coarse < last) {
        const QDate next = std::min(coarse.addDays(kCoarseDays), last);
        const double nextNorth = northOfLatitude(next, place);
        if ((coarseNorth < 0) != (nextNorth < 0)) {
            QDate day = coarse;
            double north = coarseNorth;
            while (day < next) {
                const QDate following = day.addDays(1);
                const double followingNorth = following == next ? nextNorth : northOfLatitude(following, place);
                if ((north < 0) != (followingNorth < 0)) {
                    const QDate nearer = std::abs(north) <= std::abs(followingNorth) ? day : following;
                    const double transit = transitOn(nearer, place);
                    found.append({momentOf(transit), kRightAngle - skyAt(transit, place).altitude / kDegree});
                    break;
                }
                day = following;
                north = followingNorth;
            }
        }
        coarse = next;
        coarseNorth = nextNorth;
    }
    return found;
}

} // namespace astronomy
