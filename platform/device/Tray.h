#pragma once

#include "platform/ui/ApplicationDelegate.h"

#include <QMenu>
#include <QSystemTrayIcon>

#include <functional>

namespace device {

// The app's icon in the desktop's system tray, where there is one: closing
// the window leaves the phone running there. Its menu opens the window,
// stops a notification's sound, holds the app's own entries (asked anew
// each time it opens) and quits.
class Tray {
public:
    struct Actions {
        std::function<void()> open;
        std::function<void()> stopSound;
        std::function<void()> quit;
        std::function<QList<ui::StatusMenuItem>()> appEntries = [] { return QList<ui::StatusMenuItem>(); };
        std::function<void(const QString& id)> chooseAppEntry = [](const QString&) {};
    };

    static bool isAvailable();

    explicit Tray(Actions actions);

    void setToolTip(const QString& text);
    // The stop entry is there to use only while a sound plays.
    void setSoundPlaying(bool playing);
    // Shows `text` as the tray's own message; false where it has none.
    bool showMessage(const QString& text);
    // Chooses a menu entry as a click would: "open", "stop", "quit" or the
    // id of one of the app's entries; false for one not there or disabled.
    bool choose(const QString& entry);
    // Makes the app's entries as they stand now (as the menu does when it
    // opens).
    void refreshAppEntries();
    // Titles of the menu's entries, submenus as "title/entry", for tests.
    QStringList entries() const;

    QString toolTip() const { return icon_.toolTip(); }

private:
    Actions actions_;
    QMenu menu_;
    QAction* open_;
    QAction* stop_;
    QAction* appEnd_;
    QAction* quit_;
    QList<QAction*> app_;
    QSystemTrayIcon icon_;
};

} // namespace device
