// SPDX-License-Identifier: GPL-3.0-or-later
// What the benchmarks share: a silent player device, services that answer
// the input box, the peak memory of the process, and the bare baseline's
// drawing surface (a retained image, plotted and lined by hand).
#pragma once

#include "platform/MMControl.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace bench {

class SilentDevice : public platform::SoundDevice {
public:
    void open(const QString&) override {}
    void close() override {}
    void stop() override {}
    void sound() override {}
    void play() override {}
};

// Answers every input box with `reply` and every question with No;
// everything else is the real thing.
class AnsweringServices : public platform::Services {
public:
    QString reply;
    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override { return reply; }
    int msgBox(QWidget*, const QString&, const QString&) override { return platform::vbNo; }
    void beep() override {}
};

// Peak resident memory so far, in KiB.
inline long peakKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Times one run of `total` steps in the real window, then the same in the
// bare loop; prints both rates, their ratio and the peak memory after each,
// and returns the ratio.
template <class WindowRun, class BareRun>
double compareRuns(const char* unit, int total, WindowRun windowRun, BareRun bareRun)
{
    QElapsedTimer clock;
    clock.start();
    windowRun(total);
    const double windowRate = total / (clock.nsecsElapsed() / 1e9);
    const long afterWindow = peakKiB();

    clock.restart();
    bareRun(total);
    const double bareRate = total / (clock.nsecsElapsed() / 1e9);
    std::printf("  %5d %s: window %8.0f /s, bare %8.0f /s, ratio %.2f, peak RSS after window run %ld kB, "
                "after both %ld kB\n",
                total, unit, windowRate, bareRate, windowRate / bareRate, afterWindow, peakKiB());
    return windowRate / bareRate;
}

inline void waitExposed(QWidget& w)
{
    for (int i = 0; i < 1000 && !(w.windowHandle() && w.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The baseline's surface: a white image inside a 2-pixel margin, shown by
// paintEvent, drawn pixel by pixel.
class ImageSurface : public QWidget {
public:
    ImageSurface(QWidget* parent, QRect outer)
        : QWidget(parent), image(outer.size() - QSize(4, 4), QImage::Format_RGB32)
    {
        setGeometry(outer);
        setAttribute(Qt::WA_OpaquePaintEvent);
        image.fill(Qt::white);
    }

    void plot(int x, int y, QRgb colour)
    {
        if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
            reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
    }

    void line(QPoint a, QPoint b, QRgb colour)
    {
        int x0 = a.x(), y0 = a.y();
        const int dx = std::abs(b.x() - x0), sx = x0 < b.x() ? 1 : -1;
        const int dy = -std::abs(b.y() - y0), sy = y0 < b.y() ? 1 : -1;
        for (int error = dx + dy;;) {
            plot(x0, y0, colour);
            if (x0 == b.x() && y0 == b.y())
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

    QImage image;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(2, 2, image);
    }
};

} // namespace bench
