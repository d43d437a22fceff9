// SPDX-License-Identifier: GPL-3.0-or-later
#include "Observers.h"

#include "lesson/LessonController.h"
#include "lesson/Pace.h"
#include "platform/Run.h"
#include "platform/accessible/Narrator.h"

namespace shell {

void observeRuns(lesson::Pace* pace, lesson::LessonController* controller)
{
    // 1. The narrator, which every run has: first, so that lesson mode only
    //    adds to what a run does and changes nothing the narrator hears.
    // 2. The pace before the controller: the controller's refresh asks the
    //    pace whether the followed window runs, so the pace must have taken
    //    in the run's opening or closing by then.
    platform::Run::addObserver(&platform::narrator::runObserver());
    if (pace)
        platform::Run::addObserver(pace);
    if (controller)
        platform::Run::addObserver(controller);
}

} // namespace shell
