#include "CalendarSystem.h"

#include "DateTexts.h"
#include "DateTimePersian.h"
#include "HijriDates.h"
#include "PersianCalendar.h"

#include <algorithm>

CalendarSystem::Parts CalendarSystem::partsOf(const QDate& day, Kind kind)
{
    if (!day.isValid())
        return {};
    switch (kind) {
    case Kind::Solar: {
        const SolarDate s = PersianCalendar::fromGregorian(day);
        return {s.year, s.month, s.day};
    }
    case Kind::Gregorian:
        return {day.year(), day.month(), day.day()};
    case Kind::Hijri: {
        const HijriDate h = HijriDates::of(day).date;
        return {h.year, h.month, h.day};
    }
    }
    return {};
}

int CalendarSystem::daysInMonth(Kind kind, int year, int month)
{
    if (month < 1 || month > kMonths || year < kFirstYear || year > kLastYear)
        return 0;
    switch (kind) {
    case Kind::Solar:
        return PersianCalendar::daysInMonth(year, month);
    case Kind::Gregorian:
        return QDate(year, month, 1).daysInMonth();
    case Kind::Hijri:
        return HijriDates::monthLength(year, month);
    }
    return 0;
}

QDate CalendarSystem::toGregorian(Kind kind, const Parts& parts)
{
    if (parts.day < 1 || parts.day > daysInMonth(kind, parts.year, parts.month))
        return {};
    switch (kind) {
    case Kind::Solar:
        return PersianCalendar::toGregorian({parts.year, parts.month, parts.day});
    case Kind::Gregorian:
        return QDate(parts.year, parts.month, parts.day);
    case Kind::Hijri:
        return HijriDates::toGregorian({parts.year, parts.month, parts.day});
    }
    return {};
}

CalendarSystem::Parts CalendarSystem::addMonths(Kind kind, const Parts& parts, int months)
{
    const int index = parts.year * kMonths + parts.month - 1 + months;
    Parts p{index / kMonths, index % kMonths + 1, 0};
    p.day = std::min(parts.day, daysInMonth(kind, p.year, p.month));
    return p;
}

QString CalendarSystem::monthName(Kind kind, int month)
{
    if (month < 1 || month > kMonths)
        return {};
    switch (kind) {
    case Kind::Solar:
        return DateTimePersian::getMonthName(month - 1);
    case Kind::Gregorian:
        return DateTexts::gregorianMonthName(month);
    case Kind::Hijri:
        return LunarCalendar::monthName(month);
    }
    return {};
}

QString CalendarSystem::text(Kind kind, const Parts& parts)
{
    if (parts.day <= 0)
        return {};
    return QString::number(parts.day) + QLatin1Char(' ') + monthName(kind, parts.month) + QLatin1Char(' ') + QString::number(parts.year);
}

QString CalendarSystem::name(Kind kind)
{
    switch (kind) {
    case Kind::Solar:
        return QStringLiteral("شمسی");
    case Kind::Gregorian:
        return QStringLiteral("میلادی");
    case Kind::Hijri:
        return QStringLiteral("قمری");
    }
    return {};
}
