// SPDX-License-Identifier: GPL-3.0-or-later
#include "Run.h"

#include "Form.h"

namespace platform {

namespace {
QList<Run*>& openRuns()
{
    static QList<Run*> runs;
    return runs;
}

// Never destroyed: observers that are statics themselves leave it at exit.
QList<Run::Observer*>& observers()
{
    static auto* list = new QList<Run::Observer*>;
    return *list;
}

// An observer may add or remove observers while it is told.
template <typename Tell>
void tellAll(Tell tell)
{
    const QList<Run::Observer*> now = observers();
    for (Run::Observer* observer : now)
        if (observers().contains(observer))
            tell(*observer);
}
} // namespace

Run::Observer::~Observer() { removeObserver(this); }

Run::Run(Form& form, compare::Method method) : form_(form), method_(method)
{
    openRuns().append(this);
    tellAll([this](Observer& o) { o.runOpened(*this); });
}

Run::~Run() { close(); }

void Run::step(std::int64_t n, double value, Precision precision, std::optional<classthrows::Tally> tally)
{
    value_ = value;
    tally_ = tally;
    single_ = precision == Precision::Single;
    stepped(n);
}

void Run::step(std::int64_t n) { stepped(n); }

void Run::stepped(std::int64_t n)
{
    if (!open_)
        return;
    n_ = n;
    tellAll([this](Observer& o) { o.runStepped(*this); });
}

void Run::close()
{
    if (!open_)
        return;
    open_ = false;
    openRuns().removeOne(this);
    tellAll([this](Observer& o) { o.runClosed(*this); });
}

Run* Run::of(const QWidget* widget)
{
    const QWidget* window = widget ? widget->window() : nullptr;
    for (Run* run : openRuns())
        if (&run->form() == window)
            return run;
    return nullptr;
}

Run* Run::current() { return openRuns().isEmpty() ? nullptr : openRuns().last(); }

void Run::yielded()
{
    if (Run* run = current()) [[unlikely]]
        tellAll([run](Observer& o) { o.runYielded(*run); });
}

void Run::addObserver(Observer* observer)
{
    if (!observers().contains(observer))
        observers().append(observer);
}

void Run::removeObserver(Observer* observer) { observers().removeOne(observer); }

} // namespace platform
