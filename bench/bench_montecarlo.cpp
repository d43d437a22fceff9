// SPDX-License-Identifier: GPL-3.0-or-later
// Points per second of a Monte Carlo run in the real window, against a bare
// Qt loop that draws the same frame per pass on a QImage-backed widget and
// yields once per pass. Run under `xvfb-run -a`.
#include "experiments/Form19.h"
#include "rules/MonteCarloRules.h"
#include "platform/MMControl.h"
#include "platform/Services.h"
#include "shell/Observers.h"
#include "BenchSupport.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QWindow>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

using bench::waitExposed;
using Silent = bench::SilentDevice;
using BenchServices = bench::AnsweringServices;

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
class BareWindow : public QWidget {
public:
    BareWindow()
    {
        setFixedSize(369, 524);
        surface = new Surface(this, QRect(8, 32, 353, 329));
        QFont font;
        font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
        font.setPointSize(12);
        for (int i = 0; i < 3; ++i) {
            labels[i] = new QLabel(this);
            labels[i]->setGeometry(24, 384 + 32 * i, 321, 25);
            labels[i]->setFont(font);
            labels[i]->setFrameShape(QFrame::Box);
            labels[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        }
    }

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

    Surface* surface;
    QLabel* labels[3];
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    shell::observeRuns(); // the narrator, as in the program
    platform::MMControl::setDeviceFactory([] { return std::make_unique<Silent>(); });
    BenchServices services;
    platform::setServices(&services);

    Form19 window;
    window.Show();
    waitExposed(window);
    window.Command5_Click();

    BareWindow bare;
    bare.show();
    waitExposed(bare);

    std::printf("Monte Carlo window, points per second (real window vs bare Qt loop)\n");
    // One short run of each first, so fonts and caches are warm.
    services.reply = QStringLiteral("200");
    window.Command2_Click();
    bare.run(200);

    const auto windowRun = [&](int total) {
        services.reply = QString::number(total);
        window.Command2_Click();
    };
    const auto bareRun = [&](int total) { bare.run(total); };
    bench::compareRuns("points", 1000, windowRun, bareRun);
    const double ratio = bench::compareRuns("points", 10000, windowRun, bareRun);
    std::printf("ratio at 10000 points: %.2f (target >= 0.80)\n", ratio);
    std::printf("last labels: %s | %s | %s\n", qPrintable(window.Label1->text()), qPrintable(window.Label2->text()),
                qPrintable(window.Label3->text()));
    platform::setServices(nullptr);
    return 0;
}
