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

    bool operator==(const LocalNotification&) const = default;
};

} // namespace notifications
