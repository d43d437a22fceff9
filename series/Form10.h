// SPDX-License-Identifier: GPL-3.0-or-later
// Matsunaga series 2: pi = 3 (1 + 1^2/(4*6) + ...).
#pragma once

#include "SeriesWindow.h"

class Form10 : public series::SeriesWindow {
    Q_OBJECT
public:
    Form10();
    // The client area of the window's design, known before any window exists.
    static platform::Twips designArea();
};
