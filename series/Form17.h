// SPDX-License-Identifier: GPL-3.0-or-later
// Euler's series: pi^2 = 12 (1/1^2 - 1/2^2 + ...).
#pragma once

#include "SeriesWindow.h"

class Form17 : public series::SeriesWindow {
    Q_OBJECT
public:
    Form17();
    // The client area of the window's design, known before any window exists.
    static platform::Twips designArea();
};
