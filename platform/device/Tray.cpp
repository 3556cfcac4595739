#include "Tray.h"

#include "platform/ui/Style.h"


namespace device {

namespace {
constexpr int kMessageMs = 10000;

QIcon trayIcon()
{
    return ui::icon(QStringLiteral("trayIcon.png"));
}
} // namespace

bool Tray::isAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

Tray::Tray(Actions actions)
    : actions_(std::move(actions))
    , open_(menu_.addAction(QStringLiteral("باز کردن")))
    , stop_(menu_.addAction(QStringLiteral("توقف اذان")))
    , quit_(menu_.addAction(QStringLiteral("خروج")))
{
    menu_.setLayoutDirection(Qt::RightToLeft);
    QObject::connect(open_, &QAction::triggered, &menu_, [this] { actions_.open(); });
    QObject::connect(stop_, &QAction::triggered, &menu_, [this] { actions_.stopSound(); });
    QObject::connect(quit_, &QAction::triggered, &menu_, [this] { actions_.quit(); });
    stop_->setEnabled(false);
    icon_.setIcon(trayIcon());
    icon_.setContextMenu(&menu_);
    icon_.setToolTip(QStringLiteral("Kelvaro"));
    QObject::connect(&icon_, &QSystemTrayIcon::activated, &menu_, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            actions_.open();
    });
    icon_.show();
}

void Tray::setToolTip(const QString& text)
{
    if (icon_.toolTip() != text)
        icon_.setToolTip(text);
}

void Tray::setSoundPlaying(bool playing)
{
    stop_->setEnabled(playing);
}

bool Tray::showMessage(const QString& text)
{
    if (!QSystemTrayIcon::supportsMessages())
        return false;
    icon_.showMessage(QStringLiteral("Kelvaro"), text, trayIcon(), kMessageMs);
    return true;
}

bool Tray::choose(const QString& entry)
{
    QAction* action = entry == QLatin1String("open") ? open_
        : entry == QLatin1String("stop")             ? stop_
        : entry == QLatin1String("quit")             ? quit_
                                                     : nullptr;
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

} // namespace device
