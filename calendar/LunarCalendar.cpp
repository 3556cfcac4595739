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

using Source = LunarCalendar::Source;

struct MonthStart {
    int year;
    int month;
    QDate first;
    Source source;
    // Where the month would begin without the user's word for it, given
    // the one before as it stands.
    QDate predicted;
};

struct Table {
    std::vector<MonthStart> months;
    QDate lastObserved;
    HijriDate lastObservedMonth;
    HijriDate lastOfficialMonth;
};

struct Row {
    HijriMonthStart start;
    Source source;
};

int index(int year, int month)
{
    return year * LunarCalendar::kMonths + month - 1;
}

// The rows of the table: year, month and a date in the third column; in
// the seventh where the date comes from ("observed", or the printed
// official calendar of a year: "official-1405").
QList<Row> rows(const QString& tsv)
{
    constexpr int kSourceColumn = 6;
    QList<Row> list;
    for (const QString& line : tsv.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        const HijriMonthStart m{cells.value(0).toInt(), cells.value(1).toInt(), QDate::fromString(cells.value(2).trimmed(), Qt::ISODate)};
        const Source source = cells.value(kSourceColumn).trimmed().startsWith(QLatin1String("official")) ? Source::Official : Source::Observed;
        if (m.first.isValid() && m.month >= 1 && m.month <= LunarCalendar::kMonths)
            list.append({m, source});
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
    // Where each month begins by the table, then by the sky, then by the
    // tabular calendar; the user's word and the months before it come in
    // the second pass.
    std::vector<MonthStart> base;
    for (const Row& r : rows(observedTsv)) {
        const HijriMonthStart& m = r.start;
        // Only a month that follows the one before it without a gap.
        if (!base.empty() && index(m.year, m.month) != index(base.back().year, base.back().month) + 1)
            continue;
        base.push_back({m.year, m.month, m.first, r.source, m.first});
    }
    Table table;
    if (base.empty())
        return table;
    for (const MonthStart& m : base) {
        if (m.source == Source::Observed)
            table.lastObservedMonth = {m.year, m.month, 1};
        table.lastOfficialMonth = {m.year, m.month, 1};
    }
    const std::vector<std::pair<int, QDate>> seen = sightings(predictedTsv);
    const QCalendar civil(QCalendar::System::IslamicCivil);
    const int tableEnd = index(base.back().year, base.back().month);
    for (int i = tableEnd + 1; i <= index(kLastHijriYear, LunarCalendar::kMonths); ++i) {
        const int year = i / LunarCalendar::kMonths;
        const int month = i % LunarCalendar::kMonths + 1;
        // The day after the crescent is first seen; past the predictions,
        // the tabular calendar.
        const auto sighting = std::find_if(seen.begin(), seen.end(), [i](const auto& s) { return s.first == i; });
        const bool fromSky = sighting != seen.end();
        const QDate first = fromSky ? sighting->second.addDays(1) : civil.dateFromParts(year, month, 1);
        base.push_back({year, month, first, fromSky ? Source::Predicted : Source::Tabular, first});
    }

    // Each month 29 or 30 days after the one before as it stands: a month
    // the user moved carries the next ones until they meet their own days
    // again. A word the month before does not allow is left out.
    for (MonthStart m : base) {
        if (!table.months.empty()) {
            const QDate previous = table.months.back().first;
            m.predicted = withinAMonth(previous, m.first);
            m.first = m.predicted;
            const auto word = std::find_if(announced.begin(), announced.end(), [&](const HijriMonthStart& a) { return a.year == m.year && a.month == m.month; });
            if (word != announced.end() && withinAMonth(previous, word->first) == word->first && word->first != m.predicted) {
                m.first = word->first;
                m.source = Source::Announced;
            }
        }
        if (table.lastObserved.isNull() && index(m.year, m.month) == tableEnd + 1)
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

HijriDate LunarCalendar::lastOfficialMonth()
{
    return table().lastOfficialMonth;
}

LunarCalendar::Source LunarCalendar::sourceOf(int year, int month)
{
    const MonthStart* m = monthAt(year, month);
    return m ? m->source : Source::Tabular;
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
