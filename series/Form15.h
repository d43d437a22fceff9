// SPDX-License-Identifier: GPL-3.0-or-later
// The Wallis product: pi = 2 (2*2*4*4...)/(1*3*3*5...).
#pragma once

#include "SeriesWindow.h"

class Form15 : public series::SeriesWindow {
    Q_OBJECT
public:
    Form15();
    // The client area of the window's design, known before any window exists.
    static platform::Twips designArea();
};
