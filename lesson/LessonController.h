// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode's one control for every window: the tempo of runs, pause,
// single steps, the current estimate with its correct digits, the trace of
// the run and a mute. It follows the active window and stays beside it.
// Its keys (P pause, S step, + and − tempo, M mute) work in it and in the
// window beside it, where no control uses them, and each says what it did.
#pragma once

#include "Lesson.h"
#include "Pace.h"
#include "charts/ChartsModule.h"
#include "platform/Run.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QAbstractButton;
class QButtonGroup;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

namespace platform {
class Form;
} // namespace platform

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

    // Where the controller goes beside a window (frames, on the available
    // area): to its right, else to its left, else the window moves over so
    // that both fit. `window` is where the window's frame must then be.
    struct Placement {
        QRect controller;
        QPoint window;
    };
    static Placement place(const QRect& windowFrame, const QSize& controllerFrame, const QRect& available);

    QRadioButton* tempoButton(Tempo tempo) const;
    QString valueText() const;
    // The points of the trace: the run shown, with the manual steps that
    // went on from it.
    const QList<QPointF>& traced() const { return points_; }
    // What the trace shows now, in words: its accessible description.
    QString traceDescription() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void follow();
    void runOpened(platform::Run& run) override;
    void runStepped(platform::Run& run) override;
    void runClosed(platform::Run& run) override;
    void showState();
    void refresh();
    bool key(QWidget* target, const QKeyEvent& event);
    bool arrowInGroup(QWidget* target, int key);
    // Pause, resume or step, and say so in the window of `where`.
    void setPaused(bool paused, QWidget* where);
    void stepOnce(QWidget* where);
    void setTempoBy(int change);
    void clearValue();
    void clearTrace();
    // The accessible names of the readings and the trace's description,
    // renewed at most once a second while a run draws.
    void updateReadings();

    Pace& pace_;
    std::unique_ptr<Trace> trace_;
    QButtonGroup* tempi_;
    QPushButton* pause_;
    QPushButton* step_;
    QPushButton* mute_;
    QButtonGroup* views_ = nullptr;
    QLabel* value_;
    QLabel* pi_;
    QLabel* correctLabel_;
    QLabel* stepLabel_;
    QLabel* bracket_;
    QTimer* refresh_;
    QTimer* readings_;

    QPointer<platform::Form> followed_;
    QPointer<platform::Form> lastRun_; // the window of the last run
    bool firstStep_ = false;           // the run opened has told no step yet
    bool followedHidden_ = false; // since it was last followed
    QString digits_;
    std::int64_t n_ = 0; // the last step of the run shown
    compare::Method method_ = compare::Method::Polygon;
    int correct_ = 0;
    QList<QPointF> points_;
    qsizetype drawn_ = 0; // points already given to the trace
    bool followQueued_ = false;
};

} // namespace lesson
