#pragma once

#include "platform/notifications/LocalNotification.h"

#include <QPointer>
#include <QString>

namespace ui {

class Window;
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

// The running app as the system sees it: its delegate, its key window and
// whether it is in front.
class Application {
public:
    enum class State { NotRunning, Active, Background };

    static Application* shared();

    void setDelegate(ApplicationDelegate* delegate) { delegate_ = delegate; }
    ApplicationDelegate* delegate() const { return delegate_; }
    Window* keyWindow() const;
    void setKeyWindow(Window* window);
    State state() const { return state_; }

    bool openURL(const QString& url);

    // Lifecycle, driven by the device.
    bool launch();
    void enterBackground();
    void enterForeground();
    void terminate();
    // Told by the system's clock (see ApplicationDelegate).
    void significantTimeChange();
    // A notification whose moment has come while the app runs.
    void deliver(const notifications::LocalNotification& notification);

private:
    ApplicationDelegate* delegate_ = nullptr;
    QPointer<Window> keyWindow_;
    State state_ = State::NotRunning;
};

} // namespace ui
