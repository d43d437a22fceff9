// SPDX-License-Identifier: GPL-3.0-or-later
// What the two experiment benchmarks share: the bare baseline's frame (a
// drawing surface over three framed labels) and the run of the real window
// against it.
#pragma once

#include "shell/Observers.h"
#include "BenchSupport.h"

#include <QApplication>
#include <QFont>
#include <QLabel>

#include <cstdio>
#include <memory>

namespace bench {

// The experiment windows' frame, drawn the plain way: `Surface` (an
// ImageSurface) at the window's place, the labels below it from `labelsTop`.
template <class Surface>
class BareExperiment : public QWidget {
public:
    BareExperiment(QSize size, int surfaceHeight, int labelsTop)
    {
        setFixedSize(size);
        surface = new Surface(this, QRect(8, 32, 353, surfaceHeight));
        QFont font;
        font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
        font.setPointSize(12);
        for (int i = 0; i < 3; ++i) {
            labels[i] = new QLabel(this);
            labels[i]->setGeometry(24, labelsTop + 32 * i, 321, 25);
            labels[i]->setFont(font);
            labels[i]->setFrameShape(QFrame::Box);
            labels[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        }
    }

    Surface* surface;
    QLabel* labels[3];
};

// Runs the experiment `Window` (解説 first, then 実験 answered with the
// count) against `Bare` (default-constructible, with run(count)): a warm-up
// run of each, then runs of a tenth of `total` and of `total`.
template <class Window, class Bare>
int compareExperiment(int argc, char** argv, const char* title, const char* unit, int warmUp, int total)
{
    QApplication app(argc, argv);
    shell::observeRuns(); // the narrator, as in the program
    platform::MMControl::setDeviceFactory([] { return std::make_unique<SilentDevice>(); });
    AnsweringServices services;
    platform::setServices(&services);

    Window window;
    window.Show();
    waitExposed(window);
    window.Command5_Click();

    Bare bare;
    bare.show();
    waitExposed(bare);

    std::printf("%s (real window vs bare Qt loop)\n", title);
    // One short run of each first, so fonts and caches are warm.
    services.reply = QString::number(warmUp);
    window.Command2_Click();
    bare.run(warmUp);

    const auto windowRun = [&](int count) {
        services.reply = QString::number(count);
        window.Command2_Click();
    };
    const auto bareRun = [&](int count) { bare.run(count); };
    compareRuns(unit, total / 10, windowRun, bareRun);
    const double ratio = compareRuns(unit, total, windowRun, bareRun);
    std::printf("ratio at %d %s: %.2f (target >= 0.80)\n", total, unit, ratio);
    std::printf("last labels: %s | %s | %s\n", qPrintable(window.Label1->text()), qPrintable(window.Label2->text()),
                qPrintable(window.Label3->text()));
    platform::setServices(nullptr);
    return 0;
}

} // namespace bench
