// SPDX-License-Identifier: GPL-3.0-or-later
#include "Archimedes.h"

#include <cmath>

namespace archimedes {

Polygons hexagon() { return {6, 3.0, 2 * std::sqrt(3.0)}; }

Polygons doubled(const Polygons& polygons)
{
    const double p = polygons.inscribed;
    const double outer = 2 * p * polygons.circumscribed / (p + polygons.circumscribed);
    return {2 * polygons.sides, std::sqrt(p * outer), outer};
}

std::vector<Polygons> upTo(std::int64_t sides)
{
    std::vector<Polygons> all;
    for (Polygons p = hexagon(); p.sides <= sides; p = doubled(p))
        all.push_back(p);
    return all;
}

} // namespace archimedes
