// SPDX-License-Identifier: GPL-3.0-or-later
// The chart module's entry point: the program resolves this one symbol when
// a chart is first asked for.
#include "ChartsModule.h"
#include "ComparisonWindow.h"
#include "TraceChart.h"

namespace {

QWidget* createComparison(QWidget* parent) { return new compare::ComparisonWindow(parent); }

compare::Trace* createTrace(QWidget* parent) { return new compare::TraceChart(parent); }

const compare::ChartsModule module{3, createComparison, createTrace};

} // namespace

extern "C" __attribute__((visibility("default"))) const compare::ChartsModule* sorvena_charts_module() { return &module; }
