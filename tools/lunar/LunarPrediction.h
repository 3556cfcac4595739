#pragma once

#include "astronomy/Crescent.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

// The lunar months after the table of those observed in Iran, predicted
// from the sky: a month has 29 days when the next crescent is seen on the
// evening of its 29th day, else 30. Where and how readily it counts as
// seen is a criterion, chosen by how well it gives the months of the table.
namespace lunar {

struct Month {
    int year = 0;
    int month = 0;  // 1 Muharram ... 12 Dhu al-Hijja
    QDate first;
};

// The months of resources/data/lunar-months.tsv, in order; empty with
// `error` set when the file cannot be read.
QList<Month> readObserved(const QString& path, QString* error = nullptr);

// A place where the crescent is looked for.
struct Site {
    QString name;
    Place place;
};
Site tehran();
// The places that span Iran where a sighting is accepted: Tehran and one
// at each of the west, the south and the east.
QList<Site> sites();

// When a crescent counts as seen: Odeh's V of at least `minimumV`, at sunset
// at any of `sites`.
struct Criterion {
    QList<Site> sites;
    double minimumV = Crescent::kMayBeNakedEye;
    QString name() const;
};
// The criterion the predictions use, as chosen by crossValidate() on the
// table (the figures are in lunar-months.tsv's comments).
Criterion chosen();
// The family the choice is made from: the sites (Tehran; with the west;
// with the west and the south; all four) by V thresholds from zone C's
// boundary up to zone A's.
QList<Criterion> candidates();

bool seen(const QDate& evening, const Criterion& criterion);

// The first of the evenings from `from` on (five at the most) on which the
// new crescent is seen; an invalid date when it is not seen on any.
QDate firstSighting(const QDate& from, const Criterion& criterion);

// The month that follows a month which began on `first`: its first day,
// from the first evening its crescent is seen, within 29 or 30 days.
QDate nextFirstDay(const QDate& first, const QDate& seen);

// For each month after the last observed one, up to the end of `lastYear`:
// the evening its crescent is first seen (the day before its first day,
// when the month before has 29 or 30 days by it).
struct Sighting {
    Month month;   // the month and its predicted first day
    QDate seen;
};
QList<Sighting> predictAfter(const QList<Month>& observed, int lastYear, const Criterion& criterion);

// The criterion against the table: for every observed month after the
// first, its first day predicted from the one before.
struct Check {
    Month observed;
    QDate predicted;
    double bestV = 0;  // the highest V of the criterion's sites on the 29th evening
    double ageHours = 0;  // the moon's age then, at Tehran
};
QList<Check> checkAgainst(const QList<Month>& observed, const Criterion& criterion);

// Leave one Hijri year out: for each year of the table, the criterion that
// gives the most months of the other years is chosen and scored on the
// months of the year left out. The share over all years is what the
// choice can be expected to give on months not yet announced.
struct CrossValidation {
    int matched = 0;
    int months = 0;
    QList<Check> misses;           // with the criterion chosen without the month's year
    QMap<int, QString> chosenFor;  // the criterion chosen without each year
};
CrossValidation crossValidate(const QList<Month>& observed, const QList<Criterion>& family);

// The criterion that gives the most months of the whole table (ties: the
// earlier of the family, the simpler).
Criterion best(const QList<Month>& observed, const QList<Criterion>& family);

} // namespace lunar
