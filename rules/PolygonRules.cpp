// SPDX-License-Identifier: GPL-3.0-or-later
#include "PolygonRules.h"

#include <cmath>

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

} // namespace polygon
