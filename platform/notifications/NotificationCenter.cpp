#include "NotificationCenter.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

namespace notifications {

namespace {

constexpr int kCheckMs = 1000;
// A moment is written with its offset from UTC, so that it stays one moment
// across a clock change (the hour that repeats when summer time ends) and a
// change of the device's zone.
QString momentText(const QDateTime& moment)
{
    return moment.toOffsetFromUtc(moment.offsetFromUtc()).toString(Qt::ISODate);
}

QDateTime readMoment(const QString& text)
{
    return foundation::Clock::onDevice(QDateTime::fromString(text, Qt::ISODate));
}

QJsonObject toJson(const LocalNotification& n)
{
    return {{"fireDate", momentText(n.fireDate)},
        {"alertBody", n.alertBody},
        {"alertAction", n.alertAction},
        {"soundName", n.soundName},
        {"userInfo", QJsonObject::fromVariantMap(n.userInfo)}};
}

LocalNotification fromJson(const QJsonObject& o)
{
    LocalNotification n;
    // A moment written without an offset is a wall-clock time of the device.
    n.fireDate = readMoment(o.value("fireDate").toString());
    n.alertBody = o.value("alertBody").toString();
    n.alertAction = o.value("alertAction").toString();
    n.soundName = o.value("soundName").toString();
    n.userInfo = o.value("userInfo").toObject().toVariantMap();
    return n;
}

} // namespace

NotificationCenter* NotificationCenter::shared()
{
    static NotificationCenter center;
    return &center;
}

NotificationCenter::NotificationCenter()
{
    timer_.setInterval(kCheckMs);
    timer_.callOnTimeout(this, [this] { check(); });
}

void NotificationCenter::setStorePath(const QString& path)
{
    path_ = path;
    load();
}

void NotificationCenter::load()
{
    pending_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonArray list = QJsonDocument::fromJson(file.readAll()).array();
    for (const QJsonValue& v : list) {
        LocalNotification n = fromJson(v.toObject());
        if (n.fireDate.isValid())
            pending_.append(n);
    }
}

void NotificationCenter::save() const
{
    if (path_.isEmpty())
        return;
    QDir().mkpath(QFileInfo(path_).path());
    QJsonArray list;
    for (const LocalNotification& n : pending_)
        list.append(toJson(n));
    // Replaced whole, so a crash never leaves half a list.
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QJsonDocument(list).toJson(QJsonDocument::Indented));
    if (!file.commit())
        foundation::Log::write(QStringLiteral("cannot save the pending notifications"));
}

void NotificationCenter::scheduleLocalNotification(const LocalNotification& notification)
{
    LocalNotification n = notification;
    // A fire date given without a zone is a wall-clock time of the device.
    n.fireDate = foundation::Clock::onDevice(n.fireDate);
    pending_.append(n);
    save();
}

void NotificationCenter::cancelAllLocalNotifications()
{
    pending_.clear();
    save();
}

QList<LocalNotification> NotificationCenter::scheduledLocalNotifications() const
{
    QList<LocalNotification> list = pending_;
    std::stable_sort(list.begin(), list.end(),
        [](const LocalNotification& a, const LocalNotification& b) { return a.fireDate < b.fireDate; });
    return list;
}

void NotificationCenter::setDeliveryHandler(std::function<void(const LocalNotification&)> handler)
{
    deliver_ = std::move(handler);
}

void NotificationCenter::start()
{
    // Watched by one timer, connected once, however often the service starts.
    if (!timer_.isActive())
        timer_.start();
    check();
}

void NotificationCenter::stop()
{
    timer_.stop();
}

void NotificationCenter::check()
{
    const QDateTime now = foundation::Clock::now();
    QList<LocalNotification> due;
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->fireDate <= now) {
            due.append(*it);
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
    if (due.isEmpty())
        return;
    // Off the list before delivery: a notification fires once, even when the
    // handler reschedules everything.
    save();
    std::stable_sort(due.begin(), due.end(),
        [](const LocalNotification& a, const LocalNotification& b) { return a.fireDate < b.fireDate; });
    for (const LocalNotification& n : due) {
        if (deliver_)
            deliver_(n);
    }
}

QString NotificationCenter::describe(const QList<LocalNotification>& list)
{
    QString text;
    for (const LocalNotification& n : list) {
        QString body = n.alertBody;
        body.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        text += foundation::Clock::onDevice(n.fireDate).toString(QStringLiteral("yyyy-MM-ddTHH:mm")) + QStringLiteral("  ") + n.soundName + QStringLiteral("  ")
            + body + QLatin1Char('\n');
    }
    return text;
}

} // namespace notifications
