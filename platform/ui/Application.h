#pragma once

#include "ApplicationDelegate.h"

#include <QList>
#include <QPointer>
#include <QString>

namespace ui {

class Window;

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
    // A notification whose moment has come while the app runs: told to the
    // delegate in front, kept for its return out of sight.
    void deliver(const notifications::LocalNotification& notification);
    // Given out of sight since the app was last in front.
    QList<notifications::LocalNotification> givenWhileAway() const { return away_; }
    // As many as are kept for the return; the oldest go first.
    static constexpr int kMaxAway = 64;

private:
    ApplicationDelegate* delegate_ = nullptr;
    QPointer<Window> keyWindow_;
    State state_ = State::NotRunning;
    QList<notifications::LocalNotification> away_;
};

} // namespace ui
