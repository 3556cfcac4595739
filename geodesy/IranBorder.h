#pragma once

#include "Qibla.h"

namespace geodesy {

// Whether a point lies inside Iran's land border as a small-scale map draws
// it (Natural Earth's 1:110m countries, public domain: 75 corners). The line
// is coarse: a few kilometres off here and there, and the islands of the
// Persian Gulf lie outside it; a caller that must know adds what it knows of
// the places near the line.
bool insideIranOutline(const Point& point);

} // namespace geodesy
