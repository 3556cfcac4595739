#include "ClockTime.h"

#include <QStringList>

ClockTime ClockTime::read(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    return {parts.value(0).trimmed().toInt(), parts.value(1).trimmed().toInt()};
}

std::optional<ClockTime> ClockTime::readStrict(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 2)
        return std::nullopt;
    bool okHour = false;
    bool okMinute = false;
    const int hour = parts[0].trimmed().toInt(&okHour);
    const int minute = parts[1].trimmed().toInt(&okMinute);
    if (!okHour || !okMinute || hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return std::nullopt;
    return ClockTime{hour, minute};
}

QString ClockTime::padded() const
{
    return QString::asprintf("%02d:%02d", hour, minute);
}

ClockTime ClockTime::fromMinutes(int minutes)
{
    int m = minutes % kMinutesPerDay;
    if (m < 0)
        m += kMinutesPerDay;
    return {m / 60, m % 60};
}

QString ClockTime::shift(const QString& time, int minutes)
{
    // Plain minutes around the clock: stored times are standard time, which
    // has no clock change.
    const ClockTime t = fromMinutes(read(time).minutes() + minutes);
    return QString::asprintf("%d:%d", t.hour, t.minute);
}
