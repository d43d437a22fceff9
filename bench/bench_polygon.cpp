// Polygons per second of an automatic run up to the 1000-gon in the real
// polygon window, against a bare Qt loop that draws the same 629 dots and
// k edges into a QImage-backed widget, sets two labels and processes events
// once per pass. Run under `xvfb-run -a`.
#include "platform/MMControl.h"
#include "platform/Services.h"
#include "polygon/Form18.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr int lastPolygon = 1000;
constexpr int passes = lastPolygon - 2;
constexpr int rounds = 5;

class AnsweringServices : public platform::Services {
public:
    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override
    {
        return QString::number(lastPolygon);
    }
};

class SilentDevice : public platform::SoundDevice {
public:
    void open(const QString&) override {}
    void close() override {}
    void stop() override {}
    void sound() override {}
    void play() override {}
};

// The baseline's drawing surface: a retained image shown by paintEvent.
class ImageWidget : public QWidget {
public:
    explicit ImageWidget(QWidget* parent) : QWidget(parent), image(343, 343, QImage::Format_RGB32)
    {
        setGeometry(8 + 2, 32 + 2, 343, 343);
        setAttribute(Qt::WA_OpaquePaintEvent);
        image.fill(Qt::white);
    }
    QImage image;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, image);
    }
};

void plot(QImage& image, int x, int y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
}

void line(QImage& image, int x0, int y0, int x1, int y1, QRgb colour)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        plot(image, x0, y0, colour);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

int toPixel(double units)
{
    return int(std::lround(units * 8.0390625 / 15.0));
}

double bareRun(ImageWidget& surface, QLabel& name, QLabel& value)
{
    QElapsedTimer clock;
    clock.start();
    for (int k = 3; k <= lastPolygon; ++k) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        surface.image.fill(Qt::white);
        for (double t = 0; t <= 6.28318530717958; t += 0.01)
            plot(surface.image, toPixel(200 * std::cos(t) + 320), toPixel(200 * std::sin(t) + 320), qRgb(0, 0, 128));
        name.setText(QStringLiteral("正 %1角形").arg(k));
        const double theta = 6.28318530717958 / k;
        value.setText(QStringLiteral("πの近似値＝") + QString::number(k * std::sin(theta / 2), 'f', 14));
        int x = toPixel(520), y = toPixel(320);
        double a = 0;
        for (int i = 0; i < k; ++i) {
            a += theta;
            const int nx = toPixel(200 * std::cos(a) + 320), ny = toPixel(200 * std::sin(a) + 320);
            line(surface.image, x, y, nx, ny, qRgb(255, 0, 0));
            x = nx;
            y = ny;
        }
        surface.update();
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return clock.nsecsElapsed() / 1e9;
}

double realRun(Form18& window)
{
    QElapsedTimer clock;
    clock.start();
    window.Command2->click();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    AnsweringServices services;
    platform::setServices(&services);
    platform::MMControl::setDeviceFactory([] { return std::make_unique<SilentDevice>(); });

    Form18 form;
    form.Show();
    form.Command6->click();
    for (int i = 0; i < 9; ++i)
        form.Command5->click();

    QWidget bare;
    bare.setFixedSize(366, 504);
    bare.move(form.pos() + QPoint(400, 0));
    ImageWidget surface(&bare);
    QLabel name(&bare), value(&bare);
    name.setGeometry(32, 392, 305, 25);
    value.setGeometry(32, 432, 305, 25);
    for (QLabel* label : {&name, &value}) {
        label->setFrameShape(QFrame::Box);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFont(form.Label1->font());
    }
    bare.show();
    QCoreApplication::processEvents();

    // Interleaved rounds; the best of each side counts.
    double bestReal = 1e300, bestBare = 1e300;
    for (int round = 0; round < rounds; ++round) {
        bestReal = std::min(bestReal, realRun(form));
        bestBare = std::min(bestBare, bareRun(surface, name, value));
    }
    if (form.Label1->caption() != QStringLiteral("正 1000角形")) {
        std::fprintf(stderr, "the run did not reach the 1000-gon\n");
        return 1;
    }

    const double realRate = passes / bestReal;
    const double bareRate = passes / bestBare;
    std::printf("automatic run to the %d-gon (%d polygons, best of %d)\n", lastPolygon, passes, rounds);
    std::printf("  Form18:   %8.1f polygons/s (%.3f s)\n", realRate, bestReal);
    std::printf("  bare Qt:  %8.1f polygons/s (%.3f s)\n", bareRate, bestBare);
    std::printf("  ratio:    %8.3f (target >= 0.8)\n", realRate / bareRate);
    platform::setServices(nullptr);
    return 0;
}
