// SPDX-License-Identifier: GPL-3.0-or-later
// The program's voice inside the module: silent, with numbers as printed,
// until the program lends its own (as the loader does, and the tests).
#pragma once

#include "ChartsModule.h"

namespace charts {

const Voice& voice();
void setVoice(const Voice& voice);

} // namespace charts
