// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of the five series, term by term, in plain C++. Every
// operation is a double operation, in the order the windows evaluate it, so
// the displayed digits come out the same on every run.
#pragma once

namespace series {

// The accumulators of one run: current term t and partial sum s, or the
// running product p.
struct State {
    double t = 0;
    double s = 0;
    double p = 0;
};

// Values taken by the loop counter i: first, first + step, ... while i <= last.
// The counter is a double so that any count a user can type runs without
// overflow; it would only stall beyond 2^53 passes.
struct LoopRange {
    double first;
    double last;
    double step;
};

struct Rule {
    State start;
    LoopRange (*range)(double n);        // n already made whole
    double (*counter)(double i, double n); // the term number the counter label shows
    void (*update)(State& state, double i);
    double (*result)(const State& state);  // the value after "π＝"
};

// Matsunaga 1: pi^2 = 9 (1 + 1^2/(3*4) + ...), i = 1 .. n - 1.
extern const Rule matsunaga1;
// Matsunaga 2: pi = 3 (1 + 1^2/(4*6) + ...), odd i = 1, 3, .. <= 2n - 2.
extern const Rule matsunaga2;
// Wallis: pi = 2 (2*2*4*4...)/(1*3*3*5...), i = 1 .. Int(n / 2).
extern const Rule wallis;
// Gregory-Leibniz: pi/4 = 1 - 1/3 + 1/5 - ..., i = 1 .. n.
extern const Rule gregoryLeibniz;
// Euler: pi^2 = 12 (1/1^2 - 1/2^2 + ...), i = 1 .. n.
extern const Rule euler;

} // namespace series
