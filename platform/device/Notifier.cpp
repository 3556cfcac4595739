#include "Notifier.h"

#include "Banner.h"
#include "Tray.h"

#include "platform/audio/SoundFile.h"
#include "platform/foundation/Log.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/TextDrawing.h"
#include "platform/ui/Window.h"

namespace device {

namespace {
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '));
}
} // namespace

Notifier::Notifier()
{
    auto stop = [this](uint id) { sound_.stop(sounds_.take(id)); };
    desktop_.setStopHandler(stop);
    desktop_.setDismissHandler(stop);
}

void Notifier::deliver(const notifications::LocalNotification& n)
{
    if (ui::Application::shared()->state() == ui::Application::State::Active)
        inFront(n);
    else
        outOfSight(n);
}

void Notifier::inFront(const notifications::LocalNotification& n)
{
    foundation::Log::write(QStringLiteral("alert: ") + oneLine(n.alertBody));
    const QList<ui::AlertView*> before = ui::AlertView::visibleAlerts();
    ui::Application::shared()->deliver(n);
    const quint64 token = sound_.play(n.soundName);
    if (token == 0)
        return;
    // The alerts the app showed for it: closing one (its "Ok") ends the sound.
    for (ui::AlertView* alert : ui::AlertView::visibleAlerts()) {
        if (!before.contains(alert))
            connect(alert, &QObject::destroyed, this, [this, token] { sound_.stop(token); });
    }
}

void Notifier::outOfSight(const notifications::LocalNotification& n)
{
    // The notification keeps its text; the desktop is shown the digits in
    // their Persian shapes, as the app's own screens draw them.
    const QString text = ui::shownText(n.alertBody);
    foundation::Log::write(QStringLiteral("banner: ") + oneLine(n.alertBody));
    const quint64 token = sound_.play(n.soundName);
    // It stays while its sound plays.
    const int timeout = token == 0 ? -1 : static_cast<int>(audio::SoundFile::durationMs(audio::SoundFile::resolve(n.soundName))) + kLingerMs;
    desktop_.notify(
        text, timeout, token != 0,
        [this, token](uint id) {
            // Sounds that ended have nothing left to stop.
            sounds_.removeIf([this](const QHash<uint, quint64>::iterator& it) { return it.value() != sound_.token(); });
            if (token != 0 && token == sound_.token())
                sounds_.insert(id, token);
        },
        [this, text] { withoutService(text); });
}

void Notifier::withoutService(const QString& text)
{
    ui::Window* window = ui::Application::shared()->keyWindow();
    if (window && window->isVisible() && !window->isMinimized()) {
        showBanner(window, text);
        return;
    }
    if (tray_ && tray_->showMessage(text))
        return;
    if (!toldNowhere_)
        foundation::Log::write(QStringLiteral("no notification service and nowhere to show one: notifications are only logged"));
    toldNowhere_ = true;
}

} // namespace device
