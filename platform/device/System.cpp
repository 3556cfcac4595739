#include "System.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

#include <QApplication>

namespace device {

void System::launch(ui::Application* app) const
{
    // The app first: it tells the list where it keeps what was given when
    // the list's own folder takes no writing, before anything due fires.
    const notifications::NotificationCenter::Batch starting(center);
    app->launch();
    center->start();
}

void System::bringToFront()
{
    ui::Application* app = ui::Application::shared();
    if (ui::Window* window = app->keyWindow()) {
        window->showNormal();
        window->raise();
        window->activateWindow();
    }
    app->enterForeground();
}

void System::sendToBackground() const
{
    ui::Application* app = ui::Application::shared();
    if (ui::Window* window = app->keyWindow()) {
        if (tray)
            window->hide();
        else
            window->showMinimized();
    }
    app->enterBackground();
}

void System::closeToBackground() const
{
    ui::Application* app = ui::Application::shared();
    if (ui::Window* window = app->keyWindow())
        window->hide();
    app->enterBackground();
    foundation::Log::write(tray ? QStringLiteral("closed into the tray")
                                : QStringLiteral("closed: running out of sight until Kelvaro is started again"));
    if (portal)
        portal->request();
}

void System::quit(int status)
{
    ui::Application::shared()->terminate();
    QApplication::exit(status);
}

void System::letTimePass(qint64 minutes) const
{
    auto moveTo = [this](const QDateTime& moment) {
        const qint64 ms = foundation::Clock::now().msecsTo(moment);
        if (ms > 0)
            foundation::Clock::advance((ms + 999) / 1000);
        clock->timePassed();
        center->check();
        clock->poll();
    };
    if (minutes < 0) {
        foundation::Clock::advance(minutes * 60);
        center->check();
        clock->poll();
        return;
    }
    const QDateTime target = foundation::Clock::now().addSecs(minutes * 60);
    for (int step = 0; step < kMaxSteps; ++step) {
        const QDateTime now = foundation::Clock::now();
        QDateTime next = foundation::Clock::at(now.date().addDays(1), QTime(0, 0));
        const QList<notifications::LocalNotification> pending = center->scheduledLocalNotifications();
        if (!pending.isEmpty() && pending.first().fireDate < next)
            next = pending.first().fireDate;
        if (next > target)
            break;
        moveTo(next);
    }
    moveTo(target);
}

} // namespace device
