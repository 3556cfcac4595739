#include "Clock.h"

namespace foundation {

namespace {
qint64 offsetMs = 0;
bool frozen = false;
QDateTime frozenAt;

QTimeZone& deviceZone()
{
    static QTimeZone zone = Clock::defaultZone();
    return zone;
}

} // namespace

QDateTime Clock::now()
{
    if (frozen)
        return frozenAt.toTimeZone(zone());
    return QDateTime::currentDateTimeUtc().addMSecs(offsetMs).toTimeZone(zone());
}

void Clock::setNow(const QDateTime& moment)
{
    frozen = false;
    offsetMs = QDateTime::currentDateTimeUtc().msecsTo(onDevice(moment));
}

void Clock::freeze(const QDateTime& moment)
{
    frozen = true;
    frozenAt = onDevice(moment);
}

void Clock::advance(qint64 seconds)
{
    if (frozen)
        frozenAt = frozenAt.addSecs(seconds);
    else
        offsetMs += seconds * 1000;
}

void Clock::reset()
{
    frozen = false;
    offsetMs = 0;
    frozenAt = QDateTime();
}

QTimeZone Clock::zone()
{
    return deviceZone();
}

void Clock::setZone(const QTimeZone& zone)
{
    deviceZone() = zone.isValid() ? zone : defaultZone();
}

QTimeZone Clock::defaultZone()
{
    return QTimeZone(QByteArrayLiteral("Asia/Tehran"));
}

QDateTime Clock::at(const QDate& date, const QTime& time)
{
    return at(date, time, zone());
}

QDateTime Clock::at(const QDate& date, const QTime& time, const QTimeZone& z)
{
    const QDateTime moment(date, time, z);
    if (moment.isValid())
        return moment;
    // In a gap: read the time with the offset in force the day before, which
    // lands it after the change by the length of the gap.
    const QDateTime before(date.addDays(-1), time, z);
    const int offset = before.isValid() ? before.offsetFromUtc() : z.standardTimeOffset(QDateTime(date, QTime(12, 0), Qt::UTC));
    return QDateTime(date, time, Qt::OffsetFromUTC, offset).toTimeZone(z);
}

QDateTime Clock::onDevice(const QDateTime& moment)
{
    if (!moment.isValid())
        return moment;
    if (moment.timeSpec() == Qt::LocalTime)
        return at(moment.date(), moment.time());
    return moment.toTimeZone(zone());
}

} // namespace foundation
