#pragma once

#include "PrayerTimes.h"

#include <QDate>

#include <optional>

// Whether the new crescent of the moon can be seen on an evening, by the
// criterion of Odeh (2004, "New criterion for lunar crescent visibility",
// Experimental Astronomy 18): at the best time, four ninths of the way from
// sunset to moonset, the arc of vision ARCV (the moon's topocentric
// altitude above the sun's, without refraction) is set against the
// crescent's topocentric width W, in arcminutes:
//   V = ARCV - (-0.1018 W^3 + 0.7319 W^2 - 6.3226 W + 7.1651)
// V >= 5.65: seen by the naked eye; 2 <= V < 5.65: seen with optical aid,
// and may be by the naked eye; -0.96 <= V < 2: seen with optical aid only;
// below: not seen. The published parameters, as they stand.
struct Crescent {
    double sunsetHours = 0;    // Iran standard time
    double moonsetHours = 0;   // the moon's upper limb on the horizon
    double arcOfVision = 0;    // ARCV, degrees
    double elongation = 0;     // ARCL, topocentric, degrees
    double width = 0;          // W, arcminutes
    double ageHours = 0;       // since the conjunction, at sunset
    double v = 0;              // Odeh's V; meaningless when the moon sets first

    // The moon sets after the sun, and the conjunction came before sunset.
    bool aboveAtSunset() const { return moonsetHours > sunsetHours && ageHours > 0; }

    // Odeh's zones: A from kNakedEye, B from kMayBeNakedEye, C from
    // kOpticalAid, D below.
    static constexpr double kNakedEye = 5.65;
    static constexpr double kMayBeNakedEye = 2.0;
    static constexpr double kOpticalAid = -0.96;
    // Reported seen: zones A and B, where the crescent is found with optical
    // aid and may be seen by the naked eye. A crescent of zone C needs a
    // telescope and a perfect sky, and is seldom reported on the evening.
    // Over the 179 months of Iran's table since 1433 each boundary gives:
    // A 122 months as observed, B 154, C 151.
    bool seen() const { return aboveAtSunset() && v >= kMayBeNakedEye; }
};

// The crescent on the evening of `date` at `place`.
Crescent crescentOn(const QDate& date, const Place& place);
