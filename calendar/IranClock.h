#pragma once

#include "ClockTime.h"

#include <QDateTime>
#include <QTimeZone>

// Iran's clock. The database stores standard time (UTC+3:30): a stored time
// T on day D is the moment D T at UTC+3:30. What the screens show and when
// the notifications fire is that moment on Iran's official clock, taken from
// the tz database (summer time and its abolition included), never from a
// rule written here.
class IranClock {
public:
    static QTimeZone official();
    static QTimeZone standard();

    // The moment at which a stored (standard) time falls on `day`.
    static QDateTime moment(const QDate& day, const ClockTime& stored);
    // The same moment as Iran's official clock shows it.
    static ClockTime shown(const QDate& day, const ClockTime& stored);

    static constexpr int kStandardOffsetSeconds = 3 * 3600 + 30 * 60;
};
