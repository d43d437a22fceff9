// SPDX-License-Identifier: GPL-3.0-or-later
// The class's chart: the pooled estimate of pi against the throws pooled,
// on a log axis, closing on a dashed line at pi inside the band that 1/√n
// predicts (±1.96 standard errors), and each pupil's own estimate as a dot
// at their own count: single estimates scatter, the pool does not.
#pragma once

#include "class/Session.h"
#include "rules/ClassThrows.h"

#include <QList>
#include <QWidget>

namespace classroom {

struct PupilPoint {
    std::uint64_t n = 0;
    double estimate = 0;
};

class PoolChart : public QWidget {
    Q_OBJECT
public:
    explicit PoolChart(QWidget* parent = nullptr);

    void setPool(classthrows::Experiment experiment, const QList<PoolPoint>& history, const QList<PupilPoint>& pupils);

    // Half the band's width at n throws: 1.96 standard errors of an
    // estimate from n throws of this experiment.
    static double halfBand(classthrows::Experiment experiment, double n);

    // The whole chart in `area`, for the screen and for the exports.
    void paint(QPainter& painter, const QRectF& area) const;
    // The chart as PNG, or SVG where the path ends in .svg.
    bool save(const QString& path, const QString& title, const QString& description) const;

    QSize sizeHint() const override { return {560, 380}; }
    QSize minimumSizeHint() const override { return {320, 220}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    classthrows::Experiment experiment_ = classthrows::Experiment::Points;
    QList<PoolPoint> history_;
    QList<PupilPoint> pupils_;
};

} // namespace classroom
