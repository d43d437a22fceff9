// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode (sorvena --lesson): runs at the teacher's pace, with one
// control beside whichever window is shown.
#pragma once

#include <QSize>

namespace lesson {

// The controller's layout: the full one, or a narrow one for a projector's
// small screen, whose scale the full one would hold down.
enum class Layout { Full, Compact };

// The controller's client size at scale 1 (at most), and the gap between it
// and the window it stands beside, for the projector's scale. The compact
// controller is a column beside the widest window on a screen of 1024 by
// 768 at the scale 1.15, where its text is read from the back of the room:
// 24 pixels at that scale.
constexpr QSize controllerArea{340, 480};
constexpr QSize compactControllerArea{239, 620};
constexpr int compactTextPixels = 21;
constexpr QSize areaOf(Layout layout) { return layout == Layout::Compact ? compactControllerArea : controllerArea; }
constexpr int besideGap = 8;

// The Qt platform lesson mode asks for, or none. The controller stands
// beside the window the class watches, and Wayland lets no client place its
// windows: on a Wayland desktop that also offers X11 (XWayland), lesson mode
// runs there. A platform the user chose is kept.
const char* placeablePlatform(const char* chosen, const char* sessionType, const char* x11Display);

class Pace;
class LessonController;

// Lesson mode's two observers of runs, which the program registers.
struct Parts {
    Pace& pace;
    LessonController& controller;
};

// Makes the pace, loads the chart module for the trace and makes the
// controller, which appears with the first window. Call once, after the
// application object exists.
Parts start(Layout layout = Layout::Full);

} // namespace lesson
