// SPDX-License-Identifier: GPL-3.0-or-later
#include "Narrator.h"

#include "Announcement.h"

#include "platform/Form.h"
#include "platform/Run.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QTimer>

namespace platform::narrator {

namespace {

struct RunHeard {
    QPointer<Form> form;
    QElapsedTimer sinceProgress;
    QPointer<QWidget> focusAtStart;
    QString progressSaid; // a held run is not said again until it moves
};

struct State {
    QHash<QObject*, std::function<void()>> pending;
    QList<RunHeard> runs;
    QTimer* pump = nullptr;
    QPointer<QAbstractButton> besideSaid; // a button outside the window that was told
    QPointer<QAbstractButton> described; // the one button whose description holds an outcome
    bool watchingFocus = false;
};

State& state()
{
    static State s;
    return s;
}

void flush(const QWidget* window)
{
    State& s = state();
    for (auto it = s.pending.begin(); it != s.pending.end();) {
        auto* widget = qobject_cast<QWidget*>(it.key());
        if (!window || (widget && widget->window() == window)) {
            const std::function<void()> publish = it.value();
            it = s.pending.erase(it);
            publish();
        } else {
            ++it;
        }
    }
}

// Each change is an event the reader must handle: none for a button
// that has nothing to forget.
void clearDescription(QAbstractButton* button)
{
    if (button && !button->accessibleDescription().isEmpty())
        button->setAccessibleDescription(QString());
}

// Workaround(Orca 43): it speaks at once a change of the focused object's description.
// Says the text as the focused button's description: Orca speaks a change
// of the focused object's description at once. Emptied first, so that the
// same outcome twice is said twice.
// The reader listens where the keyboard is: in the window, or on a button
// of a window beside it, such as the lesson controller.
void say(Form& form, const QString& text)
{
    auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (button && button->window() != &form)
        state().besideSaid = button;
    else
        button = qobject_cast<QAbstractButton*>(form.focusWidget());
    if (!button || text.isEmpty())
        return;
    clearDescription(button);
    button->setAccessibleDescription(text);
    // True only while the focus stays: once it leaves, the outcome is old
    // news, and a later Tab back must not read it as current.
    State& s = state();
    s.described = button;
    if (!s.watchingFocus) {
        s.watchingFocus = true;
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget* old, QWidget*) {
            State& s = state();
            if (s.described && old == s.described) {
                clearDescription(s.described);
                s.described = nullptr;
            }
        });
    }
}

void tick()
{
    State& s = state();
    flush(nullptr);
    for (RunHeard& run : s.runs) {
        // Announced only: as a description too it would go stale on the
        // button, and each change costs the reader a refused object.
        if (run.form && run.sinceProgress.hasExpired(progressIntervalMs)) {
            run.sinceProgress.restart();
            const QString progress = summary(run.form);
            if (progress != run.progressSaid) {
                run.progressSaid = progress;
                announce(run.form, progress);
            }
        }
    }
}

void forgetDescriptions(Form& form)
{
    State& s = state();
    for (QAbstractButton* button : form.findChildren<QAbstractButton*>())
        clearDescription(button);
    clearDescription(s.besideSaid);
    clearDescription(s.described);
    s.besideSaid = nullptr;
    s.described = nullptr;
}

} // namespace

namespace {
Listener listener = nullptr;
}

void notify(QObject* source, int event)
{
    if (listener)
        listener(source, event);
    QAccessibleEvent e(source, QAccessible::Event(event));
    QAccessible::updateAccessibility(&e);
}

void setListener(Listener l) { listener = l; }

void announce(QWidget* where, const QString& text)
{
    if (!where || text.isEmpty())
        return;
    accessible::Announcement* announcement = accessible::Announcement::of(where);
    announcement->say(text);
    if (listener)
        listener(announcement, QAccessible::ObjectShow);
}

bool running(const QWidget* widget) { return Run::of(widget) != nullptr; }

void publish(QObject* source, std::function<void()> publish)
{
    auto* widget = qobject_cast<QWidget*>(source);
    if (!running(widget)) {
        state().pending.remove(source);
        publish();
        return;
    }
    State& s = state();
    if (!s.pending.contains(source))
        QObject::connect(source, &QObject::destroyed, source, [source] { state().pending.remove(source); });
    s.pending.insert(source, std::move(publish));
}

QString summary(const QWidget* window)
{
    QStringList parts;
    for (const Label* label : window->findChildren<const Label*>()) {
        const QString spoken = label->spokenText();
        if (!spoken.isEmpty() && !label->isStopHint())
            parts += spoken;
    }
    return parts.join(QCoreApplication::translate("platform::narrator", "、"));
}

void progressSaid(const QWidget* window)
{
    for (RunHeard& run : state().runs) {
        if (run.form == window) {
            run.progressSaid = summary(window);
            run.sinceProgress.restart();
        }
    }
}

namespace {
void runStarted(Form& form)
{
    State& s = state();
    forgetDescriptions(form);
    RunHeard run{&form, {}, QApplication::focusWidget()};
    run.sinceProgress.start();
    s.runs.append(run);
    if (!s.pump) {
        s.pump = new QTimer(qApp);
        QObject::connect(s.pump, &QTimer::timeout, &tick);
    }
    s.pump->start(publishIntervalMs);
}

void runEnded(Form& form)
{
    State& s = state();
    QPointer<QWidget> focusAtStart;
    for (const RunHeard& run : std::as_const(s.runs))
        if (run.form == &form)
            focusAtStart = run.focusAtStart;
    s.runs.removeIf([&form](const RunHeard& run) { return !run.form || run.form == &form; });
    if (s.runs.isEmpty() && s.pump)
        s.pump->stop();
    flush(&form);
    // The handler switches its buttons after the pointer; the focus has
    // settled when it returns. Where it moved, the reader reads the new
    // button with the outcome as its description; where it stayed (a
    // manual step), nothing would be read, so the outcome is announced.
    QTimer::singleShot(0, &form, [f = QPointer<Form>(&form), focusAtStart] {
        if (f && !running(f)) {
            flush(f);
            forgetDescriptions(*f);
            const QString outcome = summary(f);
            say(*f, outcome);
            if (focusAtStart && QApplication::focusWidget() == focusAtStart)
                announce(f, outcome);
        }
    });
}

class RunListener : public Run::Observer {
    void runOpened(Run& run) override { runStarted(run.form()); }
    void runClosed(Run& run) override { runEnded(run.form()); }
};
} // namespace

Run::Observer& runObserver()
{
    static RunListener listener;
    return listener;
}

} // namespace platform::narrator
