// SPDX-License-Identifier: GPL-3.0-or-later
// The controller's widgets, in its full or its compact layout, and how they
// show the pace and the reading of a run.
#pragma once

#include "Lesson.h"
#include "Pace.h"
#include "charts/ChartsModule.h"

#include <QCoreApplication>

#include <memory>

class QButtonGroup;
class QLabel;
class QPushButton;
class QWidget;

namespace lesson {

class Reading;

class ControllerView {
    // The controller's texts, translated as they always were.
    Q_DECLARE_TR_FUNCTIONS(lesson::LessonController)
public:
    // Builds the widgets into `window`. The trace may be null: without the
    // chart module there is none.
    ControllerView(QWidget& window, std::unique_ptr<charts::Trace> trace, Layout layout);
    ~ControllerView();

    void showPace(Tempo tempo, bool paused, bool running);
    // The value and its correct digits.
    void showValue(const Reading& reading);
    // The polygons' bracket, the new points of the trace and, with `n`,
    // the step.
    void showStep(const Reading& reading, bool n);
    void clearTrace();
    // No run shown: no step, no bracket, no trace.
    void clearRun();
    // The accessible names of the readings and the trace's description.
    void showReadings(const Reading& reading);
    // The trace's view shown, as its button names it; empty with no trace.
    QString viewName() const;

    QWidget& window;
    std::unique_ptr<charts::Trace> trace;
    QButtonGroup* tempi;
    QPushButton* pause;
    QPushButton* step;
    QPushButton* mute;
    // Shown beside the experiments a class can throw together.
    QPushButton* classSession;
    QButtonGroup* views = nullptr; // with the trace only
    QLabel* value;
    QLabel* pi;
    QLabel* correct;
    QLabel* steps;
    QLabel* bracket;

private:
    qsizetype drawn_ = 0; // points already given to the trace
    qsizetype drawnOuter_ = 0;
};

} // namespace lesson
