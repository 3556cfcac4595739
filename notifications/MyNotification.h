#pragma once

#include "store/MyDB.h"

#include <QDateTime>
#include <QString>

// Rebuilds every scheduled notification of the app from the settings and
// the stored times of the first chosen city: the azans, the reminders before
// sunrise, the end of sahar and iftar, and the daily events notice.
class MyNotification {
public:
    static MyNotification* initialize();

    // Cancels everything and schedules afresh.
    void update();
    void cancelAll();
    // Schedules the notices of the days in `events` at the time in `item7`
    // ("0": none).
    void updateCalendarEvents(const QString& item7, const RowSet& events);
    // The moment a stored time (standard time) falls on the date of a key.
    QDateTime getDate(const QString& key, const QString& time);
    // add:cityName:type:value:sound:
    void add(const QDateTime& fireDate, const QString& cityName, int type, int value, int sound);

    static constexpr int kAzanTypes = 3;
    static constexpr int kAlarmTypes = 6;
    static constexpr int kEventsType = 6;
    static constexpr int kRandomRecording = 7;
    static constexpr int kRecordings = 7;
};
