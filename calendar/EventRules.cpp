#include "EventRules.h"

#include "DateKey.h"
#include "LunarCalendar.h"
#include "PersianCalendar.h"

#include "platform/foundation/Digits.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <limits>

const QString EventRules::kLastDay = QStringLiteral("last");

namespace {

const QString kHolidayJoin = QStringLiteral("؛ ");

// "-", "1396-", "-1400", "1391-1395" or "1391".
bool readYears(const QString& text, int& first, int& last)
{
    first = std::numeric_limits<int>::min();
    last = std::numeric_limits<int>::max();
    const QString t = text.trimmed();
    if (t == QLatin1String("-"))
        return true;
    const qsizetype dash = t.indexOf(QLatin1Char('-'));
    bool ok = true;
    if (dash < 0) {
        first = last = t.toInt(&ok);
        return ok;
    }
    const QString from = t.left(dash);
    const QString to = t.mid(dash + 1);
    bool okFrom = true;
    bool okTo = true;
    if (!from.isEmpty())
        first = from.toInt(&okFrom);
    if (!to.isEmpty())
        last = to.toInt(&okTo);
    return okFrom && okTo;
}

constexpr int kDaysInWeek = 7;
const QString kYearDay = QStringLiteral("yearday-");
const char* kWeekdays[kDaysInWeek] = {"monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};

// "friday" as Qt numbers the days (Monday 1); 0 for anything else.
int weekdayOf(const QString& name)
{
    for (int i = 0; i < kDaysInWeek; ++i)
        if (name == QLatin1String(kWeekdays[i]))
            return i + 1;
    return 0;
}

// The day of a month of `length` days, whose first day is a `firstWeekday`,
// that a rule's day names; 0 for none. `own`: the user's, whose day past
// the month's end is its last.
int dayIn(const QString& rule, int length, int firstWeekday, bool own)
{
    bool number = false;
    const int n = rule.toInt(&number);
    if (number)
        return own ? std::min(n, length) : (n >= 1 && n <= length ? n : 0);
    if (rule == EventRules::kLastDay)
        return length;
    const QStringList parts = rule.split(QLatin1Char('-'));
    const int weekday = weekdayOf(parts.value(1));
    if (parts.size() < 2 || parts.size() > 3 || weekday == 0)
        return 0;
    // The weekday of the day `d` is (firstWeekday - 1 + d - 1) % 7 + 1.
    const auto weekdayOfDay = [firstWeekday](int d) { return (firstWeekday - 1 + d - 1) % kDaysInWeek + 1; };
    int day = 0;
    if (parts[0] == EventRules::kLastDay) {
        day = length - (weekdayOfDay(length) - weekday + kDaysInWeek) % kDaysInWeek;
        day -= parts.value(2).toInt();
    } else {
        bool ok = false;
        const int nth = parts[0].toInt(&ok);
        if (!ok || nth < 1 || parts.size() != 2)
            return 0;
        day = 1 + (weekday - firstWeekday + kDaysInWeek) % kDaysInWeek + (nth - 1) * kDaysInWeek;
    }
    return day >= 1 && day <= length ? day : 0;
}

// Whether a rule's day names a day at all.
bool validDay(const QString& day, EventRules::Calendar calendar)
{
    if (day.startsWith(kYearDay))
        return calendar == EventRules::Calendar::Gregorian && day.mid(kYearDay.size()).toInt() >= 1;
    bool number = false;
    const int n = day.toInt(&number);
    if (number)
        return n >= 1 && n <= 31;
    // Any month has a last day and a day of each weekday.
    constexpr int kAnyLength = 31;
    for (int first = 1; first <= kDaysInWeek; ++first)
        if (dayIn(day, kAnyLength, first, false) == 0)
            return false;
    return true;
}

// Whether `rule` falls on `date`, the day `day` of a month of `length`
// days in its calendar.
bool falls(const EventRules::Rule& rule, const QDate& date, int day, int length)
{
    if (rule.day.startsWith(kYearDay))
        return date.dayOfYear() == rule.day.mid(kYearDay.size()).toInt();
    const int firstWeekday = date.addDays(1 - day).dayOfWeek();
    return dayIn(rule.day, length, firstWeekday, rule.own) == day;
}

// The official calendar names its calendars and kinds so.
std::optional<EventRules::Calendar> calendarOf(const QString& name)
{
    if (name == QLatin1String("Persian"))
        return EventRules::Calendar::Solar;
    if (name == QLatin1String("Hijri"))
        return EventRules::Calendar::Lunar;
    if (name == QLatin1String("Gregorian"))
        return EventRules::Calendar::Gregorian;
    return std::nullopt;
}

// The file numbers the weekdays from Sunday (1) to Saturday (7).
QString weekdayName(int fromSunday)
{
    const int qt = (fromSunday + kDaysInWeek - 2) % kDaysInWeek + 1;
    return fromSunday >= 1 && fromSunday <= kDaysInWeek ? QLatin1String(kWeekdays[qt - 1]) : QString();
}

// The day of an occasion of the official calendar in the rules' words.
QString officialDay(const QJsonObject& o)
{
    const QString rule = o.value(QLatin1String("rule")).toString();
    const int day = o.value(QLatin1String("day")).toInt();
    if (rule == QLatin1String("simple") || rule == QLatin1String("single event"))
        return QString::number(day);
    if (rule == QLatin1String("end of month"))
        return EventRules::kLastDay;
    const QString weekday = weekdayName(o.value(QLatin1String("weekday")).toInt());
    if (rule == QLatin1String("last weekday of month") && !weekday.isEmpty()) {
        const int offset = o.value(QLatin1String("offset")).toInt();
        return EventRules::kLastDay + QLatin1Char('-') + weekday + (offset < 0 ? QStringLiteral("-%1").arg(-offset) : QString());
    }
    if (rule == QLatin1String("nth weekday of month") && !weekday.isEmpty())
        return QStringLiteral("%1-%2").arg(o.value(QLatin1String("nth")).toInt()).arg(weekday);
    // The nth day counted from the first of a month (the 256th of the year).
    if (rule == QLatin1String("nth day from") && o.value(QLatin1String("month")).toInt() == 1 && day == 1)
        return kYearDay + QString::number(o.value(QLatin1String("nth")).toInt());
    return {};
}

} // namespace

QString EventRules::kindKey(Kind kind)
{
    switch (kind) {
    case Kind::Iran:
        return QStringLiteral("Iran");
    case Kind::AncientIran:
        return QStringLiteral("AncientIran");
    case Kind::International:
        return QStringLiteral("International");
    case Kind::Afghanistan:
        return QStringLiteral("Afghanistan");
    }
    return {};
}

std::optional<EventRules::Kind> EventRules::kindOf(const QString& key)
{
    for (int k = 0; k < kKinds; ++k)
        if (kindKey(static_cast<Kind>(k)) == key)
            return static_cast<Kind>(k);
    return std::nullopt;
}

QString EventRules::kindTitle(Kind kind)
{
    switch (kind) {
    case Kind::Iran:
        return QStringLiteral("مناسبت‌های رسمی ایران");
    case Kind::AncientIran:
        return QStringLiteral("جشن‌های ایران باستان");
    case Kind::International:
        return QStringLiteral("روزهای جهانی");
    case Kind::Afghanistan:
        return QStringLiteral("مناسبت‌های افغانستان");
    }
    return {};
}

QString EventRules::shortText(const QString& text)
{
    // A note in brackets with a number in it (a year, a date), one that
    // says how the day is found or when before the Hijra, or one with
    // brackets of its own; the honorifics, "(ع)", "(ره)", and short
    // glosses, "(عصای سفید)", stay.
    static const QRegularExpression note(QStringLiteral("\\s*\\(((?:[^()]|\\([^()]*\\))*)\\)"));
    static const QRegularExpression numberOrBracket(QStringLiteral("[0-9\u06F0-\u06F9\u0660-\u0669()]"));
    static const QRegularExpression how(QStringLiteral("آخرین|دومین|سومین|چهارمین|نخستین|اولین|انتهای ماه|هفتهٔ|هجرت"));
    QString result;
    qsizetype from = 0;
    QRegularExpressionMatchIterator it = note.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString inside = m.captured(1);
        result += text.mid(from, m.capturedStart() - from);
        if (!inside.contains(numberOrBracket) && !inside.contains(how))
            result += m.captured(0);
        from = m.capturedEnd();
    }
    result += text.mid(from);
    return result.simplified();
}

QString EventRules::load(const QString& dataDir)
{
    rules_.clear();
    // 1391 as it shipped; the official calendar from the year after.
    const QList<QPair<const char*, Calendar>> files = {
        {"events-solar.tsv", Calendar::Solar}, {"events-lunar.tsv", Calendar::Lunar}, {"events-gregorian.tsv", Calendar::Gregorian}};
    for (const auto& [name, calendar] : files) {
        const QString path = dataDir + QLatin1Char('/') + QLatin1String(name);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return QStringLiteral("cannot read %1").arg(path);
        const QString error = read(QString::fromUtf8(file.readAll()), calendar, path);
        if (!error.isEmpty())
            return error;
    }
    QFile json(dataDir + QStringLiteral("/official-events.json"));
    QFile changes(dataDir + QStringLiteral("/official-events-changes.tsv"));
    if (!json.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1").arg(json.fileName());
    if (!changes.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("cannot read %1").arg(changes.fileName());
    return readOfficial(json.readAll(), QString::fromUtf8(changes.readAll()), kFirstOfficialYear);
}

QString EventRules::readOfficial(const QByteArray& json, const QString& changesTsv, int firstYear)
{
    QJsonParseError parsed{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parsed);
    if (parsed.error != QJsonParseError::NoError)
        return QStringLiteral("official-events.json: %1").arg(parsed.errorString());
    // The occasions that once were Iran's, for the years they were.
    const QString kFormer = QStringLiteral("IranFormer");

    // The changes: calendar, month, day, holiday, years, kind, event.
    struct Change {
        Rule rule;
        bool used = false;
    };
    QList<Change> changes;
    int number = 0;
    for (const QString& row : changesTsv.split(QLatin1Char('\n'))) {
        ++number;
        if (row.trimmed().isEmpty() || row.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = row.split(QLatin1Char('\t'));
        Rule r;
        bool okMonth = false;
        const std::optional<Calendar> calendar = calendarOf(cells.value(0).trimmed());
        r.month = cells.value(1).toInt(&okMonth);
        r.day = cells.value(2).trimmed();
        r.holiday = cells.value(3).trimmed() == QLatin1String("1");
        const std::optional<Kind> kind = kindOf(cells.value(5).trimmed());
        r.note = cells.value(6).trimmed();
        if (cells.size() != 7 || !calendar || !okMonth || r.month < 1 || r.month > 12 || !kind || r.note.isEmpty()
            || !validDay(r.day, *calendar) || !readYears(cells.value(4), r.firstYear, r.lastYear))
            return QStringLiteral("official-events-changes.tsv, line %1: expected calendar, month, day, holiday, years, kind and event").arg(number);
        r.calendar = *calendar;
        r.kind = *kind;
        r.firstYear = std::max(r.firstYear, firstYear);
        changes.append({r, false});
    }

    const auto place = [this](Rule r) {
        r.text = shortText(r.note);
        if (r.text == r.note)
            r.note.clear();
        // Only Iran's holidays are days off here.
        r.holiday = r.holiday && r.kind == Kind::Iran;
        rules_.append(r);
    };
    for (const QJsonValue& value : doc.object().value(QLatin1String("data")).toArray()) {
        const QJsonObject o = value.toObject();
        const QString type = o.value(QLatin1String("type")).toString();
        const std::optional<Calendar> calendar = calendarOf(o.value(QLatin1String("calendar")).toString());
        const std::optional<Kind> kind = type == kFormer ? Kind::Iran : kindOf(type);
        if (!calendar || !kind)
            continue;
        Rule r;
        r.calendar = *calendar;
        r.kind = *kind;
        r.month = o.value(QLatin1String("month")).toInt();
        r.day = officialDay(o);
        r.holiday = o.value(QLatin1String("holiday")).toBool();
        r.note = o.value(QLatin1String("title")).toString().trimmed();
        if (r.day.isEmpty() || r.month < 1 || r.month > 12 || r.note.isEmpty() || !validDay(r.day, r.calendar))
            return QStringLiteral("official-events.json: an occasion without a day: %1").arg(r.note);
        // The years it was on the calendar, where the file knows them.
        const QJsonObject meta = o.value(QLatin1String("metadata")).toObject();
        r.firstYear = std::max(firstYear, meta.value(QLatin1String("beginningPersianYear")).toInt(firstYear));
        r.lastYear = meta.value(QLatin1String("endingPersianYear")).toInt(std::numeric_limits<int>::max());
        if (o.value(QLatin1String("rule")).toString() == QLatin1String("single event"))
            r.firstYear = r.lastYear = o.value(QLatin1String("year")).toInt();
        if (r.firstYear > r.lastYear)
            continue;
        // A change in some years: the occasion as the file has it in the
        // years before and after them.
        bool changed = false;
        for (Change& c : changes) {
            const Rule& w = c.rule;
            if (w.calendar != r.calendar || w.month != r.month || w.day != r.day || w.note != r.note)
                continue;
            c.used = changed = true;
            if (r.firstYear < w.firstYear) {
                Rule before = r;
                before.lastYear = w.firstYear - 1;
                place(before);
            }
            place(w);
            if (w.lastYear < r.lastYear) {
                Rule after = r;
                after.firstYear = w.lastYear + 1;
                place(after);
            }
        }
        if (!changed)
            place(r);
    }
    for (const Change& c : changes)
        if (!c.used)
            place(c.rule);
    return {};
}

QString EventRules::read(const QString& tsv, Calendar calendar, const QString& name)
{
    const QStringList rows = tsv.split(QLatin1Char('\n'));
    int number = 0;
    for (const QString& row : rows) {
        ++number;
        if (row.trimmed().isEmpty() || row.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = row.split(QLatin1Char('\t'));
        Rule rule;
        rule.calendar = calendar;
        bool okMonth = false;
        rule.month = cells.value(0).toInt(&okMonth);
        rule.day = cells.value(1).trimmed();
        rule.holiday = cells.value(2).trimmed() == QLatin1String("1");
        rule.text = cells.value(4).trimmed();
        bool okDay = false;
        const int day = rule.day.toInt(&okDay);
        const bool dayOk = (okDay && day >= 1 && day <= 31) || validDay(rule.day, calendar);
        if (cells.size() != 5 || !okMonth || rule.month < 1 || rule.month > 12 || !dayOk || rule.text.isEmpty()
            || !readYears(cells.value(3), rule.firstYear, rule.lastYear))
            return QStringLiteral("%1, line %2: expected month, day, holiday, years and event").arg(name).arg(number);
        rules_.append(rule);
    }
    return {};
}

EventRules::Day EventRules::day(const QDate& date) const
{
    const SolarDate solar = PersianCalendar::fromGregorian(date);
    const HijriDate hijri = LunarCalendar::fromGregorian(date);
    const int solarLength = PersianCalendar::daysInMonth(solar.year, solar.month);
    const int lunarLength = hijri.day > 0 ? LunarCalendar::monthLength(hijri.year, hijri.month) : 0;
    const bool predicted = hijri.day > 0 && LunarCalendar::isPredicted(hijri.year, hijri.month);

    // In the rules' order: the solar ones, the lunar, the Gregorian, each as
    // its file has them; the user's own last.
    QList<Event> holidays;
    QList<Event> others;
    for (const Rule& rule : rules_) {
        if (solar.year < rule.firstYear || solar.year > rule.lastYear)
            continue;
        if (!rule.holiday && !rule.own && !shown_[static_cast<size_t>(rule.kind)])
            continue;
        bool on = false;
        QString text = rule.text;
        QString note = rule.note;
        switch (rule.calendar) {
        case Calendar::Solar:
            on = (rule.month == 0 || rule.month == solar.month) && falls(rule, date, solar.day, solarLength);
            break;
        case Calendar::Gregorian:
            on = (rule.month == 0 || rule.month == date.month() || rule.day.startsWith(kYearDay)) && falls(rule, date, date.day(), date.daysInMonth());
            break;
        case Calendar::Lunar:
            on = hijri.day > 0 && (rule.month == 0 || rule.month == hijri.month) && falls(rule, date, hijri.day, lunarLength);
            // The user's own text is theirs as written.
            if (!rule.own) {
                text.replace(QStringLiteral("{year}"), foundation::Digits::persian(hijri.year));
                note.replace(QStringLiteral("{year}"), foundation::Digits::persian(hijri.year));
            }
            break;
        }
        if (!on)
            continue;
        const Event e{text, rule.holiday, rule.calendar, rule.calendar == Calendar::Lunar && predicted, rule.own, rule.kind, note, rule.reminderId};
        (rule.holiday ? holidays : others).append(e);
    }

    Day d;
    d.events = holidays + others;
    d.holiday = !holidays.isEmpty();
    d.description = lines(d.events).join(kEventJoin);
    return d;
}

QStringList EventRules::lines(const QList<Event>& events)
{
    QStringList occasions;
    QStringList pieces;
    for (const Event& e : events)
        (e.holiday ? occasions : pieces).append(e.text);
    if (!occasions.isEmpty())
        pieces.prepend(occasions.join(kHolidayJoin));
    return pieces;
}

QMap<int, EventRules::Day> EventRules::days(const SolarDate& first, const SolarDate& last) const
{
    QMap<int, Day> result;
    const QDate to = PersianCalendar::toGregorian(last);
    for (QDate d = PersianCalendar::toGregorian(first); d <= to; d = d.addDays(1))
        result.insert(DateKey::make(PersianCalendar::fromGregorian(d)), day(d));
    return result;
}
