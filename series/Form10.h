// SPDX-License-Identifier: GPL-3.0-or-later
// Matsunaga series 2: pi = 3 (1 + 1^2/(4*6) + ...).
#pragma once

#include "SeriesWindow.h"

class Form10 : public series::SeriesWindow {
    Q_OBJECT
public:
    Form10();
};
