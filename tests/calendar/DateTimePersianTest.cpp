#include "calendar/DateTimePersian.h"

#include "platform/foundation/Clock.h"

#include <gtest/gtest.h>

namespace {

struct Worked {
    QDate gregorian;
    int year, month, day, dayOfYear;
};

class TodayConversion : public ::testing::TestWithParam<Worked> {};

TEST_P(TodayConversion, MatchesTheWorkedExample)
{
    const Worked w = GetParam();
    // Late in the evening: only the local calendar day counts.
    const DateTimePersian date(QDateTime(w.gregorian, QTime(23, 59)));
    EXPECT_EQ(date.year(), w.year);
    EXPECT_EQ(date.month(), w.month);
    EXPECT_EQ(date.day(), w.day);
    EXPECT_EQ(date.dayOfYear(), w.dayOfYear);
}

INSTANTIATE_TEST_SUITE_P(Examples, TodayConversion,
    ::testing::Values(Worked{{2012, 2, 29}, 1390, 12, 10, 346}, Worked{{2012, 3, 19}, 1390, 12, 29, 365},
        Worked{{2012, 3, 20}, 1391, 1, 1, 1}, Worked{{2012, 7, 21}, 1391, 4, 31, 124},
        Worked{{2012, 9, 21}, 1391, 6, 31, 186}, Worked{{2012, 9, 22}, 1391, 7, 1, 187},
        Worked{{2012, 12, 31}, 1391, 10, 11, 287}, Worked{{2013, 1, 1}, 1391, 10, 12, 288},
        Worked{{2013, 3, 20}, 1391, 12, 30, 366}, Worked{{2013, 3, 21}, 1392, 1, 1, 1},
        Worked{{2014, 3, 21}, 1393, 1, 1, 1}));

TEST(DateTimePersian, TodayFollowsTheDeviceClock)
{
    foundation::Clock::freeze(QDateTime(QDate(2012, 7, 21), QTime(10, 0)));
    const DateTimePersian today;
    EXPECT_EQ(today.getPersianDate(), QStringLiteral("910431"));
    foundation::Clock::freeze(QDateTime(QDate(2012, 3, 24), QTime(0, 0)));
    EXPECT_EQ(DateTimePersian().getPersianDate(), QStringLiteral("910105"));
    foundation::Clock::reset();
}

TEST(DateTimePersian, EveryDayOfTheYearRoundTripsThroughItsKey)
{
    // Today's arithmetic and the platform's Persian calendar agree on 1391,
    // its leap day included.
    QDate g(2012, 3, 20);
    for (int n = 1; n <= 366; ++n, g = g.addDays(1)) {
        const DateTimePersian today{QDateTime(g, QTime(12, 0))};
        const DateTimePersian fromKey = DateTimePersian::initWithPersianDate(today.getPersianDate());
        ASSERT_EQ(today.dayOfYear(), n);
        ASSERT_EQ(fromKey.dayOfYear(), n) << today.getPersianDate().toStdString();
        ASSERT_EQ(fromKey.getPersianDate(), today.getPersianDate());
        ASSERT_EQ(fromKey.year(), 91);
    }
    const DateTimePersian last = DateTimePersian::initWithPersianDate(QStringLiteral("911230"));
    EXPECT_EQ(last.dayOfYear(), 366);
    EXPECT_EQ(DateTimePersian::initWithPersianDate(QStringLiteral("910105")).getFullPersianDate(), QStringLiteral("05 فروردین"));
    EXPECT_EQ(last.getFullPersianDate(), QStringLiteral("30 اسفند"));
}

TEST(DateTimePersian, NamesOfMonthsAndWeekdays)
{
    EXPECT_EQ(DateTimePersian::getMonthName(0), QStringLiteral("فروردین"));
    EXPECT_EQ(DateTimePersian::getMonthName(11), QStringLiteral("اسفند"));
    // 1 Farvardin 1391 was a Tuesday, 16 Azar 1405 a Monday.
    DateTimePersian date = DateTimePersian::initWithPersianDate(QStringLiteral("910101"));
    EXPECT_EQ(date.getDayOffWeek(), QStringLiteral("سه شنبه"));
    date.setDayOfYear(4);
    EXPECT_EQ(date.getDayOffWeek(), QStringLiteral("جمعه"));
    date.setDayOfYear(5);
    EXPECT_EQ(date.getDayOffWeek(), QStringLiteral("شنبه"));
    // Changing the day of the year touches nothing else.
    EXPECT_EQ(date.getPersianDate(), QStringLiteral("910101"));
    EXPECT_EQ(DateTimePersian::initWithPersianDate(QStringLiteral("1050916")).getDayOffWeek(), QStringLiteral("دوشنبه"));
}

TEST(DateTimePersian, TimesAreShownOnIransOfficialClock)
{
    // 1 Farvardin 1391 is standard time: the clocks moved at its end.
    DateTimePersian date = DateTimePersian::initWithPersianDate(QStringLiteral("910101"));
    EXPECT_EQ(date.formatHour(QStringLiteral("4:44")), QStringLiteral("04:44"));
    // Summer time from 2 Farvardin to 30 Shahrivar.
    date.setDayOfYear(2);
    EXPECT_EQ(date.formatHour(QStringLiteral("4:44")), QStringLiteral("05:44"));
    date.setDayOfYear(100);
    EXPECT_EQ(date.formatHour(QStringLiteral("4:5")), QStringLiteral("05:05"));
    date.setDayOfYear(10);
    EXPECT_EQ(date.formatHour(QStringLiteral("23:30")), QStringLiteral("00:30"));
    // 30 Shahrivar: summer time until 24:00, which is 23:00 standard time.
    date.setDayOfYear(185);
    EXPECT_EQ(date.formatHour(QStringLiteral("12:07")), QStringLiteral("13:07"));
    EXPECT_EQ(date.formatHour(QStringLiteral("22:59")), QStringLiteral("23:59"));
    EXPECT_EQ(date.formatHour(QStringLiteral("23:10")), QStringLiteral("23:10"));
    date.setDayOfYear(186);
    EXPECT_EQ(date.formatHour(QStringLiteral("12:07")), QStringLiteral("12:07"));
    EXPECT_EQ(date.formatHour(QStringLiteral("x:7")), QStringLiteral("00:07"));
    // The last summer of the clock change: 30 Shahrivar 1401 shifted,
    // 31 Shahrivar 1401 not; none from 1402 on.
    EXPECT_EQ(DateTimePersian::initWithPersianDate(QStringLiteral("1010630")).formatHour(QStringLiteral("12:05")), QStringLiteral("13:05"));
    EXPECT_EQ(DateTimePersian::initWithPersianDate(QStringLiteral("1010631")).formatHour(QStringLiteral("12:05")), QStringLiteral("12:05"));
    EXPECT_EQ(DateTimePersian::initWithPersianDate(QStringLiteral("1020401")).formatHour(QStringLiteral("12:05")), QStringLiteral("12:05"));
    EXPECT_EQ(DateTimePersian::initWithPersianDate(QStringLiteral("1050916")).formatHour(QStringLiteral("5:31")), QStringLiteral("05:31"));
}

TEST(DateTimePersian, MinuteOffsetsWrapAroundMidnight)
{
    const DateTimePersian date = DateTimePersian::initWithPersianDate(QStringLiteral("910101"));
    EXPECT_EQ(date.add(QStringLiteral("4:50"), -10), QStringLiteral("4:40"));
    EXPECT_EQ(date.add(QStringLiteral("23:55"), 10), QStringLiteral("0:5"));
    EXPECT_EQ(date.add(QStringLiteral("0:5"), -10), QStringLiteral("23:55"));
    EXPECT_EQ(date.add(QStringLiteral("5:3"), QStringLiteral("0")), QStringLiteral("5:3"));
    EXPECT_EQ(date.add(QStringLiteral("04:03"), QStringLiteral("-5")), QStringLiteral("3:58"));
}

TEST(DateTimePersian, RamadanDayFollowsTheObservedMonths)
{
    // Ramadan 1433 ran from 31 Tir 1391 (day 124) for 29 days.
    DateTimePersian date = DateTimePersian::initWithPersianDate(QStringLiteral("910101"));
    date.setDayOfYear(123);
    EXPECT_EQ(date.getHijriDate(), QStringLiteral(""));
    date.setDayOfYear(124);
    EXPECT_EQ(date.getHijriDate(), QStringLiteral("1 رمضان"));
    date.setDayOfYear(152);
    EXPECT_EQ(date.getHijriDate(), QStringLiteral("29 رمضان"));
    date.setDayOfYear(153);
    EXPECT_EQ(date.getHijriDate(), QStringLiteral(""));
    // Ramadan 1447 began on 30 Bahman 1404.
    EXPECT_EQ(DateTimePersian::initWithPersianDate(QStringLiteral("1041129")).getHijriDate(), QStringLiteral(""));
    EXPECT_EQ(DateTimePersian::initWithPersianDate(QStringLiteral("1041130")).getHijriDate(), QStringLiteral("1 رمضان"));
    // It had 30 days: Eid al-Fitr fell on 1 Farvardin 1405.
    EXPECT_EQ(DateTimePersian::initWithPersianDate(QStringLiteral("1041229")).getHijriDate(), QStringLiteral("30 رمضان"));
    EXPECT_EQ(DateTimePersian::initWithPersianDate(QStringLiteral("1050101")).getHijriDate(), QStringLiteral(""));
}

TEST(DateTimePersian, KeysOfEveryYearReadBack)
{
    const DateTimePersian last1399 = DateTimePersian::initWithPersianDate(QStringLiteral("991230"));
    const DateTimePersian first1400 = DateTimePersian::initWithPersianDate(QStringLiteral("1000101"));
    EXPECT_EQ(last1399.fullYear(), 1399);
    EXPECT_EQ(last1399.dayOfYear(), 366);
    EXPECT_EQ(first1400.fullYear(), 1400);
    EXPECT_EQ(first1400.month(), 1);
    EXPECT_EQ(first1400.day(), 1);
    EXPECT_EQ(first1400.getPersianDate(), QStringLiteral("1000101"));
    EXPECT_EQ(first1400.gregorian(), QDate(2021, 3, 21));
    EXPECT_EQ(last1399.gregorian().addDays(1), first1400.gregorian());
    // Today's object keeps four digits of the year and gives the same key.
    foundation::Clock::freeze(foundation::Clock::at(QDate(2026, 12, 7), QTime(10, 0)));
    const DateTimePersian today;
    EXPECT_EQ(today.year(), 1405);
    EXPECT_EQ(today.getPersianDate(), QStringLiteral("1050916"));
    EXPECT_EQ(today.getFullPersianDate(), QStringLiteral("16 آذر"));
    foundation::Clock::reset();
}

} // namespace
