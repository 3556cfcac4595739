#pragma once

#include "DesktopNotifications.h"

#include "platform/audio/AlertSound.h"
#include "platform/notifications/LocalNotification.h"

#include <QHash>
#include <QObject>

namespace device {

class Tray;

// Gives a notification whose moment has come to the user. In front: the
// app's alert, with the sound, which stops when the alert goes. Out of
// sight: the desktop's notification (stop action, sound stops when it is
// closed), or without a notification service the banner in the window
// when it shows, the tray's message when it is hidden, else the log.
class Notifier : public QObject {
public:
    // Leaves a notification this long after its sound ends.
    static constexpr int kLingerMs = 2000;

    Notifier();

    // How loud a notification's sound plays, from what it says of it.
    static audio::AlertSound::Loudness loudnessOf(const notifications::LocalNotification& notification);

    void setTray(Tray* tray) { tray_ = tray; }
    void deliver(const notifications::LocalNotification& notification);
    audio::AlertSound& sound() { return sound_; }

protected:
    // Escape, or Space away from a text field, stops the sound playing
    // while the window has the keyboard.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Plays the notification's sound, or says why it comes without one.
    quint64 play(const notifications::LocalNotification& notification);
    void inFront(const notifications::LocalNotification& notification);
    void outOfSight(const notifications::LocalNotification& notification);
    void withoutService(const QString& text);

    DesktopNotifications desktop_;
    audio::AlertSound sound_;
    // The sound each desktop notification stops.
    QHash<uint, quint64> sounds_;
    Tray* tray_ = nullptr;
    bool toldNowhere_ = false;
};

} // namespace device
