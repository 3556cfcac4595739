#include "MyNotification.h"

#include "Planner.h"

#include "calendar/DateKey.h"
#include "calendar/DateTimePersian.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Random.h"
#include "platform/notifications/NotificationCenter.h"
#include "store/Days.h"
#include "store/Settings.h"

namespace {

void keepAsItIs()
{
    foundation::Log::write(QStringLiteral("the notifications stay as they were: the database could not be read"));
}

} // namespace

MyNotification* MyNotification::initialize()
{
    static MyNotification shared;
    return &shared;
}

void MyNotification::cancelAll()
{
    notifications::NotificationCenter::shared()->cancelAllLocalNotifications();
}

void MyNotification::update()
{
    // Cancel and schedules reach the system as one replacement of its list.
    notifications::NotificationCenter* center = notifications::NotificationCenter::shared();
    const notifications::NotificationCenter::Batch batch(center);
    // Everything is read before anything is cancelled: a database that is
    // locked or damaged leaves the pending notifications as they are, rather
    // than none at all.
    const int today = DateKey::make(DateTimePersian().date());
    const std::optional<Settings> settings = Settings::load();
    const std::optional<days::CityDays> city = days::firstWithTimes(today, kDays);
    if (!settings || !city)
        return keepAsItIs();
    // With no city that has times, nothing at all: not even the events notices.
    if (city->days.isEmpty()) {
        cancelAll();
        return;
    }
    std::optional<QList<days::DayEvents>> events = QList<days::DayEvents>();
    if (settings->eventsTime) {
        foundation::Log::write(Settings::eventsTimeText(settings->eventsTime));
        events = days::eventsFrom(today);
    }
    if (!events)
        return keepAsItIs();

    const QList<planner::Planned> plan = planner::plan(
        {*settings, city->name, city->days, *events, foundation::Clock::now(), foundation::Clock::zone(), foundation::Random::next});
    cancelAll();
    for (const planner::Planned& p : plan) {
        const QDate d = p.notification.fireDate.date();
        const QTime t = p.notification.fireDate.time();
        foundation::Log::write(QString::asprintf("%d %d %d / %d:%d - %d - ", d.day(), d.month(), d.year(), t.hour(), t.minute(), p.sound)
            + p.notification.soundName);
        center->scheduleLocalNotification(p.notification);
    }
}
