// SPDX-License-Identifier: GPL-3.0-or-later
// How the experiments' drawings tell a hit from a miss. The design's red
// against green is the only cue; on a projector, before a whole class, one
// boy in twenty cannot see it, so projector mode takes colours that stay
// apart for every kind of colour vision (Okabe and Ito's) and a second cue
// that needs no colour at all: hits are filled.
#pragma once

#include "rules/Runtime.h"

namespace platform {

struct Marks {
    rt::Colour hit;  // a point inside the circle, a needle across a line
    rt::Colour miss;
    bool filledHits; // a point filled, a needle with a dot at its middle
    float pointRadius; // in the Monte Carlo field's units
    bool largeNumbers; // a chart's numbers read from the back of the room
};

Marks designMarks();
Marks projectorMarks();

const Marks& marks();
void setMarks(const Marks& marks);

} // namespace platform
