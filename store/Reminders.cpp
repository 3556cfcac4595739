#include "Reminders.h"

#include "MyDB.h"

#include "calendar/DateTimePersian.h"
#include "calendar/LunarCalendar.h"
#include "calendar/Utility.h"
#include "platform/foundation/Log.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <cstdlib>

namespace reminders {

namespace {

const QString kTimePrefix = QStringLiteral("Reminder:");
const QString kDatePrefix = QStringLiteral("DateReminder:");
// Ids stay far from overflowing.
constexpr int kMaxId = 1000000000;

// Qt's weekday numbers (1 Monday) to their names, and the Persian week's
// order, Saturday first.
const char* kWeekdayPlural[8] = {"", "دوشنبه‌ها", "سه‌شنبه‌ها", "چهارشنبه‌ها", "پنجشنبه‌ها", "جمعه‌ها", "شنبه‌ها", "یکشنبه‌ها"};
constexpr int kPersianWeek[7] = {6, 7, 1, 2, 3, 4, 5};

std::optional<QJsonObject> objectOf(const QString& text)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    return doc.object();
}

QString textOf(const QJsonObject& o)
{
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

// The keys of rows that could not be read and were left out, each told once
// to the user (takeLeftOut) for as long as the app runs.
QStringList& leftOut()
{
    static QStringList keys;
    return keys;
}
QStringList& toldLeftOut()
{
    static QStringList keys;
    return keys;
}

// A row's id, from a key written "Reminder:7" or in another way a number
// reads as ("Reminder: 7", "Reminder:007", "Reminder:+7"); 0 for none.
int idOf(const QString& key, const QString& prefix)
{
    bool ok = false;
    const int id = key.mid(prefix.size()).trimmed().toInt(&ok);
    return ok && id > 0 && id < kMaxId ? id : 0;
}

// The rows of one kind, by id; a row that is not one is left out. A key
// not written as the app writes it is written so, so that a change or a
// removal by its id finds it; of two keys of one id, the one written so.
template <typename T>
std::optional<QList<T>> readAll(const QString& prefix, std::optional<T> (*from)(const QString&))
{
    MyDB* db = MyDB::initialize();
    const std::optional<RowSet> rows = db->query(QStringLiteral("SELECT Key, Value FROM tPreferences WHERE Key LIKE ? ESCAPE '\\'"), {MyDB::likeStarts(prefix)});
    if (!rows)
        return std::nullopt;
    QList<T> list;
    QList<Statement> rewrites;
    QSet<int> seen;
    // The keys written as the app writes them first.
    RowSet ordered = *rows;
    std::stable_sort(ordered.begin(), ordered.end(), [&](const Row& a, const Row& b) {
        const auto canonical = [&](const Row& r) { return r.value(QStringLiteral("Key")) == prefix + QString::number(idOf(r.value(QStringLiteral("Key")), prefix)); };
        return canonical(a) && !canonical(b);
    });
    for (const Row& row : ordered) {
        const QString key = row.value(QStringLiteral("Key"));
        const int id = idOf(key, prefix);
        std::optional<T> r = id > 0 && !seen.contains(id) ? from(row.value(QStringLiteral("Value"))) : std::nullopt;
        if (!r) {
            foundation::Log::write(QStringLiteral("the reminder %1 cannot be read: it is left out").arg(key.left(kMaxText)));
            if (!leftOut().contains(key))
                leftOut().append(key);
            continue;
        }
        seen.insert(id);
        const QString canonical = prefix + QString::number(id);
        if (key != canonical) {
            foundation::Log::write(QStringLiteral("the reminder %1 is kept as %2").arg(key.left(kMaxText), canonical));
            rewrites.append({QStringLiteral("DELETE FROM tPreferences WHERE Key = ?"), {key}});
            rewrites.append({QStringLiteral("INSERT OR IGNORE INTO tPreferences(Key, Value) VALUES(?, ?)"), {canonical, toText(*r)}});
        }
        r->id = id;
        list.append(*r);
    }
    // Written again as they are read; when that cannot be, they are still
    // read so the next time.
    if (!rewrites.isEmpty())
        db->ExecuteTransaction(rewrites);
    std::sort(list.begin(), list.end(), [](const T& a, const T& b) { return a.id < b.id; });
    return list;
}

template <typename T>
bool store(const QString& prefix, T& reminder)
{
    MyDB* db = MyDB::initialize();
    const bool fresh = reminder.id <= 0;
    if (fresh) {
        // After the highest id there is, whatever its row holds; a key
        // that is no sane number is passed over.
        const std::optional<RowSet> rows
            = db->query(QStringLiteral("SELECT Key FROM tPreferences WHERE Key LIKE ? ESCAPE '\\'"), {MyDB::likeStarts(prefix)});
        if (!rows)
            return false;
        int highest = 0;
        for (const Row& row : *rows)
            highest = std::max(highest, idOf(row.value(QStringLiteral("Key")), prefix));
        reminder.id = highest + 1;
    }
    // A new one never takes the place of another.
    const QString verb = fresh ? QStringLiteral("INSERT") : QStringLiteral("INSERT OR REPLACE");
    const bool saved = db->ExecuteTransaction(
        {{verb + QStringLiteral(" INTO tPreferences(Key, Value) VALUES(?, ?)"), {prefix + QString::number(reminder.id), toText(reminder)}}});
    if (!saved && fresh)
        reminder.id = 0;
    return saved;
}

bool removeKey(const QString& key)
{
    return MyDB::initialize()->ExecuteTransaction({{QStringLiteral("DELETE FROM tPreferences WHERE Key = ?"), {key}}});
}

QString persianDay(int month, int day)
{
    return QString::number(day) + QLatin1Char(' ') + DateTimePersian::getMonthName(month - 1);
}

} // namespace

QString dayTimeName(DayTime time)
{
    return time == DayTime::SunQibla ? QStringLiteral("خورشید در راستای قبله") : ::dayTimeName(timeOfDay(time));
}

::DayTime timeOfDay(DayTime time)
{
    return static_cast<::DayTime>(std::clamp(static_cast<int>(time), 0, kTimesOfDay - 1));
}

QString sunQiblaName(bool behind)
{
    return behind ? QStringLiteral("سایه در راستای قبله") : dayTimeName(DayTime::SunQibla);
}

QString TimeReminder::summary() const
{
    QString text = minutes == 0 ? QStringLiteral("هنگام %1").arg(dayTimeName(time))
        : QStringLiteral("%1 دقیقه %2 %3").arg(std::abs(minutes)).arg(minutes < 0 ? QStringLiteral("پیش از") : QStringLiteral("پس از"), dayTimeName(time));
    if (!weekdays.isEmpty() && weekdays.size() < 7) {
        QStringList days;
        for (int d : kPersianWeek)
            if (weekdays.contains(d))
                days.append(QString::fromUtf8(kWeekdayPlural[d]));
        text += QStringLiteral("، ") + days.join(QStringLiteral(" و "));
    }
    if (ramadanOnly)
        text += QStringLiteral("، در رمضان");
    return Utility::ConvertToPersian(text);
}

EventRules::Rule DateReminder::rule() const
{
    EventRules::Rule r;
    r.calendar = repeat == Repeat::YearlyHijri ? EventRules::Calendar::Lunar : EventRules::Calendar::Solar;
    r.month = repeat == Repeat::MonthlyPersian ? 0 : month;
    r.day = QString::number(day);
    if (repeat == Repeat::Once)
        r.firstYear = r.lastYear = year;
    else
        r.lastYear = 9999;
    r.text = text;
    r.own = true;
    r.reminderId = id;
    return r;
}

QList<QDate> DateReminder::days(const QDate& first, const QDate& last) const
{
    EventRules rules;
    rules.add(rule());
    QList<QDate> list;
    for (QDate d = first; d.isValid() && d <= last; d = d.addDays(1))
        if (!rules.day(d).events.isEmpty())
            list.append(d);
    return list;
}

QString DateReminder::summary() const
{
    QString when;
    switch (repeat) {
    case Repeat::Once:
        when = persianDay(month, day) + QLatin1Char(' ') + QString::number(year);
        break;
    case Repeat::YearlyPersian:
        when = QStringLiteral("هر سال ") + persianDay(month, day);
        break;
    case Repeat::MonthlyPersian:
        when = QStringLiteral("روز %1 هر ماه").arg(day);
        break;
    case Repeat::YearlyHijri:
        when = QStringLiteral("هر سال %1 %2").arg(day).arg(LunarCalendar::monthName(month));
        break;
    }
    return Utility::ConvertToPersian(when + QStringLiteral("، ساعت ") + time.padded());
}

QString toText(const TimeReminder& r)
{
    QJsonArray days;
    for (int d : r.weekdays)
        days.append(d);
    return textOf({{"time", static_cast<int>(r.time)}, {"minutes", r.minutes}, {"weekdays", days}, {"ramadan", r.ramadanOnly}});
}

QString toText(const DateReminder& r)
{
    return textOf({{"repeat", static_cast<int>(r.repeat)}, {"year", r.year}, {"month", r.month}, {"day", r.day}, {"text", r.text},
        {"time", r.time.padded()}});
}

std::optional<TimeReminder> timeReminderFrom(const QString& text)
{
    const std::optional<QJsonObject> o = objectOf(text);
    if (!o)
        return std::nullopt;
    TimeReminder r;
    const int time = o->value("time").toInt(-1);
    r.minutes = o->value("minutes").toInt(kMaxMinutes + 1);
    if (time < 0 || time >= kDayTimes || std::abs(r.minutes) > kMaxMinutes || !o->value("weekdays").isArray())
        return std::nullopt;
    r.time = static_cast<DayTime>(time);
    if (r.minutes > 0 && !comesAfter(r.time))
        return std::nullopt;
    for (const QJsonValue& d : o->value("weekdays").toArray()) {
        const int day = d.toInt(0);
        if (day < 1 || day > 7)
            return std::nullopt;
        if (!r.weekdays.contains(day))
            r.weekdays.append(day);
    }
    std::sort(r.weekdays.begin(), r.weekdays.end());
    r.ramadanOnly = o->value("ramadan").toBool();
    return r;
}

std::optional<DateReminder> dateReminderFrom(const QString& text)
{
    const std::optional<QJsonObject> o = objectOf(text);
    if (!o)
        return std::nullopt;
    DateReminder r;
    const int repeat = o->value("repeat").toInt(-1);
    r.year = o->value("year").toInt(0);
    r.month = o->value("month").toInt(0);
    r.day = o->value("day").toInt(0);
    // No longer than the form lets it be: a text grown from outside is cut,
    // not drawn whole on every screen and notification.
    r.text = o->value("text").toString().left(kMaxText);
    const std::optional<ClockTime> time = ClockTime::readStrict(o->value("time").toString());
    const int longest = repeat == static_cast<int>(DateReminder::Repeat::YearlyHijri) ? LunarCalendar::kLongestMonth : 31;
    if (repeat < 0 || repeat > 3 || r.month < 1 || r.month > 12 || r.day < 1 || r.day > longest || r.text.trimmed().isEmpty() || !time)
        return std::nullopt;
    r.repeat = static_cast<DateReminder::Repeat>(repeat);
    if (r.repeat == DateReminder::Repeat::Once && r.year <= 0)
        return std::nullopt;
    r.time = *time;
    return r;
}

std::optional<QList<TimeReminder>> timeReminders()
{
    return readAll<TimeReminder>(kTimePrefix, &timeReminderFrom);
}

std::optional<QList<DateReminder>> dateReminders()
{
    return readAll<DateReminder>(kDatePrefix, &dateReminderFrom);
}

bool save(TimeReminder& reminder)
{
    return store(kTimePrefix, reminder);
}

bool save(DateReminder& reminder)
{
    return store(kDatePrefix, reminder);
}

bool removeTimeReminder(int id)
{
    return removeKey(kTimePrefix + QString::number(id));
}

bool removeDateReminder(int id)
{
    return removeKey(kDatePrefix + QString::number(id));
}

std::optional<QString> takeLeftOut()
{
    QStringList fresh;
    for (const QString& key : std::as_const(leftOut()))
        if (!toldLeftOut().contains(key))
            fresh.append(key);
    if (fresh.isEmpty())
        return std::nullopt;
    toldLeftOut().append(fresh);
    return fresh.size() == 1 ? QStringLiteral("یک یادآوری خوانده نشد و کنار گذاشته شد.")
                             : QStringLiteral("%1 یادآوری خوانده نشد و کنار گذاشته شد.").arg(Utility::ConvertToPersian(QString::number(fresh.size())));
}

} // namespace reminders
