// SPDX-License-Identifier: GPL-3.0-or-later
// Passes per second of a 10000-term run in the Matsunaga window (one yield
// and two label repaints per pass) against a bare Qt loop that sets two
// QLabel texts and processes events once per pass, in the same run; and the
// peak memory. Runs under Xvfb (bench/run.sh) or offscreen.
#include "platform/Controls.h"
#include "platform/MMControl.h"
#include "platform/Services.h"
#include "shell/Observers.h"
#include "BenchSupport.h"
#include "series/Form9.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using bench::peakKiB;
using Silent = bench::SilentDevice;

constexpr int terms = 10000;
constexpr int rounds = 3;


// Two labels like the window's counter and result, in a window of its size.
double bareRate()
{
    QWidget frame;
    frame.setFixedSize(platform::px(9015), platform::px(5475));
    QLabel result(&frame), counter(&frame);
    result.setGeometry(platform::pxRect(480, 4000, 4215, 375));
    counter.setGeometry(platform::pxRect(5160, 4000, 3375, 375));
    result.setFont(platform::japaneseFont(platform::Face::Gothic, 15.75));
    counter.setFont(platform::japaneseFont(platform::Face::Gothic, 12));
    result.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    counter.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    frame.show();
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    // The same values as the window's, so both repaint the result label
    // equally often (it stops changing after about twenty terms).
    double t = 1, s = 1;
    for (int i = 1; i < terms; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        counter.setText(QString::number(i + 1) + QStringLiteral(" / ") + QString::number(terms));
        t = t * i * i / ((2.0 * i + 1) * (2.0 * i + 2));
        s = t + s;
        result.setText(QStringLiteral("π＝") + QString::number(std::sqrt(s * 9), 'g', 15));
    }
    return (terms - 1) / (clock.nsecsElapsed() * 1e-9);
}

double windowRate(Form9& window)
{
    window.Command5->click(); // the explanation arms "計　　算"
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    window.Command2->click(); // returns when the run has ended
    return (terms - 1) / (clock.nsecsElapsed() * 1e-9);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    shell::observeRuns(); // the narrator, as in the program
    QApplication::setFont(platform::japaneseFont(platform::Face::Gothic, 9));
    platform::MMControl::setDeviceFactory([] { return std::make_unique<Silent>(); });
    bench::AnsweringServices services;
    services.reply = QString::number(terms);
    platform::setServices(&services);

    Form9 window;
    window.Show();
    QCoreApplication::processEvents();

    std::vector<double> bare, real;
    for (int round = 0; round < rounds; ++round) {
        bare.push_back(bareRate());
        real.push_back(windowRate(window));
    }
    const double b = median(bare), r = median(real);
    std::printf("series run (%d terms, Form9): %.0f passes/s\n", terms, r);
    std::printf("bare Qt loop (2 labels + processEvents): %.0f passes/s\n", b);
    std::printf("ratio window/bare: %.2f (target >= 0.8)\n", r / b);
    std::printf("last counter: %s   result: %s\n", qPrintable(window.Label2->text()), qPrintable(window.Label3->text()));
    const long peakAfterShort = peakKiB();
    // Ten times the terms: the peak must not move.
    services.reply = QString::number(terms * 10);
    window.Command5->click();
    window.Command2->click();
    std::printf("peak RSS (VmHWM): %ld KiB after %d-term runs, %ld KiB after a %d-term run\n", peakAfterShort, terms,
                peakKiB(), terms * 10);
    platform::setServices(nullptr);
    return 0;
}
