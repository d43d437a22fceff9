// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassThrows.h"

#include <cmath>

namespace classthrows {

namespace {

using u64 = std::uint64_t;

// An odd coordinate about zero: -(2^bits - 1) ... 2^bits - 1.
std::int64_t centred(std::uint32_t output, int bits)
{
    return 2 * std::int64_t(output >> (32 - bits)) + 1 - (std::int64_t(1) << bits);
}

} // namespace

bool throwPoint(std::mt19937& engine)
{
    const u64 x = 2 * u64(std::uint32_t(engine()) >> (32 - pointBits)) + 1;
    const u64 y = 2 * u64(std::uint32_t(engine()) >> (32 - pointBits)) + 1;
    return x * x + y * y <= u64(1) << (2 * pointBits + 2);
}

bool throwNeedle(std::mt19937& engine)
{
    constexpr u64 disk = u64(1) << (2 * directionBits);
    std::int64_t x = 0, y = 0;
    do {
        x = centred(std::uint32_t(engine()), directionBits);
        y = centred(std::uint32_t(engine()), directionBits);
    } while (u64(x * x + y * y) > disk);
    const u64 d = 2 * u64(std::uint32_t(engine()) >> (32 - distanceBits)) + 1;
    const u64 r2 = u64(x * x + y * y);
    return d * d * r2 <= (u64(1) << (2 * distanceBits)) * u64(y * y);
}

std::uint32_t hits(Experiment experiment, std::uint32_t seed, std::uint32_t count)
{
    std::mt19937 engine(seed);
    std::uint32_t hit = 0;
    for (std::uint32_t i = 0; i < count; ++i)
        hit += experiment == Experiment::Points ? throwPoint(engine) : throwNeedle(engine);
    return hit;
}

std::optional<Estimate> estimate(Experiment experiment, std::uint64_t n, std::uint64_t hits)
{
    if (n == 0 || hits > n || (experiment == Experiment::Needles && hits == 0))
        return std::nullopt;
    const double p = double(hits) / double(n);
    const double spread = std::sqrt(p * (1 - p) / double(n));
    if (experiment == Experiment::Points)
        return Estimate{4 * p, 4 * spread};
    // n / hits = 1 / p; its standard error by the delta method.
    return Estimate{1 / p, spread / (p * p)};
}

} // namespace classthrows
