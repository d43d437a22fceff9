// SPDX-License-Identifier: GPL-3.0-or-later
// A run of a method window: the loop of its start button, from the first
// step to the last or to 中止. The handler opens the run as its loop
// starts, tells it each step's n and value as its counter and estimate show
// them, and closes it when the loop ends. Whoever must know about runs (the
// screen reader's narrator, lesson mode) observes them here, and only here.
#pragma once

#include "rules/ClassThrows.h"
#include "rules/Convergence.h"

#include <QList>

#include <cstdint>
#include <optional>

class QWidget;

namespace platform {

class Form;

class Run {
public:
    // The precision a value was computed in: the experiments compute in
    // single precision, the series and polygons in double.
    enum class Precision { Double, Single };

    Run(Form& form, compare::Method method);
    ~Run(); // closes the run if the handler has not
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // Step n, where the window shows the value `value`, computed in
    // `precision`; an experiment also tells the throws it comes from, so
    // that its standard error is known.
    void step(std::int64_t n, double value, Precision precision,
              std::optional<classthrows::Tally> tally = std::nullopt);
    // Step n, where the window shows no value yet (no needle has met a line).
    void step(std::int64_t n);
    void close();

    Form& form() const { return form_; }
    compare::Method method() const { return method_; }
    bool isOpen() const { return open_; }
    // The last step told, 0 before the first.
    std::int64_t n() const { return n_; }
    std::optional<double> value() const { return value_; }
    bool singlePrecision() const { return single_; }
    std::optional<classthrows::Tally> tally() const { return tally_; }

    // The run open in the widget's window, if any.
    static Run* of(const QWidget* widget);
    // The innermost open run, if any.
    static Run* current();

    // The window's DoEvents, once a step: an observer may hold the run there
    // (lesson mode's tempo and pause), processing events meanwhile.
    static void yielded();

    class Observer {
    public:
        virtual ~Observer();
        virtual void runOpened(Run& run) { (void)run; }
        virtual void runStepped(Run& run) { (void)run; }
        virtual void runYielded(Run& run) { (void)run; }
        virtual void runClosed(Run& run) { (void)run; }
    };
    // Observers are told in the order they were added. The program adds
    // its own in one place at start (shell::observeRuns).
    static void addObserver(Observer* observer);
    static void removeObserver(Observer* observer);

private:
    void stepped(std::int64_t n);

    Form& form_;
    compare::Method method_;
    bool open_ = true;
    std::int64_t n_ = 0;
    std::optional<double> value_;
    bool single_ = false;
    std::optional<classthrows::Tally> tally_;
};

} // namespace platform
