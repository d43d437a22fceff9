// SPDX-License-Identifier: GPL-3.0-or-later
// Needles per second of a Buffon run in the real window, against a bare Qt
// loop that draws one needle and three label texts per pass on a
// QImage-backed widget and yields once per pass. Run under `xvfb-run -a`.
#include "experiments/Form20.h"
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
    static QPoint toPixel(double x, double y)
    {
        return QPoint(int(std::lround(x * 1.745 / 15)), int(std::lround(y * 1.745 / 15)));
    }
};

class BareWindow : public QWidget {
public:
    BareWindow()
    {
        setFixedSize(369, 538);
        surface = new Surface(this, QRect(8, 32, 353, 353));
        QFont font;
        font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
        font.setPointSize(12);
        for (int i = 0; i < 3; ++i) {
            labels[i] = new QLabel(this);
            labels[i]->setGeometry(24, 400 + 32 * i, 321, 25);
            labels[i]->setFont(font);
            labels[i]->setFrameShape(QFrame::Box);
            labels[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        }
    }

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

    Form20 window;
    window.Show();
    waitExposed(window);
    window.Command5_Click();

    BareWindow bare;
    bare.show();
    waitExposed(bare);

    std::printf("Buffon's needle window, needles per second (real window vs bare Qt loop)\n");
    // One short run of each first, so fonts and caches are warm.
    services.reply = QStringLiteral("400");
    window.Command2_Click();
    bare.run(400);

    const auto windowRun = [&](int total) {
        services.reply = QString::number(total);
        window.Command2_Click();
    };
    const auto bareRun = [&](int total) { bare.run(total); };
    bench::compareRuns("needles", 2000, windowRun, bareRun);
    const double ratio = bench::compareRuns("needles", 20000, windowRun, bareRun);
    std::printf("ratio at 20000 needles: %.2f (target >= 0.80)\n", ratio);
    std::printf("last labels: %s | %s | %s\n", qPrintable(window.Label1->text()), qPrintable(window.Label2->text()),
                qPrintable(window.Label3->text()));
    platform::setServices(nullptr);
    return 0;
}
