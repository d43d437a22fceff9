// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pace.h"

#include "platform/Form.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace lesson {

namespace {
// Milliseconds between steps; 0 for none.
qint64 interval(Tempo tempo)
{
    const double rate = Pace::stepsPerSecond(tempo);
    return rate > 0 ? qint64(1000 / rate) : 0;
}

class MonotonicClock : public Clock {
public:
    MonotonicClock()
    {
        elapsed_.start();
        alarm_.setSingleShot(true);
        alarm_.setTimerType(Qt::PreciseTimer);
        connect(&alarm_, &QTimer::timeout, this, &Clock::due);
    }
    qint64 now() const override { return elapsed_.elapsed(); }
    void wakeAt(qint64 at) override { alarm_.start(int(std::max<qint64>(at - now(), 0))); }
    void cancel() override { alarm_.stop(); }

private:
    QElapsedTimer elapsed_;
    QTimer alarm_;
};
} // namespace

std::unique_ptr<Clock> Clock::monotonic() { return std::make_unique<MonotonicClock>(); }

Pace::Pace(std::unique_ptr<Clock> clock) : clock_(std::move(clock))
{
    connect(clock_.get(), &Clock::due, this, &Pace::wake);
}

Pace::~Pace() { wake(); }

double Pace::stepsPerSecond(Tempo tempo)
{
    switch (tempo) {
    case Tempo::ByPress:
        return 0;
    case Tempo::Slow:
        return 2;
    case Tempo::Medium:
        return 20;
    case Tempo::Fast:
        return 200;
    case Tempo::Full:
        break;
    }
    return -1;
}

platform::Form* Pace::runningForm() const { return running_; }

void Pace::setTempo(Tempo tempo)
{
    if (tempo == tempo_)
        return;
    tempo_ = tempo;
    // A faster tempo takes effect at once; a slower one after the step due.
    nextDue_ = std::min(nextDue_, clock_->now() + interval(tempo));
    wake();
    emit changed();
}

void Pace::setPaused(bool paused)
{
    if (!running_)
        paused = false;
    if (paused == paused_)
        return;
    paused_ = paused;
    if (!paused)
        nextDue_ = clock_->now(); // resumes with a step at once
    wake();
    emit changed();
}

void Pace::step()
{
    if (!running_)
        return;
    ++credits_;
    if (tempo_ != Tempo::ByPress)
        setPaused(true);
    wake();
}

void Pace::runYielded(platform::Run& run)
{
    if (&run.form() != running_)
        return;
    if (paused_ || credits_ > 0 || tempo_ != Tempo::Full)
        hold();
}

void Pace::hold()
{
    QEventLoop loop;
    QEventLoop* outer = waiting_;
    waiting_ = &loop;
    for (;;) {
        if (released_ || !running_)
            break;
        if (credits_ > 0) {
            --credits_;
            break;
        }
        if (!paused_ && tempo_ != Tempo::ByPress) {
            if (nextDue_ <= clock_->now())
                break;
            clock_->wakeAt(nextDue_);
        }
        loop.exec();
        clock_->cancel();
    }
    waiting_ = outer;
    released_ = false;
    // Due times keep their spacing, so the tempo holds on average whatever
    // a step costs; one that came late moves the next no earlier than now.
    nextDue_ = std::max(nextDue_ + interval(tempo_), clock_->now());
}

void Pace::wake()
{
    if (waiting_)
        waiting_->quit();
}

void Pace::release()
{
    // A click on the running window (中止 is then its only enabled button)
    // lets the held step go, so that the run sees its stop flag.
    if (waiting_) {
        released_ = true;
        wake();
    }
}

void Pace::runOpened(platform::Run& run)
{
    if (running_) // a run inside a run: the inner one is paced
        if (platform::Run* outer = platform::Run::of(running_))
            runClosed(*outer);
    running_ = &run.form();
    credits_ = 0;
    released_ = false;
    nextDue_ = clock_->now();
    for (QAbstractButton* button : run.form().findChildren<QAbstractButton*>())
        buttons_.append(connect(button, &QAbstractButton::clicked, this, &Pace::release));
    emit changed();
}

void Pace::runClosed(platform::Run& run)
{
    if (&run.form() != running_)
        return;
    for (const QMetaObject::Connection& c : std::as_const(buttons_))
        disconnect(c);
    buttons_.clear();
    running_ = nullptr;
    credits_ = 0;
    paused_ = false;
    wake();
    emit changed();
}

} // namespace lesson
