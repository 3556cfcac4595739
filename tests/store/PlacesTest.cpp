// Every place of Iran: found by its names, chosen, and given its own times,
// computed from its coordinates by the engine the shipped centres' came from.
#include "store/Cities.h"
#include "store/Days.h"

#include "calendar/ClockTime.h"
#include "calendar/DateKey.h"
#include "calendar/PersianCalendar.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QStringList names(const QList<cities::Found>& found)
{
    QStringList list;
    for (const cities::Found& f : found)
        list.append(f.name);
    return list;
}

int placeId(const Sandbox& box, const QString& name)
{
    return box.scalar(QStringLiteral("SELECT PlaceID FROM tPlaces WHERE Name = '%1'").arg(name)).toInt();
}

int newest(const Sandbox& box)
{
    return box.scalar("SELECT MAX(StateID) FROM tStates").toInt();
}

int minutes(const std::optional<ClockTime>& time)
{
    return time ? time->minutes() : -1;
}

// The sun by the low-precision formulas of the almanac (as the common
// prayer-times libraries compute it), apart from the app's engine: an
// event's time in Iran standard time, in minutes.
double lowPrecision(const QDate& date, double lat, double lon, double altitude, int side)
{
    constexpr double kDeg = M_PI / 180.0;
    double t = 12 * 60 - 4 * lon + 210;  // first guess: mean noon
    for (int i = 0; i < 3; ++i) {
        const double jd = static_cast<double>(date.toJulianDay()) - 0.5 + (t - 210) / 1440.0;
        const double T = (jd - 2451545.0) / 36525.0;
        const double l0 = std::fmod(280.46646 + T * (36000.76983 + T * 0.0003032), 360.0);
        const double m = 357.52911 + T * (35999.05029 - 0.0001537 * T);
        const double e = 0.016708634 - T * (0.000042037 + 0.0000001267 * T);
        const double c = std::sin(m * kDeg) * (1.914602 - T * (0.004817 + 0.000014 * T)) + std::sin(2 * m * kDeg) * (0.019993 - 0.000101 * T)
            + std::sin(3 * m * kDeg) * 0.000289;
        const double omega = 125.04 - 1934.136 * T;
        const double lambda = l0 + c - 0.00569 - 0.00478 * std::sin(omega * kDeg);
        const double eps = 23 + (26 + (21.448 - T * (46.815 + T * (0.00059 - T * 0.001813))) / 60) / 60 + 0.00256 * std::cos(omega * kDeg);
        const double decl = std::asin(std::sin(eps * kDeg) * std::sin(lambda * kDeg));
        const double y = std::pow(std::tan(eps * kDeg / 2), 2);
        const double eqt = 4 / kDeg
            * (y * std::sin(2 * l0 * kDeg) - 2 * e * std::sin(m * kDeg) + 4 * e * y * std::sin(m * kDeg) * std::cos(2 * l0 * kDeg)
                - 0.5 * y * y * std::sin(4 * l0 * kDeg) - 1.25 * e * e * std::sin(2 * m * kDeg));
        const double noon = 720 - 4 * lon - eqt + 210;
        const double cosH = (std::sin(altitude * kDeg) - std::sin(lat * kDeg) * std::sin(decl)) / (std::cos(lat * kDeg) * std::cos(decl));
        t = noon + side * 4 * std::acos(std::clamp(cosH, -1.0, 1.0)) / kDeg;
    }
    return t;
}

TEST(Places, EveryShippedCentreComputedByTheAppsPathIsTheShippedFile)
{
    Sandbox box;
    const SolarDate first = PersianCalendar::firstDataDay();
    const int days = static_cast<int>(PersianCalendar::toGregorian(first).daysTo(PersianCalendar::toGregorian(PersianCalendar::lastDataDay()))) + 1;
    const RowSet centres = box.db()->Execute(
        "SELECT c.StateID, c.Name, c.ParentID, p.Latitude, p.Longitude FROM tStates c INNER JOIN tPlaces p ON p.IsCenter = 1 AND p.ProvinceID = c.ParentID "
        "WHERE c.IsCenter = 1");
    ASSERT_EQ(centres.size(), 31);
    for (const Row& centre : centres) {
        // A place of the user's own at the centre's own point.
        ASSERT_TRUE(cities::createAt("x", centre.value("ParentID").toInt(), centre.value("Latitude").toDouble(), centre.value("Longitude").toDouble()));
        const QList<days::Times> computed = days::cityTimes(newest(box), DateKey::make(first), days).value();
        const QList<days::Times> shipped = days::cityTimes(centre.value("StateID").toInt(), DateKey::make(first), days).value();
        ASSERT_EQ(computed.size(), days);
        ASSERT_EQ(shipped.size(), days);
        int differ = 0;
        for (int i = 0; i < days; ++i)
            if (!(computed[i] == shipped[i]) && differ++ < 3)
                ADD_FAILURE() << centre.value("Name").toStdString() << " " << computed[i].key;
        EXPECT_EQ(differ, 0) << centre.value("Name").toStdString();
    }
}

TEST(Places, AtKashanAndEachCornerOfIranEveryDayIsWithinAMinuteOfTheSun)
{
    Sandbox box;
    const SolarDate first = PersianCalendar::firstDataDay();
    const int count = static_cast<int>(PersianCalendar::toGregorian(first).daysTo(PersianCalendar::toGregorian(PersianCalendar::lastDataDay()))) + 1;
    // Kashan; north-west, north-east, south-east, south-west.
    for (const char* name : {"کاشان", "بازرگان", "سرخس", "چابهار", "خرمشهر"}) {
        ASSERT_TRUE(cities::choosePlace(placeId(box, name))) << name;
        const int id = newest(box);
        const double lat = box.scalar(QStringLiteral("SELECT Latitude FROM tCoordinates WHERE StateID = %1").arg(id)).toDouble();
        const double lon = box.scalar(QStringLiteral("SELECT Longitude FROM tCoordinates WHERE StateID = %1").arg(id)).toDouble();
        const QList<days::Times> all = days::cityTimes(id, DateKey::make(first), count).value();
        ASSERT_EQ(all.size(), count);
        int off = 0;
        for (int i = 0; i < count; ++i) {
            const days::Times& t = all[i];
            const QDate date = PersianCalendar::toGregorian(DateKey::read(t.key));
            const double sunset = lowPrecision(date, lat, lon, -0.833, 1);
            const double expected[6] = {lowPrecision(date, lat, lon, -17.7, -1), lowPrecision(date, lat, lon, -0.833, -1),
                lowPrecision(date, lat, lon, 90, 0), sunset, lowPrecision(date, lat, lon, -4.5, 1),
                (sunset + lowPrecision(date.addDays(1), lat, lon, -17.7, -1) + 1440) / 2};
            for (int k = 0; k < 6; ++k) {
                // Religious midnight may fall after 24:00.
                const int got = minutes(t.stored[k]) + (k == 5 && minutes(t.stored[k]) < 720 ? 1440 : 0);
                if (std::abs(got - std::round(expected[k])) > 1 && off++ < 5)
                    ADD_FAILURE() << name << " " << t.key << " T" << k + 1 << ": " << got << " against " << expected[k];
            }
            // The next day's dawn and sunrise are that day's own.
            if (i + 1 < count) {
                EXPECT_EQ(t.at(DayTime::NextDawn), all[i + 1].at(DayTime::Dawn));
                EXPECT_EQ(t.at(DayTime::NextSunrise), all[i + 1].at(DayTime::Sunrise));
            }
        }
        EXPECT_EQ(off, 0) << name;
    }
}

TEST(Places, FoundByTheirNamesTheLatinOnesAndTheWaysPeopleWriteThem)
{
    Sandbox box;
    for (const char* typed : {"کاشان", "kashan", "Kashan", "KASHAN", " کاشان "})
        EXPECT_EQ(names(cities::searchPlaces(QString::fromUtf8(typed))).value(0), "کاشان (اصفهان)") << typed;
    EXPECT_EQ(names(cities::searchPlaces("Tehran")).value(0), "تهران (تهران)");
    // Accents and half-spaces do not matter.
    EXPECT_EQ(names(cities::searchPlaces("neyshabur")).value(0), "نیشابور (خراسان رضوی)");
    EXPECT_EQ(names(cities::searchPlaces("نيشابور")).value(0), "نیشابور (خراسان رضوی)");
    EXPECT_EQ(names(cities::searchPlaces("خرم آباد")).value(0), "خرم‌آباد (لرستان)");
    EXPECT_TRUE(names(cities::searchPlaces("maku")).contains("ماکو (آذربایجان غربی)"));
    EXPECT_TRUE(names(cities::searchPlaces("کیش")).contains("کیش (هرمزگان)"));
    // The centres first; then an exact name, a name that starts so, one that
    // holds it; a province's name lists its places after them.
    const QStringList abad = names(cities::searchPlaces("آباد"));
    ASSERT_GT(abad.size(), 10);
    EXPECT_EQ(abad.value(0), "خرم‌آباد (لرستان)");
    const QStringList shahr = names(cities::searchPlaces("شهر"));
    const qsizetype starts = shahr.indexOf("شهریار (تهران)");
    const qsizetype inside = shahr.indexOf("آذرشهر (آذربایجان شرقی)");
    ASSERT_GE(starts, 0);
    ASSERT_GE(inside, 0);
    EXPECT_LT(starts, inside);
    const QStringList isfahan = names(cities::searchPlaces("اصفهان"));
    EXPECT_EQ(isfahan.value(0), "اصفهان (اصفهان)");
    EXPECT_TRUE(isfahan.contains("کاشان (اصفهان)"));
    // A place once chosen is not offered again, until it is removed.
    ASSERT_TRUE(cities::choosePlace(placeId(box, "کاشان")));
    EXPECT_FALSE(names(cities::searchPlaces("kashan")).contains("کاشان (اصفهان)"));
    ASSERT_TRUE(cities::remove(newest(box)));
    EXPECT_EQ(names(cities::searchPlaces("kashan")).value(0), "کاشان (اصفهان)");
    EXPECT_TRUE(cities::searchPlaces("zzzz").isEmpty());
}

TEST(Places, AChosenPlaceIsAUserCityWithItsCoordinatesAndSurvivesItsCentre)
{
    Sandbox box;
    box.choose({Sandbox::kTehran});
    ASSERT_TRUE(cities::choosePlace(placeId(box, "کاشان")));
    const int kashan = newest(box);
    EXPECT_GT(kashan, cities::kLastShippedStateId);
    EXPECT_EQ(box.scalar(QStringLiteral("SELECT Name || ' ' || ParentID || ' ' || IsCenter FROM tStates WHERE StateID = %1").arg(kashan)), "کاشان 4 0");
    EXPECT_EQ(box.scalar(QStringLiteral("SELECT Latitude || ' ' || Longitude FROM tCoordinates WHERE StateID = %1").arg(kashan)), "33.9824 51.4277");
    EXPECT_EQ(box.scalar(QStringLiteral("SELECT Ordering FROM tSelectedStates WHERE StateID = %1").arg(kashan)), "2");
    const QList<days::Times> before = days::cityTimes(kashan, 1050917, 5).value();
    ASSERT_EQ(before.size(), 5);
    // Its own times, not Isfahan's.
    EXPECT_NE(before[0], days::cityTimes(33 + 3, 1050917, 1).value().value(0));
    // Its province's centre removed from the list, or even lost: its times stay.
    box.exec("UPDATE tStates SET IsCenter = 0 WHERE StateID = (SELECT StateID FROM tStates WHERE Name = 'اصفهان' AND ParentID IS NOT NULL)");
    EXPECT_EQ(days::cityTimes(kashan, 1050917, 5).value(), before);
    // The page shows them, and the notifications follow it when it is first.
    box.exec(QStringLiteral("UPDATE tSelectedStates SET Ordering = 0 WHERE StateID = %1").arg(kashan));
    EXPECT_EQ(days::firstWithTimes(1050917, 5).value().cityId, kashan);
    EXPECT_EQ(days::pages(1050917).value().value(1).times, before[0]);
    // No such place: nothing is stored at all.
    const QString rows = box.scalar("SELECT (SELECT COUNT(*) FROM tStates) || ' ' || (SELECT COUNT(*) FROM tSelectedStates)");
    EXPECT_FALSE(cities::choosePlace(99999));
    EXPECT_FALSE(cities::choosePlace(placeId(box, "تهران")));
    EXPECT_EQ(box.scalar("SELECT (SELECT COUNT(*) FROM tStates) || ' ' || (SELECT COUNT(*) FROM tSelectedStates)"), rows);
}

TEST(Places, CoordinatesOutsideIranAreRefused)
{
    Sandbox box;
    for (const auto& [lat, lon] : {std::pair{23.9, 55.0}, {40.6, 47.0}, {30.0, 43.4}, {30.0, 63.6}, {51.5, -0.1}, {std::nan(""), 50.0}})
        EXPECT_FALSE(cities::createAt("x", 8, lat, lon)) << lat << " " << lon;
    EXPECT_EQ(box.scalar("SELECT COUNT(*) FROM tStates WHERE StateID > 62"), "0");
    // The edges themselves are in.
    EXPECT_TRUE(cities::createAt("x", 8, 24.0, 63.5));
    EXPECT_TRUE(cities::createAt("y", 8, 40.5, 43.5));
    // The province of the nearest place.
    EXPECT_EQ(cities::nearestProvince(25.2919, 60.6430).second, "سیستان و بلوچستان");
    EXPECT_EQ(cities::nearestProvince(33.98, 51.43).second, "اصفهان");
}

} // namespace
