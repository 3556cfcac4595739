#include "LunarPrediction.h"

#include <QFile>
#include <QStringList>

#include <algorithm>

namespace lunar {

namespace {

constexpr int kShortest = 29;
constexpr int kLongest = 30;
// The 28th day's evening: no crescent of the next month is seen before it.
constexpr int kFirstEvening = 27;
constexpr int kEveningsLooked = 5;
constexpr int kMonths = 12;

} // namespace

QList<Month> readObserved(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return {};
    }
    QList<Month> months;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        const Month m{cells.value(0).toInt(), cells.value(1).toInt(), QDate::fromString(cells.value(2).trimmed(), Qt::ISODate)};
        if (m.first.isValid() && m.month >= 1 && m.month <= kMonths)
            months.append(m);
    }
    return months;
}

Place tehran()
{
    // Tehran as provinces.tsv places it.
    return {35.694, 51.421};
}

QDate firstSighting(const QDate& from, const Place& place)
{
    for (int i = 0; i < kEveningsLooked; ++i) {
        const QDate evening = from.addDays(i);
        if (crescentOn(evening, place).seen())
            return evening;
    }
    return {};
}

QDate nextFirstDay(const QDate& first, const QDate& seen)
{
    const QDate earliest = first.addDays(kShortest);
    const QDate latest = first.addDays(kLongest);
    if (!seen.isValid())
        return latest;
    return std::clamp(seen.addDays(1), earliest, latest);
}

QList<Sighting> predictAfter(const QList<Month>& observed, int lastYear, const Place& place)
{
    QList<Sighting> list;
    if (observed.isEmpty())
        return list;
    Month m = observed.last();
    while (true) {
        const QDate seen = firstSighting(m.first.addDays(kFirstEvening), place);
        const Month next{m.month == kMonths ? m.year + 1 : m.year, m.month % kMonths + 1, nextFirstDay(m.first, seen)};
        if (next.year > lastYear)
            break;
        list.append({next, seen});
        m = next;
    }
    return list;
}

QList<Check> checkAgainst(const QList<Month>& observed, const Place& place)
{
    QList<Check> list;
    for (int i = 1; i < observed.size(); ++i) {
        const QDate before = observed[i - 1].first;
        const QDate seen = firstSighting(before.addDays(kFirstEvening), place);
        list.append({observed[i], nextFirstDay(before, seen), crescentOn(before.addDays(kShortest - 1), place)});
    }
    return list;
}

} // namespace lunar
