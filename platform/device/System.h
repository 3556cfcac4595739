#pragma once

#include "Notifier.h"
#include "TimeEvents.h"
#include "Tray.h"

#include "platform/notifications/NotificationCenter.h"

#include <memory>

namespace device {

// What the phone's system runs beside the app: its notifications, the tray
// that keeps it running with the window closed, and its clock's events;
// and what it does with the app's window.
class System {
public:
    notifications::NotificationCenter* center = notifications::NotificationCenter::shared();
    std::unique_ptr<Notifier> notifier;
    std::unique_ptr<Tray> tray;
    std::unique_ptr<TimeEvents> clock;

    static void bringToFront();
    // Out of sight: into the tray where there is one, else minimised.
    void sendToBackground() const;
    static void quit(int status);
    // Lets device time pass: each notification and each new day on the way
    // comes at its own moment, as if the time had passed; a step back is
    // the clock being set.
    void letTimePass(qint64 minutes) const;

    // Moments one pass of time may go through, at the most.
    static constexpr int kMaxSteps = 100000;
};

} // namespace device
