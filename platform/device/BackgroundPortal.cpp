#include "BackgroundPortal.h"

#include "platform/foundation/Log.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusObjectPath>

namespace device {

namespace {

const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kToken = QStringLiteral("kelvaro_background");
constexpr int kCallMs = 10000;
// What the user reads in the desktop's question.
const QString kReason = QStringLiteral("تا اذان‌ها با پنجرهٔ بسته هم پخش شوند و کلوارو با ورود به سیستم باز شود.");

// Where the portal answers: the request's path, made of the caller's bus
// name and the token (the portal's documented form), known before the call
// so that no answer comes before it is listened for.
QString requestPath(const QDBusConnection& bus)
{
    QString sender = bus.baseService();
    sender.remove(0, 1).replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, kToken);
}

QString yesNo(const QVariantMap& results, const char* key)
{
    return results.value(QLatin1String(key)).toBool() ? QStringLiteral("yes") : QStringLiteral("no");
}

} // namespace

BackgroundPortal::BackgroundPortal(QStringList commandLine)
    : commandLine_(std::move(commandLine))
{
}

void BackgroundPortal::request()
{
    if (asked_)
        return;
    asked_ = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        foundation::Log::write(QStringLiteral("background: no session bus; the autostart entry of the install starts Kelvaro at login"));
        return;
    }
    const QString service = QString::fromLatin1(kService);
    bus.connect(service, requestPath(bus), kRequestInterface, QStringLiteral("Response"), this, SLOT(response(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(service, QString::fromLatin1(kPath), QString::fromLatin1(kInterface), QStringLiteral("RequestBackground"));
    const QVariantMap options{
        {QStringLiteral("handle_token"), kToken},
        {QStringLiteral("reason"), kReason},
        {QStringLiteral("autostart"), true},
        {QStringLiteral("commandline"), commandLine_},
        {QStringLiteral("dbus-activatable"), false},
    };
    call << QString() << options;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kCallMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        w->deleteLater();
        if (!reply.isError())
            return;
        const QDBusError error = reply.error();
        if (error.type() == QDBusError::ServiceUnknown || error.type() == QDBusError::UnknownInterface
            || error.type() == QDBusError::UnknownMethod || error.type() == QDBusError::UnknownObject)
            foundation::Log::write(QStringLiteral("background: no Background portal; the autostart entry of the install starts Kelvaro at login"));
        else
            foundation::Log::write(QStringLiteral("background: the Background portal did not answer (%1); the autostart entry of the install starts "
                                                  "Kelvaro at login")
                                       .arg(error.message()));
    });
}

void BackgroundPortal::response(uint code, const QVariantMap& results)
{
    if (code != 0) {
        foundation::Log::write(QStringLiteral("background: the Background portal's request ended without a yes (%1); the autostart entry of the "
                                              "install starts Kelvaro at login")
                                   .arg(code));
        return;
    }
    foundation::Log::write(QStringLiteral("background: the Background portal lets Kelvaro run in the background: %1, start at login: %2")
                               .arg(yesNo(results, "background"), yesNo(results, "autostart")));
}

} // namespace device
