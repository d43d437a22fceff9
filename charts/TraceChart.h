// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode's live trace of one run, drawn with Qt Charts in the chart
// module: the estimate against n with the line y = π, or the error
// |π − estimate| against n on logarithmic axes. Its context menu saves the
// chart for a handout (ChartExport), and the run's points that the program
// gives it.
#pragma once

#include "ChartsModule.h"

#include <QChartView>
#include <QList>
#include <QPointF>

#include <memory>

class QAction;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

namespace charts {

class TraceChart final : public QChartView, public Trace {
    Q_OBJECT
public:
    explicit TraceChart(QWidget* parent = nullptr);
    ~TraceChart() override;

    QWidget* widget() override { return this; }
    void setView(TraceView view) override;
    void clear() override;
    void append(const QList<QPointF>& points) override;
    void appendOuter(const QList<QPointF>& points) override;
    void setCompact(bool compact) override;
    void offerSaving(std::unique_ptr<TraceRecord> record) override;

    // The chart for print (.png or .svg), with the record's title and
    // description; the record's points as CSV.
    bool savePicture(const QString& path);
    bool saveCsv(const QString& path) const;

    TraceView view() const { return view_; }
    // What the curve of the view shown holds: at most a few points a column.
    const QLineSeries& curve() const;
    // The second curve of the view shown, empty for all but the polygons.
    const QLineSeries& outerCurve() const;
    // The axes shown in the error view, over the logarithms.
    const QValueAxis& decadeAxis(Qt::Orientation orientation) const
    {
        return orientation == Qt::Horizontal ? *decadesX_ : *decadesY_;
    }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void redraw();
    void showMenu(const QPoint& at);
    void pictureDialog();
    void csvDialog();

    TraceView view_ = TraceView::Linear;
    bool compact_ = false;
    double normalLabelPoints_ = 0;
    QList<QPointF> points_; // the whole run
    QList<QPointF> outerPoints_;
    // One chart a view; the view not shown keeps the other.
    QChart* linear_;
    QChart* logError_;
    std::unique_ptr<QChart> hidden_;
    QLineSeries* estimate_;
    QLineSeries* pi_;
    QLineSeries* error_;
    QLineSeries* outer_;
    QLineSeries* outerError_;
    QValueAxis* linearX_;
    QValueAxis* linearY_;
    // The error curve is drawn on logarithmic axes that are not shown; the
    // axes shown run over the logarithms, labelled 10ⁿ and never elided.
    QLogValueAxis* logX_;
    QLogValueAxis* logY_;
    QValueAxis* decadesX_;
    QValueAxis* decadesY_;
    std::unique_ptr<TraceRecord> record_; // none: no context menu
    QAction* savePicture_ = nullptr;
    QAction* saveCsv_ = nullptr;
};

} // namespace charts
