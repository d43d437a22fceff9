// SPDX-License-Identifier: GPL-3.0-or-later
// Points per second of a Monte Carlo run in the real window, against a bare
// Qt loop that draws the same frame per pass on a QImage-backed widget and
// yields once per pass. Run under `xvfb-run -a`.
#include "experiments/Form19.h"
#include "rules/MonteCarloRules.h"
#include "ExperimentBench.h"

#include <QPainter>

#include <cmath>
#include <random>

namespace {

class Surface : public bench::ImageSurface {
public:
    using ImageSurface::ImageSurface;
    QPoint toPixel(double x, double y) const
    {
        return QPoint(int(std::lround(x * 1.745 / 15)), int(std::lround(y * 1.625 / 15)));
    }
    void dot(QPoint p, QRgb c) { plot(p.x(), p.y(), c); }
};

// The same frame, drawn the plain way.
class BareWindow : public bench::BareExperiment<Surface> {
public:
    BareWindow() : BareExperiment(QSize(369, 524), 329, 384) {}

    void run(int total)
    {
        surface->image.fill(Qt::white);
        std::mt19937 random(1);
        std::uniform_real_distribution<float> uniform(0, 1);
        const QRgb blue = qRgb(0, 0, 255);
        int inside = 0;
        for (int i = 1; i <= total; ++i) {
            for (double t = 0; t <= 6.283184; t += 0.01)
                surface->dot(surface->toPixel(float(1000 * std::cos(t) + 1500), float(1000 * std::sin(t) + 1500)), blue);
            {
                QPainter painter(&surface->image);
                painter.setPen(QColor(blue));
                const QPoint a = surface->toPixel(500, 500), b = surface->toPixel(2500, 500);
                const QPoint c = surface->toPixel(2500, 2500), d = surface->toPixel(500, 2500);
                painter.drawLine(a, b);
                painter.drawLine(b, c);
                painter.drawLine(c, d);
                painter.drawLine(d, a);
            }
            surface->update();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            const double x = std::floor(2001.0 * uniform(random) + 500);
            const double y = std::floor(2001.0 * uniform(random) + 500);
            const bool in = std::hypot(x - 1500, y - 1500) <= 1000;
            inside += in ? 1 : 0;
            surface->dot(surface->toPixel(x, y), in ? qRgb(255, 0, 0) : qRgb(0, 128, 0));
            labels[0]->setText(QStringLiteral("打った点の総数＝ ") + QString::number(i) + QStringLiteral(" /  ")
                               + QString::number(total));
            labels[1]->setText(QStringLiteral("円の内に入った点の個数＝ ") + QString::number(inside));
            labels[2]->setText(QStringLiteral("π＝") + QString::number(double(float(4 * inside) / float(i)), 'f', 14));
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    return bench::compareExperiment<Form19, BareWindow>(argc, argv, "Monte Carlo window, points per second", "points", 200, 10000);
}
