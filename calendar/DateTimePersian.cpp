#include "DateTimePersian.h"

#include "ClockTime.h"
#include "DateKey.h"
#include "IranClock.h"
#include "LunarCalendar.h"
#include "PersianCalendar.h"

#include "platform/foundation/Clock.h"

#include <array>

namespace {

const std::array<const char*, 12> kMonthNames = {
    "فروردین", "اردیبهشت", "خرداد", "تیر", "مرداد", "شهریور",
    "مهر", "آبان", "آذر", "دی", "بهمن", "اسفند",
};

const std::array<const char*, 7> kWeekdayNames = {
    "شنبه", "یکشنبه", "دوشنبه", "سه شنبه", "چهارشنبه", "پنجشنبه", "جمعه",
};

} // namespace

DateTimePersian::DateTimePersian()
    : DateTimePersian(foundation::Clock::now())
{
}

DateTimePersian::DateTimePersian(const QDateTime& moment)
    : DateTimePersian(PersianCalendar::fromGregorian(moment.date()))
{
}

DateTimePersian::DateTimePersian(const SolarDate& date)
    : DateTimePersian(date.year, date.month, date.day, PersianCalendar::dayOfYear(date))
{
}

DateTimePersian::DateTimePersian(int year, int month, int day, int dayOfYear)
    : year_(year), month_(month), day_(day), dayOfYear_(dayOfYear)
{
}

DateTimePersian DateTimePersian::initWithPersianDate(const QString& key)
{
    const std::optional<SolarDate> date = DateKey::read(key);
    if (!date)
        return DateTimePersian(0, 0, 0, 0);
    const int dayOfYear = PersianCalendar::isValid(*date) ? PersianCalendar::dayOfYear(*date) : 0;
    return DateTimePersian(date->year - DateKey::kYearBase, date->month, date->day, dayOfYear);
}

int DateTimePersian::fullYear() const
{
    return year_ < DateKey::kYearBase ? year_ + DateKey::kYearBase : year_;
}

QDate DateTimePersian::gregorian() const
{
    return PersianCalendar::toGregorian({fullYear(), 1, 1}).addDays(dayOfYear_ - 1);
}

QString DateTimePersian::getPersianDate() const
{
    return DateKey::text(date());
}

QString DateTimePersian::getFullPersianDate() const
{
    return QString::asprintf("%02d ", day_) + getMonthName(month_ - 1);
}

QString DateTimePersian::getMonthName(int index)
{
    if (index < 0 || index >= static_cast<int>(kMonthNames.size()))
        return QString();
    return QString::fromUtf8(kMonthNames[static_cast<size_t>(index)]);
}

QString DateTimePersian::getDayOffWeek() const
{
    const QDate day = gregorian();
    if (!day.isValid())
        return QString();
    // Qt counts Monday 1 ... Sunday 7; the names start on Saturday.
    return QString::fromUtf8(kWeekdayNames[static_cast<size_t>((day.dayOfWeek() + 1) % 7)]);
}

QString DateTimePersian::formatHour(const QString& time) const
{
    return IranClock::shown(gregorian(), ClockTime::read(time)).padded();
}

QString DateTimePersian::add(const QString& time, int interval) const
{
    return ClockTime::shift(time, interval);
}

QString DateTimePersian::add(const QString& time, const QString& interval) const
{
    return add(time, interval.trimmed().toInt());
}

QString DateTimePersian::getHijriDate() const
{
    const int n = LunarCalendar::ramadanDay(gregorian());
    if (n == 0)
        return QStringLiteral("");
    return QString::asprintf("%d ", n) + QStringLiteral("رمضان");
}

QString DateTimePersian::getToday() const
{
    const SolarDate today = PersianCalendar::fromGregorian(foundation::Clock::now().date());
    return QString::asprintf("%d%d%d", today.year - DateKey::kYearBase, today.month, today.day);
}
