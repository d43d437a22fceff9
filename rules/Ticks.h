// SPDX-License-Identifier: GPL-3.0-or-later
// Round ticks for a chart's axes: steps of 1, 2 or 5 times a power of ten,
// whole numbers where the axis counts steps, and decades on a log axis.
#pragma once

#include <string>
#include <vector>

namespace ticks {

struct Axis {
    double low, high; // the range, widened to whole steps
    double step;
    int decimals; // what a label needs to show the step
};

// About `wanted` ticks over [low, high]; with `whole`, steps of at least 1.
Axis linear(double low, double high, int wanted, bool whole);

// The decades a log axis from `low` to `high` (both > 0) labels: at most
// `wanted`, every first, second, fifth… decade, as exponents of ten; two
// at least, the first at or below `low` and the last at or above `high`.
std::vector<int> decades(double low, double high, int wanted);

// The whole multiples of `every` (> 0) from `low` to `high`, both included.
std::vector<int> multiples(int low, int high, int every);

// 10 to the power, as a pupil writes it: "1", "10", "10²", "10⁻⁵".
std::string power(int exponent);

} // namespace ticks
