// SPDX-License-Identifier: GPL-3.0-or-later
#include "Ticks.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ticks {

namespace {
// The nearest of 1, 2 or 5 times a power of ten to `raw`.
double roundStep(double raw)
{
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    const double m = raw / decade;
    return (m < 1.5 ? 1 : m < 3 ? 2 : m < 7 ? 5 : 10) * decade;
}
} // namespace

Axis linear(double low, double high, int wanted, bool whole)
{
    if (!(high > low))
        high = low + (whole ? 1 : 1e-3);
    double step = roundStep((high - low) / std::max(wanted, 1));
    if (whole)
        step = std::max(step, 1.0);
    const int decimals = whole ? 0 : std::max(0, -int(std::floor(std::log10(step) + 1e-9)));
    return {std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step, decimals};
}

std::vector<int> decades(double low, double high, int wanted)
{
    if (low > high)
        std::swap(low, high);
    const int first = int(std::floor(std::log10(low) + 1e-9));
    const int last = std::max(first + 1, int(std::ceil(std::log10(high) - 1e-9)));
    int every = 1;
    for (int m : {1, 2, 5, 10, 20}) {
        every = m;
        if ((last - first + m - 1) / m + 1 <= std::max(wanted, 2))
            break;
    }
    // Whole multiples of the stride, so that the labels stay put as a run
    // grows: the last at or below `first` to the first at or above `last`.
    return multiples(first - every + 1, last + every - 1, every);
}

std::vector<int> multiples(int low, int high, int every)
{
    std::vector<int> out;
    for (int e = low >= 0 ? (low + every - 1) / every * every : -(-low / every * every); e <= high; e += every)
        out.push_back(e);
    return out;
}

std::string power(int exponent)
{
    if (exponent == 0)
        return "1";
    if (exponent == 1)
        return "10";
    static const char* const superscript[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text = "10";
    if (exponent < 0)
        text += "⁻";
    const std::string digits = std::to_string(std::abs(exponent));
    for (char d : digits)
        text += superscript[d - '0'];
    return text;
}

} // namespace ticks
