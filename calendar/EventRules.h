#pragma once

#include "SolarDate.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

// The events and holidays of every day, from rules that say which calendar
// each follows: a Solar Hijri date, a lunar date on the months as Iran
// keeps them (LunarCalendar, announcements included), or a Gregorian date.
// The builder reads the rules from resources/data/events-*.tsv and stores
// them; the app places them on the days as the months stand, so that a
// lunar holiday moves with its month.
class EventRules {
public:
    enum class Calendar { Solar = 0, Lunar = 1, Gregorian = 2 };

    struct Rule {
        Calendar calendar = Calendar::Solar;
        // 1 to 12; 0: every month.
        int month = 0;
        // The day of the month, or "last", or "last-friday" (lunar months).
        QString day;
        bool holiday = false;
        // The Solar Hijri years the rule applies to.
        int firstYear = 0;
        int lastYear = 0;
        // "{year}" in it stands for the Hijri year, in Persian digits.
        QString text;
        // The user's own: marked as such, and a day the month lacks (30
        // Esfand, the 30th of a 29-day lunar month) moves to its last day.
        bool own = false;
    };

    struct Event {
        QString text;
        bool holiday = false;
        Calendar calendar = Calendar::Solar;
        // On a lunar month that is predicted, not observed or announced.
        bool predicted = false;
        bool own = false;
        bool operator==(const Event&) const = default;
    };
    struct Day {
        // The day's holidays first, as the rules give them, then the rest.
        QList<Event> events;
        // Several events joined with "@"; the holidays first, as one event
        // whose occasions are joined with "؛ ".
        QString description;
        bool holiday = false;
    };

    // Empty on success, else what is wrong with the sources.
    QString load(const QString& dataDir);
    // The rules of one file's text.
    QString read(const QString& tsv, Calendar calendar, const QString& name = QString());
    void add(const Rule& rule) { rules_.append(rule); }
    const QList<Rule>& rules() const { return rules_; }

    // One day's events.
    Day day(const QDate& date) const;
    // Every day from `first` to `last`, keyed by its date key.
    QMap<int, Day> days(const SolarDate& first, const SolarDate& last) const;

    static const QString kLastDay;
    static const QString kLastFriday;

private:
    QList<Rule> rules_;
};
