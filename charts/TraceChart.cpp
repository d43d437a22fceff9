// SPDX-License-Identifier: GPL-3.0-or-later
#include "TraceChart.h"

#include "ChartExport.h"
#include "Faces.h"
#include "rules/Convergence.h"
#include "rules/Ticks.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGraphicsLayout>
#include <QKeyEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMenu>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace charts {

namespace {

// Beyond twice this many points a curve holds each column's lowest and
// highest point only, so that a run of a million steps draws as fast as
// one of a thousand and the zig-zag's envelope stays.
constexpr qsizetype columns = 400;

QList<QPointF> thinned(const QList<QPointF>& points)
{
    if (points.size() <= 2 * columns)
        return points;
    QList<QPointF> kept;
    kept.reserve(2 * columns + 1);
    const qsizetype per = (points.size() + columns - 1) / columns;
    for (qsizetype from = 0; from < points.size(); from += per) {
        const auto begin = points.begin() + from;
        const auto end = points.begin() + std::min(from + per, points.size());
        const auto [low, high] = std::minmax_element(begin, end, [](QPointF a, QPointF b) { return a.y() < b.y(); });
        kept << *std::min(low, high) << *std::max(low, high); // in the order of n
    }
    kept << points.last();
    return kept;
}

QChart* newChart(std::initializer_list<QLineSeries*> series, QAbstractAxis* x, QAbstractAxis* y)
{
    auto* chart = new QChart;
    // Room on the right for the last label on the axis's end.
    chart->setMargins(QMargins(2, 2, 12, 2));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* s : series) {
        chart->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    }
    return chart;
}

// A value axis's range and ticks, in the order that never has it lay out
// more than a few ticks on the way: a wide range with the fine ticks of a
// narrow one would have it make thousands.
void setTicks(QValueAxis& axis, const ticks::Axis& to)
{
    if (to.step >= axis.tickInterval()) {
        axis.setTickInterval(to.step);
        axis.setTickAnchor(to.low);
        axis.setRange(to.low, to.high);
    } else {
        axis.setRange(to.low, to.high);
        axis.setTickAnchor(to.low);
        axis.setTickInterval(to.step);
    }
}

} // namespace

TraceChart::TraceChart(QWidget* parent)
    : QChartView(parent)
    , estimate_(new QLineSeries)
    , pi_(new QLineSeries)
    , error_(new QLineSeries)
    , outer_(new QLineSeries)
    , outerError_(new QLineSeries)
    , linearX_(new QValueAxis)
    , linearY_(new QValueAxis)
    , logX_(new QLogValueAxis)
    , logY_(new QLogValueAxis)
    , decadesX_(new QValueAxis)
    , decadesY_(new QValueAxis)
{
    setObjectName(QStringLiteral("trace"));
    setAccessibleName(tr("推定値のグラフ"));
    setRenderHint(QPainter::Antialiasing);
    const QPen curve(QColor(0, 0, 200), 1.5);
    pi_->setName(tr("π"));
    pi_->setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
    estimate_->setName(tr("推定値"));
    estimate_->setPen(curve);
    error_->setName(tr("誤差"));
    error_->setPen(curve);
    // The same colour, dashed: the other bound of the same polygons.
    const QPen outer(QColor(0, 0, 200), 1.5, Qt::DashLine);
    outer_->setName(tr("外接正多角形"));
    outer_->setPen(outer);
    outerError_->setName(outer_->name());
    outerError_->setPen(outer);
    linearX_->setLabelFormat(QStringLiteral("%d"));
    for (QValueAxis* axis : {linearX_, linearY_})
        axis->setTickType(QValueAxis::TicksDynamic);
    for (QLogValueAxis* axis : {logX_, logY_}) {
        axis->setBase(10);
        axis->setVisible(false);
    }
    for (QValueAxis* axis : {decadesX_, decadesY_}) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
        axis->setTickInterval(1);
        axis->setMinorTickCount(0);
        // 10 with the exponent raised: the labels are rich text.
        axis->setLabelFormat(QStringLiteral("10<sup>%lld</sup>"));
    }
    for (QValueAxis* axis : {linearX_, linearY_, decadesX_, decadesY_}) {
        axis->setTruncateLabels(false);
        axis->setLabelsFont(numberFont(axis->labelsFont()));
    }
    normalLabelPoints_ = linearX_->labelsFont().pointSizeF();
    linearX_->setTitleText(tr("ｎ"));
    decadesX_->setTitleText(tr("ｎ"));
    linearY_->setTitleText(tr("値"));
    decadesY_->setTitleText(tr("誤差 |π－値|"));
    linear_ = newChart({pi_, estimate_, outer_}, linearX_, linearY_);
    logError_ = newChart({error_, outerError_}, logX_, logY_);
    logError_->addAxis(decadesX_, Qt::AlignBottom);
    logError_->addAxis(decadesY_, Qt::AlignLeft);
    logError_->legend()->setVisible(false);
    // Its markers drawn as the lines are: both polygons share the colour.
    linear_->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    // The view made a chart of its own, which it lets go of unowned.
    const std::unique_ptr<QChart> initial(chart());
    setChart(linear_);
    hidden_.reset(logError_);
    redraw();
}

TraceChart::~TraceChart() = default;

const QLineSeries& TraceChart::curve() const { return view_ == TraceView::Linear ? *estimate_ : *error_; }

const QLineSeries& TraceChart::outerCurve() const { return view_ == TraceView::Linear ? *outer_ : *outerError_; }

void TraceChart::setView(TraceView view)
{
    if (view == view_)
        return;
    view_ = view;
    QChart* shown = view == TraceView::Linear ? linear_ : logError_;
    hidden_.release();
    hidden_.reset(chart());
    setChart(shown);
    redraw();
}

void TraceChart::clear()
{
    points_.clear();
    outerPoints_.clear();
    redraw();
}

void TraceChart::append(const QList<QPointF>& points)
{
    points_ += points;
    redraw();
}

void TraceChart::appendOuter(const QList<QPointF>& points)
{
    outerPoints_ += points;
    redraw();
}

void TraceChart::setCompact(bool compact)
{
    compact_ = compact;
    for (QChart* chart : {linear_, logError_}) {
        chart->setMargins(compact ? QMargins(0, 2, 12, 0) : QMargins(2, 2, 12, 2));
        chart->setBackgroundRoundness(compact ? 0 : 4);
        chart->layout()->setContentsMargins(compact ? 0 : 9, compact ? 0 : 9, compact ? 0 : 9, compact ? 0 : 9);
        for (QAbstractAxis* axis : chart->axes())
            axis->setTitleVisible(!compact);
    }
    linear_->legend()->setVisible(!compact);
    // The compact chart is the projector's.
    for (QValueAxis* axis : {linearX_, linearY_, decadesX_, decadesY_}) {
        QFont font = axis->labelsFont();
        if (compact)
            font.setPixelSize(largeNumberPixels);
        else
            font.setPointSizeF(normalLabelPoints_);
        axis->setLabelsFont(font);
    }
    redraw();
}

void TraceChart::offerSaving(std::unique_ptr<TraceRecord> record)
{
    record_ = std::move(record);
    if (savePicture_)
        return;
    savePicture_ = new QAction(tr("グラフを画像で保存…"), this);
    savePicture_->setObjectName(QStringLiteral("savePicture"));
    saveCsv_ = new QAction(tr("点を CSV で保存…"), this);
    saveCsv_->setObjectName(QStringLiteral("saveCsv"));
    connect(savePicture_, &QAction::triggered, this, &TraceChart::pictureDialog);
    connect(saveCsv_, &QAction::triggered, this, &TraceChart::csvDialog);
}

bool TraceChart::savePicture(const QString& path)
{
    return writePicture(*this, path, record_ ? record_->title() : QString(),
                        record_ ? record_->description() : QString());
}

bool TraceChart::saveCsv(const QString& path) const { return record_ && writeCsv(path, record_->csv()); }

void TraceChart::contextMenuEvent(QContextMenuEvent* event)
{
    if (!record_) {
        QChartView::contextMenuEvent(event);
        return;
    }
    // From the keyboard, over the chart rather than wherever the pointer is.
    showMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : mapToGlobal(rect().center()));
}

void TraceChart::keyPressEvent(QKeyEvent* event)
{
    // Shift+F10, the menu key of keyboards without one.
    if (record_ && event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        showMenu(mapToGlobal(rect().center()));
        return;
    }
    QChartView::keyPressEvent(event);
}

void TraceChart::showMenu(const QPoint& at)
{
    saveCsv_->setEnabled(!points_.isEmpty());
    QMenu::exec({savePicture_, saveCsv_}, at, nullptr, this);
}

void TraceChart::pictureDialog()
{
    const QString path = ChartFiles::askPicture(this, tr("グラフを画像で保存"), record_->fileName() + QStringLiteral(".png"));
    if (!path.isEmpty())
        ChartFiles::saved(this, path, savePicture(path));
}

void TraceChart::csvDialog()
{
    const QString path = ChartFiles::askCsv(this, tr("点を CSV で保存"), record_->fileName() + QStringLiteral(".csv"));
    if (!path.isEmpty())
        ChartFiles::saved(this, path, saveCsv(path));
}

void TraceChart::redraw()
{
    const int wantedTicks = compact_ ? 3 : 4;
    const double pi = std::numbers::pi;
    const double lastN = points_.isEmpty() ? 10 : std::max(10.0, points_.last().x());
    QList<QPointF> shown = thinned(points_);
    QList<QPointF> outerShown = thinned(outerPoints_);
    // Named in the legend only while it is drawn.
    for (QLegendMarker* marker : linear_->legend()->markers(outer_))
        marker->setVisible(!outerPoints_.isEmpty());
    if (view_ == TraceView::Linear) {
        double low = pi, high = pi;
        for (const QPointF& p : shown + outerShown) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
        // n counts steps: whole ticks.
        const ticks::Axis x = ticks::linear(0, lastN, wantedTicks, true);
        setTicks(*linearX_, x);
        const ticks::Axis y = ticks::linear(low, high, wantedTicks, false);
        setTicks(*linearY_, y);
        linearY_->setLabelFormat(QStringLiteral("%.%1f").arg(y.decimals));
        pi_->replace({QPointF(x.low, pi), QPointF(x.high, pi)});
        estimate_->replace(shown);
        outer_->replace(outerShown);
        return;
    }
    double low = 1, high = 1e-3;
    for (QList<QPointF>* points : {&shown, &outerShown})
        for (QPointF& p : *points) {
            p.setY(std::max(std::abs(p.y() - pi), compare::errorFloor));
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    // Whole decades, at most a few labelled, so that no label is crowded out.
    const std::vector<int> x = ticks::decades(1, lastN, wantedTicks + 1);
    const std::vector<int> y = ticks::decades(low, high, wantedTicks + 1);
    // Workaround(Qt 6.4): a log axis ignores a range change of less than about 1e-12.
    // Qt's logarithmic domain takes a new range only when it moves by more
    // than about 1e-12 in absolute terms: drawn a step at a time, the curve
    // kept an old range under the new labels, lower than it is. Passing by
    // a range far from both makes it take each new one.
    for (QLogValueAxis* axis : {logX_, logY_})
        axis->setRange(1e6, 1e7);
    logX_->setRange(std::pow(10, x.front()), std::pow(10, x.back()));
    logY_->setRange(std::pow(10, y.front()), std::pow(10, y.back()));
    const auto label = [](QValueAxis& axis, const std::vector<int>& decades) {
        const int every = decades.size() > 1 ? decades[1] - decades[0] : 1;
        setTicks(axis, {double(decades.front()), double(decades.back()), double(every), 0});
    };
    label(*decadesX_, x);
    label(*decadesY_, y);
    error_->replace(shown);
    outerError_->replace(outerShown);
}

} // namespace charts
