// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of Buffon's needle experiment: a needle from three random
// numbers, whether it meets one of the ruled lines, and the estimate. No GUI.
#pragma once

#include <array>
#include <cstdint>

namespace buffon {

// Horizontal lines 500 units apart in a 3000 x 3000 field; none at 0 or 3000.
constexpr std::array<int, 5> ruledLines{500, 1000, 1500, 2000, 2500};
constexpr int fieldSize = 3000;
constexpr int needleLength = 250;

struct Needle {
    std::int16_t startX, startY, endX, endY;
};

// Start at (Int(3001 r1), Int(2501 r2 + 250)); direction r3 * 2 * 3.141592;
// each end offset is Int(250 cos) and Int(250 sin), floored toward minus
// infinity.
Needle needleFrom(float r1, float r2, float r3);

// True when some ruled line L has min(y1, y2) <= L <= max(y1, y2): an end on
// a line counts, and so does a horizontal needle lying on one.
bool meetsLine(int startY, int endY);

// dropped / crossed in single precision; crossed must be at least 1.
float estimate(int dropped, int crossed);

} // namespace buffon
