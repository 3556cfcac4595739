#pragma once

#include "LocalNotification.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace notifications {

// The system's list of pending local notifications. It is kept in a file of
// the sandbox, so it outlives the app, and each notification is handed to the
// delivery handler once, when the device clock reaches its moment. One that
// comes more than a minute late (the app was not running, the machine slept)
// is not given but told as missed, with a log line: an azan hours late is
// no azan.
class NotificationCenter : public QObject {
public:
    // As many as a phone's system keeps; beyond them the latest are dropped.
    static constexpr int kMaxPending = 64;
    static constexpr qint64 kLateMs = 60 * 1000;
    // A list of kMaxPending notifications is far smaller; a bigger file is
    // not ours and is not read.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;
    // What was given is remembered this long after its moment, in a file
    // beside the pending list: a clock set back (by hand, or by a device
    // `advance` backwards) never gives a notification of the same moment
    // and text twice, and a rebuild never schedules it again.
    static constexpr qint64 kRememberMs = 2LL * 24 * 60 * 60 * 1000;
    static constexpr int kMaxRemembered = 256;
    static constexpr const char* kGivenFile = "notifications-given.json";

    static NotificationCenter* shared();
    NotificationCenter();

    // The file that holds the pending list; it is read at once.
    void setStorePath(const QString& path);
    QString storePath() const { return path_; }

    void scheduleLocalNotification(const LocalNotification& notification);
    void cancelAllLocalNotifications();
    // The pending notifications in the order they fire.
    QList<LocalNotification> scheduledLocalNotifications() const;

    // Cancels, schedules and what fires between these two become one change
    // of the list, written once at the end (and not at all when nothing
    // changed). What was due when the batch began still fires, once: a
    // rebuild neither drops it nor gives it a second time.
    void beginUpdate();
    void endUpdate();
    class Batch {
    public:
        explicit Batch(NotificationCenter* center) : center_(center) { center_->beginUpdate(); }
        ~Batch() { center_->endUpdate(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        NotificationCenter* center_;
    };

    void setDeliveryHandler(std::function<void(const LocalNotification&)> handler);
    // Where the notifications given lately are kept when their file cannot
    // be written (a folder that takes no writing): the app's own data. The
    // given list is read from both; `save` with no bytes forgets them.
    struct KeptElsewhere {
        std::function<bool(const QByteArray&)> save;
        std::function<std::optional<QByteArray>()> load;
    };
    void setGivenKeptElsewhere(KeptElsewhere kept);
    // Whether the given list could not be written to its folder since the
    // last time this was asked (once a run): the user is told.
    bool takeUnwritable();

    // Told after notifications fired when fewer than kRefillMargin remain:
    // the app plans again, so that the list never runs dry while it runs.
    void setRunningLowHandler(std::function<void()> handler);
    static constexpr int kRefillMargin = 16;
    // Told after every change of the pending list.
    void setChangeHandler(std::function<void()> handler);
    // Told of the notifications that came too late to be given (each once,
    // in fire order), so that the user can be told what was missed.
    void setMissedHandler(std::function<void(const QList<LocalNotification>&)> handler);
    // Starts watching the clock; notifications already due fire now, once.
    void start();
    void stop();
    // Fires every notification whose moment has come.
    void check();

    // The pending list as text, one line per notification:
    // "YYYY-MM-DDTHH:MM  sound  text" with line breaks written as \n.
    static QString describe(const QList<LocalNotification>& list);
    static QString describe(const LocalNotification& notification);

    // The pending list as its file holds it, and back. Entries that are not
    // notifications are skipped; a text that is no list reads as none, with
    // `error` saying why.
    static QList<LocalNotification> read(const QByteArray& json, QString* error = nullptr);
    static QByteArray write(const QList<LocalNotification>& list);

private:
    void load();
    void save();
    void changed();
    // Keeps the kMaxPending soonest, in fire order.
    void trim();
    QString givenPath() const;
    void loadGiven();
    void saveGiven();
    void mergeKeptElsewhere();
    // Forgets what was given longer ago than kRememberMs.
    void forgetOldGiven(const QDateTime& now);

    QString path_;
    QList<LocalNotification> pending_;
    // The list as the file holds it, in fire order, when that is known.
    std::optional<QList<LocalNotification>> onDisk_;
    int batchDepth_ = 0;
    QList<LocalNotification> dueAtBatchStart_;
    // Given lately (see kRememberMs).
    QList<LocalNotification> given_;
    std::function<void(const LocalNotification&)> deliver_;
    std::function<void()> changed_;
    std::function<void()> runningLow_;
    KeptElsewhere keptElsewhere_;
    bool keptElsewhereInUse_ = false;
    bool unwritable_ = false;
    bool toldUnwritable_ = false;
    std::function<void(const QList<LocalNotification>&)> missed_;
    QTimer timer_;
};

} // namespace notifications
