// SPDX-License-Identifier: GPL-3.0-or-later
// Matsunaga series 1: pi^2 = 9 (1 + 1^2/(3*4) + ...).
#pragma once

#include "SeriesWindow.h"

class Form9 : public series::SeriesWindow {
    Q_OBJECT
public:
    Form9();
    // The client area of the window's design, known before any window exists.
    static platform::Twips designArea();
};
