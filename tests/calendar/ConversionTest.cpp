// A date in any of the three calendars, typed, converted and counted: the
// lunar months beyond the table joined to it, dates typed as people type
// them, spans as ages are told, occasions found over the years.
#include "calendar/CalendarSystem.h"
#include "calendar/DateInput.h"
#include "calendar/DateSpan.h"
#include "calendar/EventSearch.h"
#include "calendar/HijriDates.h"
#include "calendar/LunarCalendar.h"
#include "calendar/PersianCalendar.h"

#include <QCalendar>

#include <gtest/gtest.h>

namespace {

using Kind = CalendarSystem::Kind;

// Every day of a stretch is the day after the one before, in the same
// month or on the first of the next, and reads back to itself.
void expectContinuous(const QDate& from, const QDate& to)
{
    HijriDate previous = HijriDates::of(from.addDays(-1)).date;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        const HijriDate h = HijriDates::of(d).date;
        ASSERT_GT(h.day, 0) << d.toString(Qt::ISODate).toStdString();
        const bool sameMonth = h.year == previous.year && h.month == previous.month && h.day == previous.day + 1;
        const bool nextMonth = h.day == 1 && previous.day >= LunarCalendar::kShortestMonth && previous.day <= LunarCalendar::kLongestMonth
            && (h.month == previous.month % 12 + 1) && (h.year == previous.year + (previous.month == 12 ? 1 : 0));
        ASSERT_TRUE(sameMonth || nextMonth) << d.toString(Qt::ISODate).toStdString() << ": " << previous.year << "/" << previous.month << "/"
                                            << previous.day << " then " << h.year << "/" << h.month << "/" << h.day;
        ASSERT_EQ(HijriDates::toGregorian(h), d) << d.toString(Qt::ISODate).toStdString();
        if (nextMonth) {
            ASSERT_EQ(HijriDates::monthLength(previous.year, previous.month), previous.day);
        }
        previous = h;
    }
}

TEST(HijriDates, WithinTheTableTheyAreTheTablesToTheDay)
{
    const QDate first = PersianCalendar::toGregorian(PersianCalendar::firstDataDay());
    const QDate last = PersianCalendar::toGregorian(PersianCalendar::lastDataDay());
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        const HijriDate table = LunarCalendar::fromGregorian(d);
        const HijriDates::Dated dated = HijriDates::of(d);
        ASSERT_EQ(dated.date, table) << d.toString(Qt::ISODate).toStdString();
        ASSERT_EQ(dated.source, LunarCalendar::sourceOf(table.year, table.month));
    }
    // 17 Azar 1405: the official calendar's day.
    const HijriDates::Dated azar17 = HijriDates::of(QDate(2026, 12, 8));
    EXPECT_EQ(azar17.date, LunarCalendar::fromGregorian(QDate(2026, 12, 8)));
    EXPECT_EQ(azar17.source, LunarCalendar::Source::Official);
    EXPECT_EQ(HijriDates::sourceName(azar17.source), "تقویم رسمی");
}

TEST(HijriDates, BeyondTheTableTheTabularMonthsJoinWithoutALostOrRepeatedDay)
{
    // Across both seams, and each month 29 or 30 days.
    const QDate tableStart = LunarCalendar::firstDay(1433, 1);
    ASSERT_TRUE(tableStart.isValid());
    expectContinuous(tableStart.addYears(-3), tableStart.addYears(1));
    const QDate tableEnd = LunarCalendar::firstDay(1460, 12);
    ASSERT_TRUE(tableEnd.isValid());
    expectContinuous(tableEnd.addYears(-1), tableEnd.addYears(3));
    EXPECT_EQ(HijriDates::of(tableEnd.addYears(2)).source, LunarCalendar::Source::Tabular);
    EXPECT_EQ(HijriDates::of(tableStart.addDays(-1)).source, LunarCalendar::Source::Tabular);

    // Years away from the seams they are the tabular calendar's own.
    const QCalendar civil(QCalendar::System::IslamicCivil);
    for (const QDate& d : {QDate(1900, 1, 1), QDate(1979, 11, 20), QDate(2050, 6, 30), QDate(2200, 2, 28), QDate(700, 3, 1)}) {
        const QCalendar::YearMonthDay p = civil.partsFromDate(d);
        EXPECT_EQ(HijriDates::of(d).date, (HijriDate{p.year, p.month, p.day})) << d.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(HijriDates::toGregorian({p.year, p.month, p.day}), d);
    }
    // A table that begins two days after the tabular calendar: the months
    // before it come back to the tabular days, 29 or 30 days each.
    const QDate tabular = civil.dateFromParts(1433, 1, 1);
    LunarCalendar::setTable(QStringLiteral("1433\t1\t%1\t\t\t\tobserved\n1433\t2\t%2\t\t\t\tobserved\n")
                                .arg(tabular.addDays(2).toString(Qt::ISODate), tabular.addDays(2 + 29).toString(Qt::ISODate)),
        QStringLiteral("#\n"));
    EXPECT_EQ(HijriDates::of(tabular.addDays(2)).date, (HijriDate{1433, 1, 1}));
    expectContinuous(tabular.addYears(-2), tabular.addYears(1));
    const QCalendar::YearMonthDay away = civil.partsFromDate(tabular.addYears(-2));
    EXPECT_EQ(HijriDates::of(tabular.addYears(-2)).date, (HijriDate{away.year, away.month, away.day}));
    LunarCalendar::setTable(QString());

    // Before the Hijra, no lunar date.
    const QDate epoch = civil.dateFromParts(1, 1, 1);
    EXPECT_EQ(HijriDates::of(epoch).date, (HijriDate{1, 1, 1}));
    EXPECT_EQ(HijriDates::of(epoch.addDays(-1)).date.day, 0);
    EXPECT_FALSE(HijriDates::toGregorian({0, 12, 1}).isValid());
    // A 30th the month lacks is no day.
    EXPECT_EQ(HijriDates::toGregorian({1433, 9, LunarCalendar::monthLength(1433, 9) + 1}), QDate());
}

TEST(DateInput, DatesAreReadAsPeopleTypeThemInEachCalendar)
{
    const QDate azar17(2026, 12, 8);
    for (const char* typed : {"1405/9/17", "۱۴۰۵/۰۹/۱۷", "١٤٠٥-٩-١٧", " 17 آذر 1405 ", "۱۷ آذر ۱۴۰۵", "1405 آذر 17", "17/9/1405"}) {
        const DateInput::Read r = DateInput::read(QString::fromUtf8(typed), Kind::Solar);
        EXPECT_EQ(r.day, azar17) << typed << ": " << r.error.toStdString();
        EXPECT_TRUE(r.error.isEmpty()) << typed;
    }
    for (const char* typed : {"2026/12/8", "8/12/2026", "2026-12-08", "8 December 2026", "Dec 8, 2026", "۸ دسامبر ۲۰۲۶"})
        EXPECT_EQ(DateInput::read(QString::fromUtf8(typed), Kind::Gregorian).day, azar17) << typed;
    const HijriDate h = LunarCalendar::fromGregorian(azar17);
    const QString hijri = QStringLiteral("%1 %2 %3").arg(h.day).arg(LunarCalendar::monthName(h.month)).arg(h.year);
    EXPECT_EQ(DateInput::read(hijri, Kind::Hijri).day, azar17);
    EXPECT_EQ(DateInput::read(QStringLiteral("%1/%2/%3").arg(h.year).arg(h.month).arg(h.day), Kind::Hijri).day, azar17);
    EXPECT_EQ(DateInput::read(QStringLiteral("28 جمادی الثانی 1448"), Kind::Hijri).day, DateInput::read(QStringLiteral("28 جمادی‌الآخر 1448"), Kind::Hijri).day);

    // A month's name says its calendar, whichever was chosen.
    const DateInput::Read named = DateInput::read(QStringLiteral("8 دسامبر 2026"), Kind::Solar);
    EXPECT_EQ(named.day, azar17);
    EXPECT_EQ(named.kind, Kind::Gregorian);
    EXPECT_EQ(DateInput::read(QStringLiteral("17 آذر 1405"), Kind::Hijri).kind, Kind::Solar);

    // Any year: the Persian and the Gregorian calendar have no end.
    EXPECT_EQ(DateInput::read(QStringLiteral("1300/1/1"), Kind::Solar).day, QDate(1921, 3, 21));
    EXPECT_EQ(DateInput::read(QStringLiteral("1 فروردین 1500"), Kind::Solar).day, PersianCalendar::toGregorian({1500, 1, 1}));
    EXPECT_EQ(DateInput::read(QStringLiteral("1/1/1800"), Kind::Gregorian).day, QDate(1800, 1, 1));
}

TEST(DateInput, ADateTheCalendarLacksIsRefusedWithTheReason)
{
    const DateInput::Read esfand = DateInput::read(QStringLiteral("30 اسفند 1404"), Kind::Solar);
    EXPECT_FALSE(esfand.day.isValid());
    EXPECT_TRUE(esfand.error.contains(QStringLiteral("اسفند 1404"))) << esfand.error.toStdString();
    EXPECT_TRUE(esfand.error.contains(QStringLiteral("29"))) << esfand.error.toStdString();
    EXPECT_TRUE(DateInput::read(QStringLiteral("1403/12/30"), Kind::Solar).day.isValid()) << "1403 is a leap year";
    EXPECT_FALSE(DateInput::read(QStringLiteral("31 مهر 1405"), Kind::Solar).day.isValid());
    EXPECT_FALSE(DateInput::read(QStringLiteral("29/2/2027"), Kind::Gregorian).day.isValid());
    EXPECT_TRUE(DateInput::read(QStringLiteral("29/2/2028"), Kind::Gregorian).day.isValid());
    // A 30th of a lunar month of 29 days, as the table has it.
    int year = 1433;
    int month = 1;
    while (LunarCalendar::monthLength(year, month) != LunarCalendar::kShortestMonth)
        month == 12 ? (++year, month = 1) : ++month;
    const DateInput::Read lunar = DateInput::read(QStringLiteral("%1/%2/30").arg(year).arg(month), Kind::Hijri);
    EXPECT_FALSE(lunar.day.isValid());
    EXPECT_TRUE(lunar.error.contains(QStringLiteral("29")));

    // A month of another calendar, refused: the example is that calendar's.
    const DateInput::Read ramadan = DateInput::read(QStringLiteral("1 رمضان"), Kind::Solar);
    EXPECT_EQ(ramadan.kind, Kind::Hijri);
    EXPECT_TRUE(ramadan.error.contains(QStringLiteral("1448/6/27"))) << ramadan.error.toStdString();
    // Words that name no month are said back without the date's signs,
    // in a sentence read from the right even when they are Latin.
    const DateInput::Read latin = DateInput::read(QStringLiteral("1405/1/1 abc"), Kind::Solar);
    EXPECT_TRUE(latin.error.startsWith(QChar(0x200F) + QStringLiteral("«abc» نام ماهی نیست."))) << latin.error.toStdString();
    EXPECT_TRUE(latin.error.isRightToLeft());

    // Not a date at all: each says so, none is taken.
    for (const char* typed : {"", "سلام", "1405/13/1", "1405/9/0", "17/9/05", "1405/9", "1405/9/17/3", "17 فلان 1405", "0/1/1"}) {
        const DateInput::Read r = DateInput::read(QString::fromUtf8(typed), Kind::Solar);
        EXPECT_FALSE(r.day.isValid()) << typed;
        EXPECT_FALSE(r.error.isEmpty()) << typed;
    }
}

TEST(DateInput, WhatTheFieldShowsReadsBackToTheSameDay)
{
    for (QDate d(1990, 1, 1); d < QDate(2040, 1, 1); d = d.addDays(13))
        for (const Kind kind : {Kind::Solar, Kind::Gregorian, Kind::Hijri})
            ASSERT_EQ(DateInput::read(DateInput::write(d, kind), kind).day, d) << d.toString(Qt::ISODate).toStdString() << " " << static_cast<int>(kind);
    // A year of two digits is written so that it reads as a year again.
    EXPECT_EQ(DateInput::write(QDate(26, 1, 8), Kind::Gregorian), "026/1/8");
    EXPECT_EQ(DateInput::read(DateInput::write(QDate(26, 1, 8), Kind::Gregorian), Kind::Gregorian).day, QDate(26, 1, 8));
}

TEST(DateSpan, DistancesAreToldInDaysWeeksAndMonthsAsAnAgeIs)
{
    const QDate nowruz = PersianCalendar::toGregorian({1405, 1, 1});
    const QDate azar17 = PersianCalendar::toGregorian({1405, 9, 17});
    const DateSpan s = DateSpan::between(azar17, nowruz, Kind::Solar);
    EXPECT_EQ(s.days, -262);
    EXPECT_EQ(s.daysBetween(), 261);
    EXPECT_EQ(s.daysCountingBoth(), 263);
    EXPECT_EQ(s.weeks(), 37);
    EXPECT_EQ(s.weekDays(), 3);
    EXPECT_EQ(s.yearsMonthsDays(), "8 ماه و 16 روز");
    EXPECT_EQ(DateSpan::between(nowruz, azar17, Kind::Solar).days, 262);

    // An age: 31 Shahrivar 1370 to 17 Azar 1405; Aban has no 31st.
    const DateSpan age = DateSpan::between(PersianCalendar::toGregorian({1370, 6, 31}), azar17, Kind::Solar);
    EXPECT_EQ((QList<int>{age.years, age.months, age.monthDays}), (QList<int>{35, 2, 17}));
    // A month from the last of a longer month is the last of a shorter one.
    EXPECT_EQ(DateSpan::between(PersianCalendar::toGregorian({1405, 6, 31}), PersianCalendar::toGregorian({1405, 7, 30}), Kind::Solar)
                  .yearsMonthsDays(),
        "1 ماه");
    const DateSpan feb = DateSpan::between(QDate(2027, 1, 31), QDate(2027, 3, 1), Kind::Gregorian);
    EXPECT_EQ((QList<int>{feb.years, feb.months, feb.monthDays}), (QList<int>{0, 1, 1}));
    EXPECT_EQ(DateSpan::between(azar17, azar17, Kind::Hijri).yearsMonthsDays(), "0 روز");
    // Lunar months as the table has them.
    const QDate ramadan = LunarCalendar::firstDay(1447, 9);
    const DateSpan lunar = DateSpan::between(ramadan, LunarCalendar::firstDay(1448, 9), Kind::Hijri);
    EXPECT_EQ((QList<int>{lunar.years, lunar.months, lunar.monthDays}), (QList<int>{1, 0, 0}));
}

EventRules::Rule rule(EventRules::Calendar calendar, int month, int day, const QString& text, bool holiday = false,
    EventRules::Kind kind = EventRules::Kind::Iran)
{
    EventRules::Rule r;
    r.calendar = calendar;
    r.month = month;
    r.day = QString::number(day);
    r.text = text;
    r.holiday = holiday;
    r.kind = kind;
    r.firstYear = 1391;
    r.lastYear = 9999;
    return r;
}

TEST(EventSearch, FindsAnOccasionOnEveryDayItFallsOnAsTheCalendarPlacesIt)
{
    EventRules rules;
    rules.add(rule(EventRules::Calendar::Lunar, 1, 9, QStringLiteral("تاسوعای حسینی"), true));
    rules.add(rule(EventRules::Calendar::Solar, 9, 30, QStringLiteral("شب یلدا")));
    rules.add(rule(EventRules::Calendar::Gregorian, 12, 25, QStringLiteral("کریسمس"), false, EventRules::Kind::International));
    rules.add(rule(EventRules::Calendar::Gregorian, 10, 1, QStringLiteral("روز آزمایشی تاسوعا"), true, EventRules::Kind::International));

    const SolarDate first = PersianCalendar::firstDataDay();
    const SolarDate last = PersianCalendar::lastDataDay();
    const QList<EventSearch::Found> tasua = EventSearch::find(rules, QStringLiteral("تاسوعا"), first, last);
    QList<SolarDate> days;
    for (const EventSearch::Found& f : tasua)
        if (f.event.text == QStringLiteral("تاسوعای حسینی"))
            days.append(f.day);
    // 1391 to 1410: twenty Persian years hold twenty or twenty-one 9 Muharrams.
    ASSERT_GE(days.size(), 20);
    for (int i = 0; i < days.size(); ++i) {
        const HijriDate h = LunarCalendar::fromGregorian(PersianCalendar::toGregorian(days[i]));
        EXPECT_EQ((QList<int>{h.month, h.day}), (QList<int>{1, 9}));
        if (i > 0) {
            EXPECT_LT(days[i - 1], days[i]) << "in date order";
        }
    }
    EXPECT_TRUE(days.contains(PersianCalendar::fromGregorian(LunarCalendar::firstDay(1448, 1).addDays(8))));
    // An international day unshown is not found, unless it is a holiday (as
    // the month shows it); the Persian letter forms and spaces do not matter.
    EXPECT_EQ(tasua.size(), days.size() + 20);
    EXPECT_TRUE(EventSearch::find(rules, QStringLiteral("کریسمس"), first, last).isEmpty());
    EventRules::Kinds all{true, true, true, true};
    rules.setShown(all);
    EXPECT_EQ(EventSearch::find(rules, QStringLiteral("كريسمس"), first, last).size(), 20);
    EXPECT_EQ(EventSearch::find(rules, QStringLiteral("شب‌یلدا"), {1405, 1, 1}, {1405, 12, 29}).size(), 1);
    EXPECT_TRUE(EventSearch::find(rules, QStringLiteral("ت"), first, last).isEmpty()) << "one letter matches too much";
    EXPECT_TRUE(EventSearch::find(rules, QStringLiteral("نوروز"), first, last).isEmpty());
}

} // namespace
