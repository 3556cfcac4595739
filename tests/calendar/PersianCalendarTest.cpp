#include "calendar/ClockTime.h"
#include "calendar/DateKey.h"
#include "calendar/IranClock.h"
#include "calendar/LunarCalendar.h"
#include "calendar/PersianCalendar.h"

#include "platform/foundation/Clock.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(PersianCalendar, LeapYearsAreTheOfficialOnesNotEveryFourth)
{
    for (int year : {1391, 1395, 1399, 1403, 1408})
        EXPECT_TRUE(PersianCalendar::isLeapYear(year)) << year;
    // 1407 breaks the four-year rhythm: (1407 + 1) mod 4 is 0, yet it is common.
    for (int year : {1392, 1400, 1404, 1405, 1407, 1410})
        EXPECT_FALSE(PersianCalendar::isLeapYear(year)) << year;
    EXPECT_EQ(PersianCalendar::daysInMonth(1407, 12), 29);
    EXPECT_EQ(PersianCalendar::daysInMonth(1408, 12), 30);
    EXPECT_EQ(PersianCalendar::daysInYear(1403), 366);
    EXPECT_EQ(PersianCalendar::toGregorian({1407, 1, 1}), QDate(2028, 3, 20));
    EXPECT_EQ(PersianCalendar::toGregorian({1408, 1, 1}), QDate(2029, 3, 20));
    EXPECT_EQ(PersianCalendar::toGregorian({1405, 1, 1}), QDate(2026, 3, 21));
    EXPECT_EQ(PersianCalendar::weekday({1405, 1, 1}), 0);  // Saturday
    EXPECT_EQ(PersianCalendar::addDays({1403, 12, 30}, 1), (SolarDate{1404, 1, 1}));
    EXPECT_EQ(PersianCalendar::addMonths({1404, 12, 1}, 1), (SolarDate{1405, 1, 1}));
    EXPECT_EQ(PersianCalendar::addMonths({1392, 1, 1}, -1), (SolarDate{1391, 12, 1}));
}

TEST(PersianCalendar, TheDataRunsFrom1391To1410)
{
    EXPECT_TRUE(PersianCalendar::inData({1391, 1, 1}));
    EXPECT_TRUE(PersianCalendar::inData({1410, 12, 29}));
    EXPECT_FALSE(PersianCalendar::inData({1390, 12, 29}));
    EXPECT_FALSE(PersianCalendar::inData({1411, 1, 1}));
    EXPECT_FALSE(PersianCalendar::inData({1405, 7, 31}));
}

TEST(DateKey, KeysAreNumbersOfAnyLengthThatSortByDate)
{
    EXPECT_EQ(DateKey::make({1391, 1, 5}), 910105);
    EXPECT_EQ(DateKey::make({1405, 9, 16}), 1050916);
    EXPECT_EQ(DateKey::read(1050916), (SolarDate{1405, 9, 16}));
    EXPECT_EQ(DateKey::read(991230), (SolarDate{1399, 12, 30}));
    EXPECT_EQ(DateKey::read(QStringLiteral("1000101")), (SolarDate{1400, 1, 1}));
    EXPECT_FALSE(DateKey::read(QStringLiteral("")).has_value());
    EXPECT_FALSE(DateKey::read(QStringLiteral("91-01")).has_value());
    // Numeric order is date order across the change of length, and the
    // offsets sentinel comes after every day.
    int previous = 0;
    for (SolarDate d = PersianCalendar::firstDataDay(); d <= PersianCalendar::lastDataDay(); d = PersianCalendar::addDays(d, 1)) {
        const int key = DateKey::make(d);
        ASSERT_GT(key, previous);
        ASSERT_LT(key, DateKey::kOffsetsSentinel);
        ASSERT_EQ(DateKey::read(key), d);
        previous = key;
    }
}

TEST(ClockTime, StoredTimesReadLenientlySettingsStrictly)
{
    EXPECT_EQ(ClockTime::read(QStringLiteral("4:05")), (ClockTime{4, 5}));
    EXPECT_EQ(ClockTime::read(QStringLiteral("04:5")), (ClockTime{4, 5}));
    EXPECT_EQ(ClockTime::read(QStringLiteral("x:7")), (ClockTime{0, 7}));
    EXPECT_EQ(ClockTime::read(QStringLiteral("")), (ClockTime{0, 0}));
    EXPECT_EQ(ClockTime::readStrict(QStringLiteral("21:05")), (ClockTime{21, 5}));
    EXPECT_FALSE(ClockTime::readStrict(QStringLiteral("0")).has_value());
    EXPECT_FALSE(ClockTime::readStrict(QStringLiteral("24:00")).has_value());
    EXPECT_FALSE(ClockTime::readStrict(QStringLiteral("8:60")).has_value());
    EXPECT_FALSE(ClockTime::readStrict(QStringLiteral("8:0:0")).has_value());
    EXPECT_EQ(ClockTime::fromMinutes(-5), (ClockTime{23, 55}));
    EXPECT_EQ(ClockTime::fromMinutes(24 * 60 + 5).padded(), QStringLiteral("00:05"));
}

TEST(IranClock, StoredStandardTimesBecomeMomentsOnTheOfficialClock)
{
    // 1 Farvardin 1391 (20 March 2012): standard time all day.
    EXPECT_EQ(IranClock::moment(QDate(2012, 3, 20), {4, 44}).toUTC(), QDateTime(QDate(2012, 3, 20), QTime(1, 14), Qt::UTC));
    EXPECT_EQ(IranClock::shown(QDate(2012, 3, 20), {4, 44}), (ClockTime{4, 44}));
    // 2 Farvardin 1391: summer time.
    EXPECT_EQ(IranClock::shown(QDate(2012, 3, 21), {4, 44}), (ClockTime{5, 44}));
    // 31 Shahrivar 1401 and everything from 1402 on: standard time.
    EXPECT_EQ(IranClock::shown(QDate(2022, 9, 21), {12, 0}), (ClockTime{13, 0}));
    EXPECT_EQ(IranClock::shown(QDate(2022, 9, 22), {12, 0}), (ClockTime{12, 0}));
    EXPECT_EQ(IranClock::shown(QDate(2023, 6, 1), {12, 0}), (ClockTime{12, 0}));
    // A time moved past midnight by an offset stays after midnight.
    EXPECT_EQ(IranClock::moment(QDate(2026, 12, 7), {24, 5}), IranClock::moment(QDate(2026, 12, 8), {0, 5}));
}

TEST(DeviceClock, AWallClockTimeInTheSkippedHourComesAfterTheChange)
{
    // 2 Farvardin 1391 began at 01:00: 00:30 did not exist on Iran's clock.
    const QDateTime skipped = foundation::Clock::at(QDate(2012, 3, 21), QTime(0, 30));
    ASSERT_TRUE(skipped.isValid());
    EXPECT_EQ(skipped.toUTC(), QDateTime(QDate(2012, 3, 20), QTime(21, 0), Qt::UTC));
    EXPECT_EQ(skipped.time(), QTime(1, 30));
    // Another device zone: the same wall-clock reading is another moment.
    foundation::Clock::setZone(QTimeZone(QByteArrayLiteral("Europe/Berlin")));
    EXPECT_EQ(foundation::Clock::at(QDate(2026, 12, 7), QTime(10, 0)).toUTC().time(), QTime(9, 0));
    foundation::Clock::setZone(QTimeZone());
    EXPECT_EQ(foundation::Clock::zone().id(), QByteArrayLiteral("Asia/Tehran"));
    EXPECT_EQ(foundation::Clock::at(QDate(2026, 12, 7), QTime(10, 0)).toUTC().time(), QTime(6, 30));
}

TEST(LunarCalendar, FollowsTheObservedMonthsThenTheTabularRule)
{
    // From the observed table.
    EXPECT_EQ(LunarCalendar::fromGregorian(QDate(2012, 7, 21)), (HijriDate{1433, 9, 1}));
    EXPECT_EQ(LunarCalendar::fromGregorian(QDate(2012, 8, 18)), (HijriDate{1433, 9, 29}));
    EXPECT_EQ(LunarCalendar::fromGregorian(QDate(2012, 8, 19)), (HijriDate{1433, 10, 1}));
    EXPECT_EQ(LunarCalendar::firstDay(1447, 9), QDate(2026, 2, 19));
    EXPECT_EQ(LunarCalendar::monthLength(1447, 9), 30);
    EXPECT_EQ(LunarCalendar::lastObservedDay(), LunarCalendar::firstDay(1448, 11).addDays(-1));
    // After the table every month has 29 or 30 days up to the end of the data.
    const QDate end = PersianCalendar::toGregorian(PersianCalendar::lastDataDay());
    for (HijriDate h = LunarCalendar::fromGregorian(QDate(2012, 3, 20)); LunarCalendar::firstDay(h.year, h.month) <= end;) {
        const int length = LunarCalendar::monthLength(h.year, h.month);
        ASSERT_TRUE(length == 29 || length == 30) << h.year << "/" << h.month;
        h = h.month == 12 ? HijriDate{h.year + 1, 1, 1} : HijriDate{h.year, h.month + 1, 1};
    }
    // An edited line moves its month: the table is the source.
    QFile file(QStringLiteral(KELVARO_SOURCE_DIR "/resources/data/lunar-months.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString table = QString::fromUtf8(file.readAll());
    table.replace(QStringLiteral("1433\t9\t2012-07-21"), QStringLiteral("1433\t9\t2012-07-20"));
    LunarCalendar::setTable(table);
    EXPECT_EQ(LunarCalendar::ramadanDay(QDate(2012, 7, 20)), 1);
    LunarCalendar::setTable(QString());
    EXPECT_EQ(LunarCalendar::ramadanDay(QDate(2012, 7, 20)), 0);
    EXPECT_EQ(LunarCalendar::ramadanDay(QDate(2012, 7, 21)), 1);
}

} // namespace

namespace {

// tests/data/conversions.tsv: each day in the three calendars, from a source.
TEST(Conversions, EveryDayOfTheVectorsInTheThreeCalendars)
{
    QFile file(QStringLiteral(KELVARO_SOURCE_DIR "/tests/data/conversions.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    LunarCalendar::setAnnounced({});
    int rows = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 4) << line.toStdString();
        const QStringList p = cells[0].split(QLatin1Char('/'));
        const SolarDate solar{p.value(0).toInt(), p.value(1).toInt(), p.value(2).toInt()};
        const QDate gregorian = QDate::fromString(cells[1], Qt::ISODate);
        const std::string why = cells[3].toStdString();
        ASSERT_TRUE(PersianCalendar::isValid(solar)) << why;
        EXPECT_EQ(PersianCalendar::toGregorian(solar), gregorian) << why;
        EXPECT_EQ(PersianCalendar::fromGregorian(gregorian), solar) << why;
        if (cells[2] != QLatin1String("-")) {
            const QStringList h = cells[2].split(QLatin1Char('/'));
            EXPECT_EQ(LunarCalendar::fromGregorian(gregorian), (HijriDate{h.value(0).toInt(), h.value(1).toInt(), h.value(2).toInt()})) << why;
        }
        ++rows;
    }
    EXPECT_GE(rows, 30);
}

} // namespace
