#pragma once

#include "MyDB.h"

// How a city's times are found: a province centre has its own; any other
// city takes its centre's, moved by its own minute offsets.
namespace cities {

// A city is a centre only when its IsCenter reads "1".
bool isProvinceCentre(const Row& city);
// The StateID of the centre of the city's province; 0 when there is none.
int provinceCentre(int stateId);
// The StateID whose stored times serve `city`: its own for a centre.
int timesSource(const Row& city);

} // namespace cities
