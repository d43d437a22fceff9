// SPDX-License-Identifier: GPL-3.0-or-later
// The pace of runs, for lesson mode. Every run yields once a step in
// DoEvents; with a pace installed, that yield also waits out the tempo or
// holds while paused, processing events all the while, so that no window's
// code changes for it. Without a pace (the default) nothing of this runs.
#pragma once

#include "platform/Run.h"

#include <QElapsedTimer>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

class QEventLoop;

namespace platform {
class Form;
}

namespace lesson {

enum class Tempo { ByPress, Slow, Medium, Fast, Full };

class Pace : public QObject, private platform::Run::Observer {
    Q_OBJECT
public:
    Pace();
    ~Pace() override;

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
    platform::Form* runningForm() const;

signals:
    void changed(); // tempo or pause

private:
    void runOpened(platform::Run& run) override;
    void runYielded(platform::Run& run) override;
    void runClosed(platform::Run& run) override;
    void hold();
    void wake();
    void release();

    Tempo tempo_ = Tempo::Full;
    bool paused_ = false;
    QPointer<platform::Form> running_;
    int credits_ = 0;       // steps granted by Step
    bool released_ = false; // a button of the running window was clicked
    QElapsedTimer clock_;
    qint64 nextDue_ = 0;    // ms on clock_
    QEventLoop* waiting_ = nullptr;
    QList<QMetaObject::Connection> buttons_;
};

} // namespace lesson
