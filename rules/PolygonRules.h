// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of the inscribed polygons: where the circle's dots and the
// k-gon's vertices lie in the drawing units, and the k-gon's approximation
// of pi. Plain C++, testable without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace polygon {

// A drawing position, already narrowed to single precision as the drawing
// calls take it.
struct Point {
    float x, y;
};

// The full turn as the window has always written it, a little short of 2π;
// the last digits of the values shown depend on it.
constexpr double fullTurn = 6.28318530717958;
constexpr double centreX = 320;
constexpr double centreY = 320;
constexpr double radius = 200;

// (200·cos a + 320, 200·sin a + 320).
Point onCircle(double angle);

// The circle as dots at t = 0, 0.01, 0.02, … while t ≤ fullTurn, with t
// accumulated by repeated addition (629 dots).
std::vector<Point> circleDots();

// θ = fullTurn ÷ k.
double sideAngle(std::int64_t k);

// Half the perimeter of the k-gon inscribed in a circle of radius 1:
// k × √((cos θ − 1)² + sin² θ) ÷ 2, evaluated in exactly that order.
double halfPerimeter(std::int64_t k);

// The first vertex (520, 320) followed by the far end of each of the k
// edges, the angle accumulated by adding θ, so the last point meets the
// first only up to rounding. Nothing but the first vertex for k < 1.
std::vector<Point> polygonVertices(std::int64_t k);

// Archimedes' bracket around π: half the perimeters of the regular k-gons
// inside and outside a circle of radius 1, k sin(π/k) and k tan(π/k).
double inscribed(std::int64_t k);
double circumscribed(std::int64_t k);

// The bracket as texts, each rounded to as many decimals as keep the two
// apart (at least 5, at most 12): so few that a pupil can read them, and
// enough that rounding never carries a bound across π. None for k < 3.
struct Bracket {
    std::string lower, upper;
};
Bracket bracket(std::int64_t k);
// Any two such bounds, written the same way.
Bracket bracket(double lower, double upper);

} // namespace polygon
