// SPDX-License-Identifier: GPL-3.0-or-later
// The pace of runs, for lesson mode. Every run yields once a step in
// DoEvents; with a pace installed, that yield also waits out the tempo or
// holds while paused, processing events all the while, so that no window's
// code changes for it. A run is what lies between a window's hourglass and
// its default pointer. Without a pace (the default) nothing of this runs.
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

class QEventLoop;

namespace platform {

class Form;
class Label;

enum class Tempo { ByPress, Slow, Medium, Fast, Full };

class Pace : public QObject {
    Q_OBJECT
public:
    Pace();
    ~Pace() override;

    // The installed pace, if any.
    static Pace* current() { return current_; }
    // Makes this the pace of every run from now on, until it is destroyed.
    void install();

    // Steps a second at a tempo: 0 for one step a press, -1 for no waiting.
    static double stepsPerSecond(Tempo tempo);

    Tempo tempo() const { return tempo_; }
    void setTempo(Tempo tempo);
    bool paused() const { return paused_; }
    void setPaused(bool paused);
    // The run goes exactly one step on and then holds.
    void step();

    // The window whose run is on, if any.
    Form* runningForm() const;
    // Steps taken by the current run, or by the last one.
    qint64 steps() const { return steps_; }

    // From the platform: a run's yield, a window's pointer, a label's new text.
    void yielded();
    void pointerChanged(Form& form, bool busy);
    void captionSet(const Label& label) { emit captionChanged(label); }

signals:
    void runStarted(platform::Form* form);
    void stepped(qint64 step);
    void runEnded(platform::Form* form);
    void changed(); // tempo or pause
    void captionChanged(const platform::Label& label);

private:
    void hold();
    void wake();
    void release();
    void endRun();

    static inline Pace* current_ = nullptr;

    Tempo tempo_ = Tempo::Full;
    bool paused_ = false;
    QPointer<Form> running_;
    qint64 steps_ = 0;
    int credits_ = 0;       // steps granted by Step
    bool released_ = false; // a button of the running window was clicked
    QElapsedTimer clock_;
    qint64 nextDue_ = 0;    // ms on clock_
    QEventLoop* waiting_ = nullptr;
    QList<QMetaObject::Connection> buttons_;
};

} // namespace platform
