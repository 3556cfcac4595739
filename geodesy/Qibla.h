#pragma once

// The way to the Kaaba and the distances between places, on the WGS84
// ellipsoid (GeographicLib's geodesics). A sphere would be simpler and is
// off by up to a few tenths of a degree in Iran: a tenth of a degree is
// seventeen metres across a hall ten metres wide.
namespace geodesy {

struct Point {
    double latitude = 0;   // degrees north
    double longitude = 0;  // degrees east
};

// The Kaaba, Mecca.
constexpr Point kKaaba{21.4225, 39.8262};

struct Bearing {
    double azimuth = 0;     // degrees clockwise from true north, [0, 360)
    double distanceKm = 0;  // along the geodesic
};

// The Qibla of a point: the geodesic's start toward the Kaaba. At the
// Kaaba itself the azimuth is 0 and the distance 0; a point that is no
// place on earth (a latitude beyond the poles, not a number) gets the same.
Bearing qibla(const Point& from);

// The geodesic distance between two points, kilometres (0 for a point that
// is none).
double distanceKm(const Point& a, const Point& b);

// An azimuth in degrees brought into [0, 360).
double normalizedAzimuth(double degrees);

} // namespace geodesy
