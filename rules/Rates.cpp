// SPDX-License-Identifier: GPL-3.0-or-later
#include "Rates.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace rates {

std::optional<double> logSlope(std::span<const double> n, std::span<const double> error, double low, double high)
{
    // Sums about the first point, so that large logarithms do not swamp
    // the small differences between them.
    double x0 = 0, y0 = 0;
    bool first = true;
    double count = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < n.size() && i < error.size(); ++i) {
        if (n[i] < low || n[i] > high || !(error[i] > 0) || !std::isfinite(error[i]))
            continue;
        double x = std::log10(n[i]), y = std::log10(error[i]);
        if (first) {
            x0 = x;
            y0 = y;
            first = false;
        }
        x -= x0;
        y -= y0;
        count += 1;
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double spread = count * sxx - sx * sx;
    if (count < 2 || !(spread > 1e-12 * count * count))
        return std::nullopt;
    return (count * sxy - sx * sy) / spread;
}

std::optional<Fit> fitted(const compare::Sequence& sequence)
{
    const std::int64_t last = sequence.limitStep != 0 ? sequence.limitStep : sequence.last();
    const bool random = compare::isExperiment(sequence.method);
    const std::int64_t from = std::max(sequence.first, random ? std::int64_t(10) : (last + 9) / 10);
    std::vector<double> n, error;
    const auto add = [&](std::int64_t k) {
        if (n.empty() || double(k) > n.back()) {
            n.push_back(double(k));
            error.push_back(compare::error(sequence.at(k)));
        }
    };
    if (random)
        for (int j = 50; std::pow(10.0, j / 50.0) <= double(last) + 0.5; ++j)
            add(std::llround(std::pow(10.0, j / 50.0)));
    else
        for (std::int64_t k = from; k <= last; ++k)
            add(k);
    const std::optional<double> slope = logSlope(n, error, double(from), double(last));
    if (!slope)
        return std::nullopt;
    return Fit{*slope, from, last};
}

std::string slopeText(double slope)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", slope);
    std::string s = text;
    if (s == "-0.0")
        s = "0.0";
    if (!s.empty() && s.front() == '-')
        s.replace(0, 1, "\u2212");
    return s;
}

} // namespace rates
