// SPDX-License-Identifier: GPL-3.0-or-later
// The Gregory-Leibniz series: pi/4 = 1 - 1/3 + 1/5 - ...
#pragma once

#include "SeriesWindow.h"

class Form16 : public series::SeriesWindow {
    Q_OBJECT
public:
    Form16();
    // The client area of the window's design, known before any window exists.
    static platform::Twips designArea();
};
