#include "Qibla.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>

namespace geodesy {

namespace {

constexpr double kMetresPerKm = 1000.0;
constexpr double kFullTurn = 360.0;
constexpr double kPole = 90.0;

bool isPlace(const Point& p)
{
    return std::isfinite(p.latitude) && std::isfinite(p.longitude) && std::abs(p.latitude) <= kPole;
}

} // namespace

double normalizedAzimuth(double degrees)
{
    if (!std::isfinite(degrees))
        return 0;
    const double a = std::fmod(degrees, kFullTurn);
    return a < 0 ? a + kFullTurn : (a >= kFullTurn ? 0 : a);
}

Bearing qibla(const Point& from)
{
    if (!isPlace(from))
        return {};
    double metres = 0;
    double azimuthThere = 0;
    double azimuthHere = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude, from.longitude, kKaaba.latitude, kKaaba.longitude, metres,
        azimuthHere, azimuthThere);
    if (metres == 0)
        return {};
    return {normalizedAzimuth(azimuthHere), metres / kMetresPerKm};
}

double distanceKm(const Point& a, const Point& b)
{
    if (!isPlace(a) || !isPlace(b))
        return 0;
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.latitude, a.longitude, b.latitude, b.longitude, metres);
    return metres / kMetresPerKm;
}

} // namespace geodesy
