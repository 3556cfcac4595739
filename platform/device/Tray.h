#pragma once

#include <QMenu>
#include <QSystemTrayIcon>

#include <functional>

namespace device {

// The app's icon in the desktop's system tray, where there is one: closing
// the window leaves the phone running there. Its menu opens the window,
// stops a notification's sound and quits.
class Tray {
public:
    struct Actions {
        std::function<void()> open;
        std::function<void()> stopSound;
        std::function<void()> quit;
    };

    static bool isAvailable();

    explicit Tray(Actions actions);

    void setToolTip(const QString& text);
    // The stop entry is there to use only while a sound plays.
    void setSoundPlaying(bool playing);
    // Shows `text` as the tray's own message; false where it has none.
    bool showMessage(const QString& text);
    // Chooses a menu entry as a click would: "open", "stop" or "quit".
    bool choose(const QString& entry);

    QString toolTip() const { return icon_.toolTip(); }

private:
    Actions actions_;
    QMenu menu_;
    QAction* open_;
    QAction* stop_;
    QAction* quit_;
    QSystemTrayIcon icon_;
};

} // namespace device
