#pragma once

#include "astronomy/PrayerTimes.h"
#include "platform/notifications/LocalNotification.h"
#include "platform/notifications/NotificationCenter.h"
#include "astronomy/SunCompass.h"
#include "store/Days.h"
#include "store/Reminders.h"
#include "store/Settings.h"
#include "store/Silence.h"

#include <QDateTime>
#include <QList>
#include <QTimeZone>

#include <cstdint>
#include <functional>
#include <optional>

// Which notifications the app wants, from what it knows: the settings, the
// days of the city the notifications follow, the days with events, and the
// moment. Nothing is read or written here; MyNotification::update() reads,
// plans, and hands the plan to the system.
namespace planner {

// The kinds of notification: the alarms of the alarm table, each by its
// row (the three azans first); then the events notice and the user's own
// reminders, by a day's time and by date.
enum Type {
    DawnAzan = 0,
    NoonAzan,
    EveningAzan,
    BeforeSunrise,
    BeforeSahar,
    BeforeIftar,
    EventsNotice = 100,
    TimeReminder,
    DateReminder
};
// The alarm of a row of the table, as a kind of notification.
constexpr Type alarmType(int row)
{
    return static_cast<Type>(row);
}

struct Input {
    Settings settings;
    // The city the notifications follow, and its days from today on.
    QString cityName;
    QList<days::Times> days;
    // The days with events from today on.
    QList<days::DayEvents> events;
    QDateTime now;
    // The device's clock, on which the events notice comes at its set time.
    QTimeZone zone;
    // A uniformly random 32-bit number, for the random recording.
    std::function<std::uint32_t()> random;
    // The azans the user silenced: they come with their text, without sound.
    Silence silence;
    // The user's reminders before or after a time, and by date.
    QList<reminders::TimeReminder> reminders;
    QList<reminders::DateReminder> dated;
    // Where the city lies, for the moments the sun stands in line with its
    // Qibla; without it, no reminder counts from them.
    std::optional<Place> place;
};

// The days from today on that the reminders by date are planned for.
constexpr int kDatedDays = 5;

// The most the system keeps pending; of more, the azans and then the
// soonest are planned and the rest wait for a refill.
constexpr int kMaxPlanned = notifications::NotificationCenter::kMaxPending;
// The longest text a notification carries: what a desktop notification
// shows, and 64 of them well within what the pending list's file reads back.
constexpr int kMaxText = 1000;

// The app's own keys of a notification's userInfo: which azan it is (its
// Type), and which of the user's reminders.
constexpr const char* kPrayerKey = "prayer";
constexpr const char* kReminderKey = "reminder";

struct Planned {
    notifications::LocalNotification notification;
    Type type;
    // The recording or sound number the log names (after a random draw).
    int sound = 0;
};

// Every notification to schedule, in the order they were planned: for each
// day, the alarms in turn, after the events notices; then the user's
// reminders. None that would come before `now`; of more than kMaxPlanned,
// the azans and then the soonest, in fire order. A day of `days` that is
// the data's last plans the next morning's dawn and sunrise too.
QList<Planned> plan(const Input& input);

// The moments of the three azans of every day of the input, whether they
// are on or off, in order.
struct AzanMoment {
    Type type;
    QDateTime moment;
};
QList<AzanMoment> azanMoments(const Input& input);

// The moments of a day at which the sun stands in line with the Qibla of
// `place`, as reminders count from them.
QList<astronomy::CompassMoment> sunQiblaMoments(const QDate& date, const Place& place);

// The notification of one kind at a moment; `text` is the city's name, or
// for the events notice the day's events, or a reminder's own text.
Planned add(const QDateTime& fireDate, const QString& text, Type type, int value, int sound, const std::function<std::uint32_t()>& random);

// The file a recording plays.
QString recordingFile(int recording);
// The sound of each kind of notification; for the azans, of the recording.
QString soundOf(Type type, int recording);

} // namespace planner
