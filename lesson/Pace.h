// SPDX-License-Identifier: GPL-3.0-or-later
// The pace of runs, for lesson mode. Every run yields once a step in
// DoEvents; with a pace observing runs, that yield also waits out the tempo
// or holds while paused, processing events all the while, so that no
// window's code changes for it. Without a pace (the default) nothing of
// this runs.
#pragma once

#include "platform/Run.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <memory>

class QEventLoop;

namespace platform {
class Form;
}

namespace lesson {

enum class Tempo { ByPress, Slow, Medium, Fast, Full };

// The time the pace keeps, in milliseconds from any start, and its alarm.
// The real one is the monotonic clock; a test's is moved by hand.
class Clock : public QObject {
    Q_OBJECT
public:
    virtual qint64 now() const = 0;
    // due() comes once when now() reaches `at`; a later call replaces it.
    virtual void wakeAt(qint64 at) = 0;
    virtual void cancel() = 0;
    static std::unique_ptr<Clock> monotonic();

signals:
    void due();
};

// Observes runs once registered (shell::observeRuns), until destroyed.
class Pace : public QObject, public platform::Run::Observer {
    Q_OBJECT
public:
    explicit Pace(std::unique_ptr<Clock> clock = Clock::monotonic());
    ~Pace() override;

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
    std::unique_ptr<Clock> clock_;
    qint64 nextDue_ = 0;    // ms on clock_
    QEventLoop* waiting_ = nullptr;
    QList<QMetaObject::Connection> buttons_;
};

} // namespace lesson
