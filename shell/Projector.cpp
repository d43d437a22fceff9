// SPDX-License-Identifier: GPL-3.0-or-later
#include "Projector.h"

#include "Form1.h"
#include "Form7.h"
#include "experiments/Form19.h"
#include "experiments/Form20.h"
#include "polygon/Form18.h"
#include "series/Form10.h"
#include "series/Form15.h"
#include "series/Form16.h"
#include "series/Form17.h"
#include "series/Form9.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace shell {

namespace {
// No window exists yet to measure, so the frame is that of the common
// desktops: borders of a few pixels and a title bar of up to about 35.
constexpr QSize kFrame{16, 40};
constexpr double kLargest = 3;
} // namespace

QSize largestClientArea()
{
    // No window exists yet when the scale is chosen: their designs tell.
    QSize largest;
    for (const platform::Twips& area :
         {Form1::designArea(), Form7::designArea(), Form9::designArea(), Form10::designArea(), Form15::designArea(),
          Form16::designArea(), Form17::designArea(), Form18::designArea(), Form19::designArea(), Form20::designArea()})
        largest = largest.expandedTo(QSize(platform::px(area.width), platform::px(area.height)));
    return largest;
}

double projectorScale(QSize available, QSize client, QSize frame)
{
    if (client.isEmpty())
        return 1;
    const double across = double(available.width() - frame.width()) / client.width();
    const double down = double(available.height() - frame.height()) / client.height();
    const double fits = std::floor(std::min(across, down) * 20 + 1e-9) / 20;
    return std::clamp(fits, 1.0, kLargest);
}

Needed neededArea(QSize beside)
{
    const QSize largest = largestClientArea();
    if (beside.isEmpty())
        return {largest, kFrame};
    return {QSize(largest.width() + lesson::besideGap + beside.width(), std::max(largest.height(), beside.height())),
            QSize(2 * kFrame.width(), kFrame.height())};
}

Choice projectorChoice(QSize available, bool lesson)
{
    const auto scaleBeside = [available](QSize beside) {
        const Needed needed = neededArea(beside);
        return projectorScale(available, needed.client, needed.frame);
    };
    if (!lesson)
        return {scaleBeside({}), lesson::Layout::Full};
    const double full = scaleBeside(lesson::controllerArea);
    const double compact = scaleBeside(lesson::compactControllerArea);
    if (compact > full)
        return {compact, lesson::Layout::Compact};
    return {full, lesson::Layout::Full};
}

lesson::Layout setProjectorScale(int argc, char* argv[], bool lesson, QSize alone)
{
    // The screen as it is, whatever scale an earlier start asked for.
    qunsetenv("QT_SCALE_FACTOR");
    QSize available;
    {
        // A copy: the application takes Qt's own arguments out of what it
        // is given, and the program's own application must see them too.
        int probeArgc = argc;
        std::vector<char*> probeArgv(argv, argv + argc);
        probeArgv.push_back(nullptr);
        QGuiApplication probe(probeArgc, probeArgv.data());
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            available = screen->availableGeometry().size();
    }
    if (available.isEmpty())
        return lesson::Layout::Full;
    const Choice choice = alone.isEmpty() ? projectorChoice(available, lesson)
                                          : Choice{projectorScale(available, alone, kFrame), lesson::Layout::Full};
    qputenv("QT_SCALE_FACTOR", QByteArray::number(choice.scale));
    return choice.controller;
}

} // namespace shell
