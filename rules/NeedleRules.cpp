// SPDX-License-Identifier: GPL-3.0-or-later
#include "NeedleRules.h"

#include <algorithm>
#include <cmath>

namespace buffon {

Needle needleFrom(float r1, float r2, float r3)
{
    const double startX = std::floor(double(r1) * 3001);
    const double startY = std::floor(double(r2) * 2501 + 250);
    const double theta = double(r3) * 2 * 3.141592;
    const double endX = startX + std::floor(needleLength * std::cos(theta));
    const double endY = startY + std::floor(needleLength * std::sin(theta));
    return {std::int16_t(startX), std::int16_t(startY), std::int16_t(endX), std::int16_t(endY)};
}

bool meetsLine(int startY, int endY)
{
    const int low = std::min(startY, endY);
    const int high = std::max(startY, endY);
    return std::any_of(ruledLines.begin(), ruledLines.end(), [&](int line) { return low <= line && line <= high; });
}

float estimate(int dropped, int crossed)
{
    return float(dropped) / float(crossed);
}

} // namespace buffon
