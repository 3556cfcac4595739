#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSet>

#include <functional>
#include <optional>

namespace device {

// The desktop's notification service (freedesktop notifications over the
// session bus): shows a notification with the app's name and icon, and
// reports its "stop" action and its closing by the user.
class DesktopNotifications : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kStopAction = "stop";

    DesktopNotifications();

    // Shows `body`; `timeoutMs` -1 leaves the time to the service. Then
    // either `shown` with the service's id or, when there is no service,
    // `failed`.
    void notify(const QString& body, int timeoutMs, bool stopAction, std::function<void(uint id)> shown, std::function<void()> failed);

    void setStopHandler(std::function<void(uint id)> handler) { stop_ = std::move(handler); }
    void setDismissHandler(std::function<void(uint id)> handler) { dismissed_ = std::move(handler); }

private slots:
    void actionInvoked(uint id, const QString& action);
    void notificationClosed(uint id, uint reason);

private:
    bool connectOnce();

    // Empty until the first notification.
    std::optional<QDBusConnection> bus_;
    QSet<uint> shown_;
    std::function<void(uint)> stop_;
    std::function<void(uint)> dismissed_;
};

} // namespace device
