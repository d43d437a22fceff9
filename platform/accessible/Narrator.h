// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears of a run. The counters repaint at every step,
// but a reader that gets thousands of name changes falls tens of seconds
// behind and holds up the keyboard. While a window runs, its controls keep
// their accessible changes back and the narrator publishes them at a
// steady, slow rate, and once more when the run ends. Every few seconds the
// progress is announced, when it has moved; the focused button's
// description carries the outcome, for the reader's Where Am I, until the
// focus leaves it.
#pragma once

#include "platform/Run.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace platform {

namespace narrator {

constexpr int publishIntervalMs = 1000;
constexpr int progressIntervalMs = 8000;

// Whether the window of this widget is in a run.
bool running(const QWidget* widget);

// Runs publish now when the source's window is not running, else at the
// next tick or when the run ends; a later call for the same source
// replaces an earlier one.
void publish(QObject* source, std::function<void()> publish);

// Sends an accessibility event on the source's behalf. A test may listen
// in: the offscreen platform has no bus that would hear it.
void notify(QObject* source, int event);
using Listener = void (*)(QObject* source, int event);
void setListener(Listener listener);

// Workaround(Qt 6.4): a description change goes out as an object, which Orca 43 will not speak.
// Says the text once, now, whatever has the focus: a notification shown in
// the widget's window. Qt 6.4 sends a description change as an object, which
// Orca refuses to speak; a notification that appears it speaks at once.
void announce(QWidget* where, const QString& text);

// The texts of the window's counters, in their order, joined for reading.
QString summary(const QWidget* window);

// The window's counters as they stand were just said (a lesson step, for
// one): the next progress waits until they move.
void progressSaid(const QWidget* window);

// What listens to runs for the narrator. The program registers it at start
// (shell::observeRuns), with the other observers, in their order.
Run::Observer& runObserver();

} // namespace narrator
} // namespace platform
