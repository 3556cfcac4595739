#pragma once

#include <QString>

#include <functional>

namespace foundation {

// The system log: one plain line per call, stamped with the moment and the
// process, written to standard error.
class Log {
public:
    static void write(const QString& line);

    // Every line also goes to `sink` (tests read the log this way); an empty
    // function removes it.
    static void setSink(std::function<void(const QString&)> sink);
};

} // namespace foundation
