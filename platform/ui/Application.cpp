#include "Application.h"

#include "Window.h"

#include "platform/foundation/UrlOpener.h"

#include <utility>

namespace ui {

Application* Application::shared()
{
    static Application application;
    return &application;
}

Window* Application::keyWindow() const
{
    return keyWindow_.data();
}

void Application::setKeyWindow(Window* window)
{
    keyWindow_ = window;
}

bool Application::openURL(const QString& url)
{
    return foundation::UrlOpener::open(url);
}

bool Application::launch()
{
    const bool ok = delegate_ ? delegate_->didFinishLaunching(this) : true;
    state_ = State::Active;
    if (delegate_)
        delegate_->didBecomeActive(this);
    // What was missed while the app was not running.
    tellWhatCameWhileAway();
    return ok;
}

void Application::enterBackground()
{
    if (state_ != State::Active)
        return;
    state_ = State::Background;
    if (delegate_)
        delegate_->didEnterBackground(this);
}

void Application::enterForeground()
{
    if (state_ != State::Background)
        return;
    if (delegate_)
        delegate_->willEnterForeground(this);
    state_ = State::Active;
    if (delegate_)
        delegate_->didBecomeActive(this);
    tellWhatCameWhileAway();
}

void Application::tellWhatCameWhileAway()
{
    const QList<notifications::LocalNotification> away = std::exchange(away_, {});
    if (delegate_ && !away.isEmpty())
        delegate_->didReceiveLocalNotificationsWhileAway(this, away);
}

void Application::terminate()
{
    if (state_ == State::NotRunning)
        return;
    if (delegate_)
        delegate_->willTerminate(this);
    state_ = State::NotRunning;
}

void Application::requestQuit()
{
    auto quit = [this] {
        if (quit_)
            quit_();
    };
    if (delegate_ && state_ != State::NotRunning)
        delegate_->confirmQuit(this, quit);
    else
        quit();
}

void Application::bringToFront()
{
    if (front_)
        front_();
}

void Application::significantTimeChange()
{
    if (state_ != State::NotRunning && delegate_)
        delegate_->significantTimeChange(this);
}

void Application::deliver(const notifications::LocalNotification& notification)
{
    if (state_ == State::Active) {
        if (delegate_)
            delegate_->didReceiveLocalNotification(this, notification);
        return;
    }
    if (state_ != State::Background)
        return;
    keepForReturn(notification);
}

void Application::missed(const QList<notifications::LocalNotification>& list)
{
    for (notifications::LocalNotification n : list) {
        n.userInfo.insert(QLatin1String(notifications::LocalNotification::kMissed), true);
        keepForReturn(n);
    }
    if (state_ == State::Active)
        tellWhatCameWhileAway();
}

void Application::keepForReturn(const notifications::LocalNotification& notification)
{
    away_.append(notification);
    if (away_.size() > kMaxAway)
        away_.removeFirst();
}

} // namespace ui
