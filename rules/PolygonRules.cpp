// SPDX-License-Identifier: GPL-3.0-or-later
#include "PolygonRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace polygon {

Point onCircle(double angle)
{
    return {float(radius * std::cos(angle) + centreX), float(radius * std::sin(angle) + centreY)};
}

std::vector<Point> circleDots()
{
    std::vector<Point> dots;
    dots.reserve(629);
    for (double t = 0; t <= fullTurn; t += 0.01)
        dots.push_back(onCircle(t));
    return dots;
}

double sideAngle(std::int64_t k)
{
    return fullTurn / double(k);
}

double halfPerimeter(std::int64_t k)
{
    const double theta = sideAngle(k);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    return double(k) * std::sqrt((c - 1) * (c - 1) + s * s) / 2;
}

std::vector<Point> polygonVertices(std::int64_t k)
{
    std::vector<Point> vertices;
    vertices.reserve(std::size_t(k > 0 ? k : 0) + 1);
    vertices.push_back({float(radius + centreX), float(centreY)});
    const double theta = sideAngle(k);
    double a = 0;
    for (std::int64_t i = 0; i < k; ++i) {
        a += theta;
        vertices.push_back(onCircle(a));
    }
    return vertices;
}

double inscribed(std::int64_t k) { return double(k) * std::sin(std::numbers::pi / double(k)); }

double circumscribed(std::int64_t k) { return double(k) * std::tan(std::numbers::pi / double(k)); }

Bracket bracket(std::int64_t k)
{
    if (k < 3)
        return {};
    return bracket(inscribed(k), circumscribed(k));
}

Bracket bracket(double lower, double upper)
{
    // Each bound lies a third of the gap or more from π, so a last decimal
    // of a tenth of the gap keeps it on its side.
    const int decimals = std::clamp(int(std::ceil(-std::log10(upper - lower))) + 1, 5, 12);
    char low[32], high[32];
    std::snprintf(low, sizeof low, "%.*f", decimals, lower);
    std::snprintf(high, sizeof high, "%.*f", decimals, upper);
    return {low, high};
}

} // namespace polygon
