#include "Random.h"

#include <QRandomGenerator>

#include <optional>

namespace foundation {

namespace {
std::optional<QRandomGenerator>& seeded()
{
    static std::optional<QRandomGenerator> generator;
    return generator;
}
} // namespace

std::uint32_t Random::next()
{
    if (seeded())
        return seeded()->generate();
    return QRandomGenerator::global()->generate();
}

void Random::seed(std::uint32_t value)
{
    seeded().emplace(value);
}

} // namespace foundation
