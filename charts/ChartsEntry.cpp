// SPDX-License-Identifier: GPL-3.0-or-later
// The chart module's entry point: the program resolves this one symbol when
// a chart is first asked for.
#include "ChartsModule.h"
#include "ComparisonWindow.h"
#include "Faces.h"
#include "TraceChart.h"
#include "Voice.h"

namespace {

QWidget* createComparison(QWidget* parent) { return new charts::ComparisonWindow(parent); }

charts::Trace* createTrace(QWidget* parent) { return new charts::TraceChart(parent); }

const charts::ChartsModule module{createComparison, createTrace, charts::setVoice, charts::setLargeNumbers};

} // namespace

extern "C" __attribute__((visibility("default"))) const charts::ChartsModule* sorvena_charts_module() { return &module; }
