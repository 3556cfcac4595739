#pragma once

#include "calendar/SolarDate.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

// The events and holidays of every day, built from the sources in
// resources/data: events on a Solar Hijri date (events-solar.tsv), on a
// lunar date as the months are observed in Iran (events-lunar.tsv), and on
// a Gregorian date (events-gregorian.tsv).
class EventSources {
public:
    struct Day {
        // Several events joined with "@"; the day's holidays come first, as
        // one event whose occasions are joined with "؛ ".
        QString description;
        bool holiday = false;
    };

    // Empty on success, else what is wrong with the sources.
    QString load(const QString& dataDir);
    // Every day from `first` to `last`, keyed by its date key.
    QMap<int, Day> days(const SolarDate& first, const SolarDate& last) const;

private:
    enum class Calendar { Solar, Lunar, Gregorian };
    struct Line {
        Calendar calendar;
        int month = 0;
        QString day;
        bool holiday = false;
        int firstYear = 0;
        int lastYear = 0;
        QString text;
        bool appliesTo(int solarYear) const { return solarYear >= firstYear && solarYear <= lastYear; }
    };
    struct Occurrence {
        int order;  // solar lines first, then lunar, then Gregorian, each in file order
        bool holiday;
        QString text;
    };

    QString read(const QString& path, Calendar calendar);
    void add(QMap<int, QList<Occurrence>>& on, const QDate& day, int order, const Line& line, const QString& text) const;

    QList<Line> lines_;
};
