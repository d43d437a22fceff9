// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson mode's one control for every window: the tempo of runs, pause,
// single steps, the current estimate with its correct digits, the trace of
// the run and a mute. It follows the active window and stays beside it.
#pragma once

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
class QTimer;

namespace platform {
class Form;
} // namespace platform

namespace lesson {

using charts::Trace;
using charts::TraceView;

class LessonController : public QWidget, private platform::Run::Observer {
    Q_OBJECT
public:
    // The trace may be null: without the plotting module there is none.
    LessonController(Pace& pace, std::unique_ptr<Trace> trace);
    ~LessonController() override;

    // Where the controller goes beside a window (frames, on the available
    // area): to its right, else to its left, else the window moves over so
    // that both fit. `window` is where the window's frame must then be.
    struct Placement {
        QRect controller;
        QPoint window;
    };
    static Placement place(const QRect& windowFrame, const QSize& controllerFrame, const QRect& available);

    QPushButton* tempoButton(Tempo tempo) const;
    QString valueText() const;

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
    void setTempoBy(int change);
    void clearValue();

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

    QPointer<platform::Form> followed_;
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
