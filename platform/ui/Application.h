#pragma once

#include "ApplicationDelegate.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

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
    // The user asks to quit (a menu's quit entry, Ctrl+Q): the delegate may
    // ask first; the system's quit handler ends the app.
    void requestQuit();
    void setQuitHandler(std::function<void()> handler) { quit_ = std::move(handler); }
    // Brings the app's window to the front, as the system does (for a
    // question asked while it is out of sight).
    void bringToFront();
    void setFrontHandler(std::function<void()> handler) { front_ = std::move(handler); }
    // A notification whose moment has come while the app runs: told to the
    // delegate in front, kept for its return out of sight.
    void deliver(const notifications::LocalNotification& notification);
    // Notifications that could not be given at their moment: marked
    // (LocalNotification::kMissed) and told with those given out of sight,
    // at once in front, else at the launch or the return.
    void missed(const QList<notifications::LocalNotification>& list);
    // Given out of sight, or missed, since the app was last in front.
    QList<notifications::LocalNotification> givenWhileAway() const { return away_; }
    // As many as are kept for the return; the oldest go first.
    static constexpr int kMaxAway = 64;

private:
    void keepForReturn(const notifications::LocalNotification& notification);
    void tellWhatCameWhileAway();

    ApplicationDelegate* delegate_ = nullptr;
    QPointer<Window> keyWindow_;
    State state_ = State::NotRunning;
    QList<notifications::LocalNotification> away_;
    std::function<void()> quit_;
    std::function<void()> front_;
};

} // namespace ui
