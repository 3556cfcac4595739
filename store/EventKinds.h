#pragma once

#include "calendar/EventRules.h"

#include <optional>

// Which kinds of occasions the user shows, and is told of, kept in the
// user's copy (tPreferences, "EventKinds": their keys joined with ",").
// Iran's own until the user chooses otherwise.
namespace eventKinds {

// As stored, or the defaults when nothing is; nothing when the database
// could not be read. A key it does not know is left out (and logged).
std::optional<EventRules::Kinds> load();
// False when it was not stored.
bool save(const EventRules::Kinds& kinds);

} // namespace eventKinds
