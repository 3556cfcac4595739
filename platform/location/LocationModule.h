#pragma once

#include "Position.h"

#include <QString>

#include <functional>
#include <memory>

namespace location {

// A request for a position under way; it stops when destroyed.
class PositionRequest {
public:
    virtual ~PositionRequest() = default;
};

// What finds positions. It lives in a module of its own, with Qt
// Positioning and its plugins, loaded the first time the user asks where
// they are: a start that never asks never loads them.
class LocationModule {
public:
    virtual ~LocationModule() = default;
    // Asks for one position: from the desktop's location service (GeoClue
    // on Linux) when `nmeaLog` is empty, else from that recorded NMEA log.
    // `answer` is called at most once, from the event loop, while the
    // request lives; the service may take up to `timeoutMs` itself.
    virtual std::unique_ptr<PositionRequest> request(const QString& nmeaLog, int timeoutMs, std::function<void(const Answer&)> answer) = 0;

    // The module, loaded on the first call; nothing when it cannot be
    // loaded (said once in the log).
    static LocationModule* shared();
};

} // namespace location

// What the module exports: its one LocationModule.
extern "C" location::LocationModule* kelvaroLocationModule();
