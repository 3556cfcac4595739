#include "PersianCalendar.h"

#include <QCalendar>

#include <algorithm>

namespace {

const QCalendar& jalali()
{
    static const QCalendar calendar(QCalendar::System::Jalali);
    return calendar;
}

} // namespace

bool PersianCalendar::isLeapYear(int year)
{
    return jalali().isLeapYear(year);
}

int PersianCalendar::daysInMonth(int year, int month)
{
    return jalali().daysInMonth(month, year);
}

int PersianCalendar::daysInYear(int year)
{
    return jalali().daysInYear(year);
}

bool PersianCalendar::isValid(const SolarDate& date)
{
    return jalali().isDateValid(date.year, date.month, date.day);
}

QDate PersianCalendar::toGregorian(const SolarDate& date)
{
    return jalali().dateFromParts(date.year, date.month, date.day);
}

SolarDate PersianCalendar::fromGregorian(const QDate& date)
{
    const QCalendar::YearMonthDay parts = jalali().partsFromDate(date);
    return {parts.year, parts.month, parts.day};
}

int PersianCalendar::dayOfYear(const SolarDate& date)
{
    return toGregorian(date).dayOfYear(jalali());
}

SolarDate PersianCalendar::addDays(const SolarDate& date, int days)
{
    return fromGregorian(toGregorian(date).addDays(days));
}

SolarDate PersianCalendar::addMonths(const SolarDate& date, int months)
{
    const int index = date.year * kMonths + (date.month - 1) + months;
    const int year = index / kMonths;
    const int month = index % kMonths + 1;
    const int day = std::min(date.day, daysInMonth(year, month));
    return {year, month, day};
}

int PersianCalendar::weekday(const SolarDate& date)
{
    // Qt counts Monday 1 ... Sunday 7; Saturday is 6.
    return (toGregorian(date).dayOfWeek() + 1) % kDaysPerWeek;
}

SolarDate PersianCalendar::firstDataDay()
{
    return {kFirstYear, 1, 1};
}

SolarDate PersianCalendar::lastDataDay()
{
    return {kLastYear, kMonths, daysInMonth(kLastYear, kMonths)};
}

bool PersianCalendar::inData(const SolarDate& date)
{
    return isValid(date) && date >= firstDataDay() && date <= lastDataDay();
}
