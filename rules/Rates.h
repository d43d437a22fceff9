// SPDX-License-Identifier: GPL-3.0-or-later
// How fast a method's error falls: the slope of log10 |π − value| against
// log10 n, fitted by least squares. An error like C·n^p has the slope p,
// whatever C. Plain C++, no Qt.
#pragma once

#include "Convergence.h"

#include <optional>
#include <span>
#include <string>

namespace rates {

// The slope of log10 error against log10 n over the points with n in
// [low, high] and a positive error; none without two such n apart.
std::optional<double> logSlope(std::span<const double> n, std::span<const double> error, double low, double high);

// A sequence's slope and the steps it was fitted over.
struct Fit {
    double slope;
    std::int64_t from, to;
};

// A sequence's slope over its last decade, every step n from N/10 to N,
// where N is its last step, or the one where a series reaches the limit
// of double precision (beyond it the error is rounding, not the method's).
// An experiment's over every decade from n = 10 instead, fifty steps a
// decade: one random run's error swings too much within one decade to
// show its rate (slopes from −1.9 to +0.8 in twelve runs to a million).
std::optional<Fit> fitted(const compare::Sequence& sequence);

// The slope as the legend writes it: one decimal, with a true minus sign.
std::string slopeText(double slope);

} // namespace rates
