#include "LunarPrediction.h"

#include <QFile>
#include <QHash>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <unordered_map>

namespace lunar {

namespace {

constexpr int kShortest = 29;
constexpr int kLongest = 30;
// The 28th day's evening: no crescent of the next month is seen before it.
constexpr int kFirstEvening = 27;
constexpr int kEveningsLooked = 5;
constexpr int kMonths = 12;

// The thresholds the choice is made from: zone C's lower boundary to zone
// A's, in quarters of a unit of V, with the published boundaries among them.
constexpr double kThresholdStep = 0.25;
constexpr int kFirstQuarter = -3;  // -0.75, the first step above zone C's boundary
constexpr int kLastQuarter = 22;   // 5.5, the last below zone A's

// One evening's crescent at one place, computed once: the choice tries the
// same evenings with many criteria.
const Crescent& crescent(const QDate& evening, const Place& place)
{
    struct Key {
        qint64 day;
        double latitude;
        double longitude;
        bool operator==(const Key&) const = default;
    };
    struct Hash {
        size_t operator()(const Key& k) const { return qHashMulti(0, k.day, k.latitude, k.longitude); }
    };
    static std::unordered_map<Key, Crescent, Hash> known;
    const Key key{evening.toJulianDay(), place.latitude, place.longitude};
    auto it = known.find(key);
    if (it == known.end())
        it = known.emplace(key, crescentOn(evening, place)).first;
    return it->second;
}

// The highest V on an evening among the sites where the moon is up after
// the sun; minus infinity where it is up at none.
double bestV(const QDate& evening, const QList<Site>& sites)
{
    double v = -std::numeric_limits<double>::infinity();
    for (const Site& s : sites) {
        const Crescent& c = crescent(evening, s.place);
        if (c.aboveAtSunset())
            v = std::max(v, c.v);
    }
    return v;
}

QDate predictedAfter(const QDate& before, const Criterion& criterion)
{
    return nextFirstDay(before, firstSighting(before.addDays(kFirstEvening), criterion));
}

QList<Check> checks(const QList<Month>& observed, const Criterion& criterion, int skipYear, int onlyYear)
{
    QList<Check> list;
    for (int i = 1; i < observed.size(); ++i) {
        if (observed[i].year == skipYear || (onlyYear != 0 && observed[i].year != onlyYear))
            continue;
        const QDate before = observed[i - 1].first;
        const QDate evening = before.addDays(kShortest - 1);
        list.append({observed[i], predictedAfter(before, criterion), bestV(evening, criterion.sites),
            crescent(evening, tehran().place).ageHours});
    }
    return list;
}

int hits(const QList<Check>& list)
{
    return static_cast<int>(std::count_if(list.begin(), list.end(), [](const Check& c) { return c.predicted == c.observed.first; }));
}

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

Site tehran()
{
    // The province centres as provinces.tsv places them.
    return {QStringLiteral("Tehran"), {35.694, 51.421}};
}

QList<Site> sites()
{
    return {tehran(), {QStringLiteral("Ahvaz"), {31.320, 48.669}}, {QStringLiteral("Bandar Abbas"), {27.183, 56.267}},
        {QStringLiteral("Zahedan"), {29.496, 60.863}}};
}

QString Criterion::name() const
{
    QStringList names;
    for (const Site& s : sites)
        names.append(s.name);
    return QStringLiteral("V >= %1 at %2").arg(minimumV, 0, 'f', 2).arg(names.join(QStringLiteral(", ")));
}

Criterion chosen()
{
    // Tehran, Ahvaz and Bandar Abbas, V of 1 or more: a crescent found with
    // optical aid in a clear sky, in the west or the south of the country.
    constexpr double kChosenV = 1.0;
    constexpr int kChosenSites = 3;
    return {sites().mid(0, kChosenSites), kChosenV};
}

QList<Criterion> candidates()
{
    const QList<Site> all = sites();
    QList<Criterion> family;
    for (qsizetype count = 1; count <= all.size(); ++count) {
        QList<double> thresholds{Crescent::kOpticalAid};
        for (int quarter = kFirstQuarter; quarter <= kLastQuarter; ++quarter)
            thresholds.append(quarter * kThresholdStep);
        thresholds.append(Crescent::kNakedEye);
        for (double v : thresholds)
            family.append({all.mid(0, count), v});
    }
    return family;
}

bool seen(const QDate& evening, const Criterion& criterion)
{
    return bestV(evening, criterion.sites) >= criterion.minimumV;
}

QDate firstSighting(const QDate& from, const Criterion& criterion)
{
    for (int i = 0; i < kEveningsLooked; ++i) {
        const QDate evening = from.addDays(i);
        if (seen(evening, criterion))
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

QList<Sighting> predictAfter(const QList<Month>& observed, int lastYear, const Criterion& criterion)
{
    QList<Sighting> list;
    if (observed.isEmpty())
        return list;
    Month m = observed.last();
    while (true) {
        const QDate seenOn = firstSighting(m.first.addDays(kFirstEvening), criterion);
        const Month next{m.month == kMonths ? m.year + 1 : m.year, m.month % kMonths + 1, nextFirstDay(m.first, seenOn)};
        if (next.year > lastYear)
            break;
        list.append({next, seenOn});
        m = next;
    }
    return list;
}

QList<Check> checkAgainst(const QList<Month>& observed, const Criterion& criterion)
{
    return checks(observed, criterion, 0, 0);
}

Criterion best(const QList<Month>& observed, const QList<Criterion>& family)
{
    int bestHits = -1;
    Criterion pick;
    for (const Criterion& c : family) {
        const int h = hits(checks(observed, c, 0, 0));
        if (h > bestHits) {
            bestHits = h;
            pick = c;
        }
    }
    return pick;
}

CrossValidation crossValidate(const QList<Month>& observed, const QList<Criterion>& family)
{
    CrossValidation cv;
    std::set<int> years;
    for (int i = 1; i < observed.size(); ++i)
        years.insert(observed[i].year);
    for (int year : years) {
        // Chosen on the other years only.
        int bestHits = -1;
        const Criterion* pick = nullptr;
        for (const Criterion& c : family) {
            const int h = hits(checks(observed, c, year, 0));
            if (h > bestHits) {
                bestHits = h;
                pick = &c;
            }
        }
        if (!pick)
            continue;
        cv.chosenFor.insert(year, pick->name());
        const QList<Check> left = checks(observed, *pick, 0, year);
        cv.months += static_cast<int>(left.size());
        for (const Check& c : left) {
            if (c.predicted == c.observed.first)
                ++cv.matched;
            else
                cv.misses.append(c);
        }
    }
    return cv;
}

} // namespace lunar
