// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode (sorvena --lesson): runs at the teacher's pace, with one
// control beside whichever window is shown.
#pragma once

#include <QSize>

namespace lesson {

// The controller's client size at scale 1 (at most), and the gap between it
// and the window it stands beside, for the projector's scale.
constexpr QSize controllerArea{340, 480};
constexpr int besideGap = 8;

// The Qt platform lesson mode asks for, or none. The controller stands
// beside the window the class watches, and Wayland lets no client place its
// windows: on a Wayland desktop that also offers X11 (XWayland), lesson mode
// runs there. A platform the user chose is kept.
const char* placeablePlatform(const char* chosen, const char* sessionType, const char* x11Display);

// Installs the pace, loads the chart module for the trace and makes the
// controller, which appears with the first window. Call once, after the
// application object exists.
void start();

} // namespace lesson
