#pragma once

#include <QDateTime>
#include <QTimeZone>

namespace foundation {

// The device clock. It runs in real time, but the device may start it at
// another moment (a phone whose clock the user has set), and tests may stop
// it at a moment of their choice. It keeps the device's time zone, Iran's
// official clock unless the device is told otherwise, whatever zone the
// machine itself is in.
class Clock {
public:
    // The current moment, in the device's zone.
    static QDateTime now();

    // From now on the clock reads `moment` and runs on in real time.
    static void setNow(const QDateTime& moment);
    // The clock stands still at `moment` until it is set or advanced again.
    static void freeze(const QDateTime& moment);
    // Moves the clock forward (or back, for a negative count).
    static void advance(qint64 seconds);
    // Back to the real clock (the zone stays).
    static void reset();

    static QTimeZone zone();
    // An invalid zone brings back the default, Asia/Tehran.
    static void setZone(const QTimeZone& zone);
    static QTimeZone defaultZone();

    // The moment that the device's clock shows as `date` `time`. A time that
    // the clock skips (the hour lost when summer time starts) is read as the
    // same time after the change, as a wall clock moved forward would.
    static QDateTime at(const QDate& date, const QTime& time);
    // The same, on a clock of `zone`.
    static QDateTime at(const QDate& date, const QTime& time, const QTimeZone& zone);
    // `moment` in the device's zone; a moment given without a zone
    // (Qt::LocalTime) is read as the device's wall-clock time, not the
    // machine's.
    static QDateTime onDevice(const QDateTime& moment);
};

} // namespace foundation
