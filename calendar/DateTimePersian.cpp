#include "DateTimePersian.h"

#include "platform/foundation/Clock.h"

#include <QCalendar>
#include <QStringList>

#include <array>

namespace {

const std::array<const char*, 12> kMonthNames = {
    "فروردین", "اردیبهشت", "خرداد", "تیر", "مرداد", "شهریور",
    "مهر", "آبان", "آذر", "دی", "بهمن", "اسفند",
};

const std::array<const char*, 7> kWeekdayNames = {
    "شنبه", "یکشنبه", "دوشنبه", "سه شنبه", "چهارشنبه", "پنجشنبه", "جمعه",
};

constexpr std::array<int, 12> kGregorianMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr std::array<int, 12> kPersianMonthDays = {31, 31, 31, 31, 31, 31, 30, 30, 30, 30, 30, 29};

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kFirstRamadanDay = 135;

struct ClockTime {
    int hour;
    int minute;
};

// "H:M" with or without leading zeros; a missing or non-numeric piece is 0.
ClockTime splitTime(const QString& time)
{
    const QStringList parts = time.split(QLatin1Char(':'));
    return {parts.value(0).trimmed().toInt(), parts.value(1).trimmed().toInt()};
}

QCalendar persianCalendar()
{
    return QCalendar(QCalendar::System::Jalali);
}

int ordinalDay(int month, int day)
{
    return month <= 6 ? (month - 1) * 31 + day : 186 + (month - 7) * 30 + day;
}

} // namespace

DateTimePersian::DateTimePersian()
    : DateTimePersian(foundation::Clock::now())
{
}

DateTimePersian::DateTimePersian(const QDateTime& moment)
{
    const QDate date = moment.toLocalTime().date();
    const int gy = date.year();
    const int gm = date.month();
    const int gd = date.day();

    std::array<int, 12> gregorian = kGregorianMonthDays;
    std::array<int, 12> persian = kPersianMonthDays;
    if (gy % 4 == 0)
        gregorian[1] = 29;

    int y = gy - 622;
    int s = gd;
    for (int i = 0; i < gm - 1; ++i)
        s += gregorian[static_cast<size_t>(i)];

    int leap = 0;
    if ((y + 1) % 4 == 0) {
        s += 1;
        leap = 1;
        persian[11] = 30;
    }
    s += 286;
    if (s > 365 + leap) {
        s -= 365 + leap;
        y += 1;
    }
    dayOfYear_ = s;

    int month = 1;
    for (int length : persian) {
        if (s - length <= 0)
            break;
        s -= length;
        ++month;
    }
    year_ = y;
    month_ = month;
    day_ = s;
}

DateTimePersian::DateTimePersian(int year, int month, int day, int dayOfYear)
    : year_(year), month_(month), day_(day), dayOfYear_(dayOfYear)
{
}

DateTimePersian DateTimePersian::initWithPersianDate(const QString& key)
{
    const int year = key.mid(0, 2).toInt();
    const int month = key.mid(2, 2).toInt();
    const int day = key.mid(4, 2).toInt();

    const QCalendar calendar = persianCalendar();
    const QDate date = calendar.dateFromParts(year + 1300, month, day);
    const int dayOfYear = date.isValid() ? date.dayOfYear(calendar) : ordinalDay(month, day);
    return DateTimePersian(year, month, day, dayOfYear);
}

QString DateTimePersian::getPersianDate() const
{
    return QString::asprintf("%d%02d%02d", year_ % 1300, month_, day_);
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
    const int index = ((dayOfYear_ - 2) % 7 + 7) % 7;
    return QString::fromUtf8(kWeekdayNames[static_cast<size_t>(index)]);
}

QString DateTimePersian::formatHour(const QString& time) const
{
    ClockTime clock = splitTime(time);
    if (dayOfYear_ <= kLastSummerDay)
        clock.hour = (clock.hour + 1) % 24;
    return QString::asprintf("%02d:%02d", clock.hour, clock.minute);
}

QString DateTimePersian::add(const QString& time, int interval) const
{
    // Plain minutes around the clock: no day of the year has a clock change
    // in standard time, which is what the stored times are.
    const ClockTime clock = splitTime(time);
    int minutes = (clock.hour * 60 + clock.minute + interval) % kMinutesPerDay;
    if (minutes < 0)
        minutes += kMinutesPerDay;
    return QString::asprintf("%d:%d", minutes / 60, minutes % 60);
}

QString DateTimePersian::add(const QString& time, const QString& interval) const
{
    return add(time, interval.trimmed().toInt());
}

QString DateTimePersian::getHijriDate() const
{
    const int n = dayOfYear_ - (kFirstRamadanDay - 1);
    if (n > 30)
        return QStringLiteral("");
    return QString::asprintf("%d ", n) + QStringLiteral("رمضان");
}

QString DateTimePersian::getToday() const
{
    const QCalendar calendar = persianCalendar();
    const QCalendar::YearMonthDay parts = calendar.partsFromDate(foundation::Clock::now().date());
    return QString::asprintf("%d%d%d", parts.year % 1300, parts.month, parts.day);
}
