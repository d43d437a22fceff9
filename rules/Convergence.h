// SPDX-License-Identifier: GPL-3.0-or-later
// The eight methods side by side: each one's value at every step, by the
// very rules its window calls, so that step n here shows the digits the
// window shows at step n. Plain C++, no Qt.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace compare {

// In the menu's order.
enum class Method { Polygon, MonteCarlo, Buffon, Wallis, Leibniz, Euler, Matsunaga1, Matsunaga2 };
constexpr std::array<Method, 8> methods{Method::Polygon, Method::MonteCarlo, Method::Buffon, Method::Wallis,
                                        Method::Leibniz, Method::Euler, Method::Matsunaga1, Method::Matsunaga2};

constexpr std::int64_t defaultSteps = 10'000;
constexpr std::int64_t maxSteps = 1'000'000;

// What the windows' clock reads before every random point of a seeded run:
// a run of seed S is a window's run whose generator started from the state
// S and whose clock stood at midnight.
constexpr float seededClock = 0.0f;

// The command line's name: polygon, montecarlo, buffon, wallis, leibniz,
// euler, matsunaga1, matsunaga2.
std::string_view shortName(Method method);
std::optional<Method> methodNamed(std::string_view name);
bool isExperiment(Method method);

// What the menu calls the method, in the source language (UTF-8); the
// windows translate it in the context "methods".
const char* title(Method method);

// The first step a window can show: the triangle for the polygons, one
// term, factor, point or needle otherwise.
std::int64_t firstStep(Method method);

// The value the window shows after n steps, as its digits: the series as
// the engine prints a double, the polygons and experiments with 14 decimals.
std::string valueText(Method method, double value);

// |π − value|.
double error(double value);
// Where a plot of errors ends: a little below the spacing of doubles near π,
// so that an exact value still has a place.
constexpr double errorFloor = 1e-16;

// One standard error of an experiment's estimate after n throws: the
// spread a run is expected to stay within about two times in three.
double standardError(Method method, std::int64_t n);

// Shortest text that reads back as the same double.
std::string exactText(double value);

// How an experiment is carried out. The windows draw their points and
// needles on a grid of whole drawing units in single precision, which
// leans their estimates a little (Monte Carlo towards 3.1384, the needles
// towards 3.1235) once the noise falls below that; the continuous way
// throws anywhere, in double precision, as the method really is.
enum class Throws { Window, Continuous };

// One method's values step after step: the sequence that tends to π.
struct Sequence {
    Method method;
    std::int64_t first = 1;
    // values[k] is the value at step first + k; NaN while the window shows
    // none (no needle has met a line yet).
    std::vector<double> values;
    // For a series, the first step whose value no further term changes and
    // that stands within rounding of π: the limit of double precision. 0 if
    // it is not reached.
    std::int64_t limitStep = 0;
    Throws throws = Throws::Window;

    std::int64_t last() const { return first + std::int64_t(values.size()) - 1; }
    double at(std::int64_t n) const { return values[std::size_t(n - first)]; }
};

// Steps first .. last of one method; seed and throws only matter to the
// experiments.
Sequence compute(Method method, std::int64_t last, std::uint64_t seed, Throws throws = Throws::Window);

// The polygons outside the circle beside those inside: k·tan(π/k) from the
// triangle to `last` sides, the bound that nears π from above.
Sequence circumscribedPolygons(std::int64_t last);

// The CSV of one method: "n,value,error", then one row per step; the
// polygons' has a fourth column, the circumscribed polygon's value.
std::string csvHeader(Method method);
std::string csvRow(const Sequence& sequence, std::int64_t n);

} // namespace compare
