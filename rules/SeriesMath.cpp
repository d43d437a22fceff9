// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeriesMath.h"

#include <cmath>

namespace series {

namespace {

double intPart(double x) { return std::floor(x); }

// ---- Matsunaga 1 --------------------------------------------------------
LoopRange matsunaga1Range(double n) { return {1, n - 1, 1}; }
double matsunaga1Counter(double i, double) { return i + 1; }
void matsunaga1Update(State& state, double i)
{
    state.t = ((state.t * i) * i) / ((2 * i + 1) * (2 * i + 2));
    state.s = state.t + state.s;
}
double matsunaga1Result(const State& state) { return std::sqrt(state.s * 9); }

// ---- Matsunaga 2 --------------------------------------------------------
LoopRange matsunaga2Range(double n) { return {1, 2 * n - 2, 2}; }
double matsunaga2Counter(double i, double) { return intPart(i / 2) + 2; }
void matsunaga2Update(State& state, double i)
{
    state.t = ((state.t * i) * i) / ((2 * i + 2) * (2 * i + 4));
    state.s = state.t + state.s;
}
double matsunaga2Result(const State& state) { return state.s * 3; }

// ---- Wallis ---------------------------------------------------------------
LoopRange wallisRange(double n) { return {1, intPart(n / 2), 1}; }
double wallisCounter(double i, double n)
{
    // An odd n makes the counter run 3, 5, 7, ... so that it ends at n.
    return intPart(n / 2) != n / 2 ? 2 * i + 1 : 2 * i;
}
void wallisUpdate(State& state, double i)
{
    const double f = ((2 * i) * 2) * i;
    state.p = (state.p * f) / ((2 * i - 1) * (2 * i + 1));
}
double wallisResult(const State& state) { return state.p + state.p; }

// ---- Gregory-Leibniz and Euler: alternating signs --------------------------
double sign(double i) { return i - 2 * intPart(i / 2) == 0 ? -1.0 : 1.0; }

LoopRange oneToN(double n) { return {1, n, 1}; }
double termNumber(double i, double) { return i; }

void gregoryLeibnizUpdate(State& state, double i) { state.s = state.s + sign(i) / (2 * i - 1); }
double gregoryLeibnizResult(const State& state) { return state.s * 4; }

void eulerUpdate(State& state, double i) { state.s = state.s + sign(i) / (i * i); }
double eulerResult(const State& state) { return std::sqrt(state.s * 12); }

} // namespace

const Rule matsunaga1{{.t = 1, .s = 1}, matsunaga1Range, matsunaga1Counter, matsunaga1Update, matsunaga1Result};
const Rule matsunaga2{{.t = 1, .s = 1}, matsunaga2Range, matsunaga2Counter, matsunaga2Update, matsunaga2Result};
const Rule wallis{{.p = 1}, wallisRange, wallisCounter, wallisUpdate, wallisResult};
const Rule gregoryLeibniz{{}, oneToN, termNumber, gregoryLeibnizUpdate, gregoryLeibnizResult};
const Rule euler{{}, oneToN, termNumber, eulerUpdate, eulerResult};

} // namespace series
