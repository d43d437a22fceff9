// SPDX-License-Identifier: GPL-3.0-or-later
// What the chart module (sorvena-charts.so) offers the program. Qt Charts
// and the libraries under it live only in the module, which the program
// loads when a chart is first asked for.
#pragma once

class QWidget;

namespace compare {

struct ChartsModule {
    // Grows by fields at the end; a module built with fewer leaves the later
    // ones null.
    int fields;
    // The window that compares the eight methods, a top-level of its own.
    QWidget* (*createComparison)(QWidget* parent);
    // A live chart of one run; null until a module provides it.
    QWidget* (*createTrace)(QWidget* parent);
};

} // namespace compare

// The module's one exported symbol.
#define SORVENA_CHARTS_ENTRY "sorvena_charts_module"
using SorvenaChartsEntry = const compare::ChartsModule* (*)();
