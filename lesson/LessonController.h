// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode's one control for every window: the tempo of runs, pause,
// single steps, the current estimate with its correct digits, the trace of
// the run and a mute. It follows the active window and stays beside it.
// Its keys (P pause, S step, + and − tempo, M mute, C class session) work
// in it and in the window beside it, where no control uses them, and each
// says what it did.
// It only wires its parts: the reading of the run (Reading), the widgets
// (ControllerView), the keys (LessonKeys), its place (Follower) and what
// the trace's menu saves of the run (Handout).
#pragma once

#include "ControllerView.h"
#include "Lesson.h"
#include "LessonKeys.h"
#include "Pace.h"
#include "Placement.h"
#include "Reading.h"
#include "charts/ChartsModule.h"
#include "platform/Run.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QRadioButton;
class QTimer;

namespace lesson {

using charts::Trace;
using charts::TraceView;

// Observes runs once registered (shell::observeRuns), after the pace.
class LessonController : public QWidget, public platform::Run::Observer {
    Q_OBJECT
public:
    // The trace may be null: without the plotting module there is none.
    LessonController(Pace& pace, std::unique_ptr<Trace> trace, Layout layout = Layout::Full);
    ~LessonController() override;

    QRadioButton* tempoButton(Tempo tempo) const;
    QString valueText() const { return reading_.digits(); }
    // The points of the trace: the run shown, with the manual steps that
    // went on from it.
    const QList<QPointF>& traced() const { return reading_.points(); }
    // What the trace shows now, in words: its accessible description.
    QString traceDescription() const;

    // The windows whose experiment a class can throw together; beside
    // them the controller offers the class session (button and key C).
    void setClassSessionOffered(std::function<bool(const platform::Form&)> offered);

signals:
    void classSessionRequested(platform::Form& form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void runOpened(platform::Run& run) override;
    void runStepped(platform::Run& run) override;
    void runClosed(platform::Run& run) override;
    void showState();
    void refresh();
    void clearValue();
    // The accessible names of the readings and the trace's description,
    // renewed at most once a second while a run draws.
    void updateReadings();
    void showClassSession();

    Pace& pace_;
    Reading reading_;
    ControllerView view_;
    Follower* follower_;
    LessonKeys keys_;
    QTimer* refresh_;
    QTimer* readings_;
    QPointer<platform::Form> lastRun_; // the window of the last run
    std::function<bool(const platform::Form&)> classOffered_;
};

} // namespace lesson
