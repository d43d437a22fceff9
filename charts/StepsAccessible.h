// SPDX-License-Identifier: GPL-3.0-or-later
// The N box for a screen reader. Qt 6.4 offers a combo box's items without
// AT-SPI's selection, so Orca finds no value in a box that is not editable;
// this one answers with its current text as its text.
#pragma once

namespace charts {

// The factory of the box's accessible, installed once.
void installStepsAccessible();

} // namespace charts
