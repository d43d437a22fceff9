// SPDX-License-Identifier: GPL-3.0-or-later
// The live trace of a run: the estimate against the step n, with the line
// y = π. Drawn by the plotting module, which is loaded only in lesson mode.
#pragma once

#include <QList>
#include <QPointF>

class QWidget;

namespace lesson {

enum class TraceView {
    Linear,   // the estimate itself, where the Gregory–Leibniz zig-zag shows
    LogError, // |π − estimate| on a logarithmic axis
};

class Trace {
public:
    virtual ~Trace() = default;
    virtual QWidget* widget() = 0;
    virtual void setView(TraceView view) = 0;
    virtual void clear() = 0;
    // Points (n, estimate) that follow those given before.
    virtual void append(const QList<QPointF>& points) = 0;
};

} // namespace lesson
