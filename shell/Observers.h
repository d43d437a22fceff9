// SPDX-License-Identifier: GPL-3.0-or-later
// Whoever listens to runs, registered in one place and in one order.
#pragma once

namespace lesson {
class LessonController;
class Pace;
} // namespace lesson

namespace shell {

// Registers the observers of runs in the order they must be told: the
// narrator, then lesson mode's pace and controller when it is on (both
// null otherwise). Call once at start, before any window runs; the tests
// call it too, with their own pace and controller.
void observeRuns(lesson::Pace* pace = nullptr, lesson::LessonController* controller = nullptr);

} // namespace shell
