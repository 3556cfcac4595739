#include "EventRules.h"

#include "DateKey.h"
#include "LunarCalendar.h"
#include "PersianCalendar.h"

#include "platform/foundation/Digits.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <limits>

const QString EventRules::kLastDay = QStringLiteral("last");
const QString EventRules::kLastFriday = QStringLiteral("last-friday");

namespace {

const QString kHolidayJoin = QStringLiteral("؛ ");
const QString kEventJoin = QStringLiteral("@");
constexpr int kFriday = 5;  // Qt's day of the week
constexpr int kWeek = 7;

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

// Whether `rule` falls on the day of the month `day` in a month of
// `length` days (with `friday` whether the day is a Friday).
bool falls(const EventRules::Rule& rule, int day, int length, bool friday)
{
    if (rule.day == EventRules::kLastDay)
        return day == length;
    if (rule.day == EventRules::kLastFriday)
        return friday && day > length - kWeek;
    int wanted = rule.day.toInt();
    if (rule.own)
        wanted = std::min(wanted, length);
    return day == wanted;
}

} // namespace

QString EventRules::load(const QString& dataDir)
{
    rules_.clear();
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
        const bool dayOk = (okDay && day >= 1 && day <= 31) || (calendar == Calendar::Lunar && (rule.day == kLastDay || rule.day == kLastFriday));
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
    const bool friday = date.dayOfWeek() == kFriday;
    const bool predicted = hijri.day > 0 && LunarCalendar::isPredicted(hijri.year, hijri.month);

    // In the rules' order: the solar ones, the lunar, the Gregorian, each as
    // its file has them; the user's own last.
    QList<Event> holidays;
    QList<Event> others;
    for (const Rule& rule : rules_) {
        if (solar.year < rule.firstYear || solar.year > rule.lastYear)
            continue;
        bool on = false;
        QString text = rule.text;
        switch (rule.calendar) {
        case Calendar::Solar:
            on = (rule.month == 0 || rule.month == solar.month) && falls(rule, solar.day, solarLength, friday);
            break;
        case Calendar::Gregorian:
            on = (rule.month == 0 || rule.month == date.month()) && falls(rule, date.day(), date.daysInMonth(), friday);
            break;
        case Calendar::Lunar:
            on = hijri.day > 0 && (rule.month == 0 || rule.month == hijri.month) && falls(rule, hijri.day, lunarLength, friday);
            // The user's own text is theirs as written.
            if (!rule.own)
                text.replace(QStringLiteral("{year}"), foundation::Digits::persian(hijri.year));
            break;
        }
        if (!on)
            continue;
        const Event e{text, rule.holiday, rule.calendar, rule.calendar == Calendar::Lunar && predicted, rule.own};
        (rule.holiday ? holidays : others).append(e);
    }

    Day d;
    d.events = holidays + others;
    d.holiday = !holidays.isEmpty();
    QStringList pieces;
    if (!holidays.isEmpty()) {
        QStringList occasions;
        for (const Event& e : holidays)
            occasions.append(e.text);
        pieces.append(occasions.join(kHolidayJoin));
    }
    for (const Event& e : others)
        pieces.append(e.text);
    d.description = pieces.join(kEventJoin);
    return d;
}

QMap<int, EventRules::Day> EventRules::days(const SolarDate& first, const SolarDate& last) const
{
    QMap<int, Day> result;
    const QDate to = PersianCalendar::toGregorian(last);
    for (QDate d = PersianCalendar::toGregorian(first); d <= to; d = d.addDays(1))
        result.insert(DateKey::make(PersianCalendar::fromGregorian(d)), day(d));
    return result;
}
