#pragma once

#include <QString>

#include <optional>

// One value of the user's preferences (tPreferences) by its key, for what
// the app keeps beside its own rows: the notifications given lately when
// their file cannot be written.
namespace preferences {

// Nothing when there is none, or when it cannot be read.
std::optional<QString> value(const QString& key);
// Stores it (an empty value takes it away); false when it was not.
bool setValue(const QString& key, const QString& value);

} // namespace preferences
