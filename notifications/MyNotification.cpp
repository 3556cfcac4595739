#include "MyNotification.h"

#include "Planner.h"

#include "calendar/DateKey.h"
#include "calendar/DateTimePersian.h"
#include "calendar/PersianCalendar.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Random.h"
#include "platform/notifications/NotificationCenter.h"
#include "store/Cities.h"
#include "store/Days.h"
#include "store/Settings.h"
#include "calendar/Utility.h"

#include <QStringList>

#include <algorithm>

namespace {

void keepAsItIs()
{
    foundation::Log::write(QStringLiteral("the notifications stay as they were: the database could not be read"));
}

// A silence kept longer than the user can ask for ends at the next dawn
// azan, and is stored so.
Silence bounded(const planner::Input& in)
{
    std::optional<QDateTime> dawn;
    for (const planner::AzanMoment& a : planner::azanMoments(in)) {
        if (a.type == planner::DawnAzan && a.moment > in.now) {
            dawn = a.moment;
            break;
        }
    }
    const Silence s = in.silence.bounded(in.now, dawn);
    if (s == in.silence)
        return s;
    foundation::Log::write(QStringLiteral("the silence until %1 lasts longer than any the user can ask for: it ends at %2")
                               .arg(in.silence.until->toString(Qt::ISODate), s.until->toString(Qt::ISODate)));
    if (!Silence::save(s))
        foundation::Log::write(QStringLiteral("the silence could not be stored"));
    return s;
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

std::optional<planner::Input> MyNotification::input() const
{
    const SolarDate day = DateTimePersian().date();
    const int today = DateKey::make(day);
    const std::optional<Settings> settings = Settings::load();
    // From yesterday: its religious midnight, when it falls past 00:00,
    // is tonight's, and so is what counts from it.
    const std::optional<days::CityDays> city = days::firstWithTimes(DateKey::make(PersianCalendar::addDays(day, -1)), kDays + 1);
    if (!settings || !city)
        return std::nullopt;
    std::optional<QList<days::DayEvents>> events = QList<days::DayEvents>();
    if (settings->eventsTime && !city->days.isEmpty())
        events = days::eventsFrom(today);
    if (!events)
        return std::nullopt;
    const std::optional<QList<reminders::TimeReminder>> mine = reminders::timeReminders();
    const std::optional<QList<reminders::DateReminder>> dated = reminders::dateReminders();
    if (!mine || !dated)
        return std::nullopt;
    const QDateTime now = foundation::Clock::now();
    planner::Input in{*settings, city->name, city->days, *events, now, foundation::Clock::zone(), foundation::Random::next,
        Silence::load().current(now), *mine, *dated, std::nullopt};
    in.silence = bounded(in);
    // Where the city lies, read only for a reminder that counts from the sun.
    const bool sunQibla = std::any_of(mine->begin(), mine->end(), [](const reminders::TimeReminder& r) { return r.time == reminders::DayTime::SunQibla; });
    if (const std::optional<cities::Location> at = sunQibla && !city->days.isEmpty() ? cities::location(city->cityId) : std::nullopt)
        in.place = Place{at->latitude, at->longitude};
    return in;
}

void MyNotification::update()
{
    // Cancel and schedules reach the system as one replacement of its list.
    notifications::NotificationCenter* center = notifications::NotificationCenter::shared();
    const notifications::NotificationCenter::Batch batch(center);
    // Everything is read before anything is cancelled: a database that is
    // locked or damaged leaves the pending notifications as they are, rather
    // than none at all.
    const std::optional<planner::Input> in = input();
    if (!in)
        return keepAsItIs();
    // With no city that has times, nothing of the day's times: not even
    // the events notices; the user's reminders by date still come.
    planner::Input what = *in;
    if (what.days.isEmpty()) {
        what.settings.eventsTime.reset();
        what.reminders.clear();
    }
    if (what.settings.eventsTime)
        foundation::Log::write(Settings::eventsTimeText(what.settings.eventsTime));

    const QList<planner::Planned> plan = planner::plan(what);
    cancelAll();
    for (const planner::Planned& p : plan) {
        const QDate d = p.notification.fireDate.date();
        const QTime t = p.notification.fireDate.time();
        foundation::Log::write(QString::asprintf("%d %d %d / %d:%d - %d - ", d.day(), d.month(), d.year(), t.hour(), t.minute(), p.sound)
            + p.notification.soundName);
        center->scheduleLocalNotification(p.notification);
    }
}

Silence MyNotification::silenceNow() const
{
    return Silence::load().current(foundation::Clock::now());
}

bool MyNotification::silence(Silencing how)
{
    const std::optional<planner::Input> in = input();
    if (!in)
        return false;
    const QDateTime now = in->now;
    Silence s = in->silence;
    const QList<planner::AzanMoment> azans = planner::azanMoments(*in);
    auto firstAfter = [&](auto&& wanted) -> std::optional<QDateTime> {
        for (const planner::AzanMoment& a : azans)
            if (a.moment > now && wanted(a))
                return a.moment;
        return std::nullopt;
    };
    switch (how) {
    case Silencing::NextAzan: {
        // Asked again while one is skipped: that one stays the one.
        if (s.skip)
            break;
        // The next azan that would sound: one that is on and not silent yet.
        s.skip = firstAfter([&](const planner::AzanMoment& a) {
            return in->settings.alarms[static_cast<size_t>(a.type)] != 0 && !s.silences(a.moment);
        });
        if (!s.skip)
            return false;
        break;
    }
    case Silencing::OneHour:
    case Silencing::TwoHours:
    case Silencing::FourHours: {
        const int hours = how == Silencing::OneHour ? 1 : how == Silencing::TwoHours ? 2 : Silence::kLongestHours;
        // On the minute, as the clock the user reads says it: two hours
        // from 10:30 end at 12:30, and an azan at 12:30 is the first heard.
        const QDateTime until = now.addSecs(hours * 3600LL);
        s.until = until.addMSecs(-(until.time().second() * 1000LL + until.time().msec()));
        break;
    }
    case Silencing::UntilDawn:
        // Up to the next dawn azan, which sounds.
        s.until = firstAfter([](const planner::AzanMoment& a) { return a.type == planner::DawnAzan; });
        if (!s.until)
            return false;
        break;
    case Silencing::Off:
        s = Silence{};
        break;
    }
    if (!Silence::save(s)) {
        foundation::Log::write(QStringLiteral("the silence could not be stored"));
        return false;
    }
    auto text = [](const std::optional<QDateTime>& m) { return m ? m->toString(QStringLiteral("yyyy-MM-ddTHH:mm")) : QStringLiteral("-"); };
    foundation::Log::write(QStringLiteral("silence: skip %1, until %2").arg(text(s.skip), text(s.until)));
    update();
    return true;
}

QString MyNotification::silenceText() const
{
    const QDateTime now = foundation::Clock::now();
    const Silence s = silenceNow();
    auto at = [&now](const QDateTime& m) {
        const QDateTime local = foundation::Clock::onDevice(m);
        const qint64 days = now.date().daysTo(local.date());
        const QString day = days == 0 ? QString() : days == 1 ? QStringLiteral("فردا ") : local.toString(QStringLiteral("yyyy/MM/dd "));
        return Utility::ConvertToPersian(day + QStringLiteral("ساعت ") + local.toString(QStringLiteral("HH:mm")));
    };
    QStringList lines;
    if (s.until)
        lines.append(QStringLiteral("اذان‌ها تا %1 بی‌صدا").arg(at(*s.until)));
    if (s.skip) {
        QString name;
        if (const std::optional<planner::Input> in = input())
            for (const planner::AzanMoment& a : planner::azanMoments(*in))
                if (a.moment == *s.skip)
                    name = dayTimeName(kAlarmTable[static_cast<size_t>(a.type)].countsFrom) + QLatin1Char(' ');
        lines.append(QStringLiteral("بی‌صدا: %1%2").arg(name, at(*s.skip)));
    }
    return lines.join(QLatin1Char('\n'));
}
