// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of the Monte Carlo experiment: where a point lands, whether
// it counts as inside the circle, and the estimate 4m / n. No GUI here.
#pragma once

#include <span>

namespace montecarlo {

// The figure in drawing units: a square of side 2000 about the centre of a
// 3000 x 3000 field, and the circle inscribed in it.
constexpr float squareLow = 500;
constexpr float squareHigh = 2500;
constexpr float centre = 1500;
constexpr double radius = 1000;
constexpr float markRadius = 3;

struct Point {
    float x, y;
};

// The dots that draw the circle: t = 0, 0.01, ... (summed, not multiplied)
// while t <= 6.283184, at (1000 cos t + 1500, 1000 sin t + 1500).
std::span<const Point> circleDots();

// One coordinate from a random number in [0, 1): Int(2001 r + 500), a whole
// number from 500 to 2500 (both edges of the square can be hit).
float coordinate(float r);
inline Point pointFrom(float r1, float r2) { return {coordinate(r1), coordinate(r2)}; }

// Inside or on the circle.
bool isInside(Point p);

// (4 * inside) / thrown, both converted to single precision first.
float estimate(int inside, int thrown);

} // namespace montecarlo
