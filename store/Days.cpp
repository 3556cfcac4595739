#include "Days.h"

#include "Cities.h"
#include "EventKinds.h"
#include "Reminders.h"

#include "astronomy/PrayerTimes.h"
#include "calendar/ClockTime.h"
#include "calendar/DateKey.h"
#include "calendar/IranClock.h"
#include "calendar/PersianCalendar.h"

#include <algorithm>

namespace days {

namespace {

// A city with what its times come from: the StateID of the stored times
// ("CentreID") and, for a city the user made, its offsets ("O1" to "O6").
// The centre of a city is the centre city of its province.
// And, for a place, its coordinates.
const char* kCityColumns =
    "SELECT c.StateID AS StateID, %1 AS Name, c.IsCenter AS IsCenter, "
    "(SELECT a.StateID FROM tStates a WHERE a.ParentID = c.ParentID AND a.IsCenter = 1) AS CentreID, "
    "o.StateID AS OffsetsOf, o.T1 AS O1, o.T2 AS O2, o.T3 AS O3, o.T4 AS O4, o.T5 AS O5, o.T6 AS O6, "
    "k.Latitude AS Latitude, k.Longitude AS Longitude ";
const char* kCityJoins =
    "LEFT JOIN tTimes o ON o.StateID = c.StateID AND o.Date = ? LEFT JOIN tCoordinates k ON k.StateID = c.StateID ";
// A city's name as it is shown alone.
const QString kCityColumnsNamed = QLatin1String(kCityColumns).arg(cities::shownNameSql());
const QString kCity = kCityColumnsNamed + QLatin1String("FROM tStates c ") + QLatin1String(kCityJoins) + QLatin1String("WHERE c.StateID = ?");
const QString kChosenFirstToLast = kCityColumnsNamed
    + QLatin1String("FROM tSelectedStates sel INNER JOIN tStates c ON c.StateID = sel.StateID ") + QLatin1String(kCityJoins)
    + QLatin1String("ORDER BY sel.Ordering");
const QString kChosenLastToFirst = kChosenFirstToLast + QLatin1String(" DESC");

// A centre's days with the next day's dawn and sunrise; only days the data
// holds (vTimes has no row for the day after its last).
const char* kStoredDays =
    "SELECT Date, T1, T2, T3, T4, T5, T6, T7, T8 FROM vTimes WHERE StateID = ? AND Date >= ? AND Date <= ? ORDER BY Date LIMIT ?";
const QByteArray kRulesTable = QByteArrayLiteral("tEventRules");
const char* kRules = "SELECT Calendar, Month, Day, IsHoliday, FirstYear, LastYear, Description, Kind, Note FROM tEventRules ORDER BY Ord";
constexpr int kEventDaysPlanned = 5;
// How far ahead the days with events are looked for.
constexpr int kEventDaysLooked = 120;

MyDB* db()
{
    return MyDB::initialize();
}

// Where a city's times come from.
struct Source {
    enum class Kind { None, Stored, Offsets, Computed } kind = Kind::None;
    int storedId = 0;
    std::array<int, kTimesOfDay> offsets{};
    Place place;
};

Source sourceOf(const Row& city)
{
    Source s;
    const int centre = city.value(QStringLiteral("CentreID")).toInt();
    bool latitude = false;
    bool longitude = false;
    s.place = {city.value(QStringLiteral("Latitude")).toDouble(&latitude), city.value(QStringLiteral("Longitude")).toDouble(&longitude)};
    if (cities::isProvinceCentre(city)) {
        s.kind = Source::Kind::Stored;
        s.storedId = city.value(QStringLiteral("StateID")).toInt();
    } else if (latitude && longitude) {
        s.kind = Source::Kind::Computed;
    } else if (centre != 0 && !city.value(QStringLiteral("OffsetsOf")).isEmpty()) {
        s.kind = Source::Kind::Offsets;
        s.storedId = centre;
        for (int k = 0; k < kTimesOfDay; ++k)
            s.offsets[static_cast<size_t>(k)] = city.value(QStringLiteral("O") + QString::number(k + 1)).trimmed().toInt();
    }
    return s;
}

// The key of the last of `count` days from `fromKey`.
int lastKey(int fromKey, int count)
{
    const SolarDate from = DateKey::read(fromKey);
    if (!PersianCalendar::isValid(from) || count < 1)
        return fromKey;
    return DateKey::make(PersianCalendar::addDays(from, count - 1));
}

// The sun's place around the days, as the builder stored it, handed to the
// engine: a place's times then cost microseconds, not a tenth of a
// millisecond for each new sample. Read a fortnight at a time.
constexpr long kSunSamplesRead = 64;
const char* kSun = "SELECT Sample, RightAscension, Declination, SiderealLead FROM tSun WHERE Sample BETWEEN ? AND ?";

void knowTheSun(const QDate& from, const QDate& to)
{
    const long first = sunSampleIndex(from) - kSunSamplesBefore;
    const long last = sunSampleIndex(to) + kSunSamplesAfter;
    if (knowsSunSample(first) && knowsSunSample(last))
        return;
    // As numbers: a text would round them, and with them a time now and then.
    const std::optional<QList<QVariantList>> rows
        = db()->numbers(QString::fromLatin1(kSun), {static_cast<qlonglong>(first), static_cast<qlonglong>(std::max(last, first + kSunSamplesRead))});
    for (const QVariantList& row : rows.value_or(QList<QVariantList>())) {
        if (row.size() == 4 && row[1].typeId() == QMetaType::Double && row[2].typeId() == QMetaType::Double && row[3].typeId() == QMetaType::Double)
            knowSunSample(row[0].toLongLong(), {row[1].toDouble(), row[2].toDouble(), row[3].toDouble()});
    }
}

// A place's days, computed from its coordinates by the engine that computed
// the shipped centres': the same answer as if it had been shipped.
QList<Times> computed(const Place& place, int fromKey, int count)
{
    QList<Times> list;
    const SolarDate from = DateKey::read(fromKey);
    if (!PersianCalendar::isValid(from))
        return list;
    QDate day = PersianCalendar::toGregorian(from);
    knowTheSun(day, day.addDays(count));
    std::array<int, kTimesOfDay> today = storedMinutes(day, place);
    for (int i = 0; i < count; ++i, day = day.addDays(1)) {
        const SolarDate date = PersianCalendar::fromGregorian(day);
        const std::array<int, kTimesOfDay> next = storedMinutes(day.addDays(1), place);
        if (PersianCalendar::inData(date)) {
            Times t{DateKey::make(date), {}};
            for (int k = 0; k < kTimesOnPage; ++k)
                t.stored[static_cast<size_t>(k)] = ClockTime::fromMinutes(k < kTimesOfDay ? today[static_cast<size_t>(k)] : next[static_cast<size_t>(k - kTimesOfDay)]);
            list.append(t);
        }
        today = next;
    }
    return list;
}

std::optional<QList<Times>> timesOf(const Source& source, int fromKey, int count)
{
    if (source.kind == Source::Kind::None)
        return QList<Times>();
    if (source.kind == Source::Kind::Computed)
        return computed(source.place, fromKey, count);
    const std::optional<RowSet> rows = db()->query(QString::fromLatin1(kStoredDays), {source.storedId, fromKey, lastKey(fromKey, count), count});
    if (!rows)
        return std::nullopt;
    QList<Times> list;
    for (const Row& row : *rows) {
        Times day;
        day.key = row.value(QStringLiteral("Date")).toInt();
        for (int k = 0; k < kTimesOnPage; ++k) {
            // The store's text is read here, once; a time it cannot hold is none.
            const std::optional<ClockTime> stored = ClockTime::readStrict(row.value(QStringLiteral("T") + QString::number(k + 1)).trimmed());
            // The next day's dawn and sunrise move by the dawn's and the sunrise's offsets.
            const int offset = source.kind == Source::Kind::Offsets ? source.offsets[static_cast<size_t>(k % kTimesOfDay)] : 0;
            day.stored[static_cast<size_t>(k)] = stored ? std::optional<ClockTime>(ClockTime::fromMinutes(stored->minutes() + offset)) : std::nullopt;
        }
        list.append(day);
    }
    return list;
}

} // namespace

std::optional<QList<Times>> cityTimes(int cityId, int fromKey, int count)
{
    const std::optional<RowSet> city = db()->query(kCity, {DateKey::kOffsetsSentinel, cityId});
    if (!city)
        return std::nullopt;
    if (city->isEmpty())
        return QList<Times>();
    return timesOf(sourceOf(city->first()), fromKey, count);
}

std::optional<CityDays> firstWithTimes(int fromKey, int count)
{
    std::optional<RowSet> chosen = db()->query(kChosenFirstToLast, {DateKey::kOffsetsSentinel});
    if (!chosen)
        return std::nullopt;
    // The city the user chose for the azans comes first, if it has times.
    const QString preferred = QString::number(cities::azanCity());
    std::stable_partition(chosen->begin(), chosen->end(), [&preferred](const Row& city) { return city.value(QStringLiteral("StateID")) == preferred; });
    for (const Row& city : *chosen) {
        const std::optional<QList<Times>> days = timesOf(sourceOf(city), fromKey, count);
        if (!days)
            return std::nullopt;
        if (!days->isEmpty())
            return CityDays{city.value(QStringLiteral("StateID")).toInt(), city.value(QStringLiteral("Name")), *days};
    }
    return CityDays{};
}

std::optional<QList<Page>> pages(int key)
{
    const std::optional<RowSet> chosen = db()->query(kChosenLastToFirst, {DateKey::kOffsetsSentinel});
    if (!chosen)
        return std::nullopt;
    const bool inData = PersianCalendar::inData(DateKey::read(key));
    DayEvents day{key, {}, false, {}};
    if (inData && !chosen->isEmpty()) {
        const std::optional<QList<DayEvents>> events = days::events(key, key);
        if (!events)
            return std::nullopt;
        day = events->value(0, day);
    }
    QList<Page> list;
    for (const Row& city : *chosen) {
        Page page{city.value(QStringLiteral("StateID")).toInt(), city.value(QStringLiteral("Name")), key, std::nullopt, Page::NoTimes::None, day};
        const std::optional<QList<Times>> found = inData ? timesOf(sourceOf(city), key, 1) : std::nullopt;
        if (!found && inData)
            return std::nullopt;
        if (!found || found->isEmpty() || found->first().key != key)
            page.noTimes = inData ? Page::NoTimes::NoCityTimes : Page::NoTimes::OutsideData;
        else
            page.times = found->first();
        list.append(page);
    }
    return list;
}

namespace {

// The shipped rules as read last, while the database holds what it held:
// every rebuild and every refresh asks for them, and they change only with
// the data.
std::optional<QList<EventRules::Rule>> shippedRules()
{
    static QString stamp;
    static QList<EventRules::Rule> kept;
    const std::optional<QString> now = db()->contentStamp(kRulesTable);
    if (now && *now == stamp)
        return kept;
    // By position, as the engine holds them: the rows are many, and read
    // again after any write.
    const std::optional<QList<QVariantList>> rows = db()->numbers(QString::fromLatin1(kRules));
    if (!rows)
        return std::nullopt;
    QList<EventRules::Rule> read;
    read.reserve(rows->size());
    for (const QVariantList& row : *rows) {
        if (row.size() < 9)
            continue;
        EventRules::Rule r;
        r.calendar = static_cast<EventRules::Calendar>(row[0].toInt());
        r.month = row[1].toInt();
        r.day = row[2].toString();
        r.holiday = row[3].toString() == QLatin1String("1");
        r.firstYear = row[4].toInt();
        r.lastYear = row[5].toInt();
        r.text = row[6].toString();
        r.kind = EventRules::kindOf(row[7].toString()).value_or(EventRules::Kind::Iran);
        r.note = row[8].toString();
        read.append(r);
    }
    // Kept only under a stamp taken before the read, and still the same
    // after it: nothing written in between is missed.
    if (now && db()->contentStamp(kRulesTable) == now) {
        stamp = *now;
        kept = read;
    }
    return read;
}

// The shipped rules of the kinds the user shows, and with `own` the user's
// reminders by date as their own events.
std::optional<EventRules> rules(bool own = true)
{
    const std::optional<QList<EventRules::Rule>> shipped = shippedRules();
    const std::optional<EventRules::Kinds> kinds = eventKinds::load();
    if (!shipped || !kinds)
        return std::nullopt;
    EventRules rules;
    rules.setShown(*kinds);
    for (const EventRules::Rule& r : *shipped)
        rules.add(r);
    if (own) {
        const std::optional<QList<reminders::DateReminder>> mine = reminders::dateReminders();
        if (!mine)
            return std::nullopt;
        for (const reminders::DateReminder& m : *mine)
            rules.add(m.rule());
    }
    return rules;
}

DayEvents dayOf(const EventRules& rules, const QDate& date)
{
    EventRules::Day day = rules.day(date);
    return {DateKey::make(PersianCalendar::fromGregorian(date)), day.description, day.holiday, day.events};
}

} // namespace

std::optional<QList<DayEvents>> events(int fromKey, int toKey)
{
    const SolarDate from = DateKey::read(fromKey);
    const SolarDate to = DateKey::read(toKey);
    if (!PersianCalendar::isValid(from) || !PersianCalendar::isValid(to))
        return QList<DayEvents>();
    const std::optional<EventRules> all = rules();
    if (!all)
        return std::nullopt;
    QList<DayEvents> list;
    const QDate last = PersianCalendar::toGregorian(to);
    for (QDate d = PersianCalendar::toGregorian(from); d <= last; d = d.addDays(1))
        list.append(dayOf(*all, d));
    return list;
}

std::optional<EventRules> shownRules()
{
    return rules();
}

std::optional<QList<DayEvents>> eventsFrom(int key)
{
    const SolarDate from = DateKey::read(key);
    if (!PersianCalendar::inData(from))
        return QList<DayEvents>();
    // The user's reminders come at their own times, not in the notice.
    const std::optional<EventRules> all = rules(false);
    if (!all)
        return std::nullopt;
    QList<DayEvents> list;
    QDate d = PersianCalendar::toGregorian(from);
    for (int i = 0; i < kEventDaysLooked && list.size() < kEventDaysPlanned; ++i, d = d.addDays(1)) {
        if (!PersianCalendar::inData(PersianCalendar::fromGregorian(d)))
            break;
        const DayEvents day = dayOf(*all, d);
        if (!day.description.isEmpty())
            list.append(day);
    }
    return list;
}

} // namespace days
