#pragma once

#include "MyDB.h"

#include <QList>

#include <array>
#include <optional>

// The cities: which the user chose and in what order, the shipped province
// centres and the cities the user made, and how a city's times are found (a
// province centre has its own; any other city takes its centre's, moved by
// its own minute offsets).
namespace cities {

// Shipped rows have StateIDs up to this one; a larger StateID is a city the
// user made.
constexpr int kLastShippedStateId = 62;
// The date of a user-made city's offsets row: after every day's key.
constexpr int kOffsetsDate = 14000101;
constexpr int kOffsets = 6;

// A city is a centre only when its IsCenter reads "1".
bool isProvinceCentre(const Row& city);
bool isUserCity(int stateId);
bool isUserCity(const Row& city);
// The StateID of the centre of the city's province; 0 when there is none.
int provinceCentre(int stateId);
// The StateID whose stored times serve `city`: its own for a centre.
int timesSource(const Row& city);

// The chosen cities as the main screen pages them: the last first.
RowSet chosenForPages();
// The first chosen city, the one the notifications follow: an empty row set
// when none is chosen, nothing when the list could not be read.
std::optional<RowSet> firstChosen();
// The chosen cities in the user's order, each with its StateID and its
// shown name "city (province)".
RowSet chosenList();
// Shipped cities not chosen yet (or provinces) whose shown name contains
// `text`, taken literally.
RowSet search(const QString& text, bool provinces);

// The city's minute offsets "1" to "8" (T7 and T8 take T1's and T2's), or
// nothing when it has no offsets row.
std::optional<Row> offsets(int stateId);

// Changes; each is all or nothing and says whether it was stored.
bool choose(int stateId);
// A user-made city goes altogether, its times with it.
bool remove(int stateId);
// Orderings 0 ... n-1 in the given order.
bool reorder(const QList<int>& stateIds);
// A city of the user's own, chosen at the end of the list.
bool create(const QString& name, int provinceId, const std::array<int, kOffsets>& offsets);

} // namespace cities
