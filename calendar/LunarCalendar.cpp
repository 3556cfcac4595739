#include "LunarCalendar.h"

#include <QCalendar>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

extern const char kLunarMonthsTsv[];

namespace {

// Months are computed up to this Hijri year: past the end of the data.
constexpr int kLastHijriYear = 1460;
constexpr int kShortestMonth = 29;
constexpr int kLongestMonth = 30;

struct MonthStart {
    int year;
    int month;
    QDate first;
};

struct Table {
    std::vector<MonthStart> months;
    QDate lastObserved;
};

int index(int year, int month)
{
    return year * LunarCalendar::kMonths + month - 1;
}

Table build(const QString& tsv)
{
    Table table;
    for (const QString& line : tsv.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        const QDate first = QDate::fromString(cells.value(2).trimmed(), Qt::ISODate);
        const int year = cells.value(0).toInt();
        const int month = cells.value(1).toInt();
        if (!first.isValid() || month < 1 || month > LunarCalendar::kMonths)
            continue;
        // Only a month that follows the one before it without a gap.
        if (!table.months.empty() && index(year, month) != index(table.months.back().year, table.months.back().month) + 1)
            continue;
        table.months.push_back({year, month, first});
    }
    if (table.months.empty())
        return table;

    // The observed table ends with the first day of its last month; that
    // month's length comes from the rule below like every later month.
    const QCalendar civil(QCalendar::System::IslamicCivil);
    for (int i = index(table.months.back().year, table.months.back().month) + 1; i <= index(kLastHijriYear, LunarCalendar::kMonths); ++i) {
        const int year = i / LunarCalendar::kMonths;
        const int month = i % LunarCalendar::kMonths + 1;
        const QDate previous = table.months.back().first;
        const QDate rule = civil.dateFromParts(year, month, 1);
        const QDate first = std::clamp(rule, previous.addDays(kShortestMonth), previous.addDays(kLongestMonth));
        if (table.lastObserved.isNull())
            table.lastObserved = first.addDays(-1);
        table.months.push_back({year, month, first});
    }
    return table;
}

std::optional<Table>& override()
{
    static std::optional<Table> table;
    return table;
}

const Table& table()
{
    if (override())
        return *override();
    static const Table builtIn = build(QString::fromUtf8(kLunarMonthsTsv));
    return builtIn;
}

// The month that `date` falls in, or none.
const MonthStart* monthOf(const QDate& date)
{
    const std::vector<MonthStart>& months = table().months;
    auto it = std::upper_bound(months.begin(), months.end(), date, [](const QDate& d, const MonthStart& m) { return d < m.first; });
    if (it == months.begin() || it == months.end())
        return nullptr;
    return &*(it - 1);
}

} // namespace

HijriDate LunarCalendar::fromGregorian(const QDate& date)
{
    const MonthStart* month = monthOf(date);
    if (!month)
        return {};
    return {month->year, month->month, static_cast<int>(month->first.daysTo(date)) + 1};
}

QDate LunarCalendar::firstDay(int year, int month)
{
    const std::vector<MonthStart>& months = table().months;
    if (months.empty())
        return {};
    const long i = index(year, month) - index(months.front().year, months.front().month);
    if (i < 0 || i >= static_cast<long>(months.size()))
        return {};
    return months[static_cast<size_t>(i)].first;
}

int LunarCalendar::monthLength(int year, int month)
{
    const QDate first = firstDay(year, month);
    const QDate next = month == kMonths ? firstDay(year + 1, 1) : firstDay(year, month + 1);
    if (!first.isValid() || !next.isValid())
        return 0;
    return static_cast<int>(first.daysTo(next));
}

int LunarCalendar::ramadanDay(const QDate& date)
{
    const HijriDate h = fromGregorian(date);
    return h.month == kRamadan ? h.day : 0;
}

QDate LunarCalendar::lastObservedDay()
{
    return table().lastObserved;
}

void LunarCalendar::setTable(const QString& tsv)
{
    if (tsv.isEmpty())
        override().reset();
    else
        override() = build(tsv);
}
