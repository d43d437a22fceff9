// SPDX-License-Identifier: GPL-3.0-or-later
// The throws of the class session: the teacher's machine and every pupil's
// browser (class/page/throws.js) must count the same hits from the same seed,
// so the hit decisions use std::mt19937 and exact integers only. No GUI.
#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace classthrows {

enum class Experiment { Points, Needles };

// Points: each coordinate is the top 25 bits of one output, the cell
// centre 2a + 1 on a grid of side 2^26; a point hits when
// (2a+1)^2 + (2b+1)^2 <= 2^52. Every term stays below 2^53, so JavaScript
// doubles compute it exactly, with no BigInt. One throw, two outputs.
constexpr int pointBits = 25;

// Needles (length half the line spacing, as in the needle window, so
// pi ~ throws / hits): a direction (x, y) of odd integers in (-2^12, 2^12)
// from the top 12 bits of two outputs, drawn again while x^2 + y^2 > 2^24;
// then the centre's distance to the nearest line, the odd 2c + 1 from the
// top 13 bits of one output, in units where half the spacing is 2^14 and
// half the needle 2^13. Crossing iff (2c+1)^2 (x^2 + y^2) <= 2^26 y^2: both
// sides stay below 2^52. One throw, 2 outputs per direction drawn, plus one.
constexpr int directionBits = 12;
constexpr int distanceBits = 13;

bool throwPoint(std::mt19937& engine);
bool throwNeedle(std::mt19937& engine);

// The hits of count throws from a generator seeded with seed.
std::uint32_t hits(Experiment experiment, std::uint32_t seed, std::uint32_t count);

// Throws counted: how many, and how many hit (met a line, fell inside).
struct Tally {
    std::uint64_t n = 0;
    std::uint64_t hits = 0;
};

struct Estimate {
    double value;
    double standardError;
};

// pi from the pooled throws, for display: 4 hits / n for points, n / hits
// for needles; none while that is undefined.
std::optional<Estimate> estimate(Experiment experiment, std::uint64_t n, std::uint64_t hits);

} // namespace classthrows
