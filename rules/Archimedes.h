// SPDX-License-Identifier: GPL-3.0-or-later
// π without π: Archimedes' doubling of the polygons around a circle, from
// the hexagon to 12, 24, 48, 96 sides and on, by square roots alone. Plain
// C++, no Qt; nothing here knows the value of π.
#pragma once

#include <cstdint>
#include <vector>

namespace archimedes {

// Half the perimeters of the regular k-gons inside and outside a circle of
// radius 1: k sin(π/k) and k tan(π/k), found here without π.
struct Polygons {
    std::int64_t sides;
    double inscribed;
    double circumscribed;
};

// Six sides: 3 inside and 2√3 outside.
Polygons hexagon();

// Twice the sides: the outer half-perimeter becomes the harmonic mean of
// both, 2pP/(p + P), and the inner one the geometric mean of the old inner
// and the new outer, √(p·P').
Polygons doubled(const Polygons& polygons);

// The hexagon and its doublings while they have at most `sides` sides.
std::vector<Polygons> upTo(std::int64_t sides);

} // namespace archimedes
