#include "DayTimes.h"

#include "DateKey.h"
#include "IranClock.h"
#include "PersianCalendar.h"

namespace {

struct Names {
    const char* name;
    const char* shortName;
};
const Names kNames[kTimesOfDay] = {
    {"اذان صبح", "صبح"},
    {"طلوع آفتاب", "طلوع"},
    {"اذان ظهر", "ظهر"},
    {"غروب آفتاب", "غروب"},
    {"اذان مغرب", "مغرب"},
    {"نیمه شب شرعی", "نیمه‌شب"},
};
const char* kTomorrow = " فردا";

bool nextDay(DayTime time)
{
    return static_cast<int>(time) >= kTimesOfDay;
}

} // namespace

DayTime ofTheDay(DayTime time)
{
    return nextDay(time) ? static_cast<DayTime>(static_cast<int>(time) - kTimesOfDay) : time;
}

QString dayTimeName(DayTime time)
{
    const int i = static_cast<int>(ofTheDay(time));
    if (i < 0 || i >= kTimesOfDay)
        return {};
    return QString::fromUtf8(kNames[i].name) + (nextDay(time) ? QString::fromUtf8(kTomorrow) : QString());
}

QString dayTimeShortName(DayTime time)
{
    const int i = static_cast<int>(ofTheDay(time));
    return i >= 0 && i < kTimesOfDay ? QString::fromUtf8(kNames[i].shortName) : QString();
}

QDateTime DayTimes::moment(DayTime time) const
{
    const SolarDate solar = DateKey::read(key);
    const int i = static_cast<int>(time);
    if (!PersianCalendar::isValid(solar) || i < 0 || i >= kTimesOnPage || !stored[static_cast<size_t>(i)])
        return {};
    QDate date = PersianCalendar::toGregorian(solar);
    const ClockTime t = *stored[static_cast<size_t>(i)];
    const std::optional<ClockTime>& evening = at(DayTime::Evening);
    if (nextDay(time) || (time == DayTime::Midnight && evening && t.minutes() < evening->minutes()))
        date = date.addDays(1);
    return IranClock::moment(date, t);
}

QString DayTimes::shown(DayTime time) const
{
    const QDateTime m = moment(time);
    if (!m.isValid())
        return {};
    const QTime clock = m.toTimeZone(IranClock::official()).time();
    return ClockTime{clock.hour(), clock.minute()}.padded();
}
