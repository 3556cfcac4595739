#include "IranClock.h"

QTimeZone IranClock::official()
{
    static const QTimeZone zone(QByteArrayLiteral("Asia/Tehran"));
    return zone;
}

QTimeZone IranClock::standard()
{
    static const QTimeZone zone(kStandardOffsetSeconds);
    return zone;
}

QDateTime IranClock::moment(const QDate& day, const ClockTime& stored)
{
    // Minutes rather than a QTime, so that a time moved past midnight by a
    // city's offsets still lands on the right side of it.
    return QDateTime(day, QTime(0, 0), standard()).addSecs(static_cast<qint64>(stored.minutes()) * 60);
}

ClockTime IranClock::shown(const QDate& day, const ClockTime& stored)
{
    const QTime time = moment(day, stored).toTimeZone(official()).time();
    return {time.hour(), time.minute()};
}
