#include "IranBorder.h"

#include <array>
#include <cmath>
#include <iterator>

namespace geodesy {

namespace {

// The outline's corners in order, latitude and longitude in degrees, from
// the mouth of the Arvand Rud northward along the Iraqi border, round by the
// Caspian, Afghanistan and Pakistan, and back along the Gulf.
constexpr Point kOutline[] = {
    {29.9268, 48.5680}, {30.4525, 48.0146}, {30.9851, 48.0047}, {30.9849, 47.6853}, {31.7092, 47.8492},
    {32.4692, 47.3347}, {33.0173, 46.1094}, {33.9678, 45.4167}, {34.7481, 45.6485}, {35.0933, 46.1518},
    {35.6774, 46.0763}, {35.9775, 45.4206}, {37.1704, 44.7727}, {37.1705, 44.7727}, {37.9716, 44.2258},
    {38.2813, 44.4214}, {39.4281, 44.1092}, {39.7130, 44.7940}, {39.3358, 44.9527}, {38.8741, 45.4577},
    {38.7412, 46.1436}, {38.7706, 46.5057}, {39.5084, 47.6851}, {39.5822, 48.0601}, {39.2888, 48.3555},
    {38.7940, 48.0107}, {38.2704, 48.6344}, {38.3202, 48.8832}, {37.5829, 49.1996}, {37.3746, 50.1478},
    {36.8728, 50.8424}, {36.7004, 52.2640}, {36.9650, 53.8258}, {37.1989, 53.9216}, {37.3924, 54.8003},
    {37.9641, 55.5116}, {37.9351, 56.1804}, {38.1214, 56.6194}, {38.0292, 57.3304}, {37.5223, 58.4362},
    {37.4130, 59.2348}, {36.5274, 60.3776}, {36.4916, 61.1231}, {35.6501, 61.2108}, {34.4041, 60.8032},
    {33.6764, 60.5284}, {33.5288, 60.9637}, {32.9813, 60.5361}, {32.1829, 60.8637}, {31.5481, 60.9419},
    {31.3795, 61.6993}, {30.7359, 61.7812}, {29.8292, 60.8742}, {29.3033, 61.3693}, {28.6993, 61.7719},
    {28.2596, 62.7278}, {27.3789, 62.7554}, {27.2170, 63.2339}, {26.7565, 63.3166}, {26.2400, 61.8742},
    {25.0782, 61.4974}, {25.3802, 59.6161}, {25.6100, 58.5258}, {25.7399, 57.3973}, {26.9661, 56.9708},
    {27.1433, 56.4921}, {26.9646, 55.7237}, {26.4807, 54.7151}, {26.8124, 53.4931}, {27.5808, 52.4836},
    {27.8657, 51.5208}, {28.8145, 50.8529}, {30.1478, 50.1150}, {29.9857, 49.5769}, {30.3171, 48.9413},
};

} // namespace

bool insideIranOutline(const Point& point)
{
    if (!std::isfinite(point.latitude) || !std::isfinite(point.longitude))
        return false;
    // Even-odd: a ray to the east crosses the outline an odd number of
    // times from a point inside. Degrees serve as plane coordinates over a
    // country of this size: the edges are short.
    bool inside = false;
    const std::size_t n = std::size(kOutline);
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = kOutline[i];
        const Point& b = kOutline[j];
        if ((a.latitude > point.latitude) == (b.latitude > point.latitude))
            continue;
        const double crossing = a.longitude + (point.latitude - a.latitude) * (b.longitude - a.longitude) / (b.latitude - a.latitude);
        if (point.longitude < crossing)
            inside = !inside;
    }
    return inside;
}

} // namespace geodesy
