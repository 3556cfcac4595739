#pragma once

#include <QDateTime>

namespace foundation {

// The device clock. It runs in real time, but the device may start it at
// another moment (a phone whose clock the user has set), and tests may stop
// it at a moment of their choice.
class Clock {
public:
    // The current moment, in local time.
    static QDateTime now();

    // From now on the clock reads `moment` and runs on in real time.
    static void setNow(const QDateTime& moment);
    // The clock stands still at `moment` until it is set or advanced again.
    static void freeze(const QDateTime& moment);
    // Moves the clock forward (or back, for a negative count).
    static void advance(qint64 seconds);
    // Back to the real clock.
    static void reset();
};

} // namespace foundation
