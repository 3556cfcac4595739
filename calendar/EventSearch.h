#pragma once

#include "EventRules.h"
#include "SolarDate.h"

#include <QList>
#include <QString>

// The occasions whose text holds what was typed, on every day they fall
// on: the rules that match, placed on the days by EventRules as the
// calendar places them (the kinds it shows, the lunar months as they
// stand), so that a search finds exactly what the month shows.
class EventSearch {
public:
    struct Found {
        SolarDate day;
        EventRules::Event event;
    };

    // In date order, at most kMostFound; nothing for a query with fewer
    // than kShortest letters (it would match nearly every occasion).
    static QList<Found> find(const EventRules& rules, const QString& query, const SolarDate& first, const SolarDate& last);
    // Whether a rule's text holds the query, as names are compared in a
    // search (Utility::searchKey).
    static bool matches(const EventRules::Rule& rule, const QString& key);

    static constexpr int kShortest = 2;
    static constexpr int kMostFound = 1000;
};
