// SPDX-License-Identifier: GPL-3.0-or-later
#include "Lesson.h"

#include "LessonController.h"
#include "platform/Pace.h"

namespace lesson {

void start()
{
    // Both live until the program ends, as the windows do.
    static platform::Pace pace;
    static auto* controller = new LessonController(pace, nullptr);
    Q_UNUSED(controller);
}

} // namespace lesson
