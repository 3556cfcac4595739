#include "LunarCalendar.h"

#include <QCalendar>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

extern const char kLunarMonthsTsv[];
extern const char kLunarPredictionsTsv[];

namespace {

// Months are known up to this Hijri year: past the end of the data.
constexpr int kLastHijriYear = 1460;

enum class Source { Observed, Announced, Predicted, Tabular };

struct MonthStart {
    int year;
    int month;
    QDate first;
    Source source;
    // Where the month would begin from the sky, given the one before.
    QDate predicted;
};

struct Table {
    std::vector<MonthStart> months;
    QDate lastObserved;
    HijriDate lastObservedMonth;
};

int index(int year, int month)
{
    return year * LunarCalendar::kMonths + month - 1;
}

// The rows of a table: year, month and a date in the third column.
QList<HijriMonthStart> rows(const QString& tsv)
{
    QList<HijriMonthStart> list;
    for (const QString& line : tsv.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        const HijriMonthStart m{cells.value(0).toInt(), cells.value(1).toInt(), QDate::fromString(cells.value(2).trimmed(), Qt::ISODate)};
        if (m.first.isValid() && m.month >= 1 && m.month <= LunarCalendar::kMonths)
            list.append(m);
    }
    return list;
}

// The evening each predicted month's crescent is first seen, by month.
std::vector<std::pair<int, QDate>> sightings(const QString& tsv)
{
    std::vector<std::pair<int, QDate>> list;
    for (const QString& line : tsv.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        const QDate seen = QDate::fromString(cells.value(3).trimmed(), Qt::ISODate);
        if (seen.isValid())
            list.emplace_back(index(cells.value(0).toInt(), cells.value(1).toInt()), seen);
    }
    return list;
}

QDate withinAMonth(const QDate& previous, const QDate& wanted)
{
    return std::clamp(wanted, previous.addDays(LunarCalendar::kShortestMonth), previous.addDays(LunarCalendar::kLongestMonth));
}

Table build(const QString& observedTsv, const QString& predictedTsv, const QList<HijriMonthStart>& announced)
{
    Table table;
    for (const HijriMonthStart& m : rows(observedTsv)) {
        // Only a month that follows the one before it without a gap.
        if (!table.months.empty() && index(m.year, m.month) != index(table.months.back().year, table.months.back().month) + 1)
            continue;
        table.months.push_back({m.year, m.month, m.first, Source::Observed, m.first});
    }
    if (table.months.empty())
        return table;
    table.lastObservedMonth = {table.months.back().year, table.months.back().month, 1};

    const std::vector<std::pair<int, QDate>> seen = sightings(predictedTsv);
    const QCalendar civil(QCalendar::System::IslamicCivil);
    for (int i = index(table.months.back().year, table.months.back().month) + 1; i <= index(kLastHijriYear, LunarCalendar::kMonths); ++i) {
        const int year = i / LunarCalendar::kMonths;
        const int month = i % LunarCalendar::kMonths + 1;
        const QDate previous = table.months.back().first;
        // The day after the crescent is first seen; past the predictions,
        // the tabular calendar; 29 or 30 days after the month before.
        const auto sighting = std::find_if(seen.begin(), seen.end(), [i](const auto& s) { return s.first == i; });
        const bool fromSky = sighting != seen.end();
        const QDate predicted = withinAMonth(previous, fromSky ? sighting->second.addDays(1) : civil.dateFromParts(year, month, 1));
        MonthStart m{year, month, predicted, fromSky ? Source::Predicted : Source::Tabular, predicted};
        const auto word = std::find_if(announced.begin(), announced.end(), [&](const HijriMonthStart& a) { return a.year == year && a.month == month; });
        if (word != announced.end() && withinAMonth(previous, word->first) == word->first) {
            m.first = word->first;
            m.source = Source::Announced;
        }
        if (table.lastObserved.isNull())
            table.lastObserved = m.first.addDays(-1);
        table.months.push_back(m);
    }
    return table;
}

struct State {
    std::optional<QString> observed;
    std::optional<QString> predicted;
    QList<HijriMonthStart> announced;
    std::optional<Table> table;
};

State& state()
{
    static State s;
    return s;
}

const Table& table()
{
    State& s = state();
    if (!s.table)
        s.table = build(s.observed.value_or(QString::fromUtf8(kLunarMonthsTsv)), s.predicted.value_or(QString::fromUtf8(kLunarPredictionsTsv)),
            s.announced);
    return *s.table;
}

const MonthStart* monthAt(int year, int month)
{
    const std::vector<MonthStart>& months = table().months;
    if (months.empty())
        return nullptr;
    const long i = index(year, month) - index(months.front().year, months.front().month);
    if (i < 0 || i >= static_cast<long>(months.size()))
        return nullptr;
    return &months[static_cast<size_t>(i)];
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
    const MonthStart* m = monthAt(year, month);
    return m ? m->first : QDate();
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

HijriDate LunarCalendar::lastObservedMonth()
{
    return table().lastObservedMonth;
}

bool LunarCalendar::isPredicted(int year, int month)
{
    const MonthStart* m = monthAt(year, month);
    return m && (m->source == Source::Predicted || m->source == Source::Tabular);
}

QDate LunarCalendar::predictedFirstDay(int year, int month)
{
    const MonthStart* m = monthAt(year, month);
    return m ? m->predicted : QDate();
}

void LunarCalendar::setAnnounced(const QList<HijriMonthStart>& months)
{
    State& s = state();
    if (s.announced == months)
        return;
    s.announced = months;
    s.table.reset();
}

QList<HijriMonthStart> LunarCalendar::announced()
{
    return state().announced;
}

void LunarCalendar::setTable(const QString& tsv, const QString& predictedTsv)
{
    State& s = state();
    s.observed = tsv.isEmpty() ? std::nullopt : std::optional<QString>(tsv);
    s.predicted = predictedTsv.isEmpty() && tsv.isEmpty() ? std::nullopt : std::optional<QString>(predictedTsv);
    s.table.reset();
}

QString LunarCalendar::monthName(int month)
{
    static const char* kNames[kMonths] = {"محرم", "صفر", "ربیع‌الاول", "ربیع‌الثانی", "جمادی‌الاول", "جمادی‌الثانی", "رجب", "شعبان",
        "رمضان", "شوال", "ذی‌القعده", "ذی‌الحجه"};
    return month >= 1 && month <= kMonths ? QString::fromUtf8(kNames[month - 1]) : QString();
}

QString LunarCalendar::text(const HijriDate& date)
{
    if (date.day <= 0)
        return QString();
    return QString::number(date.day) + QLatin1Char(' ') + monthName(date.month) + QLatin1Char(' ') + QString::number(date.year);
}
