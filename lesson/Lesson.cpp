// SPDX-License-Identifier: GPL-3.0-or-later
#include "Lesson.h"

#include "LessonController.h"
#include "compare/ChartsLoader.h"
#include "platform/Pace.h"

namespace lesson {

void start()
{
    // Both live until the program ends, as the windows do.
    static platform::Pace pace;
    // The trace is drawn by the chart module; without it there is none.
    const compare::ChartsModule* charts = compare::chartsModule();
    std::unique_ptr<Trace> trace(charts && charts->createTrace ? charts->createTrace(nullptr) : nullptr);
    static auto* controller = new LessonController(pace, std::move(trace));
    Q_UNUSED(controller);
}

} // namespace lesson
