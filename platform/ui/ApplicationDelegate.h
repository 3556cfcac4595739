#pragma once

#include "platform/notifications/LocalNotification.h"

#include <QList>
#include <QString>

#include <functional>

namespace ui {

class Application;

// An entry the app adds to the menu the system shows for it (the tray's):
// chosen, it comes back to the app by its id.
struct StatusMenuItem {
    QString id;
    QString title;
    // The submenu it stands in, by its title; empty for the menu itself.
    QString submenu;
    bool enabled = true;
    bool checked = false;
    // It shows a screen: the window comes to the front first.
    bool opensWindow = false;
};

// The app's side of its lifecycle.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    virtual bool didFinishLaunching(Application* application) = 0;
    virtual void didReceiveLocalNotification(Application*, const notifications::LocalNotification&) {}
    virtual void willEnterForeground(Application*) {}
    virtual void didBecomeActive(Application*) {}
    virtual void didEnterBackground(Application*) {}
    virtual void willTerminate(Application*) {}
    // A new day has begun, or the clock or the time zone jumped.
    virtual void significantTimeChange(Application*) {}
    // A short text the system may show for the app while it is out of
    // sight (the desktop's tray): what comes next.
    virtual QString statusText(Application*) { return {}; }
    // The app's entries of that menu, asked each time it opens; and the
    // one chosen.
    virtual QList<StatusMenuItem> statusMenu(Application*) { return {}; }
    virtual void statusMenuChosen(Application*, const QString& id) { (void)id; }
    // Coming back to the front, or launched: the notifications given while
    // the app was out of sight since it last was in front, and those missed
    // (LocalNotification::kMissed), in the order they came.
    virtual void didReceiveLocalNotificationsWhileAway(Application*, const QList<notifications::LocalNotification>&) {}
    // The user asks to quit: `quit` ends the app, now or once the user has
    // answered what the app asks first.
    virtual void confirmQuit(Application*, const std::function<void()>& quit) { quit(); }
};

} // namespace ui
