#pragma once

#include <cstdint>

namespace foundation {

// A uniformly distributed 32-bit random source.
class Random {
public:
    static std::uint32_t next();
    // Makes the sequence repeatable (tests).
    static void seed(std::uint32_t value);
};

} // namespace foundation
