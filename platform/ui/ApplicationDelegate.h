#pragma once

#include "platform/notifications/LocalNotification.h"

#include <QString>

namespace ui {

class Application;

// The app's side of its lifecycle.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    virtual bool didFinishLaunching(Application* application) = 0;
    virtual void didReceiveLocalNotification(Application*, const notifications::LocalNotification&) {}
    virtual void willEnterForeground(Application*) {}
    virtual void didBecomeActive(Application*) {}
    virtual void didEnterBackground(Application*) {}
    virtual void willTerminate(Application*) {}
    // A new day has begun, or the clock or the time zone jumped.
    virtual void significantTimeChange(Application*) {}
    // A short text the system may show for the app while it is out of
    // sight (the desktop's tray): what comes next.
    virtual QString statusText(Application*) { return {}; }
};

} // namespace ui
