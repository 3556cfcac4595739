#include "EventSearch.h"

#include "PersianCalendar.h"
#include "Utility.h"

bool EventSearch::matches(const EventRules::Rule& rule, const QString& key)
{
    return Utility::searchKey(rule.text).contains(key) || (!rule.note.isEmpty() && Utility::searchKey(rule.note).contains(key));
}

QList<EventSearch::Found> EventSearch::find(const EventRules& rules, const QString& query, const SolarDate& first, const SolarDate& last)
{
    QList<Found> found;
    const QString key = Utility::searchKey(query);
    if (key.size() < kShortest || !PersianCalendar::isValid(first) || !PersianCalendar::isValid(last))
        return found;
    // Only the rules that match are placed: the days cost what those do.
    EventRules matching;
    matching.setShown(rules.shown());
    for (const EventRules::Rule& rule : rules.rules())
        if (matches(rule, key))
            matching.add(rule);
    if (matching.rules().isEmpty())
        return found;
    const QDate to = PersianCalendar::toGregorian(last);
    for (QDate d = PersianCalendar::toGregorian(first); d <= to && found.size() < kMostFound; d = d.addDays(1)) {
        const EventRules::Day day = matching.day(d);
        if (day.events.isEmpty())
            continue;
        const SolarDate solar = PersianCalendar::fromGregorian(d);
        for (const EventRules::Event& e : day.events)
            if (found.size() < kMostFound)
                found.append({solar, e});
    }
    return found;
}
