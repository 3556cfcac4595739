#include "DateTexts.h"

#include "DateTimePersian.h"
#include "PersianCalendar.h"

namespace {

const char* kWeekdays[PersianCalendar::kDaysPerWeek] = {"شنبه", "یکشنبه", "دوشنبه", "سه‌شنبه", "چهارشنبه", "پنجشنبه", "جمعه"};
const char* kGregorianMonths[12] = {"ژانویه", "فوریه", "مارس", "آوریل", "مه", "ژوئن", "ژوئیه", "اوت", "سپتامبر", "اکتبر", "نوامبر", "دسامبر"};

} // namespace

QString DateTexts::weekday(const QDate& date)
{
    return QString::fromUtf8(kWeekdays[PersianCalendar::weekday(PersianCalendar::fromGregorian(date))]);
}

QString DateTexts::solarDay(const SolarDate& date)
{
    return QString::number(date.day) + QLatin1Char(' ') + DateTimePersian::getMonthName(date.month - 1) + QLatin1Char(' ')
        + QString::number(date.year);
}

QString DateTexts::solar(const SolarDate& date)
{
    if (!PersianCalendar::isValid(date))
        return QString();
    return weekday(PersianCalendar::toGregorian(date)) + QLatin1Char(' ') + solarDay(date);
}

QString DateTexts::hijri(const QDate& date)
{
    return LunarCalendar::text(LunarCalendar::fromGregorian(date));
}

QString DateTexts::gregorianMonthName(int month)
{
    return month >= 1 && month <= 12 ? QString::fromUtf8(kGregorianMonths[month - 1]) : QString();
}

QString DateTexts::gregorian(const QDate& date)
{
    return QString::number(date.day()) + QLatin1Char(' ') + gregorianMonthName(date.month()) + QLatin1Char(' ') + QString::number(date.year());
}
