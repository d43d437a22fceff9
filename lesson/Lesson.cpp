// SPDX-License-Identifier: GPL-3.0-or-later
#include "Lesson.h"

#include "LessonController.h"
#include "charts/ChartsModule.h"
#include "Pace.h"

#include <cstring>

namespace lesson {

const char* placeablePlatform(const char* chosen, const char* sessionType, const char* x11Display)
{
    const auto given = [](const char* value) { return value && *value; };
    if (given(chosen) || !given(x11Display) || !sessionType || std::strcmp(sessionType, "wayland") != 0)
        return nullptr;
    return "xcb";
}

Parts start(Layout layout)
{
    // Both live until the program ends, as the windows do.
    static Pace pace;
    // A run a class can watch: about twenty steps a second, until the
    // teacher chooses otherwise.
    pace.setTempo(Tempo::Medium);
    // The trace is drawn by the chart module; without it there is none.
    const charts::ChartsModule* charts = charts::chartsModule();
    std::unique_ptr<Trace> trace(charts && charts->createTrace ? charts->createTrace(nullptr) : nullptr);
    static auto* controller = new LessonController(pace, std::move(trace), layout);
    return {pace, *controller};
}

} // namespace lesson
