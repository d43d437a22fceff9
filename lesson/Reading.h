// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode's reading of a run: the step and the value shown, the value's
// correct digits, the points of the trace, and what they say in words. Qt
// Core only: it is tested without a window.
#pragma once

#include "rules/ClassThrows.h"
#include "rules/Convergence.h"

#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <optional>

namespace lesson {

class Reading {
    // The controller's texts, translated as they always were.
    Q_DECLARE_TR_FUNCTIONS(lesson::LessonController)
public:
    // A run opens. A run that goes on from the last one of its window (the
    // polygons' manual steps are a run each) adds to its trace; that is
    // known at its first step. Any other run starts afresh. Both return
    // true when the trace was cleared.
    bool open(compare::Method method, bool sameWindow);
    // Step n, where the window shows `value` (if any), computed in single
    // or double precision; an experiment's value comes with its throws.
    bool step(std::int64_t n, std::optional<double> value, bool singlePrecision,
              std::optional<classthrows::Tally> tally = std::nullopt);
    void close() { firstStep_ = false; }
    // Forgets the value; the trace and n stay.
    void clearValue();
    // Forgets the value, the trace and n.
    void clear();

    // The method of the run shown.
    compare::Method method() const { return method_; }
    std::int64_t n() const { return n_; }
    // The value's digits as the window prints them at its precision (an
    // experiment's to its standard error's decimals), empty for none.
    const QString& digits() const { return digits_; }
    // The digits with the standard error of an experiment's estimate.
    QString valueText() const;
    int correct() const;
    const QList<QPointF>& points() const { return points_; }
    // The polygons outside the circle at the same steps, k·tan(π/k): the
    // bound from above beside the polygons' run; empty for the others.
    const QList<QPointF>& outerPoints() const { return outerPoints_; }

    // The digits as rich text, the correct ones marked.
    QString markedDigits() const;
    QString correctText() const;
    QString stepText() const;
    // Archimedes' bracket beside the polygons' run; empty for the others.
    QString bracketText() const;
    // The readings' accessible names.
    QString valueName() const;
    QString correctName() const;
    // All the readings in one sentence: value, correct digits, n, bracket.
    QString spokenReadings() const;
    // What the trace shows now, in the view named `view`, in words.
    QString traceDescription(const QString& view) const;
    // An error as a screen reader reads it well.
    static QString spokenError(double error);

    // The trace's points as CSV, a line each under a header that does not
    // change with the language: n; the value, to the digits of the
    // precision it was computed in; its error |π − value|; its correct
    // digits, as the controller counts them; an experiment's standard
    // error, as the controller shows it; and the polygons' bracket, as the
    // controller writes it.
    QString csv() const;

private:
    compare::Method method_ = compare::Method::Polygon;
    bool firstStep_ = false; // the run opened has told no step yet
    std::int64_t n_ = 0;     // the last step of the run shown
    QString digits_;
    QString error_;                        // the standard error's text
    std::optional<double> standardError_; // an experiment's
    QList<QPointF> points_;
    QList<QPointF> outerPoints_;
    bool singlePrecision_ = false; // the precision of the run's values
    // An experiment's standard error at each point (NaN for none); none
    // kept for the other methods, whose runs may be millions of steps.
    QList<double> standardErrors_;
};

} // namespace lesson
