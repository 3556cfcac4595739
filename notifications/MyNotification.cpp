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
#include "store/MyDB.h"

namespace {

const char* kFirstCity =
    "SELECT tStates.* FROM tStates INNER JOIN tSelectedStates ON tStates.StateID = tSelectedStates.StateID ORDER BY Ordering  LIMIT 1";
const char* kDays =
    "SELECT StateID, Date, T1 AS '0', T3 AS '1', T5 AS '2', T2 AS '3', T1 AS '4', T5 AS '5' FROM tTimes "
    "WHERE Date >= '%1' AND (StateID = %2 OR StateID = %3) ORDER by StateID DESC, Date LIMIT 5";
// Only days that have events: a NULL and an empty description alike have none.
const char* kEvents =
    "SELECT Date, Description FROM tEvents WHERE Date >= '%1' AND Description IS NOT NULL AND Description <> '' "
    "ORDER BY Date LIMIT 5";

const QString kAzan = QStringLiteral("اذان %1 به افق %2");
const QString kBeforeSunrise = QStringLiteral("تا طلوع %1 تنها %2 دقیقه زمان باقیست");
const QString kBeforeAzan = QStringLiteral("تا اذان %1 تنها %2 دقیقه زمان باقیست");
const QString kEventsNotice = QStringLiteral("وقایع امروز : \n%1");

constexpr int kSecondsPerMinute = 60;

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
    cancelAll();
    MyDB* db = MyDB::initialize();
    const RowSet cities = db->Execute(QString::fromLatin1(kFirstCity));
    if (cities.isEmpty())
        return;

    const RowSet settings = db->Execute(QStringLiteral("SELECT * FROM tSetting"));
    const Row setting = settings.value(0);
    const int recording = setting.value(QStringLiteral("Item6")).toInt();
    updateCalendarEvents(setting.value(QStringLiteral("Item7")));

    const Row& city = cities.first();
    const int ownId = city.value(QStringLiteral("StateID")).toInt();
    const QString name = city.value(QStringLiteral("Name"));
    const int centreId = cities::timesSource(city);

    const QString today = DateTimePersian().getPersianDate();
    const RowSet days = db->Execute(QString::fromLatin1(kDays).arg(today).arg(ownId).arg(centreId));

    // A user-made city's offsets row (StateID above its centre's, date
    // 14000101) sorts first; the days follow it.
    int offsets[kAlarmTypes] = {};
    int start = 0;
    if (ownId != centreId && !days.isEmpty()) {
        for (int k = 0; k < kAlarmTypes; ++k)
            offsets[k] = days.first().value(QString::number(k)).toInt();
        start = 1;
    }

    const QDateTime now = foundation::Clock::now();
    for (int i = start; i < days.size(); ++i) {
        const Row& day = days[i];
        for (int j = 0; j < kAlarmTypes; ++j) {
            const int value = setting.value(QStringLiteral("Item%1").arg(j)).toInt();
            if (value == 0)
                continue;
            QDateTime t = getDate(day.value(QStringLiteral("Date")), day.value(QString::number(j)));
            if (!t.isValid())
                continue;
            t = t.addSecs(static_cast<qint64>(offsets[j]) * kSecondsPerMinute);
            if (value > 1)
                t = t.addSecs(-static_cast<qint64>(value) * kSecondsPerMinute);
            if (t >= now)
                add(t, name, j, value, recording);
        }
    }
}

void MyNotification::updateCalendarEvents(const QString& item7)
{
    if (item7 == QLatin1String("0"))
        return;
    foundation::Log::write(item7);
    // The notice comes at the clock time the user set, on every day.
    const std::optional<ClockTime> at = ClockTime::readStrict(item7);
    if (!at)
        return;

    const QString today = DateTimePersian().getPersianDate();
    const RowSet rows = MyDB::initialize()->Execute(QString::fromLatin1(kEvents).arg(today));
    const QDateTime now = foundation::Clock::now();
    for (const Row& row : rows) {
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
