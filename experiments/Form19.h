// SPDX-License-Identifier: GPL-3.0-or-later
// The Monte Carlo window: random points in a square with its inscribed
// circle, counted and turned into the estimate 4m / n.
#pragma once

#include "ExperimentWindow.h"

#include <cstdint>

class Form19 : public experiments::ExperimentWindow {
    Q_OBJECT
public:
    Form19();
    // The client area of the window's design, known before any window exists.
    static platform::Twips designArea();

    std::int16_t PointIndex = 0;
    std::int16_t InsideCount = 0;
    double PointTotal = 0;

    void Command2_Click() override;

private:
    void drawFigure();
};
