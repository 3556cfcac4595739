#pragma once

#include "PrayerTimes.h"

// What the engine knows of the sun and of time, for the other computations
// of the sky that need them (the crescent of the moon).
namespace astronomy {

// TT - UT1, seconds, in the (fractional) year.
double deltaTSeconds(double year);
// The sun's apparent place at an instant (Julian date, UT), interpolated
// from the samples as the prayer times read it.
SunSample sunAt(double jdUt);

} // namespace astronomy
