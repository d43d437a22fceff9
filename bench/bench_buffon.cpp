// SPDX-License-Identifier: GPL-3.0-or-later
// Needles per second of a Buffon run in the real window, against a bare Qt
// loop that draws one needle and three label texts per pass on a
// QImage-backed widget and yields once per pass. Run under `xvfb-run -a`.
#include "experiments/Form20.h"
#include "ExperimentBench.h"

#include <QPainter>

#include <cmath>
#include <random>

namespace {

class Surface : public bench::ImageSurface {
public:
    using ImageSurface::ImageSurface;
    static QPoint toPixel(double x, double y)
    {
        return QPoint(int(std::lround(x * 1.745 / 15)), int(std::lround(y * 1.745 / 15)));
    }
};

class BareWindow : public bench::BareExperiment<Surface> {
public:
    BareWindow() : BareExperiment(QSize(369, 538), 353, 400) {}

    void run(int total)
    {
        surface->image.fill(Qt::white);
        {
            QPainter painter(&surface->image);
            painter.setPen(QColor(0, 0, 255));
            for (int line = 500; line <= 2500; line += 500)
                painter.drawLine(Surface::toPixel(0, line), Surface::toPixel(3000, line));
        }
        std::mt19937 random(1);
        std::uniform_real_distribution<float> uniform(0, 1);
        int crossed = 0;
        for (int i = 1; i <= total; ++i) {
            const double sx = std::floor(uniform(random) * 3001.0);
            const double sy = std::floor(uniform(random) * 2501.0 + 250);
            const double theta = uniform(random) * 2 * 3.141592;
            const double ex = sx + std::floor(250 * std::cos(theta));
            const double ey = sy + std::floor(250 * std::sin(theta));
            const double low = std::min(sy, ey), high = std::max(sy, ey);
            bool meets = false;
            for (int line = 500; line <= 2500; line += 500)
                meets = meets || (low <= line && line <= high);
            crossed += meets ? 1 : 0;
            {
                QPainter painter(&surface->image);
                painter.setPen(meets ? QColor(255, 0, 0) : QColor(0, 128, 0));
                painter.drawLine(Surface::toPixel(sx, sy), Surface::toPixel(ex, ey));
            }
            surface->update();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            labels[0]->setText(QStringLiteral("落とした針の総数＝ ") + QString::number(i) + QStringLiteral(" /  ")
                               + QString::number(total));
            labels[1]->setText(QStringLiteral("直線と交わった針の本数＝ ") + QString::number(crossed));
            if (crossed != 0)
                labels[2]->setText(QStringLiteral("π＝") + QString::number(double(float(i) / float(crossed)), 'f', 14));
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    return bench::compareExperiment<Form20, BareWindow>(argc, argv, "Buffon's needle window, needles per second", "needles", 400, 20000);
}
