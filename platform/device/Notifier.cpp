#include "Notifier.h"

#include "Banner.h"
#include "Tray.h"

#include "platform/audio/SoundFile.h"
#include "platform/foundation/Log.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/TextDrawing.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

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
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

audio::AlertSound::Loudness Notifier::loudnessOf(const notifications::LocalNotification& n)
{
    audio::AlertSound::Loudness loudness;
    bool ok = false;
    const int percent = n.userInfo.value(QLatin1String(notifications::LocalNotification::kSoundVolume)).toInt(&ok);
    if (ok)
        loudness.percent = std::clamp(percent, 0, 100);
    loudness.rises = n.userInfo.value(QLatin1String(notifications::LocalNotification::kSoundRises)).toBool();
    return loudness;
}

quint64 Notifier::play(const notifications::LocalNotification& n)
{
    const QString silent = n.userInfo.value(QLatin1String(notifications::LocalNotification::kSilentBecause)).toString();
    if (!silent.isEmpty()) {
        foundation::Log::write(QStringLiteral("silent: ") + oneLine(n.alertBody) + QStringLiteral(" (") + silent + QLatin1Char(')'));
        return 0;
    }
    return sound_.play(n.soundName, loudnessOf(n));
}

bool Notifier::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !sound_.isPlaying() || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    ui::Window* window = ui::Application::shared()->keyWindow();
    auto* widget = static_cast<QWidget*>(watched);
    if (!window || widget->window() != window)
        return false;
    if (key->key() == Qt::Key_Escape) {
        // The alert in front closes on it too.
        foundation::Log::write(QStringLiteral("stopped from the keyboard"));
        sound_.stop();
        return false;
    }
    if (key->key() == Qt::Key_Space && !qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        foundation::Log::write(QStringLiteral("stopped from the keyboard"));
        sound_.stop();
        return true;
    }
    return false;
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
    const quint64 token = play(n);
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
    ui::Application::shared()->deliver(n);
    const quint64 token = play(n);
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
