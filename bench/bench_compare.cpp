// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison window at its largest N: the eight methods computed to a
// million steps and drawn, from the choice of N to the painted chart,
// against a bare baseline in the same run that computes the same eight runs
// (in parallel, as the window does) and draws the same sampled points as eight polylines with QPainter on
// hand-made log–log axes. Run under `xvfb-run -a`.
#include "charts/ComparisonWindow.h"

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <future>
#include <vector>

namespace {

constexpr int rounds = 5;

class BarePlot : public QWidget {
public:
    std::vector<QPolygonF> lines;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), Qt::white);
        for (const QPolygonF& line : lines)
            painter.drawPolyline(line);
    }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double bareRun(BarePlot& plot, const std::vector<std::int64_t>& samples)
{
    QElapsedTimer clock;
    clock.start();
    plot.lines.clear();
    const double w = plot.width(), h = plot.height();
    std::vector<std::future<compare::Sequence>> sequences;
    for (compare::Method m : compare::methods)
        sequences.push_back(std::async(std::launch::async, [m] { return compare::compute(m, compare::maxSteps, 1); }));
    for (std::future<compare::Sequence>& pending : sequences) {
        const compare::Sequence sequence = pending.get();
        QPolygonF line;
        for (std::int64_t n : samples)
            if (n >= sequence.first && !std::isnan(sequence.at(n))) {
                const double e = std::clamp(compare::error(sequence.at(n)), 1e-16, 10.0);
                line.append({w * std::log10(double(n)) / 6, h * (1 - std::log10(e)) / 17});
            }
        plot.lines.push_back(line);
    }
    plot.repaint();
    QCoreApplication::processEvents();
    return clock.nsecsElapsed() / 1e9;
}

double windowRun(charts::ComparisonWindow& window)
{
    window.setSteps(compare::defaultSteps);
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    window.setSteps(compare::maxSteps);
    QCoreApplication::processEvents(); // the chart lays out its series
    window.chartView()->viewport()->repaint();
    QCoreApplication::processEvents();
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    charts::ComparisonWindow window;
    window.show();
    BarePlot plot;
    plot.resize(window.chartView()->size());
    plot.show();
    for (int i = 0; i < 100; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    std::vector<double> windowTimes, bareTimes;
    for (int r = 0; r < rounds; ++r) {
        windowTimes.push_back(windowRun(window));
        bareTimes.push_back(bareRun(plot, window.sampleSteps()));
    }
    const double w = median(windowTimes), b = median(bareTimes);
    std::printf("  N = %lld, median of %d: window %.3f s (computed and drawn), bare %.3f s, ratio %.2f\n",
                static_cast<long long>(compare::maxSteps), rounds, w, b, w / b);
    return 0;
}
