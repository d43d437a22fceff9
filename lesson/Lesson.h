// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode (sorvena --lesson): runs at the teacher's pace, with one
// control beside whichever window is shown.
#pragma once

namespace lesson {

// Installs the pace and makes the controller, which appears with the first
// window. Call once, after the application object exists.
void start();

} // namespace lesson
