#include "DesktopNotifications.h"

#include "platform/foundation/Directories.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QUrl>

namespace device {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kAppName = QStringLiteral("Kelvaro");
const QString kStopLabel = QStringLiteral("توقف");
constexpr int kCallMs = 5000;
constexpr uint kDismissedByUser = 2;
constexpr uchar kNormalUrgency = 1;

QString iconUrl()
{
    return QUrl::fromLocalFile(QDir(foundation::Directories::resourcePath()).filePath(QStringLiteral("appIcon.png"))).toString();
}

} // namespace

DesktopNotifications::DesktopNotifications() = default;

bool DesktopNotifications::connectOnce()
{
    // The session bus is reached with the first notification, not at the
    // start: a start that notifies nothing never opens it.
    if (!bus_) {
        bus_ = QDBusConnection::sessionBus();
        if (bus_->isConnected()) {
            bus_->connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
            bus_->connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this, SLOT(notificationClosed(uint, uint)));
        }
    }
    return bus_->isConnected();
}

void DesktopNotifications::notify(const QString& body, int timeoutMs, bool stopAction, std::function<void(uint)> shown,
    std::function<void()> failed)
{
    if (!connectOnce()) {
        failed();
        return;
    }
    const QString icon = iconUrl();
    const QVariantMap hints{
        {QStringLiteral("image-path"), icon},
        {QStringLiteral("desktop-entry"), QStringLiteral(KELVARO_APP_ID)},
        // The app plays the notification's own sound.
        {QStringLiteral("suppress-sound"), true},
        {QStringLiteral("urgency"), QVariant::fromValue(kNormalUrgency)},
    };
    const QStringList actions = stopAction ? QStringList{QString::fromLatin1(kStopAction), kStopLabel} : QStringList{};
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << kAppName << 0u << icon << kAppName << body << actions << hints << timeoutMs;
    auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(call, kCallMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [this, shown = std::move(shown), failed = std::move(failed)](QDBusPendingCallWatcher* w) {
            const QDBusPendingReply<uint> reply = *w;
            w->deleteLater();
            if (reply.isError()) {
                failed();
                return;
            }
            shown_.insert(reply.value());
            shown(reply.value());
        });
}

void DesktopNotifications::actionInvoked(uint id, const QString& action)
{
    if (shown_.contains(id) && action == QLatin1String(kStopAction) && stop_)
        stop_(id);
}

void DesktopNotifications::notificationClosed(uint id, uint reason)
{
    // Expiry is the service's business; only the user's closing stops the sound.
    if (shown_.remove(id) && reason == kDismissedByUser && dismissed_)
        dismissed_(id);
}

} // namespace device
