// The sun as a compass, against a second computation of the sun
// (tests/support/SecondSun.h).
#include "astronomy/SunCompass.h"
#include "geodesy/Qibla.h"
#include "tests/support/SecondSun.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kDeg = ERFA_DD2R;
constexpr double kSecond = 1.0 / ERFA_DAYSEC;
constexpr double kRiseSet = -0.833;
using secondsun::Seen;
using secondsun::independentSun;

// The moments the independent sun, up, stands at the azimuth or opposite:
// every minute of the day looked at, each crossing bisected.
QList<std::pair<double, bool>> independentMoments(const QDate& date, const Place& place, double azimuth)
{
    const double start = static_cast<double>(date.toJulianDay()) - 0.5 - 3.5 / 24;
    auto side = [&](double jd) { return secondsun::sideOf(independentSun(jd, place), azimuth); };
    QList<std::pair<double, bool>> found;
    for (int m = 0; m < 1440; ++m) {
        double low = start + m / 1440.0;
        double high = low + 1 / 1440.0;
        const bool lowNegative = side(low) < 0;
        if (lowNegative == (side(high) < 0))
            continue;
        while (high - low > 0.1 * kSecond)
            (((side((low + high) / 2) < 0) == lowNegative) ? low : high) = (low + high) / 2;
        const Seen s = independentSun(low, place);
        if (s.altitude >= kRiseSet)
            found.append({low, std::cos((s.azimuth - azimuth) * kDeg) < 0});
    }
    return found;
}

struct Day {
    const char* name;
    Place place;
    QDate date;
    int facing;  // moments with the sun at the Qibla
    int behind;  // with the sun behind
};

} // namespace

TEST(SunCompass, TheQiblaMomentsMatchASecondSunToTheSecond)
{
    const Day days[] = {
        // 17 Azar 1405: one moment, in the afternoon, none behind.
        {"Tehran", {35.6892, 51.3890}, QDate(2026, 12, 8), 1, 0},
        // Summer in the east: the sun rises north of the Qibla's opposite
        // and passes behind it in the morning, and sets past the Qibla.
        {"Zahedan", {29.4963, 60.8629}, QDate(2026, 6, 21), 1, 1},
        // Winter there: the sun sets before it reaches the Qibla.
        {"Zahedan", {29.4963, 60.8629}, QDate(2026, 12, 21), 0, 0},
        {"Tabriz", {38.0800, 46.2919}, QDate(2026, 3, 20), 1, 0},
        {"Bandar Abbas", {27.1832, 56.2666}, QDate(2027, 6, 1), 1, 1},
    };
    for (const Day& d : days) {
        const double qibla = geodesy::qibla({d.place.latitude, d.place.longitude}).azimuth;
        const QList<astronomy::CompassMoment> moments = astronomy::sunOnAzimuth(d.date, d.place, qibla);
        const QList<std::pair<double, bool>> second = independentMoments(d.date, d.place, qibla);
        ASSERT_EQ(moments.size(), second.size()) << d.name << " " << d.date.toString(Qt::ISODate).toStdString();
        int facing = 0;
        int behind = 0;
        for (qsizetype i = 0; i < moments.size(); ++i) {
            const double engine = astronomy::julianDate(moments[i].moment);
            EXPECT_NEAR(engine, second[i].first, 2 * kSecond) << d.name << " " << i;
            EXPECT_EQ(moments[i].behind, second[i].second) << d.name << " " << i;
            // Where the second sun stands then: in line, and up.
            const Seen seen = independentSun(engine, d.place);
            EXPECT_NEAR(std::remainder(seen.azimuth - qibla - (moments[i].behind ? 180 : 0), 360), 0, 0.02) << d.name;
            EXPECT_GE(seen.altitude, kRiseSet) << d.name;
            (moments[i].behind ? behind : facing) += 1;
        }
        EXPECT_EQ(facing, d.facing) << d.name << " " << d.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(behind, d.behind) << d.name << " " << d.date.toString(Qt::ISODate).toStdString();
    }
    // Tehran on 17 Azar 1405, to the minute on Iran's clock (UTC+3:30).
    const QList<astronomy::CompassMoment> tehran = astronomy::sunOnAzimuth(QDate(2026, 12, 8), {35.6892, 51.3890}, 218.54);
    ASSERT_EQ(tehran.size(), 1);
    EXPECT_EQ(tehran[0].moment.toOffsetFromUtc(3 * 3600 + 1800).addSecs(30).toString("HH:mm"), "14:33");
}

TEST(SunCompass, TheSunPassesOverTheKaabaOnTwoDaysOfTheYear)
{
    const Place kaaba{geodesy::kKaaba.latitude, geodesy::kKaaba.longitude};
    const QList<astronomy::Overhead> over = astronomy::overheadTransits(2026, kaaba);
    ASSERT_EQ(over.size(), 2);
    for (const astronomy::Overhead& o : over) {
        // The day: of it and the days around, the second sun stands
        // nearest overhead at its transit on that one.
        const double jd = astronomy::julianDate(o.moment);
        const Seen atTransit = independentSun(jd, kaaba);
        EXPECT_NEAR(atTransit.hourAngle, 0, 2 * M_PI * 2 * kSecond);
        EXPECT_NEAR(90 - atTransit.altitude, o.zenithDistance, 0.001);
        EXPECT_LT(o.zenithDistance, 0.2);
        for (const int days : {-1, 1}) {
            const Seen other = independentSun(jd + days, kaaba);
            EXPECT_GT(std::abs(other.declination - kaaba.latitude), std::abs(atTransit.declination - kaaba.latitude));
        }
    }
    // 27 or 28 May and 15 or 16 July, near 09:18 and 09:27 UTC.
    EXPECT_EQ(over[0].moment.date().month(), 5);
    EXPECT_GE(over[0].moment.date().day(), 27);
    EXPECT_LE(over[0].moment.date().day(), 28);
    EXPECT_EQ(over[1].moment.date().month(), 7);
    EXPECT_GE(over[1].moment.date().day(), 15);
    EXPECT_LE(over[1].moment.date().day(), 16);
    EXPECT_EQ(over[0].moment.time().hour(), 9);
    EXPECT_EQ(over[1].moment.time().hour(), 9);
    // Beyond the tropics the sun is never overhead.
    EXPECT_TRUE(astronomy::overheadTransits(2026, {35.69, 51.39}).isEmpty());
}

TEST(SunCompass, TheSunsWayRunsFromSunriseToSunset)
{
    const Place tehran{35.6892, 51.3890};
    const QList<astronomy::SunDirection> path = astronomy::sunPath(QDate(2026, 12, 8), tehran, 10);
    ASSERT_GT(path.size(), 50);
    EXPECT_NEAR(path.first().altitude, kRiseSet, 0.01);
    EXPECT_NEAR(path.last().altitude, kRiseSet, 0.01);
    // East of south in the morning, west of it in the evening, highest
    // near the south at noon: 90 - 35.69 - 22.7 degrees.
    EXPECT_LT(path.first().azimuth, 180);
    EXPECT_GT(path.last().azimuth, 180);
    double highest = -90;
    for (const astronomy::SunDirection& s : path)
        highest = std::max(highest, s.altitude);
    EXPECT_NEAR(highest, 90 - 35.6892 - 22.75, 0.2);
    EXPECT_TRUE(astronomy::sunPath(QDate(), tehran, 10).isEmpty());
    EXPECT_TRUE(astronomy::sunPath(QDate(2026, 12, 8), tehran, 0).isEmpty());
    EXPECT_TRUE(astronomy::sunOnAzimuth(QDate(), tehran, 218.5).isEmpty());
}
