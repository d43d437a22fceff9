// SPDX-License-Identifier: GPL-3.0-or-later
// The Buffon's needle window: needles of half the line spacing dropped on
// five ruled lines; dropped / crossed estimates pi.
#pragma once

#include "ExperimentWindow.h"

#include <cstdint>

class Form20 : public experiments::ExperimentWindow {
    Q_OBJECT
public:
    Form20();
    // The client area of the window's design, known before any window exists.
    static platform::Twips designArea();

    std::int16_t StartX = 0;
    std::int16_t StartY = 0;
    std::int16_t EndX = 0;
    std::int16_t EndY = 0;
    std::int16_t NeedleIndex = 0;
    std::int16_t CrossCount = 0;

    void Command2_Click() override;
};
