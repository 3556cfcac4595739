#pragma once

#include <optional>

namespace location {

// A position on the earth, degrees (WGS84).
struct Fix {
    double latitude = 0;
    double longitude = 0;
};

// Why no position came.
enum class Failure {
    None,
    NoService,     // no location service on this desktop, or it stopped
    NoPermission,  // the service would not tell this app
    NoFix,         // the service found nothing in time
};

// One answer to a request: a position, or why there is none.
struct Answer {
    std::optional<Fix> fix;
    Failure failure = Failure::None;
};

} // namespace location
