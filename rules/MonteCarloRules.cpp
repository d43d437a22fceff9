// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonteCarloRules.h"

#include <cmath>
#include <vector>

namespace montecarlo {

std::span<const Point> circleDots()
{
    // The same 629 dots are drawn before every point, so work them out once.
    static const std::vector<Point> dots = [] {
        std::vector<Point> result;
        for (double t = 0; t <= 6.283184; t += 0.01)
            result.push_back({float(1000 * std::cos(t) + 1500), float(1000 * std::sin(t) + 1500)});
        return result;
    }();
    return dots;
}

float coordinate(float r)
{
    // Exact in double precision for every single-precision r.
    return float(std::floor(2001.0 * double(r) + 500.0));
}

bool isInside(Point p)
{
    const double dx = double(p.x) - centre;
    const double dy = double(p.y) - centre;
    return std::sqrt(dx * dx + dy * dy) <= radius;
}

float estimate(int inside, int thrown)
{
    return float(4 * inside) / float(thrown);
}

} // namespace montecarlo
