#include "Planner.h"

#include "calendar/ClockTime.h"
#include "calendar/DateKey.h"
#include "calendar/EventRules.h"
#include "calendar/IranClock.h"
#include "calendar/LunarCalendar.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "geodesy/Qibla.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Digits.h"

#include <QHash>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace planner {

namespace {

const QString kEventsNotice = QStringLiteral("وقایع امروز : \n%1");
const QString kReminderBefore = QStringLiteral("%1 دقیقه تا %2 به افق %3");
const QString kReminderAfter = QStringLiteral("%1 دقیقه از %2 گذشت، به افق %3");
const QString kReminderAt = QStringLiteral("%1 به افق %2");
const QString kDateReminder = QStringLiteral("یادآوری: %1");

constexpr int kSecondsPerMinute = 60;

QDateTime keyDay(int key, const QTime& time, const QTimeZone& zone)
{
    const SolarDate day = DateKey::read(key);
    if (!PersianCalendar::isValid(day))
        return {};
    return foundation::Clock::at(PersianCalendar::toGregorian(day), time, zone);
}

void planEvents(const Input& in, QList<Planned>& list)
{
    if (!in.settings.eventsTime)
        return;
    // The notice comes at the clock time the user set, on every day.
    const QTime at(in.settings.eventsTime->hour, in.settings.eventsTime->minute);
    for (const days::DayEvents& day : in.events) {
        const QDateTime t = keyDay(day.key, at, in.zone);
        if (!t.isValid() || t < in.now)
            continue;
        // Its lines one after the other, as the notice has always read.
        list.append(add(t, EventRules::lines(day.events).join(QLatin1Char('-')), EventsNotice, 0, 0, in.random));
    }
}

// An azan's volume and rise, or its silence; the reminders and the events
// notice keep their sounds as they are.
void sound(const Input& in, int azan, notifications::LocalNotification& n)
{
    using notifications::LocalNotification;
    n.userInfo.insert(QLatin1String(kPrayerKey), azan);
    QString why;
    if (in.silence.silences(n.fireDate, &why)) {
        n.soundName.clear();
        n.userInfo.insert(QLatin1String(LocalNotification::kSilentBecause), why);
        return;
    }
    const int volume = in.settings.volume[static_cast<size_t>(azan)];
    if (volume != 100)
        n.userInfo.insert(QLatin1String(LocalNotification::kSoundVolume), volume);
    if (in.settings.rises)
        n.userInfo.insert(QLatin1String(LocalNotification::kSoundRises), true);
}

// The user's reminders before or after a day's time, on their weekdays (of
// the day whose time it is) and, when asked, only in Ramadan.
void planReminders(const Input& in, QList<Planned>& list)
{
    // The sun's moments of each day, found once and only when asked for.
    QHash<int, QList<astronomy::CompassMoment>> sunQibla;
    for (const days::Times& day : in.days) {
        const SolarDate solar = DateKey::read(day.key);
        if (!PersianCalendar::isValid(solar))
            continue;
        const QDate date = PersianCalendar::toGregorian(solar);
        for (const reminders::TimeReminder& r : in.reminders) {
            if (!r.comesOn(date.dayOfWeek()) || (r.ramadanOnly && LunarCalendar::ramadanDay(date) == 0))
                continue;
            // A day's time, or each moment the sun stands in line with the
            // Qibla that day (there may be none), by its own name.
            QList<std::pair<QDateTime, QString>> moments;
            if (r.time != reminders::DayTime::SunQibla) {
                moments.append({day.moment(reminders::timeOfDay(r.time)), reminders::dayTimeName(r.time)});
            } else if (in.place) {
                if (!sunQibla.contains(day.key))
                    sunQibla.insert(day.key, sunQiblaMoments(date, *in.place));
                for (const astronomy::CompassMoment& m : sunQibla.value(day.key))
                    moments.append({m.moment, reminders::sunQiblaName(m.behind)});
            }
            for (const auto& [moment, name] : moments) {
                const QDateTime time = moment.toTimeZone(in.zone);
                if (!time.isValid())
                    continue;
                const QDateTime t = time.addSecs(static_cast<qint64>(r.minutes) * kSecondsPerMinute);
                if (t < in.now)
                    continue;
                const QString minutes = Utility::ConvertToPersian(QString::number(std::abs(r.minutes)));
                const QString text = r.minutes == 0 ? kReminderAt.arg(name, in.cityName)
                                                    : (r.minutes < 0 ? kReminderBefore : kReminderAfter).arg(minutes, name, in.cityName);
                Planned p = add(t, text, TimeReminder, r.minutes, 0, in.random);
                p.notification.userInfo.insert(QLatin1String(kReminderKey), r.id);
                list.append(p);
            }
        }
    }
}

// The user's reminders by date, at their time of day on the clock, on the
// days from today on, whether or not a city has times for them.
void planDated(const Input& in, QList<Planned>& list)
{
    const QDate today = in.now.toTimeZone(in.zone).date();
    for (const reminders::DateReminder& r : in.dated) {
        EventRules rules;
        rules.add(r.rule());
        for (int i = 0; i < kDatedDays; ++i) {
            const QDate date = today.addDays(i);
            const SolarDate solar = PersianCalendar::fromGregorian(date);
            if (!PersianCalendar::inData(solar) || rules.day(date).events.isEmpty())
                continue;
            const int key = DateKey::make(solar);
            const QDateTime t = keyDay(key, QTime(r.time.hour, r.time.minute), in.zone);
            if (!t.isValid() || t < in.now)
                continue;
            Planned p = add(t, r.text, DateReminder, 0, 0, in.random);
            p.notification.userInfo.insert(QLatin1String(kReminderKey), r.id);
            list.append(p);
        }
    }
}

} // namespace

QString recordingFile(int recording)
{
    return QString::number(recording) + QStringLiteral(".wav");
}

QString soundOf(Type type, int recording)
{
    if (type >= 0 && type < Settings::kAlarms) {
        const Alarm& alarm = kAlarmTable[static_cast<size_t>(type)];
        return alarm.kind == Alarm::Kind::Azan ? recordingFile(recording) : QString::fromLatin1(alarm.sound);
    }
    return type == TimeReminder ? QStringLiteral("alarm.wav") : QStringLiteral("times.wav");
}

Planned add(const QDateTime& fireDate, const QString& text, Type type, int value, int sound, const std::function<std::uint32_t()>& random)
{
    Planned p{{}, type, sound};
    notifications::LocalNotification& n = p.notification;
    n.fireDate = fireDate;
    n.alertAction = QStringLiteral("Ok");
    n.userInfo = {{QStringLiteral("someKey"), QStringLiteral("someValue")}};
    if (type >= 0 && type < Settings::kAlarms) {
        const Alarm& alarm = kAlarmTable[static_cast<size_t>(type)];
        if (alarm.kind == Alarm::Kind::Azan && p.sound == Settings::kRandomRecording && random)
            p.sound = static_cast<int>(random() % Settings::kRecordings);
        n.alertBody = alarm.text(text, foundation::Digits::arabicIndic(value));
    } else if (type == EventsNotice) {
        n.alertBody = kEventsNotice.arg(text);
    } else if (type == DateReminder) {
        n.alertBody = kDateReminder.arg(text);
    } else {
        n.alertBody = text;
    }
    n.soundName = soundOf(type, p.sound);
    return p;
}

QList<AzanMoment> azanMoments(const Input& in)
{
    QList<AzanMoment> list;
    for (const days::Times& day : in.days) {
        for (int j = 0; j < Settings::kAzans; ++j) {
            const QDateTime t = day.moment(kAlarmTable[static_cast<size_t>(j)].countsFrom).toTimeZone(in.zone);
            if (t.isValid())
                list.append({alarmType(j), t});
        }
    }
    return list;
}

QList<astronomy::CompassMoment> sunQiblaMoments(const QDate& date, const Place& place)
{
    return astronomy::sunOnAzimuth(date, place, geodesy::qibla({place.latitude, place.longitude}).azimuth);
}

QList<Planned> plan(const Input& given)
{
    Input in = given;
    // The data's last day holds the next morning's dawn and sunrise, whose
    // day is no day of the data: the last night is planned like any other.
    if (!in.days.isEmpty() && in.days.last().key == DateKey::make(PersianCalendar::lastDataDay())) {
        const days::Times& last = in.days.last();
        days::Times morning{DateKey::make(PersianCalendar::addDays(PersianCalendar::lastDataDay(), 1)), {}};
        morning.set(DayTime::Dawn, last.at(DayTime::NextDawn));
        morning.set(DayTime::Sunrise, last.at(DayTime::NextSunrise));
        in.days.append(morning);
    }
    QList<Planned> list;
    planEvents(in, list);
    for (const days::Times& day : in.days) {
        for (int j = 0; j < Settings::kAlarms; ++j) {
            const int value = in.settings.alarms[static_cast<size_t>(j)];
            if (value == 0)
                continue;
            QDateTime t = day.moment(kAlarmTable[static_cast<size_t>(j)].countsFrom).toTimeZone(in.zone);
            if (!t.isValid())
                continue;
            // 1 is the time itself; more, that many minutes before it.
            if (value > 1)
                t = t.addSecs(-static_cast<qint64>(value) * kSecondsPerMinute);
            if (t < in.now)
                continue;
            const bool azan = kAlarmTable[static_cast<size_t>(j)].kind == Alarm::Kind::Azan;
            Planned p = add(t, in.cityName, alarmType(j), value, azan ? in.settings.recordingOf(j) : in.settings.recording, in.random);
            if (azan)
                sound(in, j, p.notification);
            list.append(p);
        }
    }
    planReminders(in, list);
    planDated(in, list);
    // What the pending list can hold and read back: no text longer than a
    // notification shows.
    for (Planned& p : list)
        if (p.notification.alertBody.size() > kMaxText)
            p.notification.alertBody = p.notification.alertBody.left(kMaxText - 1) + QChar(0x2026);
    if (list.size() > kMaxPlanned) {
        // Of more than the system keeps, every azan first, then the
        // soonest of the rest; the rest come at a refill as these fire.
        std::stable_sort(list.begin(), list.end(), [](const Planned& a, const Planned& b) {
            const bool azanA = a.type >= 0 && a.type < Settings::kAzans;
            const bool azanB = b.type >= 0 && b.type < Settings::kAzans;
            if (azanA != azanB)
                return azanA;
            return a.notification.fireDate < b.notification.fireDate;
        });
        list.resize(kMaxPlanned);
        std::stable_sort(list.begin(), list.end(),
            [](const Planned& a, const Planned& b) { return a.notification.fireDate < b.notification.fireDate; });
    }
    return list;
}

} // namespace planner
