#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

namespace device {

// The clock events a phone's system sends its apps: a new day at local
// midnight, the clock set to another moment (by hand, or the machine woke
// from sleep, which the monotonic clock does not count), or a change of the
// zone or of its offset from UTC (summer time).
class TimeEvents {
public:
    // A jump smaller than this is the clock being trimmed, not set.
    static constexpr qint64 kJumpMs = 30 * 1000;
    static constexpr int kPollMs = 1000;

    // `handler` gets the reasons of each change, once per change.
    explicit TimeEvents(std::function<void(const QStringList& reasons)> handler);

    void start();
    void stop();
    // Compares the device's clock with what it was and reports a change.
    void poll();
    // The device's clock was moved on as time passing (not as a jump) since
    // the last poll.
    void timePassed() { passed_ = true; }

private:
    void remember(const QDateTime& now);

    std::function<void(const QStringList&)> handler_;
    QTimer tick_;
    QElapsedTimer monotonic_;
    QDateTime last_;
    QByteArray zone_;
    int offset_ = 0;
    bool passed_ = false;
};

} // namespace device
