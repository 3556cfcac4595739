#include "Banner.h"

#include "platform/foundation/Log.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "platform/ui/Window.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QTimer>

namespace device {

namespace {

constexpr int kBannerMs = 6000;
constexpr int kDesktopTimeoutMs = 10000;

bool desktopNotify(const QString& text)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusInterface service(QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), bus);
    if (!service.isValid())
        return false;
    const QDBusReply<uint> reply = service.call(QStringLiteral("Notify"), QStringLiteral("Kelvaro"), 0u, QString(),
        QStringLiteral("Kelvaro"), text, QStringList(), QVariantMap(), kDesktopTimeoutMs);
    return reply.isValid();
}

} // namespace

void showBanner(ui::Window* window, const QString& text)
{
    foundation::Log::write(QStringLiteral("banner: ") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    if (desktopNotify(text) || !window)
        return;
    auto* banner = new ui::Label(QRect(6, 6, ui::Window::kWidth - 12, 64));
    banner->setParent(window);
    banner->setBackgroundColor(QColor(20, 20, 28, 235));
    banner->setCornerRadius(10);
    banner->setTextColor(Qt::white);
    banner->setNumberOfLines(0);
    banner->setTextAlignment(ui::TextAlignment::Center);
    banner->setFont(ui::font(QStringLiteral("Helvetica"), 15));
    banner->setText(text);
    banner->show();
    banner->raise();
    QTimer::singleShot(kBannerMs, banner, [banner] { banner->removeFromSuperview(); });
}

} // namespace device
