#pragma once

#include "LocalNotification.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

namespace notifications {

// The system's list of pending local notifications. It is kept in a file of
// the sandbox, so it outlives the app, and each notification is handed to the
// delivery handler once, when the device clock reaches its moment.
class NotificationCenter : public QObject {
public:
    static NotificationCenter* shared();
    NotificationCenter();

    // The file that holds the pending list; it is read at once.
    void setStorePath(const QString& path);
    QString storePath() const { return path_; }

    void scheduleLocalNotification(const LocalNotification& notification);
    void cancelAllLocalNotifications();
    // The pending notifications in the order they fire.
    QList<LocalNotification> scheduledLocalNotifications() const;

    void setDeliveryHandler(std::function<void(const LocalNotification&)> handler);
    // Starts watching the clock; notifications already due fire now, once.
    void start();
    void stop();
    // Fires every notification whose moment has come.
    void check();

    // The pending list as text, one line per notification:
    // "YYYY-MM-DDTHH:MM  sound  text" with line breaks written as \n.
    static QString describe(const QList<LocalNotification>& list);

private:
    void load();
    void save() const;

    QString path_;
    QList<LocalNotification> pending_;
    std::function<void(const LocalNotification&)> deliver_;
    QTimer timer_;
};

} // namespace notifications
