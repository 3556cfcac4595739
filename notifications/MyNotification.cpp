#include "MyNotification.h"

#include "calendar/ClockTime.h"
#include "calendar/DateKey.h"
#include "calendar/DateTimePersian.h"
#include "calendar/IranClock.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Random.h"
#include "platform/notifications/NotificationCenter.h"
#include "store/Cities.h"
#include "store/Days.h"
#include "store/MyDB.h"
#include "store/Settings.h"

namespace {

const QString kAzan = QStringLiteral("اذان %1 به افق %2");
const QString kBeforeSunrise = QStringLiteral("تا طلوع %1 تنها %2 دقیقه زمان باقیست");
const QString kBeforeAzan = QStringLiteral("تا اذان %1 تنها %2 دقیقه زمان باقیست");
const QString kEventsNotice = QStringLiteral("وقایع امروز : \n%1");

constexpr int kSecondsPerMinute = 60;

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
    const notifications::NotificationCenter::Batch batch(notifications::NotificationCenter::shared());
    // Everything is read before anything is cancelled: a database that is
    // locked or damaged leaves the pending notifications as they are, rather
    // than none at all.
    MyDB* db = MyDB::initialize();
    const std::optional<RowSet> chosen = cities::firstChosen();
    const std::optional<Settings> settings = Settings::load();
    if (!chosen || !settings)
        return keepAsItIs();
    if (chosen->isEmpty()) {
        cancelAll();
        return;
    }

    const Row& city = chosen->first();
    const int ownId = city.value(QStringLiteral("StateID")).toInt();
    const QString name = city.value(QStringLiteral("Name"));
    const int centreId = cities::timesSource(city);
    if (db->lastCallFailed())
        return keepAsItIs();

    const int today = DateKey::make(DateTimePersian().date());
    const std::optional<RowSet> days = days::timesFrom(today, ownId, centreId);
    const std::optional<RowSet> events = settings->eventsTime == QLatin1String("0") ? RowSet() : days::eventsFrom(today);
    if (!days || !events)
        return keepAsItIs();

    cancelAll();
    updateCalendarEvents(settings->eventsTime, *events);

    // A user-made city's offsets row (StateID above its centre's, dated
    // after every day) sorts first; the days follow it. A city without it
    // has no times of its own, so nothing is scheduled for it.
    int offsets[kAlarmTypes] = {};
    int start = 0;
    if (!cities::isProvinceCentre(city)) {
        const Row first = days->value(0);
        if (first.value(QStringLiteral("StateID")).toInt() != ownId || first.value(QStringLiteral("Date")).toInt() != cities::kOffsetsDate)
            return;
        for (int k = 0; k < kAlarmTypes; ++k)
            offsets[k] = first.value(QString::number(k)).toInt();
        start = 1;
    }

    const QDateTime now = foundation::Clock::now();
    for (int i = start; i < days->size(); ++i) {
        const Row& day = (*days)[i];
        for (int j = 0; j < kAlarmTypes; ++j) {
            const int value = settings->alarms[static_cast<size_t>(j)];
            if (value == 0)
                continue;
            QDateTime t = getDate(day.value(QStringLiteral("Date")), day.value(QString::number(j)));
            if (!t.isValid())
                continue;
            t = t.addSecs(static_cast<qint64>(offsets[j]) * kSecondsPerMinute);
            if (value > 1)
                t = t.addSecs(-static_cast<qint64>(value) * kSecondsPerMinute);
            if (t >= now)
                add(t, name, j, value, settings->recording);
        }
    }
}

void MyNotification::updateCalendarEvents(const QString& item7, const RowSet& events)
{
    if (item7 == QLatin1String("0"))
        return;
    foundation::Log::write(item7);
    // The notice comes at the clock time the user set, on every day.
    const std::optional<ClockTime> at = ClockTime::readStrict(item7);
    if (!at)
        return;

    const QDateTime now = foundation::Clock::now();
    for (const Row& row : events) {
        const std::optional<SolarDate> day = DateKey::read(row.value(QStringLiteral("Date")));
        if (!day || !PersianCalendar::isValid(*day))
            continue;
        const QDateTime t = foundation::Clock::at(PersianCalendar::toGregorian(*day), QTime(at->hour, at->minute));
        if (t >= now) {
            QString text = row.value(QStringLiteral("Description"));
            text.replace(QLatin1Char('@'), QLatin1Char('-'));
            add(t, text, kEventsType, 0, 0);
        }
    }
}

QDateTime MyNotification::getDate(const QString& key, const QString& time)
{
    // The stored time is standard time on the key's day; the moment is the
    // same whatever clock shows it.
    const std::optional<SolarDate> day = DateKey::read(key);
    if (!day || !PersianCalendar::isValid(*day))
        return {};
    return IranClock::moment(PersianCalendar::toGregorian(*day), ClockTime::read(time)).toTimeZone(foundation::Clock::zone());
}

void MyNotification::add(const QDateTime& fireDate, const QString& cityName, int type, int value, int sound)
{
    static const QString kPrayers[kAzanTypes] = {QStringLiteral("صبح"), QStringLiteral("ظهر"), QStringLiteral("مغرب")};
    const QString minutes = Utility::ConvertToPersian(QString::number(value));

    notifications::LocalNotification n;
    n.fireDate = fireDate;
    n.alertAction = QStringLiteral("Ok");
    n.userInfo = {{QStringLiteral("someKey"), QStringLiteral("someValue")}};
    switch (type) {
    case 0:
    case 1:
    case 2:
        if (sound == kRandomRecording)
            sound = static_cast<int>(foundation::Random::next() % kRecordings);
        n.alertBody = kAzan.arg(kPrayers[type], cityName);
        n.soundName = QStringLiteral("%1.wav").arg(sound);
        break;
    case 3:
        n.alertBody = kBeforeSunrise.arg(QStringLiteral("آفتاب"), minutes);
        n.soundName = QStringLiteral("alarm.wav");
        break;
    case 4:
        n.alertBody = kBeforeAzan.arg(QStringLiteral("صبح"), minutes);
        n.soundName = QStringLiteral("7.wav");
        break;
    case 5:
        n.alertBody = kBeforeAzan.arg(QStringLiteral("مغرب"), minutes);
        n.soundName = QStringLiteral(".wav");
        break;
    default:
        n.alertBody = kEventsNotice.arg(cityName);
        n.soundName = QStringLiteral("times.wav");
        break;
    }

    const QDate d = fireDate.date();
    const QTime t = fireDate.time();
    foundation::Log::write(QString::asprintf("%d %d %d / %d:%d - %d - ", d.day(), d.month(), d.year(), t.hour(), t.minute(), sound)
        + n.soundName);
    notifications::NotificationCenter::shared()->scheduleLocalNotification(n);
}
