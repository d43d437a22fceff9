// SPDX-License-Identifier: GPL-3.0-or-later
// What the chart module (sorvena-charts.so) offers the program. Qt Charts
// and the libraries under it live only in the module, which the program
// loads when a chart is first asked for.
#pragma once

#include <QList>
#include <QPointF>

class QWidget;

namespace compare {

enum class TraceView {
    Linear,   // the estimate itself, where the Gregory–Leibniz zig-zag shows
    LogError, // |π − estimate| on logarithmic axes
};

// Lesson mode's live trace of a run: the estimate against the step n.
class Trace {
public:
    virtual ~Trace() = default;
    virtual QWidget* widget() = 0;
    virtual void setView(TraceView view) = 0;
    virtual void clear() = 0;
    // Points (n, estimate) that follow those given before.
    virtual void append(const QList<QPointF>& points) = 0;
};

struct ChartsModule {
    // Grows by fields at the end; a module built with fewer leaves the later
    // ones null.
    int fields;
    // The window that compares the eight methods, a top-level of its own.
    QWidget* (*createComparison)(QWidget* parent);
    // A live chart of one run, for lesson mode's controller.
    Trace* (*createTrace)(QWidget* parent);
};

} // namespace compare

// The module's one exported symbol.
#define SORVENA_CHARTS_ENTRY "sorvena_charts_module"
using SorvenaChartsEntry = const compare::ChartsModule* (*)();
