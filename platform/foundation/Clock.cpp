#include "Clock.h"

namespace foundation {

namespace {
qint64 offsetMs = 0;
bool frozen = false;
QDateTime frozenAt;
} // namespace

QDateTime Clock::now()
{
    if (frozen)
        return frozenAt;
    return QDateTime::currentDateTime().addMSecs(offsetMs);
}

void Clock::setNow(const QDateTime& moment)
{
    frozen = false;
    offsetMs = QDateTime::currentDateTime().msecsTo(moment);
}

void Clock::freeze(const QDateTime& moment)
{
    frozen = true;
    frozenAt = moment;
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

} // namespace foundation
