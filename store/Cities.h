#pragma once

#include "MyDB.h"

#include <QList>

#include <array>

// The cities: which the user chose and in what order, the shipped province
// centres and the cities the user made. How a city's times are found is
// days::cityTimes().
namespace cities {

// Shipped rows have StateIDs up to this one; a larger StateID is a city the
// user made.
constexpr int kLastShippedStateId = 62;
constexpr int kOffsets = 6;

// A city is a centre only when its IsCenter reads "1".
bool isProvinceCentre(const Row& city);
bool isUserCity(int stateId);

// The chosen cities in the user's order, each with its StateID and its
// shown name "city (province)".
RowSet chosenList();
// Shipped cities not chosen yet (or provinces) whose shown name contains
// `text`, taken literally.
RowSet search(const QString& text, bool provinces);

// Changes; each is all or nothing and says whether it was stored.
bool choose(int stateId);
// A user-made city goes altogether, its times with it.
bool remove(int stateId);
// Orderings 0 ... n-1 in the given order.
bool reorder(const QList<int>& stateIds);
// A city of the user's own, chosen at the end of the list.
bool create(const QString& name, int provinceId, const std::array<int, kOffsets>& offsets);

} // namespace cities
