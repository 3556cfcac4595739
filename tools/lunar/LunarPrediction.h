#pragma once

#include "astronomy/Crescent.h"

#include <QDate>
#include <QList>
#include <QString>

// The lunar months after the table of those observed in Iran, predicted
// from the sky: a month has 29 days when the next crescent is seen on the
// evening of its 29th day at Tehran, else 30.
namespace lunar {

struct Month {
    int year = 0;
    int month = 0;  // 1 Muharram ... 12 Dhu al-Hijja
    QDate first;
};

// The months of resources/data/lunar-months.tsv, in order; empty with
// `error` set when the file cannot be read.
QList<Month> readObserved(const QString& path, QString* error = nullptr);

// Where the crescent is looked for.
Place tehran();

// The first of the evenings from `from` on (five at the most) on which the
// new crescent is seen; an invalid date when it is not seen on any.
QDate firstSighting(const QDate& from, const Place& place);

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
QList<Sighting> predictAfter(const QList<Month>& observed, int lastYear, const Place& place);

// The criterion against the table: for every observed month after the
// first, its first day predicted from the one before.
struct Check {
    Month observed;
    QDate predicted;
    Crescent on29th;  // the evening of the 29th day of the month before
};
QList<Check> checkAgainst(const QList<Month>& observed, const Place& place);

} // namespace lunar
