#pragma once

#include "BackgroundPortal.h"
#include "Notifier.h"
#include "TimeEvents.h"
#include "Tray.h"

#include "platform/notifications/NotificationCenter.h"

#include <QTimer>

#include <functional>
#include <memory>

namespace ui {
class Application;
}

namespace device {

// What the phone's system runs beside the app: its notifications, the tray,
// the desktop's leave to run with the window closed, and its clock's
// events; and what it does with the app's window.
class System {
public:
    notifications::NotificationCenter* center = notifications::NotificationCenter::shared();
    std::unique_ptr<Notifier> notifier;
    std::unique_ptr<Tray> tray;
    std::unique_ptr<TimeEvents> clock;
    // Asked the first time the app goes out of sight.
    std::unique_ptr<BackgroundPortal> portal;
    // Tells the tray what the app says of itself.
    std::function<void()> showStatus = [] {};
    std::unique_ptr<QTimer> statusTimer;

    // Starts the app: what came due while it was not running fires first (or
    // is logged as missed), then the app launches and plans anew; the pending
    // list that results is written once.
    void launch(ui::Application* app) const;

    static void bringToFront();
    // Out of sight: into the tray where there is one, else minimised.
    void sendToBackground() const;
    // The window closed: the app runs on out of sight, with a tray or
    // without one; the tray or a second start brings it back, and only an
    // explicit quit ends it.
    void closeToBackground() const;
    static void quit(int status);
    // Lets device time pass: each notification and each new day on the way
    // comes at its own moment, as if the time had passed; a step back is
    // the clock being set.
    void letTimePass(qint64 minutes) const;

    // Moments one pass of time may go through, at the most.
    static constexpr int kMaxSteps = 100000;
};

} // namespace device
