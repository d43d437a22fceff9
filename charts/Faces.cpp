// SPDX-License-Identifier: GPL-3.0-or-later
#include "Faces.h"

namespace charts {

namespace {
bool large = false;
} // namespace

bool largeNumbers() { return large; }

void setLargeNumbers(bool on) { large = on; }

} // namespace charts
