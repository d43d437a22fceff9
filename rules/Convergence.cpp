// SPDX-License-Identifier: GPL-3.0-or-later
#include "Convergence.h"

#include "Digits.h"
#include "MonteCarloRules.h"
#include "NeedleRules.h"
#include "PolygonRules.h"
#include "Runtime.h"
#include "SeriesMath.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

namespace compare {

namespace {

// Marks a text for translation where Qt is not: lupdate reads the sources,
// not the macro.
#define QT_TRANSLATE_NOOP(context, text) text

constexpr std::array<const char*, 8> titles{
    QT_TRANSLATE_NOOP("methods", "円の内接正多角形の周の長さからπを求める"),
    QT_TRANSLATE_NOOP("methods", "モンテカルロ法を利用してπを求める"),
    QT_TRANSLATE_NOOP("methods", "ビュホンの針を利用してπを求める"),
    QT_TRANSLATE_NOOP("methods", "ウォーリスの公式からπを求める"),
    QT_TRANSLATE_NOOP("methods", "無限級数からπを求める(ｸﾞﾚｺﾞﾘｰ･ﾗｲﾌﾟﾆｯﾂ)"),
    QT_TRANSLATE_NOOP("methods", "無限級数からπを求める(オイラー)"),
    QT_TRANSLATE_NOOP("methods", "無限級数からπを求める(マツナガ　ヨシスケ１)"),
    QT_TRANSLATE_NOOP("methods", "無限級数からπを求める(マツナガ　ヨシスケ２)"),
};

constexpr std::array<std::string_view, 8> names{"polygon", "montecarlo", "buffon",     "wallis",
                                                "leibniz", "euler",      "matsunaga1", "matsunaga2"};

const series::Rule* seriesRule(Method method)
{
    switch (method) {
    case Method::Wallis: return &series::wallis;
    case Method::Leibniz: return &series::gregoryLeibniz;
    case Method::Euler: return &series::euler;
    case Method::Matsunaga1: return &series::matsunaga1;
    case Method::Matsunaga2: return &series::matsunaga2;
    default: return nullptr;
    }
}

// Each n runs the window's loop over range(n); the ranges only grow with n,
// so the passes of step n are those of step n - 1 and a few more.
void runSeries(Sequence& sequence, const series::Rule& rule)
{
    series::State state = rule.start;
    double i = rule.range(double(sequence.first)).first;
    for (std::int64_t n = sequence.first; n <= sequence.last(); ++n) {
        const series::LoopRange range = rule.range(double(n));
        for (; i <= range.last; i += range.step)
            rule.update(state, i);
        sequence.values[std::size_t(n - sequence.first)] = rule.result(state);
    }
    // Unchanged by a further term and within a few units in the last place.
    constexpr double rounding = 8 * std::numeric_limits<double>::epsilon();
    for (std::int64_t n = sequence.first + 1; n <= sequence.last(); ++n)
        if (sequence.at(n) == sequence.at(n - 1) && error(sequence.at(n)) <= rounding) {
            sequence.limitStep = n - 1;
            break;
        }
}

// An experiment as its window makes it: the clock reseeds the generator
// before each throw, `hit` draws one throw and says whether it counts, and
// `estimate` gives π from the hits and throws so far.
template <typename Hit, typename Estimate>
void runExperiment(Sequence& sequence, std::uint64_t seed, Hit hit, Estimate estimate)
{
    rt::RandomGenerator generator(seed);
    int hits = 0;
    for (std::size_t k = 0; k < sequence.values.size(); ++k) {
        generator.Randomize(seededClock);
        if (hit(generator))
            ++hits;
        sequence.values[k] = estimate(hits, int(k + 1));
    }
}

void runMonteCarlo(Sequence& sequence, std::uint64_t seed)
{
    runExperiment(
        sequence, seed,
        [](rt::RandomGenerator& g) {
            const float r1 = g.Rnd();
            const float r2 = g.Rnd();
            return montecarlo::isInside(montecarlo::pointFrom(r1, r2));
        },
        [](int inside, int points) { return double(montecarlo::estimate(inside, points)); });
}

void runBuffon(Sequence& sequence, std::uint64_t seed)
{
    runExperiment(
        sequence, seed,
        [](rt::RandomGenerator& g) {
            const float r1 = g.Rnd();
            const float r2 = g.Rnd();
            const float r3 = g.Rnd();
            const buffon::Needle needle = buffon::needleFrom(r1, r2, r3);
            return buffon::meetsLine(needle.startY, needle.endY);
        },
        [](int crossed, int needles) {
            return crossed != 0 ? double(buffon::estimate(needles, crossed)) : std::numeric_limits<double>::quiet_NaN();
        });
}

// Doubles uniform in [0, 1) from the 53 high bits of a generator whose
// sequence the standard fixes, so that a seed gives the same values anywhere.
class Uniform {
public:
    explicit Uniform(std::uint64_t seed) : engine_(seed) {}
    double operator()() { return double(engine_() >> 11) * 0x1p-53; }

private:
    std::mt19937_64 engine_;
};

// Points anywhere in the square [-1, 1]², inside when within the unit circle.
void continuousMonteCarlo(Sequence& sequence, std::uint64_t seed)
{
    Uniform uniform(seed);
    std::int64_t inside = 0;
    for (std::size_t k = 0; k < sequence.values.size(); ++k) {
        const double x = 2 * uniform() - 1;
        const double y = 2 * uniform() - 1;
        if (x * x + y * y <= 1)
            ++inside;
        sequence.values[k] = 4.0 * double(inside) / double(k + 1);
    }
}

// Needles of length 1 on lines 2 apart, as in the window: the centre lies
// anywhere from 0 to 1 from the nearest line, and the needle crosses when
// that distance is at most half its length times sin θ. The angle comes
// from a point of the unit disc, so that no value of π goes into finding π.
void continuousBuffon(Sequence& sequence, std::uint64_t seed)
{
    Uniform uniform(seed);
    std::int64_t crossed = 0;
    for (std::size_t k = 0; k < sequence.values.size(); ++k) {
        const double distance = uniform();
        double u = 0, v = 0, r2 = 0;
        do {
            u = 2 * uniform() - 1;
            v = 2 * uniform() - 1;
            r2 = u * u + v * v;
        } while (r2 > 1 || r2 == 0);
        const double sine = std::fabs(v) / std::sqrt(r2);
        if (distance <= 0.5 * sine)
            ++crossed;
        sequence.values[k] = crossed != 0 ? double(k + 1) / double(crossed) : std::numeric_limits<double>::quiet_NaN();
    }
}

} // namespace

std::string_view shortName(Method method) { return names[std::size_t(method)]; }

const char* title(Method method) { return titles[std::size_t(method)]; }

std::optional<Method> methodNamed(std::string_view name)
{
    for (Method m : methods)
        if (shortName(m) == name)
            return m;
    return std::nullopt;
}

bool isExperiment(Method method) { return method == Method::MonteCarlo || method == Method::Buffon; }

std::int64_t firstStep(Method method) { return method == Method::Polygon ? 3 : 1; }

std::string valueText(Method method, double value)
{
    if (std::isnan(value))
        return {};
    return seriesRule(method) ? rt::Plain(value) : rt::Format14(value);
}

double error(double value) { return std::fabs(std::numbers::pi - value); }

double standardError(Method method, std::int64_t n)
{
    constexpr double pi = std::numbers::pi;
    switch (method) {
    case Method::MonteCarlo:
        // 4m/n with m binomial, p = π/4.
        return std::sqrt(pi * (4 - pi) / double(n));
    case Method::Buffon:
        // n/c with c binomial, p = 2l/(πd) = 1/π; to first order.
        return pi * std::sqrt((pi - 1) / double(n));
    default:
        return 0;
    }
}

std::string exactText(double value) { return digits::shortest(value); }

Sequence compute(Method method, std::int64_t last, std::uint64_t seed, Throws throws)
{
    Sequence sequence{method, firstStep(method), {}, 0, isExperiment(method) ? throws : Throws::Window};
    if (last >= sequence.first)
        sequence.values.resize(std::size_t(last - sequence.first + 1));
    if (const series::Rule* rule = seriesRule(method))
        runSeries(sequence, *rule);
    else if (method == Method::Polygon)
        for (std::int64_t k = sequence.first; k <= last; ++k)
            sequence.values[std::size_t(k - sequence.first)] = polygon::halfPerimeter(k);
    else if (method == Method::MonteCarlo)
        sequence.throws == Throws::Continuous ? continuousMonteCarlo(sequence, seed) : runMonteCarlo(sequence, seed);
    else
        sequence.throws == Throws::Continuous ? continuousBuffon(sequence, seed) : runBuffon(sequence, seed);
    return sequence;
}

Sequence circumscribedPolygons(std::int64_t last)
{
    Sequence sequence{Method::Polygon, firstStep(Method::Polygon), {}, 0, Throws::Window};
    for (std::int64_t k = sequence.first; k <= last; ++k)
        sequence.values.push_back(polygon::circumscribed(k));
    return sequence;
}

std::string csvHeader(Method method)
{
    return method == Method::Polygon ? "n,value,error,circumscribed\n" : "n,value,error\n";
}

std::string csvRow(const Sequence& sequence, std::int64_t n)
{
    const double value = sequence.at(n);
    std::string row = std::to_string(n) + ',';
    if (!std::isnan(value))
        // A continuous sequence's value has more digits than a window shows.
        row += (sequence.throws == Throws::Continuous ? exactText(value) : valueText(sequence.method, value)) + ','
            + exactText(error(value));
    else
        row += ',';
    if (sequence.method == Method::Polygon)
        row += ',' + rt::Format14(polygon::circumscribed(n));
    return row + '\n';
}

} // namespace compare
