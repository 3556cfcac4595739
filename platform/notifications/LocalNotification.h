#pragma once

#include <QDateTime>
#include <QString>
#include <QVariantMap>

namespace notifications {

// A notification the app asks the system to give at a moment.
struct LocalNotification {
    // Wall-clock moment: local date and time, kept whatever the time zone.
    QDateTime fireDate;
    QString alertBody;
    QString alertAction;
    // A sound file of the resource folder, or empty for none.
    QString soundName;
    QVariantMap userInfo;

    // What the system reads of userInfo, besides the app's own keys: how
    // loud the sound plays (0 to 100, 100 when missing), whether it rises
    // to that from silence, and why a notification comes without its sound
    // (said in the log when it is given).
    static constexpr const char* kSoundVolume = "soundVolume";
    static constexpr const char* kSoundRises = "soundRises";
    static constexpr const char* kSilentBecause = "silentBecause";
    // Set by the system on one it could not give at its moment (the app
    // was not running, the machine slept), when it tells the app of it.
    static constexpr const char* kMissed = "missed";

    bool operator==(const LocalNotification&) const = default;
};

} // namespace notifications
